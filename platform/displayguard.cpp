#include "platform/displayguard.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <algorithm>
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
QByteArray noDisplayLine;

// Qt's platform plugins say so when they cannot reach the display server.
bool isDisplayUnreachable(const HeldMessage &message)
{
    return message.text.startsWith(u"could not connect to display") ||
           message.text.contains(u"Failed to create wl_display");
}

void passOn(const QList<HeldMessage> &messages)
{
    for (const HeldMessage &message : messages) {
        const QMessageLogContext context(message.file.isEmpty() ? nullptr : message.file.constData(),
                                         message.line,
                                         message.function.isEmpty() ? nullptr : message.function.constData(),
                                         message.category.isEmpty() ? nullptr : message.category.constData());
        if (previousHandler)
            previousHandler(message.type, context, message.text);
    }
}

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    held.append({type, context.file, context.function, context.category, context.line, text});
    if (type != QtFatalMsg)
        return;
    if (std::any_of(held.cbegin(), held.cend(), isDisplayUnreachable)) {
        [[maybe_unused]] const ssize_t written =
            ::write(STDERR_FILENO, noDisplayLine.constData(), size_t(noDisplayLine.size()));
    } else {
        // Any other failure to start is told in Qt's own words.
        passOn(std::exchange(held, {}));
    }
    ::_exit(1);
}

} // namespace

DisplayGuard::DisplayGuard(const QByteArray &noDisplay)
{
    noDisplayLine = noDisplay;
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
    passOn(std::exchange(held, {}));
}
