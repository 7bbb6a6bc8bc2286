#include "control/logfile.h"
#include "control/nickstore.h"
#include "platform/appdir.h"
#include "platform/linefile.h"
#include "savefixtures.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

class TstLogFile : public QObject, SaveFolders
{
    Q_OBJECT
private Q_SLOTS:
    void init() { QVERIFY(makeFolders()); }
    void savesTheListAsCrLfLines_data();
    void savesTheListAsCrLfLines();
    void linksAreFollowedOnlyWhenTheUsersOwn_data();
    void linksAreFollowedOnlyWhenTheUsersOwn();
    void leftoversOfCrashedSavesAreRemoved();
    void savesOfTwoCopiesTakeTurns();
    void refusedProgramFolderFallsBack_data();
    void refusedProgramFolderFallsBack();
    void documentsFolderOfTheUser_data();
    void documentsFolderOfTheUser();

private:
    // Whether this process holds a file in the folder open.
    static bool holdsFileIn(const QString &folder)
    {
        const QDir descriptors(QStringLiteral("/proc/self/fd"));
        for (const QFileInfo &descriptor : descriptors.entryInfoList(QDir::AllEntries | QDir::System))
            if (descriptor.symLinkTarget().startsWith(folder + u'/'))
                return true;
        return false;
    }
    static NickStore storeOf(const QStringList &nicks)
    {
        NickStore store;
        for (const QString &nick : nicks)
            store.append(nick);
        return store;
    }
    QStringList leftInProgramFolder() const
    {
        return QDir(m_programFolder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

void TstLogFile::savesTheListAsCrLfLines_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QStringList>("nicks");
    QTest::addColumn<QByteArray>("after");
    // No byte-order mark, no header, an empty entry is an empty line.
    QTest::newRow("an empty entry among others") << QByteArray("<missing>") << QStringList{u"BENTYB"_s, QString(), u"KA"_s} << QByteArray("BENTYB\r\n\r\nKA\r\n");
    QTest::newRow("an empty list empties the file") << QByteArray("OLD\r\n") << QStringList() << QByteArray("");
}

void TstLogFile::savesTheListAsCrLfLines()
{
    QFETCH(QByteArray, before);
    QFETCH(QStringList, nicks);
    if (before != "<missing>")
        QVERIFY(writeFile(m_log, before));
    const auto result = NickLog::save(storeOf(nicks), m_programFolder, m_fallbackFolder);
    QCOMPARE(result.outcome, NickLog::Outcome::Saved);
    QCOMPARE(result.path, m_programFolder + u"/NIK.log"_s);
    QTEST(readAll(m_log), "after");
    // Nothing is left behind beside it.
    QCOMPARE(leftInProgramFolder(), QStringList{u"NIK.log"_s});
}

void TstLogFile::linksAreFollowedOnlyWhenTheUsersOwn_data()
{
    QTest::addColumn<bool>("linkOurs");
    QTest::addColumn<bool>("targetOurs");
    QTest::addColumn<QString>("target"); // relative to the test's folder
    QTest::addColumn<QString>("told");   // the file a failure names: "link" or "target"
    QTest::addColumn<QString>("reason"); // none: saved through the link
    const QString foreign = u"это символическая ссылка, а она сама или файл, на который она указывает, "
                            u"принадлежит другому пользователю; ссылка и этот файл оставлены как были"_s;
    // clang-format off
    QTest::newRow("own link to own notes: followed") << true << true << u"notes.txt"_s << QString() << QString();
    QTest::newRow("another user's link") << false << true << u"notes.txt"_s << u"link"_s << foreign;
    QTest::newRow("own link to another user's file") << true << false << u"notes.txt"_s << u"link"_s << foreign;
    QTest::newRow("dangling link into a missing folder") << true << true << u"gone/notes.txt"_s << u"target"_s << u"папка не найдена"_s;
    // clang-format on
}

void TstLogFile::linksAreFollowedOnlyWhenTheUsersOwn()
{
    QFETCH(bool, linkOurs);
    QFETCH(bool, targetOurs);
    QFETCH(QString, target);
    QFETCH(QString, told);
    QFETCH(QString, reason);
    if ((!linkOurs || !targetOurs) && ::geteuid() != 0)
        QSKIP("giving a file to another user needs root");
    const QString targetPath = m_dir->filePath(target);
    const QByteArray before = target.contains(u'/') ? "<missing>" : "MY NOTES\n";
    if (before != "<missing>")
        QVERIFY(writeFile(targetPath, before));
    QVERIFY(QFile::link(targetPath, m_log));
    constexpr uid_t Nobody = 65534;
    if (!linkOurs)
        QCOMPARE(::lchown(QFile::encodeName(m_log).constData(), Nobody, Nobody), 0);
    if (!targetOurs)
        QCOMPARE(::chown(QFile::encodeName(targetPath).constData(), Nobody, Nobody), 0);

    const auto result = NickLog::save(storeOf({u"NIK"_s}), m_programFolder, m_fallbackFolder);
    QCOMPARE(QFileInfo(m_log).symLinkTarget(), targetPath);
    QCOMPARE(readAll(m_fallbackFolder + u"/NIK.log"_s), QByteArray("<missing>"));
    QCOMPARE(result.outcome, reason.isEmpty() ? NickLog::Outcome::Saved : NickLog::Outcome::Failed);
    QCOMPARE(result.reason, reason);
    QCOMPARE(readAll(targetPath), reason.isEmpty() ? QByteArray("NIK\r\n") : before);
    if (!reason.isEmpty())
        QCOMPARE(result.path, told == u"link" ? m_log : targetPath);
}

void TstLogFile::leftoversOfCrashedSavesAreRemoved()
{
    // What a crashed save leaves is NIK.log, a point and six letters or
    // digits with a capital and a digit among them; a user's "backup" stays.
    const QStringList kept = {u"NIK.log.a1-2c3"_s, u"NIK.log.a1B2c"_s, u"NIK.log.a1B2c34"_s, u"NIK.log.backup"_s,
                              u"NIK.log.bak"_s,    u"NIK.txt.a1B2c3"_s, u"notes.txt"_s};
    for (const QString &name : kept + QStringList{u"NIK.log.a1B2c3"_s})
        QVERIFY(writeFile(QDir(m_programFolder).filePath(name), "partial"));
    QVERIFY(QDir(m_programFolder).mkdir(u"NIK.log.Dir123"_s));
    QCOMPARE(NickLog::save(storeOf({u"AB"_s}), m_programFolder, m_fallbackFolder).outcome,
             NickLog::Outcome::Saved);
    QStringList left = leftInProgramFolder();
    left.sort();
    QCOMPARE(left, (QStringList{u"NIK.log"_s, u"NIK.log.Dir123"_s} + kept));
}

void TstLogFile::savesOfTwoCopiesTakeTurns()
{
    // Another copy is in the middle of its save when ours starts: ours waits
    // for it, leaves that copy's file alone, and the later save's list stays.
    int ready[2];
    int go[2];
    QCOMPARE(::pipe(ready), 0);
    QCOMPARE(::pipe(go), 0);
    const pid_t other = ::fork();
    QVERIFY(other >= 0);
    if (other == 0) {
        LineFile file(m_log);
        const bool opened = file.open() && file.writeLine("OTHER");
        [[maybe_unused]] const ssize_t told = ::write(ready[1], opened ? "1" : "0", 1);
        // It holds the folder until the test lets it go on.
        char proceed = 0;
        const bool goOn = ::read(go[0], &proceed, 1) == 1;
        ::_exit(opened && goOn && file.commit() ? 0 : 1);
    }
    int status = -1;
    std::thread ours;
    // Let the other copy finish and ours with it, on every way out.
    const auto finish = [&] {
        if (status == -1) {
            [[maybe_unused]] const ssize_t sent = ::write(go[1], "1", 1);
            ::waitpid(other, &status, 0);
        }
        if (ours.joinable())
            ours.join();
    };
    const auto cleanup = qScopeGuard([&] {
        finish();
        for (int fd : {ready[0], ready[1], go[0], go[1]})
            ::close(fd);
    });
    char opened = 0;
    QCOMPARE(::read(ready[0], &opened, 1), 1);
    QCOMPARE(opened, '1');

    std::atomic<bool> saved = false;
    NickLog::Result result;
    ours = std::thread([&] {
        result = NickLog::save(storeOf({QStringLiteral("OURS")}), m_programFolder, m_fallbackFolder);
        saved = true;
    });
    // Ours has reached the folder (it holds a file there open) and waits.
    QTRY_VERIFY(holdsFileIn(m_programFolder));
    QVERIFY(!saved);
    finish();
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    QCOMPARE(result.outcome, NickLog::Outcome::Saved);
    QCOMPARE(readAll(m_log), QByteArray("OURS\r\n"));
    QCOMPARE(leftInProgramFolder(), QStringList{u"NIK.log"_s});
}

void TstLogFile::refusedProgramFolderFallsBack_data()
{
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<bool>("foreignLog"); // a NIK.log of another user in it
    QTest::newRow("folder that cannot be searched") << 0776 << false;
    QTest::newRow("folder without the right to write") << 0755 << false;
    QTest::newRow("another user's NIK.log in a writable folder") << 0777 << true;
}

void TstLogFile::refusedProgramFolderFallsBack()
{
    QFETCH(int, folderMode);
    QFETCH(bool, foreignLog);
    if (::geteuid() != 0)
        QSKIP("saving as another user needs root");
    // The save runs as "nobody" in a child; root owns the program folder.
    constexpr uid_t Nobody = 65534;
    QVERIFY(QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                     QFileDevice::ExeOwner | QFileDevice::ExeGroup |
                                                     QFileDevice::ExeOther));
    if (foreignLog)
        QVERIFY(writeFile(m_log, "ROOT'S\r\n"));
    QCOMPARE(::chmod(QFile::encodeName(m_programFolder).constData(), mode_t(folderMode)), 0);
    QCOMPARE(::chown(QFile::encodeName(m_fallbackFolder).constData(), Nobody, Nobody), 0);
    int answer[2];
    QCOMPARE(::pipe(answer), 0);
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        if (::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)
            ::_exit(2);
        const auto result = NickLog::save(storeOf({u"NIK"_s}), m_programFolder, m_fallbackFolder);
        const QByteArray told = (result.outcome == NickLog::Outcome::SavedToFallback ? "documents, " : "else, ") +
                                result.refusedReason.toUtf8();
        [[maybe_unused]] const ssize_t written = ::write(answer[1], told.constData(), size_t(told.size()));
        ::_exit(0);
    }
    ::close(answer[1]);
    QByteArray told(512, '\0');
    told.truncate(std::max<ssize_t>(0, ::read(answer[0], told.data(), size_t(told.size()))));
    ::close(answer[0]);
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QCOMPARE(QString::fromUtf8(told), u"documents, нет прав на запись"_s);
    QCOMPARE(readAll(m_fallbackFolder + u"/NIK.log"_s), QByteArray("NIK\r\n"));
    QCOMPARE(readAll(m_log), foreignLog ? QByteArray("ROOT'S\r\n") : QByteArray("<missing>"));
}

