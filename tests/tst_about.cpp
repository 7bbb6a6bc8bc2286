#include "platform/widgets/messagebox.h"
#include "platform/widgets/screenpointer.h"
#include "ui/about/frmabout.h"
#include "ui/common/look.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Message
{
    QString text;
    QString title;
    MessageBox::Style style;
    ScreenPointer::Shape pointerWhileShown;
};

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void layoutFollowsTheTwipsTable_data();
    void layoutFollowsTheTwipsTable();
    void labelsShowTheirWholeTextInsideTheOutline();
    void linkLabelsLookLikeLinks();

    void linkClicksHandTheLinksToTheOpener();
    void failedOpenShowsTheErrorWithTheArrowPointer_data();
    void failedOpenShowsTheErrorWithTheArrowPointer();
    void successfulOpenShowsNothingAndEndsOnTheArrow();

    void exitHasTheOnlyFocusAndItsKeyClosesTheWindow_data();
    void exitHasTheOnlyFocusAndItsKeyClosesTheWindow();

private:
    void clickLabel(const char *name);

    QPointer<FrmAbout> m_window;
    QStringList m_opened;
    QList<ScreenPointer::Shape> m_pointersWhileOpening;
    QList<Message> m_messages;
};

void TestAbout::initTestCase()
{
    Look::install(*qApp);
}

void TestAbout::init()
{
    m_opened.clear();
    m_pointersWhileOpening.clear();
    m_messages.clear();
    FrmAbout::setLinkOpener([this](const QUrl &url) {
        m_opened.append(url.toString());
        m_pointersWhileOpening.append(ScreenPointer::current());
        return 0; // opened
    });
    MessageBox::setPresenter(
        [this](QWidget *, const QString &text, const QString &title, MessageBox::Style style) {
            m_messages.append({text, title, style, ScreenPointer::current()});
        });
    m_window = new FrmAbout;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestAbout::cleanup()
{
    delete m_window;
    FrmAbout::setLinkOpener({});
    MessageBox::setPresenter({});
    ScreenPointer::set(ScreenPointer::Shape::Default);
}

void TestAbout::clickLabel(const char *name)
{
    auto *label = m_window->findChild<QLabel *>(QString::fromLatin1(name));
    QVERIFY(label);
    // Through the window, so the click takes the route a user's click takes.
    const QPoint centre = label->mapTo(m_window.data(), label->rect().center());
    QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, centre);
}

void TestAbout::layoutFollowsTheTwipsTable_data()
{
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<bool>("sizedToText");

    auto row = [](const char *name, const char *container, int left, int top, int width, int height,
                  bool sizedToText) {
        QTest::newRow(name) << QString::fromLatin1(container) << QRect(left, top, width, height)
                            << sizedToText;
    };
    row("Frame1", "frmabout", 120, 840, 5655, 1335, false);
    row("Exit", "frmabout", 5520, 0, 375, 375, false);
    row("Label1", "frmabout", 840, 120, 4125, 570, true);
    row("Label2", "Frame1", 2160, 360, 1200, 390, true);
    row("Label3", "Frame1", 1080, 840, 3450, 390, true);
    row("Label4", "frmabout", 4920, 600, 885, 195, true);
    row("Label5", "frmabout", 120, 2280, 5655, 375, false);
    row("Label6", "frmabout", 120, 2760, 5655, 375, false);
    row("Label7", "frmabout", 120, 3240, 5535, 975, false);
    row("Label8", "frmabout", 120, 4320, 5655, 375, false);
    row("Label9", "frmabout", 120, 4800, 5220, 195, true);
    row("Label10", "frmabout", 120, 5160, 5655, 375, false);
    row("Label11", "frmabout", 3480, 5640, 2325, 195, true);
    row("Shape1", "frmabout", 0, 0, 5895, 5895, false);
}

void TestAbout::layoutFollowsTheTwipsTable()
{
    QFETCH(QString, container);
    QFETCH(QRect, twips);
    QFETCH(bool, sizedToText);

    QCOMPARE(m_window->objectName(), QStringLiteral("frmabout"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Form2"));
    QCOMPARE(m_window->size(), QSize(393, 394));
    QVERIFY(m_window->windowFlags().testFlag(Qt::FramelessWindowHint));

    const auto *control = m_window->findChild<QWidget *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control);
    QCOMPARE(control->parentWidget()->objectName(), container);
    const QRect expected = Look::twipsRect(twips.left(), twips.top(), twips.width(), twips.height());
    if (sizedToText)
        QCOMPARE(control->pos(), expected.topLeft());
    else
        QCOMPARE(control->geometry(), expected);
}

void TestAbout::labelsShowTheirWholeTextInsideTheOutline()
{
    // Inside the one-pixel outline, which ends a pixel above the window's bottom.
    const QRect inside = QRect(0, 0, 393, 393).adjusted(1, 1, -1, -1);
    for (const QLabel *label : m_window->findChildren<QLabel *>()) {
        const QString name = label->objectName();
        const QRect onWindow(label->mapTo(m_window.data(), QPoint(0, 0)), label->size());
        QVERIFY2(inside.contains(onWindow), qPrintable(name));
        QVERIFY2(label->parentWidget()->rect().contains(label->geometry()), qPrintable(name));
        if (label->wordWrap()) {
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(name));
        } else {
            const QFontMetrics metrics(label->font());
            QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width(), qPrintable(name));
            QVERIFY2(!label->text().contains(QLatin1Char('\n')), qPrintable(name));
        }
    }
}

