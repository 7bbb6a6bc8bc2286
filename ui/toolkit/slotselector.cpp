#include "ui/toolkit/slotselector.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>

SlotSelector::SlotSelector(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    // A selector keeps the system's field colours (white field, black text),
    // whatever its container's palette would hand down.
    QPalette field = palette();
    field.setColor(QPalette::Base, QApplication::palette().color(QPalette::Base));
    field.setColor(QPalette::Text, QApplication::palette().color(QPalette::Text));
    setPalette(field);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { m_typedInto = true; });
    // A pick from the list, by mouse or by the arrow keys.
    connect(this, &QComboBox::activated, this, [this] { m_typedInto = false; });
}

int SlotSelector::listIndex() const
{
    return m_typedInto ? -1 : currentIndex();
}

void SlotSelector::setListIndex(int index)
{
    m_typedInto = false;
    setCurrentIndex(index);
}

void SlotSelector::keyPressEvent(QKeyEvent *event)
{
    // Return would select an item whose text matches the typed text.
    if (m_typedInto && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->ignore();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void SlotSelector::focusOutEvent(QFocusEvent *event)
{
    QComboBox::focusOutEvent(event);
    // Once the list has been open, its current entry says it is focused for
    // as long as it stays current, and a screen reader would find two
    // focused controls. The list, which takes the focus as it opens, sets
    // it again each time.
    if (!view()->isVisible())
        view()->selectionModel()->clearCurrentIndex();
    // The edit field has the selector's focus and says so, but a screen
    // reader hears only of the selector losing it, and Orca keeps the
    // field's state once read: it would go on finding the focus there. So
    // the field gets a new interface, which a reader reads afresh.
    if (!QAccessible::isActive())
        return;
    if (QAccessibleInterface *field = QAccessible::queryAccessibleInterface(lineEdit()))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(field));
}
