#include "ui/access/nicklistaccessible.h"

#include "core/nicklist.h"
#include "ui/access/accessiblepacing.h"
#include "ui/list/nicklistbox.h"
#include "ui/wording/wording.h"

#include <QPointer>
#include <QWidget>

#include <climits>

namespace {

int clampedRow(qsizetype row)
{
    return int(std::min<qsizetype>(row, INT_MAX));
}

// The entries come from the list the box shows, not from the box.
qsizetype entryCount(const NickListBox *list)
{
    return list && list->model() ? list->model()->count() : 0;
}

// One entry of the list. It reads the list at every question, so it tells
// the entry now at its row; past the end of the list it is gone.
class NickItemAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    NickItemAccessible(NickListBox *list, qsizetype row) : m_list(list), m_row(row) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface *>(this)
                                                       : nullptr;
    }
    // Its cell in the table, which a reader asking for a cell's place gets.
    int rowIndex() const override
    {
        const QAccessibleInterface *entries = parent();
        return entries ? entries->indexOfChild(this) : -1;
    }
    int columnIndex() const override { return 0; }
    int rowExtent() const override { return 1; }
    int columnExtent() const override { return 1; }
    bool isSelected() const override { return isValid() && m_list->currentRow() == m_row; }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    QAccessibleInterface *table() const override { return parent(); }

    qsizetype row() const { return m_row; }

    bool isValid() const override { return m_row < entryCount(m_list); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_list ? m_list->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override
    {
        const NickListAccessible *list = NickListAccessible::of(m_list);
        return list ? list->entries() : nullptr;
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    void setText(QAccessible::Text, const QString &) override {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && isValid() ? m_list->model()->entry(m_row) : QString();
    }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect local = m_list->rowRect(m_row);
        const QWidget *viewport = m_list->viewport();
        return QRect(viewport->mapToGlobal(local.topLeft()), local.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.selectable = true;
        state.focusable = true;
        if (!isValid())
            return state;
        state.selected = m_list->currentRow() == m_row;
        state.focused = state.selected && m_list->hasFocus();
        state.invisible = !m_list->rowRect(m_row).intersects(m_list->viewport()->rect());
        state.offscreen = state.invisible;
        return state;
    }

private:
    QPointer<NickListBox> m_list;
    qsizetype m_row;
};

// The table that holds the entries, one per row, in the list's order, while
// the list has the focus (see the list's interface).
//
// It is a table to a reader too, one column of entries: asked for what lies
// at a point, as Orca asks when a mouse button is pressed, it answers at
// once; a reader that cannot ask a table goes through every child before
// the one clicked, which with the focus in the list is every entry above it
// (seen silent for minutes at 100 000 entries).
class EntriesAccessible : public QAccessibleInterface, public QAccessibleTableInterface
{
public:
    explicit EntriesAccessible(NickListBox *list) : m_list(list) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface *>(this) : nullptr;
    }
    int rowCount() const override { return childCount(); }
    int columnCount() const override { return 1; }
    QAccessibleInterface *cellAt(int row, int column) const override
    {
        return column == 0 ? child(row) : nullptr;
    }
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    // The selected entry, where it is a child; a reader selects with the keys.
    QList<int> selectedRows() const override
    {
        const NickListAccessible *list = NickListAccessible::of(m_list);
        const int index = list ? indexOfChild(list->entry(m_list->currentRow())) : -1;
        return index >= 0 ? QList<int>{index} : QList<int>{};
    }
    int selectedRowCount() const override { return int(selectedRows().size()); }
    int selectedCellCount() const override { return selectedRowCount(); }
    int selectedColumnCount() const override { return 0; }
    QList<QAccessibleInterface *> selectedCells() const override
    {
        QList<QAccessibleInterface *> cells;
        for (int row : selectedRows())
            cells.append(child(row));
        return cells;
    }
    QList<int> selectedColumns() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override { return selectedRows().contains(row); }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

    bool isValid() const override { return m_list; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_list ? m_list->window()->windowHandle() : nullptr; }
    // The list's own parent: the entries are not a list inside the list.
    QAccessibleInterface *parent() const override
    {
        const NickListAccessible *list = NickListAccessible::of(m_list);
        return list ? list->parent() : nullptr;
    }
    QAccessibleInterface *child(int index) const override
    {
        const NickListAccessible *list = NickListAccessible::of(m_list);
        return list && index >= 0 && index < childCount() ? list->entry(firstShown() + index) : nullptr;
    }
    int childCount() const override
    {
        if (!m_list)
            return 0;
        return clampedRow(m_list->hasFocus() ? entryCount(m_list) : lastInSight() - firstShown() + 1);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        // Every child is an entry, and knows its row.
        const auto *entry = dynamic_cast<const NickItemAccessible *>(child);
        if (!entry || !entry->isValid())
            return -1;
        const qsizetype index = entry->row() - firstShown();
        return index >= 0 && index < childCount() ? int(index) : -1;
    }
    // Any entry in sight, focus or not: a reader's pointer finds it.
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const NickListAccessible *list = NickListAccessible::of(m_list);
        if (!list)
            return nullptr;
        const QPoint at = m_list->viewport()->mapFromGlobal(QPoint(x, y));
        if (!m_list->viewport()->rect().contains(at))
            return nullptr;
        return list->entry(m_list->rowAt(at.y()));
    }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::Table; }
    QString text(QAccessible::Text) const override { return {}; }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!m_list)
            return {};
        const QWidget *viewport = m_list->viewport();
        return QRect(viewport->mapToGlobal(QPoint()), viewport->size());
    }
    // Showing no entries, it is not shown at all: a reader's review of the
    // screen would otherwise read an empty "table".
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.focused = m_list && m_list->hasFocus();
        state.invisible = childCount() == 0;
        state.offscreen = state.invisible;
        return state;
    }

