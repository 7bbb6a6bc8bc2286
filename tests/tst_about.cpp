#include "messagecapture.h"
#include "ui/about/frmabout.h"
#include "ui/access/accessibility.h"
#include "ui/common/look.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRawFont>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TstAbout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        Look::install(*qApp);
        Accessibility::install();
    }
    void init();
    void cleanup();

    void labelsShowTheirWholeTextInsideTheOutline();
    void standInFacesDrawTheTextsAsDesigned();

    void onlyLeftClicksOnTheLinksOpenThem();
    void failedOpenShowsTheErrorWithTheArrowPointer_data();
    void failedOpenShowsTheErrorWithTheArrowPointer();

    void keysReachAndPressEveryControl_data();
    void keysReachAndPressEveryControl();

private:
    void clickLabel(const char *name)
    {
        auto *label = m_window->findChild<QLabel *>(QString::fromLatin1(name));
        QVERIFY(label);
        // Through the window, so the click takes the route a user's click takes.
        const QPoint centre = label->mapTo(m_window.data(), label->rect().center());
        QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, centre);
    }

    // How many pixels of a line of text come out dark.
    static int inkOf(const QString &text, const QFont &font)
    {
        QImage image(400, 30, QImage::Format_Grayscale8);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        painter.drawText(image.rect(), Qt::AlignLeft | Qt::AlignVCenter, text);
        painter.end();
        int ink = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ink += qGray(image.pixel(x, y)) < 128;
        return ink;
    }

    QPointer<FrmAbout> m_window;
    QStringList m_opened;
    QList<ScreenPointer::Shape> m_pointersWhileOpening;
    std::optional<MessageCapture> m_messages;
};

void TstAbout::init()
{
    m_opened.clear();
    m_pointersWhileOpening.clear();
    FrmAbout::setLinkOpener([this](const QUrl &url, std::function<void(int)> done) {
        m_opened.append(url.toString());
        m_pointersWhileOpening.append(shownPointer());
        done(0); // opened
    });
    m_messages.emplace();
    m_window = new FrmAbout;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TstAbout::cleanup()
{
    delete m_window;
    FrmAbout::setLinkOpener({});
    m_messages.reset();
    ScreenPointer::set(ScreenPointer::Shape::Default);
}

void TstAbout::labelsShowTheirWholeTextInsideTheOutline()
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

void TstAbout::standInFacesDrawTheTextsAsDesigned()
{
    // The faces the windows name are Windows faces; these stand in for them.
    QCOMPARE(QRawFont::fromFont(Look::dialogFont()).familyName().toLower(), QStringLiteral("tahoma"));
    const QRawFont comic = QRawFont::fromFont(Look::font(Look::ComicSans, 9.75));
    QCOMPARE(comic.familyName().toLower(), QStringLiteral("comic neue"));
    QVERIFY(!comic.supportsCharacter(QChar(0x0416))); // why every Cyrillic text must not be set in it
    const QRawFont title = QRawFont::fromFont(Look::font(Look::CampusOtl, 18, Look::Weight::Bold));
    QCOMPARE(title.familyName().toLower(), QStringLiteral("dejavu serif"));
    QCOMPARE(title.weight(), int(QFont::Bold));
    QCOMPARE(Look::dialogFont().pixelSize(), 11); // 8.25 points at 96 dpi, whatever the screen reports

    // The blurbs and the copyright line are bold, Label5 beside them regular:
    // the bold strokes must cover clearly more ink.
    const QString text = QStringLiteral("Clocky — часы с будильником на рабочий стол.");
    const int regular = inkOf(text, m_window->findChild<QLabel *>(QStringLiteral("Label5"))->font());
    for (const char *name : {"Label9", "Label11"}) {
        const int bold = inkOf(text, m_window->findChild<QLabel *>(QString::fromLatin1(name))->font());
        QVERIFY2(bold >= regular * 13 / 10,
                 qPrintable(QStringLiteral("%1 against %2").arg(bold).arg(regular)));
    }
}

void TstAbout::onlyLeftClicksOnTheLinksOpenThem()
{
    for (const char *name : {"Label2", "Label3"}) {
        const auto *label = m_window->findChild<QLabel *>(QString::fromLatin1(name));
        QVERIFY(label->font().underline());
        QCOMPARE(label->cursor().shape(), Qt::ArrowCursor);
    }
    // A successful open ends on the arrow, whatever pointer was up before.
    ScreenPointer::set(ScreenPointer::Shape::Hourglass);
    clickLabel("Label3");
    clickLabel("Label2");
    QCOMPARE(shownPointer(), ScreenPointer::Shape::Default);
    const QStringList links{QStringLiteral("http://quillmark.example.org"),
                            QStringLiteral("mailto:toren@example.org")};
    QCOMPARE(m_opened, links);
    QCOMPARE(m_pointersWhileOpening, QList<ScreenPointer::Shape>(2, ScreenPointer::Shape::Hourglass));

    // Any button, double clicks and keys on every part of the window open
    // nothing else and leave the window open.
    QWindow *window = m_window->windowHandle();
    for (const QWidget *target : m_window->findChildren<QWidget *>()) {
        if (target->objectName().isEmpty() || target->objectName() == QStringLiteral("Exit"))
            continue;
        const QPoint at = target->mapTo(m_window.data(), target->rect().center());
        for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton})
            QTest::mouseClick(window, button, {}, at);
        QTest::mouseDClick(window, Qt::LeftButton, {}, at);
        // Neither Space nor Return: the focus sits on the close button, which both press.
        for (const QString &typed : {QStringLiteral("x"), QStringLiteral("я"), QStringLiteral("5")})
            QTest::sendKeyEvent(QTest::Click, window, Qt::Key_unknown, typed, Qt::NoModifier);
        QTest::keyClick(window, Qt::Key_Down);
        QVERIFY2(m_window && m_window->isVisible(), qPrintable(target->objectName()));
    }
    QCOMPARE(QSet<QString>(m_opened.cbegin(), m_opened.cend()), QSet<QString>(links.cbegin(), links.cend()));
    QVERIFY(m_messages->shown.isEmpty());

    // A screen reader's Press on a link opens it as a click does.
    m_opened.clear();
    for (const char *name : {"Label3", "Label2"}) {
        QAccessibleInterface *link =
            QAccessible::queryAccessibleInterface(m_window->findChild<QLabel *>(QString::fromLatin1(name)));
        link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
    QCOMPARE(m_opened, links);
}

