#include "core/nicklist.h"
#include "messagecapture.h"
#include "platform/save/filesave.h"
#include "savefixtures.h"
#include "ui/access/accessibility.h"
#include "ui/access/announcer.h"
#include "ui/access/application.h"
#include "ui/common/look.h"
#include "ui/list/nicklistbox.h"
#include "ui/main/form1.h"
#include "ui/wording/translations.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

// Save clicked in the window, for what the user reads: the folders gone or
// read-only between two saves, Cancel beside the timer, and the folders
// the program finds itself when started from one of them. After each,
// NIK.log is either the old file whole or the new one whole, no stray file
// is left beside it, the list is untouched, and the window tells what
// happened. Each system call's faults are tested at the seam (tst_logfile).
class TstSaveFaults : public QObject, SaveFolders
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        Look::install(*qApp);
        m_windowNice = ::getpriority(PRIO_PROCESS, 0);
    }
    void init();
    void cleanup();
    void changeBetweenTwoSaves_data();
    void changeBetweenTwoSaves();
    void savesWhereTheProgramFindsItsFolders_data();
    void savesWhereTheProgramFindsItsFolders();
    void saveRunsBesideTheTimer_data();
    void saveRunsBesideTheTimer();

private:
    void fillList(const QStringList &nicks)
    {
        for (const QString &nick : nicks)
            m_list->model()->append(nick);
        m_listed += nicks;
    }
    void clickSave() { QVERIFY(clickSaveAndWait(*m_form)); }
    // NIK.log holds `expected`, nothing else lies in its folder, and the list
    // still holds what it held.
    void checkOnlyTheLogHolds(const QString &folder, const QByteArray &expected)
    {
        const QString log = QDir(folder).filePath(QStringLiteral("NIK.log"));
        QCOMPARE(readAll(log), expected);
        const QStringList left =
            QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        QCOMPARE(left, expected == "<missing>" ? QStringList() : QStringList{QStringLiteral("NIK.log")});
        QCOMPARE(m_list->count(), m_listed.size());
        for (qsizetype i = 0; i < m_listed.size(); ++i)
            QCOMPARE(m_list->item(i), m_listed[i]);
    }

    std::unique_ptr<Translations> m_translations;
    std::unique_ptr<Form1> m_form;
    std::unique_ptr<MessageCapture> m_messages;
    NickListBox *m_list = nullptr;
    QStringList m_listed;
    int m_windowNice = 0; // before any save
};

namespace {

const QByteArray OldFile = "PREVIOUS\r\nFILE\r\n";

// What the window told of its last save: the message it showed, "style|title|text"
// (48 a warning, 64 information), or else what a screen reader heard.
QString toldOf(const Form1 &form, const MessageCapture &messages)
{
    if (messages.shown.isEmpty())
        return form.findChild<Announcer *>()->message();
    const ShownMessage &shown = messages.shown.last();
    return QString::number(int(shown.style)) + u'|' + shown.title + u'|' + shown.text;
}

} // namespace

void TstSaveFaults::init()
{
    QVERIFY(makeFolders());
    m_messages = std::make_unique<MessageCapture>();
    // A row named "en: …" meets the window on an English desktop.
    m_translations = std::make_unique<Translations>(
        QLocale(QByteArray(QTest::currentDataTag()).startsWith("en:") ? QLocale::English : QLocale::C));
    m_translations->install();
    m_form = std::make_unique<Form1>();
    m_form->setLogFolders(m_programFolder, m_fallbackFolder);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    m_list = m_form->findChild<NickListBox *>(QStringLiteral("List"));
    QVERIFY(m_list);
    m_listed.clear();
}

void TstSaveFaults::cleanup()
{
    m_form.reset();
    m_translations.reset();
    m_messages.reset();
    m_dir.reset();
}

