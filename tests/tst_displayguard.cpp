#include "platform/displayguard.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// Whether the program finds no display, decided before Qt starts from what
// Qt will go by. X11 display :N listens at @/tmp/.X11-unix/XN; Wayland's
// wayland-0 in XDG_RUNTIME_DIR.
class TstDisplayGuard : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void noDisplayOnlyWhereNoServerAnswers_data();
    void noDisplayOnlyWhereNoServerAnswers();
    void releaseHandsBackTheHandlerBefore();
};

// A server listening on a local socket, abstract as X servers listen, or
// at a path; closed with the object.
class Listener
{
public:
    Listener(const QByteArray &path, bool abstract) : m_fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0))
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path + (abstract ? 1 : 0), path.constData(), size_t(path.size()));
        const auto length =
            socklen_t(offsetof(sockaddr_un, sun_path) + size_t(path.size()) + (abstract ? 1 : 0));
        m_listening =
            ::bind(m_fd, reinterpret_cast<sockaddr *>(&address), length) == 0 && ::listen(m_fd, 1) == 0;
    }
    ~Listener()
    {
        for (int fd : m_waiting)
            ::close(fd);
        ::close(m_fd);
    }
    bool listening() const { return m_listening; }
    // Clients waiting until no more can: the server is busy, but there.
    void fillBacklog(const QByteArray &path)
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path + 1, path.constData(), size_t(path.size()));
        const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + size_t(path.size()) + 1);
        for (int tries = 0; tries < 16; ++tries) {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
            m_waiting.append(fd);
            if (::connect(fd, reinterpret_cast<sockaddr *>(&address), length) != 0)
                return;
        }
    }

private:
    int m_fd;
    bool m_listening = false;
    QList<int> m_waiting;
};

void TstDisplayGuard::noDisplayOnlyWhereNoServerAnswers_data()
{
    QTest::addColumn<QStringList>(
        "environment"); // NAME=value; DISPLAY :X stands for the display that listens
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("wayland"); // a compositor listens at wayland-0
    QTest::addColumn<bool>("noDisplay");
    const auto row = [](const char *name, const char *environment, const char *arguments, bool wayland,
                        bool noDisplay) {
        QTest::newRow(name) << QString::fromLatin1(environment).split(u' ', Qt::SkipEmptyParts)
                            << QString::fromLatin1(arguments).split(u' ', Qt::SkipEmptyParts) << wayland
                            << noDisplay;
    };
    row("nothing set", "", "", false, true);
    row("X display that does not answer", "DISPLAY=:X+1", "", false, true);
    row("X display that answers", "DISPLAY=:X", "", false, false);
    row("the X display, screen 0", "DISPLAY=unix:X.0", "", false, false);
    row("X display on another host: Qt's to try", "DISPLAY=elsewhere:0", "", false, false);
    row("X platform by name, no display", "QT_QPA_PLATFORM=xcb", "", false, true);
    row("X platform with options", "QT_QPA_PLATFORM=xcb:nograb DISPLAY=:X", "", false, false);
    row("X display given as an argument", "", "-display :X", false, false);
    row("offscreen needs no display", "QT_QPA_PLATFORM=offscreen", "", false, false);
    row("an unknown platform is Qt's to refuse", "QT_QPA_PLATFORM=nosuch", "", false, false);
    row("-platform over the environment", "QT_QPA_PLATFORM=offscreen", "-platform xcb", false, true);
    row("--platform likewise", "QT_QPA_PLATFORM=xcb", "--platform offscreen", false, false);
    row("Wayland session, compositor answers", "XDG_SESSION_TYPE=wayland", "", true, false);
    row("Wayland session, no compositor", "XDG_SESSION_TYPE=wayland", "", false, true);
    row("Wayland session, no compositor, X answers", "XDG_SESSION_TYPE=wayland DISPLAY=:X", "", false, false);
    row("Wayland display not listening", "WAYLAND_DISPLAY=wayland-9", "", true, true);
    row("Wayland tried, then X", "QT_QPA_PLATFORM=wayland;xcb DISPLAY=:X", "", false, false);
    row("Wayland by name, X ignored", "QT_QPA_PLATFORM=wayland DISPLAY=:X", "", false, true);
    row("a compositor is an X server to no one", "", "", true, true);
    row("X display that answers, busy", "DISPLAY=:X BUSY=1", "", false, false);
    static const QByteArray longFolder = "XDG_SESSION_TYPE=wayland XDG_RUNTIME_DIR=/" + QByteArray(200, 'r');
    row("compositor's path longer than a socket's", longFolder.constData(), "", false, true);
}

void TstDisplayGuard::noDisplayOnlyWhereNoServerAnswers()
{
    QFETCH(QStringList, environment);
    QFETCH(QStringList, arguments);
    QFETCH(bool, wayland);
    QFETCH(bool, noDisplay);

    // A display number of this test's own, so that tests side by side and a
    // real X server do not meet it.
    const int number = 5000 + int(::getpid() % 20000) * 2;
    Listener xServer("/tmp/.X11-unix/X" + QByteArray::number(number), true);
    QVERIFY(xServer.listening());
    QTemporaryDir runtime;
    const Listener compositor(QFile::encodeName(runtime.filePath(QStringLiteral("wayland-0"))), false);
    QVERIFY(compositor.listening() || !wayland);

    QProcessEnvironment given;
    given.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                 wayland ? runtime.path() : QStringLiteral("/nonexistent"));
    const auto withDisplay = [number](QString text) {
        return text.replace(QStringLiteral(":X+1"), u':' + QString::number(number + 1))
            .replace(QStringLiteral(":X"), u':' + QString::number(number));
    };
    for (const QString &entry : environment)
        given.insert(entry.section(u'=', 0, 0), withDisplay(entry.section(u'=', 1)));
    if (given.contains(QStringLiteral("BUSY")))
        xServer.fillBacklog("/tmp/.X11-unix/X" + QByteArray::number(number));
    QStringList argv{QStringLiteral("quillmark")};
    for (const QString &argument : arguments)
        argv.append(withDisplay(argument));
    QCOMPARE(DisplayGuard::noDisplay(argv, given), noDisplay);
}

// Only while Qt starts does a fatal message end the program quietly.
void TstDisplayGuard::releaseHandsBackTheHandlerBefore()
{
    const QtMessageHandler before = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(before);
    {
        DisplayGuard starting;
        starting.release();
    }
    QVERIFY(qInstallMessageHandler(before) == before);
}

QTEST_GUILESS_MAIN(TstDisplayGuard)
#include "tst_displayguard.moc"
