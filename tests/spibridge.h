#pragma once

#include <QCoreApplication>
#include <QKeyEvent>
#include <QList>
#include <QPointer>
#include <QTimer>

// Does with keys what Qt's AT-SPI bridge does while a screen reader listens
// (qspiapplicationadaptor.cpp): takes every key the window system delivers
// and posts a copy to its target when the reader declines the key, or, when
// the reader does not answer within 100 ms, posts every key it holds at once.
class SpiBridge : public QObject
{
public:
    enum Reader
    {
        Declines,
        Silent
    };

    explicit SpiBridge(Reader reader) : m_reader(reader)
    {
        m_gaveUp.setSingleShot(true);
        connect(&m_gaveUp, &QTimer::timeout, this, [this] {
            while (!m_held.isEmpty())
                handBack();
        });
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *target, QEvent *event) override
    {
        if (!event->spontaneous() ||
            (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease))
            return false;
        const auto *key = static_cast<const QKeyEvent *>(event);
        m_held.append({target, new QKeyEvent(key->type(), key->key(), key->modifiers(), key->text())});
        if (m_reader == Declines)
            QTimer::singleShot(0, this, [this] { handBack(); });
        else if (!m_gaveUp.isActive())
            m_gaveUp.start(100);
        return true;
    }

private:
    void handBack()
    {
        const auto [target, copy] = m_held.takeFirst();
        if (target)
            QCoreApplication::postEvent(target, copy);
        else
            delete copy;
    }

    Reader m_reader;
    QTimer m_gaveUp;
    QList<std::pair<QPointer<QObject>, QKeyEvent *>> m_held;
};
