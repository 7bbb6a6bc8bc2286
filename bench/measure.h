#pragma once

#include <QHash>
#include <QObject>

#include <chrono>
#include <vector>

class QWidget;

// Small tools the benchmarks share: a clock, per-iteration samples, the
// process's resident memory, and a way to wait until a widget has painted.
namespace Measure {

using Clock = std::chrono::steady_clock;

inline double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Durations of single iterations, in milliseconds.
class Samples
{
public:
    void add(double ms) { m_values.push_back(ms); }
    bool empty() const { return m_values.empty(); }
    double median() const;
    double max() const;

private:
    std::vector<double> m_values;
};

// Resident set size of this process, after handing freed heap memory back to
// the system, so that what is counted is what is in use.
qint64 residentBytes();
// Resets the peak resident size (VmHWM) that peakResidentBytes() reads
// (processmemory.h).
void resetPeakResident();

// Counts the paint events of the widgets it watches, so a benchmark can time
// an action up to the moment its result is on screen.
class PaintWatch : public QObject
{
public:
    void watch(QWidget *widget);
    int paints(const QWidget *widget) const;
    // Runs the event loop until one of the widgets has painted again since
    // the counts in `before` were taken; false after ten seconds without.
    bool waitForAny(const std::vector<QWidget *> &widgets, const std::vector<int> &before);
    bool waitFor(QWidget *widget, int before) { return waitForAny({widget}, {before}); }
    std::vector<int> counts(const std::vector<QWidget *> &widgets) const;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    QHash<const QObject *, int> m_paints;
};

// Runs the event loop for the given time; returns the time it really ran.
double runEventLoopFor(int milliseconds);

} // namespace Measure
