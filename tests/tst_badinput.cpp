#include "control/autogeneration.h"
#include "control/nicklistbox.h"
#include "messagecapture.h"
#include "modalwatcher.h"
#include "platform/conversions.h"
#include "platform/widgets/generationtimer.h"
#include "platform/widgets/screenpointer.h"
#include "platform/widgets/slotselector.h"
#include "platform/widgets/textbox.h"
#include "scriptedrandom.h"
#include "ui/about/frmabout.h"
#include "ui/common/look.h"
#include "ui/main/form1.h"
#include "ui/main/form1layout.h"

#include <QClipboard>
#include <QDir>
#include <QInputMethodEvent>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <array>

// Whatever a user types, pastes or clicks, the window stays consistent: the
// interval box holds a plain number of at most four characters, the counter
// equals the list's size, the read-only boxes keep their text, and nothing
// crashes. Keys and clicks go through the window, as a user's do. Random
// sequences come from fixed seeds, so a failure repeats.
class TstBadInput : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void typedKeysKeepTheIntervalANumber();
    void pastesKeepTheIntervalANumber_data();
    void pastesKeepTheIntervalANumber();
    void readOnlyBoxesRefuseKeysAndPastes();
    void typingIntoEverySelectorKeepsItsLetter();
    void controlsIgnoreClicksAndKeysWhileAMessageIsOpen_data();
    void controlsIgnoreClicksAndKeysWhileAMessageIsOpen();
    void startStopEraseSaveInEveryOrderWhileTheTimerRuns();
    void randomClicksAndKeysKeepTheWindowConsistent();
    void aboutWindowTakesAnyClicksAndKeys();

private:
    template <typename T = QWidget> T *control(const char *name) const
    {
        auto *widget = m_form->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QWindow *window() const { return m_form->windowHandle(); }
    QPoint centreOf(const char *name) const;
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton);
    void clickControl(const char *name, Qt::MouseButton button = Qt::LeftButton);
    void typeText(const QString &text);
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void paste(const QString &text);
    void focus(const char *name);
    // Runs the event loop without QTest::qWait's sleeps, so a 1 ms timer ticks.
    void runFor(int milliseconds);
    void checkIntervalIsANumber();
    void checkCounterMatchesList();

    ScriptedRandom *m_random = nullptr; // owned by the window
    std::unique_ptr<Form1> m_form;
    std::unique_ptr<QTemporaryDir> m_folder;
};

namespace {

// Texts no one should paste, and some everyone does.
const QList<std::pair<const char *, QString>> &awkwardTexts()
{
    static const QList<std::pair<const char *, QString>> texts{
        {"very long digits", QString(100000, u'9')},
        {"very long letters", QString(100000, u'x')},
        {"control characters", QStringLiteral("\x01\x02\t\n\r\x1b\x7f")},
        {"digits between line breaks", QStringLiteral("\n12\r\n")},
        {"NUL inside", QString::fromUtf16(u"1\u00002", 3)},
        {"right-to-left mark first", QString::fromUtf16(u"\u200f12")},
        {"right-to-left mark last", QString::fromUtf16(u"12\u200f")},
        {"right-to-left override", QString::fromUtf16(u"\u202e9876\u202c")},
        {"byte-order mark", QString::fromUtf16(u"\ufeff42")},
        {"zero-width joiner", QString::fromUtf16(u"4\u200d2")},
        {"no-break space", QString::fromUtf16(u"\u00a025")},
        {"Arabic-Indic digits", QString::fromUtf16(u"\u0663\u0664")},
        {"full-width digits", QString::fromUtf16(u"\uff11\uff12")},
        {"emoji", QString::fromUtf16(u"\U0001F600")},
        {"lone surrogate", QString::fromUtf16(u"1\xd800")},
        {"Cyrillic", QStringLiteral("абв")},
        {"huge exponent", QStringLiteral("1e999")},
        {"minus alone", QStringLiteral("-")},
        {"point alone", QStringLiteral(".")},
        {"minus point", QStringLiteral("-.")},
        {"plus", QStringLiteral("+5")},
        {"half", QStringLiteral("2.5")},
        {"negative fraction", QStringLiteral("-0.5")},
        {"blanks", QStringLiteral("    ")},
        {"comma decimal", QStringLiteral("2,5")},
    };
    return texts;
}

// Printable characters a user may type: digits and signs mostly, then
// letters, blanks and characters from other scripts.
QString randomTypedCharacter(QRandomGenerator &random)
{
    static const QString common = QStringLiteral("0123456789-.+eE ");
    static const QString rare = QString::fromUtf16(u"xXя,/*\u00a0\u0663\uff15\u200f");
    const QString &pool = random.bounded(4) ? common : rare;
    return QString(pool.at(random.bounded(int(pool.size()))));
}

} // namespace

