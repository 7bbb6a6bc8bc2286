#pragma once

#include "platform/widgets/messagebox.h"

#include <QList>

// Records the message boxes shown while it lives, instead of showing them.
struct ShownMessage
{
    QString text;
    QString title;
    MessageBox::Style style;
};

class MessageCapture
{
public:
    MessageCapture()
    {
        MessageBox::setPresenter([this](QWidget *, const QString &text, const QString &title,
                                        MessageBox::Style style) { shown.append({text, title, style}); });
    }
    ~MessageCapture() { MessageBox::setPresenter({}); }
    MessageCapture(const MessageCapture &) = delete;
    MessageCapture &operator=(const MessageCapture &) = delete;

    QList<ShownMessage> shown;
};
