#include "control/nicklistbox.h"
#include "modalwatcher.h"
#include "platform/widgets/generationtimer.h"
#include "platform/widgets/slotselector.h"
#include "platform/widgets/textbox.h"
#include "ui/about/frmabout.h"
#include "ui/common/look.h"
#include "ui/main/form1.h"
#include "ui/main/form1layout.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

// The main window driven as a user drives it: mouse events go through the
// window, so Qt's own routing decides which control gets them.
class TstForm1 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void everyControlStandsWhereTheLayoutSays();
    void startsWithItsInitialContents();
    void focusStartsOnExitAndFollowsTheTabOrder();
    void returnAndSpaceClickTheFocusedButton_data();
    void returnAndSpaceClickTheFocusedButton();
    void generateActsOnReleaseOfAnyButtonAnywhere_data();
    void generateActsOnReleaseOfAnyButtonAnywhere();
    void messagesAppearOverThePressedFace_data();
    void messagesAppearOverThePressedFace();
    void lengthButtonsStepTheLength();
    void framesRestoreTheirOwnFaces();
    void aboutButtonShowsOneAboutWindow();
    void backgroundPressMovesTheWindowButControlsDoNot();
    void onlyTheIntervalBoxTakesTyping();
    void selectedEntryIsShownCutToTheLastLength();
    void eraseEmptiesTheListAndTheCounter();
    void saveWritesTheListOrSaysWhyNot();
    void timerGeneratesUntilStopped();
    void exitEndsTheProgram();

private:
    template <typename T = QWidget>
    T *control(const char *name) const
    {
        auto *widget = m_form->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QPoint centreOf(const char *name) const;
    void press(QPoint at, Qt::MouseButton button = Qt::LeftButton);
    void release(QPoint at, Qt::MouseButton button = Qt::LeftButton);
    void clickFace(const char *face, Qt::MouseButton button = Qt::LeftButton);
    QWindow *window() const { return m_form->windowHandle(); }

    std::unique_ptr<Form1> m_form;
};

void TstForm1::initTestCase()
{
    Look::install(*qApp);
    Form1::setSystemMoveEnabled(false);
}

void TstForm1::init()
{
    m_form = std::make_unique<Form1>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    m_form->activateWindow();
}

void TstForm1::cleanup()
{
    m_form.reset();
}

QPoint TstForm1::centreOf(const char *name) const
{
    QWidget *widget = control(name);
    return widget->mapTo(m_form.get(), widget->rect().center());
}

void TstForm1::press(QPoint at, Qt::MouseButton button)
{
    QTest::mousePress(window(), button, Qt::NoModifier, at);
}

void TstForm1::release(QPoint at, Qt::MouseButton button)
{
    QTest::mouseRelease(window(), button, Qt::NoModifier, at);
}

void TstForm1::clickFace(const char *face, Qt::MouseButton button)
{
    const QPoint at = centreOf(face);
    press(at, button);
    release(at, button);
}

