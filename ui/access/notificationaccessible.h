#pragma once

#include "ui/access/announcer.h"

#include <QAccessibleObject>
#include <QWidget>
#include <QWindow>

// The notification: the message, shown anew for each announcement.
class NotificationAccessible : public QAccessibleObject
{
public:
    explicit NotificationAccessible(Announcer *announcer) : QAccessibleObject(announcer) {}

    Announcer *announcer() const { return static_cast<Announcer *>(object()); }
    QWindow *window() const override { return announcer()->window()->windowHandle(); }
    QAccessibleInterface *parent() const override { return announcer()->statusLine(); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? announcer()->message() : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }
};
