#pragma once

#include <QAccessibleWidget>

// What a screen reader is told of a widget that only decorates (an outline,
// a button's face): a separator or a picture without a name, never showing,
// so it neither clutters the window's tree nor borrows a frame's caption.
// The control it belongs to speaks for it.
class DecorationAccessible : public QAccessibleWidget
{
public:
    DecorationAccessible(QWidget *widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    QString text(QAccessible::Text) const override { return {}; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = true;
        return state;
    }
};
