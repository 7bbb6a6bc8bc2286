#include "platform/save/savetarget.h"

#include <QtGlobal>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Links followed one after another before giving up, as the kernel does.
constexpr int MaxLinks = 40;

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

} // namespace

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

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
    return error == EINVAL || error == ENOTSUP || error == EROFS || error == ENOSYS;
}

bool stillNamed(int folderFd, const QByteArray &name, int fd)
{
    struct stat named
    {
    };
    struct stat open
    {
    };
    return ::fstatat(folderFd, name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           ::fstat(fd, &open) == 0 && named.st_dev == open.st_dev && named.st_ino == open.st_ino;
}

bool SaveTarget::resolve()
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
            return errno == ENOENT || refuse({Save::Why::System, errno}, true);
        }
        if (S_ISLNK(st.st_mode)) {
            if (st.st_uid != ::geteuid())
                return refuse({Save::Why::ForeignLink});
            if (hops == MaxLinks)
                return refuse({Save::Why::System, ELOOP});
            QByteArray next(PATH_MAX, '\0');
            const ssize_t size = ::readlink(path.constData(), next.data(), size_t(next.size()));
            if (size < 0)
                return refuse({Save::Why::System, errno});
            next.truncate(size);
            path = plainPath(next.startsWith('/') ? next : folderOf(path) + '/' + next);
            continue;
        }
        m_target = path;
        if (S_ISDIR(st.st_mode))
            return refuse({Save::Why::System, EISDIR});
        m_existed = true;
        m_seen = st;
        const bool ours = st.st_uid == ::geteuid();
        if (S_ISREG(st.st_mode))
            return ours || !throughLink() || refuse({Save::Why::ForeignLink});
        // Anything else is the user's own, or a character device of the
        // system's such as /dev/null; another user's FIFO or terminal is not
        // written.
        if (ours || (S_ISCHR(st.st_mode) && st.st_uid == 0))
            return true;
        return refuse({throughLink() ? Save::Why::ForeignLink : Save::Why::ForeignFile});
    }
}

bool SaveTarget::nameChanged(int folderFd, const QByteArray &name) const
{
    struct stat st
    {
    };
    if (::fstatat(folderFd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return m_existed && errno == ENOENT;
    return !m_existed || !sameFile(st, m_seen);
}

bool SaveTarget::refuse(Save::Reason reason, bool folder)
{
    m_reason = reason;
    m_folderRefused = folder;
    return false;
}
