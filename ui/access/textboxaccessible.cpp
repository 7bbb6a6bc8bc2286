#include "ui/access/textboxaccessible.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>

TextBoxAccessible::TextBoxAccessible(QLineEdit *box) : QAccessibleWidget(box, QAccessible::EditableText) {}

QLineEdit *TextBoxAccessible::box() const
{
    return static_cast<QLineEdit *>(widget());
}

void *TextBoxAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString TextBoxAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return box()->text();
    const QString text = QAccessibleWidget::text(t);
    // Qt names a box without a name of its own after the frame around it,
    // whose caption a screen reader already says as the focus enters it.
    const auto *frame = qobject_cast<const QGroupBox *>(box()->parentWidget());
    if (t == QAccessible::Name && box()->accessibleName().isEmpty() && frame && text == frame->title())
        return {};
    return text;
}

void TextBoxAccessible::setText(QAccessible::Text t, const QString &text)
{
    if (t == QAccessible::Value && !box()->isReadOnly())
        box()->setText(text);
    else
        QAccessibleWidget::setText(t, text);
}

QAccessible::State TextBoxAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = box()->isReadOnly();
    state.editable = !box()->isReadOnly();
    state.selectableText = true;
    return state;
}

void TextBoxAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || selectionCount() == 0)
        return;
    *startOffset = box()->selectionStart();
    *endOffset = box()->selectionEnd();
}

int TextBoxAccessible::selectionCount() const
{
    return box()->hasSelectedText() && !box()->isReadOnly() ? 1 : 0;
}

void TextBoxAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void TextBoxAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        box()->deselect();
}

void TextBoxAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        box()->setSelection(startOffset, endOffset - startOffset);
}

int TextBoxAccessible::cursorPosition() const
{
    return box()->cursorPosition();
}

void TextBoxAccessible::setCursorPosition(int position)
{
    box()->setCursorPosition(position);
}

QString TextBoxAccessible::text(int startOffset, int endOffset) const
{
    if (startOffset > endOffset)
        return {};
    return box()->text().mid(startOffset, endOffset - startOffset);
}

QString TextBoxAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int *startOffset, int *endOffset) const
{
    return QAccessibleTextInterface::textBeforeOffset(offsetOrCaret(offset), boundaryType, startOffset,
                                                      endOffset);
}

QString TextBoxAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                           int *startOffset, int *endOffset) const
{
    return QAccessibleTextInterface::textAfterOffset(offsetOrCaret(offset), boundaryType, startOffset,
                                                     endOffset);
}

QString TextBoxAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                        int *endOffset) const
{
    return QAccessibleTextInterface::textAtOffset(offsetOrCaret(offset), boundaryType, startOffset, endOffset);
}

int TextBoxAccessible::characterCount() const
{
    return int(box()->text().size());
}

QRect TextBoxAccessible::characterRect(int offset) const
{
    // The box holds one line that fits it, placed by its alignment.
    const QString value = box()->text();
    if (offset < 0 || offset >= value.size())
        return {};
    const QFontMetrics metrics(box()->font());
    const QRect area = box()->contentsRect().marginsRemoved(box()->textMargins());
    int left = area.left();
    if (box()->alignment() & Qt::AlignHCenter)
        left += (area.width() - metrics.horizontalAdvance(value)) / 2;
    else if (box()->alignment() & Qt::AlignRight)
        left = area.right() - metrics.horizontalAdvance(value);
    const QRect character(left + metrics.horizontalAdvance(value.left(offset)),
                          area.top() + (area.height() - metrics.height()) / 2,
                          metrics.horizontalAdvance(value.at(offset)), metrics.height());
    return QRect(box()->mapToGlobal(character.topLeft()), character.size());
}

int TextBoxAccessible::offsetAtPoint(const QPoint &point) const
{
    return box()->cursorPositionAt(box()->mapFromGlobal(point));
}

void TextBoxAccessible::scrollToSubstring(int startIndex, int)
{
    box()->setCursorPosition(startIndex);
}

QString TextBoxAccessible::attributes(int, int *startOffset, int *endOffset) const
{
    // Plain text: one run without attributes over the whole value.
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void TextBoxAccessible::deleteText(int startOffset, int endOffset)
{
    replaceText(startOffset, endOffset, QString());
}

void TextBoxAccessible::insertText(int offset, const QString &text)
{
    replaceText(offset, offset, text);
}

void TextBoxAccessible::replaceText(int startOffset, int endOffset, const QString &text)
{
    if (box()->isReadOnly())
        return;
    box()->setText(box()->text().replace(startOffset, endOffset - startOffset, text));
}
