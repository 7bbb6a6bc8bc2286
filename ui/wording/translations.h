#pragma once

#include <QLocale>
#include <QProcessEnvironment>
#include <QString>
#include <QTranslator>

// The language the windows speak, chosen from the desktop's settings as
// gettext chooses: the list of preferences in LANGUAGE, then the first of
// LC_ALL, LC_MESSAGES and LANG that is set. Russian is the program's own
// language and the one of the C and POSIX locales, where LANGUAGE counts for
// nothing. Each set of texts takes the first preference it has: the
// program's own Russian or a translation of them, else English; Qt's own
// (standard buttons, context menus) Qt's translation, else its English.
class Translations
{
public:
    explicit Translations(const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());
    // As on a desktop whose only setting is this locale.
    explicit Translations(const QLocale &locale);
    // Takes its texts out of the application again.
    ~Translations();
    Translations(const Translations &) = delete;
    Translations &operator=(const Translations &) = delete;

    // The language chosen, as a code: "ru", "en".
    QString language() const { return m_language; }
    // The language of the installed texts, "ru" before any are installed.
    static QString current();
    // A text in that language; works before the application exists.
    QString translate(const char *context, const char *source) const;
    // Makes every tr() of the application speak the language; call once the
    // application exists, before any window is made.
    void install();

private:
    QString m_language;
    QTranslator m_program;
    QTranslator m_qt;
    bool m_installed = false;
};
