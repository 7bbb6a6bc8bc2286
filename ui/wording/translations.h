#pragma once

#include <QLocale>
#include <QString>
#include <QTranslator>

// The language the windows speak. Russian is the program's own; another
// language is spoken where the user's desktop asks for it (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG) and the program has a translation for it, with Qt's own
// texts (standard buttons, context menus) in the same language. The C and
// POSIX locales, and every language without a translation, stay Russian.
class Translations
{
public:
    explicit Translations(const QLocale &locale = QLocale::system());
    // Takes its texts out of the application again.
    ~Translations();
    Translations(const Translations &) = delete;
    Translations &operator=(const Translations &) = delete;

    // The language chosen, as a code: "ru", "en".
    QString language() const { return m_language; }
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
