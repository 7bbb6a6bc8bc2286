// The main window's list, tick, timer, Save and Erase at growing sizes,
// driven through the window's own controls.
#include "core/nicklist.h"
#include "benchwindow.h"
#include "plan.h"
#include "processmemory.h"

#include "control/logfile.h"
#include "control/savejob.h"
#include "platform/generationtimer.h"
#include "ui/list/nicklistbox.h"
#include "ui/main/form1.h"
#include "ui/toolkit/textbox.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include <fcntl.h>
#include <unistd.h>

using Measure::Clock;

namespace {

std::string named(const char *what, qsizetype size)
{
    return std::string(what) + '/' + std::to_string(size);
}

// One action on the measured window and the same on the reference window,
// in turn, each timed up to its repaint.
class Paired
{
public:
    // Runs `setUp` untimed and then `act` timed on each window once; `act`
    // returns false when the action did not do what it should, which ends
    // the benchmark with that failure.
    template <typename SetUp, typename Action> bool run(SetUp setUp, Action act)
    {
        return m_measured.time(BenchWindow::measured(), setUp, act) &&
               m_reference.time(BenchWindow::reference(), setUp, act);
    }

    void report(benchmark::State &state) const
    {
        state.counters["median_ms"] = m_measured.samples.median();
        state.counters["max_ms"] = m_measured.samples.max();
        state.counters["reference_median_ms"] = m_reference.samples.median();
        state.counters["ratio"] = m_measured.samples.median() / m_reference.samples.median();
        state.counters["entries"] = double(BenchWindow::measured().list().count());
        state.counters["reference_entries"] = double(BenchWindow::reference().list().count());
    }

private:
    struct Side
    {
        Measure::Samples samples;
        int step = 0;

        template <typename SetUp, typename Action> bool time(BenchWindow &window, SetUp setUp, Action act)
        {
            setUp(window);
            const auto start = Clock::now();
            if (!act(window, step))
                return false;
            samples.add(Measure::msSince(start));
            ++step;
            return true;
        }
    };

