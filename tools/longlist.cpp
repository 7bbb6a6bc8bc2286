// The main window as the program starts it, its list already holding as many
// nicks as the argument says, each counted: the screen-reader test and
// benchmark need a long list, and the timer takes a millisecond a nick
// (100 000 in two minutes, 10 million in three hours). The nicks go in
// through the list box's own append, as the timer's do. A line "held" on
// its standard input prints how many of the list's entry interfaces are
// held for screen readers.
//   quillmark-longlist <entries>
#include "core/nicklist.h"
#include "ui/access/accessibility.h"
#include "ui/access/application.h"
#include "ui/common/look.h"
#include "ui/access/nicklistaccessible.h"
#include "ui/list/nicklistbox.h"
#include "ui/main/form1.h"
#include "ui/toolkit/textbox.h"
#include "ui/wording/translations.h"

#include <QSocketNotifier>

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmark"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Quillmark"));
    Look::install(app);
    Accessibility::install();
    // In the language the environment asks for, as the program itself.
    Translations translations;
    translations.install();

    Form1 window;
    const qsizetype entries = argc > 1 ? QByteArray(argv[1]).toLongLong() : 0;
    auto *list = window.findChild<NickListBox *>(QStringLiteral("List"));
    char16_t nick[6];
    for (qsizetype i = 0; i < entries; ++i) {
        // Six capitals that change from entry to entry, as generated ones do.
        for (qsizetype k = 0, n = i; k < 6; ++k, n /= 26)
            nick[k] = char16_t(u'A' + n % 26);
        list->model()->append(QStringView(nick, 6));
    }
    window.findChild<TextBox *>(QStringLiteral("Text4"))->assign(QString::number(entries));
    window.show();

    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&input, list] {
        std::string line;
        if (!std::getline(std::cin, line)) {
            input.setEnabled(false);
            return;
        }
        const NickListAccessible *accessible = NickListAccessible::of(list);
        std::printf("held %d\n", accessible ? accessible->heldEntries() : 0);
        std::fflush(stdout);
    });
    return app.exec();
}
