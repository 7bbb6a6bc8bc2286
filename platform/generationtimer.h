#pragma once

#include <QObject>
#include <QTimer>

// A timer with the rules the program relies on: the interval is whole
// milliseconds from 0 to 65535 and any other value is refused, leaving the
// timer as it was; at interval 0 an enabled timer delivers no ticks (Qt's
// would fire on every pass of the event loop); a new interval takes effect at
// once on a running timer.
class GenerationTimer : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 MaxInterval = 65535;

    explicit GenerationTimer(QObject *parent = nullptr);

    qint64 interval() const { return m_interval; }
    bool setInterval(qint64 milliseconds);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    // True while ticks are actually being delivered.
    bool isTicking() const { return m_timer.isActive(); }

Q_SIGNALS:
    void tick();

private:
    void apply();

    QTimer m_timer;
    qint64 m_interval = 0;
    bool m_enabled = false;
};
