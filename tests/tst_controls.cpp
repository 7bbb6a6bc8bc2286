#include "control/autogeneration.h"
#include "control/nicklength.h"
#include "messagecapture.h"
#include "platform/widgets/generationtimer.h"
#include "platform/widgets/slotselector.h"
#include "platform/widgets/textbox.h"

#include <QSignalSpy>
#include <QTest>

// The length buttons' logic, the interval box and the timer, on real
// controls and with real key presses, without the window.
class TstControls : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void lengthMovesSilentlyUpToTheBoundsAndRefusesPastThem();
    void textBoxLimitCutsAssignedTextButNotTheCurrentOne();
    void intervalIsNormalisedAsItIsTyped_data();
    void intervalIsNormalisedAsItIsTyped();
    void intervalSetByTheProgramSettlesInNormalForm_data();
    void intervalSetByTheProgramSettlesInNormalForm();
    void startRunsTheTimerAtTheBoxInterval();
    void startWithANegativeIntervalLeavesTheTimerAndSaysWhy();
    void timerRefusesOutOfRangeAndStaysSilentAtZero();
    void typingIntoASelectorLeavesNoItemSelected();
};

void TstControls::lengthMovesSilentlyUpToTheBoundsAndRefusesPastThem()
{
    MessageCapture messages;
    TextBox box;
    box.setText(QStringLiteral("6"));
    NickLength length(&box, nullptr);

    for (const char *expected : {"7", "8", "9", "10"}) {
        length.up();
        QCOMPARE(box.text(), QLatin1String(expected));
    }
    QVERIFY(messages.shown.isEmpty());
    length.up();
    QCOMPARE(box.text(), QStringLiteral("10"));
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown[0].text, QStringLiteral("Да хватит десяти, зачем больше!!!"));
    QCOMPARE(messages.shown[0].title, QStringLiteral("Ошибка!!!"));
    QCOMPARE(messages.shown[0].style, MessageBox::Style::Information);

    for (const char *expected : {"9", "8", "7", "6", "5", "4", "3", "2"}) {
        length.down();
        QCOMPARE(box.text(), QLatin1String(expected));
    }
    QCOMPARE(messages.shown.size(), 1);
    length.down();
    QCOMPARE(box.text(), QStringLiteral("2"));
    QCOMPARE(messages.shown.size(), 2);
    QCOMPARE(messages.shown[1].text, QStringLiteral("Куда меньше-то!!!"));
    QCOMPARE(messages.shown[1].title, QStringLiteral("Ошибка!!!"));
    QCOMPARE(messages.shown[1].style, MessageBox::Style::Information);
}

void TstControls::textBoxLimitCutsAssignedTextButNotTheCurrentOne()
{
    TextBox box;
    box.assign(QStringLiteral("ABCDEFGHIJ"));
    QSignalSpy changes(&box, &QLineEdit::textChanged);
    box.setLimit(5);
    QCOMPARE(box.text(), QStringLiteral("ABCDEFGHIJ")); // a new limit leaves the text alone
    box.assign(QStringLiteral("KLMNOPQRST"));
    QCOMPARE(box.text(), QStringLiteral("KLMNO"));
    QCOMPARE(changes.size(), 1);
    box.assign(QStringLiteral("KLMNOXYZ")); // cuts to what it already holds
    QCOMPARE(changes.size(), 1);
    box.setLimit(0);
    box.assign(QStringLiteral("KLMNOPQRST"));
    QCOMPARE(box.text(), QStringLiteral("KLMNOPQRST"));
}

struct IntervalBox
{
    IntervalBox() : autoGeneration(&box, &timer, nullptr)
    {
        box.setLimit(4);
        box.setText(QStringLiteral("250"));
        box.show();
        box.setFocus();
    }
    TextBox box;
    GenerationTimer timer;
    AutoGeneration autoGeneration;
};

void TstControls::intervalIsNormalisedAsItIsTyped_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("caretAfter");
    QTest::newRow("letters give 0") << "" << 0 << "abc" << "0" << 1;
    QTest::newRow("zero in front of 250") << "250" << 0 << "0" << "250" << 0;
    QTest::newRow("lone minus") << "" << 0 << "-" << "0" << 1;
    QTest::newRow("minus in front of a number") << "5" << 0 << "-" << "-5" << 1;
    QTest::newRow("point after a number") << "2" << 1 << "." << "2" << 1;
    QTest::newRow("point between digits") << "25" << 1 << "." << "2.5" << 2;
    QTest::newRow("point in front keeps no zero") << "5" << 0 << "." << ".5" << 1;
    QTest::newRow("blank in front") << "25" << 0 << " " << "25" << 0;
    QTest::newRow("leading zeros") << "" << 0 << "007" << "7" << 1;
    QTest::newRow("junk after a number") << "25" << 2 << "x" << "25" << 2;
    QTest::newRow("typing stops at four") << "" << 0 << "123456" << "1234" << 4;
}

void TstControls::intervalIsNormalisedAsItIsTyped()
{
    QFETCH(QString, start);
    QFETCH(int, caret);
    QFETCH(QString, keys);
    QFETCH(QString, result);
    QFETCH(int, caretAfter);

    IntervalBox interval;
    // Empty the box with the keyboard: it must never stay empty.
    interval.box.selectAll();
    QTest::keyClick(&interval.box, Qt::Key_Backspace);
    QCOMPARE(interval.box.text(), QStringLiteral("0"));
    if (!start.isEmpty()) {
        interval.box.setText(start);
        QCOMPARE(interval.box.text(), start);
    } else {
        interval.box.selectAll();
    }
    if (!start.isEmpty())
        interval.box.setCursorPosition(caret);
    QTest::keyClicks(&interval.box, keys);
    QCOMPARE(interval.box.text(), result);
    QCOMPARE(interval.box.cursorPosition(), caretAfter);
}

