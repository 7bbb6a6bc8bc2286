#include "ui/common/readerkeyguard.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {

QtMessageHandler previousHandler = nullptr;

// Posted behind the keys the bridge hands over (which it posts at normal
// priority right after its warning): when it arrives, they have all passed.
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
        previousHandler = qInstallMessageHandler(&ReaderKeyGuard::messageHandler);
        QCoreApplication::instance()->installEventFilter(&instance());
        return true;
    }();
    Q_UNUSED(installed);
}

void ReaderKeyGuard::messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QLatin1String("QSpiApplication::keyEventError"))) {
        instance().m_late = true;
        QCoreApplication::postEvent(&instance(), new QEvent(HandedOver), Qt::LowEventPriority);
    }
    if (previousHandler)
        previousHandler(type, context, message);
}

bool ReaderKeyGuard::eventFilter(QObject *, QEvent *event)
{
    if (!m_late || (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease))
        return false;
    return isReadersKey(*static_cast<QKeyEvent *>(event));
}

void ReaderKeyGuard::customEvent(QEvent *event)
{
    if (event->type() == HandedOver)
        m_late = false;
}
