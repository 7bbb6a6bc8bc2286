#include "applicationmain.h"
#include "modalwatcher.h"
#include "platform/generationtimer.h"
#include "scriptedrandom.h"
#include "shownform.h"
#include "spibridge.h"
#include "ui/access/accessiblepacing.h"
#include "ui/list/nicklistbox.h"
#include "ui/main/form1layout.h"
#include "ui/toolkit/captionframe.h"
#include "ui/toolkit/textbox.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRawFont>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QToolTip>
#include <QVector3D>

#include <map>

// The main window driven as a user drives it: mouse events and keys go
// through the window, so Qt's own routing decides which control gets them.
// Every expected place, text, colour and nick is written here as designed.
using namespace Qt::Literals::StringLiterals;

class TstForm1 : public QObject, ShownForm
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { setUpLook(); }
    void init() { QVERIFY(showForm(std::make_unique<ScriptedRandom>(RisingDraws))); }
    void cleanup() { closeForm(); }
    void everyControlStandsWhereItWasDesigned_data();
    void everyControlStandsWhereItWasDesigned();
    void fontsAsDesigned_data();
    void fontsAsDesigned();
    void coloursOnScreen_data();
    void coloursOnScreen();
    void focusFollowsTheTabOrderAndKeysClickTheButtons();
    void imageButtonsActOnTheirRelease_data();
    void imageButtonsActOnTheirRelease();
    void framesRestoreTheirOwnFaces_data();
    void framesRestoreTheirOwnFaces();
    void helpWithThePageBesideTheProgram_data();
    void helpWithThePageBesideTheProgram();
    void backgroundPressMovesTheWindowButControlsDoNot();
    void listShowsAndErasesTheNicks();
    void aboutWindowIsOneAndExitEndsAll();
    void screenReaderIsToldWhatTheUserDid_data();
    void screenReaderIsToldWhatTheUserDid();
    void boxesTellTheirWholeValueAndSelection();
    void fastChangesAndFocusSelectionsAreToldOnce();
    void listMenuIsReadInTheListsGroup();
};

namespace {

// Through the default pattern the rising draws' first nick reads BENTYBHOTY;
// every later draw is 0, giving BABBABBABA.

// Whether a pixel shows that colour over the panel grey: whole, or blended
// with the grey at a glyph's antialiased edge, at least half of it.
bool showsColour(QColor pixel, QColor colour)
{
    const QVector3D grey(224, 224, 224);
    const QVector3D ink = QVector3D(colour.red(), colour.green(), colour.blue()) - grey;
    const QVector3D seen = QVector3D(pixel.red(), pixel.green(), pixel.blue()) - grey;
    const float share = ink.isNull() ? 1 : QVector3D::dotProduct(seen, ink) / ink.lengthSquared();
    const QVector3D off = seen - share * ink;
    return share >= 0.5f && std::max({std::abs(off.x()), std::abs(off.y()), std::abs(off.z())}) <= 8;
}

} // namespace

