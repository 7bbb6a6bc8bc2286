#include "ui/access/buttonrowaccessible.h"

#include <QApplication>

QAccessible::State ButtonRowAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.focused = QApplication::focusWidget() == widget();
    return state;
}
