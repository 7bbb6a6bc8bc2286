#include "ui/access/readerkeyguard.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {

// The bridge's wait for the reader, fixed in Qt 6.4 and unchanged in the 6.x
// sources read since. Qt's coarse timers may fire up to 5 % early, and both
// they and the clock here count whole milliseconds: 90 ms keeps clear of both.
static_assert(QT_VERSION < QT_VERSION_CHECK(7, 0, 0),
              "Re-read qspiapplicationadaptor.cpp: how long the bridge waits and what it hands back");
constexpr qint64 BridgeWaitMs = 90;
// Once the bridge gave up, the answers it still waits for come within its
// wait of each key it took: this much after the last key, with room for a
// loaded machine, none is left.
constexpr int SettleMs = 250;
// A key handed over late can reach the window well after the bridge gave up
// while the window is busy answering the reader's questions; a key older
// than this was taken by the reader.
constexpr qint64 ForgottenMs = 10000;

// Posted behind the keys the bridge hands back (it posts them at normal
// priority): when it arrives, those handed back so far have all passed.
const QEvent::Type HandedOver = QEvent::Type(QEvent::registerEventType());

bool isKey(const QEvent &event)
{
    return event.type() == QEvent::KeyPress || event.type() == QEvent::KeyRelease;
}

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

ReaderKeyGuard::ReaderKeyGuard()
{
    m_settling.setSingleShot(true);
    m_settling.setInterval(SettleMs);
    connect(&m_settling, &QTimer::timeout, this,
            [this] { QCoreApplication::postEvent(this, new QEvent(HandedOver), Qt::LowEventPriority); });
}

void ReaderKeyGuard::install()
{
    // Installed before the bridge's own filter, which Qt installs once a
    // reader listens: this sees what the bridge lets pass or hands back.
    QCoreApplication::instance()->installEventFilter(this);
}

void ReaderKeyGuard::observe(QObject *receiver, QEvent *event)
{
    // The window system delivers keys to the window, which then hands them
    // to its focus widget.
    if (!isKey(*event) || !event->spontaneous() || !receiver->isWindowType())
        return;
    m_held.removeIf([](const Delivered &key) { return key.since.hasExpired(ForgottenMs); });
    Delivered key{event->type(), static_cast<const QKeyEvent *>(event)->key(), {}};
    key.since.start();
    m_held.append(key);
    if (m_late)
        m_settling.start();
}

bool ReaderKeyGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (!isKey(*event) || !watched->isWindowType())
        return false;
    const auto &key = *static_cast<const QKeyEvent *>(event);
    if (event->spontaneous()) {
        // No bridge took the key observe() has just noted: no reader listens.
        if (!m_held.isEmpty())
            m_held.removeLast();
        return false;
    }
    return keepsOut(key);
}

bool ReaderKeyGuard::cameLate(const QKeyEvent &copy)
{
    // The bridge hands keys back in the order it took them; those before
    // this one that never came back were the reader's.
    while (!m_held.isEmpty()) {
        const Delivered key = m_held.takeFirst();
        if (key.type == copy.type() && key.key == copy.key())
            return key.since.elapsed() >= BridgeWaitMs;
    }
    return false;
}

bool ReaderKeyGuard::keepsOut(const QKeyEvent &copy)
{
    if (cameLate(copy))
        m_late = true;
    if (m_late)
        m_settling.start();
    if (!isReadersKey(copy))
        return false;
    // A copy the bridge handed back means a reader listens for keys. Its
    // Where-am-I and its own key are then never the window's, even declined
    // in time: Orca declines every key while it holds no active window, as
    // between a message box closing and the main window becoming active.
    const bool alwaysReaders = copy.key() == Qt::Key_Insert || copy.key() == Qt::Key_Enter;
    if (copy.type() == QEvent::KeyRelease)
        return m_keptOut.removeOne(copy.key()) || m_late || alwaysReaders;
    if (m_late || alwaysReaders)
        m_keptOut.append(copy.key());
    return m_late || alwaysReaders;
}

void ReaderKeyGuard::customEvent(QEvent *event)
{
    if (event->type() == HandedOver && !m_settling.isActive())
        m_late = false;
}
