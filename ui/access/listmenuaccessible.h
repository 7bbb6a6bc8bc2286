#pragma once

#include "ui/list/listmenu.h"

#include <QAccessibleWidget>
#include <QHash>

// What a screen reader sees of the list's context menu: Qt's own view of a
// menu, but inside the list's group rather than beside the window. Qt makes
// a popup menu a window of its own, and Orca, as the focus comes back from
// it to the list, names everything the two do not share: the window, the
// group, then the nick. Inside the group, it names just the nick (or the
// list), which is where the focus is.
class ListMenuAccessible : public QAccessibleWidget
{
public:
    explicit ListMenuAccessible(ListMenu *menu);
    ~ListMenuAccessible() override;

    QAccessibleInterface *parent() const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;

private:
    QMenu *menu() const;

    mutable QHash<QAction *, QAccessible::Id> m_items;
};
