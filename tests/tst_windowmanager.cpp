#include "ui/access/accessibility.h"
#include "ui/common/look.h"
#include "ui/main/form1.h"

#include <QApplication>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTest>

// The window drag under a real window manager (openbox on a virtual X
// display of its own, which scripts/virtual-display.sh starts), driven by the
// X server's own pointer: the window manager's move only follows the left
// button, so the other buttons must end their drag on release too.
class TstWindowManager : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void dragEndsOnReleaseWhicheverButtonStartedIt_data();
    void dragEndsOnReleaseWhicheverButtonStartedIt();
};

namespace {

bool pointer(const QStringList &arguments)
{
    return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
}

bool moveTo(QPoint at)
{
    return pointer({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
}

// Where the X server has the window now; Qt hears of a window manager's move
// only once it has ended.
QPoint onScreen(const QWidget &window)
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"),
                                              QString::number(window.winId())});
    xdotool.waitForFinished();
    QPoint at(-1, -1);
    for (const QByteArray &line : xdotool.readAllStandardOutput().split('\n')) {
        if (line.startsWith("X="))
            at.setX(line.mid(2).toInt());
        else if (line.startsWith("Y="))
            at.setY(line.mid(2).toInt());
    }
    return at;
}

} // namespace

void TstWindowManager::initTestCase()
{
    if (QGuiApplication::platformName() != u"xcb")
        QSKIP("needs an X display with a window manager: run it through scripts/virtual-display.sh");
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("needs xdotool (package xdotool)");
    Look::install(*qApp);
    Accessibility::install();
}

void TstWindowManager::dragEndsOnReleaseWhicheverButtonStartedIt_data()
{
    QTest::addColumn<QString>("button"); // X button number
    QTest::addColumn<Qt::MouseButton>("qtButton");
    QTest::newRow("left, the window manager's move") << "1" << Qt::LeftButton;
    QTest::newRow("middle") << "2" << Qt::MiddleButton;
    QTest::newRow("right") << "3" << Qt::RightButton;
}

void TstWindowManager::dragEndsOnReleaseWhicheverButtonStartedIt()
{
    QFETCH(QString, button);
    QFETCH(Qt::MouseButton, qtButton);
    Form1 form;
    form.move(100, 100);
    form.show();
    // Active once the window manager has framed and placed it.
    QVERIFY(QTest::qWaitForWindowActive(&form));
    const QPoint start = form.pos();
    // A bare spot of the background, right of the generator frame.
    const QPoint bare = start + QPoint(589, 200);
    QVERIFY(moveTo(bare));
    QVERIFY(pointer({QStringLiteral("mousedown"), button}));
    // Never leave the button down for the next row, even when a check fails.
    auto release = qScopeGuard([&] { pointer({QStringLiteral("mouseup"), button}); });
    QTRY_VERIFY(QGuiApplication::mouseButtons() & qtButton);
    if (qtButton == Qt::LeftButton) {
        // The window manager takes the pointer once it has read the window's
        // request; until then it misses the pointer's moves. Nudge the
        // pointer until the window follows it, then bring it back.
        const QPoint startOnScreen = onScreen(form);
        int nudges = 0;
        const auto followsNudge = [&] {
            // One or two pixels down, in turn, so every nudge is a move.
            moveTo(bare + QPoint(0, 1 + ++nudges % 2));
            return onScreen(form).y() > startOnScreen.y();
        };
        QTRY_VERIFY(followsNudge());
        QVERIFY(moveTo(bare));
        QTRY_COMPARE(onScreen(form), startOnScreen);
    }
    // The X server delivers the moves and the release in order, so the drag
    // ends where the last move left the pointer.
    for (int step = 1; step <= 4; ++step)
        QVERIFY(moveTo(bare + QPoint(-10 * step, 5 * step)));
    release.dismiss();
    QVERIFY(pointer({QStringLiteral("mouseup"), button}));
    // After the release the pointer moves on alone.
    QVERIFY(moveTo(bare + QPoint(-140, 70)));
    // Qt hears of the window manager's move only once it has ended.
    QTRY_COMPARE(form.pos(), start + QPoint(-40, 20));
    // Every event the X server had for the window by now has been handled.
    QGuiApplication::sync();
    QCOMPARE(form.pos(), start + QPoint(-40, 20));
}

QTEST_MAIN(TstWindowManager)
#include "tst_windowmanager.moc"
