#include "ui/common/readerkeyguard.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {

// The bridge's wait for the reader, fixed in Qt 6.4 and unchanged in the 6.x
// sources read since. Qt's coarse timers may fire up to 5 % early, and both
// they and the clock here count whole milliseconds: 90 ms keeps clear of both.
static_assert(QT_VERSION < QT_VERSION_CHECK(7, 0, 0),
              "Re-read qspiapplicationadaptor.cpp: how long the bridge waits and what it posts");
constexpr qint64 BridgeWaitMs = 90;
// A key handed over late can reach the window well after the bridge gave up
// while the window is busy answering the reader's questions; an override
// older than this is of a key a shortcut or the reader took.
constexpr qint64 ForgottenMs = 10000;

// Posted behind the keys the bridge hands over together (it posts them at
// normal priority in one go): when it arrives, they have all passed.
const QEvent::Type HandedOver = QEvent::Type(QEvent::registerEventType());

bool isReadersKey(const QKeyEvent &key)
{
    if (key.key() == Qt::Key_Insert)
        return true;
    if (!(key.modifiers() & Qt::KeypadModifier))
        return false;
    const bool digit = key.key() >= Qt::Key_0 && key.key() <= Qt::Key_9;
    return !digit && key.key() != Qt::Key_Period && key.key() != Qt::Key_Comma;
}

} // namespace

ReaderKeyGuard &ReaderKeyGuard::instance()
{
    static ReaderKeyGuard guard;
    return guard;
}

void ReaderKeyGuard::install()
{
    static const bool installed = [] {
        QCoreApplication::instance()->installEventFilter(&instance());
        return true;
    }();
    Q_UNUSED(installed);
}

bool ReaderKeyGuard::eventFilter(QObject *watched, QEvent *event)
{
    // The window system and the bridge both deliver keys to the window
    // first, which then hands them to its focus widget.
    if (!watched->isWindowType())
        return false;
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        if (event->spontaneous())
            remember(*static_cast<const QKeyEvent *>(event));
        return false;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return !event->spontaneous() && keepsOut(*static_cast<const QKeyEvent *>(event));
    default:
        return false;
    }
}

void ReaderKeyGuard::remember(const QKeyEvent &override)
{
    // Those forgotten are skipped anyway; this only keeps the list short.
    m_presses.removeIf([](const Press &press) { return press.since.hasExpired(ForgottenMs); });
    Press press{override.key(), {}};
    press.since.start();
    m_presses.append(press);
}

bool ReaderKeyGuard::cameLate(const QKeyEvent &copy)
{
    // The bridge hands keys back in the order they came; those before this
    // one that never came back were taken by the reader or a shortcut.
    while (!m_presses.isEmpty()) {
        const Press press = m_presses.takeFirst();
        // By the key alone: for Shift, Ctrl and the like the override counts
        // the key's own modifier and the key event does not.
        if (!press.since.hasExpired(ForgottenMs) && press.key == copy.key())
            return press.since.elapsed() >= BridgeWaitMs;
    }
    return false;
}

bool ReaderKeyGuard::keepsOut(const QKeyEvent &copy)
{
    if (copy.type() == QEvent::KeyPress && cameLate(copy) && !m_late) {
        m_late = true;
        QCoreApplication::postEvent(this, new QEvent(HandedOver), Qt::LowEventPriority);
    }
    if (!isReadersKey(copy))
        return false;
    if (copy.type() == QEvent::KeyRelease)
        return m_keptOut.removeOne(copy.key()) || m_late;
    if (m_late)
        m_keptOut.append(copy.key());
    return m_late;
}

void ReaderKeyGuard::customEvent(QEvent *event)
{
    if (event->type() == HandedOver)
        m_late = false;
}
