#include "platform/save/newfile.h"

#include "platform/save/systemcalls.h"

#include <QByteArrayList>

#include <dirent.h>
#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr QByteArrayView AccessAcl{"system.posix_acl_access"};

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

} // namespace

int NewFile::create(int folderFd, const QByteArray &markedPrefix)
{
    m_folderFd = folderFd;
    m_fd = m_calls.openat(folderFd, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (m_fd >= 0)
        return 0;
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        return errno;
    return withMarkedName(markedPrefix, m_name, [&](const QByteArray &name) {
        m_fd = m_calls.openat(folderFd, name.constData(), O_CREAT | O_EXCL | O_RDWR | O_NOFOLLOW | O_CLOEXEC,
                              0666);
        return m_fd >= 0;
    });
}

bool NewFile::keepWhatTheUserSet(int oldFd, const struct stat &old)
{
    struct stat made
    {
    };
    if (::fstat(m_fd, &made) != 0)
        return false;
    if ((made.st_uid != old.st_uid || made.st_gid != old.st_gid) &&
        m_calls.fchown(m_fd, old.st_uid, old.st_gid) != 0)
        return false;
    QByteArray names;
    if (!readSized(names, [oldFd](char *out, size_t size) { return ::flistxattr(oldFd, out, size); }))
        return errno == ENOTSUP && m_calls.fchmod(m_fd, old.st_mode & 07777) == 0;
    bool hasAcl = false;
    for (const QByteArray &name : names.split('\0')) {
        if (name.isEmpty())
            continue;
        hasAcl = hasAcl || name == AccessAcl;
        QByteArray value;
        if (!readSized(value, [&](char *out,
                                  size_t size) { return ::fgetxattr(oldFd, name.constData(), out, size); }) ||
            m_calls.fsetxattr(m_fd, name.constData(), value.constData(), size_t(value.size()), 0) != 0)
            return false;
    }
    // An ACL the new file took from the folder's default ACL, which the old
    // file did not have, goes.
    if (!hasAcl && m_calls.fremovexattr(m_fd, AccessAcl.data()) != 0 && errno != ENODATA && errno != ENOTSUP)
        return false;
    return m_calls.fchmod(m_fd, old.st_mode & 07777) == 0;
}

int NewFile::link(const QByteArray &name)
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_fd);
    return m_calls.linkat(AT_FDCWD, self.constData(), m_folderFd, name.constData(), AT_SYMLINK_FOLLOW) == 0
               ? 0
               : errno;
}

int NewFile::nameMarked(const QByteArray &prefix)
{
    QByteArray named;
    const int error = withMarkedName(prefix, named, [this](const QByteArray &name) {
        if (m_name.isEmpty())
            return link(name) == 0;
        // A rename would replace a file that has the name.
        struct stat st
        {
        };
        if (::fstatat(m_folderFd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 || errno != ENOENT) {
            errno = EEXIST;
            return false;
        }
        return m_calls.renameat(m_folderFd, m_name.constData(), m_folderFd, name.constData()) == 0;
    });
    if (error == 0)
        m_name = named;
    return error;
}

int NewFile::close()
{
    if (m_fd < 0)
        return 0;
    // Linux closes the descriptor even when close() reports an error.
    return m_calls.close(std::exchange(m_fd, -1)) == 0 || errno == EINTR ? 0 : errno;
}

void NewFile::discard()
{
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
    if (!m_name.isEmpty() && m_folderFd >= 0)
        m_calls.unlinkat(m_folderFd, m_name.constData(), 0);
    m_name.clear();
}

void forEachMarked(const SystemCalls &calls, int folderFd, const QByteArray &prefix,
                   const std::function<void(const QByteArray &name, const struct stat &st)> &found)
{
    const int fd = calls.openFolder(folderFd, ".");
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
        if (name.size() == prefix.size() + MarkLetters && name.startsWith(prefix) &&
            ::fstatat(folderFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == ::geteuid())
            found(QByteArray(entry->d_name), st);
    }
    ::closedir(dir);
}
