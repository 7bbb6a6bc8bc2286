#include "spibridge.h"
#include "ui/common/readerkeyguard.h"

#include <QWidget>
#include <QtTest>

// A key, how long after the one before the user presses it and how long
// the user holds it, in ms.
struct Key
{
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int after = 0;
    int held = 0;
};
Q_DECLARE_METATYPE(QList<Key>)

// Keys as a window gets them through the accessibility bridge while a screen
// reader listens. CTest runs this again with each logging setting that
// silences Qt's warnings.
class TstReaderKeyGuard : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { ReaderKeyGuard::install(); }
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
    QTest::addColumn<int>("reader");
    QTest::addColumn<QList<Key>>("keys");   // clicked one after the other
    QTest::addColumn<QList<int>>("arrive"); // at the window, pressed and released
    const Key enter{Qt::Key_Enter, Qt::KeypadModifier}, insert{Qt::Key_Insert, Qt::NoModifier},
        plus{Qt::Key_Plus, Qt::KeypadModifier}, left{Qt::Key_Left, Qt::KeypadModifier},
        seven{Qt::Key_7, Qt::KeypadModifier}, space{Qt::Key_Space, Qt::NoModifier},
        a{Qt::Key_A, Qt::NoModifier};
    QTest::newRow("declined in time: all arrive")
        << int(SpiBridge::Declines) << QList<Key>{enter, insert, plus, space}
        << QList<int>{Qt::Key_Enter, Qt::Key_Insert, Qt::Key_Plus, Qt::Key_Space};
    QTest::newRow("late keypad Enter stays out")
        << int(SpiBridge::Silent) << QList<Key>{enter} << QList<int>{};
    QTest::newRow("late Insert, keypad + and arrow stay out")
        << int(SpiBridge::Silent) << QList<Key>{insert, plus, left} << QList<int>{};
    QTest::newRow("late Space, letter and keypad digit arrive")
        << int(SpiBridge::Silent) << QList<Key>{space, a, seven}
        << QList<int>{Qt::Key_Space, Qt::Key_A, Qt::Key_7};
    // Pressed 60 ms after Space, keypad Enter waited less than 100 ms itself.
    QTest::newRow("keypad Enter handed over with a late Space stays out")
        << int(SpiBridge::Silent) << QList<Key>{space, {Qt::Key_Enter, Qt::KeypadModifier, 60}, a}
        << QList<int>{Qt::Key_Space, Qt::Key_A};
    // A modifier key's override counts the key's own modifier, its key event not.
    QTest::newRow("keypad Enter handed over with a late Ctrl stays out")
        << int(SpiBridge::Silent) << QList<Key>{{Qt::Key_Control, Qt::NoModifier}, enter}
        << QList<int>{Qt::Key_Control};
    // Its release is handed over by itself, after the press's have passed.
    QTest::newRow("keypad Enter held past its handing over stays out")
        << int(SpiBridge::Silent) << QList<Key>{{Qt::Key_Enter, Qt::KeypadModifier, 0, 150}, a}
        << QList<int>{Qt::Key_A};
}

void TstReaderKeyGuard::readersKeysHandedOverLateStayOut()
{
    QFETCH(int, reader);
    QFETCH(QList<Key>, keys);
    QFETCH(QList<int>, arrive);
    KeySink window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const SpiBridge bridge{SpiBridge::Reader(reader)};
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

QTEST_MAIN(TstReaderKeyGuard)
#include "tst_readerkeyguard.moc"
