#pragma once

#include <QAccessibleWidget>
#include <QHash>

class NickListBox;

// What a screen reader sees of the nick list: a list whose entries are list
// items named by their nicks. An entry's interface is made only when the
// screen reader asks for that entry, so a list of millions costs nothing
// until then; made ones are kept (Qt hands out their ids) until the list
// goes.
class NickListAccessible : public QAccessibleWidget
{
public:
    explicit NickListAccessible(NickListBox *list);
    ~NickListAccessible() override;

    // For QAccessible::installFactory: the interface of a NickListBox.
    static QAccessibleInterface *factory(const QString &className, QObject *object);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

private:
    NickListBox *list() const;

    mutable QHash<qsizetype, QAccessible::Id> m_items;
};