    Side m_measured;
    Side m_reference;
};

template <typename SetUp, typename Action>
void runPaired(benchmark::State &state, SetUp setUp, Action act, const char *failure)
{
    Paired paired;
    for (auto _ : state) {
        if (!paired.run(setUp, act)) {
            state.SkipWithError(failure);
            return;
        }
    }
    paired.report(state);
}

template <typename Action> void runPaired(benchmark::State &state, Action act, const char *failure)
{
    runPaired(
        state, [](BenchWindow &) {}, act, failure);
}

// A user's click or key goes to the window in front.
void activate(BenchWindow &window)
{
    window.form().activateWindow();
    QCoreApplication::processEvents();
}

// Fills the measured list to `size` and gives the reference list exactly
// `reference` entries, all of them fill nicks (not ones a benchmark added).
void prepare(qsizetype size, qsizetype reference)
{
    BenchWindow::measured().fillTo(size);
    BenchWindow &small = BenchWindow::reference();
    if (small.list().count() != reference)
        small.button("Command4").click();
    small.fillTo(reference);
}

// The timer's tick as the window handles it: generate, show the nick, list
// it, count it, then run the event loop until the counter is repainted.
// The reference window starts from an empty list, as at 0 entries.
void tick(benchmark::State &state, qsizetype size)
{
    prepare(size, 0);
    BenchWindow &window = BenchWindow::measured();
    const qsizetype entriesBefore = window.list().count();
    const qint64 countedBefore = window.counter().text().toLongLong();
    runPaired(
        state,
        [](BenchWindow &w, int) {
            const qsizetype entries = w.list().count();
            const int painted = w.paints().paints(&w.counter());
            Q_EMIT w.timer().tick();
            return w.paints().waitFor(&w.counter(), painted) && w.list().count() == entries + 1;
        },
        "a tick did not list one nick and repaint the counter");
    if (!state.error_occurred() &&
        window.counter().text() != QString::number(countedBefore + window.list().count() - entriesBefore))
        state.SkipWithError("the counter does not count the ticks");
}

// Appending while the end of the list is in sight, until the new row has
// been painted. (With the view elsewhere an append repaints nothing; the
// tick benchmark covers that case.)
void listAppend(benchmark::State &state, qsizetype size)
{
    prepare(size, 0);
    runPaired(
        state,
        [](BenchWindow &w) {
            QScrollBar *bar = w.list().verticalScrollBar();
            bar->setValue(bar->maximum());
            QCoreApplication::processEvents();
        },
        [](BenchWindow &w, int) {
            QWidget *viewport = w.list().viewport();
            const int before = w.paints().paints(viewport);
            w.list().model()->append(u"QUILLM");
            return w.paints().waitFor(viewport, before);
        },
        "the list did not paint a row appended in sight");
    for (BenchWindow *w : {&BenchWindow::measured(), &BenchWindow::reference()})
        w->list().verticalScrollBar()->setValue(0);
    QCoreApplication::processEvents();
}

QPoint rowInWindow(BenchWindow &window, int rowInSight)
{
    NickListBox &list = window.list();
    const int height = list.fontMetrics().lineSpacing();
    return list.viewport()->mapTo(&window.form(), QPoint(10, rowInSight * height + height / 2));
}

// Both lists with at least a page of rows, the view and the selection in
// the middle, the focus on the list.
void prepareForSelection(const Plan &plan, qsizetype size)
{
    prepare(std::max(size, plan.opsMinimum), plan.opsMinimum);
    for (BenchWindow *w : {&BenchWindow::measured(), &BenchWindow::reference()}) {
        NickListBox &list = w->list();
        list.setFocus(Qt::TabFocusReason);
        list.setCurrentRow(list.count() / 2);
    }
    QCoreApplication::processEvents();
}

// Runs until the list's rows have been repainted.
template <typename Action> bool untilRepainted(BenchWindow &w, Action act)
{
    QWidget *viewport = w.list().viewport();
    const int before = w.paints().paints(viewport);
    return act() && w.paints().waitFor(viewport, before);
}

// A click through the window on one of two rows in turn; the window shows
// the clicked nick in the nick box.
void listClick(benchmark::State &state, qsizetype size, const Plan &plan)
{
    prepareForSelection(plan, size);
    runPaired(
        state, activate,
        [](BenchWindow &w, int step) {
            return untilRepainted(w, [&] {
                NickListBox &list = w.list();
                const int rowInSight = 1 + step % 2;
                QTest::mouseClick(w.form().windowHandle(), Qt::LeftButton, {}, rowInWindow(w, rowInSight));
                return list.currentRow() == list.verticalScrollBar()->value() + rowInSight;
            });
        },
        "a click did not select the row under the pointer");
}

// Down and Up in turn, typed into the window while the list has the focus.
void listKey(benchmark::State &state, qsizetype size, const Plan &plan)
{
    prepareForSelection(plan, size);
    runPaired(
        state, activate,
        [](BenchWindow &w, int step) {
            return untilRepainted(w, [&] {
                const qsizetype from = w.list().currentRow();
                const bool down = step % 2 == 0;
                QTest::keyClick(w.form().windowHandle(), down ? Qt::Key_Down : Qt::Key_Up);
                return w.list().currentRow() == from + (down ? 1 : -1);
            });
        },
        "an arrow key did not move the selection");
}

void listPaint(benchmark::State &state, qsizetype size, const Plan &plan)
{
    prepare(std::max(size, plan.opsMinimum), plan.opsMinimum);
    runPaired(
        state,
        [](BenchWindow &w, int) {
            QWidget *viewport = w.list().viewport();
            const int before = w.paints().paints(viewport);
            viewport->repaint();
            return w.paints().paints(viewport) != before;
        },
        "the list did not paint");
}

// From the top of the list to its end and back.
void listScroll(benchmark::State &state, qsizetype size, const Plan &plan)
{
    prepare(std::max(size, plan.opsMinimum), plan.opsMinimum);
    runPaired(
        state,
        [](BenchWindow &w, int step) {
            return untilRepainted(w, [&] {
                QScrollBar *bar = w.list().verticalScrollBar();
                const int to = step % 2 == 0 ? bar->maximum() : 0;
                bar->setValue(to);
                return bar->value() == to && bar->maximum() > 0;
            });
        },
        "the list did not scroll");
    for (BenchWindow *w : {&BenchWindow::measured(), &BenchWindow::reference()})
        w->list().verticalScrollBar()->setValue(0);
    QCoreApplication::processEvents();
}

// Counts the ticks of a timer and the longest wait between two of them: a
// wait past the interval is time the event loop spent elsewhere.
struct TickWatch
{
    qint64 ticks = 0;
    double longestGapMs = 0;
    Clock::time_point last = Clock::now();

