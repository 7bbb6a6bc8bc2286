#include "ui/common/look.h"
#include "ui/main/form1.h"

#include <QApplication>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

// The window drag under a real window manager (openbox on its own virtual X
// display), driven by the X server's own pointer: the window manager's move
// only follows the left button, so the other buttons must end their drag on
// release too.
class TstWindowManager : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void dragEndsOnReleaseWhicheverButtonStartedIt_data();
    void dragEndsOnReleaseWhicheverButtonStartedIt();
};

namespace {

QString skipReason;

bool pointer(const QStringList &arguments)
{
    return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
}

} // namespace

void TstWindowManager::dragEndsOnReleaseWhicheverButtonStartedIt_data()
{
    QTest::addColumn<QString>("button"); // X button number
    QTest::newRow("left, the window manager's move") << "1";
    QTest::newRow("middle") << "2";
    QTest::newRow("right") << "3";
}

void TstWindowManager::dragEndsOnReleaseWhicheverButtonStartedIt()
{
    if (!skipReason.isEmpty())
        QSKIP(qPrintable(skipReason));
    QFETCH(QString, button);
    Form1 form;
    form.move(100, 100);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::qWait(1000); // let the window manager settle its placement
    const QPoint start = form.pos();
    // A bare spot of the background, right of the generator frame.
    const QPoint bare = start + QPoint(589, 200);
    QVERIFY(pointer({QStringLiteral("mousemove"), QString::number(bare.x()), QString::number(bare.y())}));
    QVERIFY(pointer({QStringLiteral("mousedown"), button}));
    // Never leave the button down for the next row, even when a check fails.
    auto release = qScopeGuard([&] { pointer({QStringLiteral("mouseup"), button}); });
    QTest::qWait(100);
    for (int step = 1; step <= 4; ++step) {
        QTest::qWait(50);
        QVERIFY(pointer({QStringLiteral("mousemove"), QString::number(bare.x() - 10 * step),
                         QString::number(bare.y() + 5 * step)}));
    }
    QTest::qWait(100);
    release.dismiss();
    QVERIFY(pointer({QStringLiteral("mouseup"), button}));
    QTest::qWait(100);
    // After the release the pointer moves on alone.
    QVERIFY(pointer(
        {QStringLiteral("mousemove"), QString::number(bare.x() - 140), QString::number(bare.y() + 70)}));
    // Qt hears of the window manager's move only once it has ended.
    QTRY_COMPARE(form.pos(), start + QPoint(-40, 20));
    QTest::qWait(300);
    QCOMPARE(form.pos(), start + QPoint(-40, 20));
}

int main(int argc, char *argv[])
{
    // An X display of our own with openbox on it; without them the test skips.
    QProcess xvfb;
    QProcess openbox;
    for (const char *tool : {"Xvfb", "openbox", "xdotool"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            skipReason = QStringLiteral("needs Xvfb, openbox and xdotool (packages xvfb, openbox, xdotool)");
    }
    if (skipReason.isEmpty()) {
        // -displayfd: Xvfb picks a free display and writes its number to stdout.
        xvfb.start(QStringLiteral("Xvfb"),
                   QStringLiteral("-displayfd 1 -screen 0 1024x768x24 -nolisten tcp").split(u' '));
        QByteArray display;
        while (!display.contains('\n') && xvfb.waitForReadyRead(5000))
            display += xvfb.readAllStandardOutput();
        display = display.trimmed();
        qputenv("DISPLAY", ":" + display);
        qputenv("QT_QPA_PLATFORM", "xcb");
        if (display.isEmpty())
            skipReason = QStringLiteral("Xvfb did not start");
        else if (openbox.start(QStringLiteral("openbox"), {}); !openbox.waitForStarted(5000))
            skipReason = QStringLiteral("openbox did not start");
        else
            QThread::msleep(700); // openbox takes the screen
    }
    if (!skipReason.isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");

    int result = 0;
    {
        QApplication app(argc, argv);
        Look::install(app);
        TstWindowManager test;
        result = QTest::qExec(&test, argc, argv);
    }
    openbox.terminate();
    openbox.waitForFinished(2000);
    xvfb.terminate();
    xvfb.waitForFinished(2000);
    return result;
}

#include "tst_windowmanager.moc"