void TstControls::intervalSetByTheProgramSettlesInNormalForm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    QTest::newRow("half") << "0.5" << ".5";
    QTest::newRow("blank and number") << " 25" << "25";
    QTest::newRow("empty") << "" << "0";
    // " 9E+99" is cut to "9E+9", which reads as 9000000000 and is cut again.
    QTest::newRow("cut until it settles") << "9e99" << "9000";
    QTest::newRow("negative fraction") << "-0.5" << "-.5";
}

void TstControls::intervalSetByTheProgramSettlesInNormalForm()
{
    QFETCH(QString, text);
    QFETCH(QString, result);
    IntervalBox interval;
    interval.box.setText(text);
    QCOMPARE(interval.box.text(), result);
    QCOMPARE(AutoGeneration::normalForm(result), result);
}

void TstControls::startRunsTheTimerAtTheBoxInterval()
{
    // A locale that writes decimals with a comma still reads the box's point.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    IntervalBox interval;
    QSignalSpy ticks(&interval.timer, &GenerationTimer::tick);

    interval.box.setText(QStringLiteral("2.5"));
    interval.autoGeneration.start();
    QCOMPARE(interval.timer.interval(), 2);
    QVERIFY(interval.timer.isEnabled());
    QCOMPARE(ticks.size(), 0); // the first nick comes one interval later
    QTRY_VERIFY(ticks.size() >= 3);

    interval.box.setText(QStringLiteral("40"));
    QCOMPARE(interval.timer.interval(), 2); // the box alone changes nothing
    interval.autoGeneration.start();
    QCOMPARE(interval.timer.interval(), 40);

    interval.autoGeneration.stop();
    QVERIFY(!interval.timer.isEnabled());
    QVERIFY(!interval.timer.isTicking());
    const auto stoppedAt = ticks.size();
    QTest::qWait(100);
    QCOMPARE(ticks.size(), stoppedAt);
    QLocale::setDefault(QLocale::c());
}

void TstControls::startWithANegativeIntervalLeavesTheTimerAndSaysWhy()
{
    MessageCapture messages;
    IntervalBox interval;
    interval.autoGeneration.start();
    QCOMPARE(interval.timer.interval(), 250);

    interval.box.setText(QStringLiteral("-5"));
    QCOMPARE(interval.box.text(), QStringLiteral("-5"));
    interval.autoGeneration.start();
    QCOMPARE(interval.timer.interval(), 250);
    QVERIFY(interval.timer.isEnabled());
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown[0].style, MessageBox::Style::Information);
    QCOMPARE(messages.shown[0].text,
             QStringLiteral("Интервал не изменён: -5 мс меньше нуля. Таймер работает "
                            "дальше с прежним интервалом 250 мс. Введите число от 0 до 9999."));

    // From stopped it stays stopped.
    interval.autoGeneration.stop();
    interval.autoGeneration.start();
    QVERIFY(!interval.timer.isEnabled());
    QCOMPARE(messages.shown.size(), 2);
    QCOMPARE(messages.shown[1].text,
             QStringLiteral("Интервал не изменён: -5 мс меньше нуля. Таймер не запущен. "
                            "Введите число от 0 до 9999."));
}

void TstControls::timerRefusesOutOfRangeAndStaysSilentAtZero()
{
    GenerationTimer timer;
    QSignalSpy ticks(&timer, &GenerationTimer::tick);
    QVERIFY(timer.setInterval(0));
    timer.setEnabled(true);
    QVERIFY(timer.isEnabled());
    QVERIFY(!timer.isTicking());
    QTest::qWait(50);
    QCOMPARE(ticks.size(), 0);

    QVERIFY(!timer.setInterval(-1));
    QVERIFY(!timer.setInterval(65536));
    QCOMPARE(timer.interval(), 0);
    QVERIFY(timer.setInterval(65535));
    QVERIFY(timer.isTicking());
    QVERIFY(timer.setInterval(1));
    QTRY_VERIFY(ticks.size() > 0);
}

void TstControls::typingIntoASelectorLeavesNoItemSelected()
{
    SlotSelector selector;
    selector.addItems({QStringLiteral("Гласная"), QStringLiteral("Согласная")});
    selector.setListIndex(1);
    selector.show();
    selector.setFocus();
    QCOMPARE(selector.listIndex(), 1);

    selector.lineEdit()->selectAll();
    for (QChar c : QStringLiteral("Гласная"))
        QTest::sendKeyEvent(QTest::Click, &selector, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QCOMPARE(selector.currentText(), QStringLiteral("Гласная"));
    QCOMPARE(selector.listIndex(), -1);
    QTest::keyClick(&selector, Qt::Key_Return);
    QCOMPARE(selector.listIndex(), -1);
    QCOMPARE(selector.count(), 2); // nothing typed is added to the list
    selector.clearFocus();
    QCOMPARE(selector.listIndex(), -1);

    // Picking from the list with the keyboard selects again.
    selector.setFocus();
    QTest::keyClick(&selector, Qt::Key_Up);
    QCOMPARE(selector.listIndex(), 0);
    QCOMPARE(selector.currentText(), QStringLiteral("Гласная"));
}

QTEST_MAIN(TstControls)
#include "tst_controls.moc"
