#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>

class QKeyEvent;

// Keeps a screen reader's own keys out of the windows when the reader is
// slow to claim them. With a screen reader listening, Qt's accessibility
// bridge (qspiapplicationadaptor.cpp, read in Qt 6.4) takes every key the
// window system delivers, asks the reader over D-Bus whether the key is its
// own, and posts a copy of the key to the window when the reader says no, or
// when no answer has come within 100 ms; in that case it posts every key it
// still holds at once. Orca 43, busy describing what the focus has just
// reached, misses the 100 ms and still acts on its keys when it gets to them:
// a late keypad Enter both answered Where-am-I and pressed the focused button.
//
// Nothing but a warning tells a program that the bridge gave up, and a
// warning can be filtered away or reworded, so this goes by what it sees
// itself: every key press is announced to the window as a shortcut override
// before the key itself, which the bridge lets pass; a copy is a key that
// reaches the window posted rather than from the window system. A copy that
// comes as late as the bridge's wait after its override was handed over
// late, and so are the copies posted with it. Of such keys this drops the reader's own, those
// of Orca's default (desktop) layout: the number pad's keys other than digits
// and the decimal separator (Enter, + - * /, and with Num Lock off the
// arrows, Home, End, Page Up and Down, Delete), and Insert, the Orca key.
// Every other key goes on to the window, as the reader would have let it.
class ReaderKeyGuard : public QObject
{
    Q_OBJECT
public:
    // Once, before the first window takes keys.
    static void install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void customEvent(QEvent *event) override;

private:
    struct Press
    {
        int key;
        QElapsedTimer since;
    };

    ReaderKeyGuard() = default;
    static ReaderKeyGuard &instance();
    void remember(const QKeyEvent &override);
    bool cameLate(const QKeyEvent &copy);
    bool keepsOut(const QKeyEvent &copy);

    QList<Press> m_presses; // overrides seen whose key has not come back, oldest first
    QList<int> m_keptOut;   // reader's keys whose press was kept out, until their release
    bool m_late = false;    // copies being handed over after the bridge gave up
};
