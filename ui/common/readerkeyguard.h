#pragma once

#include <QObject>

// Keeps a screen reader's own keys out of the windows when the reader is
// slow to claim them. With a screen reader listening, Qt 6.4's accessibility
// bridge (QSpiApplicationAdaptor) holds every key until the reader says
// whether the key is its own; when no answer has come within 100 ms (Orca
// 43 is still describing what the focus has just reached), the bridge gives
// up, says so in a warning ("QSpiApplication::keyEventError"), and hands
// all the keys it holds to the window, without any other sign a program
// could act on: the warning's text is what this listens for, and it can go
// once Qt waits for the reader's answer or lets a program tell such keys. Orca still acts on its keys when it gets to them: a late keypad
// Enter both answered Where-am-I and pressed the focused button.
//
// Of the keys handed over that way this drops Orca's own, those of its
// default (desktop) layout: the number pad's keys other than digits and the
// decimal separator (Enter, + - * /, and with Num Lock off the arrows, Home,
// End, Page Up and Down, Delete), and Insert, the Orca key. Every other late
// key goes on to the window, as the reader would have let it.
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
    ReaderKeyGuard() = default;
    static ReaderKeyGuard &instance();
    static void messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message);

    bool m_late = false; // keys being handed over after the bridge gave up
};