void TstLogFile::documentsFolderOfTheUser_data()
{
    // HOME relative to the test's folder; "-" unset.
    QTest::addColumn<QString>("home");
    QTest::addColumn<bool>("documents"); // home holds a "Documents" folder
    QTest::addColumn<QString>("folder");
    QTest::newRow("Documents in the home folder") << u"home"_s << true << u"home/Documents"_s;
    QTest::newRow("no Documents: the home folder") << u"home"_s << false << u"home"_s;
    QTest::newRow("a home folder that is missing") << u"no-such-home"_s << false << QString();
    QTest::newRow("no HOME") << u"-"_s << false << QString();
}

void TstLogFile::documentsFolderOfTheUser()
{
    QFETCH(QString, home);
    QFETCH(bool, documents);
    QFETCH(QString, folder);
    const QString root = m_dir->path() + u'/';
    QVERIFY(QDir().mkpath(root + (documents ? u"home/Documents"_s : u"home"_s)));
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    const auto restore = qScopeGuard([&] {
        qputenv("HOME", oldHome);
        oldConfig.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", oldConfig);
    });
    // No user-dirs.dirs of the user running the test may move Documents.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + u"config"_s));
    home == u"-" ? qunsetenv("HOME") : qputenv("HOME", QFile::encodeName(root + home));
    QCOMPARE(userDocumentsDirectory(), folder.isEmpty() ? QString() : root + folder);
}

QTEST_GUILESS_MAIN(TstLogFile)
#include "tst_logfile.moc"
