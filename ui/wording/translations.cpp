#include "ui/wording/translations.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>

namespace {

const QLatin1StringView Russian("ru");
const QLatin1StringView English("en");

const Translations *installed = nullptr;

// Qt lays the windows out in the direction this text of the translations
// installed last gives, the program's own: left to right as Russian and
// English read, whatever language Qt's own texts are in (Arabic's or
// Hebrew's would turn the windows round under English texts).
//: LTR for a language read left to right, RTL for one read right to left
[[maybe_unused]] const char *const LayoutDirection = QT_TRANSLATE_NOOP("QGuiApplication", "QT_LAYOUT_DIRECTION");

QString programTexts(const QString &language)
{
    return QStringLiteral(":/i18n/quillmark_%1.qm").arg(language);
}

// "pt_BR.UTF-8@euro" names the locale pt_BR, of the language "pt".
QString localeName(const QString &setting)
{
    return setting.section(u'.', 0, 0).section(u'@', 0, 0);
}
QString languageCode(const QString &setting)
{
    return localeName(setting).section(u'_', 0, 0).toLower();
}

bool isCLocale(const QString &setting)
{
    const QString name = localeName(setting);
    return name.isEmpty() || name == QLatin1StringView("C") || name == QLatin1StringView("POSIX");
}

struct Choice
{
    QString program;      // the language of the program's texts
    QStringList qtWanted; // the locales whose Qt texts are wanted, best first
};

// Each set of texts takes the first preference it has, as each program's
// texts do under gettext: the program's own speak English when none fits.
Choice choose(const QProcessEnvironment &environment)
{
    QString messages;
    for (const char *variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        messages = environment.value(QLatin1String(variable));
        if (!messages.isEmpty())
            break;
    }
    if (isCLocale(messages))
        return {Russian, {Russian}};
    QStringList wanted = environment.value(QStringLiteral("LANGUAGE")).split(u':', Qt::SkipEmptyParts);
    wanted.append(messages);
    Choice choice;
    bool qtSettled = false;
    for (const QString &setting : std::as_const(wanted)) {
        const QString code = languageCode(setting);
        // Qt's texts are English already.
        qtSettled = qtSettled || code == English;
        if (!qtSettled)
            choice.qtWanted.append(localeName(setting));
        // Russian needs no translation of the program's texts.
        if (choice.program.isEmpty() && (code == Russian || QFile::exists(programTexts(code))))
            choice.program = code;
    }
    if (choice.program.isEmpty())
        choice.program = English;
    return choice;
}

QProcessEnvironment desktopOf(const QLocale &locale)
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("LANG"), locale.name());
    return environment;
}


QString qtFolder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

} // namespace

Translations::KeyNames::KeyNames(const QString &language)
{
    // Qt's own texts are English.
    if (language != English)
        static_cast<void>(m_names.load(QStringLiteral("qtbase_") + language, qtFolder()));
}

QString Translations::KeyNames::translate(const char *context, const char *source, const char *disambiguation,
                                          int n) const
{
    if (qstrcmp(context, "QShortcut") != 0)
        return {};
    const QString named = m_names.translate(context, source, disambiguation, n);
    return named.isEmpty() ? QString::fromUtf8(source) : named;
}

Translations::Translations(const QProcessEnvironment &environment)
{
    const Choice choice = choose(environment);
    m_language = choice.program;
    // Russian's texts are the source; its file holds only the plural forms.
    static_cast<void>(m_program.load(programTexts(m_language)));
    for (const QString &name : choice.qtWanted) {
        if (m_qt.load(QLocale(name), QStringLiteral("qtbase"), QStringLiteral("_"), qtFolder()))
            break;
    }
    m_keys = std::make_unique<KeyNames>(m_language);
}

Translations::Translations(const QLocale &locale) : Translations(desktopOf(locale)) {}

Translations::~Translations()
{
    if (installed == this)
        installed = nullptr;
    // An application that has already ended took its translations with it.
    if (!m_installed || !QCoreApplication::instance())
        return;
    QCoreApplication::removeTranslator(m_keys.get());
    QCoreApplication::removeTranslator(&m_qt);
    QCoreApplication::removeTranslator(&m_program);
}

QString Translations::current()
{
    return installed ? installed->language() : QString(Russian);
}

QString Translations::translate(const char *context, const char *source) const
{
    const QString translated = m_program.isEmpty() ? QString() : m_program.translate(context, source);
    return translated.isEmpty() ? QString::fromUtf8(source) : translated;
}

void Translations::install()
{
    if (m_installed)
        return;
    m_installed = true;
    // Counts are written as the desktop writes numbers; the C locale groups
    // no digits (Qt's would put in commas).
    QLocale numbers = QLocale::system();
    if (numbers.language() == QLocale::C)
        numbers.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(numbers);
    installed = this;
    if (!m_qt.isEmpty())
        QCoreApplication::installTranslator(&m_qt);
    if (!m_program.isEmpty())
        QCoreApplication::installTranslator(&m_program);
    // Installed last, so asked first.
    QCoreApplication::installTranslator(m_keys.get());
}