void TstForm1::everyControlStandsWhereTheLayoutSays()
{
    QCOMPARE(m_form->size(), QSize(594, 345));
    QVERIFY(m_form->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Form1"));
    for (const ControlPlace &place : Form1Layout) {
        QWidget *widget = control(place.name);
        QWidget *container = widget->parentWidget();
        while (container->objectName().isEmpty())
            container = container->parentWidget();
        QCOMPARE(container->objectName(), QLatin1String(place.container));
        const QRect placed(widget->mapTo(container, QPoint(0, 0)), widget->size());
        QCOMPARE(placed, Look::twipsRect(place.left, place.top, place.width, place.height));
    }
    // Exit closes the left panel's corner, not the window's.
    QCOMPARE(control("Exit")->geometry().right() + 1, 441);
    QCOMPARE(control("Image3")->size(), QSize(181, 62));
    QCOMPARE(control("Image7")->size(), QSize(57, 28));
    QCOMPARE(control("Combo7")->size(), QSize(97, 21));
}

void TstForm1::startsWithItsInitialContents()
{
    QCOMPARE(control<TextBox>("Text3")->text(), QStringLiteral("[.:] TOR(E)N [:.]"));
    QCOMPARE(control<TextBox>("Text1")->text(), QStringLiteral("6"));
    QCOMPARE(control<TextBox>("Text2")->text(), QStringLiteral("250"));
    QCOMPARE(control<TextBox>("Text4")->text(), QStringLiteral("0"));
    QCOMPARE(control<NickListBox>("List")->count(), 0);
    QVERIFY(!control<GenerationTimer>("Timer1")->isEnabled());
    for (int face = 1; face <= 10; face += 2) {
        QVERIFY(control(qPrintable(QStringLiteral("Image%1").arg(face)))->isVisible());
        QVERIFY(control(qPrintable(QStringLiteral("Image%1").arg(face + 1)))->isHidden());
    }
    const QList<int> pattern{1, 0, 1, 1, 0, 1, 1, 0, 1, 0};
    for (int slot = 1; slot <= 10; ++slot) {
        auto *combo = control<SlotSelector>(qPrintable(QStringLiteral("Combo%1").arg(slot)));
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(0), QStringLiteral("Гласная"));
        QCOMPARE(combo->itemText(1), QStringLiteral("Согласная"));
        QCOMPARE(combo->listIndex(), pattern[slot - 1]);
    }
    QCOMPARE(control<QLabel>("Label2")->text(), QStringLiteral("Шестая буква:"));
    QCOMPARE(control<QPushButton>("Command1")->text(), QStringLiteral("Сохранить"));
    QCOMPARE(control<QPushButton>("Command1")->toolTip(), QStringLiteral("Сохраняет список в папку с программой"));
    QCOMPARE(control<TextBox>("Text3")->palette().color(QPalette::Text), Look::darkRed());

    // The selectors keep white fields inside the grey frames.
    const QImage shot = m_form->grab().toImage();
    for (int slot = 1; slot <= 10; ++slot) {
        QWidget *field = control<SlotSelector>(qPrintable(QStringLiteral("Combo%1").arg(slot)))->lineEdit();
        const QPoint blank = field->mapTo(m_form.get(), QPoint(field->width() - 3, field->height() / 2));
        QCOMPARE(shot.pixelColor(blank), QColor(255, 255, 255));
    }
}

void TstForm1::focusStartsOnExitAndFollowsTheTabOrder()
{
    QTRY_COMPARE(QApplication::focusWidget(), control("Exit"));
    const QStringList order{QStringLiteral("Exit"),   QStringLiteral("Combo1"), QStringLiteral("Combo2"),
                            QStringLiteral("Combo3"), QStringLiteral("Combo4"), QStringLiteral("Text1"),
                            QStringLiteral("Combo5"), QStringLiteral("Combo6"), QStringLiteral("Combo7"),
                            QStringLiteral("Combo8"), QStringLiteral("Combo9"), QStringLiteral("Combo10"),
                            QStringLiteral("List"),   QStringLiteral("Text2"),  QStringLiteral("Command2"),
                            QStringLiteral("Command3"), QStringLiteral("Text3"), QStringLiteral("Command4"),
                            QStringLiteral("Text4"),  QStringLiteral("Command1"), QStringLiteral("Exit")};
    for (qsizetype i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focus = QApplication::focusWidget();
        // A selector's focus sits in its line edit.
        while (focus && focus->objectName().isEmpty())
            focus = focus->parentWidget();
        QVERIFY(focus);
        QCOMPARE(focus->objectName(), order[i]);
        if (order[i] == QStringLiteral("List")) {
            // Even empty, the focused list shows its dotted focus frame.
            const QImage shot = control<NickListBox>("List")->viewport()->grab().toImage();
            int dark = 0;
            for (int x = 0; x < shot.width(); ++x)
                dark += shot.pixelColor(x, 0) == QColor(0, 0, 0);
            QVERIFY2(dark >= shot.width() / 3, qPrintable(QString::number(dark)));
        }
    }
}

void TstForm1::returnAndSpaceClickTheFocusedButton_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Старт, Return") << QByteArray("Command2") << Qt::Key_Return;
    QTest::newRow("Стоп, Enter") << QByteArray("Command3") << Qt::Key_Enter;
    QTest::newRow("Стереть, Return") << QByteArray("Command4") << Qt::Key_Return;
    QTest::newRow("Сохранить, Return") << QByteArray("Command1") << Qt::Key_Return;
    QTest::newRow("Старт, Space") << QByteArray("Command2") << Qt::Key_Space;
}

void TstForm1::returnAndSpaceClickTheFocusedButton()
{
    QFETCH(QByteArray, button);
    QFETCH(Qt::Key, key);
    QTemporaryDir folder;
    m_form->setLogFolders(folder.path(), folder.path());
    auto *pushButton = control<QPushButton>(button.constData());
    pushButton->setFocus();
    QSignalSpy clicks(pushButton, &QPushButton::clicked);
    QTest::keyClick(window(), key);
    QCOMPARE(clicks.size(), 1);
}