void TstBadInput::initTestCase()
{
    Look::install(*qApp);
    Form1::setSystemMoveEnabled(false);
}

void TstBadInput::init()
{
    auto random = std::make_unique<ScriptedRandom>();
    m_random = random.get();
    m_form = std::make_unique<Form1>(std::move(random));
    m_folder = std::make_unique<QTemporaryDir>();
    m_form->setLogFolders(m_folder->path(), m_folder->path());
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    m_form->activateWindow();
    QTRY_VERIFY(m_form->isActiveWindow());
}

void TstBadInput::cleanup()
{
    m_form.reset();
    m_folder.reset();
}

QPoint TstBadInput::centreOf(const char *name) const
{
    QWidget *widget = control(name);
    return widget->mapTo(m_form.get(), widget->rect().center());
}

void TstBadInput::click(QPoint at, Qt::MouseButton button)
{
    QTest::mousePress(window(), button, Qt::NoModifier, at);
    QTest::mouseRelease(window(), button, Qt::NoModifier, at);
}

void TstBadInput::clickControl(const char *name, Qt::MouseButton button)
{
    click(centreOf(name), button);
}

void TstBadInput::typeText(const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, window(), Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void TstBadInput::key(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(window(), key, modifiers);
}

void TstBadInput::paste(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
    key(Qt::Key_V, Qt::ControlModifier);
}

void TstBadInput::focus(const char *name)
{
    control(name)->setFocus(Qt::TabFocusReason);
    QVERIFY(control(name)->hasFocus() || control(name)->isAncestorOf(QApplication::focusWidget()));
}

void TstBadInput::runFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void TstBadInput::checkIntervalIsANumber()
{
    const QString text = control<TextBox>("Text2")->text();
    QVERIFY2(!text.isEmpty() && text.size() <= 4, qPrintable(text));
    QVERIFY2(QRegularExpression(QStringLiteral("\\A-?[0-9]*\\.?[0-9]*\\z")).match(text).hasMatch(),
             qPrintable(text));
    QCOMPARE(AutoGeneration::normalForm(text), text);
    QVERIFY2(Conversions::textToWhole(text, QLocale::c()).has_value(), qPrintable(text));
}

void TstBadInput::checkCounterMatchesList()
{
    QCOMPARE(control<TextBox>("Text4")->text(), QString::number(control<NickListBox>("List")->count()));
}

void TstBadInput::typedKeysKeepTheIntervalANumber()
{
    // Editing keys with and without Shift and Control: moves, selections,
    // deletions, undo and redo, cut, copy and paste.
    const std::array<std::pair<Qt::Key, Qt::KeyboardModifiers>, 16> editing{{
        {Qt::Key_Backspace, Qt::NoModifier},
        {Qt::Key_Delete, Qt::NoModifier},
        {Qt::Key_Left, Qt::NoModifier},
        {Qt::Key_Right, Qt::NoModifier},
        {Qt::Key_Home, Qt::NoModifier},
        {Qt::Key_End, Qt::NoModifier},
        {Qt::Key_Left, Qt::ShiftModifier},
        {Qt::Key_Home, Qt::ShiftModifier},
        {Qt::Key_A, Qt::ControlModifier},
        {Qt::Key_Z, Qt::ControlModifier},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier},
        {Qt::Key_Y, Qt::ControlModifier},
        {Qt::Key_X, Qt::ControlModifier},
        {Qt::Key_C, Qt::ControlModifier},
        {Qt::Key_V, Qt::ControlModifier},
        {Qt::Key_Backspace, Qt::ControlModifier},
    }};
    focus("Text2");
    QRandomGenerator random(20240607);
    for (int step = 0; step < 3000; ++step) {
        const QString before = control<TextBox>("Text2")->text();
        QString done;
        if (random.bounded(3)) {
            const QString typed = randomTypedCharacter(random);
            typeText(typed);
            done = QStringLiteral("typed '%1'").arg(typed);
        } else {
            const auto &[code, modifiers] = editing.at(random.bounded(int(editing.size())));
            key(code, modifiers);
            done = QStringLiteral("key %1 with %2").arg(code).arg(modifiers.toInt());
        }
        checkIntervalIsANumber();
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("step %1: '%2', then %3").arg(step).arg(before, done)));
    }
    QVERIFY(control<TextBox>("Text2")->hasFocus());
    checkCounterMatchesList();
}

