#include "ui/list/nicklistaccessible.h"

#include "ui/list/nicklistbox.h"

#include <QPointer>
#include <QWidget>

#include <climits>

namespace {

// One entry of the list. It reads the list at every question, so it always
// tells the entry now at its row; past the end of the list it is gone.
class NickItemAccessible : public QAccessibleInterface
{
public:
    NickItemAccessible(NickListBox *list, qsizetype row) : m_list(list), m_row(row) {}

    bool isValid() const override { return m_list && m_row < m_list->count(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_list ? m_list->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_list); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    void setText(QAccessible::Text, const QString &) override {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && isValid() ? m_list->item(m_row) : QString();
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

} // namespace

NickListAccessible::NickListAccessible(NickListBox *list) : QAccessibleWidget(list, QAccessible::List) {}

NickListAccessible::~NickListAccessible()
{
    for (const QAccessible::Id id : std::as_const(m_items))
        QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface *NickListAccessible::factory(const QString &, QObject *object)
{
    if (auto *list = qobject_cast<NickListBox *>(object))
        return new NickListAccessible(list);
    return nullptr;
}

NickListBox *NickListAccessible::list() const
{
    return static_cast<NickListBox *>(widget());
}

int NickListAccessible::childCount() const
{
    return int(std::min<qsizetype>(list()->count(), INT_MAX));
}

QAccessibleInterface *NickListAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    const auto known = m_items.constFind(index);
    if (known != m_items.cend())
        return QAccessible::accessibleInterface(*known);
    auto *item = new NickItemAccessible(list(), index);
    m_items.insert(index, QAccessible::registerAccessibleInterface(item));
    return item;
}

int NickListAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const QAccessible::Id id = QAccessible::uniqueId(const_cast<QAccessibleInterface *>(child));
    const qsizetype row = m_items.key(id, -1);
    return row < childCount() ? int(row) : -1;
}

QAccessibleInterface *NickListAccessible::childAt(int x, int y) const
{
    const QPoint at = list()->viewport()->mapFromGlobal(QPoint(x, y));
    if (!list()->viewport()->rect().contains(at))
        return nullptr;
    return child(int(std::min<qsizetype>(list()->rowAt(at.y()), INT_MAX)));
}

QAccessibleInterface *NickListAccessible::focusChild() const
{
    return list()->hasFocus() ? child(int(std::min<qsizetype>(list()->currentRow(), INT_MAX))) : nullptr;
}