void TstForm1::generateActsOnReleaseOfAnyButtonAnywhere_data()
{
    // While held, the button keeps the pointer: no frame or window surface
    // it is dragged over may bring the normal face back before the release.
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("dragTo"); // in the window; (0, 0): stay in place
    QTest::newRow("left, in place") << Qt::LeftButton << QPoint();
    QTest::newRow("right, onto a label") << Qt::RightButton << QPoint(-1, -1);
    QTest::newRow("middle, onto the background") << Qt::MiddleButton << QPoint(589, 200);
    QTest::newRow("left, onto Frame1's surface") << Qt::LeftButton << QPoint(8 + 236, 32 + 200);
    QTest::newRow("right, onto the list") << Qt::RightButton << QPoint(520, 120);
}

void TstForm1::generateActsOnReleaseOfAnyButtonAnywhere()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, dragTo);
    const QPoint at = centreOf("Image1");
    press(at, button);
    QVERIFY(control("Image2")->isVisible());
    QVERIFY(control("Image1")->isHidden());
    QCOMPARE(control<NickListBox>("List")->count(), 0); // nothing yet on the press

    const QPoint elsewhere = dragTo.isNull() ? at : dragTo == QPoint(-1, -1) ? centreOf("Label13") : dragTo;
    QTest::mouseMove(window(), elsewhere);
    QVERIFY(control("Image2")->isVisible());
    QVERIFY(control("Image1")->isHidden());
    release(elsewhere, button);
    QCOMPARE(control<NickListBox>("List")->count(), 1);
    QCOMPARE(control<TextBox>("Text4")->text(), QStringLiteral("1"));
    QVERIFY(QRegularExpression(QStringLiteral("^[A-Z]{6}$")).match(control<TextBox>("Text3")->text()).hasMatch());
    QCOMPARE(control<NickListBox>("List")->item(0), control<TextBox>("Text3")->text());
    QVERIFY(control("Image1")->isVisible());
    QVERIFY(control("Image2")->isHidden());
}

void TstForm1::messagesAppearOverThePressedFace_data()
{
    QTest::addColumn<QByteArray>("normal");
    QTest::addColumn<QByteArray>("pressed");
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    // Before the release the pointer is dragged over the frame that resets
    // that button's face when nothing is held.
    QTest::addColumn<QPoint>("dragTo");
    QTest::newRow("help") << QByteArray("Image5") << QByteArray("Image6") << "6"
                          << "Читай файл !!!PleaseReadMe!!!.html, там обо всём узнаеш."
                          << "Подсказка..." << QPoint(8 + 236, 32 + 200);
    QTest::newRow("length up at 10") << QByteArray("Image7") << QByteArray("Image8") << "10"
                                     << "Да хватит десяти, зачем больше!!!" << "Ошибка!!!" << QPoint(20, 312);
    QTest::newRow("length down at 2") << QByteArray("Image9") << QByteArray("Image10") << "2"
                                      << "Куда меньше-то!!!" << "Ошибка!!!" << QPoint(348, 157);
}

void TstForm1::messagesAppearOverThePressedFace()
{
    QFETCH(QByteArray, normal);
    QFETCH(QByteArray, pressed);
    QFETCH(QString, length);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(QPoint, dragTo);
    control<TextBox>("Text1")->setText(length);

    bool pressedFaceUp = false;
    int boxWidth = 0;
    ModalWatcher watcher([&] {
        pressedFaceUp = control(pressed.constData())->isVisible() && control(normal.constData())->isHidden();
        boxWidth = QApplication::activeModalWidget()->width();
    });
    press(centreOf(normal.constData()), Qt::RightButton);
    QTest::mouseMove(window(), dragTo);
    release(dragTo, Qt::RightButton);
    QVERIFY(watcher.seen);
    QCOMPARE(watcher.text, text);
    QCOMPARE(watcher.title, title);
    QCOMPARE(watcher.icon, QMessageBox::Information);
    QCOMPARE(watcher.buttons, 1);
    QVERIFY(pressedFaceUp);
    // Wide enough that a window manager's title bar shows the whole title.
    QVERIFY2(boxWidth >= 250, qPrintable(QString::number(boxWidth)));
    QVERIFY(control(normal.constData())->isVisible());
    QVERIFY(control(pressed.constData())->isHidden());
    QCOMPARE(control<TextBox>("Text1")->text(), length);
}

void TstForm1::lengthButtonsStepTheLength()
{
    clickFace("Image7");
    clickFace("Image7");
    QCOMPARE(control<TextBox>("Text1")->text(), QStringLiteral("8"));
    clickFace("Image9", Qt::RightButton);
    QCOMPARE(control<TextBox>("Text1")->text(), QStringLiteral("7"));
    clickFace("Image1");
    QCOMPARE(control<TextBox>("Text3")->text().size(), 7);
}

