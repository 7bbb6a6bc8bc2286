#include "ui/toolkit/textbox.h"

namespace {
constexpr int NoLimit = 32767; // Qt's default maximum length
} // namespace

TextBox::TextBox(QWidget *parent) : QLineEdit(parent)
{
    // QLineEdit's setText cannot be overridden: a text set that way, however
    // it was reached, is cut here as assign() cuts it.
    connect(this, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (m_limit > 0 && text.size() > m_limit)
            setText(text.left(m_limit));
    });
}

void TextBox::setLimit(int limit)
{
    m_limit = limit < 0 ? 0 : limit;
    applyLimitToTyping();
}

void TextBox::assign(const QString &text)
{
    const QString kept = m_limit > 0 ? text.left(m_limit) : text;
    if (kept != QLineEdit::text())
        setText(kept);
    applyLimitToTyping();
}

void TextBox::applyLimitToTyping()
{
    // Qt cuts the current text when its maximum length drops below it; hand
    // Qt the limit only once the text fits, so the text is never cut here.
    const int wanted = m_limit > 0 && QLineEdit::text().size() <= m_limit ? m_limit : NoLimit;
    if (maxLength() != wanted)
        setMaxLength(wanted);
}
