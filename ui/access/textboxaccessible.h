#pragma once

#include <QAccessibleWidget>

class QLineEdit;

// What a screen reader reads of a text box: its whole value, its selection
// and caret as the box has them. Qt 6.4's own line-edit interface
// (QAccessibleLineEdit::attributes) reports every text attribute run as
// empty, starting and ending at the offset asked about, and Orca 43 then
// reads a box tabbed into as its value less the last character ("250
// selected" followed by "25 selected"): here the one run of plain text spans
// the whole value. This interface can give way to Qt's once Qt reports a run
// over the whole text.
// A read-only box (one the program fills) tells no selection: Tab selects
// its text, which shows where the focus is, but Orca would say "selected"
// after its value and, remembering the selection, "text unselected" or
// "selection deleted" each time the program sets a new text.
class TextBoxAccessible : public QAccessibleWidget,
                          public QAccessibleTextInterface,
                          public QAccessibleEditableTextInterface
{
public:
    explicit TextBoxAccessible(QLineEdit *box);

    void *interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString &text) override;
    QAccessible::State state() const override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                             int *endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                            int *endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                         int *endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString &text) override;
    void replaceText(int startOffset, int endOffset, const QString &text) override;

private:
    QLineEdit *box() const;
    int offsetOrCaret(int offset) const { return offset == -2 ? cursorPosition() : offset; }
};
