#pragma once

#include <QAccessibleWidget>

class QComboBox;

// What a screen reader reads of a selector: Qt 6.4's own combo-box
// interface, less the key it gives as the selector's shortcut. Qt reports
// Down (QAccessibleComboBox::text(Accelerator)), its bridge hands that on as
// the key binding, and Orca ends every Where-am-I on a selector with "Down",
// a key that is no shortcut: it moves to the next item only once the
// list is open. A label's real shortcut, were a selector to have one, is
// still told. Which child lies at a point, and what each action is said to
// do, are as Qt tells them for any widget.
class SlotSelectorAccessible : public QAccessibleWidget
{
public:
    explicit SlotSelectorAccessible(QComboBox *selector); // an editable one

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *focusChild() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;

    // QAccessibleActionInterface
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    QComboBox *selector() const;
};
