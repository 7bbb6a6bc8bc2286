#include "platform/displayguard.h"
#include "ui/common/look.h"
#include "ui/main/form1.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char *argv[])
{
    DisplayGuard noDisplay; // one clear line instead of Qt's abort
    QApplication app(argc, argv);
    noDisplay.release();
    QApplication::setApplicationName(QStringLiteral("Quillmark"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLMARK_VERSION));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Quillmark"));
    Look::install(app);
    // Qt's own texts (the text boxes' context menus, standard buttons) in
    // Russian, like the rest of the windows.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);

    Form1 window;
    window.show();
    return app.exec();
}