void TstForm1::everyControlStandsWhereItWasDesigned_data()
{
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("shown"); // caption, label, box or button text, selected item
    QTest::addColumn<QString>("toolTip");
    // On an English desktop the controls stand where they stand in Russian,
    // with these texts: the longest of each kind.
    const std::map<std::string, std::pair<const char *, const char *>> english{
        {"Frame5", {"Set up the generator:", ""}},
        {"Frame3", {"Letters (best left as they are):", ""}},
        {"Label6", {"Fourth letter:", ""}},
        {"Combo1", {"Consonant", ""}},
        {"Label12", {"Interval between nicks (ms):", ""}},
        {"Text2", {"250", "Interval between adding nicks"}},
        {"Command2", {"Start", "Start generating on the timer"}},
        {"Command1", {"Save", "Saves the list into the program's folder"}},
        {"frmabout.Frame1", {"Programmer, beta tester, designer and all the rest, that is:", ""}},
        {"frmabout.Label7",
         {"Quill Notes — a little notebook that lives in the corner of the screen, always at hand. Jot down "
          "ideas, shopping lists and your friends' phone numbers, find what you need in a second and never "
          "fear "
          "losing it: everything saves itself. Free, without ads, and it runs even on the oldest computers.",
          ""}},
        {"frmabout.Label9", {"Clocky — an alarm clock for your desktop.", ""}},
    };
    // Every control the window places has its designed place written here:
    // one missing from the rows below fails.
    QSet<QString> unchecked;
    for (const ControlPlace &place : Form1Layout)
        unchecked.insert(QString::fromLatin1(place.name));
    const auto row = [&english, &unchecked](const char *name, const char *container, int left, int top,
                                            int width, int height, const char *shown = "", const char *toolTip = "") {
        unchecked.remove(QString::fromLatin1(name));
        QTest::newRow(name) << QString::fromLatin1(container) << QRect(left, top, width, height)
                            << QString::fromUtf8(shown) << QString::fromUtf8(toolTip);
        if (const auto texts = english.find(name); texts != english.end())
            QTest::addRow("en:%s", name)
                << QString::fromLatin1(container) << QRect(left, top, width, height)
                << QString::fromUtf8(texts->second.first) << QString::fromUtf8(texts->second.second);
    };
    // Both faces of an image button lie on one another.
    const auto faces = [&row](int normal, const char *frame, int left, int top, int width, int height) {
        for (int face : {normal, normal + 1})
            row(qPrintable(QStringLiteral("Image%1").arg(face)), frame, left, top, width, height);
    };
    row("Form1", "", 0, 0, 8910, 5175, "Form1"); // the title, drawn nowhere
    row("Label1", "Form1", 1560, 120, 3600, 405, "Quillmark");
    // The left panel's corner, not the window's; its tooltip names its key.
    row("Exit", "Form1", 6240, 0, 375, 375, "X", "Закрыть программу (Ctrl+Q)");
    row("Frame1", "Form1", 120, 480, 6375, 4575, "Ники делать тут:");
    row("Frame5", "Form1", 6720, 120, 2055, 4935, "Настрой генератор:");
    row("Frame2", "Frame1", 120, 240, 6135, 855, "Сам ник:");
    row("Frame3", "Frame1", 120, 1200, 3375, 3255, "Настрой буквы (советую оставить так):");
    row("Frame4", "Frame1", 3600, 1200, 2655, 735, "Длина ника:");
    faces(1, "Frame1", 3600, 1920, 2715, 930);
    faces(3, "Frame1", 3600, 2760, 2715, 930);
    faces(5, "Frame1", 3600, 3600, 2715, 930);
    row("Text3", "Frame2", 120, 240, 5895, 495, "[.:] TOR(E)N [:.]", "Сам ник");
    row("Text1", "Frame4", 120, 240, 735, 405, "6", "Длина генерируемого ника");
    faces(7, "Frame4", 840, 240, 855, 420);
    faces(9, "Frame4", 1680, 240, 855, 420);
    row("Label3", "Frame3", 120, 240, 1095, 195, "Первая буква:");
    row("Label4", "Frame3", 120, 840, 1065, 195, "Вторая буква:");
    row("Label5", "Frame3", 120, 1440, 1065, 195, "Третья буква:");
    row("Label6", "Frame3", 120, 2040, 1335, 195, "Четвёртая буква:");
    row("Label7", "Frame3", 120, 2640, 990, 195, "Пятая буква:");
    row("Label2", "Frame3", 1800, 240, 1095, 195, "Шестая буква:");
    row("Label8", "Frame3", 1800, 840, 1200, 195, "Седьмая буква:");
    row("Label9", "Frame3", 1800, 1440, 1200, 195, "Восьмая буква:");
    row("Label10", "Frame3", 1800, 2040, 1185, 195, "Девятая буква:");
    row("Label11", "Frame3", 1800, 2640, 1185, 195, "Десятая буква:");
    // Two columns of five selectors, each showing the default pattern's class.
    for (int slot = 1; slot <= 10; ++slot)
        row(qPrintable(QStringLiteral("Combo%1").arg(slot)), "Frame3", slot <= 5 ? 120 : 1800,
            480 + 600 * ((slot - 1) % 5), 1455, 315, "CVCCVCCVCV"[slot - 1] == 'C' ? "Согласная" : "Гласная");
    row("List", "Frame5", 120, 240, 1815, 2595);
    row("Label12", "Frame5", 120, 2880, 1860, 435, "Интервал добавления (м/c):");
    row("Text2", "Frame5", 840, 3120, 1095, 285, "250", "Интервал между добавлением ников");
    row("Label13", "Frame5", 120, 3480, 690, 195, "Записей:");
    row("Text4", "Frame5", 840, 3480, 1095, 285, "0", "Показывает сколько уже сгенерировано ников");
    row("Command2", "Frame5", 120, 3840, 1815, 255, "Старт", "Начать генерировать по таймеру");
    row("Command3", "Frame5", 120, 4080, 1815, 255, "Стоп", "Остановить генерацию");
    row("Command4", "Frame5", 120, 4320, 1815, 255, "Стереть", "Очищает список");
    row("Command1", "Frame5", 120, 4560, 1815, 255, "Сохранить", "Сохраняет список в папку с программой");
    // The about window; a one-line label there is sized to its text (0 x 0): only its place is fixed.
    row("frmabout", "", 0, 0, 5895, 5910, "Form2");
    row("frmabout.Frame1", "frmabout", 120, 840, 5655, 1335,
        "Программёр, бета-тестер, дизайнер и всё всё всё, это:");
    row("frmabout.Exit", "frmabout", 5520, 0, 375, 375, "X");
    row("frmabout.Label1", "frmabout", 840, 120, 0, 0, "Quillmark 1.0");
    row("frmabout.Label2", "Frame1", 2160, 360, 0, 0, "TOR(E)N");
    row("frmabout.Label3", "Frame1", 1080, 840, 0, 0, "quillmark.example.org");
    row("frmabout.Label4", "frmabout", 4920, 600, 0, 0, "Final version");
    row("frmabout.Label5", "frmabout", 120, 2280, 5655, 375,
        "На сайте ты всегда сможеш найти другие мои программы и игры, гораздо интереснее и лучше(на мой "
        "взгляд):");
    row("frmabout.Label6", "frmabout", 120, 2760, 5655, 375,
        "Bubble Pop — весёлая игра про мыльные пузыри. Лопай их, пока они не улетели!");
    row("frmabout.Label7", "frmabout", 120, 3240, 5535, 975,
        "Quill Notes — маленький блокнот, который живёт в углу экрана и всегда под рукой. Записывай идеи, "
        "списки покупок и телефоны друзей, находи нужное за секунду и не бойся потерять: всё сохраняется "
        "само. "
        "Бесплатно, без рекламы и работает даже на самых старых компьютерах.");
    row("frmabout.Label8", "frmabout", 120, 4320, 5655, 375,
        "Star Miner — космическая аркада: собирай кристаллы на астероидах и не попадайся пиратам.");
    row("frmabout.Label9", "frmabout", 120, 4800, 0, 0, "Clocky — часы с будильником на рабочий стол.");
    row("frmabout.Label10", "frmabout", 120, 5160, 5655, 375,
        "Word Maze — головоломка для тех, кто любит слова: найди их все в лабиринте из букв.");
    row("frmabout.Label11", "frmabout", 3480, 5640, 0, 0, "© 2003 TOR(E)N");
    row("frmabout.Shape1", "frmabout", 0, 0, 5895, 5895);
    for (const QString &name : std::as_const(unchecked))
        QTest::newRow(qPrintable(name + QStringLiteral(" has no designed place"))) << QString() << QRect() << QString() << QString();
}

void TstForm1::everyControlStandsWhereItWasDesigned()
{
    QFETCH(QString, container);
    QFETCH(QRect, twips);
    QFETCH(QString, shown);
    const bool english = QByteArray(QTest::currentDataTag()).startsWith("en:");
    const QString tag = QString::fromLatin1(QTest::currentDataTag()).section(u':', -1);
    QWidget *window = m_form.get();
    if (tag.startsWith(QStringLiteral("frmabout"))) {
        click("Image3");
        window = m_form->aboutWindow();
    }
    QWidget *widget = container.isEmpty() ? window : window->findChild<QWidget *>(tag.section(u'.', -1));
    QVERIFY(widget);
    QCOMPARE(widget->objectName(), tag.section(u'.', -1));
    QWidget *parent = widget->parentWidget();
    while (parent && parent->objectName().isEmpty()) // an image button's faces lie in the button
        parent = parent->parentWidget();
    QCOMPARE(parent ? parent->objectName() : QString(), container);
    QRect placed(parent ? widget->mapTo(parent, QPoint(0, 0)) : QPoint(0, 0), widget->size());
    if (twips.size().isNull())
        placed.setSize({0, 0});
    QCOMPARE(placed, QRect(twips.left() / 15, twips.top() / 15, twips.width() / 15, twips.height() / 15));
    QTEST(widget->toolTip(), "toolTip");

    QString text;
    QFont font = widget->font();
    if (widget->isWindow()) {
        text = widget->windowTitle();
        QVERIFY(widget->windowFlags() & Qt::FramelessWindowHint);
    } else if (auto *label = qobject_cast<QLabel *>(widget)) {
        text = label->text();
    } else if (auto *frame = qobject_cast<CaptionFrame *>(widget)) {
        std::tie(text, font) = std::pair(frame->caption(), frame->captionFont());
    } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        text = combo->currentText();
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(0) + u'/' + combo->itemText(1),
                 english ? u"Vowel/Consonant"_s : u"Гласная/Согласная"_s);
    } else if (auto *box = qobject_cast<QLineEdit *>(widget)) {
        text = box->text();
    } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        text = button->text();
    }
    QCOMPARE(text, shown);
    // Whole in its box, in either language: a wrapped label within its
    // height, a caption or a button's text within its width, a label sized
    // to its text within its window.
    const QFontMetrics metrics(font);
    const auto *label = qobject_cast<QLabel *>(widget);
    if (label && label->wordWrap())
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(text));
    else if (qobject_cast<CaptionFrame *>(widget) || qobject_cast<QPushButton *>(widget))
        QVERIFY2(metrics.horizontalAdvance(text) <= widget->width() - 8, qPrintable(text));
    else if (label)
        QVERIFY(window->rect().contains(QRect(widget->mapTo(window, QPoint(0, 0)), widget->size())));
    // Drawn by the face its font resolves to, not a fallback: the comic
    // stand-in has no Cyrillic, so a text set in the wrong face shows boxes.
    const QRawFont face = QRawFont::fromFont(font);
    for (QChar c : shown)
        QVERIFY2(c.isSpace() || face.supportsCharacter(c), qPrintable(QString(c) + face.familyName()));
}

