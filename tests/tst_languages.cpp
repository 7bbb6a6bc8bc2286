// The language the windows speak, for the settings desktops really have:
// the program's texts and Qt's own follow the user's preferences, each as far
// as it has them.
#include "ui/wording/translations.h"
#include "ui/wording/wording.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeySequence>
#include <QTest>

using namespace Qt::StringLiterals;

class TstLanguages : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void chosenFromTheDesktopsSettings_data();
    void chosenFromTheDesktopsSettings();
    void countsTakeTheirPluralForm_data();
    void countsTakeTheirPluralForm();
};

void TstLanguages::chosenFromTheDesktopsSettings_data()
{
    // The variables as "NAME=value ..."; what the program says for the length
    // buttons' refusal title, and Qt's own "Close" button.
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("close");
    const QString ru = u"ru"_s, en = u"en"_s, russian = u"Ошибка!!!"_s, english = u"Error!!!"_s;
    QTest::newRow("nothing set") << QString() << ru << russian << u"Закрыть"_s;
    QTest::newRow("C") << u"LANG=C"_s << ru << russian << u"Закрыть"_s;
    QTest::newRow("POSIX") << u"LANG=POSIX"_s << ru << russian << u"Закрыть"_s;
    QTest::newRow("C.UTF-8") << u"LC_ALL=C.UTF-8"_s << ru << russian << u"Закрыть"_s;
    QTest::newRow("C ignores LANGUAGE") << u"LANG=C LANGUAGE=en"_s << ru << russian << u"Закрыть"_s;
    QTest::newRow("C.UTF-8 ignores LANGUAGE")
        << u"LC_ALL=C.UTF-8 LANGUAGE=fr"_s << ru << russian << u"Закрыть"_s;
    QTest::newRow("messages in C") << u"LC_MESSAGES=C LANG=en_US.UTF-8"_s << ru << russian << u"Закрыть"_s;
    QTest::newRow("Russian") << u"LANG=ru_RU.UTF-8"_s << ru << russian << u"Закрыть"_s;
    QTest::newRow("Russian, no territory") << u"LANG=ru"_s << ru << russian << u"Закрыть"_s;
    QTest::newRow("Russian in Ukraine") << u"LANG=ru_UA.UTF-8"_s << ru << russian << u"Закрыть"_s;
    QTest::newRow("Russian, then English")
        << u"LANG=ru_RU.UTF-8 LANGUAGE=ru:en"_s << ru << russian << u"Закрыть"_s;
    QTest::newRow("LANGUAGE Russian") << u"LANGUAGE=ru LANG=en_US.UTF-8"_s << ru << russian << u"Закрыть"_s;
    QTest::newRow("LC_ALL over LANG")
        << u"LANG=en_US.UTF-8 LC_ALL=ru_RU.UTF-8"_s << ru << russian << u"Закрыть"_s;
    QTest::newRow("US English") << u"LANG=en_US.UTF-8"_s << en << english << u"Close"_s;
    QTest::newRow("British English") << u"LANG=en_GB.UTF-8"_s << en << english << u"Close"_s;
    QTest::newRow("LC_MESSAGES over LANG")
        << u"LANG=ru_RU.UTF-8 LC_MESSAGES=en_US.UTF-8"_s << en << english << u"Close"_s;
    QTest::newRow("LC_ALL over LC_MESSAGES")
        << u"LC_ALL=de_DE.UTF-8 LC_MESSAGES=ru_RU.UTF-8"_s << en << english << u"Schließen"_s;
    QTest::newRow("an empty LC_ALL is unset")
        << u"LC_ALL= LANG=fr_FR.UTF-8"_s << en << english << u"Fermer"_s;
    QTest::newRow("German") << u"LANG=de_DE.UTF-8"_s << en << english << u"Schließen"_s;
    QTest::newRow("German, old style") << u"LANG=de_DE.ISO-8859-15@euro"_s << en << english << u"Schließen"_s;
    QTest::newRow("French") << u"LANG=fr_FR.UTF-8"_s << en << english << u"Fermer"_s;
    QTest::newRow("Spanish") << u"LANG=es_ES.UTF-8"_s << en << english << u"Cerrar"_s;
    QTest::newRow("Brazilian") << u"LANG=pt_BR.UTF-8"_s << en << english << u"Fechar"_s;
    QTest::newRow("Portuguese, which Qt lacks") << u"LANG=pt_PT.UTF-8"_s << en << english << u"Close"_s;
    QTest::newRow("simplified Chinese") << u"LANG=zh_CN.UTF-8"_s << en << english << u"关闭"_s;
    QTest::newRow("traditional Chinese") << u"LANG=zh_TW.UTF-8"_s << en << english << u"關閉"_s;
    QTest::newRow("Ukrainian") << u"LANG=uk_UA.UTF-8"_s << en << english << u"Закрити"_s;
    QTest::newRow("Japanese") << u"LANG=ja_JP.UTF-8"_s << en << english << u"閉じる"_s;
    QTest::newRow("Arabic, read right to left") << u"LANG=ar_EG.UTF-8"_s << en << english << u"\u0623\u063A\u0644\u0642"_s;
    QTest::newRow("Hebrew, read right to left") << u"LANG=he_IL.UTF-8"_s << en << english << u"סגור"_s;
    QTest::newRow("Serbian Latin, which Qt lacks") << u"LANG=sr_RS@latin"_s << en << english << u"Close"_s;
    QTest::newRow("French first, then English")
        << u"LANGUAGE=fr LANG=en_US.UTF-8"_s << en << english << u"Fermer"_s;
    QTest::newRow("French, English") << u"LANGUAGE=fr:en LANG=fr_FR.UTF-8"_s << en << english << u"Fermer"_s;
    QTest::newRow("gettext's English with quotes")
        << u"LANGUAGE=en@quot LANG=ru_RU.UTF-8"_s << en << english << u"Close"_s;
    QTest::newRow("English before German")
        << u"LANGUAGE=en:de LANG=de_DE.UTF-8"_s << en << english << u"Close"_s;
    QTest::newRow("Ukrainian, then Russian")
        << u"LANGUAGE=uk:ru LANG=uk_UA.UTF-8"_s << ru << russian << u"Закрити"_s;
    QTest::newRow("empty preferences skipped")
        << u"LANGUAGE=:it: LANG=en_US.UTF-8"_s << en << english << u"Chiudi"_s;
    QTest::newRow("unknown preference skipped")
        << u"LANGUAGE=xx:es LANG=en_US.UTF-8"_s << en << english << u"Cerrar"_s;
    QTest::newRow("Brazilian preferences")
        << u"LANGUAGE=pt_BR:pt LANG=pt_BR.UTF-8"_s << en << english << u"Fechar"_s;
}

