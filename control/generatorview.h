#pragma once

#include <QString>

// The interface through which the generate, length, timer and erase actions
// see the main window: the texts of its four boxes, the selectors' list
// indices and its refusals, which the window words. The nicks themselves are
// in a NickList, which the actions are given beside it. The
// window's controller implements it on the controls; tests of the actions
// implement it on plain values.
class GeneratorView
{
public:
    enum class Box
    {
        Length,   // Text1
        Interval, // Text2
        Nick,     // Text3
        Counter,  // Text4
    };

    virtual ~GeneratorView() = default;

    virtual QString text(Box box) const = 0;
    // Sets a box's text as the box's own setter does: cut to the box's
    // limit, and nothing at all when the box holds that text already.
    virtual void setText(Box box, const QString &text) = 0;
    // The most characters the nick box keeps; 0 means no limit.
    virtual void setNickLimit(int limit) = 0;
    // The interval box's caret, as a character position.
    virtual int intervalCaret() const = 0;
    virtual void setIntervalCaret(int position) = 0;

    // The list index of slot 1 .. 10's selector, -1 when none is selected.
    virtual int listIndex(int slot) const = 0;

    // A request the actions refuse, told to the user by the window, who
    // dismisses it before the action goes on.
    struct Refusal
    {
        enum class Kind
        {
            LongerThanMax,  // the length is at its upper bound already
            ShorterThanMin, // the length is at its lower bound already
            NegativeInterval,
        };
        Kind kind;
        // NegativeInterval: the interval asked for, and the timer as it
        // stays: running at its interval, or not running.
        qint64 interval = 0;
        bool timerRunning = false;
        qint64 timerInterval = 0;
    };
    virtual void refuse(const Refusal &refusal) = 0;

protected:
    GeneratorView() = default;
    GeneratorView(const GeneratorView &) = default;
    GeneratorView &operator=(const GeneratorView &) = default;
};
