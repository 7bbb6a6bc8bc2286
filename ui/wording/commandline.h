#pragma once

#include <QCoreApplication>
#include <QStringList>

// The command line the program answers without a window: --help and
// --version (and Qt's --help-all), printed as QCommandLineParser prints them.
// Any other command line, unknown options too, starts the window.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    // Whether the arguments (the program's name first) ask only for an answer.
    static bool asksForAnswer(const QStringList &arguments);
    // Prints the usage or the version in the installed language and exits
    // with status 0; call with the application object made and named.
    static int answer(const QCoreApplication &application);
};
