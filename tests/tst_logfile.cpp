#include "control/logfile.h"
#include "control/saveplaces.h"
#include "core/nickstore.h"
#include "platform/folders.h"
#include "platform/save/disklife.h"
#include "platform/save/filesave.h"
#include "savefixtures.h"
#include "ui/wording/wording.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTest>

#include <atomic>
#include <fcntl.h>
#include <linux/magic.h>
#include <optional>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/mount.h>
#include <sys/statfs.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <thread>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr uid_t Nobody = 65534;
// NIK.log before a save, longer than the list saved over it.
const QByteArray OldLog = "OLDER\r\nOLDEST\r\n";

NickStore storeOf(const QStringList &nicks)
{
    NickStore store;
    for (const QString &nick : nicks)
        store.append(nick);
    return store;
}

// What a save told, in one line: "saved", "documents", "cancelled" or "failed" (with what a damaged
// file holds and the name, less its letters, of the file that keeps the whole list, or whose file or
// save may now be in it), the reason, the
// warning (and "unlocked", "too late" for a Cancel), and what refused the program folder's file and why.
// Whether writes to `fd` skip the system's cache (O_DIRECT), as /proc tells.
bool openedStraightToDisk(int fd)
{
    QFile info(u"/proc/self/fdinfo/"_s + QString::number(fd));
    const QByteArray flags = info.open(QIODevice::ReadOnly) ? info.readAll().split('\n').value(1) : QByteArray();
    return flags.startsWith("flags:") && (flags.mid(6).trimmed().toInt(nullptr, 8) & O_DIRECT) != 0;
}

// Whether the file's first page is in the system's cache.
bool firstPageCached(const QString &path)
{
    QFile file(path);
    uchar *page = file.open(QIODevice::ReadOnly) ? file.map(0, 1) : nullptr;
    unsigned char resident = 0;
    return page && ::mincore(reinterpret_cast<void *>(quintptr(page) & ~quintptr(4095)), 1, &resident) == 0 &&
           (resident & 1) != 0;
}

QByteArray toldBy(const SaveOutcome &outcome)
{
    static const char *const Refusers[] = {"folder", "file", "link target", "keep aside"};
    const auto *saved = std::get_if<Save::Saved>(&outcome.end);
    const auto *failed = std::get_if<Save::Failed>(&outcome.end);
    QByteArray told = !failed && outcome.refused ? "documents" : saved ? "saved" : failed ? "failed" : "cancelled";
    const Save::Holds holds = failed ? failed->holds : Save::Holds{};
    const auto *part = std::get_if<Save::PartOfList>(&holds);
    const auto *theirs = std::get_if<Save::SomeoneElses>(&holds);
    if (part)
        told += ", damaged: " + (part->unconfirmed ? QByteArray("whole") : QByteArray::number(part->entries)) +
                (part->earlier ? " of an earlier list" : "");
    const QByteArray fullList = part ? part->fullList : theirs ? theirs->fullList : QByteArray();
    if (!fullList.isEmpty())
        told += ", kept in " + fullList.mid(fullList.lastIndexOf('/') + 1).chopped(6);
    if (theirs)
        told += ", someone else's file there";
    const auto *cancelled = std::get_if<Save::Cancelled>(&outcome.end);
    if (cancelled && std::holds_alternative<Save::EarlierList>(cancelled->holds))
        told += ", an earlier list finished";
    if (std::holds_alternative<Save::OtherCopysSave>(holds) ||
        (cancelled && std::holds_alternative<Save::OtherCopysSave>(cancelled->holds)))
        told += ", another copy's save may be unfinished";
    told += '|' + (failed ? Wording::reason(failed->reason).toUtf8() : "") + '|';
    if (saved)
        told += (saved->unconfirmed == 0 ? QByteArray() : Wording::systemError(saved->unconfirmed).toUtf8()) +
                (saved->unlocked ? "unlocked" : "") + (saved->tooLateToCancel ? "too late" : "");
    if (outcome.refused)
        told += '|' + QByteArray(Refusers[int(outcome.refused->by)]) + ": " +
                Wording::reason(outcome.refused->reason).toUtf8();
    return told;
}

// An access ACL as the kernel stores it (version 2, then tag, permissions
// and id of each entry): user::rw- user:nobody:rw- group::r-- mask::rw- other::r--
const QByteArray GrantNobody("\2\0\0\0\1\0\6\0\xff\xff\xff\xff\2\0\6\0\xfe\xff\0\0"
                             "\4\0\4\0\xff\xff\xff\xff\x10\0\6\0\xff\xff\xff\xff\x20\0\4\0\xff\xff\xff\xff",
                             44);

QByteArray attribute(const QString &path, const char *name)
{
    QByteArray value(256, '\0');
    const ssize_t size =
        ::lgetxattr(QFile::encodeName(path).constData(), name, value.data(), size_t(value.size()));
    return size < 0 ? QByteArray("<none>") : value.left(size);
}

bool setAttribute(const QString &path, const char *name, const QByteArray &value)
{
    return ::lsetxattr(QFile::encodeName(path).constData(), name, value.constData(), size_t(value.size()),
                       0) == 0;
}

} // namespace

