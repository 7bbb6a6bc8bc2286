#include "messagecapture.h"
#include "modalwatcher.h"
#include "platform/generationtimer.h"
#include "scriptedrandom.h"
#include "shownform.h"
#include "ui/access/accessibility.h"
#include "ui/list/nicklistbox.h"
#include "ui/toolkit/slotselector.h"
#include "ui/toolkit/textbox.h"

#include <QClipboard>
#include <QDir>
#include <QInputMethodEvent>
#include <QRegularExpression>

#include <array>

// Whatever a user types, pastes or clicks, the window stays consistent: the
// interval box holds a plain number of at most four characters, the counter
// equals the list's size, the read-only boxes keep their text, every selector
// drives its own slot, and nothing crashes. Keys and clicks go through the
// window, as a user's do.
class TstBadInput : public QObject, ShownForm
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        setUpLook();
        Accessibility::install();
    }
    void init()
    {
        auto random = std::make_unique<ScriptedRandom>();
        m_random = random.get();
        QVERIFY(showForm(std::move(random)));
    }
    void cleanup() { closeForm(); }
    void pastesKeepTheIntervalANumber_data();
    void pastesKeepTheIntervalANumber();
    void readOnlyBoxesRefuseKeysAndPastes();
    void everySelectorDrivesItsOwnSlot_data();
    void everySelectorDrivesItsOwnSlot();
    void clockNicksHaveTheDefaultShape();
    void controlsIgnoreClicksAndKeysWhileAMessageIsOpen_data();
    void controlsIgnoreClicksAndKeysWhileAMessageIsOpen();

private:
    void typeText(const QString &text)
    {
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, window(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    void key(Qt::Key k, Qt::KeyboardModifiers with = Qt::NoModifier) { QTest::keyClick(window(), k, with); }
    void paste(const QString &text)
    {
        QGuiApplication::clipboard()->setText(text);
        key(Qt::Key_V, Qt::ControlModifier);
    }
    void focus(const char *name)
    {
        control(name)->setFocus(Qt::TabFocusReason);
        QVERIFY(control(name)->hasFocus() || control(name)->isAncestorOf(QApplication::focusWidget()));
    }
    void checkIntervalInNormalForm()
    {
        // One to four characters: "0", or an optional minus and a number with no
        // leading zero, whose fraction has no trailing zero and no zero in front
        // of its point (".5", "2.5", "-.5"; never "", "-", "2.", "0.5" or "1E+2").
        static const QRegularExpression normal(
            QStringLiteral("\\A(?=.{1,4}\\z)(0|-?(?=[1-9.])([1-9][0-9]*)?(\\.[0-9]*[1-9])?)\\z"));
        QVERIFY2(normal.match(text("Text2")).hasMatch(), qPrintable(text("Text2")));
    }

    ScriptedRandom *m_random = nullptr; // owned by the window
};

namespace {

struct AwkwardText
{
    const char *name;
    QString text;
    QString overAll; // what the interval box keeps when it is pasted over all; empty: not fixed
};

// Texts no one should paste, and some everyone does.
const QList<AwkwardText> &awkwardTexts()
{
    static const QList<AwkwardText> texts{
        {"very long digits", QString(100000, u'9'), QStringLiteral("9999")},
        {"very long letters", QString(100000, u'x'), QStringLiteral("0")},
        {"control characters", QStringLiteral("\x01\x02\t\n\r\x1b\x7f"), QStringLiteral("0")},
        {"digits between line breaks", QStringLiteral("\n12\r\n"), {}},
        {"NUL inside", QString::fromUtf16(u"1\u00002", 3), QStringLiteral("1")},
        {"right-to-left mark first", QString::fromUtf16(u"\u200f12"), QStringLiteral("0")},
        {"right-to-left mark last", QString::fromUtf16(u"12\u200f"), QStringLiteral("12")},
        {"right-to-left override", QString::fromUtf16(u"\u202e9876\u202c"), QStringLiteral("0")},
        {"byte-order mark", QString::fromUtf16(u"\ufeff42"), {}},
        {"zero-width joiner", QString::fromUtf16(u"4\u200d2"), QStringLiteral("4")},
        {"no-break space", QString::fromUtf16(u"\u00a025"), {}},
        {"Arabic-Indic digits", QString::fromUtf16(u"\u0663\u0664"), QStringLiteral("34")},
        {"full-width digits", QString::fromUtf16(u"\uff11\uff12"), QStringLiteral("12")},
        {"emoji", QString::fromUtf16(u"\U0001F600"), QStringLiteral("0")},
        {"lone surrogate", QString::fromUtf16(u"1\xd800"), QStringLiteral("1")},
        {"Cyrillic", QStringLiteral("абв"), QStringLiteral("0")},
        // "1e99" -> "1E+99" -> "1E+9" -> "1000"
        {"huge exponent", QStringLiteral("1e999"), QStringLiteral("1000")},
        {"minus alone", QStringLiteral("-"), QStringLiteral("0")},
        {"point alone", QStringLiteral("."), QStringLiteral("0")},
        {"minus point", QStringLiteral("-."), QStringLiteral("0")},
        {"plus", QStringLiteral("+5"), QStringLiteral("5")},
        {"half", QStringLiteral("2.5"), QStringLiteral("2.5")},
        {"negative fraction", QStringLiteral("-0.5"), QStringLiteral("-.5")},
        {"blanks", QStringLiteral("    "), QStringLiteral("0")},
        {"comma decimal", QStringLiteral("2,5"), QStringLiteral("2")},
    };
    return texts;
}

} // namespace

void TstBadInput::pastesKeepTheIntervalANumber_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("overAll");
    for (const AwkwardText &awkward : awkwardTexts())
        QTest::newRow(awkward.name) << awkward.text << awkward.overAll;
}

