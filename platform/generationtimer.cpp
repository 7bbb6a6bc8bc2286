#include "platform/generationtimer.h"

GenerationTimer::GenerationTimer(QObject *parent) : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &GenerationTimer::tick);
}

bool GenerationTimer::setInterval(qint64 milliseconds)
{
    if (milliseconds < 0 || milliseconds > MaxInterval)
        return false;
    m_interval = milliseconds;
    apply();
    return true;
}

void GenerationTimer::setEnabled(bool enabled)
{
    m_enabled = enabled;
    apply();
}

void GenerationTimer::apply()
{
    if (m_enabled && m_interval > 0) {
        // start() restarts a running timer, so a new interval counts from now.
        m_timer.start(static_cast<int>(m_interval));
    } else {
        m_timer.stop();
    }
}
