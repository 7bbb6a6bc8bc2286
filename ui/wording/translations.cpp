#include "ui/wording/translations.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>

namespace {

const QLatin1StringView Russian("ru");

QString programTexts(const QString &language)
{
    return QStringLiteral(":/i18n/quillmark_%1.qm").arg(language);
}

// The first of the user's languages the program speaks. Russian needs no
// translation, so it ends the search as soon as it comes.
QString chooseLanguage(const QLocale &locale)
{
    // Qt answers LANGUAGE even in the C locale, which gettext ignores there.
    if (locale.language() == QLocale::C)
        return Russian;
    for (const QString &name : locale.uiLanguages()) {
        const QLocale::Language language = QLocale(name).language();
        if (language == QLocale::Russian)
            return Russian;
        const QString code = QLocale::languageToCode(language);
        if (QFile::exists(programTexts(code)))
            return code;
    }
    return Russian;
}

} // namespace

Translations::Translations(const QLocale &locale) : m_language(chooseLanguage(locale))
{
    if (m_language != Russian && !m_program.load(programTexts(m_language)))
        m_language = Russian;
    // Qt's own texts are English; other languages take Qt's translation,
    // where there is one (Debian's qt6-translations-l10n).
    if (m_language != QLatin1StringView("en"))
        static_cast<void>(m_qt.load(QStringLiteral("qtbase_") + m_language,
                                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
}

Translations::~Translations()
{
    if (!m_installed)
        return;
    QCoreApplication::removeTranslator(&m_qt);
    QCoreApplication::removeTranslator(&m_program);
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
    if (!m_qt.isEmpty())
        QCoreApplication::installTranslator(&m_qt);
    if (!m_program.isEmpty())
        QCoreApplication::installTranslator(&m_program);
}
