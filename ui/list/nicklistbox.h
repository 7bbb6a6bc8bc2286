#pragma once

#include <QAbstractScrollArea>

class NickList;
class QAction;
class QMenu;

// The list box of generated nicks, a view of a NickList. It paints only the
// rows in sight, each one font line high, and follows the list's changes row
// by row, so it stays quick with millions of entries. The vertical scroll
// bar's value is the index of the top row in sight.
// One row at most is selected: the user picks it with the mouse or the keys
// (reported by clicked()), the program with setCurrentRow() (reported by
// nothing).
class NickListBox : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit NickListBox(QWidget *parent = nullptr);

    // The list shown, which outlives the view. An append leaves the view and the selection where they
    // are; an erase empties both; entries brought back in front leave the
    // selection on its entry, in sight.
    void setModel(NickList *model);
    NickList *model() const { return m_model; }
    qsizetype count() const;
    // Empty for a row that does not exist.
    QString item(qsizetype i) const;

    // -1 when no row is selected.
    qsizetype currentRow() const { return m_currentRow; }
    // A row outside the list selects nothing. Scrolls the row into sight.
    void setCurrentRow(qsizetype row);
    // The selected entry, empty when none is selected.
    QString text() const;
    // Puts the selected entry on the clipboard (Ctrl+C, the context menu)
    // and reports it by copied().
    void copy();
    // An entry for the context menu, after its own.
    void addMenuAction(QAction *action);

    // The row under viewport y; may lie outside the list.
    qsizetype rowAt(int y) const;
    // Where a row is drawn in the viewport, in sight or not.
    QRect rowRect(qsizetype row) const;

Q_SIGNALS:
    // The user selected an entry with the mouse or the keyboard.
    void clicked();
    // The context menu opens; from the keyboard, on its first entry.
    void menuOpened(bool byKeyboard);
    // A nick went onto the clipboard. From the menu of a list that had the
    // focus, the focus comes back to the nick, and a reader says it then.
    void copied(const QString &nick, bool nickToldAgain);
    // The focus came into the list, not back from its menu, with this nick
    // selected (by a click that brought it, the nick clicked): a screen
    // reader has said the list, and is told the nick next.
    void enteredAt(const QString &nick);

    // For a screen reader's view of the list (which the view knows nothing
    // of): the selection moved to a row; the entry at a row has the
    // keyboard focus now; the list's focus came or went.
    void currentRowChanged(qsizetype row);
    void focusedRowChanged(qsizetype row);
    void focusChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void copyNick(bool nickToldAgain);
    int rowHeight() const;
    // Rows that fit whole in the viewport, at least one.
    int rowsInSight() const;
    qsizetype topRow() const;
    bool isInSight(qsizetype row) const;
    void updateRow(qsizetype row);
    void updateScrollBar();
    void scrollTo(qsizetype row);
    // Selects row, clamped to the list, and scrolls it into sight.
    // Returns whether the selection changed.
    bool moveCurrentRow(qsizetype row);
    void appended(qsizetype row);
    void erased();
    void broughtBack(qsizetype entries);
    // Reports by focusedRowChanged() that the selected entry has the focus,
    // if it has.
    void tellFocusedRow();
    // Reports by enteredAt() the entry selected as the focus came in.
    void tellEntered();

    NickList *m_model = nullptr;
    qsizetype m_currentRow = -1;
    bool m_dragging = false;
    int m_wheelDelta = 0; // wheel movement not yet turned into whole steps
    QMenu *m_menu = nullptr;
    QAction *m_copyAction = nullptr;
    bool m_menuFromFocus = false; // the menu was opened on the list with the focus
    QList<QAction *> m_menuActions; // added by the window
    qsizetype m_rowEntered = -1; // the row selected as the focus last came in
    bool m_pressEntering = false;  // a mouse press is bringing the focus in
};
