#include "ui/common/buttonrowaccessible.h"

#include <QApplication>
#include <QDialogButtonBox>

QAccessibleInterface *ButtonRowAccessible::factory(const QString &, QObject *object)
{
    auto *row = qobject_cast<QDialogButtonBox *>(object);
    return row ? new ButtonRowAccessible(row) : nullptr;
}

QAccessible::State ButtonRowAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.focused = QApplication::focusWidget() == widget();
    return state;
}
