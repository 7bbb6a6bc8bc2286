#include "applicationmain.h"
#include "spibridge.h"
#include "ui/access/readerkeyguard.h"

#include <QWidget>
#include <QtTest>

// A key, how long after the one before the user presses it and how long
// the user holds it, in ms, and how long the reader takes to decline its
// press and its release, or that it takes them (by default as the row says).
struct Key
{
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int after = 0;
    int held = 0;
    qint64 press = Unset, release = Unset;
    static constexpr qint64 Unset = -2;
};
Q_DECLARE_METATYPE(QList<Key>)

// Keys as a window gets them through the accessibility bridge while a screen
// reader listens. CTest runs this again with each logging setting that
// silences Qt's warnings.
class TstReaderKeyGuard : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Each row starts once the last one's late keys have settled.
    void init() { QTRY_VERIFY(!ReaderKeyGuard::instance().keepingOut()); }
    void readersKeysHandedOverLateStayOut_data();
    void readersKeysHandedOverLateStayOut();
};

// Records the keys its focus widget is given.
class KeySink : public QWidget
{
public:
    KeySink() { setFocusPolicy(Qt::StrongFocus); }
    QList<int> pressed, released;

protected:
    void keyPressEvent(QKeyEvent *event) override { pressed.append(event->key()); }
    void keyReleaseEvent(QKeyEvent *event) override { released.append(event->key()); }
};

void TstReaderKeyGuard::readersKeysHandedOverLateStayOut_data()
{
    QTest::addColumn<qint64>("reader");  // how long the reader takes to decline a key
    QTest::addColumn<QList<Key>>("keys");   // clicked one after the other
    QTest::addColumn<QList<int>>("arrive"); // at the window, pressed and released
    const Key enter{Qt::Key_Enter, Qt::KeypadModifier}, insert{Qt::Key_Insert, Qt::NoModifier},
        plus{Qt::Key_Plus, Qt::KeypadModifier}, left{Qt::Key_Left, Qt::KeypadModifier},
        seven{Qt::Key_7, Qt::KeypadModifier}, space{Qt::Key_Space, Qt::NoModifier},
        a{Qt::Key_A, Qt::NoModifier};
    // As when Orca holds no active window (a message box just closed): it declines
    // at once, and still its Where-am-I and its own key are never the window's.
    QTest::newRow("declined in time: all arrive but keypad Enter and Insert")
        << qint64(0) << QList<Key>{enter, insert, plus, space}
        << QList<int>{Qt::Key_Plus, Qt::Key_Space};
    QTest::newRow("late keypad Enter stays out")
        << SpiBridge::Never << QList<Key>{enter} << QList<int>{};
    QTest::newRow("late Insert, keypad + and arrow stay out")
        << SpiBridge::Never << QList<Key>{insert, plus, left} << QList<int>{};
    QTest::newRow("late Space, letter and keypad digit arrive")
        << SpiBridge::Never << QList<Key>{space, a, seven}
        << QList<int>{Qt::Key_Space, Qt::Key_A, Qt::Key_7};
    // Pressed 60 ms after Space, keypad Enter waited less than 100 ms itself.
    QTest::newRow("keypad Enter handed over with a late Space stays out")
        << SpiBridge::Never << QList<Key>{space, {Qt::Key_Enter, Qt::KeypadModifier, 60}, a}
        << QList<int>{Qt::Key_Space, Qt::Key_A};
    // A modifier key's override counts the key's own modifier, its key event not.
    QTest::newRow("keypad Enter handed over with a late Ctrl stays out")
        << SpiBridge::Never << QList<Key>{{Qt::Key_Control, Qt::NoModifier}, enter}
        << QList<int>{Qt::Key_Control};
    // Its release is handed over by itself, after the press's have passed.
    QTest::newRow("keypad + held past its handing over stays out")
        << SpiBridge::Never << QList<Key>{{Qt::Key_Plus, Qt::KeypadModifier, 0, 150}, a}
        << QList<int>{Qt::Key_A};
    // Its release declined in time once the bridge has settled: it follows its press.
    QTest::newRow("keypad + held past the settling stays out, release too")
        << qint64(0) << QList<Key>{{Qt::Key_Plus, Qt::KeypadModifier, 0, 400, 150, 0}, a}
        << QList<int>{Qt::Key_A};
    // Keys the reader took never come back; a key declined in time after
    // them arrives, and so does the same key pressed again.
    QTest::newRow("keypad + declined in time after keys the reader took arrives")
        << qint64(0) << QList<Key>{{Qt::Key_CapsLock, Qt::NoModifier, 0, 0, SpiBridge::Takes, SpiBridge::Takes},
                                   {Qt::Key_Plus, Qt::KeypadModifier, 100}, {Qt::Key_Plus, Qt::KeypadModifier, 100}}
        << QList<int>{Qt::Key_Plus, Qt::Key_Plus};
    // The bridge gave up on Tab's release with keypad Enter queued behind it.
    QTest::newRow("keypad Enter handed over with a late release stays out")
        << qint64(0) << QList<Key>{{Qt::Key_Tab, Qt::NoModifier, 0, 0, 0, 150}, {Qt::Key_Enter, Qt::KeypadModifier, 60}}
        << QList<int>{Qt::Key_Tab};
    // The bridge gave up on Tab; the answer about Tab's release, come in
    // time, hands back keypad Enter before the reader was asked about it.
    QTest::newRow("keypad Enter handed over by an answer about another key stays out")
        << qint64(0) << QList<Key>{{Qt::Key_Tab, Qt::NoModifier, 0, 50, 120, 0}, {Qt::Key_Enter, Qt::KeypadModifier, 60, 0, 20}}
        << QList<int>{Qt::Key_Tab};
}

void TstReaderKeyGuard::readersKeysHandedOverLateStayOut()
{
    QFETCH(qint64, reader);
    QFETCH(QList<Key>, keys);
    QFETCH(QList<int>, arrive);
    KeySink window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // With no reader listening the key arrives as pressed, and is not taken
    // for one the bridge holds once a reader listens a moment later.
    QTest::keyClick(window.windowHandle(), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(std::exchange(window.pressed, {}), QList<int>{Qt::Key_Enter});
    QCOMPARE(std::exchange(window.released, {}), QList<int>{Qt::Key_Enter});
    QTest::qWait(100);
    QList<qint64> answers;
    for (const Key &key : keys)
        answers << (key.press == Key::Unset ? reader : key.press) << (key.release == Key::Unset ? reader : key.release);
    const SpiBridge bridge{[&answers](const QKeyEvent &) { return answers.isEmpty() ? 0 : answers.takeFirst(); }};
    // The user's timing: QTest's own delays only stamp the events.
    for (const Key &key : keys) {
        QTest::qWait(key.after);
        QTest::keyPress(window.windowHandle(), key.key, key.modifiers);
        QTest::qWait(key.held);
        QTest::keyRelease(window.windowHandle(), key.key, key.modifiers);
    }
    // The bridge hands keys back in order: once Z is back, all are.
    QTest::keyClick(window.windowHandle(), Qt::Key_Z);
    QTRY_VERIFY(window.released.contains(Qt::Key_Z));
    window.pressed.removeAll(Qt::Key_Z);
    window.released.removeAll(Qt::Key_Z);
    QCOMPARE(window.pressed, arrive);
    QCOMPARE(window.released, arrive);
}

QUILLMARK_TEST_MAIN(TstReaderKeyGuard)
#include "tst_readerkeyguard.moc"