void TstAbout::failedOpenShowsTheErrorWithTheArrowPointer_data()
{
    // The desktop's own opener, xdg-open, found on the PATH or not.
    QTest::addColumn<QString>("openerScript"); // empty: no xdg-open at all
    QTest::addColumn<QString>("code");
    QTest::newRow("no opener program") << QString() << "2";
    QTest::newRow("opener knows no handler") << u"#!/bin/sh\nexit 3\n"_s << u"3"_s;
    // The window is not held meanwhile: the click returns before the opener ends.
    QTest::newRow("opener fails after a while") << u"#!/bin/sh\n/bin/sleep 0.3\nexit 4\n"_s << u"4"_s;
}

void TstAbout::failedOpenShowsTheErrorWithTheArrowPointer()
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

    // The window stays open after a failure and the link can be clicked again.
    for (int click = 1; click <= 2; ++click) {
        clickLabel("Label3");
        if (openerScript.contains(u"sleep")) {
            QCOMPARE(m_messages->shown.size(), click - 1);
            QCOMPARE(shownPointer(), ScreenPointer::Shape::Hourglass);
        }
        QTRY_COMPARE(m_messages->shown.size(), click);
        const ShownMessage &message = m_messages->shown.last();
        QCOMPARE(message.title, QStringLiteral("frmAbout::ExecuteLink"));
        QCOMPARE(message.text,
                 QStringLiteral("Error Opening Link to http://quillmark.example.org\r\n\r\n") + code);
        QCOMPARE(message.style, MessageBox::Style::OkOnly);
        QCOMPARE(message.pointerWhileShown, ScreenPointer::Shape::Default);
        QCOMPARE(shownPointer(), ScreenPointer::Shape::Default);
        QVERIFY(m_window && m_window->isVisible());
    }
}

void TstAbout::keysReachAndPressEveryControl_data()
{
    // Tab goes X, mail link, web link, X again; an empty link means the key
    // closes the window.
    QTest::addColumn<int>("tabs");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("opened");
    QTest::newRow("Space on X") << 0 << Qt::Key_Space << QString();
    QTest::newRow("Return on X") << 0 << Qt::Key_Return << QString();
    QTest::newRow("Escape") << 0 << Qt::Key_Escape << QString();
    QTest::newRow("Escape on a link") << 1 << Qt::Key_Escape << QString();
    QTest::newRow("Return on the mail link") << 1 << Qt::Key_Return << u"mailto:toren@example.org"_s;
    QTest::newRow("Space on the web link") << 2 << Qt::Key_Space << u"http://quillmark.example.org"_s;
    QTest::newRow("Enter on the web link") << 2 << Qt::Key_Enter << u"http://quillmark.example.org"_s;
    QTest::newRow("Tab back round to X") << 3 << Qt::Key_Space << QString();
}

void TstAbout::keysReachAndPressEveryControl()
{
    QFETCH(int, tabs);
    QFETCH(Qt::Key, key);
    QFETCH(QString, opened);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Exit"));
    const QStringList focusable{u"Exit"_s, u"Label2"_s, u"Label3"_s};
    for (const QWidget *child : m_window->findChildren<QWidget *>())
        QVERIFY2(focusable.contains(child->objectName()) || child->focusPolicy() == Qt::NoFocus,
                 qPrintable(child->objectName()));

    // Its face fills the window's top-right corner: the window's black
    // outline shows neither above it nor to its right.
    const QImage shot = m_window->grab().toImage();
    for (const QPoint at : {QPoint(369, 0), QPoint(380, 0), QPoint(391, 0), QPoint(392, 1), QPoint(392, 12)})
        QVERIFY2(shot.pixelColor(at) != QColor(0, 0, 0),
                 qPrintable(QStringLiteral("%1,%2").arg(at.x()).arg(at.y())));

    // A click opens a link without taking the focus: no focus frame.
    auto *webLink = m_window->findChild<QLabel *>(u"Label3"_s);
    clickLabel("Label3");
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Exit"));
    QCOMPARE(webLink->grab().toImage().pixelColor(1, 0), QColor(224, 224, 224));
    m_opened.clear();

    for (int tab = 0; tab < tabs; ++tab)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget *focused = QApplication::focusWidget();
    QCOMPARE(focused->objectName(), focusable.at(tabs % 3));
    // A link with the keyboard focus has a dotted frame in its own blue.
    if (qobject_cast<QLabel *>(focused))
        QCOMPARE(focused->grab().toImage().pixelColor(1, 0), QColor(0, 0, 255));

    QTest::keyClick(focused, key);
    if (opened.isEmpty()) {
        QTRY_VERIFY(m_window.isNull());
        QVERIFY(m_opened.isEmpty());
    } else {
        QCOMPARE(m_opened, QStringList{opened});
        QVERIFY(m_window && m_window->isVisible());
    }
}

QTEST_MAIN(TstAbout)
#include "tst_about.moc"