void TstBadInput::pastesKeepTheIntervalANumber()
{
    QFETCH(QString, pasted);
    QFETCH(QString, overAll);
    auto *interval = control<TextBox>("Text2");
    focus("Text2");

    // Over the whole text, pasted and then committed by an input method.
    for (bool composed : {false, true}) {
        key(Qt::Key_A, Qt::ControlModifier);
        if (composed) {
            QInputMethodEvent event;
            event.setCommitString(pasted);
            QApplication::sendEvent(QApplication::focusWidget(), &event);
        } else {
            paste(pasted);
        }
        checkIntervalInNormalForm();
        if (!overAll.isEmpty())
            QCOMPARE(interval->text(), overAll);
    }
    // Into the middle and at both ends of a number.
    for (int caret : {0, 1, 2}) {
        interval->setText(QStringLiteral("12"));
        interval->setCursorPosition(caret);
        paste(pasted);
        checkIntervalInNormalForm();
    }
    // Typed rather than pasted, one character at a time (at most a few
    // hundred of them: the long texts repeat themselves).
    key(Qt::Key_A, Qt::ControlModifier);
    typeText(pasted.left(300));
    checkIntervalInNormalForm();
}

void TstBadInput::readOnlyBoxesRefuseKeysAndPastes()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("123"));
    for (const char *name : {"Text1", "Text3", "Text4"}) {
        const QString before = text(name);
        focus(name);
        for (const AwkwardText &awkward : awkwardTexts()) {
            paste(awkward.text);
            typeText(awkward.text.left(20));
        }
        for (Qt::Key k : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return, Qt::Key_Space})
            key(k);
        key(Qt::Key_X, Qt::ControlModifier);
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(text(name), before);
    }
    // Copying out of a read-only box still works.
    focus("Text3");
    key(Qt::Key_A, Qt::ControlModifier);
    key(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), text("Text3"));
}