void TstSaveFaults::changeBetweenTwoSaves_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("told"); // title|text; %1 the program folder, %2 the documents folder
    QTest::addColumn<QByteArray>("programLog");
    QTest::addColumn<QByteArray>("documentsLog");
    // clang-format off
    QTest::newRow("both folders gone: told both")
        << u"program folder gone, documents too"_s << u"Ошибка сохранения|В папку программы нельзя записывать (папка не найдена: %1), и в запасную папку сохранить тоже не удалось:\n%2/NIK.log\n\nПричина: папка не найдена\n\nСписок не тронут."_s
        << QByteArray("<missing>") << QByteArray("<missing>");
    QTest::newRow("the program folder gone, an earlier file in documents: told it was replaced")
        << u"program folder gone, documents hold one"_s << u"Сохранение|В папку программы нельзя записывать (папка не найдена: %1), поэтому список сохранён в файл\n%2/NIK.log\n\nПрежний файл NIK.log в этой папке заменён новым."_s
        << QByteArray("<missing>") << QByteArray("AB\r\nCD\r\n");
    QTest::newRow("the program folder on a read-only disk: documents, told")
        << u"read-only disk"_s << u"Сохранение|В папку программы нельзя записывать (диск или папка доступны только для чтения: %1), поэтому список сохранён в файл\n%2/NIK.log"_s
        << QByteArray("<missing>") << QByteArray("AB\r\nCD\r\n");
    QTest::newRow("the program folder gone and no home: told")
        << u"program folder gone, no home"_s << u"Ошибка сохранения|В папку программы нельзя записывать, а другого места для сохранения нет: домашняя папка не найдена.\n%1/NIK.log\n\nПричина: папка не найдена\n\nСписок не тронут."_s
        << QByteArray("<missing>") << QByteArray("<missing>");
    QTest::newRow("en: the program folder gone, an earlier file in documents: told it was replaced")
        << u"program folder gone, documents hold one"_s << u"Save|The program's folder cannot be written to (the folder was not found: %1), so the list was saved to the file\n%2/NIK.log\n\nThe previous file NIK.log in this folder has been replaced by the new one."_s
        << QByteArray("<missing>") << QByteArray("AB\r\nCD\r\n");
    QTest::newRow("en: both folders gone: told both")
        << u"program folder gone, documents too"_s << u"Save error|The program's folder cannot be written to (the folder was not found: %1), and saving into the fallback folder failed too:\n%2/NIK.log\n\nReason: the folder was not found\n\nThe list in the window is unchanged."_s
        << QByteArray("<missing>") << QByteArray("<missing>");
    // clang-format on
}

void TstSaveFaults::changeBetweenTwoSaves()
{
    QFETCH(QString, change);
    QFETCH(QString, told);
    fillList({u"AB"_s});
    clickSave();
    const QByteArray folder = QFile::encodeName(m_programFolder);
    const auto unmount = qScopeGuard([&] {
        if (change == u"read-only disk")
            ::umount2(folder.constData(), MNT_DETACH);
    });
    if (change.startsWith(u"program folder gone"))
        QVERIFY(QDir(m_programFolder).removeRecursively());
    else if (::mount("tmpfs", folder.constData(), "tmpfs", MS_RDONLY, "size=64k") != 0)
        QSKIP("mounting a read-only disk needs root where mounting is allowed");
    if (change.endsWith(u"documents hold one"))
        QVERIFY(writeFile(m_fallbackFolder + u"/NIK.log"_s, "EARLIER\r\n"));
    if (change.endsWith(u"documents too"))
        QVERIFY(QDir(m_fallbackFolder).removeRecursively());
    if (change.endsWith(u"no home"))
        m_form->setLogFolders(m_programFolder, QString());
    fillList({u"CD"_s});
    clickSave();
    QCOMPARE(m_messages->shown.size(), 1);
    const ShownMessage &shown = m_messages->shown[0];
    QCOMPARE(shown.title + u'|' + shown.text, told.arg(m_programFolder, m_fallbackFolder));
    // Information where saved, a warning of a failure.
    QCOMPARE(int(shown.style), told.startsWith(u"Сохранение") || told.startsWith(u"Save|") ? 64 : 48);
    QFETCH(QByteArray, programLog);
    QFETCH(QByteArray, documentsLog);
    QCOMPARE(readAll(m_fallbackFolder + u"/NIK.log"_s), documentsLog);
    checkOnlyTheLogHolds(programLog == "<missing>" ? m_fallbackFolder : m_programFolder,
                         programLog == "<missing>" ? documentsLog : programLog);
}

