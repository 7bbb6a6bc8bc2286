#pragma once

#include <QAccessibleWidget>

// A dialog's row of buttons (a message box's OK) as a screen reader meets it:
// a panel that says it is focused only when it has the focus itself. Qt's own
// says so whenever the button it lends its focus to has it, and a reader that
// looks for the focus would find two objects.
class ButtonRowAccessible : public QAccessibleWidget
{
public:
    explicit ButtonRowAccessible(QWidget *row) : QAccessibleWidget(row, QAccessible::Grouping) {}

    QAccessible::State state() const override;
};
