#pragma once

#include <QAccessibleWidget>
#include <QCache>
#include <QObject>

class NickListBox;

// What a screen reader sees of the nick list: the list «Список ников», which
// tells how many entries it holds as its description, and whose child, an
// unnamed table, holds every entry as a list item named by its nick. An
// entry's place in the table is its place in the list, so a reader says
// "k of N".
//
// Why the table: Qt 6.4 gives a list the role "list" on the bus, and Orca 43
// goes through every child of a list, one bus round trip or more each, to
// count its items, to find the focused one, and to look for stray labels
// when it describes the group around the list; with millions of entries it
// fell silent for minutes. It goes through no table, and it passes over an
// unnamed table when it names what the focus is in. The table names the
// list's parent as its own, so an entry is not an item of a list nested in
// the list ("nesting level 1").
//
// Only the control with the keyboard focus says it is focused, and Orca
// trusts that state: it looks for the focus by going through the window, and
// what first says "focused" is what Where-am-I describes. While the list has
// the focus, the table says so too (they are one control), which ends a
// search for the list's focused entry there instead of going through every
// row before it. While the list has not, the table holds only the rows in
// sight, as a review of the screen reads them, so such a search goes through
// a screenful at most; a reader's "k of N" is told with the focus in the
// list, where each entry is in its own row again. Orca keeps an object's
// states once read and is told of a new "focused" only with a move of its
// focus, so each change of the list's focus makes a new table, whose states
// and entries Orca reads afresh.
//
// An entry's interface is made when it is asked for and knows its row. The
// most recently asked ones are kept, at most ItemCapacity, so what the
// program holds stays small however many entries a reader visits; they are
// dropped when the list's rows come to hold other nicks (an erase, entries
// brought back in front).
//
// The interface follows the list box's signals and tells the reader of a
// selection that moves and of the entry that gets the focus; never of an
// append: a timer at 1 ms would flood the reader, which asks for the entry
// count when it needs it.
class NickListAccessible : public QAccessibleWidget
{
public:
    static constexpr int ItemCapacity = 1000;

    explicit NickListAccessible(NickListBox *list);
    ~NickListAccessible() override;

    // The list's interface, if a screen reader is listening.
    static NickListAccessible *of(NickListBox *list);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;
    QString text(QAccessible::Text t) const override;

    // The table of entries.
    QAccessibleInterface *entries() const;
    // The entry at a row, null outside the list.
    QAccessibleInterface *entry(qsizetype row) const;
    // Drops the entries' interfaces: their rows now hold other nicks.
    void forgetEntries();
    // The list's focus came or went: the table is made anew.
    void renewTable();
    // How many entry interfaces are held, for tests and benchmarks.
    int heldEntries() const { return int(m_items.size()); }

    NickListBox *list() const;

private:
    // Deletes its entry's interface when the cache lets it go.
    struct Held
    {
        QAccessible::Id id;
        ~Held();
    };

    // Tells a screen reader, if one listens, of an event on the entry at a row.
    void tellEntry(qsizetype row, QAccessible::Event event) const;

    mutable QCache<qsizetype, Held> m_items{ItemCapacity};
    mutable QAccessible::Id m_entries = 0;
    QObject m_following; // the connections to the list box and its nicks
};
