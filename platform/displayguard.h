#pragma once

// Qt meets a missing or unreachable display with advice to reinstall and an
// abort. While a DisplayGuard lives, Qt's messages are held back; if Qt gives
// up because it cannot reach the display, the program says in one line that
// no display was found and exits with status 1; if Qt gives up for any other
// reason, its own messages are shown and the program exits with status 1.
// Once the application is made, release() hands the held messages on as they
// came.
class DisplayGuard
{
public:
    DisplayGuard();
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard &) = delete;
    DisplayGuard &operator=(const DisplayGuard &) = delete;

    void release();
};
