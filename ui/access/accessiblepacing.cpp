#include "ui/access/accessiblepacing.h"

#include <QEvent>
#include <QLineEdit>

namespace {

void updateHandler(QAccessibleEvent *event)
{
    AccessiblePacing::instance().handle(event);
}

bool isTextChange(QAccessible::Event type)
{
    return type == QAccessible::TextInserted || type == QAccessible::TextRemoved ||
           type == QAccessible::TextUpdated;
}

} // namespace

AccessiblePacing &AccessiblePacing::instance()
{
    static AccessiblePacing pacing;
    return pacing;
}

AccessiblePacing::AccessiblePacing()
{
    m_pending.setSingleShot(true);
    connect(&m_pending, &QTimer::timeout, this, &AccessiblePacing::tellPending);
}

void AccessiblePacing::install()
{
    m_previous = QAccessible::installUpdateHandler(&updateHandler);
}

AccessiblePacing::~AccessiblePacing()
{
    QAccessible::installUpdateHandler(m_previous);
}

void AccessiblePacing::manage(QLineEdit *box, Changes changes, QWidget *focusOwner)
{
    Box &entry = m_boxes[box];
    entry.box = box;
    entry.focusOwner = focusOwner ? focusOwner : box;
    entry.changes = changes;
    entry.told = box->text();
    entry.focusOwner->installEventFilter(this);
    connect(box, &QObject::destroyed, this, [this, box] { m_boxes.remove(box); });
}

bool AccessiblePacing::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        for (Box &box : m_boxes) {
            if (box.focusOwner == watched)
                box.focusTold = false;
        }
    }
    return false;
}

void AccessiblePacing::handle(QAccessibleEvent *event)
{
    // Qt 6.4's bridge tells a window's activation by itself, as the window
    // system reports it. The activation changes it is also handed repeat
    // some of those and add some that never happened: the main window
    // "activated" as a popup menu or a message opens, "deactivated" as a
    // message closes, which Orca reads as the window coming back.
    if (event->type() == QAccessible::StateChanged &&
        static_cast<QAccessibleStateChangeEvent *>(event)->changedStates().active)
        return;
    if (event->type() == QAccessible::Focus) {
        for (Box &box : m_boxes) {
            if (box.focusOwner == event->object() && box.box)
                box.focusTold = box.focusOwner->hasFocus();
        }
        forward(event);
        return;
    }
    const auto entry = m_boxes.find(event->object());
    if (entry == m_boxes.end() || !entry->box) {
        forward(event);
        return;
    }
    Box &box = *entry;
    switch (event->type()) {
    case QAccessible::TextSelectionChanged:
    case QAccessible::TextCaretMoved:
        if (box.focusTold)
            forward(event);
        return;
    case QAccessible::TextUpdated: // the text set anew, not typed
        if (box.changes == Changes::Paced)
            tellTextChange(box, event);
        else if (box.changes == Changes::AsTheyCome)
            forward(event);
        return;
    default:
        if (box.changes == Changes::Paced && isTextChange(event->type()))
            tellTextChange(box, event);
        else
            forward(event);
        return;
    }
}

void AccessiblePacing::tellTextChange(Box &box, QAccessibleEvent *event)
{
    if (box.toldAt.isValid() && box.toldAt.elapsed() < PaceMs) {
        box.pending = true;
        if (!m_pending.isActive())
            m_pending.start(int(PaceMs - box.toldAt.elapsed()));
        return;
    }
    box.told = box.box->text();
    box.toldAt.start();
    forward(event);
}

void AccessiblePacing::tellPending()
{
    for (Box &box : m_boxes) {
        if (!box.pending || !box.box)
            continue;
        box.pending = false;
        box.toldAt.start();
        const QString now = box.box->text();
        if (now == box.told)
            continue;
        QAccessibleTextUpdateEvent update(box.box, 0, box.told, now);
        box.told = now;
        if (QAccessible::isActive() || m_sink)
            forward(&update);
    }
}

void AccessiblePacing::forward(QAccessibleEvent *event)
{
    if (m_sink) {
        m_sink(event);
        return;
    }
    if (m_previous) {
        m_previous(event);
        return;
    }
    // Qt 6.4's QAccessible::updateAccessibility() gives an event either to
    // the installed update handler or to the platform's bridge, never both,
    // and offers no other way into the bridge: the event goes through that
    // call with this handler taken out for its length. Once Qt lets a handler
    // pass an event on to the bridge, this swap can go.
    const QAccessible::UpdateHandler mine = QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(mine);
}
