#pragma once

#include <QString>

#include <functional>

class QWidget;

// Modal message boxes. The style numbers are the ones the program's messages
// are written with.
namespace MessageBox {

enum class Style {
    OkOnly = 0,       // one OK button, no icon
    Warning = 48,     // warning icon and an OK button
    Information = 64, // information icon and an OK button
};

// Shows the box and returns when the user has dismissed it.
void show(QWidget *parent, const QString &text, const QString &title, Style style);

// Tests of logic without a window replace the real box; an empty function
// puts the real one back.
using Presenter = std::function<void(QWidget *parent, const QString &text, const QString &title, Style style)>;
void setPresenter(Presenter presenter);

} // namespace MessageBox
