#include "ui/access/announcer.h"

#include <QWidget>
#include <QWindow>

namespace {

// The status line: named by the last message, holding the notification.
class StatusLineAccessible : public QAccessibleInterface
{
public:
    explicit StatusLineAccessible(Announcer *announcer) : m_announcer(announcer) {}

    bool isValid() const override { return true; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_announcer->window()->windowHandle(); }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_announcer->window());
    }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(m_announcer) : nullptr;
    }
    int childCount() const override { return 1; }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child->object() == m_announcer ? 0 : -1;
    }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? m_announcer->message() : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::StatusBar; }
    QAccessible::State state() const override { return {}; }

private:
    Announcer *m_announcer;
};

} // namespace

Announcer::Announcer(QWidget *window) : QObject(window)
{
    m_statusLine = QAccessible::registerAccessibleInterface(new StatusLineAccessible(this));
}

Announcer::~Announcer()
{
    QAccessible::deleteAccessibleInterface(m_statusLine);
}

QWidget *Announcer::window() const
{
    return static_cast<QWidget *>(parent());
}

QAccessibleInterface *Announcer::statusLine() const
{
    return QAccessible::accessibleInterface(m_statusLine);
}

void Announcer::announce(const QString &message)
{
    m_message = message;
    if (!QAccessible::isActive())
        return;
    // The name first, for readers that keep names; then the showing, which
    // is what makes Orca speak.
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}