void TstForm1::fontsAsDesigned_data()
{
    // Point sizes as designed, in pixels at 96 dpi, rounded.
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("bold");
    QTest::newRow("Label1") << 24 << true; // 18 pt
    QTest::newRow("Exit") << 13 << true;   // 9.75 pt
    QTest::newRow("Frame1") << 13 << false; // its caption, 9.75 pt
    QTest::newRow("Text3") << 19 << false;  // 14.25 pt
    QTest::newRow("Text1") << 16 << false;  // 12 pt
}

void TstForm1::fontsAsDesigned()
{
    QWidget *widget = control(QTest::currentDataTag());
    auto *frame = qobject_cast<CaptionFrame *>(widget);
    const QFont font = frame ? frame->captionFont() : widget->font();
    QTEST(font.pixelSize(), "pixels");
    QTEST(font.bold(), "bold");
}

void TstForm1::coloursOnScreen_data()
{
    QTest::addColumn<QRect>("area"); // pixels of the window
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("atLeast"); // pixels in the area that show the colour
    const QColor navy(0, 0, 128), darkRed(128, 0, 0), grey(224, 224, 224), white(255, 255, 255);
    QTest::newRow("title") << QRect(104, 8, 240, 27) << navy << 500;
    QTest::newRow("Frame1 caption") << QRect(8, 32, 425, 14) << navy << 120;
    QTest::newRow("Frame2 caption") << QRect(16, 48, 409, 14) << navy << 45;
    QTest::newRow("Frame3 caption") << QRect(16, 112, 225, 14) << navy << 240;
    QTest::newRow("Frame4 caption") << QRect(248, 112, 177, 14) << navy << 75;
    QTest::newRow("Frame5 caption") << QRect(448, 8, 137, 14) << navy << 120;
    QTest::newRow("nick") << QRect(24, 64, 393, 33) << darkRed << 65;
    QTest::newRow("ДЕЛАТЬ outlined") << QRect(248, 160, 181, 62) << navy << 400;
    QTest::newRow("en: MAKE, shorter than ДЕЛАТЬ, leaves the face's ends bare") << QRect(280, 179, 14, 25) << navy << 0;
    QTest::newRow("background") << QRect(586, 20, 5, 300) << grey << 1500;
    QTest::newRow("empty list") << QRect(458, 26, 117, 169) << grey << 117 * 169;
    QTest::newRow("Сохранить") << QRect(458, 314, 117, 13) << grey << 1100;
    QTest::newRow("Combo1 field") << QRect(24, 144, 97, 21) << white << 800;
    QTest::newRow("Combo10 field") << QRect(136, 304, 97, 21) << white << 800;
    QTest::newRow("left outline") << QRect(0, 0, 1, 345) << QColor(Qt::black) << 345;
    QTest::newRow("right outline") << QRect(592, 0, 1, 345) << QColor(Qt::black) << 345;
    QTest::newRow("right panel, top") << QRect(441, 0, 151, 1) << QColor(Qt::black) << 151;
    QTest::newRow("right panel, bottom") << QRect(441, 344, 151, 1) << QColor(Qt::black) << 151;
    QTest::newRow("about: title") << QRect(56, 8, 275, 38) << navy << 160;
    QTest::newRow("about: Final version") << QRect(328, 40, 59, 13) << navy << 60;
    QTest::newRow("about: Frame1 caption") << QRect(8, 56, 377, 14) << darkRed << 400;
    QTest::newRow("about: mail link") << QRect(152, 80, 80, 26) << QColor(0, 0, 255) << 140;
    QTest::newRow("about: web link") << QRect(80, 112, 230, 26) << QColor(0, 0, 255) << 300;
    QTest::newRow("about: copyright") << QRect(232, 376, 155, 13) << darkRed << 150;
    QTest::newRow("about: background") << QRect(8, 8, 40, 40) << grey << 1600;
}

void TstForm1::coloursOnScreen()
{
    const bool about = QByteArray(QTest::currentDataTag()).startsWith("about:");
    QFETCH(QRect, area);
    QFETCH(QColor, colour);
    QFETCH(int, atLeast);
    if (about)
        click("Image3");
    const QImage shot =
        (about ? static_cast<QWidget *>(m_form->aboutWindow()) : m_form.get())->grab().toImage();
    int matching = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            matching += showsColour(shot.pixelColor(x, y), colour);
    // At least that many, or none at all.
    QVERIFY2(atLeast == 0 ? matching == 0 : matching >= atLeast, qPrintable(QString::number(matching)));
}

