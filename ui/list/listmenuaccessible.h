#pragma once

#include <QAccessibleWidget>
#include <QHash>
#include <QMenu>

// The list's context menu: a menu of a class of its own, whose interface
// Qt's factory for its own widgets leaves to ListMenuAccessible.
class ListMenu : public QMenu
{
    Q_OBJECT
public:
    using QMenu::QMenu;
};

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

    // For QAccessible::installFactory: the interface of a ListMenu.
    static QAccessibleInterface *factory(const QString &className, QObject *object);

    QAccessibleInterface *parent() const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;

private:
    QMenu *menu() const;

    mutable QHash<QAction *, QAccessible::Id> m_items;
};