void TstBadInput::pastesKeepTheIntervalANumber_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("overAll");
    // What a paste over the whole text leaves. The box takes the first four
    // characters and settles on their normal form.
    const QHash<QString, QString> expected{
        {QStringLiteral("very long digits"), QStringLiteral("9999")},
        {QStringLiteral("very long letters"), QStringLiteral("0")},
        {QStringLiteral("right-to-left mark first"), QStringLiteral("0")},
        {QStringLiteral("right-to-left mark last"), QStringLiteral("12")},
        {QStringLiteral("Arabic-Indic digits"), QStringLiteral("0")},
        {QStringLiteral("huge exponent"), QStringLiteral("1000")}, // "1e99" -> "1E+99" -> "1E+9" -> "1000"
        {QStringLiteral("minus point"), QStringLiteral("0")},
        {QStringLiteral("plus"), QStringLiteral("5")},
        {QStringLiteral("negative fraction"), QStringLiteral("-.5")},
        {QStringLiteral("comma decimal"), QStringLiteral("2")},
    };
    for (const auto &[name, text] : awkwardTexts())
        QTest::newRow(name) << text << expected.value(QLatin1String(name));
}

void TstBadInput::pastesKeepTheIntervalANumber()
{
    QFETCH(QString, pasted);
    QFETCH(QString, overAll);
    auto *interval = control<TextBox>("Text2");
    focus("Text2");

    key(Qt::Key_A, Qt::ControlModifier);
    paste(pasted);
    checkIntervalIsANumber();
    if (!overAll.isEmpty())
        QCOMPARE(interval->text(), overAll);

    // Into the middle and at both ends of a number.
    for (int caret : {0, 1, 2}) {
        interval->setText(QStringLiteral("12"));
        interval->setCursorPosition(caret);
        paste(pasted);
        checkIntervalIsANumber();
    }
    // Committed by an input method, over the whole text.
    key(Qt::Key_A, Qt::ControlModifier);
    QInputMethodEvent composed;
    composed.setCommitString(pasted);
    QApplication::sendEvent(QApplication::focusWidget(), &composed);
    checkIntervalIsANumber();
    if (!overAll.isEmpty())
        QCOMPARE(interval->text(), overAll);

    // Typed rather than pasted, one character at a time (at most a few
    // hundred of them: the long texts repeat themselves).
    key(Qt::Key_A, Qt::ControlModifier);
    typeText(pasted.left(300));
    checkIntervalIsANumber();
}

void TstBadInput::readOnlyBoxesRefuseKeysAndPastes()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("123"));
    for (const char *name : {"Text1", "Text3", "Text4"}) {
        const QString before = control<TextBox>(name)->text();
        focus(name);
        for (const auto &[rowName, text] : awkwardTexts()) {
            paste(text);
            typeText(text.left(20));
        }
        for (Qt::Key k : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Return, Qt::Key_Space})
            key(k);
        key(Qt::Key_X, Qt::ControlModifier);
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(control<TextBox>(name)->text(), before);
    }
    // Copying out of a read-only box still works.
    focus("Text3");
    key(Qt::Key_A, Qt::ControlModifier);
    key(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), control<TextBox>("Text3")->text());
}

