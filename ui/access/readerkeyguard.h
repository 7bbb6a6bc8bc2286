#pragma once

#include <QElapsedTimer>
#include <QEvent>
#include <QList>
#include <QObject>
#include <QTimer>

class QKeyEvent;

// Keeps a screen reader's own keys out of the windows when the reader is
// slow to claim them. With a screen reader listening, Qt's accessibility
// bridge (qspiapplicationadaptor.cpp, read in Qt 6.4) takes every key press
// and release the window system delivers, asks the reader over D-Bus
// whether it is its own, and queues a copy. Each answer hands back the
// oldest copy held, whichever key it was asked about; an answer that does
// not come within 100 ms makes the bridge hand back every copy it holds at
// once. Orca 43, busy describing what the focus has just reached, misses
// the 100 ms and still acts on its keys when it gets to them: a late keypad
// Enter both answered Where-am-I and pressed the focused button. And once
// copies went back unanswered, the answers still to come for them hand
// back the next keys before the reader has looked at them.
//
// Nothing but a warning tells a program that the bridge gave up, and a
// warning can be filtered away or reworded, so this goes by what it sees
// itself: the keys as the window system delivers them (Application shows
// them here before the bridge takes them) and the copies that come back.
// A copy that comes back as late as the bridge's wait tells that the
// bridge gave up; from then until the answers to everything it held have
// had time to come, and their copies to pass, the reader's own keys are
// kept out: those of Orca's default (desktop) layout, the number pad's keys
// other than digits and the decimal separator (Enter, + - * /, and with Num
// Lock off the arrows, Home, End, Page Up and Down, Delete), and Insert,
// the Orca key. Every other key goes on to the window, as the reader would
// have let it. Keypad Enter and Insert never reach a window while a reader
// listens, however quickly it declined them.
class ReaderKeyGuard : public QObject
{
    Q_OBJECT
public:
    static ReaderKeyGuard &instance();

    // Once, before the first window takes keys.
    void install();
    // Every event, before any event filter sees it.
    void observe(QObject *receiver, QEvent *event);
    // Whether the reader's own keys are being kept out just now.
    bool keepingOut() const { return m_late; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void customEvent(QEvent *event) override;

private:
    struct Delivered
    {
        QEvent::Type type;
        int key;
        QElapsedTimer since;
    };

    ReaderKeyGuard();
    bool cameLate(const QKeyEvent &copy);
    bool keepsOut(const QKeyEvent &copy);

    QList<Delivered> m_held; // keys the bridge took and has not handed back, oldest first
    QList<int> m_keptOut;    // reader's keys whose press was kept out, until their release
    bool m_late = false;     // the bridge gave up and may still be handing keys back unasked
    QTimer m_settling;       // until the answers it still waited for have come
};
