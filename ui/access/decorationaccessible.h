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

// For QAccessible::installFactory: that description for every widget of
// class Widget.
template <typename Widget, QAccessible::Role Role>
QAccessibleInterface *decorationFactory(const QString &, QObject *object)
{
    auto *widget = qobject_cast<Widget *>(object);
    return widget ? new DecorationAccessible(widget, Role) : nullptr;
}