void TstBadInput::typingIntoEverySelectorKeepsItsLetter()
{
    // All vowels draw "o", all consonants "n": the default pattern gives NONNON.
    m_random->script(sameDrawForEverySlot(0.5));
    clickControl("Image1");
    QCOMPARE(control<TextBox>("Text3")->text(), QStringLiteral("NONNON"));

    QRandomGenerator random(7);
    for (int slot = 1; slot <= 10; ++slot) {
        const QByteArray name = "Combo" + QByteArray::number(slot);
        auto *selector = control<SlotSelector>(name.constData());
        focus(name.constData());
        typeText(QStringLiteral("Г"));
        for (int step = 0; step < 40; ++step) {
            switch (random.bounded(5)) {
            case 0:
                paste(awkwardTexts().at(random.bounded(int(awkwardTexts().size()))).second.left(50));
                break;
            case 1:
                key(Qt::Key_Backspace);
                break;
            case 2:
                // Return and Enter must not pick an item matching the typed text.
                key(random.bounded(2) ? Qt::Key_Return : Qt::Key_Enter);
                break;
            default:
                typeText(randomTypedCharacter(random));
                break;
            }
        }
        typeText(QStringLiteral("Согласная"));
        key(Qt::Key_Return);
        QCOMPARE(selector->listIndex(), -1);
        QCOMPARE(selector->count(), 2);
        QCOMPARE(selector->itemText(0), QStringLiteral("Гласная"));
        QCOMPARE(selector->itemText(1), QStringLiteral("Согласная"));
    }

    // Every slot keeps the letter it had, whatever the new draws.
    m_random->script(sameDrawForEverySlot(0.0));
    clickControl("Image1");
    QCOMPARE(control<TextBox>("Text3")->text(), QStringLiteral("NONNON"));
    checkCounterMatchesList();

    // Picking from the list again gives the slot its class back: Combo1 was
    // a consonant slot at index 1; Up selects the vowel.
    focus("Combo1");
    key(Qt::Key_Up);
    QCOMPARE(control<SlotSelector>("Combo1")->listIndex(), 0);
    clickControl("Image1");
    QCOMPARE(control<TextBox>("Text3")->text(), QStringLiteral("AONNON"));
}

void TstBadInput::controlsIgnoreClicksAndKeysWhileAMessageIsOpen_data()
{
    QTest::addColumn<QByteArray>("opener");
    QTest::addColumn<QString>("length");
    QTest::addColumn<bool>("saveFails");
    QTest::newRow("help") << QByteArray("Image5") << "6" << false;
    QTest::newRow("length up at 10") << QByteArray("Image7") << "10" << false;
    QTest::newRow("length down at 2") << QByteArray("Image9") << "2" << false;
    QTest::newRow("failed save") << QByteArray("Command1") << "6" << true;
}

void TstBadInput::controlsIgnoreClicksAndKeysWhileAMessageIsOpen()
{
    QFETCH(QByteArray, opener);
    QFETCH(QString, length);
    QFETCH(bool, saveFails);
    control<TextBox>("Text1")->setText(length);
    if (saveFails)
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("NIK.log")));

    // The timer runs at 1 ms all the while: its ticks go on under the message.
    auto *list = control<NickListBox>("List");
    auto *timer = control<GenerationTimer>("Timer1");
    control<TextBox>("Text2")->setText(QStringLiteral("1"));
    clickControl("Command2");
    QVERIFY(timer->isEnabled());

    struct Seen
    {
        qsizetype listBefore = -1;
        qsizetype listAfter = -1;
        QWidget *modal = nullptr;
        bool sameModal = false;
        bool timerStillOn = false;
        QString interval, lengthText;
        QPoint position;
        bool aboutOpened = false;
    } seen;
    ModalWatcher watcher([&] {
        seen.modal = QApplication::activeModalWidget();
        seen.listBefore = list->count();
        seen.position = m_form->pos();
        for (const ControlPlace &place : Form1Layout) {
            const QPoint at = centreOf(place.name);
            for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton})
                click(at, button);
            QTest::mouseDClick(window(), Qt::LeftButton, Qt::NoModifier, at);
        }
        // The bare background, which would move the window.
        QTest::mousePress(window(), Qt::LeftButton, Qt::NoModifier, QPoint(589, 200));
        QTest::mouseMove(window(), QPoint(560, 220));
        QTest::mouseRelease(window(), Qt::LeftButton, Qt::NoModifier, QPoint(560, 220));
        // Keys sent to the main window, as if it still had the focus.
        QTest::sendKeyEvent(QTest::Click, window(), Qt::Key_unknown, QStringLiteral("9"), Qt::NoModifier);
        for (Qt::Key k : {Qt::Key_Space, Qt::Key_Tab, Qt::Key_Down, Qt::Key_Backspace})
            QTest::keyClick(window(), k);
        seen.sameModal = QApplication::activeModalWidget() == seen.modal;
        seen.timerStillOn = timer->isEnabled();
        seen.interval = control<TextBox>("Text2")->text();
        seen.lengthText = control<TextBox>("Text1")->text();
        seen.aboutOpened = m_form->aboutWindow() != nullptr;
        // Give the timer room to tick under the message.
        runFor(30);
        seen.listAfter = list->count();
        checkCounterMatchesList();
    });
    clickControl(opener.constData());
    QVERIFY(watcher.seen);

    QVERIFY(seen.modal);
    QVERIFY(seen.sameModal); // no second message opened over the first
    QVERIFY(seen.timerStillOn);
    QCOMPARE(seen.interval, QStringLiteral("1"));
    QCOMPARE(seen.lengthText, length);
    QCOMPARE(seen.position, m_form->pos());
    QVERIFY(!seen.aboutOpened);
    QVERIFY2(seen.listAfter > seen.listBefore, "the timer stopped under the message");
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(m_form->isVisible()); // Exit was among the controls clicked

    // After the message the window answers again.
    clickControl("Command3");
    QVERIFY(!timer->isEnabled());
    checkCounterMatchesList();
    const qsizetype count = list->count();
    clickControl("Image1");
    QCOMPARE(list->count(), count + 1);
    checkCounterMatchesList();
}