void TstSaveFaults::savesWhereTheProgramFindsItsFolders_data()
{
    // What the environment says, "@" the test's folder: HOME there (a
    // Documents folder in "home", none in "bare", a "Дом" in CP1251 whose
    // user-dirs.dirs names "Документы", an empty "Мой" in UTF-8 then "Дом" in
    // CP1251, a file "file"), or as the system may give it, empty or relative;
    // then, as for env, what the program is started through.
    QTest::addColumn<QByteArrayList>("environment");
    QTest::addColumn<bool>("refused"); // the program's folder takes no new file, as an installed one
    // The folder that gets NIK.log, "@" the test's; none: nothing is written. %1 in what the window told:
    // the test's folder.
    QTest::addColumn<QByteArray>("saved");
    QTest::addColumn<QString>("told");
    const QByteArray program = "@/\xcf\xf0\xee\xe3\xf0\xe0\xec\xec\xe0"; // "Программа" in CP1251
    const QString shown = u"%1/\\xCF\\xF0\\xEE\\xE3\\xF0\\xE0\\xEC\\xEC\\xE0/NIK.log"_s;
    const QString fallback = u"64|Сохранение|В папку программы нельзя записывать (нет прав на запись: "_s +
                             shown.chopped(8) + u"), поэтому список сохранён в файл\n%1"_s;
    const QString nowhere = u"48|Ошибка сохранения|В папку программы нельзя записывать, а другого места для "
                            u"сохранения нет: домашняя папка не найдена.\n"_s +
                            shown + u"\n\nПричина: нет прав на запись\n\nСписок не тронут."_s;
    // clang-format off
    QTest::newRow("started elsewhere from a folder named in CP1251: beside the program, said byte by byte") << QByteArrayList{"HOME=@/home"} << false << program << u"сохранено ников: 2, файл "_s + shown;
    QTest::newRow("the same where G_FILENAME_ENCODING names CP1251: said in it") << QByteArrayList{"HOME=@/home", "G_FILENAME_ENCODING=UTF-8,CP1251"} << false << program << u"сохранено ников: 2, файл %1/Программа/NIK.log"_s;
    QTest::newRow("no folder of the user's alone for the lock: the folder's own lock serves, saved") << QByteArrayList{"HOME=@/home", "XDG_RUNTIME_DIR=", "XDG_CACHE_HOME=@/file", "TMPDIR=@/file"} << false << program << u"сохранено ников: 2, файл "_s + shown;
    QTest::newRow("the lock in the program's own temporary folder, left open to others: closed, saved") << QByteArrayList{"HOME=@/home", "XDG_RUNTIME_DIR=", "XDG_CACHE_HOME=@/file", "TMPDIR=@/tmp"} << false << program << u"сохранено ников: 2, файл "_s + shown;
    QTest::newRow("a file-size limit below the list: told, nothing written") << QByteArrayList{"HOME=@/home", "prlimit", "--fsize=10"} << false << QByteArray() << u"48|Ошибка сохранения|Не удалось сохранить список в файл\n"_s + shown + u"\n\nПричина: файл вышел больше, чем разрешено\n\nСписок не тронут."_s;
    QTest::newRow("refused: Documents in the home folder") << QByteArrayList{"HOME=@/home"} << true << QByteArray("@/home/Documents") << fallback + u"/home/Documents/NIK.log"_s;
    QTest::newRow("refused, no Documents: the home folder") << QByteArrayList{"HOME=@/bare"} << true << QByteArray("@/bare") << fallback + u"/bare/NIK.log"_s;
    QTest::newRow("refused: the folder user-dirs.dirs names in a home named in CP1251") << QByteArrayList{"HOME=@/\xc4\xee\xec"} << true << QByteArray("@/\xc4\xee\xec/Документы") << fallback + u"/\\xC4\\xEE\\xEC/Документы/NIK.log"_s;
    QTest::newRow("refused: a folder named in CP1251 by XDG_CONFIG_HOME's user-dirs.dirs") << QByteArrayList{"HOME=@/home", "XDG_CONFIG_HOME=@/config"} << true << QByteArray("@/home/\xc4\xee\xea\xf3\xec\xe5\xed\xf2\xfb") << fallback + u"/home/\\xC4\\xEE\\xEA\\xF3\\xEC\\xE5\\xED\\xF2\\xFB/NIK.log"_s;
    QTest::newRow("refused: a home named half in UTF-8, half in CP1251: its letters said, the rest byte by byte") << QByteArrayList{"HOME=@/Мой\xc4\xee\xec"} << true << QByteArray("@/Мой\xc4\xee\xec") << fallback + u"/Мой\\xC4\\xEE\\xEC/NIK.log"_s;
    QTest::newRow("refused, HOME empty: nothing written") << QByteArrayList{"HOME="} << true << QByteArray() << nowhere;
    QTest::newRow("refused, HOME relative: nothing written where started") << QByteArrayList{"HOME=home"} << true << QByteArray() << nowhere;
    QTest::newRow("refused, HOME a file: nothing written") << QByteArrayList{"HOME=@/file"} << true << QByteArray() << nowhere;
    QTest::newRow("refused, HOME missing: nothing written") << QByteArrayList{"HOME=@/gone"} << true << QByteArray() << nowhere;
    QTest::newRow("refused, no HOME: nothing written") << QByteArrayList() << true << QByteArray() << nowhere;
    // clang-format on
}

