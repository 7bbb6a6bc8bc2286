#include "platform/displayguard.h"

#include <QByteArray>
#include <QDir>

#include <cerrno>
#include <cstring>
#include <utility>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

QtMessageHandler previousHandler = nullptr;

void exitOnFatal(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (previousHandler)
        previousHandler(type, context, text);
    if (type == QtFatalMsg)
        ::_exit(1);
}

// Whether a server listens on the local socket; abstract: in Linux's
// abstract namespace, where X servers listen first.
bool answers(const QByteArray &path, bool abstract = false)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const qsizetype offset = abstract ? 1 : 0;
    if (path.isEmpty() || path.size() + offset >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path + offset, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + size_t(offset + path.size()));
    // A full backlog (EAGAIN) still means someone listens.
    const bool listening = ::connect(fd, reinterpret_cast<const sockaddr *>(&address), length) == 0 ||
                           errno == EAGAIN || errno == EINPROGRESS;
    ::close(fd);
    return listening;
}

// DISPLAY's form: [host]:number[.screen]. Only a local server can be asked
// without waiting on the network; a remote one is left to Qt.
bool xServerAnswers(const QString &display)
{
    const qsizetype colon = display.lastIndexOf(u':');
    if (colon < 0)
        return false;
    const QString host = display.left(colon);
    if (!host.isEmpty() && host != u"unix")
        return true;
    bool isNumber = false;
    const int number = display.mid(colon + 1).section(u'.', 0, 0).toInt(&isNumber);
    if (!isNumber)
        return false;
    const QByteArray socket = "/tmp/.X11-unix/X" + QByteArray::number(number);
    return answers(socket, true) || answers(socket);
}

// As libwayland finds the compositor: WAYLAND_SOCKET, an already open
// connection, else WAYLAND_DISPLAY (wayland-0 by default) in XDG_RUNTIME_DIR.
bool compositorAnswers(const QProcessEnvironment &environment)
{
    if (environment.contains(QStringLiteral("WAYLAND_SOCKET")))
        return true;
    const QString name = environment.value(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-0"));
    const QString runtime = environment.value(QStringLiteral("XDG_RUNTIME_DIR"));
    if (QDir::isAbsolutePath(name))
        return answers(QFile::encodeName(name));
    return !runtime.isEmpty() && answers(QFile::encodeName(runtime + u'/' + name));
}

} // namespace

bool DisplayGuard::noDisplay(const QStringList &arguments, const QProcessEnvironment &environment)
{
    // Qt takes the last -platform argument over QT_QPA_PLATFORM (either
    // spelled with one dash or two), and the X11 platform takes -display.
    QString platforms = environment.value(QStringLiteral("QT_QPA_PLATFORM"));
    QString display = environment.value(QStringLiteral("DISPLAY"));
    for (qsizetype i = 1; i + 1 < arguments.size(); ++i) {
        const QString option = arguments.at(i).startsWith(u"--") ? arguments.at(i).mid(1) : arguments.at(i);
        if (option == u"-platform")
            platforms = arguments.at(++i);
        else if (option == u"-display")
            display = arguments.at(++i);
    }
    if (platforms.isEmpty()) {
        // Qt's own choice: X11, and Wayland first where the session is one.
        const bool wayland = environment.contains(QStringLiteral("WAYLAND_DISPLAY")) ||
                             environment.value(QStringLiteral("XDG_SESSION_TYPE")) == u"wayland";
        platforms = wayland ? QStringLiteral("wayland;xcb") : QStringLiteral("xcb");
    }
    // Each entry is a plugin name with its options after a colon, tried in turn.
    const QStringList tried = platforms.split(u';', Qt::SkipEmptyParts);
    if (tried.isEmpty())
        return false;
    for (const QString &platform : tried) {
        const QString name = platform.section(u':', 0, 0);
        if (name == u"xcb") {
            if (xServerAnswers(display))
                return false;
        } else if (name.startsWith(u"wayland")) {
            if (compositorAnswers(environment))
                return false;
        } else {
            return false;
        }
    }
    return true;
}

DisplayGuard::DisplayGuard()
{
    previousHandler = qInstallMessageHandler(exitOnFatal);
}

void DisplayGuard::release()
{
    if (std::exchange(m_active, false))
        qInstallMessageHandler(previousHandler);
}