void TstForm1::framesRestoreTheirOwnFaces()
{
    // Leave both length buttons pressed, as when their release never came.
    for (const char *face : {"Image7", "Image9"}) {
        QWidget *button = control(face)->parentWidget();
        QMouseEvent pressEvent(QEvent::MouseButtonPress, QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)),
                               Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(button, &pressEvent);
    }
    QVERIFY(control("Image8")->isVisible());
    QVERIFY(control("Image10")->isVisible());

    // A bare spot of the length frame, between its box and its buttons' row.
    const QPoint overFrame4 = control("Frame4")->mapTo(m_form.get(), QPoint(100, 45));
    QTest::mouseMove(window(), overFrame4);
    QVERIFY(control("Image8")->isVisible()); // the length frame leaves length-up alone
    QVERIFY(control("Image9")->isVisible());
    QVERIFY(control("Image10")->isHidden());

    const QPoint overFrame3 = control("Frame3")->mapTo(m_form.get(), QPoint(4, 200));
    QTest::mouseMove(window(), overFrame3);
    QVERIFY(control("Image7")->isVisible());
    QVERIFY(control("Image8")->isHidden());

    // Frame1 restores the three big buttons; a move over a control is no move over the frame.
    QWidget *help = control("Image5")->parentWidget();
    QMouseEvent pressEvent(QEvent::MouseButtonPress, QPointF(5, 5), help->mapToGlobal(QPointF(5, 5)),
                           Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(help, &pressEvent);
    QTest::mouseMove(window(), centreOf("Text3"));
    QVERIFY(control("Image6")->isVisible());
    QTest::mouseMove(window(), control("Frame1")->mapTo(m_form.get(), QPoint(236, 200)));
    QVERIFY(control("Image5")->isVisible());
    QVERIFY(control("Image6")->isHidden());
}

void TstForm1::aboutButtonShowsOneAboutWindow()
{
    QVERIFY(!m_form->aboutWindow());
    clickFace("Image3");
    FrmAbout *about = m_form->aboutWindow();
    QVERIFY(about);
    QVERIFY(about->isVisible());
    QVERIFY(!about->parentWidget()); // no owner
    clickFace("Image3", Qt::RightButton);
    QCOMPARE(m_form->aboutWindow(), about);
    int aboutWindows = 0;
    for (QWidget *top : QApplication::topLevelWidgets())
        aboutWindows += top->objectName() == QStringLiteral("frmabout") && top->isVisible();
    QCOMPARE(aboutWindows, 1);
    QVERIFY(m_form->isVisible());
    QVERIFY(control("Image3")->isVisible());
}

void TstForm1::backgroundPressMovesTheWindowButControlsDoNot()
{
    const QPoint start = m_form->pos();
    // A bare spot between the generator frame and the right-hand outline.
    // Once the window follows the pointer, the same screen point lies back at
    // the press position inside the window.
    const QPoint bare(589, 200);
    QVERIFY(!m_form->childAt(bare));
    press(bare, Qt::RightButton);
    QTest::mouseMove(window(), bare + QPoint(-30, 20));
    QTRY_COMPARE(m_form->pos(), start + QPoint(-30, 20));
    release(bare, Qt::RightButton);
    QCOMPARE(m_form->pos(), start + QPoint(-30, 20));

    // The outline lines take no press of their own: pressing one moves too.
    const QPoint moved = m_form->pos();
    const QPoint onLine(592, 100);
    QVERIFY(!m_form->childAt(onLine));
    press(onLine);
    QTest::mouseMove(window(), onLine + QPoint(-10, 5));
    QTRY_COMPARE(m_form->pos(), moved + QPoint(-10, 5));
    release(onLine);

    const QPoint settled = m_form->pos();
    for (const char *name : {"Label13", "Frame5", "Label1", "Label3"}) {
        QWidget *widget = control(name);
        const QPoint at = widget->mapTo(m_form.get(), QPoint(3, widget->height() - 3));
        press(at);
        QTest::mouseMove(window(), at + QPoint(25, 25));
        release(at + QPoint(25, 25));
        QCOMPARE(m_form->pos(), settled);
    }
}