void TstForm1::focusFollowsTheTabOrderAndKeysClickTheButtons()
{
    QTRY_COMPARE(QApplication::focusWidget(), control("Exit"));
    const QStringList order = QStringLiteral("Combo1 Combo2 Combo3 Combo4 Text1 Combo5 Combo6 Combo7 Combo8 "
                                             "Combo9 Combo10 List Text2 Command2 Command3 Text3 Command4 "
                                             "Text4 Command1 Exit")
                                  .split(u' ');
    for (const QString &next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focus = QApplication::focusWidget();
        // A selector's focus sits in its line edit.
        while (focus && focus->objectName().isEmpty())
            focus = focus->parentWidget();
        QVERIFY(focus);
        QCOMPARE(focus->objectName(), next);
        if (next == QStringLiteral("List")) {
            // Even empty, the focused list shows its dotted focus frame.
            const QImage shot = control<NickListBox>("List")->viewport()->grab().toImage();
            int dark = 0;
            for (int x = 0; x < shot.width(); ++x)
                dark += shot.pixelColor(x, 0) == QColor(0, 0, 0);
            QVERIFY2(dark >= shot.width() / 3, qPrintable(QString::number(dark)));
        }
        if (next.startsWith(u"Command")) {
            // Return, Enter and Space each click the focused button.
            QSignalSpy clicks(control<QPushButton>(qPrintable(next)), &QPushButton::clicked);
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
                QTest::keyClick(window(), key);
            QCOMPARE(clicks.size(), 3);
        }
    }

    // The window keeps out the screen reader's keys the accessibility bridge
    // hands over late (keypad Enter is Orca's Where-am-I); any other arrives.
    control("Command4")->setFocus();
    QSignalSpy erased(control<QPushButton>("Command4"), &QPushButton::clicked);
    {
        const SpiBridge bridge([](const QKeyEvent &) { return SpiBridge::Never; });
        QTest::keyClick(window(), Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(window(), Qt::Key_Space);
        QVERIFY(erased.wait());
    }
    QCOMPARE(erased.size(), 1); // by Space alone
}

void TstForm1::imageButtonsActOnTheirRelease_data()
{
    // Pressed by any mouse button and released wherever the pointer was
    // dragged, or by the button's key, while the interval box holds the
    // focus and a typed text: the pressed face stays up until the action
    // (and any message it shows) is done.
    QTest::addColumn<QByteArray>("face");     // the normal face; the pressed one is the next image
    QTest::addColumn<int>("how");             // a mouse button (1, 2, 4) or a key, with Ctrl but for F1
    QTest::addColumn<QPoint>("dragTo");       // in the window; (0, 0): stay on the button
    QTest::addColumn<QStringList>("lengths"); // before and after
    QTest::addColumn<QString>("counter");
    QTest::addColumn<QString>("message"); // title|text
    QTest::addColumn<bool>("about");
    QTest::addColumn<int>("presses"); // of the key, one right after the other
    const auto row = [](const char *name, const char *face, int how, QPoint dragTo, const char *lengths,
                        const char *counter, const char *message = "", bool about = false, int presses = 1) {
        QTest::newRow(name) << QByteArray(face) << how << dragTo << QString::fromLatin1(lengths).split(u' ')
                            << QString::fromLatin1(counter) << QString::fromUtf8(message) << about << presses;
    };
    const QPoint frame1(8 + 236, 32 + 200), frame3(20, 312), frame4(348, 157);
    // The test program has no help page beside it, as an installed copy: the
    // box adds the folder the Debian package installs the page into.
    const char *help = "Подсказка...|Читай файл !!!PleaseReadMe!!!.html, там обо всём узнаеш.\n"
                       "/usr/share/doc/quillmark";
    row("ДЕЛАТЬ, left", "Image1", Qt::LeftButton, {}, "6 6", "1");
    row("ДЕЛАТЬ, right, onto Label13", "Image1", Qt::RightButton, QPoint(470, 246), "6 6", "1");
    row("ДЕЛАТЬ, middle, onto the background", "Image1", Qt::MiddleButton, QPoint(589, 200), "6 6", "1");
    row("ДЕЛАТЬ, right, onto the list", "Image1", Qt::RightButton, QPoint(520, 120), "6 6", "1");
    row("Ctrl+N", "Image1", Qt::Key_N, {}, "6 6", "1");
    row("Ctrl+N five times at once", "Image1", Qt::Key_N, {}, "6 6", "5", "", false, 5);
    row("Ctrl++ four times at once, silently to 10", "Image7", Qt::Key_Plus, {}, "6 10", "0", "", false, 4);
    row("Ctrl+- eight times at once, silently to 2", "Image9", Qt::Key_Minus, {}, "10 2", "0", "", false, 8);
    row("О ПРОГЕ, right, onto Frame1", "Image3", Qt::RightButton, frame1, "6 6", "0", "", true);
    row("Ctrl+I", "Image3", Qt::Key_I, {}, "6 6", "0", "", true);
    row("ПОМОЩЬ, right, onto Frame1", "Image5", Qt::RightButton, frame1, "6 6", "0", help);
    row("F1", "Image5", Qt::Key_F1, {}, "6 6", "0", help);
    row("length up, left", "Image7", Qt::LeftButton, {}, "6 7", "0");
    row("length up at 10, right, onto Frame3", "Image7", Qt::RightButton, frame3, "10 10", "0",
        "Ошибка!!!|Да хватит десяти, зачем больше!!!");
    row("Ctrl++", "Image7", Qt::Key_Plus, {}, "6 7", "0");
    row("Ctrl+=", "Image7", Qt::Key_Equal, {}, "6 7", "0");
    row("length down, right", "Image9", Qt::RightButton, {}, "6 5", "0");
    row("length down at 2, right, onto Frame4", "Image9", Qt::RightButton, frame4, "2 2", "0",
        "Ошибка!!!|Куда меньше-то!!!");
    row("en: F1", "Image5", Qt::Key_F1, {}, "6 6", "0",
        "Hint...|Read the file !!!PleaseReadMe!!!.html, it tells you all about it.\n/usr/share/doc/quillmark");
    row("en: length up at 10", "Image7", Qt::LeftButton, {}, "10 10", "0",
        "Error!!!|Ten is quite enough, why more!!!");
    row("en: length down at 2", "Image9", Qt::LeftButton, {}, "2 2", "0",
        "Error!!!|How could it be any shorter!!!");
    row("Ctrl+-", "Image9", Qt::Key_Minus, {}, "6 5", "0");
}

void TstForm1::imageButtonsActOnTheirRelease()
{
    QFETCH(QByteArray, face);
    QFETCH(int, how);
    QFETCH(QPoint, dragTo);
    QFETCH(QStringList, lengths);
    QFETCH(QString, counter);
    QFETCH(QString, message);
    QFETCH(bool, about);
    QFETCH(int, presses);
    QWidget *normal = control(face.constData());
    QWidget *pressed = control(("Image" + QByteArray::number(face.mid(5).toInt() + 1)).constData());
    control<TextBox>("Text1")->setText(lengths[0]);
    auto *interval = control<QLineEdit>("Text2");
    interval->setFocus();
    interval->selectAll();
    QTest::keyClicks(interval, QStringLiteral("12"));

    bool pressedWhileShown = false;
    int boxWidth = 0;
    ModalWatcher watcher([&] {
        pressedWhileShown = pressed->isVisible() && normal->isHidden();
        boxWidth = QApplication::activeModalWidget()->width();
    });
    const bool mouse = how <= int(Qt::MiddleButton);
    const QPoint at = dragTo.isNull() ? centreOf(face.constData()) : dragTo;
    if (mouse) {
        QTest::mousePress(window(), Qt::MouseButton(how), Qt::NoModifier, centreOf(face.constData()));
        QTest::mouseMove(window(), at);
        QVERIFY(pressed->isVisible() && normal->isHidden());
        QCOMPARE(text("Text4"), QStringLiteral("0")); // nothing yet on the press
        QTest::mouseRelease(window(), Qt::MouseButton(how), Qt::NoModifier, at);
    } else {
        // Every press of the key acts at once, however quickly they follow.
        for (int i = 0; i < presses; ++i)
            QTest::keyClick(window(), Qt::Key(how), how == Qt::Key_F1 ? Qt::NoModifier : Qt::ControlModifier);
    }
    QVERIFY(normal->isVisible() && pressed->isHidden());
    if (!mouse) {
        // Off the Tab path, the button tells its key in its tooltip.
        const std::map<int, QString> keys{{Qt::Key_N, u"Ctrl+N"_s},  {Qt::Key_I, u"Ctrl+I"_s},
                                          {Qt::Key_F1, u"F1"_s},     {Qt::Key_Plus, u"Ctrl++"_s},
                                          {Qt::Key_Equal, u"Ctrl++"_s}, {Qt::Key_Minus, u"Ctrl+-"_s}};
        const QString toolTip = normal->parentWidget()->toolTip(); // the button's, beneath its faces
        QVERIFY2(toolTip.endsWith(u" ("_s + keys.at(how) + u')'), qPrintable(toolTip));
    }
    QCOMPARE(text("Text1"), lengths[1]);
    QCOMPARE(text("Text4"), counter);
    QCOMPARE(control<NickListBox>("List")->count(), counter.toInt());
    if (counter == QStringLiteral("1")) {
        QCOMPARE(text("Text3"), QStringLiteral("BENTYB"));
        QCOMPARE(control<NickListBox>("List")->item(0), QStringLiteral("BENTYB"));
    }
    QCOMPARE(watcher.seen ? watcher.title + u'|' + watcher.text : QString(), message);
    if (watcher.seen) {
        QCOMPARE(watcher.icon, QMessageBox::Information);
        QCOMPARE(watcher.buttons, 1);
        QVERIFY(pressedWhileShown);
        // Wide enough that a window manager's title bar shows the whole
        // title, which it cut to "Ош…а!!!" (the English title is shorter).
        if (!QByteArray(QTest::currentDataTag()).startsWith("en:"))
            QVERIFY2(boxWidth >= 250, qPrintable(QString::number(boxWidth)));
    }
    QCOMPARE(m_form->aboutWindow() && m_form->aboutWindow()->isVisible(), about);
    QCOMPARE(m_form->focusWidget(), interval);
    QCOMPARE(interval->text(), QStringLiteral("12"));
}

void TstForm1::helpWithThePageBesideTheProgram_data()
{
    QTest::addColumn<QString>("told");
    QTest::newRow("ru") << u"Читай файл !!!PleaseReadMe!!!.html, там обо всём узнаеш."_s;
    QTest::newRow("en: ") << u"Read the file !!!PleaseReadMe!!!.html, it tells you all about it."_s;
}

void TstForm1::helpWithThePageBesideTheProgram()
{
    // As in a build or an unpacked copy: the sentence alone names the page.
    QFETCH(QString, told);
    QFile page(QApplication::applicationDirPath() + u"/!!!PleaseReadMe!!!.html"_s);
    QVERIFY(page.open(QIODevice::WriteOnly));
    const auto removePage = qScopeGuard([&page] { page.remove(); });
    ModalWatcher watcher;
    QTest::keyClick(window(), Qt::Key_F1);
    QTRY_VERIFY(watcher.seen);
    QCOMPARE(watcher.text, told);
}

void TstForm1::framesRestoreTheirOwnFaces_data()
{
    // Every button is left pressed, as when its release never came; the
    // pointer then passes over a control inside the frame, which is no
    // movement over the frame, and then over the frame's own surface.
    QTest::addColumn<QPoint>("overControl"); // in the window
    QTest::addColumn<QPoint>("overSurface");
    QTest::addColumn<QList<int>>("restored"); // the normal faces back after it
    QTest::newRow("Frame1") << QPoint(220, 80) << QPoint(8 + 236, 32 + 200) << QList<int>{1, 3, 5};
    QTest::newRow("Frame3, the letters")
        << QPoint(60, 154) << QPoint(8 + 8 + 4, 32 + 80 + 200) << QList<int>{7};
    QTest::newRow("Frame4, the length")
        << QPoint(270, 142) << QPoint(8 + 240 + 100, 32 + 80 + 45) << QList<int>{9};
}

void TstForm1::framesRestoreTheirOwnFaces()
{
    QFETCH(QPoint, overControl);
    QFETCH(QPoint, overSurface);
    QFETCH(QList<int>, restored);
    const auto face = [this](int image) { return control(qPrintable(QStringLiteral("Image%1").arg(image))); };
    for (int normal = 1; normal <= 9; normal += 2) {
        QVERIFY(face(normal)->isVisible() && face(normal + 1)->isHidden()); // as the window starts
        QWidget *button = face(normal)->parentWidget();
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(button, &press);
    }
    for (const QPoint over : {overControl, overSurface}) {
        QTest::mouseMove(window(), over);
        for (int normal = 1; normal <= 9; normal += 2) {
            const bool back = over == overSurface && restored.contains(normal);
            QVERIFY2(face(normal)->isVisible() == back && face(normal + 1)->isHidden() == back,
                     qPrintable(QStringLiteral("Image%1").arg(normal)));
        }
    }
}

void TstForm1::backgroundPressMovesTheWindowButControlsDoNot()
{
    // A bare spot between the generator frame and the right-hand outline,
    // then the outline line itself, which takes no press of its own. Once
    // the window follows the pointer, the same screen point lies back at the
    // press position inside the window.
    for (const QPoint bare : {QPoint(589, 200), QPoint(592, 100)}) {
        const QPoint start = m_form->pos();
        QVERIFY(!m_form->childAt(bare));
        QTest::mousePress(window(), Qt::RightButton, Qt::NoModifier, bare);
        QTest::mouseMove(window(), bare + QPoint(-30, 20));
        QTRY_COMPARE(m_form->pos(), start + QPoint(-30, 20));
        QTest::mouseRelease(window(), Qt::RightButton, Qt::NoModifier, bare);
        QCOMPARE(m_form->pos(), start + QPoint(-30, 20));
    }
    const QPoint settled = m_form->pos();
    for (const char *name : {"Label13", "Frame5", "Label1", "Label3"}) {
        QWidget *widget = control(name);
        const QPoint at = widget->mapTo(m_form.get(), QPoint(3, widget->height() - 3));
        QTest::mousePress(window(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseMove(window(), at + QPoint(25, 25));
        QTest::mouseRelease(window(), Qt::LeftButton, Qt::NoModifier, at + QPoint(25, 25));
        QCOMPARE(m_form->pos(), settled);
    }
}

void TstForm1::listShowsAndErasesTheNicks()
{
    auto *list = control<NickListBox>("List");
    // Erasing an empty list has nothing to bring back: the menu's entry stays greyed.
    QTest::mouseClick(control("Command4"), Qt::LeftButton);
    const QList<QAction *> actions = m_form->findChildren<QAction *>();
    QVERIFY(std::none_of(actions.cbegin(), actions.cend(),
                         [](QAction *a) { return a->text() == u"Вернуть стёртое"_s && a->isEnabled(); }));
    // A nick of 8, then length 5: the box keeps its limit of 8 until the next nick.
    for (const char *face : {"Image7", "Image7", "Image1", "Image9", "Image9", "Image9"})
        click(face);
    QCOMPARE(text("Text3"), QStringLiteral("BENTYBHO"));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    QCOMPARE(text("Text3"), QStringLiteral("BENTYBHO"));
    click("Image1"); // a nick of 5 sets the box's limit to 5
    QCOMPARE(text("Text3"), QStringLiteral("BABBA"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 3));
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(text("Text3"), QStringLiteral("BENTY"));
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(text("Text3"), QStringLiteral("BABBA"));

    QTest::mouseClick(control("Command4"), Qt::LeftButton);
    QCOMPARE(list->count(), 0);
    QCOMPARE(text("Text4"), QStringLiteral("0"));
    QCOMPARE(text("Text3"), QStringLiteral("BABBA")); // the nick stays shown
    click("Image1");
    QCOMPARE(text("Text4"), QStringLiteral("1"));
    // The interval box undoes its own typing; the list's menu, opened from
    // the keyboard on the first entry it can choose, brings the erased nicks
    // back in front of the new one.
    control("Text2")->setFocus();
    QTest::keyClicks(control("Text2"), u"7"_s);
    QTest::keySequence(window(), QKeySequence::Undo);
    QCOMPARE(text("Text2"), u"250"_s);
    QCOMPARE(list->count(), 1);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
    auto *menu = list->findChild<QMenu *>();
    QTRY_VERIFY(menu && menu->activeAction());
    QCOMPARE(menu->activeAction()->text(), u"Вернуть стёртое"_s);
    QTest::keyClick(menu, Qt::Key_Return);
    QTRY_VERIFY(!menu->isVisible());
    QCOMPARE(QStringList({list->item(0), list->item(1), list->item(2)}),
             QStringList({u"BENTYBHO"_s, u"BABBA"_s, u"BABBA"_s}));
    QCOMPARE(text("Text4"), QStringLiteral("3"));
    QVERIFY(!menu->activeAction() && !menu->actions().value(1)->isEnabled()); // greyed: nothing to bring back
    // With a nick selected, Ctrl+Z puts the three erased in front of it; it stays selected.
    QTest::mouseClick(control("Command4"), Qt::LeftButton);
    click("Image1");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    QTest::keySequence(window(), QKeySequence::Undo);
    QCOMPARE(list->count(), 4);
    QCOMPARE(list->currentRow(), 3);
    // A list of a single nick erased leaves that one to bring back.
    QTest::mouseClick(control("Command4"), Qt::LeftButton);
    click("Image1");
    QTest::mouseClick(control("Command4"), Qt::LeftButton);
    QVERIFY(menu->actions().value(1)->isEnabled());
    // A right click picks the nick under the pointer, then opens the menu for it.
    click("Image1");
    click("Image1");
    list->setCurrentRow(1);
    const QPoint firstRow = list->viewport()->mapTo(m_form.get(), QPoint(10, 3));
    QTest::mousePress(window(), Qt::RightButton, Qt::NoModifier, firstRow);
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(text("Text3"), list->item(0).left(5));
    QVERIFY(menu->actions().value(0)->isEnabled());
    menu->close();
}

void TstForm1::aboutWindowIsOneAndExitEndsAll()
{
    click("Image3");
    QPointer<FrmAbout> about = m_form->aboutWindow();
    QVERIFY(about && about->isVisible());
    QVERIFY(!about->parentWidget()); // no owner
    click("Image3", Qt::RightButton);
    QCOMPARE(m_form->aboutWindow(), about.data());
    int aboutWindows = 0;
    for (QWidget *top : QApplication::topLevelWidgets())
        aboutWindows += top->objectName() == QStringLiteral("frmabout") && top->isVisible();
    QCOMPARE(aboutWindows, 1);

    // The timer makes no nick on Start, only at its ticks; a press between
    // two ticks counts as well. Exit from the keyboard ends it all.
    auto *list = control<NickListBox>("List");
    control<TextBox>("Text2")->setText(QStringLiteral("5"));
    QTest::mouseClick(control("Command2"), Qt::LeftButton);
    QCOMPARE(list->count(), 0);
    QTRY_VERIFY(list->count() >= 3);
    QCOMPARE(list->item(0), QStringLiteral("BENTYB"));
    click("Image1");
    QCOMPARE(text("Text4"), QString::number(list->count()));
    control("Exit")->setFocus();
    QTest::keyClick(window(), Qt::Key_Return);
    QVERIFY(!m_form->isVisible());
    QVERIFY(!about || !about->isVisible());
    QVERIFY(!control<GenerationTimer>("Timer1")->isEnabled());

    // Ctrl+Q, named in the X's tooltip and description, does what the X does, from any control.
    cleanup();
    init();
    QCOMPARE(control("Exit")->accessibleDescription(), u"Клавиша: Ctrl+Q"_s);
    click("Image3");
    about = m_form->aboutWindow();
    QTest::mouseClick(control("Command2"), Qt::LeftButton);
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    control("Text2")->setFocus();
    QTest::keyClick(window(), Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!m_form->isVisible());
    QVERIFY(!about || !about->isVisible());
    QVERIFY(!control<GenerationTimer>("Timer1")->isEnabled());

    // Closed by the window system instead, it takes the about window along too.
    cleanup();
    init();
    click("Image3");
    about = m_form->aboutWindow();
    QTest::mouseClick(control("Command2"), Qt::LeftButton);
    m_form->close();
    QVERIFY(!about || !about->isVisible());
    QVERIFY(!control<GenerationTimer>("Timer1")->isEnabled());
}

void TstForm1::screenReaderIsToldWhatTheUserDid_data()
{
    // Keys go to the window, "CommandN" is a click, "Text2=…" sets the interval,
    // "ticks" waits for three nicks of the timer, "List" puts the focus on the
    // list, "Row1" clicks its second row.
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("told");
    QTest::newRow("a nick by its key") << QStringList{u"Ctrl+N"_s} << u"BENTYB"_s;
    QTest::newRow("longer") << QStringList{u"Ctrl++"_s} << u"длина ника 7"_s;
    QTest::newRow("longer by Ctrl+=") << QStringList{u"Ctrl+="_s, u"Ctrl+="_s} << u"длина ника 8"_s;
    QTest::newRow("shorter") << QStringList{u"Ctrl+-"_s} << u"длина ника 5"_s;
    QTest::newRow("saved") << QStringList{u"Ctrl+N"_s, u"Ctrl+N"_s, u"Command1"_s}
                           << u"сохранено ников: 2, файл FOLDER/NIK.log"_s;
    QTest::newRow("erased") << QStringList{u"Ctrl+N"_s, u"Command4"_s} << u"список стёрт, записей: 0"_s;
    QTest::newRow("copied") << QStringList{u"Ctrl+N"_s, u"List"_s, u"Home"_s, u"Ctrl+C"_s} << u"скопировано: BENTYB"_s;
    // Entering the list, by a key or a click, a reader says the list and its
    // size, then the nick selected (BENTYB) or clicked; a click inside the
    // list is told as the entry alone.
    QTest::newRow("list entered, then by a click on another nick")
        << QStringList{u"Ctrl+N"_s, u"Ctrl+N"_s, u"List"_s, u"Home"_s, u"Tab"_s, u"Shift+Tab"_s, u"Tab"_s, u"Row1"_s}
        << u"BABBAB"_s;
    QTest::newRow("list entered, then a click inside it")
        << QStringList{u"Ctrl+N"_s, u"Ctrl+N"_s, u"List"_s, u"Home"_s, u"Tab"_s, u"Shift+Tab"_s, u"Row1"_s}
        << u"BENTYB"_s;
    QTest::newRow("timer started") << QStringList{u"Command2"_s} << u"таймер запущен, интервал 250 мс"_s;
    QTest::newRow("its nicks are not told") << QStringList{u"Text2=5"_s, u"Command2"_s, u"ticks"_s}
                                            << u"таймер запущен, интервал 5 мс"_s;
    QTest::newRow("timer stopped") << QStringList{u"Ctrl+N"_s, u"Command3"_s} << u"таймер остановлен, в списке 1 запись"_s;
    QTest::newRow("timer at 0 adds nothing")
        << QStringList{u"Text2=0"_s, u"Command2"_s}
        << u"таймер включён, но при интервале 0 мс ники не добавляются"_s;
    QTest::newRow("refused start, shown, not told again")
        << QStringList{u"Text2=-5"_s, u"Command2"_s} << QString();
    QTest::newRow("refused start, shown while running")
        << QStringList{u"Command2"_s, u"Text2=-5"_s, u"Command2"_s} << u"таймер запущен, интервал 250 мс"_s;
    QTest::newRow("erased list brought back")
        << QStringList{u"Ctrl+N"_s, u"Ctrl+N"_s, u"Command4"_s, u"Ctrl+N"_s, u"Ctrl+Z"_s}
        << u"список возвращён, в нём 3 записи"_s;
    QTest::newRow("nothing to bring back") << QStringList{u"Ctrl+N"_s, u"Ctrl+Z"_s} << u"вернуть нечего"_s;
    QTest::newRow("an empty list's erase keeps the earlier one")
        << QStringList{u"Ctrl+N"_s, u"Command4"_s, u"Command4"_s, u"Ctrl+Z"_s} << u"список возвращён, в нём 1 запись"_s;
    QTest::newRow("a second erase keeps the newer list")
        << QStringList{u"Ctrl+N"_s, u"Command4"_s, u"Ctrl+N"_s, u"Ctrl+N"_s, u"Command4"_s, u"Ctrl+Z"_s}
        << u"список возвращён, в нём 2 записи"_s;
    QTest::newRow("brought back once")
        << QStringList{u"Ctrl+N"_s, u"Command4"_s, u"Ctrl+Z"_s, u"Ctrl+Z"_s} << u"вернуть нечего"_s;
    QTest::newRow("en: saved") << QStringList{u"Ctrl+N"_s, u"Ctrl+N"_s, u"Command1"_s}
                               << u"nicks saved: 2, file FOLDER/NIK.log"_s;
    QTest::newRow("en: timer at 0 adds nothing")
        << QStringList{u"Text2=0"_s, u"Command2"_s}
        << u"timer on, but at an interval of 0 ms no nicks are added"_s;
    QTest::newRow("en: erased list brought back")
        << QStringList{u"Ctrl+N"_s, u"Command4"_s, u"Ctrl+Z"_s} << u"list brought back, 1 entry"_s;
}

void TstForm1::screenReaderIsToldWhatTheUserDid()
{
    QFETCH(QStringList, actions);
    QFETCH(QString, told);
    // The window as a screen reader meets it; the window system's title stays.
    QAccessibleInterface *form = QAccessible::queryAccessibleInterface(m_form.get());
    QCOMPARE(form->role(), QAccessible::Window);
    if (QByteArray(QTest::currentDataTag()).startsWith("en:")) {
        QCOMPARE(form->text(QAccessible::Name), u"Quillmark — nickname generator"_s);
        QCOMPARE(form->text(QAccessible::Description), u"Keys: Ctrl+N — new nick, Ctrl+plus and Ctrl+minus — "
                                                       u"nick length, Ctrl+Z — bring back the erased "
                                                       u"list, F1 — help, Ctrl+I — about the program"_s);
    } else {
        QCOMPARE(form->text(QAccessible::Name), u"Quillmark — генератор ников"_s);
        QCOMPARE(
            form->text(QAccessible::Description),
            u"Клавиши: Ctrl+N — новый ник, Ctrl+плюс и Ctrl+минус — длина ника, Ctrl+Z — вернуть стёртый "
            u"список, F1 — помощь, Ctrl+I — о программе"_s);
        QCOMPARE(QAccessible::queryAccessibleInterface(control("Text3"))->text(QAccessible::Description),
                 u"Новый ник: Ctrl+N"_s);
    }
    QCOMPARE(m_form->windowTitle(), u"Form1"_s);
    // Its status line, last of its children, holds the notification.
    QAccessibleInterface *status = form->child(form->childCount() - 1);
    QCOMPARE(status->role(), QAccessible::StatusBar);
    QCOMPARE(form->indexOfChild(status), form->childCount() - 1);
    QAccessibleInterface *note = status->child(0);
    QCOMPARE(note->role(), QAccessible::Notification);
    QCOMPARE(note->parent(), status);

    ModalWatcher noMessage;
    for (const QString &action : std::as_const(actions)) {
        if (action.startsWith(u"Command"))
            QTest::mouseClick(control(qPrintable(action)), Qt::LeftButton);
        else if (action.startsWith(u"Text2="))
            control<TextBox>("Text2")->setText(action.mid(6));
        else if (action == u"List")
            control("List")->setFocus();
        else if (action == u"Row1")
            QTest::mouseClick(control<NickListBox>("List")->viewport(), Qt::LeftButton, {},
                              control<NickListBox>("List")->rowRect(1).center());
        else if (action == u"ticks")
            QTRY_VERIFY(control<NickListBox>("List")->count() >= 3);
        else
            QTest::keySequence(window(), QKeySequence(action));
    }
    told.replace(u"FOLDER"_s, m_folder->path());
    QCoreApplication::processEvents(); // what the focus tells comes next
    QTRY_COMPARE(note->text(QAccessible::Name), told); // a save is told when it ends
    QCOMPARE(status->text(QAccessible::Name), told);
    if (!QByteArray(QTest::currentDataTag()).contains("shown"))
        QVERIFY(!noMessage.seen); // heard, not in a box
    // A save that went as asked is seen too, in a note beside Save that
    // goes by itself.
    if (told.contains(u"NIK.log"_s)) {
        const QString english = QByteArray(QTest::currentDataTag()).startsWith("en:") ? u"Nicks saved: 2\n"_s
                                                                                          : u"Сохранено ников: 2\n"_s;
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), english + m_folder->path() + u"/NIK.log"_s);
        QTRY_VERIFY_WITH_TIMEOUT(!QToolTip::isVisible(), 10000);
    }
}

void TstForm1::boxesTellTheirWholeValueAndSelection()
{
    // Tab into the interval box selects it all; a reader reads it whole.
    control("Command2")->setFocus();
    QTest::keyClick(window(), Qt::Key_Backtab);
    QTRY_COMPARE(QApplication::focusWidget(), control("Text2"));
    QAccessibleInterface *interval = QAccessible::queryAccessibleInterface(control("Text2"));
    QCOMPARE(interval->role(), QAccessible::EditableText);
    QCOMPARE(interval->text(QAccessible::Value), u"250"_s);
    QAccessibleTextInterface *chars = interval->textInterface();
    int start = -1, end = -1;
    chars->selection(0, &start, &end);
    QCOMPARE(QList<int>({chars->selectionCount(), start, end}), QList<int>({1, 0, 3}));
    // Plain text: one run over the whole value, from any offset in it.
    for (int offset : {0, 1, 2}) {
        chars->attributes(offset, &start, &end);
        QCOMPARE(QList<int>({start, end}), QList<int>({0, 3}));
    }
    QCOMPARE(chars->text(0, 3), u"250"_s);
    QVERIFY(interval->state().editable && !interval->state().readOnly);
    interval->editableTextInterface()->replaceText(0, 3, u"7"_s);
    QCOMPARE(text("Text2"), u"7"_s);

    // A read-only box says so and refuses a reader's edits.
    QAccessibleInterface *nick = QAccessible::queryAccessibleInterface(control("Text3"));
    QVERIFY(nick->state().readOnly && !nick->state().editable);
    nick->editableTextInterface()->replaceText(0, 1, u"Z"_s);
    QCOMPARE(text("Text3"), u"[.:] TOR(E)N [:.]"_s);
    control<TextBox>("Text3")->selectAll();
    QCOMPARE(nick->textInterface()->selectionCount(), 0); // shown, not told
}

void TstForm1::fastChangesAndFocusSelectionsAreToldOnce()
{
    AccessiblePacing &pacing = AccessiblePacing::instance();
    struct Heard
    {
        QObject *object;
        QAccessible::Event type;
        QString inserted;
    };
    QList<Heard> heard;
    pacing.setSink([&heard](QAccessibleEvent *event) {
        const QString inserted = event->type() == QAccessible::TextUpdated
                                     ? static_cast<QAccessibleTextUpdateEvent *>(event)->textInserted()
                                     : QString();
        heard.append({event->object(), event->type(), inserted});
    });
    const auto restore = qScopeGuard([&] { pacing.setSink({}); });
    auto change = [&](const char *name, const QString &value) {
        auto *box = control<TextBox>(name);
        const QString old = box->text();
        box->setText(value);
        QAccessibleTextUpdateEvent event(box, 0, old, value);
        pacing.handle(&event);
    };

    // The counter counting fast: the first change at once, then only the
    // latest, once; the screen shows every value.
    for (int count = 1; count <= 50; ++count)
        change("Text4", QString::number(count));
    QCOMPARE(heard.size(), 1);
    QCOMPARE(heard[0].inserted, u"1"_s);
    QTRY_COMPARE(heard.size(), 2);
    QCOMPARE(heard[1].object, control("Text4"));
    QCOMPARE(heard[1].inserted, u"50"_s);
    QCOMPARE(text("Text4"), u"50"_s);

    // The interval box is typed into: every change at once.
    heard.clear();
    for (const QString &typed : {u"2"_s, u"25"_s, u"250"_s})
        change("Text2", typed);
    QCOMPARE(heard.size(), 3);

    // Tab into a box: its selection comes before the focus and is not told;
    // after the focus, selections are told again.
    heard.clear();
    control("Command2")->setFocus();
    QTest::keyClick(window(), Qt::Key_Backtab);
    QTRY_COMPARE(QApplication::focusWidget(), control("Text2"));
    QAccessibleTextSelectionEvent selected(control("Text2"), 0, 3);
    pacing.handle(&selected);
    QVERIFY(heard.isEmpty());
    QAccessibleEvent focused(control("Text2"), QAccessible::Focus);
    pacing.handle(&focused);
    pacing.handle(&selected);
    QCOMPARE(heard.size(), 2);
    QCOMPARE(heard[1].type, QAccessible::TextSelectionChanged);

    // A selector's field: typing is told, an item picked is told by the selector alone.
    heard.clear();
    auto *selector = control<QComboBox>("Combo1");
    QAccessibleTextUpdateEvent picked(selector->lineEdit(), 0, u"Согласная"_s, u"Гласная"_s);
    pacing.handle(&picked);
    QAccessibleTextInsertEvent typed(selector->lineEdit(), 0, u"x"_s);
    pacing.handle(&typed);
    pacing.handle(&typed);
    QVERIFY(heard.size() == 2 && heard[1].type == QAccessible::TextInserted);
    // Its list opens on its item, taking the focus; no entry stays focused after the selector.
    selector->setFocus();
    selector->showPopup();
    QTRY_VERIFY(selector->view()->isVisible());
    QFocusEvent toList(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(selector, &toList);
    QCOMPARE(selector->view()->currentIndex().row(), selector->currentIndex());
    selector->hidePopup();
    control("Combo2")->setFocus();
    QAccessibleInterface *entries = QAccessible::queryAccessibleInterface(selector->view());
    QVERIFY(!entries->child(0)->state().focused && !entries->child(1)->state().focused);
    // It names no shortcut (Down only moves in the open list); its field still holds its focus.
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(selector);
    QCOMPARE(face->text(QAccessible::Accelerator), QString());
    QCOMPARE(face->focusChild()->object(), selector->lineEdit());
    QCOMPARE(face->text(QAccessible::Name), selector->lineEdit()->text());
    QCOMPARE(face->childCount(), 2);
    QCOMPARE(face->indexOfChild(face->child(1)), 1);
    QCOMPARE(face->indexOfChild(entries), 0);
    QCOMPARE(face->indexOfChild(QAccessible::queryAccessibleInterface(control("Combo2"))), -1);
    // A reader's press opens its list and closes it again.
    face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTRY_VERIFY(selector->view()->isVisible() && face->state().expanded);
    face->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    QTRY_VERIFY(!selector->view()->isVisible() && !face->state().expanded);
}

void TstForm1::listMenuIsReadInTheListsGroup()
{
    // The list's menu sits in the list's group (Orca names no window or group on leaving it).
    QTest::keySequence(window(), QKeySequence(u"Ctrl+N"_s));
    auto *list = control<NickListBox>("List");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
    auto *menu = list->findChild<QMenu *>();
    QTRY_VERIFY(menu && menu->activeAction());
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(menu);
    QCOMPARE(face->parent()->text(QAccessible::Name), u"Настрой генератор:"_s);
    QAccessibleInterface *copy = face->child(0), *bringBack = face->child(1);
    QCOMPARE(bringBack->text(QAccessible::Name), u"Вернуть стёртое"_s);
    QVERIFY(face->childCount() == 2 && face->indexOfChild(bringBack) == 1 && face->indexOfChild(nullptr) == -1);
    QCOMPARE(copy->text(QAccessible::Accelerator), u"Ctrl+C"_s);
    QVERIFY(!bringBack->state().focused && bringBack->state().disabled);
    bringBack->actionInterface()->doAction(QAccessibleActionInterface::pressAction()); // greyed: nothing
    QVERIFY(menu->isVisible() && copy->state().focused && !copy->state().invisible && !copy->childCount());
    QSignalSpy copied(list, &NickListBox::copied);
    copy->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(copied.value(0).value(0).toString(), u"BENTYB"_s);
    QVERIFY(!menu->isVisible() && !copy->state().focused);
}

QUILLMARK_TEST_MAIN(TstForm1)
#include "tst_form1.moc"
