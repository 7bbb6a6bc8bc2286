// Runs the benchmarks on the program's own code and prints one table of the
// figures against their targets. `--smoke` runs each once at a small size;
// `--a11y` judges the timer by its target with a screen reader listening;
// Google Benchmark's own flags (--benchmark_filter, --benchmark_out) work too.
#include "benchwindow.h"
#include "plan.h"
#include "table.h"

#include "ui/access/accessibility.h"
#include "ui/common/look.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

bool takeFlag(int &argc, char **argv, const char *flag)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], flag) == 0) {
            for (int j = i; j < argc; ++j)
                argv[j] = argv[j + 1];
            --argc;
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    const bool smoke = takeFlag(argc, argv, "--smoke");
    const bool listened = takeFlag(argc, argv, "--a11y");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    Look::install(app);
    Accessibility::install();
    Plan plan = smoke ? Plan::smokeRun() : Plan::full();
    if (listened)
        plan.timerTargetPercent = 90;

    registerStartup(plan);
    for (std::size_t i = 0; i < plan.listSizes.size(); ++i)
        registerWindowStage(plan, plan.listSizes[i], i + 1 == plan.listSizes.size());
    for (const qsizetype size : plan.bigSizes)
        registerBigStage(plan, size);
    const QString slowDisk = qEnvironmentVariable("QUILLMARK_SLOW_DISK");
    if (!slowDisk.isEmpty())
        registerSlowDiskSave(plan, slowDisk, qEnvironmentVariableIntValue("QUILLMARK_SLOW_ENTRIES"));
    registerListWidget(plan);

    TableReporter table;
    {
        // The reference first, so the measured window's memory baseline holds it.
        BenchWindow reference(BenchWindow::Role::Reference);
        BenchWindow measured(BenchWindow::Role::Measured);
        benchmark::RunSpecifiedBenchmarks(&table);
        releaseListWidget();
    }
    benchmark::Shutdown();
    table.printTable(plan);
    return table.anyFailed() ? 1 : 0;
}
