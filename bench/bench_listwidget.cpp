// A QListWidget the size of the window's list, for comparison: the same
// append-and-repaint and the same memory measure, both as it comes and with
// uniform item sizes (its quickest layout).
#include "benchwindow.h"
#include "plan.h"

#include "ui/list/nicklistbox.h"

#include <QListWidget>
#include <QScrollBar>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

using Measure::Clock;

namespace {

class ListWidgetFixture
{
public:
    static ListWidgetFixture &get(bool uniform)
    {
        if (!instance || instance->m_view->uniformItemSizes() != uniform) {
            instance.reset(); // first, so its memory is not counted again
            instance.reset(new ListWidgetFixture(uniform));
        }
        return *instance;
    }
    static void release() { instance.reset(); }

    QListWidget &view() { return *m_view; }
    qint64 residentAtStart() const { return m_residentAtStart; }
    void fillTo(qsizetype entries)
    {
        // In batches, the quickest way a QListWidget takes many rows.
        while (m_view->count() < entries) {
            QStringList batch;
            const qsizetype size = std::min<qsizetype>(100'000, entries - m_view->count());
            for (qsizetype i = 0; i < size; ++i)
                batch.append(nickFor(m_view->count() + i));
            m_view->addItems(batch);
        }
        QCoreApplication::processEvents();
        m_view->viewport()->repaint();
    }

private:
    // Six capital letters, like the nicks the window's list holds.
    static QString nickFor(qsizetype i)
    {
        char16_t letters[6];
        for (char16_t &letter : letters) {
            letter = char16_t(u'A' + i % 26);
            i /= 26;
        }
        return QStringView(letters, 6).toString();
    }

    explicit ListWidgetFixture(bool uniform)
    {
        m_residentAtStart = Measure::residentBytes();
        m_view = std::make_unique<QListWidget>();
        m_view->setUniformItemSizes(uniform);
        m_view->resize(BenchWindow::measured().list().size());
        m_view->show();
        if (!QTest::qWaitForWindowExposed(m_view.get()))
            qFatal("the QListWidget was never shown");
    }

    static inline std::unique_ptr<ListWidgetFixture> instance;
    std::unique_ptr<QListWidget> m_view;
    qint64 m_residentAtStart = 0;
};

void widgetAppend(benchmark::State &state, qsizetype size, bool uniform)
{
    ListWidgetFixture &fixture = ListWidgetFixture::get(uniform);
    fixture.fillTo(size);
    QListWidget &view = fixture.view();
    Measure::PaintWatch paints;
    const std::vector<QWidget *> surfaces{view.viewport(), view.verticalScrollBar()};
    for (QWidget *surface : surfaces)
        paints.watch(surface);

    Measure::Samples samples;
    for (auto _ : state) {
        const std::vector<int> before = paints.counts(surfaces);
        const auto start = Clock::now();
        view.addItem(QStringLiteral("QUILLM"));
        if (!paints.waitForAny(surfaces, before)) {
            state.SkipWithError("the QListWidget was not repainted after an append");
            break;
        }
        samples.add(Measure::msSince(start));
    }
    state.counters["median_ms"] = samples.median();
    state.counters["max_ms"] = samples.max();
    state.counters["entries"] = double(view.count());
}

void widgetMemory(benchmark::State &state, bool uniform)
{
    ListWidgetFixture &fixture = ListWidgetFixture::get(uniform);
    qint64 resident = 0;
    for (auto _ : state)
        resident = Measure::residentBytes();
    const double entries = double(fixture.view().count());
    state.counters["resident_per_entry"] = double(resident - fixture.residentAtStart()) / entries;
    state.counters["entries"] = entries;
}

} // namespace

void registerListWidget(const Plan &plan)
{
    for (const bool uniform : {false, true}) {
        const std::string kind = uniform ? "qlistwidget_uniform" : "qlistwidget";
        const std::vector<qsizetype> &sizes = uniform ? plan.uniformWidgetSizes : plan.widgetSizes;
        for (const qsizetype size : sizes) {
            benchmark::RegisterBenchmark((kind + "_append/" + std::to_string(size)).c_str(), widgetAppend,
                                         size, uniform)
                ->Iterations(plan.widgetIterations(size))
                ->Unit(benchmark::kMillisecond);
        }
        benchmark::RegisterBenchmark((kind + "_memory/" + std::to_string(sizes.back())).c_str(), widgetMemory,
                                     uniform)
            ->Iterations(1);
    }
}

void releaseListWidget()
{
    ListWidgetFixture::release();
}