class TstLogFile : public QObject, SaveFolders
{
    Q_OBJECT
private Q_SLOTS:
    void init() { QVERIFY(makeFolders()); }
    void aLongListIsWrittenWhole_data();
    void aLongListIsWrittenWhole();
    void unusableProgramFolderWritesNothing_data();
    void unusableProgramFolderWritesNothing();
    void linksAreFollowedOnlyWhenTheUsersOwn_data();
    void linksAreFollowedOnlyWhenTheUsersOwn();
    void onlyThisProgramsLeftoversAreRemoved_data();
    void onlyThisProgramsLeftoversAreRemoved();
    void savesOfTwoCopiesTakeTurns_data();
    void savesOfTwoCopiesTakeTurns();
    void whatTheUserSetSurvivesASave_data();
    void whatTheUserSetSurvivesASave();
    void refusedPlaceFallsBack_data();
    void refusedPlaceFallsBack();
    void fileSizeLimitAtEveryByte();
    void faultsAtTheSeam_data();
    void faultsAtTheSeam();
    void everyCallFailsInTurn_data();
    void everyCallFailsInTurn();
    void leftoversOfACrash_data();
    void leftoversOfACrash();
    void listKeptAsideOnlyWhereItLasts_data();
    void listKeptAsideOnlyWhereItLasts();
    void whatAPowerCutLeavesOfADisk_data();
    void whatAPowerCutLeavesOfADisk();
    void anInstalledCopySavesIntoDocuments_data();
    void anInstalledCopySavesIntoDocuments();
    void theHelpPageIsInstalledWithTheProgram_data();
    void theHelpPageIsInstalledWithTheProgram();

private:
    // Whether this process holds the folder, or a file in it, open.
    static bool holdsOpen(const QString &folder)
    {
        const QDir descriptors(QStringLiteral("/proc/self/fd"));
        for (const QFileInfo &descriptor : descriptors.entryInfoList(QDir::AllEntries | QDir::System)) {
            const QString target = descriptor.symLinkTarget();
            if (target == folder || target.startsWith(folder + u'/'))
                return true;
        }
        return false;
    }
    SaveOutcome save(const QStringList &nicks, NickLog::Progress *progress = nullptr,
                     const SystemCalls &calls = SystemCalls()) const
    {
        return NickLog::save(storeOf(nicks),
                             {QFile::encodeName(m_programFolder), QFile::encodeName(m_fallbackFolder)}, progress,
                             calls);
    }
    // Saves "NIK" as the given user, in a child process, and returns what it told.
    QByteArray saveAs(uid_t user) const
    {
        int answer[2];
        if (::pipe(answer) != 0)
            return "no pipe";
        // A home of the user's own, with room for the program's cache.
        const QByteArray home = QFile::encodeName(m_dir->filePath(u"home-"_s + QString::number(user)));
        if ((::mkdir(home.constData(), 0700) != 0 && errno != EEXIST) ||
            ::chown(home.constData(), user, user) != 0)
            return "no home";
        const pid_t child = ::fork();
        if (child == 0) {
            qputenv("HOME", home);
            qunsetenv("XDG_CACHE_HOME");
            if (::setgid(user) != 0 || ::setuid(user) != 0)
                ::_exit(2);
            const QByteArray told = toldBy(save({u"NIK"_s}));
            [[maybe_unused]] const ssize_t written =
                ::write(answer[1], told.constData(), size_t(told.size()));
            ::_exit(0);
        }
        ::close(answer[1]);
        QFile reply;
        reply.open(answer[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
        const QByteArray told = reply.readAll();
        ::waitpid(child, nullptr, 0);
        return told;
    }
    QStringList leftInProgramFolder() const
    {
        return QDir(m_programFolder)
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    // The test's folder open to every user, as a shared folder is.
    bool shareFolders() const
    {
        return ::chmod(QFile::encodeName(m_dir->path()).constData(), 0711) == 0 &&
               ::chmod(QFile::encodeName(m_programFolder).constData(), 0777) == 0;
    }
};

void TstLogFile::aLongListIsWrittenWhole_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("linked"); // NIK.log has a second hard link: the list is copied in
    QTest::addColumn<int>("nth");     // the write the disk refuses
    QTest::addColumn<int>("error");
    QTest::addColumn<QByteArray>("told");
    QTest::addColumn<int>("straight"); // writes made straight to the disk, not through its cache
    // 839 681 lines end two sectors and a line past 8 MiB; 839 680 end on a sector.
    QTest::newRow("an empty list empties NIK.log") << 0 << false << 0 << 0 << QByteArray("saved||") << 0;
    QTest::newRow("an empty list empties a NIK.log with a second hard link") << 0 << true << 0 << 0 << QByteArray("saved||") << 0;
    QTest::newRow("straight to a disk that takes it, the last line through the cache") << 839'681 << false << 0 << 0 << QByteArray("saved||") << 3;
    QTest::newRow("the last line across the second 4 MiB block's end: written whole") << 838'861 << false << 0 << 0 << QByteArray("saved||") << 2;
    QTest::newRow("through the cache where the disk refuses that") << 839'681 << false << 1 << EINVAL << QByteArray("saved||") << 1;
    QTest::newRow("a disk full as the second block goes: not saved, told, the old file whole") << 839'681 << false << 2 << ENOSPC << QByteArray("failed|на диске не хватает места|") << 2;
    QTest::newRow("whole sectors, then read back to be copied into a linked NIK.log") << 839'680 << true << 0 << 0 << QByteArray("saved||") << 3;
    QTest::newRow("a list the cache takes whole goes through it") << 419'840 << false << 0 << 0 << QByteArray("saved||") << 0;
}

void TstLogFile::aLongListIsWrittenWhole()
{
    // Lines of ten bytes past 8 MiB: the save's write blocks of a few MiB
    // cut lines, yet each line is written once, whole, in its place.
    QFETCH(int, lines);
    QFETCH(bool, linked);
    QFETCH(int, nth);
    QFETCH(int, error);
    const QString letters = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"_s.repeated(2);
    QStringList nicks;
    QByteArray expected;
    for (int i = 0; i < lines; ++i) {
        nicks << letters.mid(i % 26, 8);
        expected += nicks.back().toLatin1() + "\r\n";
    }
    const QString link = m_programFolder + u"/other.txt"_s;
    QVERIFY(writeFile(m_log, OldLog) &&
            (!linked || ::link(QFile::encodeName(m_log), QFile::encodeName(link)) == 0));
    // Lists from 8 MiB on go straight to the disk here; through the cache, the disk is started on
    // every 1 MiB.
    const qint64 straightFrom = std::exchange(BlockWriter::straightFrom, 8 << 20);
    const qint64 writebackStep = std::exchange(BlockWriter::writebackStep, 1 << 20);
    const auto restore = qScopeGuard([=] {
        BlockWriter::straightFrom = straightFrom;
        BlockWriter::writebackStep = writebackStep;
    });
    int straight = 0;
    SeamFaults faults(m_programFolder, [&](const QByteArray &) {
        if (faults.seen.back() != "write")
            return 0;
        straight += openedStraightToDisk(faults.lastFd);
        return faults.seen.count("write") == nth ? error : 0;
    });
    QTEST(toldBy(save(nicks, nullptr, faults.calls)), "told");
    QTEST(straight, "straight");
    // What the disk has written is not kept in the cache (where the cache is not the disk itself).
    struct statfs disk
    {
    };
    QVERIFY(::statfs(QFile::encodeName(m_programFolder).constData(), &disk) == 0);
    QVERIFY(linked || error == ENOSPC || lines == 0 || disk.f_type == TMPFS_MAGIC || !firstPageCached(m_log));
    QVERIFY(readAll(m_log) == (error == ENOSPC ? OldLog : expected));
    QVERIFY(!linked || readAll(link) == expected);
    // Nothing is left behind beside it.
    QCOMPARE(leftInProgramFolder().size(), 1 + linked);
}

void TstLogFile::unusableProgramFolderWritesNothing_data()
{
    // How the program finds its folder, and a folder with a name in CP1251,
    // are tested on the program started from such a folder (tst_savefaults).
    QTest::addColumn<QByteArray>("folder");
    QTest::addColumn<QByteArray>("told");
    const QByteArray nowhere = "failed|не удалось узнать, в какой папке лежит программа|";
    // clang-format off
    QTest::newRow("unknown") << QByteArray() << nowhere;
    QTest::newRow("a relative name") << QByteArray("program") << nowhere;
    QTest::newRow("a folder name longer than a name may be") << "/" + QByteArray(300, 'a') << QByteArray("failed|слишком длинное имя файла или папки|");
    QTest::newRow("a path longer than the system takes") << ("/" + QByteArray(200, 'b')).repeated(21) << QByteArray("failed|путь к файлу длиннее, чем допускает система (4095 байт)|");
    // clang-format on
}

void TstLogFile::unusableProgramFolderWritesNothing()
{
    QFETCH(QByteArray, folder);
    // Started in the test's folder, where a relative name would land.
    const QString started = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    const auto restore = qScopeGuard([&] { QDir::setCurrent(started); });
    QTEST(toldBy(NickLog::save(storeOf({u"NIK"_s}), {folder, QFile::encodeName(m_fallbackFolder)})), "told");
    QVERIFY(::access((folder + "/NIK.log").constData(), F_OK) != 0); // "/NIK.log" for an unknown one
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    QCOMPARE(readAll(m_fallbackFolder + u"/NIK.log"_s), QByteArray("<missing>"));
}

void TstLogFile::linksAreFollowedOnlyWhenTheUsersOwn_data()
{
    // NIK.log a link, the user's "own" or "theirs"; "none": NIK.log is the target itself.
    QTest::addColumn<QString>("link");
    QTest::addColumn<bool>("targetOurs");
    // In the test's folder; "fifo" a FIFO nobody reads, "read fifo" one the test reads, "null" a null device
    // of root's.
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("told");   // the file a failure names: "link" or "target"
    QTest::addColumn<QString>("reason"); // none: saved there
    const QString foreign = u"это символическая ссылка, а она сама или файл, на который она указывает, "
                            u"принадлежит другому пользователю; ссылка и этот файл оставлены как были"_s;
    // clang-format off
    QTest::newRow("own link to own notes: followed") << u"own"_s << true << u"notes.txt"_s << QString() << QString();
    QTest::newRow("another user's link") << u"theirs"_s << true << u"notes.txt"_s << u"link"_s << foreign;
    QTest::newRow("own link to another user's file") << u"own"_s << false << u"notes.txt"_s << u"link"_s << foreign;
    QTest::newRow("dangling link into a missing folder") << u"own"_s << true << u"gone/notes.txt"_s << u"target"_s << u"папка не найдена"_s;
    QTest::newRow("a relative link there: the path named plainly") << u"own"_s << true << u"../program/../gone/notes.txt"_s << u"target"_s << u"папка не найдена"_s;
    QTest::newRow("own link to a null device: written into, not replaced") << u"own"_s << true << u"null"_s << QString() << QString();
    QTest::newRow("a null device at NIK.log itself: written into, not replaced") << u"none"_s << true << u"null"_s << QString() << QString();
    QTest::newRow("own link to another user's FIFO") << u"own"_s << false << u"fifo"_s << u"link"_s << foreign;
    QTest::newRow("another user's FIFO at NIK.log itself: left as it was") << u"none"_s << false << u"fifo"_s << u"target"_s << u"это не обычный файл, а канал или устройство другого пользователя; он оставлен как был"_s;
    QTest::newRow("own link to own FIFO nobody reads") << u"own"_s << true << u"fifo"_s << u"target"_s << u"у канала нет читателя, или устройство недоступно"_s;
    QTest::newRow("a folder at NIK.log: left as it was") << u"none"_s << true << u"folder"_s << u"target"_s << u"на месте файла стоит папка"_s;
    QTest::newRow("own FIFO at NIK.log itself, read: the reader gets the list") << u"none"_s << true << u"read fifo"_s << QString() << QString();
    // clang-format on
}

void TstLogFile::linksAreFollowedOnlyWhenTheUsersOwn()
{
    QFETCH(QString, link);
    QFETCH(bool, targetOurs);
    QFETCH(QString, target);
    QFETCH(QString, told);
    QFETCH(QString, reason);
    if ((link == u"theirs" || !targetOurs || target == u"null") && ::geteuid() != 0)
        QSKIP("giving a file to another user or making a device needs root");
    // "../" starts what a relative link says, from the program folder.
    const bool relative = target.startsWith(u"../");
    const QString targetPath = link == u"none" ? m_log
                               : relative      ? QDir::cleanPath(m_programFolder + u'/' + target)
                                               : m_dir->filePath(target);
    const QByteArray targetName = QFile::encodeName(targetPath);
    const bool special = target.endsWith(u"fifo") || target == u"null";
    const QByteArray before =
        special || target.contains(u'/') || target == u"folder" ? "<missing>" : "MY NOTES\n";
    QVERIFY(target != u"folder" ||
            (QDir().mkpath(targetPath) && writeFile(targetPath + u"/inside.txt"_s, "kept")));
    if (special)
        QCOMPARE(::mknod(targetName.constData(), target == u"null" ? S_IFCHR | 0666 : S_IFIFO | 0600,
                         makedev(1, 3)),
                 0);
    else if (before != "<missing>")
        QVERIFY(writeFile(targetPath, before));
    QFile reader;
    QVERIFY(target != u"read fifo" || reader.open(::open(targetName.constData(), O_RDONLY | O_NONBLOCK),
                                                  QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
    QVERIFY(link == u"none" || QFile::link(relative ? target : targetPath, m_log));
    if (link == u"theirs")
        QCOMPARE(::lchown(QFile::encodeName(m_log).constData(), Nobody, Nobody), 0);
    if (!targetOurs)
        QCOMPARE(::chown(targetName.constData(), Nobody, Nobody), 0);

    const auto result = save({u"NIK"_s});
    QCOMPARE(QFileInfo(m_log).symLinkTarget(), link == u"none" ? QString() : targetPath);
    QCOMPARE(readAll(m_fallbackFolder + u"/NIK.log"_s), QByteArray("<missing>"));
    const auto *failed = std::get_if<Save::Failed>(&result.end);
    QCOMPARE(failed ? Wording::reason(failed->reason) : QString(), reason);
    QVERIFY(failed || std::holds_alternative<Save::Saved>(result.end));
    // A FIFO or device stays what it was.
    QCOMPARE(readAll(targetPath + u"/inside.txt"_s), target == u"folder" ? "kept" : "<missing>");
    if (special)
        QVERIFY(QFileInfo(targetPath).exists() && !QFileInfo(targetPath).isFile());
    else
        QCOMPARE(readAll(targetPath), reason.isEmpty() ? QByteArray("NIK\r\n") : before);
    QCOMPARE(reader.readAll(), reader.isOpen() ? QByteArray("NIK\r\n") : QByteArray());
    if (!reason.isEmpty())
        QCOMPARE(failed->path, QFile::encodeName(told == u"link" ? m_log : targetPath));
}

void TstLogFile::onlyThisProgramsLeftoversAreRemoved_data()
{
    QTest::addColumn<bool>("fuse"); // the folder is a FUSE mount, where a save names its temporary file
    QTest::newRow("on a local disk") << false;
    QTest::newRow("in a FUSE folder") << true;
}

void TstLogFile::onlyThisProgramsLeftoversAreRemoved()
{
    QFETCH(bool, fuse);
    const QByteArray folder = QFile::encodeName(m_programFolder);
    if (fuse) {
        if (::geteuid() != 0 || QStandardPaths::findExecutable(u"bindfs"_s).isEmpty())
            QSKIP("a FUSE folder needs bindfs and root");
        QVERIFY(QDir().mkpath(m_dir->filePath(u"real"_s)));
        QCOMPARE(QProcess::execute(u"bindfs"_s, {m_dir->filePath(u"real"_s), m_programFolder}), 0);
    }
    const auto unmount = qScopeGuard([&] {
        if (fuse)
            ::umount2(folder.constData(), MNT_DETACH);
    });
    // What a crashed save leaves carries this program's mark; the user's
    // own names, however like a temporary file's, stay.
    // clang-format off
    const QStringList kept = {u".NIK.log.quillmark-unfinished-save-a1B2c"_s, u"NIK.log.2024Q1"_s, u"NIK.log.BAK001"_s,
                              u"NIK.log.Copy01"_s, u"NIK.log.Old123"_s, u"NIK.log.a1B2c3"_s, u"NIK.log.lock"_s, u"notes.txt"_s};
    // clang-format on
    for (const QString &name :
         kept.mid(0, 6) + QStringList{u".NIK.log.quillmark-unfinished-save-a1B2c3"_s, u"notes.txt"_s})
        QVERIFY(writeFile(QDir(m_programFolder).filePath(name), "partial"));
    // A lock file of old, a link to nowhere, does not stand in the way.
    QVERIFY(QFile::link(u"/nonexistent/lock"_s, QDir(m_programFolder).filePath(u"NIK.log.lock"_s)));
    // Another user's may be a save of theirs under way.
    const QString theirs = QDir(m_programFolder).filePath(u".NIK.log.quillmark-unfinished-save-Other1"_s);
    const bool root = ::geteuid() == 0;
    QVERIFY(!root || (writeFile(theirs, "theirs") &&
                      ::chown(QFile::encodeName(theirs).constData(), Nobody, Nobody) == 0));
    QVERIFY(std::holds_alternative<Save::Saved>(save({u"AB"_s}).end));
    QStringList left = leftInProgramFolder();
    left.sort();
    const QStringList expected = (root ? QStringList{QFileInfo(theirs).fileName()} : QStringList()) +
                                 QStringList{u".NIK.log.quillmark-unfinished-save-a1B2c"_s, u"NIK.log"_s} +
                                 kept.mid(1);
    QCOMPARE(left, expected);
    QCOMPARE(readAll(m_log), QByteArray("AB\r\n"));
}

void TstLogFile::savesOfTwoCopiesTakeTurns_data()
{
    QTest::addColumn<bool>("otherUser");
    // The other copy's own lock in a runtime folder of its own, as another user's would be.
    QTest::addColumn<bool>("apart");
    // Whether the program folder takes locks; where not, as on some network disks, they fail with ENOLCK.
    QTest::addColumn<bool>("folderLocks");
    // XDG_RUNTIME_DIR: the test's own, or the user's own "open" to others, "theirs" (another user's),
    // or the user's own "in an open folder" others may write; then in a session without /run/user/<uid>;
    // "none": neither it nor a cache or home folder is set.
    QTest::addColumn<QString>("runtime");
    // Lock places in the test's folder, as the cache folder and TMPDIR: those another user took first, and
    // the one that holds the lock (none: not looked at).
    QTest::addColumn<QStringList>("taken");
    QTest::addColumn<QString>("lockIn");
    QTest::addColumn<bool>("waits");
    QTest::addColumn<bool>("warned"); // that copies may not have taken turns
    const QString cache = u"cache/quillmark"_s;
    const QString temporary = u"quillmark-"_s + QString::number(::geteuid());
    // clang-format off
    QTest::newRow("two copies of one user: the later waits") << false << false << true << QString() << QStringList() << QString() << true << false;
    QTest::newRow("the same where the folder takes no locks: the later still waits") << false << false << false << QString() << QStringList() << QString() << true << false;
    QTest::newRow("a copy with a lock folder of its own, as another user's: the later waits for the folder") << false << true << true << QString() << QStringList() << QString() << true << false;
    QTest::newRow("the same where the folder takes no locks: the later does not wait") << false << true << false << QString() << QStringList() << QString() << false << false;
    QTest::newRow("another user's copy: the later waits for the folder") << true << false << true << QString() << QStringList() << QString() << true << false;
    QTest::newRow("a runtime folder others may enter: not used, the later still waits") << false << false << false << u"open"_s << QStringList() << cache << true << false;
    QTest::newRow("another user's runtime folder: not used, the later still waits") << false << false << false << u"theirs"_s << QStringList() << cache << true << false;
    QTest::newRow("a runtime folder in a folder others may write: not used") << false << false << false << u"in an open folder"_s << QStringList() << cache << true << false;
    QTest::newRow("the cache folder's place taken: the temporary one's, the later still waits") << false << false << false << u"theirs"_s << QStringList{cache} << temporary << true << false;
    QTest::newRow("no runtime, cache or home folder: the temporary one's, not told") << false << false << false << u"none"_s << QStringList() << temporary << true << false;
    QTest::newRow("every place taken: the later waits for the folder, not told") << false << false << true << u"theirs"_s << QStringList{cache, temporary} << QString() << true << false;
    QTest::newRow("every place taken, the folder takes no locks: the later does not wait, and is told") << false << false << false << u"theirs"_s << QStringList{cache, temporary} << QString() << false << true;
    // clang-format on
}

void TstLogFile::savesOfTwoCopiesTakeTurns()
{
    // Another copy is in the middle of its save when ours starts: ours waits
    // for it, of whichever user, where either lock can be had; neither leaves
    // a file behind, and ours is saved last. One that did not wait is saved
    // first, and the other copy then leaves it as it is.
    QFETCH(bool, otherUser);
    QFETCH(bool, apart);
    QFETCH(bool, folderLocks);
    QFETCH(QString, runtime);
    QFETCH(QStringList, taken);
    QFETCH(QString, lockIn);
    QFETCH(bool, waits);
    QFETCH(bool, warned);
    if ((otherUser || (!runtime.isEmpty() && runtime != u"none")) && (::geteuid() != 0 || !shareFolders()))
        QSKIP("saving as another user needs root");
    // The next test's init() sets the XDG folders afresh.
    const QByteArray home = qgetenv("HOME");
    const auto restore = qScopeGuard([home] {
        qunsetenv("TMPDIR");
        qputenv("HOME", home);
    });
    const auto folder = [this](const QString &place) { return QFile::encodeName(m_dir->filePath(place)); };
    if (!runtime.isEmpty() && QFileInfo::exists(u"/run/user/"_s + QString::number(::geteuid())))
        QSKIP("this session has a runtime folder");
    if (runtime == u"none") {
        for (const char *name : {"XDG_RUNTIME_DIR", "XDG_CACHE_HOME", "HOME"})
            qunsetenv(name);
        qputenv("TMPDIR", folder(QString()));
    } else if (!runtime.isEmpty()) {
        const QString place = runtime == u"in an open folder" ? u"open/runtime"_s : u"runtime"_s;
        const uid_t owner = runtime == u"theirs" ? Nobody : 0;
        QVERIFY(QDir().mkpath(m_dir->filePath(u"open/runtime"_s)) && QDir().mkpath(m_dir->filePath(place)) &&
                ::chmod(folder(u"open"_s), 0777) == 0 &&
                ::chmod(folder(place), runtime == u"open" ? 0755 : 0700) == 0 &&
                ::chown(folder(place), owner, owner) == 0);
        qputenv("XDG_RUNTIME_DIR", folder(place));
        qputenv("TMPDIR", folder(QString()));
        qputenv("XDG_CACHE_HOME", folder(u"cache"_s));
    }
    // Folders of another user's, open to everyone, where the lock would go.
    for (const QString &place : taken) {
        QVERIFY(QDir().mkpath(m_dir->filePath(place)) && ::chmod(folder(place), 0777) == 0 &&
                ::chown(folder(place), Nobody, Nobody) == 0);
    }
    QVERIFY(!apart || ::mkdir(folder(u"apart"_s), 0700) == 0);
    const SystemCalls calls([folderLocks](SystemCalls::Call call, int fd, const char *) {
        struct stat st
        {
        };
        return !folderLocks && call == SystemCalls::Call::Flock && ::fstat(fd, &st) == 0 &&
                       S_ISDIR(st.st_mode)
                   ? ENOLCK
                   : 0;
    });
    int ready[2];
    int release[2];
    QVERIFY(::pipe(ready) == 0 && ::pipe(release) == 0);
    const pid_t other = ::fork();
    QVERIFY(other >= 0);
    if (other == 0) {
        // Only the test's own ends stay open: its end means release.
        ::close(ready[0]);
        ::close(release[1]);
        if (otherUser && (::setgid(Nobody) != 0 || ::setuid(Nobody) != 0))
            ::_exit(2);
        if (apart)
            qputenv("XDG_RUNTIME_DIR", folder(u"apart"_s));
        FileSave file(QFile::encodeName(m_log), calls);
        const bool opened = file.open() && file.writeLines("OTHER\r\n");
        [[maybe_unused]] const ssize_t told = ::write(ready[1], opened ? "1" : "0", 1);
        // It holds its save until the test releases it.
        char released = 0;
        if (::read(release[0], &released, 1) < 0)
            ::_exit(3);
        ::_exit(opened && file.commit() ? 0 : 1);
    }
    ::close(ready[1]);
    ::close(release[0]);
    int status = -1;
    std::thread ours;
    // Release the other copy and let ours end, on every way out.
    const auto finish = [&] {
        if (status == -1) {
            [[maybe_unused]] const ssize_t sent = ::write(release[1], "1", 1);
            ::waitpid(other, &status, 0);
        }
        if (ours.joinable())
            ours.join();
    };
    const auto cleanup = qScopeGuard([&] {
        finish();
        ::close(ready[0]);
        ::close(release[1]);
    });
    char opened = 0;
    QCOMPARE(::read(ready[0], &opened, 1), 1);
    QCOMPARE(opened, '1');
    // Its lock stands in a folder of the user's alone.
    const auto locks = [this](const QString &place) {
        return QDir(m_dir->filePath(place)).entryList({u"quillmark-save-*.lock"_s}, QDir::Files).size();
    };
    QVERIFY(lockIn.isEmpty() || locks(lockIn) == 1);
    QCOMPARE(locks(u"runtime"_s) + locks(u"open/runtime"_s), 0);
    std::atomic<bool> saved = false;
    SaveOutcome result;
    ours = std::thread([&] {
        result = save({u"OURS"_s}, nullptr, calls);
        saved = true;
    });
    if (!waits) {
        QTRY_VERIFY(saved);
        // Nothing of the other copy's shows in the folder meanwhile.
        QCOMPARE(leftInProgramFolder(), QStringList{u"NIK.log"_s});
    } else {
        // Ours reaches the folder (it holds it open) and waits there.
        QTRY_VERIFY(saved || holdsOpen(m_programFolder));
        QVERIFY2(!saved, "saved while the other copy was saving");
    }
    finish();
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == (waits ? 0 : 1));
    QCOMPARE(std::get<Save::Saved>(result.end).unlocked, warned);
    const auto message = Wording::saveOutcome(result, 1).message;
    QCOMPARE(message &&
                 message->text.contains(u"\n\nНо другие копии программы не могли дождаться конца этого "
                                        u"сохранения: для блокировки, по которой они сохраняют по очереди, "
                                        u"не нашлось папки, доступной только вам. Если другая копия в это "
                                        u"же время сохраняла список в этот же файл, в нём может оказаться её "
                                        u"список."_s),
             warned);
    QCOMPARE(readAll(m_log), QByteArray("OURS\r\n"));
    QCOMPARE(leftInProgramFolder(), QStringList{u"NIK.log"_s});
}

void TstLogFile::whatTheUserSetSurvivesASave_data()
{
    // "file"; "linked": with a second hard link; "new": none yet; the folder of "new" and of "file under a
    // default ACL" has a default ACL that grants nobody rw-.
    QTest::addColumn<QString>("setup");
    QTest::addColumn<uint>("saver");
    QTest::addColumn<uint>("owner");
    QTest::addColumn<uint>("group");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("acl"); // NIK.log's ACL grants nobody rw-
    // clang-format off
    QTest::newRow("root saves a user's file: it stays theirs") << u"file"_s << 0u << 65534u << 100u << 0640 << false;
    QTest::newRow("root keeps an ACL entry and an attribute") << u"file"_s << 0u << 0u << 0u << 0664 << true;
    QTest::newRow("a user keeps their ACL entry and attribute") << u"file"_s << 65534u << 65534u << 65534u << 0664 << true;
    QTest::newRow("root's file of another group: the group stays") << u"file"_s << 0u << 0u << 100u << 0640 << false;
    QTest::newRow("root's file shared through its group: written into") << u"file"_s << 65534u << 0u << 65534u << 0664 << false;
    QTest::newRow("a second hard link shares the new list") << u"linked"_s << 0u << 0u << 0u << 0644 << false;
    QTest::newRow("a new file under a default ACL: its mask rw-") << u"new"_s << 0u << 0u << 0u << 0664 << true;
    QTest::newRow("a file without an ACL, its folder with a default one: it gains none") << u"file under a default ACL"_s << 0u << 0u << 0u << 0644 << false;
    // clang-format on
}

void TstLogFile::whatTheUserSetSurvivesASave()
{
#ifdef __SANITIZE_THREAD__
    QSKIP("ThreadSanitizer cannot follow the save's threads in a forked child; the plain runs check it");
#endif
    QFETCH(QString, setup);
    QFETCH(uint, saver);
    QFETCH(uint, owner);
    QFETCH(uint, group);
    QFETCH(int, mode);
    QFETCH(bool, acl);
    if (::geteuid() != 0 || !shareFolders())
        QSKIP("owners, groups and a second user need root");
    const QByteArray log = QFile::encodeName(m_log);
    const QString other = m_programFolder + u"/other.txt"_s;
    if (setup != u"new") {
        QVERIFY(writeFile(m_log, "OLD\r\n") && setAttribute(m_log, "user.note", "mine"));
        QVERIFY(::chown(log.constData(), owner, group) == 0 && ::chmod(log.constData(), mode_t(mode)) == 0);
        QVERIFY(!acl || setAttribute(m_log, "system.posix_acl_access", GrantNobody));
        QVERIFY(setup != u"linked" || ::link(log.constData(), QFile::encodeName(other).constData()) == 0);
    }
    QVERIFY((setup != u"new" && !setup.endsWith(u"ACL")) ||
            setAttribute(m_programFolder, "system.posix_acl_default", GrantNobody));
    const mode_t mask = ::umask(022);
    const auto restore = qScopeGuard([mask] { ::umask(mask); });
    QCOMPARE(saveAs(saver), QByteArray("saved||"));
    struct stat st
    {
    };
    QCOMPARE(::lstat(log.constData(), &st), 0);
    QCOMPARE(st.st_uid, owner);
    QCOMPARE(st.st_gid, group);
    QCOMPARE(int(st.st_mode & 07777), mode);
    QCOMPARE(attribute(m_log, "system.posix_acl_access"), acl ? GrantNobody : QByteArray("<none>"));
    QCOMPARE(attribute(m_log, "user.note"), setup == u"new" ? QByteArray("<none>") : QByteArray("mine"));
    QCOMPARE(readAll(m_log), QByteArray("NIK\r\n"));
    QCOMPARE(readAll(other), setup == u"linked" ? QByteArray("NIK\r\n") : QByteArray("<missing>"));
}

void TstLogFile::refusedPlaceFallsBack_data()
{
    QTest::addColumn<int>("folderMode");
    // NIK.log: "none"; "root's"; "own read-only"; "own writable" (", no cache": nobody has none); "link":
    // nobody's link into a folder of root's
    QTest::addColumn<QString>("log");
    QTest::addColumn<QByteArray>("told");
    QTest::addColumn<QByteArray>("programLog");
    const QByteArray folder = "documents|||folder: нет прав на запись";
    const QByteArray file = "documents|||file: нет прав на запись";
    // clang-format off
    QTest::newRow("folder that cannot be searched") << 0776 << u"none"_s << folder << QByteArray("<missing>");
    QTest::newRow("another user's NIK.log in a writable folder") << 0777 << u"root's"_s << file << QByteArray("ROOT'S\r\n");
    QTest::newRow("own read-only NIK.log in a writable folder") << 0777 << u"own read-only"_s << file << QByteArray("MINE\r\n");
    QTest::newRow("own link into a folder without the right to write") << 0777 << u"link"_s << QByteArray("documents|||link target: нет прав на запись") << QByteArray("<missing>");
    QTest::newRow("own NIK.log in a folder without the right to write: written in place") << 0755 << u"own writable"_s << QByteArray("saved||") << QByteArray("NIK\r\n");
    QTest::newRow("the same, with no cache folder to keep the list in meanwhile: documents") << 0755 << u"own writable, no cache"_s << folder << QByteArray("MINE\r\n");
    // clang-format on
}

void TstLogFile::refusedPlaceFallsBack()
{
#ifdef __SANITIZE_THREAD__
    QSKIP("ThreadSanitizer cannot follow the save's threads in a forked child; the plain runs check it");
#endif
    QFETCH(int, folderMode);
    QFETCH(QString, log);
    QFETCH(QByteArray, told);
    QFETCH(QByteArray, programLog);
    if (::geteuid() != 0 || !shareFolders())
        QSKIP("saving as another user needs root");
    // The save runs as "nobody"; root owns the program folder.
    const QByteArray logName = QFile::encodeName(m_log);
    if (log == u"link") {
        QVERIFY(QDir().mkpath(m_dir->filePath(u"closed"_s)));
        QVERIFY(QFile::link(m_dir->filePath(u"closed/notes.txt"_s), m_log));
        QCOMPARE(::lchown(logName.constData(), Nobody, Nobody), 0);
    } else if (log != u"none") {
        QVERIFY(writeFile(m_log, log == u"root's" ? "ROOT'S\r\n" : "MINE\r\n"));
        if (log != u"root's")
            QCOMPARE(::chown(logName.constData(), Nobody, Nobody), 0);
        QCOMPARE(::chmod(logName.constData(), log.startsWith(u"own writable") ? 0644 : 0444), 0);
    }
    if (log.endsWith(u"no cache"))
        QVERIFY(QDir().mkpath(m_dir->filePath(u"home-65534"_s)) &&
                writeFile(m_dir->filePath(u"home-65534/.cache"_s), "root's"));
    QCOMPARE(::chmod(QFile::encodeName(m_programFolder).constData(), mode_t(folderMode)), 0);
    QCOMPARE(::chown(QFile::encodeName(m_fallbackFolder).constData(), Nobody, Nobody), 0);
    QCOMPARE(saveAs(Nobody), told);
    QCOMPARE(readAll(m_fallbackFolder + u"/NIK.log"_s),
             told.startsWith("documents") ? QByteArray("NIK\r\n") : QByteArray("<missing>"));
    QCOMPARE(readAll(m_log), programLog);
}

void TstLogFile::fileSizeLimitAtEveryByte()
{
    // Wherever the disk stops taking bytes, NIK.log is the old file whole, or none, and the user is told.
    const QStringList nicks{u"BENTYB"_s, QString(), u"KA"_s, u"QWERTYUIOP"_s, u"Z"_s, u"ABC"_s};
    const QByteArray full = "BENTYB\r\n\r\nKA\r\nQWERTYUIOP\r\nZ\r\nABC\r\n";
    for (const bool withOldFile : {true, false}) {
        for (int limit = 0; limit <= full.size(); ++limit) {
            QFile::remove(m_log);
            QVERIFY(!withOldFile || writeFile(m_log, OldLog));
            const FileSizeLimit fileSize(static_cast<rlim_t>(limit)); // until the next round
            const auto report = Wording::saveOutcome(save(nicks), nicks.size());
            QCOMPARE(report.message ? report.message->text : report.announcement,
                     limit == full.size()
                         ? u"сохранено ников: 6, файл "_s + m_log
                         : u"Не удалось сохранить список в файл\n"_s + m_log +
                               u"\n\nПричина: файл вышел больше, чем разрешено\n\nСписок не тронут"_s +
                               (withOldFile ? u", прежний файл остался как был."_s : u"."_s));
            QCOMPARE(readAll(m_log), limit < full.size() ? (withOldFile ? OldLog : "<missing>") : full);
            QCOMPARE(leftInProgramFolder().size(), !withOldFile && limit < full.size() ? 0 : 1);
        }
    }
}

void TstLogFile::faultsAtTheSeam_data()
{
    QTest::addColumn<QString>("setup"); // NIK.log: "none", an old "file", or one "linked" to a second name
    // The calls seen when it strikes (SeamFaults), and what strikes: an errno's name fails that call;
    // "cancel": the user presses Cancel; "theirs": another user renames a file of theirs to NIK.log;
    // "kill": the program is killed there; "held": another user's copy locks NIK.log to write into it
    // and the user presses Cancel; "limit": files stop growing past 6 bytes, as on a disk that fills
    // inside the second line; "cancel, EIO": the user presses Cancel, and the call fails.
    QTest::addColumn<QByteArray>("at");
    QTest::addColumn<QString>("act");
    QTest::addColumn<QByteArray>("calls"); // every call the save made, in order, "cache" ones in the cache folder (the
                                           // record of an in-place save); none: not compared
    QTest::addColumn<QByteArray>("told");  // none: killed
    QTest::addColumn<QByteArray>("after"); // NIK.log then, and the second link
    QTest::addColumn<QByteArray>("other");
    QTest::addColumn<QByteArray>("kept"); // the marked file beside NIK.log that keeps the whole list
    const QByteArray list = "AB\r\nCD\r\n";
    const QByteArray old = OldLog;
    const QByteArray none = "<missing>";
    const QByteArray io = "ошибка ввода-вывода: диск не смог записать данные";
    const QByteArray changed =
        "пока шло сохранение, файл заменил или создал кто-то другой; то, что теперь стоит на его "
        "месте, оставлено как было";
    // clang-format off
    QTest::newRow("a new one: on the disk, named, its folder synced") << u"none"_s << QByteArray() << QString() << QByteArray("flock list open write fsync link close fsync folder") << QByteArray("saved||") << list << none << none;
    QTest::newRow("a replaced one: the same, through a name of its own") << u"file"_s << QByteArray() << QString() << QByteArray("flock list open flock list open removexattr fchmod write fsync link close rename fsync folder") << QByteArray("saved||") << list << none << none;
    QTest::newRow("a linked one: kept aside, emptied, filled, synced") << u"linked"_s << QByteArray() << QString() << QByteArray("flock list open flock list open write fsync fallocate fchmod cache write cache fsync cache close cache fsync folder link fsync folder cache write cache fsync cache close cache fsync folder ftruncate fsync fallocate pread pwrite fsync close unlink") << QByteArray("saved||") << list << list << none;
    QTest::newRow("a replaced one whose new file cannot lose the folder's default ACL: written in place") << u"file"_s << QByteArray("removexattr") << u"EIO"_s << QByteArray("flock list open flock list open removexattr write fsync fallocate fchmod cache write cache fsync cache close cache fsync folder link fsync folder cache write cache fsync cache close cache fsync folder ftruncate fsync fallocate pread pwrite fsync close unlink") << QByteArray("saved||") << list << none << none;
    QTest::newRow("another user's copy writing into a linked one: waited for, Cancel leaves it") << u"linked"_s << QByteArray("open flock") << u"held"_s << QByteArray() << QByteArray("cancelled, another copy's save may be unfinished||") << old << old << none;
    QTest::newRow("a new one whose folder's sync fails: saved, told") << u"none"_s << QByteArray("fsync folder") << u"EIO"_s << QByteArray() << "saved||" + io << list << none << none;
    QTest::newRow("a stale network file") << u"file"_s << QByteArray("write fsync") << u"ESTALE"_s << QByteArray() << QByteArray("failed|файл на сетевом диске устарел: его изменили или удалили на сервере|") << old << none << none;
    QTest::newRow("the rename finds NIK.log busy") << u"file"_s << QByteArray("rename") << u"EBUSY"_s << QByteArray() << QByteArray("failed|файл или диск занят другой программой или системой|") << old << none << none;
    QTest::newRow("the quota runs out") << u"file"_s << QByteArray("write") << u"EDQUOT"_s << QByteArray() << QByteArray("failed|исчерпана дисковая квота пользователя|") << old << none << none;
    QTest::newRow("the new file cannot be linked in") << u"file"_s << QByteArray("link") << u"EMLINK"_s << QByteArray() << QByteArray("failed|у файла или папки слишком много ссылок|") << old << none << none;
    QTest::newRow("Cancel while writing: the old file stays") << u"file"_s << QByteArray("write") << u"cancel"_s << QByteArray() << QByteArray("cancelled||") << old << none << none;
    QTest::newRow("Cancel as it takes the old one's name: saved whole, too late") << u"file"_s << QByteArray("link") << u"cancel"_s << QByteArray() << QByteArray("saved||too late") << list << none << none;
    QTest::newRow("Cancel once a linked file is being copied into: saved whole, too late") << u"linked"_s << QByteArray("fsync folder") << u"cancel"_s << QByteArray() << QByteArray("saved||too late") << list << list << none;
    QTest::newRow("the copy into a linked file fails: told it is empty, the list kept beside it") << u"linked"_s << QByteArray("pwrite") << u"EIO"_s << QByteArray() << "failed, damaged: 0, kept in NIK.log.quillmark-full-list-|" + io + '|' << QByteArray() << QByteArray() << list;
    QTest::newRow("Cancel as the copy into a linked file fails: told it is empty, not that it is as it was") << u"linked"_s << QByteArray("pwrite") << u"cancel, EIO"_s << QByteArray() << "failed, damaged: 0, kept in NIK.log.quillmark-full-list-|" + io + '|' << QByteArray() << QByteArray() << list;
    QTest::newRow("the copy into a linked file stops part way: told how much of the list it holds") << u"linked"_s << QByteArray("pwrite") << u"limit"_s << QByteArray() << QByteArray("failed, damaged: 1, kept in NIK.log.quillmark-full-list-|файл вышел больше, чем разрешено|") << QByteArray("AB\r\n") << QByteArray("AB\r\n") << list;
    QTest::newRow("another user's file put at NIK.log before the rename: told it was changed") << u"file"_s << QByteArray("write fsync") << u"theirs"_s << QByteArray() << "failed, someone else's file there|" + changed + '|' << QByteArray("THEIRS\r\n") << none << none;
    QTest::newRow("another user's file put at a linked NIK.log before it is emptied: both left whole") << u"linked"_s << QByteArray("fsync fallocate") << u"theirs"_s << QByteArray() << "failed, someone else's file there|" + changed + '|' << QByteArray("THEIRS\r\n") << old << none;
    QTest::newRow("another user's file put at a linked NIK.log during the copy: not told saved, the list kept") << u"linked"_s << QByteArray("pwrite") << u"theirs"_s << QByteArray() << "failed, kept in NIK.log.quillmark-full-list-, someone else's file there|" + changed + '|' << QByteArray("THEIRS\r\n") << list << list;
    QTest::newRow("killed as the list is named: the next save sweeps it") << u"linked"_s << QByteArray("link") << u"kill"_s << QByteArray() << QByteArray() << old << old << none;
    QTest::newRow("killed before NIK.log is emptied: the next save sweeps the list") << u"linked"_s << QByteArray("ftruncate") << u"kill"_s << QByteArray() << QByteArray() << old << old << list;
    QTest::newRow("killed as the copy begins: empty, the list kept, the next save finishes it") << u"linked"_s << QByteArray("pwrite") << u"kill"_s << QByteArray() << QByteArray() << QByteArray() << QByteArray() << list;
    QTest::newRow("killed before the copy is synced: no old line after the new ones") << u"linked"_s << QByteArray("pwrite fsync") << u"kill"_s << QByteArray() << QByteArray() << list << list << list;
    // clang-format on
}

void TstLogFile::faultsAtTheSeam()
{
    QFETCH(QString, setup);
    QFETCH(QByteArray, at);
    QFETCH(QString, act);
    QFETCH(QByteArray, after);
    QFETCH(QByteArray, other);
    QFETCH(QByteArray, kept);
    if (act == u"theirs" && ::geteuid() != 0)
        QSKIP("a file of another user needs root");
    QVERIFY(setup == u"none" || writeFile(m_log, OldLog));
    const QString link = m_programFolder + u"/other.txt"_s;
    QVERIFY(setup != u"linked" || ::link(QFile::encodeName(m_log), QFile::encodeName(link)) == 0);
    const QString theirs = m_dir->filePath(u"theirs"_s);
    QVERIFY(writeFile(theirs, "THEIRS\r\n") &&
            (::geteuid() != 0 || ::chown(QFile::encodeName(theirs).constData(), Nobody, Nobody) == 0));
    NickLog::Progress progress;
    int holder = -1;
    std::optional<FileSizeLimit> fileSize;
    const auto strike = [&](const QByteArray &calls) {
        static const QHash<QString, int> Errors = {{u"EIO"_s, EIO},       {u"ESTALE"_s, ESTALE},
                                                   {u"EBUSY"_s, EBUSY},   {u"EDQUOT"_s, EDQUOT},
                                                   {u"EMLINK"_s, EMLINK}, {u"ENOSPC"_s, ENOSPC}};
        if (at.isEmpty() || !calls.endsWith(at))
            return 0;
        if (act == u"kill")
            ::_exit(9);
        if (act.startsWith(u"cancel"))
            progress.stop = true;
        if (act == u"theirs")
            ::rename(QFile::encodeName(theirs).constData(), QFile::encodeName(m_log).constData());
        if (act == u"limit" && !fileSize)
            fileSize.emplace(6);
        if (act == u"held") {
            holder = ::open(QFile::encodeName(link).constData(), O_RDONLY | O_CLOEXEC);
            progress.stop = ::flock(holder, LOCK_EX) == 0;
        }
        return Errors.value(act.section(u", "_s, -1));
    };
    const auto saveHere = [&](const SystemCalls &calls) {
        return save({u"AB"_s, u"CD"_s}, &progress, calls);
    };
    if (act == u"kill") {
        QVERIFY(killedIn(m_programFolder, strike, saveHere));
    } else {
        SeamFaults faults(m_programFolder, strike);
        faults.watch(m_dir->filePath(u"cache/quillmark"_s), "cache");
        const SaveOutcome outcome = saveHere(faults.calls);
        ::close(holder);
        fileSize.reset();
        QTEST(toldBy(outcome), "told");
        const auto message = Wording::saveOutcome(outcome, 2).message;
        const auto *saved = std::get_if<Save::Saved>(&outcome.end);
        QVERIFY(!saved || !saved->tooLateToCancel ||
                message->text.startsWith(u"Отменить сохранение было уже нельзя: "_s));
        // A file the copy left empty is told as empty, not as holding 0 of the list's entries; one it
        // left holding the first of the two, as holding 1 of 2.
        const auto *failed = std::get_if<Save::Failed>(&outcome.end);
        const auto *part = failed ? std::get_if<Save::PartOfList>(&failed->holds) : nullptr;
        QVERIFY(!part || part->earlier || part->entries != 0 ||
                message->text.contains(u"но файл теперь пуст"_s));
        QVERIFY2(act != u"limit" ||
                     message->text.contains(u"в нём только начало нового списка (записей: 1 из 2)"_s),
                 qPrintable(message ? message->text : QString()));
        // Where another's file stands, the message names the whole list's file where one was kept, and
        // no file where none was.
        QVERIFY2(act != u"theirs" ||
                     (kept == "<missing>" ? message->text.endsWith(u"\n\nСписок не тронут."_s)
                                     : message->text.contains(u"весь новый список сохранён в файле\n"_s + m_log +
                                                              u".quillmark-full-list-"_s)),
                 qPrintable(message ? message->text : QString()));
        QFETCH(QByteArray, calls);
        QCOMPARE(calls.isEmpty() ? calls : faults.seen.join(' '), calls);
    }
    const auto check = [&](const QByteArray &log, const QByteArray &linked, const QByteArray &full) {
        QVERIFY(!holdsOpen(m_dir->path())); // the save let go of every file and folder
        QCOMPARE(readAll(m_log), log);
        QCOMPARE(readAll(link), setup == u"linked" ? linked : QByteArray("<missing>"));
        QStringList left = leftInProgramFolder();
        left.removeOne(u"other.txt"_s);
        const QStringList fullList =
            left.filter(QRegularExpression(u"^NIK\\.log\\.quillmark-full-list-\\w{6}$"_s));
        QCOMPARE(fullList.isEmpty() ? QByteArray("<missing>")
                                    : readAll(QDir(m_programFolder).filePath(fullList[0])),
                 full);
        QCOMPARE(left, (log == "<missing>" ? QStringList() : QStringList{u"NIK.log"_s}) + fullList);
    };
    check(after, other, kept);
    if ((act == u"kill" || (kept == "AB\r\nCD\r\n" && after != "THEIRS\r\n")) &&
        !QTest::currentTestFailed()) {
        // The next save, after a restart that empties the runtime folder (the
        // lock's), finishes the copy, or sweeps a list the file never began
        // to hold, before its own list.
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        QVERIFY(QDir(QFile::decodeName(runtime)).removeRecursively() && ::mkdir(runtime, 0700) == 0);
        progress.stop = false;
        QCOMPARE(toldBy(saveHere({})), QByteArray("saved||"));
        check("AB\r\nCD\r\n", "AB\r\nCD\r\n", "<missing>");
    }
}

namespace {

// The ways a save goes, as the sweep sets each up: no NIK.log yet; one it
// replaces; one with a second hard link, copied into with the list beside
// it; the same in a folder that takes no new file, the list waiting in the
// cache folder; a FIFO it writes into; and a list long enough to go
// straight to the disk.
enum class Way
{
    New,
    Replace,
    InPlace,
    KeptAside,
    Fifo,
    Straight,
};

// A write the disk lost and reported once: the sync fails with EIO, what
// the file held is gone, and the next sync succeeds.
constexpr int Lost = -1;

QByteArray pathOf(int fd)
{
    QByteArray path(PATH_MAX, '\0');
    path.truncate(std::max<ssize_t>(
        0, ::readlink("/proc/self/fd/" + QByteArray::number(fd), path.data(), size_t(path.size()))));
    return path;
}

bool isSync(int call)
{
    return call == int(SystemCalls::Call::Fsync) || call == int(SystemCalls::Call::SyncRange);
}

// Strikes the save's `at`-th system call, counting every call it makes
// through the seam: fails it with `error`, or ends the process there.
// Unnamed new files in `refusing` are refused first, uncounted, as a
// folder this user may not write refuses them.
struct CallSweep
{
    int at = 0;
    int error = 0;
    bool end = false;
    QByteArray refusing;
    std::atomic<int> made{0};
    std::atomic<int> struck{-1}; // which call it struck
    const SystemCalls calls{[this](SystemCalls::Call call, int fd, const char *name) {
        if (call == SystemCalls::Call::Open && !refusing.isEmpty() && qstrcmp(name, ".") == 0 &&
            pathOf(fd) == refusing)
            return EACCES;
        if (++made != at)
            return 0;
        if (end)
            ::_exit(9);
        struck = int(call);
        if (error != Lost)
            return error;
        struct stat st
        {
        };
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
            const QByteArray zeros(std::min<qint64>(st.st_size, 4 << 20), '\0');
            [[maybe_unused]] const ssize_t lost = ::pwrite(fd, zeros.constData(), size_t(zeros.size()), 0);
        }
        return EIO;
    }};
};

// The first `lines` lines of the text.
QByteArray firstLines(const QByteArray &text, qsizetype lines)
{
    qsizetype end = 0;
    for (qsizetype i = 0; i < lines; ++i)
        end = text.indexOf('\n', end) + 1;
    return text.left(end);
}

} // namespace

void TstLogFile::everyCallFailsInTurn_data()
{
    QTest::addColumn<int>("way");
    QTest::addColumn<bool>("ending"); // the process ends at the call, and the next start saves
    const std::pair<const char *, Way> ways[] = {{"a new NIK.log", Way::New},
                                                 {"a replaced one", Way::Replace},
                                                 {"a linked one, in place", Way::InPlace},
                                                 {"in place, the list kept aside", Way::KeptAside},
                                                 {"a FIFO", Way::Fifo},
                                                 {"straight to the disk", Way::Straight}};
    for (const auto &[name, way] : ways) {
        QTest::addRow("%s: each call fails", name) << int(way) << false;
        QTest::addRow("%s: the program ends at each call", name) << int(way) << true;
    }
}

void TstLogFile::everyCallFailsInTurn()
{
    // Told saved, NIK.log (and its other name) holds the list byte for byte;
    // told failed, NIK.log holds what the outcome says, and the whole list is
    // where it says. After the program ended at a call, NIK.log is the old
    // file or the new one whole, or holds part of the list while the whole
    // list is kept; and the next start leaves it old or new, never losing a
    // list it began to copy in.
    QFETCH(int, way);
    QFETCH(bool, ending);
#ifdef __SANITIZE_THREAD__
    if (ending)
        QSKIP("ThreadSanitizer cannot follow the save's threads in a forked child; the plain runs check it");
#endif
    const Way setup = Way(way);
    // Long enough that the disk is started on, and waited for, as the list
    // is written through the cache (with the steps lowered to 256 KiB), or
    // that two blocks go straight to the disk past a threshold lowered to
    // 4 MiB; a FIFO's is short, read in one go.
    const auto listOf = [](int lines) {
        NickStore store;
        QByteArray text;
        const QString letters = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"_s.repeated(2);
        for (int i = 0; i < lines; ++i) {
            store.append(QStringView(letters).mid(i % 26, 10));
            text += letters.mid(i % 26, 10).toLatin1() + "\r\n";
        }
        return std::pair{store, text};
    };
    static const auto cached = listOf(130'000);
    static const auto straight = listOf(400'000);
    const auto &[store, list] = setup == Way::Fifo ? listOf(2) : setup == Way::Straight ? straight : cached;
    const QByteArray before = setup == Way::New ? "<missing>" : setup == Way::Fifo ? "" : OldLog;
    const qint64 straightFrom = BlockWriter::straightFrom;
    const qint64 writebackStep = std::exchange(BlockWriter::writebackStep, 256 << 10);
    const auto restore = qScopeGuard([=] {
        BlockWriter::straightFrom = straightFrom;
        BlockWriter::writebackStep = writebackStep;
    });
    if (setup == Way::Straight)
        BlockWriter::straightFrom = 4 << 20;
    // On tmpfs where there is one: thousands of saves.
    const QString under = QFileInfo(u"/dev/shm"_s).isWritable() ? u"/dev/shm"_s : QString();
    const QString other = u"other.txt"_s;
    int fifo = -1;
    const auto closeFifo = qScopeGuard([&fifo] { ::close(fifo); });
    // NIK.log as the way needs it, in fresh folders.
    const auto prepare = [&] {
        ::close(std::exchange(fifo, -1));
        QVERIFY(makeFolders(under));
        const QByteArray log = QFile::encodeName(m_log);
        if (setup == Way::Fifo) {
            QCOMPARE(::mkfifo(log.constData(), 0600), 0);
            fifo = ::open(log.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
            QVERIFY(fifo >= 0);
        } else if (setup != Way::New) {
            QVERIFY(writeFile(m_log, OldLog));
        }
        if (setup == Way::InPlace)
            QCOMPARE(::link(log.constData(), QFile::encodeName(m_programFolder + u'/' + other).constData()),
                     0);
    };
    const auto refusing = [&] {
        return setup == Way::KeptAside ? QFile::encodeName(QDir(m_programFolder).canonicalPath())
                                       : QByteArray();
    };
    const auto saveTo = [&](const SystemCalls &calls, NickLog::Progress *progress = nullptr) {
        return NickLog::save(store, {QFile::encodeName(m_programFolder), QFile::encodeName(m_fallbackFolder)},
                             progress, calls);
    };
    const auto fifoRead = [&] {
        QByteArray read(1 << 16, '\0');
        read.truncate(std::max<ssize_t>(0, ::read(fifo, read.data(), size_t(read.size()))));
        return read;
    };
    // What a file holds as the outcome tells it; empty when it does.
    const auto wrongIn = [&](const Save::Holds &holds, const QString &path,
                             const QByteArray &old) -> QString {
        if (const auto *as = std::get_if<Save::AsBefore>(&holds))
            return setup == Way::Fifo || readAll(path) == (as->existed ? old : "<missing>")
                       ? QString()
                       : path + u" is not as it was"_s;
        const auto *part = std::get_if<Save::PartOfList>(&holds);
        if (!part || part->earlier)
            return u"told of a list or a file that is not there"_s;
        if (readAll(QFile::decodeName(part->fullList)) != list)
            return u"the whole list is not where told"_s;
        return part->unconfirmed || readAll(path) == firstLines(list, part->entries)
                   ? QString()
                   : path + u" does not hold the first %1 lines"_s.arg(part->entries);
    };
    // What breaks the rule; empty when it holds. A failure is told as the call's error.
    const auto broken = [&](const SaveOutcome &outcome, int error) -> QString {
        const QString documents = m_fallbackFolder + u"/NIK.log"_s;
        if (setup == Way::InPlace &&
            QFileInfo(m_programFolder + u'/' + other).size() != QFileInfo(m_log).size())
            return u"the second name is another file's"_s;
        const Save::Reason told{Save::Why::System, error == Lost ? EIO : error};
        QString wrong = outcome.refused ? wrongIn(outcome.refused->holds, m_log, before) : QString();
        // Kept aside, the program folder's own refusal is told where the list finds no place to wait.
        const Save::Reason folderRefused{Save::Why::System, EACCES};
        if (outcome.refused && outcome.refused->reason != told &&
            !(setup == Way::KeptAside && outcome.refused->reason == folderRefused))
            wrong += u"the refusal told another error"_s;
        if (const auto *failed = std::get_if<Save::Failed>(&outcome.end)) {
            const QString path = QFile::decodeName(failed->path);
            return wrong + wrongIn(failed->holds, path, path == m_log ? before : "<missing>") +
                   (failed->reason == told ? QString() : u"told another error"_s);
        }
        if (!std::holds_alternative<Save::Saved>(outcome.end))
            return u"cancelled, though nobody asked"_s;
        if (outcome.refused)
            return wrong +
                   (readAll(documents) == list ? QString() : u"told saved into documents, not there"_s);
        const bool whole = setup == Way::Fifo ? fifoRead() == list : readAll(m_log) == list;
        return whole ? QString() : u"told saved, NIK.log does not hold the list"_s;
    };
    // Whole lists a save kept beside NIK.log or in the cache folder.
    const auto keptLists = [&] {
        QByteArrayList kept;
        for (const QString &folder : {m_programFolder, m_dir->filePath(u"cache/quillmark"_s)}) {
            for (const QString &name :
                 QDir(folder).entryList({u"*NIK.log.quillmark-full-list-*"_s}, QDir::Files))
                kept << readAll(folder + u'/' + name);
        }
        return kept;
    };

    int points = 0;
    for (int at = 1;; ++at) {
        bool past = false; // the save made fewer calls
        for (const int error : {EIO, ENOSPC, Lost}) {
            prepare();
            if (QTest::currentTestFailed())
                return;
            CallSweep sweep;
            sweep.at = at;
            sweep.error = error;
            sweep.refusing = refusing();
            const auto point = [&](const QString &wrong) {
                return (u"call %1 (%2), %3: %4"_s.arg(at).arg(int(sweep.struck)).arg(error).arg(wrong))
                    .toUtf8();
            };
            if (!ending) {
                const SaveOutcome outcome = saveTo(sweep.calls);
                past = sweep.struck < 0;
                points += !past;
                const QString wrong = broken(outcome, error);
                QVERIFY2(wrong.isEmpty(), point(wrong).constData());
                // Nothing half written stays in the cache folder.
                const QStringList unfinished = QDir(m_dir->filePath(u"cache/quillmark"_s))
                                                   .entryList({u"*.next"_s, u"*unfinished-save*"_s}, QDir::Files);
                QVERIFY2(unfinished.isEmpty(), point(unfinished.join(u' ')).constData());
                if (past || (error == ENOSPC && !isSync(sweep.struck)))
                    break;
                continue;
            }
            sweep.end = true;
            const pid_t child = ::fork();
            if (child == 0) {
                saveTo(sweep.calls);
                ::_exit(0);
            }
            int status = 0;
            QCOMPARE(::waitpid(child, &status, 0), child);
            QVERIFY(WIFEXITED(status));
            past = WEXITSTATUS(status) == 0;
            points += !past;
            // Where it ended: the old file or the new one, or part of the new one and the whole kept.
            const QByteArray ended = setup == Way::Fifo ? before : readAll(m_log);
            const bool whole = ended == before || ended == list;
            QVERIFY2(whole || (list.startsWith(ended) && keptLists().contains(list)),
                     point(u"NIK.log damaged"_s).constData());
            // The next start (its runtime folder empty) finds NIK.log whole, and finishes a list begun.
            const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
            QVERIFY(QDir(QFile::decodeName(runtime)).removeRecursively() && ::mkdir(runtime, 0700) == 0);
            NickLog::Progress progress;
            progress.stop = true;
            CallSweep none;
            none.refusing = refusing();
            const SaveOutcome next = saveTo(none.calls, &progress);
            QVERIFY2(std::holds_alternative<Save::Cancelled>(next.end),
                     point(u"the next save did not start"_s).constData());
            const QByteArray after = setup == Way::Fifo ? before : readAll(m_log);
            QVERIFY2(after == (whole ? ended : list),
                     point(u"NIK.log not whole after the next start"_s).constData());
            QVERIFY2(keptLists().isEmpty(), point(u"a list left behind"_s).constData());
            QStringList names = leftInProgramFolder();
            names.removeOne(other);
            QVERIFY2(names == (after == "<missing>" ? QStringList() : QStringList{u"NIK.log"_s}),
                     point(u"left in the folder: "_s + names.join(u' ')).constData());
            break;
        }
        if (past)
            break;
    }
    qInfo("%s: %d points", QTest::currentDataTag(), points);
}

void TstLogFile::leftoversOfACrash_data()
{
    // NIK.log has a second link, so it is written in place; "crash": a save of AB and CD was killed as it
    // began to copy them in. Then a save of EF, cancelled at once where the row's name says "cancel", and
    // meeting a full disk as it finishes a list where it says "full", a disk that refuses room for its own
    // list where it says "refused", with NIK.log changed since the crash where it says "changed".
    QTest::addColumn<bool>("crash");
    QTest::addColumn<QByteArray>("marked"); // more put beside NIK.log with this program's mark, by the test
    QTest::addColumn<QString>(
        "told"); // the message; %1 NIK.log, %2 the marked file left, %3 documents' NIK.log
    QTest::addColumn<QByteArray>("after");
    const QString left =
        u"Сохранение|Список сохранён в файл\n%1\n\nПрерванное сохранение оставило списки, которые "
        u"программа не тронула: нельзя убедиться, что их записала она, или файл NIK.log с тех "
        u"пор заменён (файлов: 1). Посмотрите их и удалите сами:\n%2"_s;
    // clang-format off
    QTest::newRow("a list a crash left, then cancel: told NIK.log now holds that list") << true << QByteArray() << u"Сохранение|Сохранение отменено. Прошлое сохранение в этот файл было прервано; оно закончено, и в файле теперь весь список того сохранения:\n%1"_s << QByteArray("AB\r\nCD\r\n");
    QTest::newRow("a file of the user's renamed to the mark: neither copied in nor removed, told") << false << QByteArray("AB\r\nXY\r\n") << left << QByteArray("EF\r\n");
    QTest::newRow("a list a crash left, NIK.log changed since: the list is not copied over it, told") << true << QByteArray() << left << QByteArray("EF\r\n");
    QTest::newRow("two lists left: the recorded one finished, the other told") << true << QByteArray("AB\r\nCD\r\n") << left << QByteArray("EF\r\n");
    QTest::newRow("a list a crash left on a full disk: this list in documents, told what NIK.log holds") << true << QByteArray() << u"Сохранение|Файл NIK.log в папке программы нельзя изменить (на диске не хватает места: %1), поэтому список сохранён в файл\n%3\n\nПрошлое сохранение в файл NIK.log в папке программы было прервано, а дописать его не удалось: в нём только начало того списка (записей: 0). Весь тот список сохранён в файле\n%2"_s << QByteArray();
    QTest::newRow("a list a crash left, finished, then this save refused by the disk: told NIK.log holds that list") << true << QByteArray() << u"Ошибка сохранения|Не удалось сохранить список в файл\n%1\n\nПричина: система не разрешает это действие (например, файл защищён от изменений)\n\nСписок не тронут. Прошлое сохранение в этот файл было прервано; оно закончено, и в файле теперь весь список того сохранения."_s << QByteArray("AB\r\nCD\r\n");
    // clang-format on
}

void TstLogFile::leftoversOfACrash()
{
    QFETCH(bool, crash);
    QFETCH(QByteArray, marked);
    QVERIFY(writeFile(m_log, "AB\r\n"));
    QVERIFY(::link(QFile::encodeName(m_log), QFile::encodeName(m_programFolder + u"/other.txt"_s)) == 0);
    const auto kill = [](const QByteArray &calls) { return calls.endsWith("pwrite") ? (::_exit(9), 0) : 0; };
    QVERIFY(!crash || killedIn(m_programFolder, kill, [this](const SystemCalls &calls) {
        save({u"AB"_s, u"CD"_s}, nullptr, calls);
    }));
    QVERIFY(marked.isEmpty() || writeFile(m_log + u".quillmark-full-list-Zz9Zz9"_s, marked));
    const QByteArray row = QTest::currentDataTag();
    QVERIFY(!row.contains("changed") || writeFile(m_log, "MINE\r\n"));
    const bool leftWhole = row.contains("full") || row.contains("changed"); // the crash's list stays
    NickLog::Progress progress;
    progress.stop = row.contains("cancel");
    const auto disk = [&](const QByteArray &calls) {
        return row.contains("refused") && calls.endsWith("fallocate") ? EPERM
               : row.contains("full") && calls.endsWith("pwrite")     ? ENOSPC
                                                                      : 0;
    };
    SeamFaults faults(m_programFolder, disk);
    const auto report = Wording::saveOutcome(save({u"EF"_s}, &progress, faults.calls), 1);
    QVERIFY(report.message);
    const QStringList marks = QDir(m_programFolder).entryList({u"NIK.log.quillmark-full-list-*"_s});
    QFETCH(QString, told);
    QCOMPARE(report.message->title + u'|' + report.message->text,
             QString(told)
                 .replace(u"%1"_s, m_log)
                 .replace(u"%2"_s, marks.isEmpty() ? QString() : m_programFolder + u'/' + marks[0])
                 .replace(u"%3"_s, m_fallbackFolder + u"/NIK.log"_s));
    QTEST(readAll(m_log), "after");
    QCOMPARE(readAll(m_fallbackFolder + u"/NIK.log"_s), row.contains("full") ? "EF\r\n" : "<missing>");
    QCOMPARE(marks.size(), marked.isEmpty() && !leftWhole ? 0 : 1);
    QCOMPARE(marks.isEmpty() ? QByteArray() : readAll(m_programFolder + u'/' + marks[0]),
             marked.isEmpty() && leftWhole ? QByteArray("AB\r\nCD\r\n") : marked);
    // Told once: the next save says nothing more of a file left alone.
    QVERIFY((marked.isEmpty() && !row.contains("changed")) ||
            !Wording::saveOutcome(save({u"EF"_s}), 1).message);
}

void TstLogFile::listKeptAsideOnlyWhereItLasts_data()
{
    // The program folder takes no new file; NIK.log, the user's, is written in place, the list waiting in
    // the cache folder meanwhile: on tmpfs, an overlay, through FUSE, full, or one where the list was killed.
    QTest::addColumn<QString>("cache");
    QTest::addColumn<QByteArray>("told");
    QTest::addColumn<QString>("refused"); // the folder the message names: "program" or "cache"
    // clang-format off
    QTest::newRow("killed while the list waits in a cache without unnamed files: the next save sweeps it") << u"killed"_s << QByteArray("saved||") << QString();
    QTest::newRow("the cache folder on tmpfs: documents, the program folder named") << u"tmpfs"_s << QByteArray("documents|||folder: нет прав на запись") << u"program"_s;
    QTest::newRow("the cache folder an overlay on tmpfs: documents, the program folder named") << u"overlay on tmpfs"_s << QByteArray("documents|||folder: нет прав на запись") << u"program"_s;
    QTest::newRow("the cache folder an overlay on a disk: the list waits there") << u"overlay on a disk"_s << QByteArray("saved||") << QString();
    QTest::newRow("the cache folder through FUSE over tmpfs: documents, the program folder named") << u"FUSE"_s << QByteArray("documents|||folder: нет прав на запись") << u"program"_s;
    QTest::newRow("NIK.log and the cache folder through one FUSE mount: the list waits there") << u"FUSE with NIK.log"_s << QByteArray("saved||") << QString();
    QTest::newRow("the cache folder full: documents, the full one named") << u"full"_s << QByteArray("documents|||keep aside: на диске не хватает места") << u"cache"_s;
    QTest::newRow("the cache folder full as the list is synced there: the same") << u"full at sync"_s << QByteArray("documents|||keep aside: на диске не хватает места") << u"cache"_s;
    QTest::newRow("the cache folder full as a long list is written there, before its sync: the same") << u"full, a long list"_s << QByteArray("documents|||keep aside: на диске не хватает места") << u"cache"_s;
    // clang-format on
}

void TstLogFile::listKeptAsideOnlyWhereItLasts()
{
    QFETCH(QString, cache);
    QTemporaryDir shm(u"/dev/shm/quillmark-test-XXXXXX"_s);
    if ((cache.contains(u"tmpfs") || cache.startsWith(u"FUSE")) && !shm.isValid())
        QSKIP("no tmpfs at /dev/shm here");
    const QString cacheHome = cache == u"tmpfs" ? shm.path() : m_dir->filePath(u"cache"_s);
    QString mounted;
    const auto unmount = qScopeGuard([&] { ::umount2(QFile::encodeName(mounted).constData(), MNT_DETACH); });
    if (cache.startsWith(u"overlay")) {
        // Over the cache folder, its new files going to a folder on tmpfs or beside the test's.
        const QString below = cache.endsWith(u"tmpfs") ? shm.path() : m_dir->path();
        const QByteArray options =
            QFile::encodeName(u"lowerdir=%1,upperdir=%2/new files,workdir=%2/work"_s.arg(cacheHome, below));
        mounted = cacheHome;
        for (const QString &folder : {below + u"/new files"_s, below + u"/work"_s, mounted})
            QVERIFY(QDir().mkpath(folder));
        if (::mount("overlay", QFile::encodeName(mounted).constData(), "overlay", 0, options.constData()))
            QSKIP("an overlay needs root where mounting is allowed");
    } else if (cache.startsWith(u"FUSE")) {
        if (::geteuid() != 0 || QStandardPaths::findExecutable(u"bindfs"_s).isEmpty())
            QSKIP("a FUSE folder needs bindfs and root");
        mounted = cache == u"FUSE" ? cacheHome : m_dir->path(); // or the test's whole folder, NIK.log's too
        QVERIFY(cache == u"FUSE" ||
                (QDir(m_programFolder).removeRecursively() && QDir(m_fallbackFolder).removeRecursively() &&
                 QDir(m_dir->filePath(u"session"_s)).removeRecursively()));
        for (const QString &folder : {mounted, shm.path() + u"/program"_s, shm.path() + u"/documents"_s})
            QVERIFY(QDir().mkpath(folder));
        QCOMPARE(QProcess::execute(u"bindfs"_s, {shm.path(), mounted}), 0);
    }
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cacheHome));
    QVERIFY(writeFile(m_log, OldLog));
    const auto faults = [&](bool kill) {
        return [&, kill, opens = 0, cacheOpens = 0](const QByteArray &calls) mutable {
            // The program folder's first open is NIK.log's; it has no unnamed files and refuses new ones.
            if ((calls == "open" || (calls.endsWith(" open") && !calls.endsWith("cache open"))) &&
                ++opens > 1)
                return opens == 2 ? EOPNOTSUPP : EACCES;
            if (kill && calls.endsWith("cache open") && ++cacheOpens == 1)
                return EOPNOTSUPP; // no unnamed files: the list waits under a name
            if (kill && calls.endsWith("cache write"))
                ::_exit(9);
            const char *const fills =
                cache == u"full at sync" ? "cache fsync" : "cache write"; // meets a full disk
            return cache.startsWith(u"full") && calls.endsWith(fills) ? ENOSPC : 0;
        };
    };
    const QString ours = cacheHome + u"/quillmark"_s;
    const auto saveOne = [this](const SystemCalls &calls) { save({u"AB"_s}, nullptr, calls); };
    // A list past a write block is written as it is rendered, before the save syncs it.
    QStringList nicks{u"AB"_s, u"CD"_s};
    for (int i = 0; cache.endsWith(u"long list") && i < 120'000; ++i)
        nicks << u"QWERTYUIOP"_s;
    QByteArray list;
    for (const QString &nick : std::as_const(nicks))
        list += nick.toLatin1() + "\r\n";
    if (cache == u"killed") {
        QVERIFY(killedIn(m_programFolder, faults(true), saveOne, ours));
        QCOMPARE(QDir(ours).entryList(QDir::Files | QDir::Hidden).filter(u"unfinished"_s).size(), 1);
    }
    QFETCH(QString, refused);
    {
        SeamFaults seam(m_programFolder, faults(false));
        seam.watch(ours, "cache");
        const SaveOutcome outcome = save(nicks, nullptr, seam.calls);
        QTEST(toldBy(outcome), "told");
        const QString named = refused == u"program" ? m_programFolder : refused.isEmpty() ? QString() : ours;
        QCOMPARE(outcome.refused ? QFile::decodeName(outcome.refused->refuser) : QString(), named);
    }
    QCOMPARE(readAll(m_log), refused.isEmpty() ? list : OldLog);
    QCOMPARE(readAll(m_fallbackFolder + u"/NIK.log"_s), refused.isEmpty() ? QByteArray("<missing>") : list);
    QCOMPARE(leftInProgramFolder(), QStringList{u"NIK.log"_s});
    QCOMPARE(QDir(ours).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TstLogFile::whatAPowerCutLeavesOfADisk_data()
{
    // A file system by its type and device, under mounts added to a root ext4 on the disk vda and a
    // tmpfs at /dev/shm, and files of /sys added to vda's ("path=text"; a slave's name alone lists it).
    QTest::addColumn<QString>("type");
    QTest::addColumn<QByteArray>("device");
    QTest::addColumn<QByteArray>("mounts");
    QTest::addColumn<QByteArrayList>("sys");
    QTest::addColumn<QString>("life");
    const auto block = [](const QByteArray &device, const QByteArray &name, const QByteArray &type = "disk") {
        return "/sys/dev/block/" + device + "/uevent=MAJOR=7\nDEVNAME=" + name + "\nDEVTYPE=" + type + '\n';
    };
    const auto loop = [&](const QByteArray &device, const QByteArray &file) {
        return QByteArrayList{block(device, "loop" + device.mid(2)),
                              "/sys/dev/block/" + device + "/loop/backing_file=" + file + '\n'};
    };
    const QByteArray cacheOn = "3 1 7:0 / /home/u/.cache rw - ext4 /dev/loop0 rw\n";
    const auto overlay = [](const QByteArray &upper) {
        return "9 1 0:40 / /home/u/.cache rw - overlay overlay rw,lowerdir=/l,upperdir=" + upper +
               ",workdir=/w\n";
    };
    // clang-format off
    QTest::newRow("a disk: kept") << u"ext4"_s << QByteArray("254:0") << QByteArray() << QByteArrayList() << u"kept"_s;
    QTest::newRow("no block device below (NFS): kept") << u"nfs"_s << QByteArray("0:50") << QByteArray() << QByteArrayList() << u"kept"_s;
    QTest::newRow("a loop device on a file on tmpfs: lost") << u"ext4"_s << QByteArray("7:0") << cacheOn << loop("7:0", "/dev/shm/cache.img") << u"lost"_s;
    QTest::newRow("a loop device on a file on a disk: kept") << u"ext4"_s << QByteArray("7:0") << cacheOn << loop("7:0", "/srv/cache.img") << u"kept"_s;
    QTest::newRow("a loop device on a file in a loop device's file system on tmpfs: lost") << u"ext4"_s << QByteArray("7:1") << QByteArray("3 1 7:0 / /mnt/a rw - ext4 /dev/loop0 rw\n4 1 7:1 / /home/u/.cache rw - ext4 /dev/loop1 rw\n") << loop("7:0", "/dev/shm/a.img") + loop("7:1", "/mnt/a/b.img") << u"lost"_s;
    QTest::newRow("a partition of a loop device on tmpfs: lost") << u"ext4"_s << QByteArray("259:0") << QByteArray("3 1 259:0 / /home/u/.cache rw - ext4 /dev/loop0p1 rw\n") << QByteArrayList{block("259:0", "loop0p1", "partition"), "/sys/dev/block/259:0/../uevent=DEVNAME=loop0\nDEVTYPE=disk", "/sys/dev/block/259:0/../loop/backing_file=/dev/shm/disk.img"} << u"lost"_s;
    QTest::newRow("a loop device whose file was removed: not known") << u"ext4"_s << QByteArray("7:0") << cacheOn << loop("7:0", "/srv/cache.img (deleted)") << u"unknown"_s;
    QTest::newRow("a loop device whose file was since hidden by a mount over its folder: not known") << u"ext4"_s << QByteArray("7:0") << "2 1 0:30 / /data rw - tmpfs tmpfs rw\n" + cacheOn + "4 2 253:0 / /data rw - ext4 /dev/dm-0 rw\n" << loop("7:0", "/data/cache.img") + QByteArrayList{"/sys/dev/block/253:0/uevent=DEVNAME=dm-0"} << u"unknown"_s;
    QTest::newRow("a loop device mounted over its own file's folder: not known") << u"ext4"_s << QByteArray("7:0") << QByteArray("2 1 0:30 / /data rw - tmpfs tmpfs rw\n3 2 7:0 / /data rw - ext4 /dev/loop0 rw\n") << loop("7:0", "/data/cache.img") << u"unknown"_s;
    QTest::newRow("a device without /sys: not known") << u"ext4"_s << QByteArray("7:0") << cacheOn << QByteArrayList() << u"unknown"_s;
    QTest::newRow("zram: lost") << u"ext4"_s << QByteArray("252:0") << QByteArray() << QByteArrayList{block("252:0", "zram0")} << u"lost"_s;
    QTest::newRow("brd's ram disk: lost") << u"ext4"_s << QByteArray("1:0") << QByteArray() << QByteArrayList{block("1:0", "ram0")} << u"lost"_s;
    QTest::newRow("encrypted on a disk: kept") << u"ext4"_s << QByteArray("253:0") << QByteArray() << QByteArrayList{block("253:0", "dm-0"), "/sys/dev/block/253:0/slaves/vda1=", "/sys/class/block/vda1/uevent=DEVNAME=vda1\nDEVTYPE=partition", "/sys/class/block/vda1/../uevent=DEVNAME=vda"} << u"kept"_s;
    QTest::newRow("encrypted on a loop device on tmpfs: lost") << u"ext4"_s << QByteArray("253:0") << QByteArray("3 1 253:0 / /home/u/.cache rw - ext4 /dev/dm-0 rw\n") << QByteArrayList{block("253:0", "dm-0"), "/sys/dev/block/253:0/slaves/loop0=", "/sys/class/block/loop0/uevent=DEVNAME=loop0", "/sys/class/block/loop0/loop/backing_file=/dev/shm/c.img"} << u"lost"_s;
    QTest::newRow("mirrored on a disk and a memory disk: not known") << u"ext4"_s << QByteArray("9:0") << QByteArray() << QByteArrayList{block("9:0", "md0"), "/sys/dev/block/9:0/slaves/vda=", "/sys/dev/block/9:0/slaves/zram0=", "/sys/class/block/vda/uevent=DEVNAME=vda", "/sys/class/block/zram0/uevent=DEVNAME=zram0"} << u"unknown"_s;
    QTest::newRow("an overlay's new files on a disk: kept") << u"overlay"_s << QByteArray("0:40") << overlay("/srv/up") << QByteArrayList() << u"kept"_s;
    QTest::newRow("an overlay's new files on tmpfs: lost") << u"overlay"_s << QByteArray("0:40") << overlay("/dev/shm/up") << QByteArrayList() << u"lost"_s;
    QTest::newRow("an overlay's new files in a folder with a comma, backslash and digits, escaped twice: found") << u"overlay"_s << QByteArray("0:40") << "5 1 0:31 / /srv/a,b\\134c2024 rw - tmpfs tmpfs rw\n" + overlay("/srv/a\\134\\054b\\134\\134c2024/up") << QByteArrayList() << u"lost"_s;
    QTest::newRow("an overlay's new files on tmpfs at a folder a disk was later mounted over: not known") << u"overlay"_s << QByteArray("0:40") << "5 1 0:31 / /scratch rw - tmpfs tmpfs rw\n" + overlay("/scratch/up") + "10 5 254:0 /srv /scratch rw - ext4 /dev/vda rw\n" << QByteArrayList() << u"unknown"_s;
    QTest::newRow("an overlay's new files on a disk mounted over an earlier tmpfs: kept") << u"overlay"_s << QByteArray("0:40") << "5 1 0:31 / /scratch rw - tmpfs tmpfs rw\n6 5 254:0 /srv /scratch rw - ext4 /dev/vda rw\n" + overlay("/scratch/up") << QByteArrayList() << u"kept"_s;
    QTest::newRow("an overlay's new files on another overlay (seen from a container): not known") << u"overlay"_s << QByteArray("0:40") << "5 1 0:39 / /srv rw - overlay overlay rw,upperdir=/dev/shm/u\n" + overlay("/srv/up") << QByteArrayList() << u"unknown"_s;
    QTest::newRow("an overlay's new files in a folder named from where it was mounted: not known") << u"overlay"_s << QByteArray("0:40") << overlay("up") << QByteArrayList() << u"unknown"_s;
    // clang-format on
}

void TstLogFile::whatAPowerCutLeavesOfADisk()
{
    QFETCH(QString, type);
    QFETCH(QByteArray, device);
    QFETCH(QByteArray, mounts);
    QFETCH(QByteArrayList, sys);
    static const QHash<QString, long> Types = {
        {u"ext4"_s, EXT4_SUPER_MAGIC}, {u"nfs"_s, NFS_SUPER_MAGIC}, {u"overlay"_s, OVERLAYFS_SUPER_MAGIC}};
    QMap<QByteArray, QByteArray> files;
    files["/proc/self/mountinfo"] =
        "1 0 254:0 / / rw - ext4 /dev/vda rw\n2 1 0:22 / /dev/shm rw - tmpfs tmpfs rw\n" + mounts;
    files["/sys/dev/block/254:0/uevent"] = "MAJOR=254\nMINOR=0\nDEVNAME=vda\nDEVTYPE=disk\n";
    for (const QByteArray &file : sys)
        files[file.left(file.indexOf('='))] = file.mid(file.indexOf('=') + 1);
    const DiskLife life([&files](const QByteArray &path) { return files.value(path); },
                        [&files](const QByteArray &folder) {
                            QByteArrayList names;
                            for (const QByteArray &path : files.keys()) {
                                if (path.startsWith(folder + '/'))
                                    names << path.mid(folder.size() + 1).split('/').first();
                            }
                            return names;
                        });
    const QByteArrayList numbers = device.split(':');
    static const char *const Lives[] = {"kept", "lost", "unknown"};
    const AfterPowerCut found = life.of(Types.value(type), makedev(numbers[0].toUInt(), numbers[1].toUInt()));
    QTEST(QString::fromLatin1(Lives[int(found)]), "life");
}

void TstLogFile::anInstalledCopySavesIntoDocuments_data()
{
    // The program's folder and the documents folder; where NIK.log goes, and where when that refuses
    // (empty: the user has no such place).
    QTest::addColumn<QByteArray>("program");
    QTest::addColumn<QByteArray>("documents");
    QTest::addColumn<QByteArrayList>("places");
    const QByteArray docs = "/home/u/Documents";
    // clang-format off
    QTest::newRow("a copy in a folder of its own saves beside itself") << QByteArray("/home/u/quillmark") << docs << QByteArrayList{"/home/u/quillmark", docs};
    QTest::newRow("the package's copy: Documents, nowhere else") << QByteArray("/usr/bin") << docs << QByteArrayList{docs};
    QTest::newRow("installed into its prefix: Documents, nowhere else") << QByteArray("/usr/local/bin") << docs << QByteArrayList{docs};
    QTest::newRow("installed, no home: no place at all, even for root") << QByteArray("/usr/bin") << QByteArray() << QByteArrayList();
    QTest::newRow("a copy of its own, no home: beside itself, then none") << QByteArray("/home/u/quillmark") << QByteArray() << QByteArrayList{"/home/u/quillmark", ""};
    // clang-format on
}

void TstLogFile::anInstalledCopySavesIntoDocuments()
{
    QFETCH(QByteArray, program);
    QFETCH(QByteArray, documents);
    const SavePlaces places = SavePlaces::of(program, documents, installFolders());
    QTEST(places.places, "places");
    if (!places.places.isEmpty())
        return;
    // Nothing written, not even where the program was started, and told why.
    const QString started = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    const auto restore = qScopeGuard([&] { QDir::setCurrent(started); });
    QCOMPARE(
        toldBy(NickLog::save(storeOf({u"NIK"_s}), places.places)),
        "failed|программа установлена в систему и в свою папку список не записывает, а домашняя папка не "
        "найдена|");
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void TstLogFile::theHelpPageIsInstalledWithTheProgram_data()
{
    QTest::addColumn<QByteArray>("program");
    QTest::addColumn<QByteArray>("pageFolder");
    QTest::newRow("the package's copy") << QByteArray("/usr/bin") << QByteArray("/usr/share/doc/quillmark");
    QTest::newRow("installed into its prefix")
        << QByteArray("/usr/local/bin") << QByteArray("/usr/local/share/doc/quillmark");
    QTest::newRow("a copy elsewhere, its page not beside it: the package's")
        << QByteArray("/home/u/quillmark") << QByteArray("/usr/share/doc/quillmark");
}

void TstLogFile::theHelpPageIsInstalledWithTheProgram()
{
    QFETCH(QByteArray, program);
    QTEST(installedHelpFolder(program), "pageFolder");
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    TstLogFile test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_logfile.moc"
