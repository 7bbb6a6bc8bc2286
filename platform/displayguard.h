#pragma once

#include <QProcessEnvironment>
#include <QStringList>

// Qt meets a missing or unreachable display with advice to reinstall and an
// abort, and some logging settings silence what it says of the display. So
// the program asks before Qt starts, from the facts Qt goes by: the platform
// it will start on and whether that platform's display server answers.
class DisplayGuard
{
public:
    // True when every platform Qt would try is a display server (X11,
    // Wayland) and none of them can be reached: those named by the -platform
    // argument, else by QT_QPA_PLATFORM, else X11 and Wayland as the session
    // offers them. Any other platform (offscreen, vnc, a name Qt does not
    // know) is Qt's to start or to refuse, as is a display on another host.
    static bool noDisplay(const QStringList &arguments, const QProcessEnvironment &environment);

    // From here to release(), Qt giving up on its start ends the program
    // with status 1, after Qt's own messages, rather than with an abort.
    DisplayGuard();
    ~DisplayGuard() { release(); }
    DisplayGuard(const DisplayGuard &) = delete;
    DisplayGuard &operator=(const DisplayGuard &) = delete;
    void release();

private:
    bool m_active = true;
};
