#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

// What the benchmarks run: the full plan measures at the sizes the targets
// name; the smoke plan runs every benchmark once at a small size, to show
// that they still work.
struct Plan
{
    bool smoke = false;
    std::vector<qsizetype> listSizes;          // the program's list, smallest first
    std::vector<qsizetype> bigSizes;           // then only tick, Save and memory, cheap to fill
    std::vector<qsizetype> widgetSizes;        // QListWidget, for comparison
    std::vector<qsizetype> uniformWidgetSizes; // the same with uniform item sizes
    qsizetype opsMinimum = 1000;               // selection, paint and scroll need rows
    int timerMilliseconds = 0;
    int saveRounds = 0;
    int startRuns = 0;
    int tickIterations = 0;
    int opIterations = 0;
    // The 1 ms timer against an empty slot; a screen reader listening
    // (--a11y) is allowed more, as every tick is told to it.
    int timerTargetPercent = 95;

    static Plan full();
    static Plan smokeRun();
    // Iterations of QListWidget's append at a size (it slows with the size).
    int widgetIterations(qsizetype size) const;
};

// Registers every benchmark in the order they must run: the window's list
// only grows from one size to the next.
void registerStartup(const Plan &plan);
void registerWindowStage(const Plan &plan, qsizetype size, bool last);
void registerBigStage(const Plan &plan, qsizetype size);
// A save of a list of at least `entries` into a folder on a slow disk.
void registerSlowDiskSave(const Plan &plan, const QString &folder, qsizetype entries);
void registerListWidget(const Plan &plan);
// Closes the QListWidget before the application goes.
void releaseListWidget();
