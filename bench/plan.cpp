#include "plan.h"

Plan Plan::full()
{
    Plan plan;
    plan.listSizes = {0, 1'000'000, 10'000'000};
    // A timer at 1 ms for a day lists 86.4 million.
    plan.bigSizes = {100'000'000};
    // As it comes, QListWidget takes seconds an append at 1 M.
    plan.widgetSizes = {0, 10'000, 100'000};
    plan.uniformWidgetSizes = {0, 100'000, 1'000'000};
    plan.timerMilliseconds = 5000;
    plan.saveRounds = 5;
    plan.startRuns = 11;
    plan.tickIterations = 2000;
    plan.opIterations = 500;
    return plan;
}

Plan Plan::smokeRun()
{
    Plan plan;
    plan.smoke = true;
    plan.listSizes = {0, 2000, 20'000};
    plan.widgetSizes = {0, 1000};
    plan.uniformWidgetSizes = {0, 1000};
    plan.timerMilliseconds = 200;
    plan.saveRounds = 1;
    plan.startRuns = 1;
    plan.tickIterations = 1;
    plan.opIterations = 1;
    return plan;
}

int Plan::widgetIterations(qsizetype size) const
{
    if (smoke)
        return 1;
    if (size >= 100'000)
        return 20;
    return size >= 10'000 ? 100 : 500;
}
