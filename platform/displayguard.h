#pragma once

#include <QByteArray>

// Qt meets a missing or unreachable display with advice to reinstall and an
// abort. While a DisplayGuard lives, Qt's messages are held back; if Qt gives
// up because it cannot reach the display, the program prints the line it was
// given (that no display was found) and exits with status 1; if Qt gives up for any other
// reason, its own messages are shown and the program exits with status 1.
// Once the application is made, release() hands the held messages on as they
// came.
class DisplayGuard
{
public:
    // noDisplay: the whole line, in the user's language, with its line end.
    explicit DisplayGuard(const QByteArray &noDisplay);
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard &) = delete;
    DisplayGuard &operator=(const DisplayGuard &) = delete;

    void release();
};
