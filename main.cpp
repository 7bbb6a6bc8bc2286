#include "platform/displayguard.h"
#include "ui/access/accessibility.h"
#include "ui/access/application.h"
#include "ui/common/look.h"
#include "ui/main/form1.h"
#include "ui/wording/commandline.h"
#include "ui/wording/translations.h"
#include "ui/wording/wording.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    // Chosen first: even the line for a missing display is in the user's language.
    Translations translations;
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QCoreApplication::setApplicationName(QStringLiteral("Quillmark"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLMARK_VERSION));
    // --help and --version need no display.
    if (CommandLine::asksForAnswer(arguments)) {
        QCoreApplication app(argc, argv);
        translations.install();
        return CommandLine::answer(app);
    }
    if (DisplayGuard::noDisplay(arguments, QProcessEnvironment::systemEnvironment())) {
        std::fputs(
            translations.translate("Wording", Wording::NoDisplay).toLocal8Bit().append('\n').constData(),
            stderr);
        return 1;
    }
    DisplayGuard starting;
    Application app(argc, argv);
    starting.release();
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Quillmark"));
    Look::install(app);
    Accessibility::install();
    translations.install();

    Form1 window;
    window.show();
    return app.exec();
}