void TstForm1::onlyTheIntervalBoxTakesTyping()
{
    for (const char *name : {"Text1", "Text3", "Text4"}) {
        auto *box = control<TextBox>(name);
        const QString before = box->text();
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("12"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), before);
    }
    auto *interval = control<TextBox>("Text2");
    interval->setFocus();
    interval->selectAll();
    QTest::keyClicks(interval, QStringLiteral("98765"));
    QCOMPARE(interval->text(), QStringLiteral("9876"));
}

void TstForm1::selectedEntryIsShownCutToTheLastLength()
{
    auto *list = control<NickListBox>("List");
    auto *nick = control<TextBox>("Text3");
    clickFace("Image7");
    clickFace("Image7"); // length 8
    clickFace("Image1");
    const QString longNick = list->item(0);
    QCOMPARE(longNick.size(), 8);
    for (int i = 0; i < 3; ++i)
        clickFace("Image9"); // length 5: the box keeps its limit of 8 until the next nick
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    QCOMPARE(nick->text(), longNick);

    clickFace("Image1"); // a nick of 5 sets the box's limit to 5
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 3));
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(nick->text(), longNick.left(5));
    QCOMPARE(list->item(0), longNick);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(nick->text(), list->item(1));
}

void TstForm1::eraseEmptiesTheListAndTheCounter()
{
    clickFace("Image1");
    clickFace("Image1");
    const QString shown = control<TextBox>("Text3")->text();
    QTest::mouseClick(control("Command4"), Qt::LeftButton);
    QCOMPARE(control<NickListBox>("List")->count(), 0);
    QCOMPARE(control<TextBox>("Text4")->text(), QStringLiteral("0"));
    QCOMPARE(control<TextBox>("Text3")->text(), shown);
    clickFace("Image1");
    QCOMPARE(control<TextBox>("Text4")->text(), QStringLiteral("1"));
}

void TstForm1::saveWritesTheListOrSaysWhyNot()
{
    QTemporaryDir dir;
    m_form->setLogFolders(dir.path(), dir.path());
    clickFace("Image1");
    clickFace("Image1");
    auto *list = control<NickListBox>("List");
    {
        ModalWatcher noMessage;
        QTest::mouseClick(control("Command1"), Qt::LeftButton);
        QVERIFY(!noMessage.seen);
    }
    QFile saved(dir.filePath(QStringLiteral("NIK.log")));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), (list->item(0) + QStringLiteral("\r\n") + list->item(1) + QStringLiteral("\r\n")).toLatin1());
    saved.close();

    // A folder where the file should be: the user is told which file and why.
    QVERIFY(saved.remove());
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("NIK.log")));
    ModalWatcher watcher;
    QTest::mouseClick(control("Command1"), Qt::LeftButton);
    QVERIFY(watcher.seen);
    QVERIFY(watcher.text.contains(QDir::toNativeSeparators(saved.fileName())));
    QCOMPARE(list->count(), 2);
    QCOMPARE(control<TextBox>("Text4")->text(), QStringLiteral("2"));
}

void TstForm1::timerGeneratesUntilStopped()
{
    auto *interval = control<TextBox>("Text2");
    interval->setText(QStringLiteral("5"));
    QTest::mouseClick(control("Command2"), Qt::LeftButton);
    QCOMPARE(control<NickListBox>("List")->count(), 0); // Start makes no nick itself
    QTRY_VERIFY(control<NickListBox>("List")->count() >= 5);
    clickFace("Image1"); // a press between two ticks is counted as well
    QTest::mouseClick(control("Command3"), Qt::LeftButton);
    const qsizetype stopped = control<NickListBox>("List")->count();
    QCOMPARE(control<TextBox>("Text4")->text(), QString::number(stopped));
    QTest::qWait(50);
    QCOMPARE(control<NickListBox>("List")->count(), stopped);
}

void TstForm1::exitEndsTheProgram()
{
    clickFace("Image3");
    QPointer<FrmAbout> about = m_form->aboutWindow();
    QVERIFY(about && about->isVisible());
    control("Exit")->setFocus();
    QTest::keyClick(window(), Qt::Key_Return);
    QVERIFY(!m_form->isVisible());
    QVERIFY(!about || !about->isVisible());
    QVERIFY(!control<GenerationTimer>("Timer1")->isEnabled());

    // Closed by the window system instead, it takes the about window along too.
    cleanup();
    init();
    clickFace("Image3");
    about = m_form->aboutWindow();
    QTest::mouseClick(control("Command2"), Qt::LeftButton);
    m_form->close();
    QVERIFY(!about || !about->isVisible());
    QVERIFY(!control<GenerationTimer>("Timer1")->isEnabled());
}

QTEST_MAIN(TstForm1)
#include "tst_form1.moc"
