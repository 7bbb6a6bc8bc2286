#pragma once

#include "ui/access/announcer.h"

#include <QAccessibleWidget>
#include <QWidget>

// A top-level window as a screen reader should meet it: a frame or a dialog
// (a plain widget would be an unnamed filler, with no title to read), named
// by its accessible name and described by its accessible description, while
// the title the window system shows stays as it is. A window that speaks
// through an Announcer lists the announcer's status line as its last child.
class WindowAccessible : public QAccessibleWidget
{
public:
    WindowAccessible(QWidget *window, QAccessible::Role role) : QAccessibleWidget(window, role) {}

    int childCount() const override { return QAccessibleWidget::childCount() + (statusLine() ? 1 : 0); }
    QAccessibleInterface *child(int index) const override
    {
        if (index == QAccessibleWidget::childCount())
            return statusLine();
        return QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (child && child == statusLine())
            return QAccessibleWidget::childCount();
        return QAccessibleWidget::indexOfChild(child);
    }

private:
    QAccessibleInterface *statusLine() const
    {
        const auto *announcer = widget()->findChild<Announcer *>(QString(), Qt::FindDirectChildrenOnly);
        return announcer ? announcer->statusLine() : nullptr;
    }
};
