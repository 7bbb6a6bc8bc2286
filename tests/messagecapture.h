#pragma once

#include "ui/toolkit/messagebox.h"
#include "ui/toolkit/screenpointer.h"

#include <QCursor>
#include <QGuiApplication>
#include <QList>

// The pointer the user sees over every window of the program.
inline ScreenPointer::Shape shownPointer()
{
    const QCursor *cursor = QGuiApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor ? ScreenPointer::Shape::Hourglass
                                                       : ScreenPointer::Shape::Default;
}

// Records the message boxes shown while it lives, instead of showing them,
// with the pointer shape the user saw over each.
struct ShownMessage
{
    QString text;
    QString title;
    MessageBox::Style style;
    ScreenPointer::Shape pointerWhileShown;
};

class MessageCapture
{
public:
    MessageCapture()
    {
        MessageBox::setPresenter(
            [this](QWidget *, const QString &text, const QString &title, MessageBox::Style style) {
                shown.append({text, title, style, shownPointer()});
            });
    }
    ~MessageCapture() { MessageBox::setPresenter({}); }
    MessageCapture(const MessageCapture &) = delete;
    MessageCapture &operator=(const MessageCapture &) = delete;

    QList<ShownMessage> shown;
};