void TstBadInput::startStopEraseSaveInEveryOrderWhileTheTimerRuns()
{
    MessageCapture messages;
    auto *list = control<NickListBox>("List");
    auto *timer = control<GenerationTimer>("Timer1");
    const QString log = QDir(m_folder->path()).filePath(QStringLiteral("NIK.log"));
    control<TextBox>("Text2")->setText(QStringLiteral("1"));

    std::array<char, 4> order{'e', 'p', 's', 'x'}; // erase, stop (pause), save, start; sorted
    QList<QByteArray> sequences;
    do {
        sequences << QByteArray(order.data(), qsizetype(order.size()));
    } while (std::next_permutation(order.begin(), order.end()));
    QRandomGenerator random(11);
    for (int i = 0; i < 24; ++i) {
        QByteArray repeats;
        for (int k = 0; k < 8; ++k)
            repeats += order.at(random.bounded(4));
        sequences << repeats;
    }

    // Ticks may run while a click is delivered, so what Erase and Save did
    // is looked at inside the click, right after the window's own handler.
    qsizetype afterErase = -1;
    QString counterAfterErase;
    connect(control<QPushButton>("Command4"), &QPushButton::clicked, this, [&] {
        afterErase = list->count();
        counterAfterErase = control<TextBox>("Text4")->text();
    });
    QByteArray savedBytes;
    QByteArray listAtSave;
    connect(control<QPushButton>("Command1"), &QPushButton::clicked, this, [&] {
        QFile file(log);
        savedBytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
        listAtSave.clear();
        for (qsizetype i = 0; i < list->count(); ++i)
            listAtSave += list->item(i).toLatin1() + "\r\n";
    });

    for (const QByteArray &sequence : std::as_const(sequences)) {
        clickControl("Command2");
        runFor(5);
        for (char action : sequence) {
            switch (action) {
            case 'x':
                clickControl("Command2");
                QVERIFY(timer->isEnabled());
                break;
            case 'p': {
                clickControl("Command3");
                QVERIFY(!timer->isEnabled());
                const qsizetype stoppedAt = list->count();
                runFor(5);
                QCOMPARE(list->count(), stoppedAt);
                break;
            }
            case 'e':
                afterErase = -1;
                clickControl("Command4");
                QCOMPARE(afterErase, 0);
                QCOMPARE(counterAfterErase, QStringLiteral("0"));
                break;
            case 's':
                savedBytes.clear();
                clickControl("Command1");
                QCOMPARE(savedBytes, listAtSave);
                break;
            }
            checkCounterMatchesList();
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("in the sequence %1").arg(QLatin1String(sequence))));
            runFor(3);
            checkCounterMatchesList();
        }
    }
    clickControl("Command3");
    QVERIFY(messages.shown.isEmpty());
}

