#include "table.h"

#include <QString>
#include <QStringList>
#include <QSysInfo>

#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

namespace {

// Three significant digits: "2.5 k", "1 M", "10 M".
QString sizeLabel(double entries)
{
    if (std::isnan(entries))
        return QStringLiteral("?");
    if (entries >= 1e6)
        return QString::number(entries / 1e6, 'g', 3) + QStringLiteral(" M");
    if (entries >= 1e3)
        return QString::number(entries / 1e3, 'g', 3) + QStringLiteral(" k");
    return QString::number(entries);
}

QString number(double value, int decimals)
{
    return std::isnan(value) ? QStringLiteral("not run") : QString::number(value, 'f', decimals);
}

QString ms(double value)
{
    return std::isnan(value) ? QStringLiteral("not run")
                             : number(value, value < 10 ? 3 : 1) + QStringLiteral(" ms");
}

struct Row
{
    QString figure;
    QString value;
    QString target;
    QString met; // yes, NO, or empty where nothing is targeted
};

QString verdict(bool met, double value)
{
    if (std::isnan(value))
        return QStringLiteral("not run");
    return met ? QStringLiteral("yes") : QStringLiteral("NO");
}

std::string key(const char *what, qsizetype size)
{
    return std::string(what) + '/' + std::to_string(size);
}

} // namespace

bool TableReporter::ReportContext(const Context &context)
{
    std::fprintf(stderr, "Running on %d CPUs; each benchmark prints a line when done.\n",
                 context.cpu_info.num_cpus);
    return true;
}

void TableReporter::ReportRuns(const std::vector<Run> &runs)
{
    for (const Run &run : runs) {
        const std::string &name = run.run_name.function_name;
        if (run.error_occurred) {
            m_failed = true;
            std::fprintf(stderr, "  %-28s FAILED: %s\n", name.c_str(), run.error_message.c_str());
            continue;
        }
        std::fprintf(stderr, "  %-28s done\n", name.c_str());
        m_runs.insert_or_assign(name, run);
    }
}

double TableReporter::figure(const std::string &benchmark, const char *counter) const
{
    const auto run = m_runs.find(benchmark);
    if (run == m_runs.end())
        return std::numeric_limits<double>::quiet_NaN();
    const auto value = run->second.counters.find(counter);
    return value == run->second.counters.end() ? std::numeric_limits<double>::quiet_NaN()
                                               : double(value->second);
}

