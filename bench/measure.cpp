#include "measure.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <algorithm>

#include <malloc.h>
#include <unistd.h>

namespace Measure {

double Samples::median() const
{
    if (m_values.empty())
        return 0;
    std::vector<double> sorted = m_values;
    const auto middle = sorted.begin() + std::ptrdiff_t(sorted.size() / 2);
    std::nth_element(sorted.begin(), middle, sorted.end());
    return *middle;
}

double Samples::max() const
{
    return m_values.empty() ? 0 : *std::max_element(m_values.begin(), m_values.end());
}

qint64 residentBytes()
{
    malloc_trim(0);
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    if (fields.size() < 2)
        return -1;
    return fields.at(1).toLongLong() * sysconf(_SC_PAGESIZE);
}

void resetPeakResident()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

void PaintWatch::watch(QWidget *widget)
{
    widget->installEventFilter(this);
    m_paints.insert(widget, 0);
}

int PaintWatch::paints(const QWidget *widget) const
{
    return m_paints.value(widget);
}

std::vector<int> PaintWatch::counts(const std::vector<QWidget *> &widgets) const
{
    std::vector<int> result;
    for (const QWidget *widget : widgets)
        result.push_back(paints(widget));
    return result;
}

bool PaintWatch::waitForAny(const std::vector<QWidget *> &widgets, const std::vector<int> &before)
{
    const auto start = Clock::now();
    for (;;) {
        for (std::size_t i = 0; i < widgets.size(); ++i) {
            if (paints(widgets[i]) != before[i])
                return true;
        }
        if (msSince(start) > 10'000)
            return false;
        QCoreApplication::processEvents();
    }
}

bool PaintWatch::eventFilter(QObject *object, QEvent *event)
{
    if (event->type() == QEvent::Paint) {
        auto found = m_paints.find(object);
        if (found != m_paints.end())
            ++*found;
    }
    return false;
}

double runEventLoopFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    const auto start = Clock::now();
    loop.exec();
    return msSince(start);
}

} // namespace Measure