void TstBadInput::randomClicksAndKeysKeepTheWindowConsistent()
{
    // Messages are recorded instead of shown, so no click waits on a box.
    MessageCapture messages;
    QList<const char *> targets;
    for (const ControlPlace &place : Form1Layout) {
        if (qstrcmp(place.name, "Exit") != 0)
            targets << place.name;
    }
    const std::array<Qt::Key, 12> keys{Qt::Key_Space,  Qt::Key_Return,   Qt::Key_Up,        Qt::Key_Down,
                                       Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home,      Qt::Key_End,
                                       Qt::Key_Tab,    Qt::Key_Backtab,  Qt::Key_Backspace, Qt::Key_Escape};
    const std::array<Qt::MouseButton, 3> buttons{Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
    m_random->script(QList<double>(100000, 0.3));
    QRandomGenerator random(3);
    const QRegularExpression nickShape(QStringLiteral("\\A[A-Z]{0,10}\\z"));

    for (int step = 0; step < 2000; ++step) {
        // Exit ends the program: keep the keyboard off it (the window's focus
        // stays on it even while the about window is the active one).
        if (m_form->focusWidget() == control("Exit"))
            control("Text2")->setFocus();
        const char *target = targets.at(random.bounded(int(targets.size())));
        switch (random.bounded(6)) {
        case 0:
        case 1:
            click(centreOf(target), buttons.at(random.bounded(3)));
            break;
        case 2:
            QTest::mouseDClick(window(), Qt::LeftButton, Qt::NoModifier, centreOf(target));
            break;
        case 3:
            typeText(randomTypedCharacter(random));
            break;
        case 4:
            key(keys.at(random.bounded(int(keys.size()))));
            break;
        default:
            runFor(2);
            break;
        }

        checkIntervalIsANumber();
        checkCounterMatchesList();
        const QString nick = control<TextBox>("Text3")->text();
        QVERIFY2(nick == QStringLiteral("[.:] TOR(E)N [:.]") || nickShape.match(nick).hasMatch(),
                 qPrintable(nick));
        const auto length = Conversions::textToWhole(control<TextBox>("Text1")->text(), QLocale::c());
        QVERIFY(length && *length >= 2 && *length <= 10);
        QVERIFY(m_form->isVisible());
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("step %1 on %2").arg(step).arg(QLatin1String(target))));
    }
    control<GenerationTimer>("Timer1")->setEnabled(false);
    for (const ShownMessage &message : std::as_const(messages.shown))
        QVERIFY2(!message.title.isEmpty() && !message.text.isEmpty(), qPrintable(message.text));
}

void TstBadInput::aboutWindowTakesAnyClicksAndKeys()
{
    MessageCapture messages;
    QList<QUrl> opened;
    // Every other link fails to open, so the failure message comes up too.
    FrmAbout::setLinkOpener([&opened](const QUrl &url) {
        opened << url;
        return opened.size() % 2 == 0;
    });
    clickControl("Image3");
    QPointer<FrmAbout> about = m_form->aboutWindow();
    QVERIFY(about && QTest::qWaitForWindowExposed(about));

    QList<QWidget *> targets;
    for (QWidget *child : about->findChildren<QWidget *>()) {
        if (!child->objectName().isEmpty() && child->objectName() != QStringLiteral("Exit"))
            targets << child;
    }
    QVERIFY(targets.size() > 5);
    const std::array<Qt::MouseButton, 3> buttons{Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
    QRandomGenerator random(5);
    for (int step = 0; step < 500; ++step) {
        QWidget *target = targets.at(random.bounded(int(targets.size())));
        const QPoint at = target->mapTo(about.data(), target->rect().center());
        if (random.bounded(3)) {
            const Qt::MouseButton button = buttons.at(random.bounded(3));
            QTest::mousePress(about->windowHandle(), button, Qt::NoModifier, at);
            QTest::mouseRelease(about->windowHandle(), button, Qt::NoModifier, at);
        } else {
            // Neither Space nor Return: the focus sits on the close button,
            // which both press.
            const QString typed = randomTypedCharacter(random).replace(u' ', u'x');
            QTest::sendKeyEvent(QTest::Click, about->windowHandle(), Qt::Key_unknown, typed, Qt::NoModifier);
            QTest::keyClick(about->windowHandle(), random.bounded(2) ? Qt::Key_Escape : Qt::Key_Down);
        }
        QVERIFY(about && about->isVisible());
    }
    FrmAbout::setLinkOpener({});

    // Only the two links were opened; each failure was told, and the
    // hourglass never stayed.
    QVERIFY(!opened.isEmpty());
    for (const QUrl &url : std::as_const(opened))
        QVERIFY2(url.scheme() == QStringLiteral("mailto") || url.scheme() == QStringLiteral("http"),
                 qPrintable(url.toString()));
    QCOMPARE(messages.shown.size(), (opened.size() + 1) / 2);
    QCOMPARE(ScreenPointer::current(), ScreenPointer::Shape::Default);

    // Its own close button still closes it, and the main window is unharmed.
    QTest::mouseClick(about->findChild<QWidget *>(QStringLiteral("Exit")), Qt::LeftButton);
    QTRY_VERIFY(!about);
    checkCounterMatchesList();
    checkIntervalIsANumber();
}

QTEST_MAIN(TstBadInput)
#include "tst_badinput.moc"
