#include "ui/access/listmenuaccessible.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

namespace {

// One entry of the menu, as Qt shows a menu's entry: named by its text
// without the mnemonic's ampersand, focused while it is the active one.
class MenuItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    MenuItemAccessible(QMenu *menu, QAction *action) : m_menu(menu), m_action(action) {}

    bool isValid() const override { return m_menu && m_action; }
    QObject *object() const override { return m_action; }
    QWindow *window() const override { return m_menu ? m_menu->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_menu); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    void setText(QAccessible::Text, const QString &) override {}

    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return {};
        if (t == QAccessible::Name)
            return QString(m_action->text()).remove(u'&');
        if (t == QAccessible::Accelerator)
            return m_action->shortcut().toString(QKeySequence::NativeText);
        return {};
    }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect local = m_menu->actionGeometry(m_action);
        return QRect(m_menu->mapToGlobal(local.topLeft()), local.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid())
            return state;
        state.focusable = true;
        state.selectable = true;
        state.disabled = !m_action->isEnabled();
        state.invisible = !m_action->isVisible() || !m_menu->isVisible();
        state.focused = m_menu->isVisible() && m_menu->activeAction() == m_action;
        state.selected = state.focused;
        return state;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &name) override
    {
        if (name != pressAction() || !isValid() || !m_action->isEnabled())
            return;
        m_menu->hide();
        m_action->trigger();
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QPointer<QMenu> m_menu;
    QPointer<QAction> m_action;
};

} // namespace

ListMenuAccessible::ListMenuAccessible(ListMenu *menu) : QAccessibleWidget(menu, QAccessible::PopupMenu) {}

ListMenuAccessible::~ListMenuAccessible()
{
    for (QAccessible::Id id : std::as_const(m_items))
        QAccessible::deleteAccessibleInterface(id);
}

QMenu *ListMenuAccessible::menu() const
{
    return static_cast<QMenu *>(widget());
}

QAccessibleInterface *ListMenuAccessible::parent() const
{
    // The list's own group: the menu is not an entry of the list.
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(menu()->parent());
    return list ? list->parent() : QAccessibleWidget::parent();
}

int ListMenuAccessible::childCount() const
{
    return int(menu()->actions().size());
}

QAccessibleInterface *ListMenuAccessible::child(int index) const
{
    QAction *action = menu()->actions().value(index);
    if (!action)
        return nullptr;
    QAccessible::Id &id = m_items[action];
    if (!id)
        id = QAccessible::registerAccessibleInterface(new MenuItemAccessible(menu(), action));
    return QAccessible::accessibleInterface(id);
}

int ListMenuAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    return child ? int(menu()->actions().indexOf(qobject_cast<QAction *>(child->object()))) : -1;
}

QAccessibleInterface *ListMenuAccessible::childAt(int x, int y) const
{
    QAction *action = menu()->actionAt(menu()->mapFromGlobal(QPoint(x, y)));
    return action ? child(int(menu()->actions().indexOf(action))) : nullptr;
}