void TstBadInput::everySelectorDrivesItsOwnSlot_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("pick");
    QTest::addColumn<QString>("nick");
    // The rising draws give the consonants BHNTWBHNTW and the vowels
    // AEOUYAEOUY. One slot picked against all the others: a vowel among
    // consonants, a consonant among vowels, or typed into, when it keeps the
    // "I" of the first nick.
    const std::array<std::array<const char *, 3>, 10> nicks{{
        {"AHNTWBHNTW", "BEOUYAEOUY", "IHNTWBHNTW"},
        {"BENTWBHNTW", "AHOUYAEOUY", "BINTWBHNTW"},
        {"BHOTWBHNTW", "AENUYAEOUY", "BHITWBHNTW"},
        {"BHNUWBHNTW", "AEOTYAEOUY", "BHNIWBHNTW"},
        {"BHNTYBHNTW", "AEOUWAEOUY", "BHNTIBHNTW"},
        {"BHNTWAHNTW", "AEOUYBEOUY", "BHNTWIHNTW"},
        {"BHNTWBENTW", "AEOUYAHOUY", "BHNTWBINTW"},
        {"BHNTWBHOTW", "AEOUYAENUY", "BHNTWBHITW"},
        {"BHNTWBHNUW", "AEOUYAEOTY", "BHNTWBHNIW"},
        {"BHNTWBHNTY", "AEOUYAEOUW", "BHNTWBHNTI"},
    }};
    for (int slot = 1; slot <= 10; ++slot) {
        const auto &row = nicks.at(slot - 1);
        QTest::addRow("Combo%d vowel", slot) << slot << "vowel" << row[0];
        QTest::addRow("Combo%d consonant", slot) << slot << "consonant" << row[1];
        QTest::addRow("Combo%d typed into", slot) << slot << "typed" << row[2];
    }
}

void TstBadInput::everySelectorDrivesItsOwnSlot()
{
    QFETCH(int, slot);
    QFETCH(QString, pick);
    QFETCH(QString, nick);
    const QByteArray name = "Combo" + QByteArray::number(slot);
    auto *picked = control<SlotSelector>(name.constData());
    auto setAll = [this](int index) {
        for (int k = 1; k <= 10; ++k)
            control<SlotSelector>(("Combo" + QByteArray::number(k)).constData())->setListIndex(index);
    };
    for (int i = 0; i < 4; ++i)
        click("Image7");
    QCOMPARE(text("Text1"), QStringLiteral("10"));

    // 0.4 draws vowel index 2: every slot starts out holding "i".
    setAll(0);
    m_random->script(sameDrawForEverySlot(0.4));
    click("Image1");
    QCOMPARE(text("Text3"), QStringLiteral("IIIIIIIIII"));

    setAll(pick == QStringLiteral("consonant") ? 0 : 1);
    focus(name.constData());
    if (pick == QStringLiteral("vowel")) {
        key(Qt::Key_Up);
        QCOMPARE(picked->listIndex(), 0);
    } else if (pick == QStringLiteral("consonant")) {
        key(Qt::Key_Down);
        QCOMPARE(picked->listIndex(), 1);
    } else {
        // Neither Return nor leaving the box picks the item the text names.
        typeText(QStringLiteral("Согласная"));
        key(Qt::Key_Return);
        key(Qt::Key_Tab);
        QCOMPARE(picked->listIndex(), -1);
        QCOMPARE(picked->count(), 2);
        QCOMPARE(picked->itemText(0) + u'/' + picked->itemText(1), QStringLiteral("Гласная/Согласная"));
    }
    m_random->script(RisingDraws);
    click("Image1");
    QCOMPARE(text("Text3"), nick);
    if (pick == QStringLiteral("typed")) {
        // Picked from its list again, it has its class back.
        focus(name.constData());
        key(Qt::Key_Up);
        QCOMPARE(picked->listIndex(), 0);
    }
}

void TstBadInput::clockNicksHaveTheDefaultShape()
{
    // The real clock source behind the default pattern: consonant, vowel,
    // consonant, consonant, vowel, consonant.
    QVERIFY(showForm(nullptr));
    const QString c = QStringLiteral("[BCDFGHJKLMNPQRSTVXZW]"), v = QStringLiteral("[AEIOUY]");
    const QRegularExpression shape(QStringLiteral("\\A%1%2%1%1%2%1\\z").arg(c, v));
    QSet<QString> seen;
    for (int i = 0; i < 200; ++i) {
        click("Image1");
        QVERIFY2(shape.match(text("Text3")).hasMatch(), qPrintable(text("Text3")));
        seen.insert(text("Text3"));
    }
    // Reseeding before every slot must not make the slots of one nick alike.
    QVERIFY(seen.size() > 150);
    QCOMPARE(text("Text4"), QStringLiteral("200"));
}

