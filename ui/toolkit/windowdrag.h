#pragma once

#include <QObject>
#include <QPoint>

class QMouseEvent;
class QWidget;

// Moves a window without a title bar by a press on its bare background: a
// press that no control in the window took. The left button hands the move
// to the window manager; any other button, or a desktop without a window
// manager, moves the window by following the pointer until the release.
class WindowDrag : public QObject
{
    Q_OBJECT
public:
    explicit WindowDrag(QWidget *window);

    // Without a window manager there is no system move: follow the pointer.
    static void setSystemMoveEnabled(bool enabled);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool press(QMouseEvent *event);

    QWidget *m_window;
    bool m_followingPointer = false;
    QPoint m_pressOffset;
};