    void tick()
    {
        const auto now = Clock::now();
        longestGapMs = std::max(longestGapMs, std::chrono::duration<double, std::milli>(now - last).count());
        last = now;
        ++ticks;
    }
};

// The Start button at a 1 ms interval against a QTimer with an empty slot,
// each for the same total time, in alternating rounds of half a second.
void timerRate(benchmark::State &state, qsizetype size, const Plan &plan)
{
    BenchWindow &window = BenchWindow::measured();
    window.fillTo(size);
    NickListBox &list = window.list();
    const int rounds = std::max(1, plan.timerMilliseconds / 500);
    const int roundMs = plan.timerMilliseconds / rounds;

    QTimer empty;
    empty.setTimerType(Qt::PreciseTimer);
    empty.setInterval(1);
    TickWatch emptyWatch;
    QObject::connect(&empty, &QTimer::timeout, &empty, [&emptyWatch] { emptyWatch.tick(); });
    TickWatch watch;
    const auto connection = QObject::connect(&window.timer(), &GenerationTimer::tick, &window.timer(),
                                             [&watch] { watch.tick(); });
    window.intervalBox().assign(QStringLiteral("1"));
    const qsizetype before = list.count();

    double emptyMs = 0;
    double runMs = 0;
    for (auto _ : state) {
        for (int round = 0; round < rounds; ++round) {
            empty.start();
            emptyWatch.last = Clock::now();
            emptyMs += Measure::runEventLoopFor(roundMs);
            empty.stop();

            window.button("Command2").click();
            watch.last = Clock::now();
            runMs += Measure::runEventLoopFor(roundMs);
            window.button("Command3").click();
        }
    }
    QObject::disconnect(connection);
    QCoreApplication::processEvents();

    if (list.count() - before != watch.ticks || watch.ticks == 0 || window.timer().isTicking()) {
        state.SkipWithError("the timer did not list one nick a tick, or did not stop");
        return;
    }
    const double emptyRate = double(emptyWatch.ticks) * 1000.0 / emptyMs;
    const double rate = double(watch.ticks) * 1000.0 / runMs;
    state.counters["empty_per_s"] = emptyRate;
    state.counters["ticks_per_s"] = rate;
    state.counters["ratio"] = rate / emptyRate;
    state.counters["longest_gap_ms"] = watch.longestGapMs;
    state.counters["entries"] = double(list.count());
}

// The bytes NIK.log takes for entries [from, count) of the store.
qint64 fileBytes(const NickStore &store, qsizetype from)
{
    qint64 bytes = 0;
    QByteArray entry;
    for (qsizetype i = from; i < store.count(); ++i) {
        entry.clear();
        store.appendEntryTo(i, entry);
        bytes += entry.size() + 2;
    }
    return bytes;
}

// Removes a file written by a run and lets the file system finish with
// it: this disk is mounted with `discard`, and a write that gets the blocks
// of a file removed a moment ago was four to five times slower, at random,
// while the discards were still going on.
void removeAndSettle(const QString &path)
{
    QFile::remove(path);
    const int folder =
        ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        ::syncfs(folder);
        ::close(folder);
    }
}

