#pragma once

#include <QLineEdit>

// A one-line text box whose length limit works as the program expects:
// with a limit n > 0 the box holds at most n characters (typing stops there,
// and a text the program sets, through assign() or QLineEdit's setText(),
// keeps its first n characters); 0 means no limit; changing the limit leaves
// the current text as it is.
// Qt's own maxLength differs on the last two points, so the limit lives here.
class TextBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit TextBox(QWidget *parent = nullptr);

    int limit() const { return m_limit; }
    void setLimit(int limit);

    // Sets the text, cut to the limit. Setting the text the box already holds
    // does nothing at all: no change notification, and the caret stays put.
    void assign(const QString &text);

private:
    void applyLimitToTyping();

    int m_limit = 0;
};