void TstBadInput::controlsIgnoreClicksAndKeysWhileAMessageIsOpen_data()
{
    QTest::addColumn<QByteArray>("opener");
    QTest::addColumn<QString>("length");
    QTest::newRow("help") << QByteArray("Image5") << "6";
    QTest::newRow("length up at 10") << QByteArray("Image7") << "10";
    QTest::newRow("length down at 2") << QByteArray("Image9") << "2";
    QTest::newRow("failed save") << QByteArray("Command1") << "6";
}

void TstBadInput::controlsIgnoreClicksAndKeysWhileAMessageIsOpen()
{
    QFETCH(QByteArray, opener);
    QFETCH(QString, length);
    control<TextBox>("Text1")->setText(length);
    if (opener == "Command1")
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("NIK.log")));

    // The timer runs at 1 ms all the while: its ticks go on under the message.
    auto *list = control<NickListBox>("List");
    auto *timer = control<GenerationTimer>("Timer1");
    control<TextBox>("Text2")->setText(QStringLiteral("1"));
    click("Command2");
    QVERIFY(timer->isEnabled());

    const QPoint position = m_form->pos();
    qsizetype listBefore = -1;
    ModalWatcher watcher([&] {
        QWidget *modal = QApplication::activeModalWidget();
        listBefore = list->count();
        // Every named control of the window, at its centre.
        for (QWidget *control : m_form->findChildren<QWidget *>()) {
            if (control->window() != m_form.get() || control->objectName().isEmpty())
                continue;
            const QPoint at = control->mapTo(m_form.get(), control->rect().center());
            for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton})
                clickAt(at, button);
            QTest::mouseDClick(window(), Qt::LeftButton, Qt::NoModifier, at);
        }
        // The bare background, which would move the window.
        QTest::mousePress(window(), Qt::LeftButton, Qt::NoModifier, QPoint(589, 200));
        QTest::mouseMove(window(), QPoint(560, 220));
        QTest::mouseRelease(window(), Qt::LeftButton, Qt::NoModifier, QPoint(560, 220));
        // Keys sent to the main window, as if it still had the focus.
        typeText(QStringLiteral("9"));
        for (Qt::Key k : {Qt::Key_Space, Qt::Key_Tab, Qt::Key_Down, Qt::Key_Backspace})
            key(k);
        QCOMPARE(QApplication::activeModalWidget(), modal); // no second message over the first
        QVERIFY(timer->isEnabled());
        QCOMPARE(text("Text2"), QStringLiteral("1"));
        QCOMPARE(text("Text1"), length);
        QCOMPARE(m_form->pos(), position);
        QVERIFY(!m_form->aboutWindow());
        // Give the timer room to tick under the message, in a loop without
        // QTest::qWait's sleeps, so a 1 ms timer ticks.
        QEventLoop loop;
        QTimer::singleShot(30, &loop, &QEventLoop::quit);
        loop.exec();
        QVERIFY2(list->count() > listBefore, "the timer stopped under the message");
        QCOMPARE(text("Text4"), QString::number(list->count()));
    });
    click(opener.constData());
    QTRY_VERIFY(watcher.seen); // a save's message comes when the save ends
    QVERIFY(listBefore >= 0);
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(m_form->isVisible()); // Exit was among the controls clicked

    // After the message the window answers again; Стоп again leaves it stopped.
    click("Command3");
    QVERIFY(!timer->isEnabled());
    click("Command3");
    QVERIFY(!timer->isEnabled());
    const qsizetype count = list->count();
    click("Image1");
    QCOMPARE(list->count(), count + 1);
    QCOMPARE(text("Text4"), QString::number(count + 1));
}

QTEST_MAIN(TstBadInput)
#include "tst_badinput.moc"