void TableReporter::printTable(const Plan &plan) const
{
    const qsizetype middle = plan.listSizes.at(1);
    const qsizetype large = plan.listSizes.back();
    const QString middleLabel = sizeLabel(double(middle));
    const QString largeLabel = sizeLabel(double(large));
    std::vector<Row> rows;

    const double start = figure("startup", "median_ms");
    rows.push_back({QStringLiteral("Start to first painted main window, median of %1").arg(plan.startRuns),
                    ms(start), QStringLiteral("≤ 100 ms"), verdict(start <= 100, start)});

    for (const qsizetype size : plan.listSizes) {
        const double value = figure(key("tick", size), "median_ms");
        const bool targeted = size == large;
        rows.push_back(
            {QStringLiteral("Tick handler median (generate, show, append, count, repaint), %1 listed")
                 .arg(sizeLabel(double(size))),
             ms(value), targeted ? QStringLiteral("≤ 0.5 ms") : QString(),
             targeted ? verdict(value <= 0.5, value) : QString()});
    }
    const double tickRatio = figure(key("tick", large), "ratio");
    rows.push_back(
        {QStringLiteral("Tick handler at %1 / at 0 (a window with an empty list, ticked in turn: %2)")
             .arg(largeLabel, ms(figure(key("tick", large), "reference_median_ms"))),
         number(tickRatio, 2) + u'×', QStringLiteral("≤ 1.5×"), verdict(tickRatio <= 1.5, tickRatio)});

    for (const qsizetype size : {middle, large}) {
        const std::string name = key("timer_rate", size);
        const double ratio = figure(name, "ratio");
        rows.push_back(
            {QStringLiteral("Timer at 1 ms for %1 s, %2 listed: ticks/s against an empty-slot QTimer")
                 .arg(plan.timerMilliseconds / 1000.0)
                 .arg(sizeLabel(double(size))),
             QStringLiteral("%1 / %2 = %3 %")
                 .arg(number(figure(name, "ticks_per_s"), 0), number(figure(name, "empty_per_s"), 0),
                      number(ratio * 100, 1)),
             QStringLiteral("≥ %1 %").arg(plan.timerTargetPercent),
             verdict(ratio * 100 >= plan.timerTargetPercent, ratio)});
    }

    const double fillStall = figure(key("timer_rate", middle), "longest_gap_ms");
    rows.push_back(
        {QStringLiteral("Longest event-loop stall while the timer fills the list at %1").arg(middleLabel),
         ms(fillStall), QStringLiteral("≤ 100 ms"), verdict(fillStall <= 100, fillStall)});
    const double saveStall = figure(key("save", middle), "longest_stall_ms");
    rows.push_back(
        {QStringLiteral("Longest event-loop stall while saving %1, the timer at 1 ms running").arg(middleLabel),
         ms(saveStall), QStringLiteral("≤ 50 ms"), verdict(saveStall <= 50, saveStall)});

    const double perNick = figure(key("memory", large), "resident_per_nick");
    rows.push_back({QStringLiteral("Resident bytes per stored nick at %1 (on the heap: %2)")
                        .arg(largeLabel, number(figure(key("memory", large), "heap_per_nick"), 2)),
                    number(perNick, 2), QStringLiteral("≤ 16"), verdict(perNick <= 16, perNick)});

    // A save against dd, each save against the dd of its own round; a
    // target of 0 means none.
    const auto saveRow = [&](qsizetype size, double target) {
        const std::string name = key("save", size);
        const double ratio = figure(name, "ratio");
        rows.push_back(
            {QStringLiteral(
                 "Save of %1 (%2 MB), the timer running, against dd conv=fsync of the same bytes; medians")
                 .arg(sizeLabel(double(size)), number(figure(name, "bytes") / 1e6, 1)),
             QStringLiteral("%1 / %2 MB/s; by round: %3 %")
                 .arg(number(figure(name, "save_MBps"), 0), number(figure(name, "dd_MBps"), 0),
                      number(ratio * 100, 1)),
             target > 0 ? QStringLiteral("≥ %1 %").arg(target * 100) : QString(),
             target > 0 ? verdict(ratio >= target, ratio) : QString()});
    };
    saveRow(middle, 0);
    saveRow(large, 0.5);

    // A day at 1 ms: only what is cheap to fill is measured at these sizes.
    for (const qsizetype size : plan.bigSizes) {
        const QString label = sizeLabel(double(size));
        const double ratio = figure(key("tick", size), "ratio");
        rows.push_back({QStringLiteral("Tick handler at %1 / at 0").arg(label), number(ratio, 2) + u'×',
                        QStringLiteral("≤ 1.5×"), verdict(ratio <= 1.5, ratio)});
        const double resident = figure(key("memory", size), "resident_per_nick");
        rows.push_back({QStringLiteral("Resident bytes per stored nick at %1").arg(label), number(resident, 2),
                        QStringLiteral("≤ 8.5"), verdict(resident <= 8.5, resident)});
        saveRow(size, 0.75);
        const std::string save = key("save", size);
        const double peak = figure(save, "peak_beyond_list_MiB");
        rows.push_back({QStringLiteral("Peak resident memory during that Save beyond the list"),
                        number(peak, 1) + QStringLiteral(" MiB"), QStringLiteral("≤ 64 MiB"),
                        verdict(peak <= 64, peak)});
        const double stall = figure(save, "longest_stall_ms");
        rows.push_back({QStringLiteral("Longest event-loop stall during that Save, the click included "
                                       "(the empty-slot timer's own longest gap: %1)")
                            .arg(ms(figure(save, "empty_longest_gap_ms"))),
                        ms(stall),
                        QStringLiteral("≤ 16 ms"), verdict(stall <= 16, stall)});
        const double timerRatio = figure(save, "timer_ratio");
        rows.push_back({QStringLiteral("Timer at 1 ms during that Save: ticks/s against an empty-slot QTimer"),
                        QStringLiteral("%1 / %2 = %3 %")
                            .arg(number(figure(save, "ticks_per_s"), 0), number(figure(save, "empty_per_s"), 0),
                                 number(timerRatio * 100, 1)),
                        QStringLiteral("≥ 90 %"), verdict(timerRatio >= 0.9, timerRatio)});
    }
    const double slowStall = figure("save_slow_disk", "longest_stall_ms");
    if (!std::isnan(slowStall)) {
        rows.push_back({QStringLiteral("Save of %1 to a slow disk (%2 MB/s, %3): longest event-loop stall "
                                       "(the empty-slot timer's own: %4)")
                            .arg(sizeLabel(figure("save_slow_disk", "entries")),
                                 number(figure("save_slow_disk", "save_MBps"), 1),
                                 ms(figure("save_slow_disk", "save_ms")),
                                 ms(figure("save_slow_disk", "empty_longest_gap_ms"))),
                        ms(slowStall), QStringLiteral("≤ 50 ms"), verdict(slowStall <= 50, slowStall)});
        const double slowTimer = figure("save_slow_disk", "timer_ratio");
        rows.push_back({QStringLiteral("Timer at 1 ms during that slow Save against an empty-slot QTimer"),
                        number(slowTimer * 100, 1) + QStringLiteral(" %"), QStringLiteral("≥ 90 %"),
                        verdict(slowTimer >= 0.9, slowTimer)});
        rows.push_back({QStringLiteral("Cancel of a save to that disk, clicked half way: to the save's end"),
                        ms(figure("save_slow_disk", "cancel_ms")), QString(), QString()});
        const std::string against = "save_slow_disk_against_dd";
        const double ratio = figure(against, "ratio");
        rows.push_back(
            {QStringLiteral("Save of %1 (%2 MB) to that disk, the timer running, against dd conv=fsync there; "
                            "medians (longest stall: %3)")
                 .arg(sizeLabel(figure(against, "entries")), number(figure(against, "bytes") / 1e6, 1),
                      ms(figure(against, "longest_stall_ms"))),
             QStringLiteral("%1 / %2 MB/s; by round: %3 %")
                 .arg(number(figure(against, "save_MBps"), 1), number(figure(against, "dd_MBps"), 1),
                      number(ratio * 100, 1)),
             QStringLiteral("≥ 75 %"), verdict(ratio >= 0.75, ratio)});
    }

    // The list's own operations should not depend on how much it holds: at
    // each size they run in turn on a reference list of a few thousand.
    const std::vector<std::pair<const char *, QString>> operations{
        {"list_append", QStringLiteral("List: append and repaint")},
        {"list_click", QStringLiteral("List: mouse click selects, nick box shows it")},
        {"list_key", QStringLiteral("List: arrow key moves the selection")},
        {"list_paint", QStringLiteral("List: full repaint")},
        {"list_scroll", QStringLiteral("List: scroll top to end or back")},
    };
    for (const auto &[name, label] : operations) {
        QStringList values;
        QStringList sizes;
        for (const qsizetype size : plan.listSizes) {
            values << number(figure(key(name, size), "median_ms"), 3);
            sizes << sizeLabel(figure(key(name, size), "entries"));
        }
        const double ratio = figure(key(name, large), "ratio");
        rows.push_back(
            {QStringLiteral("%1, median at %2 entries; %3 / reference")
                 .arg(label, sizes.join(QStringLiteral(" / ")), largeLabel),
             values.join(QStringLiteral(" / ")) + QStringLiteral(" ms; ") + number(ratio, 2) + u'×',
             QStringLiteral("flat: ≤ 1.5×"), verdict(ratio <= 1.5, ratio)});
    }
    rows.push_back({QStringLiteral("Erase at %1").arg(largeLabel),
                    ms(figure(key("erase", large), "median_ms")), QString(), QString()});
    rows.push_back({QStringLiteral("Ctrl+Z bringing those %1 back; what Erase kept for it (memory it freed)")
                        .arg(largeLabel),
                    ms(figure(key("erase", large), "bring_back_ms")) +
                        QStringLiteral("; %1 MiB (%2 MiB)")
                            .arg(number(figure(key("erase", large), "kept_MiB"), 1),
                                 number(figure(key("erase", large), "freed_by_erase_MiB"), 1)),
                    QString(), QString()});

    for (const bool uniform : {false, true}) {
        const std::string kind = uniform ? "qlistwidget_uniform" : "qlistwidget";
        const QString name = uniform ? QStringLiteral("QListWidget with uniform item sizes")
                                     : QStringLiteral("QListWidget as it comes");
        const std::vector<qsizetype> &sizes = uniform ? plan.uniformWidgetSizes : plan.widgetSizes;
        QStringList values;
        QStringList labels;
        for (const qsizetype size : sizes) {
            values << number(figure(key((kind + "_append").c_str(), size), "median_ms"), 3);
            labels << sizeLabel(double(size));
        }
        rows.push_back({QStringLiteral("For comparison, %1: append and repaint, median at %2 entries")
                            .arg(name, labels.join(QStringLiteral(" / "))),
                        values.join(QStringLiteral(" / ")) + QStringLiteral(" ms"), QString(), QString()});
        rows.push_back(
            {QStringLiteral("For comparison, %1: resident bytes per entry at %2")
                 .arg(name, sizeLabel(double(sizes.back()))),
             number(figure(key((kind + "_memory").c_str(), sizes.back()), "resident_per_entry"), 1),
             QString(), QString()});
    }

    if (plan.smoke) {
        // A smoke run is too small and too short to judge any target.
        for (Row &row : rows)
            row.met = row.target.isEmpty() ? QString() : QStringLiteral("(smoke)");
    }

    const Row header{QStringLiteral("figure"), QStringLiteral("value"), QStringLiteral("target"),
                     QStringLiteral("met?")};
    qsizetype widths[4] = {header.figure.size(), header.value.size(), header.target.size(),
                           header.met.size()};
    for (const Row &row : rows) {
        widths[0] = std::max(widths[0], row.figure.size());
        widths[1] = std::max(widths[1], row.value.size());
        widths[2] = std::max(widths[2], row.target.size());
        widths[3] = std::max(widths[3], row.met.size());
    }
    const auto print = [&widths](const Row &row) {
        const QString line = QStringLiteral("| %1 | %2 | %3 | %4 |")
                                 .arg(row.figure.leftJustified(widths[0]), row.value.leftJustified(widths[1]),
                                      row.target.leftJustified(widths[2]), row.met.leftJustified(widths[3]));
        std::printf("%s\n", line.toUtf8().constData());
    };
    std::printf("\nQuillmark benchmarks%s (%s, %s)\n\n",
                plan.smoke ? " (smoke run: small sizes, no verdicts)" : "",
                QSysInfo::prettyProductName().toUtf8().constData(),
                QSysInfo::currentCpuArchitecture().toUtf8().constData());
    print(header);
    print({QString(widths[0], u'-'), QString(widths[1], u'-'), QString(widths[2], u'-'),
           QString(widths[3], u'-')});
    for (const Row &row : rows)
        print(row);
    std::fflush(stdout);
}
