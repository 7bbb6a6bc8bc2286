#include "platform/displayguard.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <utility>

#include <unistd.h>

namespace {

struct HeldMessage
{
    QtMsgType type;
    QByteArray file;
    QByteArray function;
    QByteArray category;
    int line;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
QList<HeldMessage> held;
bool active = false;

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        static const char line[] = "quillmark: дисплей не найден / no display found\n";
        [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, line, sizeof line - 1);
        ::_exit(1);
    }
    held.append({type, context.file, context.function, context.category, context.line, text});
}

} // namespace

DisplayGuard::DisplayGuard()
{
    previousHandler = qInstallMessageHandler(holdMessage);
    active = true;
}

DisplayGuard::~DisplayGuard()
{
    release();
}

void DisplayGuard::release()
{
    if (!active)
        return;
    active = false;
    qInstallMessageHandler(previousHandler);
    const QList<HeldMessage> messages = std::exchange(held, {});
    for (const HeldMessage &message : messages) {
        const QMessageLogContext context(message.file.isEmpty() ? nullptr : message.file.constData(),
                                         message.line,
                                         message.function.isEmpty() ? nullptr : message.function.constData(),
                                         message.category.isEmpty() ? nullptr : message.category.constData());
        if (previousHandler)
            previousHandler(message.type, context, message.text);
    }
}
