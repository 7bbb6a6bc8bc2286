#pragma once

#include <QLocale>
#include <QProcessEnvironment>
#include <QString>
#include <QTranslator>

#include <memory>

// The language the windows speak, chosen from the desktop's settings as
// gettext chooses: the list of preferences in LANGUAGE, then the first of
// LC_ALL, LC_MESSAGES and LANG that is set. Russian is the program's own
// language and the one of the C and POSIX locales, where LANGUAGE counts for
// nothing. Each set of texts takes the first preference it has: the
// program's own Russian or a translation of them, else English; Qt's own
// (standard buttons, context menus) Qt's translation, else its English.
// Key names (Ctrl, Shift, Space) are in the program's language, whatever
// language Qt's other texts are in: an English window on a German desktop
// says "Ctrl+N", not "Strg+N".
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
    // Answers Qt's names of keys (its "QShortcut" texts) alone, from Qt's
    // translation into the program's language, else in Qt's own English.
    class KeyNames : public QTranslator
    {
    public:
        explicit KeyNames(const QString &language);
        QString translate(const char *context, const char *source, const char *disambiguation,
                          int n) const override;

    private:
        QTranslator m_names;
    };

    QString m_language;
    QTranslator m_program;
    QTranslator m_qt;
    std::unique_ptr<KeyNames> m_keys;
    bool m_installed = false;
};
