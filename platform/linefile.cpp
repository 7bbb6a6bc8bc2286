#include "platform/linefile.h"

#include <QFile>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// A save waits this long for another copy's save into the same folder (a
// save of 100 million nicks takes a few seconds).
constexpr std::chrono::seconds LockWait{15};
// Links followed one after another before giving up, as the kernel does.
constexpr int MaxLinks = 40;

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

mode_t defaultFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

int closeChecked(int fd)
{
    // Linux closes the descriptor even when close() reports an error.
    return ::close(fd) == 0 || errno == EINTR ? 0 : errno;
}

} // namespace

LineFile::LineFile(const QString &path) : m_path(path), m_target(path)
{
    m_block.reserve(BlockSize + 64);
}

LineFile::~LineFile()
{
    cancel();
}

bool LineFile::open()
{
    if (!resolveTarget() || !lockFolder())
        return false;
    removeLeftovers();

    const QByteArray target = QFile::encodeName(m_target);
    struct stat old
    {
    };
    const bool replacing = ::lstat(target.constData(), &old) == 0 && S_ISREG(old.st_mode);
    // Only names that a user would hardly give a file of their own
    // ("NIK.log.backup" stays untouched by the clean-up of leftovers).
    const QString fileName = QFile::decodeName(target.mid(target.lastIndexOf('/') + 1));
    do {
        if (m_fd >= 0) {
            ::close(m_fd);
            ::unlink(m_temp.constData());
        }
        m_temp = target + ".XXXXXX";
        m_fd = ::mkostemp(m_temp.data(), O_CLOEXEC);
        if (m_fd < 0) {
            m_temp.clear();
            return fail(errno);
        }
    } while (!isTemporaryName(QFile::decodeName(m_temp.mid(m_temp.lastIndexOf('/') + 1)), fileName));
    // The new file keeps the old one's permissions, or gets a new file's.
    if (::fchmod(m_fd, replacing ? (old.st_mode & 07777) : defaultFileMode()) != 0)
        return fail(errno);
    return true;
}