void TestAbout::linkLabelsLookLikeLinks()
{
    for (const char *name : {"Label2", "Label3"}) {
        const auto *label = m_window->findChild<QLabel *>(QString::fromLatin1(name));
        QVERIFY(label);
        QVERIFY(label->font().underline());
        QCOMPARE(label->palette().color(QPalette::WindowText), Look::linkBlue());
        QCOMPARE(label->cursor().shape(), Qt::ArrowCursor);
    }
}

void TestAbout::linkClicksHandTheLinksToTheOpener()
{
    const QString host = m_window->findChild<QLabel *>(QStringLiteral("Label3"))->text();
    clickLabel("Label3");
    clickLabel("Label2");

    QCOMPARE(m_opened,
             QStringList({QStringLiteral("http://") + host, QStringLiteral("mailto:toren@example.org")}));
    QCOMPARE(m_pointersWhileOpening, QList<ScreenPointer::Shape>(2, ScreenPointer::Shape::Hourglass));
    QVERIFY(m_messages.isEmpty());
}

void TestAbout::failedOpenShowsTheErrorWithTheArrowPointer_data()
{
    // The desktop's own opener, xdg-open, found on the PATH or not.
    QTest::addColumn<QString>("openerScript"); // empty: no xdg-open at all
    QTest::addColumn<QString>("code");
    QTest::newRow("no opener program") << QString() << "2";
    QTest::newRow("opener knows no handler") << "#!/bin/sh\nexit 3\n"
                                             << "3";
}

void TestAbout::failedOpenShowsTheErrorWithTheArrowPointer()
{
    QFETCH(QString, openerScript);
    QFETCH(QString, code);
    QTemporaryDir bin;
    if (!openerScript.isEmpty()) {
        QFile opener(bin.filePath(QStringLiteral("xdg-open")));
        QVERIFY(opener.open(QIODevice::WriteOnly));
        opener.write(openerScript.toUtf8());
        opener.close();
        opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()));
    const auto restorePath = qScopeGuard([&] { qputenv("PATH", path); });
    FrmAbout::setLinkOpener({});

    const QString link =
        QStringLiteral("http://") + m_window->findChild<QLabel *>(QStringLiteral("Label3"))->text();

    // The window stays open after a failure and the link can be clicked again.
    for (int click = 1; click <= 2; ++click) {
        clickLabel("Label3");
        QCOMPARE(m_messages.size(), click);
        const Message &message = m_messages.last();
        QCOMPARE(message.title, QStringLiteral("frmAbout::ExecuteLink"));
        QCOMPARE(message.text,
                 QStringLiteral("Error Opening Link to ") + link + QStringLiteral("\r\n\r\n") + code);
        QCOMPARE(message.style, MessageBox::Style::OkOnly);
        QCOMPARE(message.pointerWhileShown, ScreenPointer::Shape::Default);
        QCOMPARE(ScreenPointer::current(), ScreenPointer::Shape::Default);
        QVERIFY(m_window && m_window->isVisible());
    }
}

void TestAbout::successfulOpenShowsNothingAndEndsOnTheArrow()
{
    ScreenPointer::set(ScreenPointer::Shape::Hourglass);
    clickLabel("Label2");
    QCOMPARE(m_opened.size(), 1);
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(ScreenPointer::current(), ScreenPointer::Shape::Default);
}

void TestAbout::exitHasTheOnlyFocusAndItsKeyClosesTheWindow_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Space") << Qt::Key_Space;
    QTest::newRow("Return") << Qt::Key_Return;
}

void TestAbout::exitHasTheOnlyFocusAndItsKeyClosesTheWindow()
{
    QFETCH(Qt::Key, key);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    QWidget *focused = QApplication::focusWidget();
    QVERIFY(focused);
    QCOMPARE(focused->objectName(), QStringLiteral("Exit"));
    for (const QWidget *child : m_window->findChildren<QWidget *>()) {
        if (child != focused)
            QVERIFY2(child->focusPolicy() == Qt::NoFocus, qPrintable(child->objectName()));
    }

    // Its face fills the window's top-right corner: the window's black
    // outline shows neither above it nor to its right.
    const QImage shot = m_window->grab().toImage();
    for (const QPoint at : {QPoint(369, 0), QPoint(380, 0), QPoint(391, 0), QPoint(392, 1), QPoint(392, 12)})
        QVERIFY2(shot.pixelColor(at) != QColor(0, 0, 0),
                 qPrintable(QStringLiteral("%1,%2").arg(at.x()).arg(at.y())));

    QTest::keyClick(focused, key);
    QTRY_VERIFY(m_window.isNull());
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