void TstSaveFaults::savesWhereTheProgramFindsItsFolders()
{
    // This test program, started again from a folder of the test's as a user
    // starts the program: its window finds its folders itself and saves two
    // nicks (main() below).
    QFETCH(QByteArrayList, environment);
    QFETCH(bool, refused);
    QFETCH(QByteArray, saved);
    QFETCH(QString, told);
    if (environment.contains("XDG_RUNTIME_DIR=") &&
        QFileInfo::exists(u"/run/user/"_s + QString::number(::geteuid())))
        QSKIP("this session has a runtime folder");
    // Root may write anywhere: an installed program's user may not.
    const bool asNobody = refused && ::geteuid() == 0;
    // Beside this program, so that a hard link can stand for it.
    QTemporaryDir base(QCoreApplication::applicationDirPath() + u"/XXXXXX"_s);
    const QByteArray at = QFile::encodeName(base.path());
    // Qt cannot remove a folder whose name is not UTF-8.
    const auto remove = qScopeGuard([&] { QProcess::execute(u"rm"_s, {u"-rf"_s, base.path()}); });
    const QByteArray home = "/\xc4\xee\xec", documents = "/\xc4\xee\xea\xf3\xec\xe5\xed\xf2\xfb";
    for (const QByteArray &folder : QByteArrayList{
             "/home", "/home/Documents", "/home" + documents, "/bare", "/config", "/runtime", "/started",
             "/started/home", "/started/home/Documents", home, home + "/.config", home + "/Документы", "/tmp",
             "/tmp/quillmark-" + QByteArray::number(asNobody ? 65534 : ::geteuid()), "/Мой\xc4\xee\xec"})
        QCOMPARE(::mkdir(at + folder, 0755), 0);
    QVERIFY(writeFile(base.filePath(u"file"_s), "") &&
            writeFile(base.filePath(u"config/user-dirs.dirs"_s),
                      "XDG_DOCUMENTS_DIR=\"$HOME" + documents + "\"\n") &&
            writeFile(base.filePath(u"dirs"_s), "XDG_DOCUMENTS_DIR=\"$HOME/Документы\"\n"));
    QCOMPARE(::rename(at + "/dirs", at + home + "/.config/user-dirs.dirs"), 0);
    QVERIFY(!asNobody || QProcess::execute(u"chown"_s, {u"-R"_s, u"65534:65534"_s, base.path()}) == 0);
    QVERIFY(::chmod(at, 0755) == 0 && ::chmod(at + "/runtime", 0700) == 0);
    const QByteArray program = at + "/\xcf\xf0\xee\xe3\xf0\xe0\xec\xec\xe0/tst_savefaults";
    QVERIFY(::mkdir(program.chopped(15), refused && !asNobody ? 0555 : 0755) == 0);
    QCOMPARE(::link(QFile::encodeName(QCoreApplication::applicationFilePath()), program), 0);

    // Started from a folder of the test's, with the row's environment in
    // place of the test's own, names and values as bytes.
    QByteArray command = "cd '" + at + "/started' && " +
                         (asNobody ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "") +
                         "env -u HOME -u XDG_CONFIG_HOME -u XDG_CACHE_HOME -u G_FILENAME_ENCODING "
                         "'XDG_RUNTIME_DIR=" +
                         at + "/runtime'";
    for (const QByteArray &variable : environment)
        command += " '" + QByteArray(variable).replace('@', at) + '\'';
    // What it told comes through a pipe, which a file-size limit does not cut.
    FILE *started = ::popen(command + " '" + program + "' --save-as-started", "r");
    QFile toldBy;
    QVERIFY(started && toldBy.open(started, QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(toldBy.readAll()), told.arg(base.path()));
    QCOMPARE(::pclose(started), 0);
    // NIK.log there, with the list, and nowhere else.
    QCOMPARE(std::system("find '" + at + "' -name NIK.log -print -exec cat {} \\; > '" + at + "/found'"), 0);
    QCOMPARE(readAll(base.filePath(u"found"_s)),
             saved.isEmpty() ? QByteArray() : saved.replace('@', at) + "/NIK.log\nBENTYB\r\nKA\r\n");
}

void TstSaveFaults::saveRunsBesideTheTimer_data()
{
    QTest::addColumn<QString>("during"); // what the user does while the save waits
    QTest::newRow("Erase: the clicked list is still saved") << u"erase"_s;
    QTest::newRow("Save twice again: the list of the last click is saved next") << u"save"_s;
    QTest::newRow(
        "Save again, then Cancel: the old file stays, no save follows, the user is told what it holds")
        << u"cancel"_s;
    // Last: once the program has ended (QCoreApplication::exit), every later
    // wait on an event loop in this process returns at once (these rows wait
    // by polling).
    QTest::newRow("Ctrl+Q: as the X, the program ends once the save is done") << u"quit key"_s;
    QTest::newRow("X: the program ends once the save is done") << u"exit"_s;
}

void TstSaveFaults::saveRunsBesideTheTimer()
{
    QFETCH(QString, during);
    // Counts are written as the desktop writes numbers, here a German one.
    const QLocale desktops;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const auto restoreLocale = qScopeGuard([desktops] { QLocale::setDefault(desktops); });
    QVERIFY(writeFile(m_log, OldFile));
    QByteArray listed;
    for (int i = 0; i < 300'000; ++i) {
        const QString nick = u"QWERTYUIOP"_s.left(i % 11);
        m_list->model()->append(nick);
        listed += nick.toLatin1() + "\r\n";
    }
    const QByteArray clicked = listed;
    const auto listedNow = [this] {
        QByteArray entries;
        for (qsizetype i = 0; i < m_list->count(); ++i)
            entries += m_list->item(i).toLatin1() + "\r\n";
        return entries;
    };
    m_form->findChild<QLineEdit *>(u"Text4"_s)->setText(u"300000"_s); // as if generated
    // Another copy of the program is saving into the folder: ours waits for it.
    const SystemCalls calls;
    FileSave otherCopy(QFile::encodeName(m_log), calls);
    QVERIFY(otherCopy.open());
    auto *job = m_form->findChild<SaveJob *>(u"saveJob"_s);
    QSignalSpy ended(job, &SaveJob::finished);
    const auto button = [this](const QString &name) { return m_form->findChild<QPushButton *>(name); };
    QTest::mouseClick(button(u"Command1"_s), Qt::LeftButton);
    m_form->findChild<QLineEdit *>(u"Text2"_s)->setText(u"1"_s);
    QTest::mouseClick(button(u"Command2"_s), Qt::LeftButton);
    const auto counted = [this] { return m_form->findChild<QLineEdit *>(u"Text4"_s)->text().toLongLong(); };
    const auto dialog = [this] { return m_form->findChild<QProgressDialog *>(u"SaveProgress"_s); };

    const bool ends = during == u"exit" || during == u"quit key";
    if (ends) {
        if (during == u"exit") {
            QTest::mouseClick(button(u"Exit"_s), Qt::LeftButton);
        } else {
            m_form->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
            QTest::keyClick(m_form->windowHandle(), Qt::Key_Q, Qt::ControlModifier);
        }
        QVERIFY(dialog() && dialog()->isVisible()); // at once
    } else {
        // After half a second the progress shows, with the waiting told;
        // the timer goes on meanwhile.
        QTRY_VERIFY(dialog() && dialog()->isVisible());
        QCOMPARE(dialog()->labelText(),
                 u"Сохранение списка: 0 из 300.000\n"
                 u"Ждём, пока другая копия программы закончит сохранение в эту папку."_s);
        QTRY_VERIFY(counted() >= 300'020);
    }
    // The save yields the processors to the window, never the window to it.
    QCOMPARE(::getpriority(PRIO_PROCESS, 0), m_windowNice);
    QVERIFY(m_messages->shown.isEmpty());
    if (during == u"erase") {
        QTest::mouseClick(button(u"Command4"_s), Qt::LeftButton);
        QVERIFY(m_list->count() < 300'000);
    } else if (during == u"save") {
        // Each click with more entries listed than the one before.
        for (const qint64 entries : {300'040, 300'060}) {
            QTRY_VERIFY(counted() >= entries);
            listed = listedNow();
            QTest::mouseClick(button(u"Command1"_s), Qt::LeftButton);
        }
    } else if (during == u"cancel") {
        QTest::mouseClick(button(u"Command1"_s), Qt::LeftButton);
        QTest::mouseClick(dialog()->findChild<QPushButton *>(), Qt::LeftButton);
        listed = OldFile;
    }
    QVERIFY(m_form->isVisible());
    // A save cancelled while it waits has ended before the other copy's.
    QTRY_VERIFY(during != u"cancel" || !job->isBusy());
    otherCopy.cancel();

    // Under a sanitizer, on a busy machine, the waiting save's next try and
    // 300 000 lines can take longer than QTRY's five seconds.
    QTRY_VERIFY_WITH_TIMEOUT(!job->isBusy(), 50'000);
    QCOMPARE(ended.size(), during == u"save" ? 2 : 1);
    QCOMPARE(readAll(m_log), listed);
    QCOMPARE(QDir(m_programFolder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{u"NIK.log"_s});
    QCOMPARE(m_form->isVisible(), !ends);
    QTRY_VERIFY(!dialog());
    QCOMPARE(m_messages->shown.size(), during == u"cancel" ? 1 : 0);
    QCOMPARE(
        m_messages->shown.isEmpty() ? QString() : toldOf(*m_form, *m_messages),
        during == u"cancel"
            ? u"64|Сохранение|Сохранение отменено, этот список в файл не записан. Другая копия программы "
              u"ещё не закончила сохранение в этот файл: в нём может быть только начало её списка:\n"_s +
                  m_log
            : QString());
    // Every entry listed at the click is still as it was, after the appends that followed.
    QVERIFY(during == u"erase" || listedNow().startsWith(clicked));
    // The counter counted every tick, and went on through the save.
    QCOMPARE(counted(), m_list->count());
    if (!ends) {
        const qint64 before = counted();
        QTRY_VERIFY(counted() > before);
    }
}

int main(int argc, char **argv)
{
    Application app(argc, argv);
    Accessibility::install();
    app.setAttribute(Qt::AA_Use96Dpi, true);
    // Started as the program is: the window saves two nicks into the folders
    // it finds itself, and what it told (a message, or the words a screen
    // reader hears) goes to stdout.
    if (argc == 2 && qstrcmp(argv[1], "--save-as-started") == 0) {
        MessageCapture messages;
        Form1 form;
        auto *list = form.findChild<NickListBox *>(u"List"_s);
        list->model()->append(u"BENTYB");
        list->model()->append(u"KA");
        const bool ended = clickSaveAndWait(form);
        std::fputs(toldOf(form, messages).toUtf8().constData(), stdout);
        return ended ? 0 : 1;
    }
    TstSaveFaults test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_savefaults.moc"