// Follows the path through links only while every link and the file at the
// end belong to this user; a link someone else put there, or one leading to
// someone else's file, is refused, so Save never overwrites another's file.
bool LineFile::resolveTarget()
{
    QByteArray path = QFile::encodeName(m_path);
    bool throughLink = false;
    for (int hops = 0;; ++hops) {
        struct stat st
        {
        };
        if (::lstat(path.constData(), &st) != 0) {
            m_target = QFile::decodeName(path);
            // Missing: the save creates it; any other error is the save's.
            return errno == ENOENT || fail(errno);
        }
        if (S_ISLNK(st.st_mode)) {
            if (st.st_uid != ::geteuid())
                return fail(0, Refusal::ForeignLink);
            if (hops == MaxLinks)
                return fail(ELOOP);
            QByteArray next(PATH_MAX, '\0');
            const ssize_t size = ::readlink(path.constData(), next.data(), next.size());
            if (size < 0)
                return fail(errno);
            next.truncate(size);
            path = next.startsWith('/') ? next : folderOf(path) + '/' + next;
            throughLink = true;
            continue;
        }
        m_target = QFile::decodeName(path);
        if (S_ISDIR(st.st_mode))
            return fail(EISDIR);
        if (!S_ISREG(st.st_mode))
            return true;
        if (throughLink && st.st_uid != ::geteuid())
            return fail(0, Refusal::ForeignLink);
        // Ask the system whether this user may change the file; without
        // O_TRUNC nothing in it changes.
        const int probe = ::open(path.constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (probe < 0)
            return fail(errno);
        ::close(probe);
        return true;
    }
}

// Saves into one folder take turns between running copies: a lock file
// beside the target, locked with flock(), which the kernel releases when
// its holder dies. The holder removes it when done; a waiter that finds it
// was replaced meanwhile locks the new one.
bool LineFile::lockFolder()
{
    m_lock = QFile::encodeName(m_target) + ".lock";
    const auto deadline = std::chrono::steady_clock::now() + LockWait;
    for (;;) {
        m_lockFd = ::open(m_lock.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (m_lockFd < 0)
            return fail(errno);
        while (::flock(m_lockFd, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EINTR)
                continue;
            if (errno != EWOULDBLOCK) {
                // A file system without locks: save as before, untouched by others.
                unlockFolder();
                return true;
            }
            if (std::chrono::steady_clock::now() > deadline)
                return fail(0, Refusal::Busy);
            if (m_waitHandler && !m_waitHandler())
                return fail(ECANCELED);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        struct stat held
        {
        };
        struct stat named
        {
        };
        if (::fstat(m_lockFd, &held) == 0 && ::stat(m_lock.constData(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino)
            return true;
        ::close(m_lockFd);
        m_lockFd = -1;
    }
}

void LineFile::unlockFolder()
{
    if (m_lockFd < 0)
        return;
    ::unlink(m_lock.constData());
    ::close(m_lockFd);
    m_lockFd = -1;
}

// Temporary files of saves that crashed. Only while the lock is held: then
// no running copy is writing one.
void LineFile::removeLeftovers()
{
    if (m_lockFd < 0)
        return;
    const QByteArray target = QFile::encodeName(m_target);
    const QByteArray folder = folderOf(target);
    const QString fileName = QFile::decodeName(target.mid(target.lastIndexOf('/') + 1));
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        if (!isTemporaryName(QFile::decodeName(entry->d_name), fileName))
            continue;
        const QByteArray leftover = folder + '/' + entry->d_name;
        struct stat st
        {
        };
        if (::lstat(leftover.constData(), &st) == 0 && S_ISREG(st.st_mode))
            ::unlink(leftover.constData());
    }
    ::closedir(dir);
}

bool LineFile::isTemporaryName(const QString &name, const QString &fileName)
{
    // mkostemp() puts six letters or digits after "<file>."; the saves keep
    // only names with a capital and a digit among them, which a word such as
    // "backup" or "before" never has.
    if (name.size() != fileName.size() + 7 || !name.startsWith(fileName + u'.'))
        return false;
    bool capital = false;
    bool digit = false;
    for (qsizetype i = fileName.size() + 1; i < name.size(); ++i) {
        const char16_t c = name.at(i).unicode();
        capital = capital || (c >= u'A' && c <= u'Z');
        digit = digit || (c >= u'0' && c <= u'9');
        if (!((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9')))
            return false;
    }
    return capital && digit;
}

bool LineFile::writeLine(QByteArrayView line)
{
    if (m_failed)
        return false;
    m_block.append(line.data(), line.size());
    m_block.append(LineEnd.data(), LineEnd.size());
    if (m_block.size() >= BlockSize)
        return writeBlock();
    return true;
}

bool LineFile::writeLines(QByteArrayView lines)
{
    if (m_failed)
        return false;
    if (m_block.size() + lines.size() < BlockSize) {
        m_block.append(lines.data(), lines.size());
        return true;
    }
    return writeBlock() && writeAll(lines);
}

bool LineFile::writeBlock()
{
    if (!writeAll(m_block))
        return false;
    // resize(), not clear(): clear() would give the block's memory back.
    m_block.resize(0);
    return true;
}

bool LineFile::writeAll(QByteArrayView bytes)
{
    if (m_fd < 0)
        return fail(EBADF);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(m_fd, bytes.data() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return fail(written == 0 ? ENOSPC : errno);
        done += written;
    }
    return true;
}

bool LineFile::sync()
{
    if (m_failed || !writeBlock())
        return false;
    return ::fsync(m_fd) == 0 || fail(errno);
}

bool LineFile::commit()
{
    if (!sync())
        return false;
    const int fd = m_fd;
    m_fd = -1;
    if (const int error = closeChecked(fd))
        return fail(error);
    const QByteArray target = QFile::encodeName(m_target);
    if (::rename(m_temp.constData(), target.constData()) != 0)
        return fail(errno);
    m_temp.clear();
    // Without this a power cut can bring the old file back.
    const int folder = ::open(folderOf(target).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        const int synced = ::fsync(folder) == 0 ? 0 : errno;
        ::close(folder);
        // Some file systems cannot sync a folder; that is no failure.
        if (synced != 0 && synced != EINVAL && synced != ENOTSUP && synced != EROFS && synced != ENOSYS)
            return fail(synced);
    }
    unlockFolder();
    return true;
}

void LineFile::cancel()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temp.isEmpty()) {
        ::unlink(m_temp.constData());
        m_temp.clear();
    }
    unlockFolder();
    m_block.clear();
}

bool LineFile::fail(int code, Refusal refusal)
{
    m_failed = true;
    m_errno = code;
    m_refusal = refusal;
    m_errorPath = refusal == Refusal::ForeignLink ? m_path : m_target;
    cancel();
    return false;
}
