#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QList>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <functional>

// Does with keys what Qt 6.4's AT-SPI bridge does while a screen reader
// listens (qspiapplicationadaptor.cpp): takes every key press and release
// the window system delivers, asks the reader about it and queues a copy.
// An answer that comes within 100 ms hands back the oldest copy queued,
// whichever key it was about (dropped if the reader took its key); a question left unanswered 100 ms hands back
// every copy queued at once. The reader answers in the order it is asked.
class SpiBridge : public QObject
{
public:
    static constexpr qint64 Never = 1'000'000'000;
    static constexpr qint64 Takes = -1; // the reader takes the key as its own, at once
    // How long the reader takes to decline a key, in ms, once it is free; or Takes.
    using Reader = std::function<qint64(const QKeyEvent &)>;

    explicit SpiBridge(Reader reader) : m_reader(std::move(reader))
    {
        m_clock.start();
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *target, QEvent *event) override
    {
        if (!event->spontaneous() || (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease))
            return false;
        const auto *key = static_cast<const QKeyEvent *>(event);
        m_held.append({target, new QKeyEvent(key->type(), key->key(), key->modifiers(), key->text())});
        const qint64 asked = m_clock.elapsed();
        const qint64 answer = m_reader(*key);
        m_answered = std::max(asked + std::max<qint64>(answer, 0), m_answered);
        if (m_answered - asked < 100)
            QTimer::singleShot(int(m_answered - asked), Qt::PreciseTimer, this, [this, answer] {
                if (!m_held.isEmpty())
                    handBack(answer != Takes);
            });
        else
            QTimer::singleShot(100, Qt::PreciseTimer, this, [this] {
                while (!m_held.isEmpty())
                    handBack();
            });
        return true;
    }

private:
    void handBack(bool declined = true)
    {
        const auto [target, copy] = m_held.takeFirst();
        if (target && declined)
            QCoreApplication::postEvent(target, copy);
        else
            delete copy;
    }

    Reader m_reader;
    QElapsedTimer m_clock;
    qint64 m_answered = 0; // when the reader answers the last question asked
    QList<std::pair<QPointer<QObject>, QKeyEvent *>> m_held;
};
