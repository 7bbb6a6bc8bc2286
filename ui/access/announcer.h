#pragma once

#include <QAccessible>
#include <QObject>
#include <QString>

class QAccessibleInterface;
class QWidget;

// Tells a screen reader a short message without moving the focus or showing
// anything: the window's status line (a status bar only screen readers see)
// takes the message, and a notification inside it shows. Orca speaks a
// notification that shows wherever the focus is, queued behind what it is
// saying, and names no role for one inside a status bar; its "read status
// bar" command reads the last message again.
class Announcer : public QObject
{
    Q_OBJECT
public:
    explicit Announcer(QWidget *window);
    ~Announcer() override;

    void announce(const QString &message);
    QString message() const { return m_message; }

    QWidget *window() const;
    // The status line, for the window's own interface to list as its last child.
    QAccessibleInterface *statusLine() const;

private:
    QString m_message;
    QAccessible::Id m_statusLine = 0;
};