private:
    // With the focus every entry is a child, in its row; without it, the
    // rows in sight, from the top one.
    qsizetype firstShown() const { return m_list->hasFocus() ? 0 : m_list->rowAt(0); }
    qsizetype lastInSight() const
    {
        return std::min(m_list->rowAt(m_list->viewport()->height() - 1), entryCount(m_list) - 1);
    }

    QPointer<NickListBox> m_list;
};

} // namespace

NickListAccessible::Held::~Held()
{
    QAccessible::deleteAccessibleInterface(id);
}

NickListAccessible::NickListAccessible(NickListBox *list) : QAccessibleWidget(list, QAccessible::List)
{
    QObject::connect(list, &NickListBox::currentRowChanged, &m_following,
                     [this](qsizetype row) { tellEntry(row, QAccessible::Selection); });
    QObject::connect(list, &NickListBox::focusedRowChanged, &m_following,
                     [this](qsizetype row) { tellEntry(row, QAccessible::Focus); });
    // Only while a reader listens: otherwise nobody holds the table or an
    // entry, and they stay as they are.
    const auto whileListened = [](auto change) {
        return [change] {
            if (AccessiblePacing::instance().readerListens())
                change();
        };
    };
    QObject::connect(list, &NickListBox::focusChanged, &m_following, whileListened([this] { renewTable(); }));
    if (NickList *nicks = list->model()) {
        QObject::connect(nicks, &NickList::erased, &m_following, whileListened([this] { forgetEntries(); }));
        QObject::connect(nicks, &NickList::broughtBack, &m_following,
                         whileListened([this] { forgetEntries(); }));
    }
}

NickListAccessible::~NickListAccessible()
{
    m_items.clear();
    if (m_entries)
        QAccessible::deleteAccessibleInterface(m_entries);
}

NickListAccessible *NickListAccessible::of(NickListBox *list)
{
    return list ? dynamic_cast<NickListAccessible *>(QAccessible::queryAccessibleInterface(list)) : nullptr;
}

NickListBox *NickListAccessible::list() const
{
    return static_cast<NickListBox *>(widget());
}

QAccessibleInterface *NickListAccessible::entries() const
{
    if (!m_entries)
        m_entries = QAccessible::registerAccessibleInterface(new EntriesAccessible(list()));
    return QAccessible::accessibleInterface(m_entries);
}

QAccessibleInterface *NickListAccessible::entry(qsizetype row) const
{
    if (row < 0 || row >= entryCount(list()))
        return nullptr;
    if (const Held *held = m_items.object(row))
        return QAccessible::accessibleInterface(held->id);
    auto *item = new NickItemAccessible(list(), row);
    m_items.insert(row, new Held{QAccessible::registerAccessibleInterface(item)});
    return item;
}

void NickListAccessible::tellEntry(qsizetype row, QAccessible::Event event) const
{
    AccessiblePacing &pacing = AccessiblePacing::instance();
    if (!pacing.readerListens())
        return;
    if (QAccessibleInterface *item = entry(row)) {
        QAccessibleEvent told(item, event);
        pacing.handle(&told);
    }
}

void NickListAccessible::forgetEntries()
{
    m_items.clear();
}

void NickListAccessible::renewTable()
{
    if (m_entries)
        QAccessible::deleteAccessibleInterface(m_entries);
    m_entries = 0;
}

int NickListAccessible::childCount() const
{
    return 1;
}

QAccessibleInterface *NickListAccessible::child(int index) const
{
    return index == 0 ? entries() : nullptr;
}

int NickListAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    return child && child == entries() ? 0 : -1;
}

QAccessibleInterface *NickListAccessible::childAt(int x, int y) const
{
    return entries()->rect().contains(x, y) ? entries() : nullptr;
}

QAccessibleInterface *NickListAccessible::focusChild() const
{
    return list()->hasFocus() ? entry(list()->currentRow()) : nullptr;
}

QString NickListAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Description)
        return Wording::listSize(entryCount(list()));
    return QAccessibleWidget::text(t);
}