void TstLanguages::chosenFromTheDesktopsSettings()
{
    QFETCH(QString, settings);
    QProcessEnvironment environment;
    for (const QString &setting : settings.split(u' ', Qt::SkipEmptyParts))
        environment.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
    Translations translations(environment);
    translations.install();
    QTEST(Wording::language(), "language");
    QTEST(Wording::refusal({GeneratorView::Refusal::Kind::ShorterThanMin}).title, "title");
    QTEST(QCoreApplication::translate("QPlatformTheme", "Close"), "close");
    // The windows run as the program's texts read, whatever Qt's texts are in.
    QCoreApplication::sendPostedEvents();
    QCOMPARE(QGuiApplication::layoutDirection(), Qt::LeftToRight);
    // Counts as the desktop writes numbers: the tests' C locale groups no digits.
    QCOMPARE(QLocale().toString(12345678), u"12345678"_s);
    // Keys are named in the windows' language, whatever Qt's other texts are
    // in (German's would be "Strg+Umschalt+Leertaste").
    QFETCH(QString, language);
    QCOMPARE(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Space).toString(QKeySequence::NativeText),
             language == u"ru"_s ? u"Ctrl+Shift+Пробел"_s : u"Ctrl+Shift+Space"_s);
}

void TstLanguages::countsTakeTheirPluralForm_data()
{
    // What a screen reader is told when the timer stops with this many
    // entries listed, or when that many are brought back.
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("stopped");
    QTest::addColumn<QString>("broughtBack");
    QTest::newRow("ru 1") << u"ru_RU.UTF-8"_s << u"1"_s << u"таймер остановлен, в списке 1 запись"_s
                          << u"список возвращён, в нём 1 запись"_s;
    QTest::newRow("ru 3") << u"ru_RU.UTF-8"_s << u"3"_s << u"таймер остановлен, в списке 3 записи"_s
                          << u"список возвращён, в нём 3 записи"_s;
    QTest::newRow("ru 5") << u"ru_RU.UTF-8"_s << u"5"_s << u"таймер остановлен, в списке 5 записей"_s
                          << u"список возвращён, в нём 5 записей"_s;
    QTest::newRow("ru 11") << u"C.UTF-8"_s << u"11"_s << u"таймер остановлен, в списке 11 записей"_s
                           << u"список возвращён, в нём 11 записей"_s;
    QTest::newRow("ru 21") << u"C.UTF-8"_s << u"21"_s << u"таймер остановлен, в списке 21 запись"_s
                           << u"список возвращён, в нём 21 запись"_s;
    QTest::newRow("ru 112") << u"C.UTF-8"_s << u"112"_s << u"таймер остановлен, в списке 112 записей"_s
                            << u"список возвращён, в нём 112 записей"_s;
    QTest::newRow("ru past int") << u"C.UTF-8"_s << u"4294967301"_s
                                 << u"таймер остановлен, в списке 4294967301 запись"_s
                                 << u"список возвращён, в нём 4294967301 запись"_s;
    QTest::newRow("en 0") << u"en_US.UTF-8"_s << u"0"_s << u"timer stopped, 0 entries in the list"_s
                          << u"list brought back, 0 entries"_s;
    QTest::newRow("en 1") << u"en_GB.UTF-8"_s << u"1"_s << u"timer stopped, 1 entry in the list"_s
                          << u"list brought back, 1 entry"_s;
    QTest::newRow("en 21") << u"en_US.UTF-8"_s << u"21"_s << u"timer stopped, 21 entries in the list"_s
                           << u"list brought back, 21 entries"_s;
    QTest::newRow("en past int") << u"de_DE.UTF-8"_s << u"4294967297"_s
                                 << u"timer stopped, 4294967297 entries in the list"_s
                                 << u"list brought back, 4294967297 entries"_s;
}

void TstLanguages::countsTakeTheirPluralForm()
{
    QFETCH(QString, language);
    QFETCH(QString, count);
    QProcessEnvironment environment;
    environment.insert(u"LANG"_s, language);
    Translations translations(environment);
    translations.install();
    QTEST(Wording::timerStopped(count), "stopped");
    QTEST(Wording::listBroughtBack(count), "broughtBack");
}

QTEST_MAIN(TstLanguages)
#include "tst_languages.moc"
