#include "control/autogeneration.h"
#include "platform/generationtimer.h"
#include "ui/access/accessibility.h"
#include "ui/toolkit/textbox.h"
#include "valuepanel.h"

#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

// The interval box and the timer, on a real box and timer and with real key
// presses, without the window.
class TstControls : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Accessibility::install(); }
    void textBoxLimitCutsAssignedTextButNotTheCurrentOne();
    void intervalSettlesInNormalForm_data();
    void intervalSettlesInNormalForm();
    void startRunsTheTimerAtTheBoxInterval();
    void startWithANegativeIntervalLeavesTheTimerAndSaysWhy();
    void timerRefusesOutOfRangeAndStaysSilentAtZero();
};

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
    static_cast<QLineEdit &>(box).setText(QStringLiteral("UVWXYZ"));
    QCOMPARE(box.text(), QStringLiteral("UVWXY"));
    box.setLimit(0);
    box.assign(QStringLiteral("KLMNOPQRST"));
    QCOMPARE(box.text(), QStringLiteral("KLMNOPQRST"));
}

// The window's interval box and timer: a real box with its limit of four,
// normalised on every change as the window does it.
struct IntervalBox : ValuePanel
{
    IntervalBox() : autoGeneration(*this, timer)
    {
        QObject::connect(&box, &TextBox::textChanged, &box, [this] { autoGeneration.intervalChanged(); });
        box.setLimit(4);
        box.setText(QStringLiteral("250"));
        box.show();
        box.setFocus();
    }
    QString text(Box which) const override
    {
        return which == Box::Interval ? box.text() : ValuePanel::text(which);
    }
    void setText(Box which, const QString &text) override
    {
        which == Box::Interval ? box.assign(text) : ValuePanel::setText(which, text);
    }
    int intervalCaret() const override { return box.cursorPosition(); }
    void setIntervalCaret(int position) override { box.setCursorPosition(position); }

    TextBox box;
    GenerationTimer timer;
    AutoGeneration autoGeneration;
};

void TstControls::intervalSettlesInNormalForm_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("caretAfter");
    // start: a text the program sets, or "" to type over the whole box; keys
    // are typed at the caret, \b is Backspace, \x7f Delete, \x01 Control+A,
    // \x18 Control+X; a caretAfter of -1 is not checked.
    struct Row
    {
        const char *name, *start;
        int caret;
        const char *keys, *result;
        int caretAfter;
    };
    const Row rows[] = {
        {"typed letters give 0", "", 0, "abc", "0", 1},
        {"zero in front of 250", "250", 0, "0", "250", 0},
        {"lone minus", "", 0, "-", "0", 1},
        {"minus in front of a number", "5", 0, "-", "-5", 1},
        {"point after a number", "2", 1, ".", "2", 1},
        {"point between digits", "25", 1, ".", "2.5", 2},
        {"point in front keeps no zero", "5", 0, ".", ".5", 1},
        {"blank in front", "25", 0, " ", "25", 0},
        {"typed leading zeros", "", 0, "007", "7", 1},
        {"typed junk after a number", "25", 2, "x", "25", 2},
        {"typing stops at four", "", 0, "123456", "1234", 4},
        {"Arabic-Indic digits", "", 0, "١٢٠", "120", 3},
        {"full-width digits", "", 0, "５００", "500", 3},
        {"backspace after the point", "2.5", 3, "\b", "2", 1},
        {"backspace over the point", "2.5", 2, "\b", "25", 1},
        {"backspace leaves a lone minus", "-5", 2, "\b", "0", 1},
        {"delete the minus", "-5", 0, "\x7f", "5", 0},
        {"second minus", "-5", 0, "-", "0", 0},
        {"minus in front of a fraction", ".5", 0, "-", "-.5", 1},
        {"exponent mark inside a number", "250", 1, "e", "2000", -1}, // 2E+50, cut to 2E+5
        {"cut everything", "250", 0, "\x01\x18", "0", 1},
        {"set blank and number", " 25", 0, "", "25", -1},
        {"set negative", "-5", 0, "", "-5", -1},
        {"set half", "0.5", 0, "", ".5", -1},
        {"set, cut until it settles", "9e99", 0, "", "9000", -1}, // 9E+99, cut to 9E+9, then 9000000000
    };
    for (const Row &row : rows)
        QTest::newRow(row.name) << row.start << row.caret << row.keys << row.result << row.caretAfter;
}

void TstControls::intervalSettlesInNormalForm()
{
    QFETCH(QString, start);
    QFETCH(int, caret);
    QFETCH(QString, keys);
    QFETCH(int, caretAfter);

    IntervalBox interval;
    // Empty the box with the keyboard: it must never stay empty.
    interval.box.selectAll();
    QTest::keyClick(&interval.box, Qt::Key_Backspace);
    QCOMPARE(interval.box.text(), QStringLiteral("0"));
    interval.box.selectAll();
    if (!start.isEmpty()) {
        interval.box.setText(start);
        interval.box.setCursorPosition(caret);
    }
    for (QChar c : keys) {
        if (c == u'\x01' || c == u'\x18')
            QTest::keyClick(&interval.box, c == u'\x01' ? Qt::Key_A : Qt::Key_X, Qt::ControlModifier);
        else if (c == u'\b' || c == u'\x7f')
            QTest::keyClick(&interval.box, c == u'\b' ? Qt::Key_Backspace : Qt::Key_Delete);
        else if (c.unicode() > 0x7f) // keyClicks() passes Latin-1 alone
            QTest::sendKeyEvent(QTest::Click, &interval.box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        else
            QTest::keyClicks(&interval.box, QString(c));
    }
    QTEST(interval.box.text(), "result");
    if (caretAfter >= 0)
        QCOMPARE(interval.box.cursorPosition(), caretAfter);
}

void TstControls::startRunsTheTimerAtTheBoxInterval()
{
    // A locale that writes decimals with a comma still reads the box's point.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const auto restoreLocale = qScopeGuard([] { QLocale::setDefault(QLocale::c()); });
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
}

void TstControls::startWithANegativeIntervalLeavesTheTimerAndSaysWhy()
{
    IntervalBox interval;
    interval.autoGeneration.start();
    QCOMPARE(interval.timer.interval(), 250);

    interval.box.setText(QStringLiteral("-5"));
    QCOMPARE(interval.box.text(), QStringLiteral("-5"));
    interval.autoGeneration.start();
    QCOMPARE(interval.timer.interval(), 250);
    QVERIFY(interval.timer.isEnabled());
    QCOMPARE(interval.refusals,
             QStringList{QStringLiteral("Ошибка!!!|Интервал не изменён: -5 мс меньше нуля. Таймер работает "
                                        "дальше с прежним интервалом 250 мс. Введите число от 0 до 9999.")});

    // From stopped it stays stopped.
    interval.autoGeneration.stop();
    interval.autoGeneration.start();
    QVERIFY(!interval.timer.isEnabled());
    QCOMPARE(interval.refusals.size(), 2);
    QCOMPARE(interval.refusals[1],
             QStringLiteral("Ошибка!!!|Интервал не изменён: -5 мс меньше нуля. Таймер не запущен. "
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

QTEST_MAIN(TstControls)
#include "tst_controls.moc"
