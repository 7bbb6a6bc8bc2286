#pragma once

#include <QAccessible>
#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class QLineEdit;

// Sits between the program's widgets and the screen reader (Qt's update
// handler) and keeps what the reader is told to what a person can follow:
//
// - A paced box (one the program fills, like the nick and the counter) has its
//   text changes told at once when they are rare; while they come faster than
//   every PaceMs, the latest value is told once at the end of each PaceMs.
//   A timer at 1 ms would otherwise send four changes per nick and keep the
//   reader busy long after the timer stops. The screen is not paced.
// - A box's selection and caret are told only while it has the focus and
//   that focus has been told: a box taking the focus by Tab selects its text
//   before Qt tells the focus, and the reader, which reads the box with its
//   selection when the focus arrives, would read it twice; a box losing the
//   focus drops its selection, which is no news to anyone.
// - A window's activation is told by Qt's bridge alone, as the window system
//   reports it; the activation changes handed to this are dropped (see
//   handle()).
//
// Everything else passes through untouched.
class AccessiblePacing : public QObject
{
    Q_OBJECT
public:
    static constexpr int PaceMs = 250;

    static AccessiblePacing &instance();
    // Puts this in Qt's update handler's place: once, at start-up.
    void install();

    enum class Changes
    {
        AsTheyCome, // typed by the user: every change, at once
        Paced,
        // A selector's edit field: what the user types, at once; the
        // program's rewrites (an item picked, which the selector tells by
        // itself) not at all.
        Typed,
    };
    // A box inside another control (an editable selector) takes the focus
    // with it: Qt tells the focus of that control, its focus owner.
    void manage(QLineEdit *box, Changes changes, QWidget *focusOwner = nullptr);

    // Where passed events go; an empty function is the platform's bridge.
    using Sink = std::function<void(QAccessibleEvent *)>;
    void setSink(Sink sink) { m_sink = std::move(sink); }

    // What Qt's update handler does with each event; the program's own
    // widgets hand theirs here too.
    void handle(QAccessibleEvent *event);
    // Whether events go anywhere: a screen reader listens, or a test's sink.
    bool readerListens() const { return QAccessible::isActive() || m_sink; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    AccessiblePacing();
    ~AccessiblePacing() override;

    struct Box
    {
        QPointer<QLineEdit> box;
        QWidget *focusOwner = nullptr; // the box itself, or the control it is part of
        Changes changes = Changes::AsTheyCome;
        bool focusTold = false;
        bool pending = false;
        QString told; // the value the reader was last told
        QElapsedTimer toldAt;
    };
    void forward(QAccessibleEvent *event);
    void tellTextChange(Box &box, QAccessibleEvent *event);
    void tellPending();

    QHash<QObject *, Box> m_boxes;
    QTimer m_pending;
    Sink m_sink;
    QAccessible::UpdateHandler m_previous = nullptr;
};
