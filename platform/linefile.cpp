#include "platform/linefile.h"

#include <QByteArrayList>
#include <QCryptographicHash>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/xattr.h>
#include <thread>
#include <unistd.h>

namespace {

// A save waits this long for another copy's save into the same file (a save
// of 100 million nicks takes a few seconds).
constexpr std::chrono::seconds LockWait{15};
// Links followed one after another before giving up, as the kernel does.
constexpr int MaxLinks = 40;
// What follows ".<file name>" in the names of this program's temporary
// files, and "<file name>" in those of a full list being copied into the
// file; how many random letters end them.
constexpr QByteArrayView TemporaryMark{".quillmark-unfinished-save-"};
constexpr QByteArrayView FullListMark{".quillmark-full-list-"};
constexpr qsizetype TemporaryLetters = 6;
constexpr QByteArrayView AccessAcl{"system.posix_acl_access"};

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

int closeChecked(int fd)
{
    // Linux closes the descriptor even when close() reports an error.
    return ::close(fd) == 0 || errno == EINTR ? 0 : errno;
}

// Tries names of the prefix and random letters until `attempt` does not
// answer EEXIST; returns its last errno, 0 on success.
template <typename Attempt> int withRandomName(const QByteArray &prefix, QByteArray &name, Attempt attempt)
{
    static constexpr char Letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    int error = EEXIST;
    for (int tries = 0; tries < 100 && error == EEXIST; ++tries) {
        name = prefix;
        for (qsizetype i = 0; i < TemporaryLetters; ++i)
            name += Letters[QRandomGenerator::system()->bounded(int(sizeof Letters - 1))];
        error = attempt(name) ? 0 : errno;
    }
    if (error != 0)
        name.clear();
    return error;
}

// An attribute list or value read whole, though it may grow between the
// call that sizes it and the call that reads it.
template <typename Read> bool readSized(QByteArray &out, Read read)
{
    for (;;) {
        ssize_t size = read(nullptr, 0);
        if (size < 0)
            return false;
        out.resize(size);
        size = read(out.data(), size_t(size));
        if (size >= 0) {
            out.resize(size);
            return true;
        }
        if (errno != ERANGE)
            return false;
    }
}

// The path with its folders as the system names them, so that a relative
// link's "../other/" does not pile up in the path a message shows; names
// past the last folder that is there stay as they are.
QByteArray plainPath(const QByteArray &path)
{
    QByteArray folder = folderOf(path);
    QByteArray rest = path.mid(folder == "/" ? 0 : folder.size());
    for (;;) {
        if (char *real = ::realpath(folder.constData(), nullptr)) {
            const QByteArray plain = qstrcmp(real, "/") == 0 ? QByteArray() : QByteArray(real);
            ::free(real);
            return plain + rest;
        }
        if ((errno != ENOENT && errno != ENOTDIR) || folder == "/" || !folder.startsWith('/'))
            return path;
        const QByteArray up = folderOf(folder);
        rest = folder.mid(up == "/" ? 0 : up.size()) + rest;
        folder = up;
    }
}

// Whether two looks at a path found the same file, unchanged: an inode
// number alone may already be another file's.
// A FIFO's or terminal's times change as it is written, so only a file's count.
bool sameFile(const struct stat &one, const struct stat &other)
{
    return one.st_dev == other.st_dev && one.st_ino == other.st_ino &&
           (one.st_mode & S_IFMT) == (other.st_mode & S_IFMT) && one.st_uid == other.st_uid &&
           (!S_ISREG(one.st_mode) ||
            (one.st_ctim.tv_sec == other.st_ctim.tv_sec && one.st_ctim.tv_nsec == other.st_ctim.tv_nsec));
}

bool isSyncRefusal(int error)
{
    // Some file systems cannot sync a folder; that is no failure.
    return error == EINVAL || error == ENOTSUP || error == EROFS || error == ENOSYS;
}

// A folder where no other user can put, replace or hold a file: a real
// folder of this user's that grants others nothing, in a folder that others
// cannot take it out of.
bool theirsAlone(const QByteArray &folder)
{
    struct stat st
    {
    };
    struct stat parent
    {
    };
    const uid_t me = ::geteuid();
    return folder.startsWith('/') && ::lstat(folder.constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == me && (st.st_mode & 077) == 0 && ::stat(folderOf(folder).constData(), &parent) == 0 &&
           (parent.st_uid == me || parent.st_uid == 0) &&
           ((parent.st_mode & 022) == 0 || (parent.st_mode & S_ISVTX) != 0);
}

// The folder, made when missing; empty unless it is the user's alone
// (anyone may have made that name first).
QByteArray ownFolder(const QByteArray &folder)
{
    ::mkdir(folder.constData(), 0700);
    return theirsAlone(folder) ? folder : QByteArray();
}

// This program's folder in the user's cache folder, which outlives the
// session, made when missing if asked; empty when there is none of the
// user's alone.
QByteArray cacheFolder(bool make = true)
{
    QByteArray cache = qgetenv("XDG_CACHE_HOME");
    if (!cache.startsWith('/')) {
        const QByteArray home = qgetenv("HOME");
        if (!home.startsWith('/'))
            return {};
        cache = home + "/.cache";
    }
    if (!make)
        return theirsAlone(cache + "/quillmark") ? cache + "/quillmark" : QByteArray();
    ::mkdir(cache.constData(), 0700);
    return ownFolder(cache + "/quillmark");
}

// Where the lock goes: the user's runtime folder, else this program's in
// the user's cache folder, else one of the user's in the temporary folder;
// empty when none of them is the user's alone.
QByteArray privateFolder()
{
    const QByteArray uid = QByteArray::number(::geteuid());
    for (const QByteArray &runtime : {qgetenv("XDG_RUNTIME_DIR"), "/run/user/" + uid}) {
        if (theirsAlone(runtime))
            return runtime;
    }
    if (QByteArray cache = cacheFolder(); !cache.isEmpty())
        return cache;
    QByteArray temporary = qgetenv("TMPDIR");
    if (!temporary.startsWith('/'))
        temporary = "/tmp";
    return ownFolder(temporary + "/quillmark-" + uid);
}

} // namespace

LineFile::LineFile(const QByteArray &path) : m_path(path), m_target(path)
{
    m_block.reserve(BlockSize + 64);
}

LineFile::~LineFile()
{
    cancel();
}

bool LineFile::open()
{
    if (!m_path.startsWith('/'))
        return fail(0, Place::Folder, Refusal::NotAbsolute);
    if (m_path.size() >= PATH_MAX)
        return fail(ENAMETOOLONG, Place::File, Refusal::PathTooLong);
    if (!resolveTarget())
        return false;
    if (m_target.size() >= PATH_MAX)
        return fail(ENAMETOOLONG, Place::File, Refusal::PathTooLong);
    m_folder = folderOf(m_target);
    m_name = m_target.mid(m_target.lastIndexOf('/') + 1);
    // Every later step goes through this folder, whatever happens to its path.
    m_folderFd = ::open(m_folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat folder
    {
    };
    if (m_folderFd < 0 || ::fstat(m_folderFd, &folder) != 0)
        return fail(errno, Place::Folder);
    // The folder's device and inode and the file name: what belongs to this
    // file in the user's own folders.
    m_key = QByteArray::number(quint64(folder.st_dev), 16) + '-' +
            QByteArray::number(quint64(folder.st_ino), 16) + '-' +
            QCryptographicHash::hash(m_name, QCryptographicHash::Sha1).toHex().left(16);
    lock();
    // The file is found anew once the lock is held: another copy's save may
    // have made or replaced it meanwhile.
    const QByteArray target = m_target;
    if (m_failed || !resolveTarget())
        return false;
    if (m_target != target)
        return fail(0, Place::File, Refusal::Changed);
    removeLeftovers();

    if (m_existed) {
        // Opened first, so the system says whether this user may change it.
        // O_NONBLOCK: a FIFO without a reader refuses at once, not never.
        m_targetFd = ::openat(m_folderFd, m_name.constData(),
                              O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (m_targetFd < 0 || ::fstat(m_targetFd, &m_old) != 0)
            return failAtName(errno);
        // What was opened is what was checked: nobody put another file there meanwhile.
        if (!sameFile(m_old, m_seen))
            return fail(0, Place::File, Refusal::Changed);
        ::fcntl(m_targetFd, F_SETFL, ::fcntl(m_targetFd, F_GETFL) & ~O_NONBLOCK);
        if (!S_ISREG(m_old.st_mode)) {
            // A FIFO or device is written into, as any program writes to it.
            m_mode = Mode::Direct;
            std::swap(m_fd, m_targetFd);
            return true;
        }
        if (!finishEarlierCopy())
            return false;
    }
    m_mode = Mode::CopyIn;
    if (const int error = openTemporary(m_folderFd)) {
        // A folder that takes no new file, holding a file this user may
        // change: the new list waits in the user's cache folder, and is
        // copied into the file.
        if (!m_existed || (error != EACCES && error != EPERM))
            return fail(error, Place::Folder);
        m_cache = cacheFolder();
        m_cacheFd = m_cache.isEmpty() ? -1 : ::open(m_cache.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        return (m_cacheFd >= 0 && openTemporary(m_cacheFd) == 0) || fail(error, Place::Folder);
    }
    if (m_existed && (m_old.st_nlink > 1 || !keepWhatTheUserSet()))
        return true;
    m_mode = Mode::Replace;
    if (m_targetFd >= 0) {
        ::close(m_targetFd);
        m_targetFd = -1;
    }
    return true;
}

// Follows the path through links only while every link and the file at the
// end belong to this user; a link someone else put there, or one leading to
// someone else's file, is refused, so Save never writes another's file.
bool LineFile::resolveTarget()
{
    QByteArray path = m_path;
    m_existed = false;
    for (int hops = 0;; ++hops) {
        struct stat st
        {
        };
        if (::lstat(path.constData(), &st) != 0) {
            m_target = path;
            // Missing: the save creates it; else the way to it is refused.
            return errno == ENOENT || fail(errno, Place::Folder);
        }
        if (S_ISLNK(st.st_mode)) {
            if (st.st_uid != ::geteuid())
                return fail(0, Place::File, Refusal::ForeignLink);
            if (hops == MaxLinks)
                return fail(ELOOP);
            QByteArray next(PATH_MAX, '\0');
            const ssize_t size = ::readlink(path.constData(), next.data(), size_t(next.size()));
            if (size < 0)
                return fail(errno);
            next.truncate(size);
            path = plainPath(next.startsWith('/') ? next : folderOf(path) + '/' + next);
            continue;
        }
        m_target = path;
        if (S_ISDIR(st.st_mode))
            return fail(EISDIR);
        m_existed = true;
        m_seen = st;
        const bool ours = st.st_uid == ::geteuid();
        if (S_ISREG(st.st_mode))
            return ours || !throughLink() || fail(0, Place::File, Refusal::ForeignLink);
        // Anything else is the user's own, or a character device of the
        // system's such as /dev/null; another user's FIFO or terminal is not
        // written.
        if (ours || (S_ISCHR(st.st_mode) && st.st_uid == 0))
            return true;
        return fail(0, Place::File, throughLink() ? Refusal::ForeignLink : Refusal::ForeignFile);
    }
}

// An unnamed file in the folder, which a crash leaves nowhere; where the
// file system has none, a file with this program's mark in its name.
// Mode 0666 as any program's new file: the umask and the folder's default
// ACL shape it just the same.
int LineFile::openTemporary(int folderFd)
{
    m_fd = ::openat(folderFd, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (m_fd >= 0)
        return 0;
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        return errno;
    return withRandomName('.' + m_name + TemporaryMark.toByteArray(), m_temp, [&](const QByteArray &name) {
        m_fd = ::openat(folderFd, name.constData(), O_CREAT | O_EXCL | O_RDWR | O_NOFOLLOW | O_CLOEXEC, 0666);
        return m_fd >= 0;
    });
}

// Gives the new file the old one's owner, group, extended attributes (the
// ACL among them) and mode; false when any of it cannot be kept.
bool LineFile::keepWhatTheUserSet()
{
    struct stat made
    {
    };
    if (::fstat(m_fd, &made) != 0)
        return false;
    if ((made.st_uid != m_old.st_uid || made.st_gid != m_old.st_gid) &&
        ::fchown(m_fd, m_old.st_uid, m_old.st_gid) != 0)
        return false;
    QByteArray names;
    if (!readSized(names, [this](char *out, size_t size) { return ::flistxattr(m_targetFd, out, size); }))
        return errno == ENOTSUP && ::fchmod(m_fd, m_old.st_mode & 07777) == 0;
    bool hasAcl = false;
    for (const QByteArray &name : names.split('\0')) {
        if (name.isEmpty())
            continue;
        hasAcl = hasAcl || name == AccessAcl;
        QByteArray value;
        if (!readSized(value,
                       [&](char *out, size_t size) {
                           return ::fgetxattr(m_targetFd, name.constData(), out, size);
                       }) ||
            ::fsetxattr(m_fd, name.constData(), value.constData(), size_t(value.size()), 0) != 0)
            return false;
    }
    // An ACL the new file took from the folder's default ACL, which the old
    // file did not have, goes.
    if (!hasAcl && ::fremovexattr(m_fd, AccessAcl.data()) != 0 && errno != ENODATA && errno != ENOTSUP)
        return false;
    return ::fchmod(m_fd, m_old.st_mode & 07777) == 0;
}

// Saves into one file take turns between the user's running copies: a lock
// file in a folder of the user's alone, named by the file's key, locked with
// flock(), which the kernel releases when its holder dies. The holder
// removes it when done; a waiter that finds it was replaced meanwhile locks
// the new one. No other user can reach it; where there is no safe place for
// it the save goes on without it, and says so.
void LineFile::lock()
{
    const QByteArray folder = privateFolder();
    m_unlocked = true;
    if (folder.isEmpty())
        return;
    m_lock = folder + "/quillmark-save-" + m_key + ".lock";
    const auto deadline = std::chrono::steady_clock::now() + LockWait;
    for (;;) {
        m_lockFd = ::open(m_lock.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (m_lockFd < 0)
            return;
        while (::flock(m_lockFd, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EINTR)
                continue;
            if (errno != EWOULDBLOCK) {
                ::close(m_lockFd);
                m_lockFd = -1;
                return;
            }
            if (std::chrono::steady_clock::now() > deadline) {
                // Not ours to remove: another copy holds it.
                ::close(std::exchange(m_lockFd, -1));
                fail(0, Place::File, Refusal::Busy);
                return;
            }
            if (m_waitHandler && !m_waitHandler()) {
                ::close(std::exchange(m_lockFd, -1));
                fail(ECANCELED);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        struct stat held
        {
        };
        struct stat named
        {
        };
        if (::fstat(m_lockFd, &held) == 0 && ::lstat(m_lock.constData(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
            m_unlocked = false;
            return;
        }
        ::close(m_lockFd);
        m_lockFd = -1;
    }
}

void LineFile::unlock()
{
    if (m_lockFd < 0)
        return;
    ::unlink(m_lock.constData());
    ::close(m_lockFd);
    m_lockFd = -1;
}

namespace {

// Calls `found` with each regular file of this user in the folder whose name
// is the prefix and six more letters, this program's marked names.
template <typename Found> void forEachMarked(int folderFd, const QByteArray &prefix, Found found)
{
    const int fd = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *dir = fd < 0 ? nullptr : ::fdopendir(fd);
    if (!dir) {
        if (fd >= 0)
            ::close(fd);
        return;
    }
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArrayView name(entry->d_name);
        struct stat st
        {
        };
        if (name.size() == prefix.size() + TemporaryLetters && name.startsWith(prefix) &&
            ::fstatat(folderFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == ::geteuid())
            found(QByteArray(entry->d_name));
    }
    ::closedir(dir);
}

} // namespace

QByteArray LineFile::fullListPrefix(bool inCache) const
{
    return (inCache ? m_key + '-' : QByteArray()) + m_name + FullListMark.toByteArray();
}

// Temporary files of this user's saves that crashed: only names with this
// program's mark, only regular files of this user, only while the lock is
// held, when none of the user's running copies is writing one.
void LineFile::removeLeftovers()
{
    if (m_lockFd < 0)
        return;
    forEachMarked(m_folderFd, '.' + m_name + TemporaryMark.toByteArray(),
                  [this](const QByteArray &name) { ::unlinkat(m_folderFd, name.constData(), 0); });
}

// A full list that a crash left while it was being copied into the file, in
// its folder or the user's cache folder: where the file holds the start of
// that list and nothing else, the rest is copied in and the list's file
// goes; else both stay as they are. Only while the lock is held.
bool LineFile::finishEarlierCopy()
{
    if (m_lockFd < 0)
        return true;
    for (const bool inCache : {false, true}) {
        if (inCache) {
            m_cache = cacheFolder(false);
            m_cacheFd =
                m_cache.isEmpty() ? -1 : ::open(m_cache.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (m_cacheFd < 0)
                return true;
        }
        const int folderFd = inCache ? m_cacheFd : m_folderFd;
        QByteArrayList found;
        forEachMarked(folderFd, fullListPrefix(inCache), [&](const QByteArray &name) { found << name; });
        for (const QByteArray &name : std::as_const(found)) {
            const int fd = ::openat(folderFd, name.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
            struct stat st
            {
            };
            const bool finished = fd >= 0 && ::fstat(fd, &st) == 0 && st.st_nlink == 1 &&
                                  finishCopy(fd, (inCache ? m_cache : m_folder) + '/' + name, st.st_size);
            if (fd >= 0)
                ::close(fd);
            if (m_failed)
                return false;
            if (finished)
                ::unlinkat(folderFd, name.constData(), 0);
        }
    }
    ::close(std::exchange(m_cacheFd, -1));
    m_cache.clear();
    return true;
}

// Finishes an earlier copy of the full list (`size` bytes at `path`) into the
// file when the file holds the start of it and nothing else; false when it
// does not, or the copy failed (then told: the file holds part of that list).
bool LineFile::finishCopy(int fullListFd, const QByteArray &path, qint64 size)
{
    const int fileFd = ::openat(m_folderFd, m_name.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st
    {
    };
    bool isStart = fileFd >= 0 && ::fstat(fileFd, &st) == 0 && st.st_ino == m_old.st_ino &&
                   st.st_dev == m_old.st_dev && st.st_size <= size;
    QByteArray held(BlockSize, Qt::Uninitialized);
    QByteArray full(BlockSize, Qt::Uninitialized);
    m_heldLines = m_heldBytes = 0;
    for (qint64 offset = 0; isStart && offset < st.st_size;) {
        const ssize_t got = ::pread(fileFd, held.data(), size_t(held.size()), offset);
        isStart = got > 0 && ::pread(fullListFd, full.data(), size_t(got), offset) == got &&
                  std::memcmp(held.constData(), full.constData(), size_t(got)) == 0;
        if (isStart)
            countLines(held.constData(), got, offset);
        offset += got;
    }
    if (fileFd >= 0)
        ::close(fileFd);
    if (!isStart)
        return false;
    m_finishing = true;
    m_damaged = true;
    m_fullList = path;
    if (!copyRange(fullListFd, st.st_size, size))
        return false;
    if (::fsync(m_targetFd) != 0) {
        m_copyUnconfirmed = true;
        return fail(errno);
    }
    m_finishing = false;
    m_damaged = false;
    m_fullList.clear();
    m_heldLines = m_heldBytes = 0;
    // The file is as the save left it; only another's change counts from here.
    return ::fstat(m_targetFd, &m_seen) == 0 || fail(errno);
}

// Counts the whole lines among bytes now in the file at `offset`.
void LineFile::countLines(const char *bytes, qint64 size, qint64 offset)
{
    m_heldLines += std::count(bytes, bytes + size, '\n');
    if (const void *last = ::memrchr(bytes, '\n', size_t(size)))
        m_heldBytes = offset + (static_cast<const char *>(last) - bytes) + 1;
}

// Copies bytes from `offset` to `end` of the file `from` into the same place
// of the file itself, counting the whole lines it then holds. On a failure
// the file is cut back to its last whole line, if it can be.
bool LineFile::copyRange(int from, qint64 offset, qint64 end)
{
    QByteArray buffer(BlockSize, Qt::Uninitialized);
    while (offset < end) {
        const ssize_t got =
            ::pread(from, buffer.data(), size_t(std::min<qint64>(BlockSize, end - offset)), offset);
        if (got < 0 && errno == EINTR)
            continue;
        ssize_t done = 0;
        int error = got < 0 ? errno : got == 0 ? EIO : 0;
        while (error == 0 && done < got) {
            const ssize_t put =
                ::pwrite(m_targetFd, buffer.constData() + done, size_t(got - done), offset + done);
            if (put > 0)
                done += put;
            else if (put == 0 || errno != EINTR)
                error = put == 0 ? ENOSPC : errno;
        }
        countLines(buffer.constData(), done, offset);
        offset += done;
        if (error != 0) {
            [[maybe_unused]] const int cut = ::ftruncate(m_targetFd, m_heldBytes);
            return fail(error);
        }
    }
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
        m_written += written;
        m_synced = false;
    }
    startWriteback();
    return true;
}

void LineFile::startWriteback()
{
    // The disk starts on what was written while the rest is still being
    // rendered, instead of all of it waiting for the sync at the end; and
    // the writing runs at most a few steps ahead of the disk, so that on a
    // slow disk the progress follows the disk and a stop is heeded within
    // those steps, not after the whole list has gone through a final sync
    // nobody can interrupt. None of this makes the data durable: the sync
    // still decides whether the save happened, so a failure here (a pipe,
    // a file system without it) changes nothing.
    constexpr qint64 WritebackStep = 8 * BlockSize;
    constexpr qint64 AheadOfDisk = 4 * WritebackStep;
    if (m_mode == Mode::Direct || m_written - m_writebackFrom < WritebackStep)
        return;
    ::sync_file_range(m_fd, m_writebackFrom, m_written - m_writebackFrom, SYNC_FILE_RANGE_WRITE);
    m_writebackFrom = m_written;
    if (m_written - AheadOfDisk > m_onDisk) {
        ::sync_file_range(m_fd, m_onDisk, m_written - AheadOfDisk - m_onDisk,
                          SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER);
        m_onDisk = m_written - AheadOfDisk;
    }
}

bool LineFile::sync()
{
    if (m_failed || !writeBlock())
        return false;
    if (m_mode == Mode::Direct || m_synced)
        return true;
    // The data is on the disk before the file changes or takes its name,
    // so a power cut leaves the old file or the new one.
    if (::fsync(m_fd) != 0)
        return fail(errno);
    m_synced = true;
    return true;
}

bool LineFile::commit()
{
    if (!sync())
        return false;
    if (m_mode == Mode::Direct) {
        // A FIFO or a terminal cannot be synced, and need not be.
        if (::fsync(m_fd) != 0 && errno != EINVAL && errno != EROFS)
            return fail(errno);
        if (const int error = closeChecked(std::exchange(m_fd, -1)))
            return fail(error);
    } else if (!(m_mode == Mode::CopyIn ? copyIntoTarget() : putInPlace())) {
        return false;
    }
    m_damaged = false;
    cancel();
    return true;
}

bool LineFile::putInPlace()
{
    if (m_temp.isEmpty()) {
        // The unnamed file gets the file's name when there is none there
        // yet, else a temporary name of ours to be renamed.
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_fd);
        const auto link = [&](const QByteArray &name) {
            return ::linkat(AT_FDCWD, self.constData(), m_folderFd, name.constData(), AT_SYMLINK_FOLLOW) == 0;
        };
        if (!m_existed && link(m_name)) {
            m_unconfirmed = closeChecked(std::exchange(m_fd, -1));
            syncFolder();
            return true;
        }
        if (const int error = withRandomName('.' + m_name + TemporaryMark.toByteArray(), m_temp, link))
            return fail(error, Place::Folder);
    }
    if (const int error = closeChecked(std::exchange(m_fd, -1)))
        return fail(error);
    // Only the file the save found is replaced: one someone else put or made
    // there meanwhile is theirs.
    if (nameChanged())
        return fail(0, Place::File, Refusal::Changed);
    if (::renameat(m_folderFd, m_temp.constData(), m_folderFd, m_name.constData()) != 0)
        return failAtName(errno);
    m_temp.clear();
    syncFolder();
    return true;
}

// Whether what stands at the file's name is no longer what the save found
// there: another file, or one where there was none, or none any more.
bool LineFile::nameChanged() const
{
    struct stat st
    {
    };
    if (::fstatat(m_folderFd, m_name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return m_existed && errno == ENOENT;
    return !m_existed || !sameFile(st, m_seen);
}

// A step at the file's name failed: because someone changed what stands
// there, or for the system's reason.
bool LineFile::failAtName(int code)
{
    return nameChanged() ? fail(0, Place::File, Refusal::Changed) : fail(code);
}

// Once the new file has its name the save has happened; without this sync a
// power cut could still bring the old file back, so a failure is told, as a
// warning.
void LineFile::syncFolder()
{
    if (::fsync(m_folderFd) != 0 && !isSyncRefusal(errno) && m_unconfirmed == 0)
        m_unconfirmed = errno;
}

// Gives the synced full list a name of this program's mark, beside the file
// or in the user's cache folder, which stays until the list is in the file.
bool LineFile::nameFullList()
{
    const int folderFd = m_cacheFd >= 0 ? m_cacheFd : m_folderFd;
    int error = 0;
    if (m_temp.isEmpty()) {
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_fd);
        error = withRandomName(fullListPrefix(m_cacheFd >= 0), m_fullListName, [&](const QByteArray &name) {
            return ::linkat(AT_FDCWD, self.constData(), folderFd, name.constData(), AT_SYMLINK_FOLLOW) == 0;
        });
    } else {
        error = withRandomName(fullListPrefix(m_cacheFd >= 0), m_fullListName, [&](const QByteArray &name) {
            struct stat st
            {
            };
            if (::fstatat(folderFd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 || errno != ENOENT) {
                errno = EEXIST;
                return false;
            }
            return ::renameat(folderFd, m_temp.constData(), folderFd, name.constData()) == 0;
        });
        if (error == 0)
            m_temp.clear();
    }
    if (error != 0)
        return fail(error, Place::Folder);
    m_fullList = (m_cacheFd >= 0 ? m_cache : m_folder) + '/' + m_fullListName;
    return ::fsync(folderFd) == 0 || isSyncRefusal(errno) || fail(errno);
}

// Copies the synced new content into the user's file itself, keeping
// everything the file is: its owner, group, mode, ACL, attributes and links.
// The full list has a name of its own first, and the file is emptied before
// the copy, so that whenever it stops the file holds the start of the new
// list, never the old list's tail after it, and the whole list is kept.
bool LineFile::copyIntoTarget()
{
    // Room for it first, while the file is still whole; a file system
    // without preallocation just goes on.
    const auto reserve = [this] {
        return m_written == 0 || ::fallocate(m_targetFd, FALLOC_FL_KEEP_SIZE, 0, m_written) == 0 ||
               errno == EOPNOTSUPP || errno == ENOSYS;
    };
    if (!reserve() || !nameFullList())
        return !m_failed && fail(errno);
    if (::ftruncate(m_targetFd, 0) != 0)
        return fail(errno);
    m_damaged = true;
    m_heldLines = m_heldBytes = 0;
    if (::fsync(m_targetFd) != 0 || !reserve())
        return fail(errno);
    if (!copyRange(m_fd, 0, m_written))
        return false;
    // The whole list went in; the disk must still confirm it.
    m_copyUnconfirmed = true;
    if (::fsync(m_targetFd) != 0)
        return fail(errno);
    if (const int error = closeChecked(std::exchange(m_targetFd, -1)))
        return fail(error);
    m_copyUnconfirmed = false;
    return true;
}

void LineFile::cancel()
{
    for (int *fd : {&m_fd, &m_targetFd}) {
        if (*fd >= 0)
            ::close(std::exchange(*fd, -1));
    }
    const int tempFolderFd = m_cacheFd >= 0 ? m_cacheFd : m_folderFd;
    if (!m_temp.isEmpty() && tempFolderFd >= 0)
        ::unlinkat(tempFolderFd, m_temp.constData(), 0);
    m_temp.clear();
    // The full list stays while the file holds only part of it.
    if (!m_fullListName.isEmpty() && !m_damaged && tempFolderFd >= 0) {
        ::unlinkat(tempFolderFd, m_fullListName.constData(), 0);
        m_fullList.clear();
    }
    m_fullListName.clear();
    unlock();
    for (int *fd : {&m_cacheFd, &m_folderFd}) {
        if (*fd >= 0)
            ::close(std::exchange(*fd, -1));
    }
    m_block.clear();
}

bool LineFile::fail(int code, Place place, Refusal refusal)
{
    m_failed = true;
    m_errno = code;
    m_refusal = refusal;
    m_errorPlace = place;
    m_errorPath = refusal == Refusal::ForeignLink ? m_path : m_target;
    cancel();
    return false;
}