// dd's own figure for writing `bytes` zeros and syncing them; -1 on failure.
double ddMilliseconds(const QString &path, qint64 bytes)
{
    QProcess dd;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    dd.setProcessEnvironment(environment);
    dd.start(QStringLiteral("dd"), {QStringLiteral("if=/dev/zero"), QStringLiteral("of=") + path,
                                    QStringLiteral("bs=1M"), QStringLiteral("count=%1").arg(bytes),
                                    QStringLiteral("iflag=count_bytes"), QStringLiteral("conv=fsync")});
    if (!dd.waitForFinished(120'000) || dd.exitCode() != 0)
        return -1;
    // "... bytes (...) copied, 0.123 s, 650 MB/s"
    static const QRegularExpression seconds(QStringLiteral("copied, ([0-9.]+) s"));
    const QRegularExpressionMatch match = seconds.match(QString::fromLocal8Bit(dd.readAllStandardError()));
    return match.hasMatch() ? match.captured(1).toDouble() * 1000.0 : -1;
}

// One Save clicked while the timer runs at 1 ms, as a user would click it:
// the time to the end of the save, the ticks the timer delivered meanwhile,
// the longest wait between two of them (the event loop's longest stall,
// the click itself included) and the peak resident memory it added.
struct SaveRun
{
    bool saved = false;
    double ms = 0;
    qint64 bytes = 0;
    qint64 ticks = 0;
    double longestStallMs = 0;
    qint64 peakBeyondBytes = 0;
};

// `bytesAtClick` tells the size of the file the list makes right before the click.
SaveRun saveWhileTicking(BenchWindow &window, const QString &logPath, const std::function<qint64()> &bytesAtClick)
{
    SaveJob *job = window.form().findChild<SaveJob *>(QStringLiteral("saveJob"));
    TickWatch watch;
    const auto connection = QObject::connect(&window.timer(), &GenerationTimer::tick, &window.timer(),
                                             [&watch] { watch.tick(); });
    window.intervalBox().assign(QStringLiteral("1"));
    window.button("Command2").click();
    Measure::runEventLoopFor(20);

    SaveRun run;
    QEventLoop untilSaved;
    const auto ended = QObject::connect(job, &SaveJob::finished, &untilSaved, &QEventLoop::quit);
    run.bytes = bytesAtClick();
    const qint64 before = Measure::residentBytes();
    Measure::resetPeakResident();
    watch.ticks = 0;
    watch.longestGapMs = 0;
    const auto start = Clock::now();
    watch.last = start;
    window.button("Command1").click();
    QTimer::singleShot(600'000, &untilSaved, &QEventLoop::quit);
    untilSaved.exec();
    run.ms = Measure::msSince(start);
    run.ticks = watch.ticks;
    run.longestStallMs = std::max(watch.longestGapMs, Measure::msSince(watch.last));
    run.peakBeyondBytes = peakResidentBytes() - before;
    window.button("Command3").click();
    QObject::disconnect(ended);
    QObject::disconnect(connection);
    run.saved = !job->isBusy() && window.lastMessage().isEmpty() && QFileInfo(logPath).size() == run.bytes;
    removeAndSettle(logPath);
    return run;
}

// The empty-slot QTimer at 1 ms for the given time: ticks a second, and
// its longest gap, what the machine's load alone does to the event loop.
struct EmptyTimer
{
    double perSecond = 0;
    double longestGapMs = 0;
};

EmptyTimer emptyTimerRate(double milliseconds)
{
    QTimer empty;
    empty.setTimerType(Qt::PreciseTimer);
    empty.setInterval(1);
    TickWatch watch;
    QObject::connect(&empty, &QTimer::timeout, &empty, [&watch] { watch.tick(); });
    empty.start();
    watch.last = Clock::now();
    const double ran = Measure::runEventLoopFor(int(std::max(200.0, milliseconds)));
    return {double(watch.ticks) * 1000.0 / ran, watch.longestGapMs};
}

// Save through its button while the timer runs, against dd writing the
// same number of bytes with conv=fsync on the same disk, in turns; and
// the empty-slot timer for as long as each save took. An empty `into`
// saves into the window's own folder, on the disk of the build.
void save(benchmark::State &state, qsizetype size, const Plan &plan, const QString &into)
{
    BenchWindow &window = BenchWindow::measured();
    window.fillTo(size);
    const QDir folder(into.isEmpty() ? window.saveFolder() : into);
    window.form().setLogFolders(folder.path(), folder.path());
    const auto restoreFolders =
        qScopeGuard([&window] { window.form().setLogFolders(window.saveFolder(), window.saveFolder()); });
    const QString logPath = folder.filePath(NickLog::FileName);
    const QString ddPath = folder.filePath(QStringLiteral("dd.out"));
    // The timer lists more nicks with every round; the file grows with them.
    const NickList &nicks = *window.list().model();
    qint64 bytes = fileBytes(nicks.snapshot(), 0);
    qsizetype counted = nicks.count();

    Measure::Samples saves;
    Measure::Samples dds;
    // Each save against the dd of its own round: the disk's speed here
    // changes from round to round, alike for both.
    Measure::Samples ratios;
    double longestStall = 0;
    qint64 peakBeyond = 0;
    double tickingMs = 0;
    qint64 ticks = 0;
    double emptyRates = 0;
    double emptyLongestGap = 0;
    // The disk here is much slower on blocks never written before than on
    // blocks written before, and the file system hands a new file the
    // blocks last freed: one unmeasured write of the size first, then the
    // two sides take turns at going first, so neither always gets the
    // other's blocks.
    const auto timeDd = [&] {
        removeAndSettle(ddPath);
        const double ms = ddMilliseconds(ddPath, bytes);
        removeAndSettle(ddPath);
        return ms;
    };
    if (timeDd() <= 0) {
        state.SkipWithError("dd did not run");
        return;
    }
    for (auto _ : state) {
        for (int round = 0; round < plan.saveRounds; ++round) {
            double ddMs = round % 2 == 1 ? timeDd() : 0;
            removeAndSettle(logPath);
            const SaveRun run = saveWhileTicking(window, logPath, [&] {
                const NickStore now = nicks.snapshot();
                bytes += fileBytes(now, counted);
                counted = now.count();
                return bytes;
            });
            if (!run.saved) {
                state.SkipWithError("Save did not write the list of its click");
                return;
            }
            saves.add(run.ms);
            longestStall = std::max(longestStall, run.longestStallMs);
            peakBeyond = std::max(peakBeyond, run.peakBeyondBytes);
            tickingMs += run.ms;
            ticks += run.ticks;
            const EmptyTimer empty = emptyTimerRate(run.ms);
            emptyRates += empty.perSecond;
            emptyLongestGap = std::max(emptyLongestGap, empty.longestGapMs);
            if (round % 2 == 0)
                ddMs = timeDd();
            if (ddMs <= 0) {
                state.SkipWithError("dd did not run");
                return;
            }
            dds.add(ddMs);
            ratios.add(ddMs / run.ms);
            if (std::getenv("QUILLMARK_BENCH_ROUNDS"))
                std::fprintf(stderr, "save round %d: save %.0f ms, dd %.0f ms\n", round, run.ms, ddMs);
        }
    }
    const double megabytes = double(bytes) / 1e6;
    const double tickRate = double(ticks) * 1000.0 / tickingMs;
    const double emptyRate = emptyRates / plan.saveRounds;
    state.counters["bytes"] = double(bytes);
    state.counters["save_MBps"] = megabytes * 1000.0 / saves.median();
    state.counters["dd_MBps"] = megabytes * 1000.0 / dds.median();
    state.counters["ratio"] = ratios.median();
    state.counters["longest_stall_ms"] = longestStall;
    state.counters["ticks_per_s"] = tickRate;
    state.counters["empty_per_s"] = emptyRate;
    state.counters["timer_ratio"] = tickRate / emptyRate;
    state.counters["empty_longest_gap_ms"] = emptyLongestGap;
    state.counters["peak_beyond_list_MiB"] = double(peakBeyond) / (1 << 20);
    state.counters["entries"] = double(window.list().count());
}

// A save into a folder without NIK.log, cancelled through the progress
// dialog's button once half the list is written: the time from the click
// to the save's end, or -1 when a file was left or the user was not told.
double cancelHalfWay(BenchWindow &window, const QString &logPath)
{
    SaveJob *job = window.form().findChild<SaveJob *>(QStringLiteral("saveJob"));
    QEventLoop untilEnded;
    const auto ended = QObject::connect(job, &SaveJob::finished, &untilEnded, &QEventLoop::quit);
    window.button("Command1").click();
    QProgressDialog *dialog = nullptr;
    while (job->isBusy() && (job->written() < job->total() / 2 || !dialog)) {
        Measure::runEventLoopFor(5);
        dialog = window.form().findChild<QProgressDialog *>(QStringLiteral("SaveProgress"));
    }
    if (!job->isBusy()) {
        QObject::disconnect(ended);
        return -1;
    }
    const auto start = Clock::now();
    dialog->findChild<QPushButton *>()->click();
    untilEnded.exec();
    const double ms = Measure::msSince(start);
    QObject::disconnect(ended);
    const bool told = window.lastMessage().startsWith(QStringLiteral("Сохранение отменено"));
    window.forgetMessage();
    return told && !QFileInfo::exists(logPath) ? ms : -1;
}

// The same on a slow disk (QUILLMARK_SLOW_DISK names a folder on it; see
// scripts/bench-slow-disk.sh): one save, for the stall and the timer.
void saveToSlowDisk(benchmark::State &state, const QString &folder, qsizetype entries)
{
    BenchWindow &window = BenchWindow::measured();
    window.fillTo(entries);
    const QString logPath = QDir(folder).filePath(NickLog::FileName);
    window.form().setLogFolders(folder, folder);
    SaveRun run;
    EmptyTimer empty;
    for (auto _ : state) {
        run = saveWhileTicking(window, logPath, [&window] { return fileBytes(window.list().model()->snapshot(), 0); });
        empty = emptyTimerRate(run.ms);
    }
    const double cancelMs = cancelHalfWay(window, logPath);
    window.form().setLogFolders(window.saveFolder(), window.saveFolder());
    if (!run.saved || cancelMs < 0) {
        state.SkipWithError(run.saved ? "Cancel left a file, or did not say so"
                                      : "Save did not write the list of its click");
        return;
    }
    state.counters["cancel_ms"] = cancelMs;
    const double tickRate = double(run.ticks) * 1000.0 / run.ms;
    state.counters["save_ms"] = run.ms;
    state.counters["save_MBps"] = double(run.bytes) / 1e3 / run.ms;
    state.counters["longest_stall_ms"] = run.longestStallMs;
    state.counters["timer_ratio"] = tickRate / empty.perSecond;
    state.counters["empty_longest_gap_ms"] = empty.longestGapMs;
    state.counters["entries"] = double(window.list().count());
}

void memory(benchmark::State &state)
{
    BenchWindow &window = BenchWindow::measured();
    const qsizetype entries = window.list().count();
    qint64 resident = 0;
    for (auto _ : state)
        resident = Measure::residentBytes();
    state.counters["resident_per_nick"] = double(resident - window.residentAtStart()) / double(entries);
    state.counters["heap_per_nick"] = double(heapInUse() - window.heapAtStart()) / double(entries);
    state.counters["entries"] = double(entries);
}

// Erase, and Ctrl+Z bringing the whole list back: what Erase keeps for it
// stays resident until then.
void eraseAll(benchmark::State &state, qsizetype size)
{
    BenchWindow &window = BenchWindow::measured();
    window.fillTo(size);
    // Ctrl+Z is the window's key where the focus is not on a box of its own
    // (an earlier benchmark typed into the interval box).
    activate(window);
    window.button("Command4").setFocus();
    Measure::Samples samples;
    Measure::Samples broughtBack;
    qint64 listed = 0;
    qint64 freed = 0;
    for (auto _ : state) {
        const qsizetype entries = window.list().count();
        // The list's nicks are what the heap holds beyond the empty window.
        listed = heapInUse() - window.heapAtStart();
        const qint64 before = Measure::residentBytes();
        const auto start = Clock::now();
        window.button("Command4").click();
        samples.add(Measure::msSince(start));
        if (window.list().count() != 0 || window.counter().text() != QStringLiteral("0")) {
            state.SkipWithError("Erase left entries or a count");
            return;
        }
        freed = before - Measure::residentBytes();
        const auto undo = Clock::now();
        QTest::keySequence(window.form().windowHandle(), QKeySequence::Undo);
        broughtBack.add(Measure::msSince(undo));
        // The counter counts them from 0 again (the fill does not count).
        if (window.list().count() != entries || window.counter().text() != QString::number(entries)) {
            state.SkipWithError("Ctrl+Z did not bring the list back");
            return;
        }
    }
    state.counters["median_ms"] = samples.median();
    state.counters["bring_back_ms"] = broughtBack.median();
    state.counters["kept_MiB"] = double(listed) / 1048576;
    state.counters["freed_by_erase_MiB"] = double(freed) / 1048576;
    state.counters["entries"] = double(window.list().count());
}

template <typename Function, typename... Args>
benchmark::internal::Benchmark *add(const std::string &name, Function function, int iterations, Args... args)
{
    return benchmark::RegisterBenchmark(name.c_str(), function, args...)
        ->Iterations(iterations)
        ->Unit(benchmark::kMillisecond);
}

} // namespace

void registerBigStage(const Plan &plan, qsizetype size)
{
    add(named("tick", size), tick, plan.tickIterations, size);
    add(named("save", size), save, 1, size, plan, QString());
    add(named("memory", size), memory, 1);
}

void registerSlowDiskSave(const Plan &plan, const QString &folder, qsizetype entries)
{
    add("save_slow_disk", saveToSlowDisk, 1, folder, entries);
    add("save_slow_disk_against_dd", save, 1, entries, plan, folder);
}

void registerWindowStage(const Plan &plan, qsizetype size, bool last)
{
    add(named("tick", size), tick, plan.tickIterations, size);
    add(named("list_append", size), listAppend, plan.opIterations, size);
    add(named("list_click", size), listClick, plan.opIterations, size, plan);
    add(named("list_key", size), listKey, plan.opIterations, size, plan);
    add(named("list_paint", size), listPaint, plan.opIterations, size, plan);
    add(named("list_scroll", size), listScroll, plan.opIterations, size, plan);
    if (size > 0) {
        add(named("timer_rate", size), timerRate, 1, size, plan);
        add(named("save", size), save, 1, size, plan, QString());
    }
    if (last) {
        add(named("memory", size), memory, 1);
        add(named("erase", size), eraseAll, 1, size);
    }
}
