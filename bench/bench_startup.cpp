// From starting the program to its first painted main window, measured on
// a copy of main() that reports the moment of the first paint.
#include "measure.h"
#include "plan.h"

#include <QProcess>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

void startup(benchmark::State &state, int runs)
{
    Measure::Samples samples;
    for (auto _ : state) {
        for (int run = 0; run < runs; ++run) {
            QProcess probe;
            const auto start = std::chrono::steady_clock::now().time_since_epoch();
            probe.start(QStringLiteral(QUILLMARK_STARTPROBE), {});
            bool parsed = false;
            const qint64 painted = probe.waitForFinished(20'000) && probe.exitCode() == 0
                                       ? probe.readAllStandardOutput().trimmed().toLongLong(&parsed)
                                       : 0;
            if (!parsed) {
                state.SkipWithError("the start-up probe did not report a painted window");
                return;
            }
            samples.add(double(painted - std::chrono::nanoseconds(start).count()) / 1e6);
        }
    }
    state.counters["median_ms"] = samples.median();
    state.counters["max_ms"] = samples.max();
    state.counters["runs"] = runs;
}

} // namespace

void registerStartup(const Plan &plan)
{
    benchmark::RegisterBenchmark("startup", startup, plan.startRuns)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
}
