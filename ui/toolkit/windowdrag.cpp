#include "ui/toolkit/windowdrag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace {
bool systemMoveEnabled = true;
}

WindowDrag::WindowDrag(QWidget *window) : QObject(window), m_window(window)
{
    window->installEventFilter(this);
}

void WindowDrag::setSystemMoveEnabled(bool enabled)
{
    systemMoveEnabled = enabled;
}

bool WindowDrag::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return press(static_cast<QMouseEvent *>(event));
    case QEvent::MouseMove:
        if (m_followingPointer)
            m_window->move(static_cast<QMouseEvent *>(event)->globalPosition().toPoint() - m_pressOffset);
        return m_followingPointer;
    case QEvent::MouseButtonRelease:
        if (m_followingPointer && static_cast<QMouseEvent *>(event)->buttons() == Qt::NoButton)
            m_followingPointer = false;
        return false;
    default:
        return false;
    }
}

bool WindowDrag::press(QMouseEvent *event)
{
    // Only the bare background moves the window (the outline lines let the
    // press through); a press that a control let fall through does not.
    if (m_window->childAt(event->position().toPoint()))
        return false;
    event->accept();
    // The window manager's move follows the left button only: with any other
    // button it would never see the release and go on moving.
    if (event->button() == Qt::LeftButton && systemMoveEnabled && m_window->windowHandle() &&
        m_window->windowHandle()->startSystemMove())
        return true;
    m_followingPointer = true;
    m_pressOffset = event->globalPosition().toPoint() - m_window->pos();
    return true;
}
