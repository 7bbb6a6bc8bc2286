#include "ui/access/slotselectoraccessible.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

// The children and texts are those Qt gives every editable combo box, as a
// selector is: its list, then its edit field, which holds the selector's
// accessible focus.

SlotSelectorAccessible::SlotSelectorAccessible(QComboBox *selector)
    : QAccessibleWidget(selector, QAccessible::ComboBox)
{
}

QComboBox *SlotSelectorAccessible::selector() const
{
    return static_cast<QComboBox *>(widget());
}

int SlotSelectorAccessible::childCount() const
{
    return 2;
}

QAccessibleInterface *SlotSelectorAccessible::child(int index) const
{
    if (index == 0)
        return QAccessible::queryAccessibleInterface(selector()->view());
    if (index == 1)
        return QAccessible::queryAccessibleInterface(selector()->lineEdit());
    return nullptr;
}

int SlotSelectorAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (child->object() == selector()->view())
        return 0;
    if (child->object() == selector()->lineEdit())
        return 1;
    return -1;
}

QAccessibleInterface *SlotSelectorAccessible::focusChild() const
{
    return child(1);
}

QString SlotSelectorAccessible::text(QAccessible::Text t) const
{
    QString text;
    // On Linux a combo box's name is its value; its label is told through
    // the label's relation.
    if (t == QAccessible::Name || t == QAccessible::Value)
        text = selector()->lineEdit()->text();
    return text.isEmpty() ? QAccessibleWidget::text(t) : text;
}

QAccessible::State SlotSelectorAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.expandable = true;
    state.expanded = selector()->view()->isVisible();
    state.editable = selector()->isEditable();
    return state;
}

QStringList SlotSelectorAccessible::actionNames() const
{
    return {showMenuAction(), pressAction()};
}

// Either of its two actions: a reader asks for them by their place in
// actionNames().
void SlotSelectorAccessible::doAction(const QString &)
{
    if (selector()->view()->isVisible())
        selector()->hidePopup();
    else
        selector()->showPopup();
}
