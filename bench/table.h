#pragma once

#include "plan.h"

#include <benchmark/benchmark.h>

#include <map>
#include <string>

// Keeps every run's figures, printing only a line of progress per run, and
// at the end prints them as one table against the targets.
class TableReporter : public benchmark::BenchmarkReporter
{
public:
    bool ReportContext(const Context &context) override;
    void ReportRuns(const std::vector<Run> &runs) override;

    bool anyFailed() const { return m_failed; }
    void printTable(const Plan &plan) const;

private:
    // NaN when the benchmark did not run or has no such figure.
    double figure(const std::string &benchmark, const char *counter) const;

    std::map<std::string, Run> m_runs;
    bool m_failed = false;
};
