#include "platform/save/ownfolders.h"

#include "platform/save/savetarget.h"
#include "platform/save/systemcalls.h"

#include <QFile>

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/vfs.h>
#include <unistd.h>

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

namespace {

// The program's own folder, made when missing; one of the user's that a
// umask or an older version left open to others is closed to them. Empty
// unless it is then the user's alone (anyone may have made that name first).
QByteArray ownFolder(const SystemCalls &calls, const QByteArray &folder)
{
    calls.mkdir(folder.constData(), 0700);
    const int fd =
        calls.openat(AT_FDCWD, folder.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st
    {
    };
    if (fd >= 0 && ::fstat(fd, &st) == 0 && st.st_uid == ::geteuid() && (st.st_mode & 077) != 0)
        calls.fchmod(fd, st.st_mode & 0700);
    if (fd >= 0)
        ::close(fd);
    return theirsAlone(folder) ? folder : QByteArray();
}

} // namespace

QByteArray cacheFolder(const SystemCalls &calls, bool make)
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
    calls.mkdir(cache.constData(), 0700);
    return ownFolder(calls, cache + "/quillmark");
}

QByteArray privateFolder(const SystemCalls &calls)
{
    const QByteArray uid = QByteArray::number(::geteuid());
    for (const QByteArray &runtime : {qgetenv("XDG_RUNTIME_DIR"), "/run/user/" + uid}) {
        if (theirsAlone(runtime))
            return runtime;
    }
    if (QByteArray cache = cacheFolder(calls); !cache.isEmpty())
        return cache;
    QByteArray temporary = qgetenv("TMPDIR");
    if (!temporary.startsWith('/'))
        temporary = "/tmp";
    return ownFolder(calls, temporary + "/quillmark-" + uid);
}

namespace {

// What a power cut does to what was synced on a file system.
enum class AfterPowerCut
{
    Kept,
    Lost,
    Unknown
};

// The folder an overlay with this device puts new files in, as its mount
// options name it; empty when it has none, when it cannot be found, or when
// it is named from the folder the overlay was mounted from.
QByteArray upperFolderOf(dev_t device)
{
    QFile mounts(QStringLiteral("/proc/self/mountinfo"));
    if (!mounts.open(QIODevice::ReadOnly))
        return {};
    const QByteArray id = QByteArray::number(major(device)) + ':' + QByteArray::number(minor(device));
    // ID, parent, major:minor, root, mount point, options, tags, "-", type, source, its own options.
    for (const QByteArray &line : mounts.readAll().split('\n')) {
        const QByteArrayList fields = line.split(' ');
        const qsizetype dash = fields.indexOf("-");
        if (fields.value(2) != id || dash < 0)
            continue;
        for (QByteArray option : fields.value(dash + 3).split(',')) {
            if (!option.startsWith("upperdir=/"))
                continue;
            // Spaces, commas and the like are written as \ and three octal digits.
            for (qsizetype at = option.indexOf('\\'); at >= 0; at = option.indexOf('\\', at + 1))
                option.replace(at, 4, QByteArray(1, char(option.mid(at + 1, 3).toInt(nullptr, 8))));
            return option.mid(9);
        }
        return {};
    }
    return {};
}

AfterPowerCut afterPowerCut(int fd)
{
    struct statfs disk
    {
    };
    struct stat st
    {
    };
    if (::fstatfs(fd, &disk) != 0 || ::fstat(fd, &st) != 0)
        return AfterPowerCut::Unknown;
    // An overlay is as lasting as the file system of the folder that takes
    // its new files, where this process can see that folder (from inside a
    // container it cannot).
    if (disk.f_type == OVERLAYFS_SUPER_MAGIC && ::statfs(upperFolderOf(st.st_dev).constData(), &disk) != 0)
        return AfterPowerCut::Unknown;
    switch (disk.f_type) {
    case TMPFS_MAGIC:
    case RAMFS_MAGIC:
        return AfterPowerCut::Lost;
    // FUSE's files lie wherever its program puts them. An overlay never keeps
    // its new files on another, so a name that leads to one was mounted over.
    case FUSE_SUPER_MAGIC:
    case OVERLAYFS_SUPER_MAGIC:
        return AfterPowerCut::Unknown;
    default:
        return AfterPowerCut::Kept;
    }
}

} // namespace

bool lastsAsLongAs(int keptFd, int fileFd)
{
    struct stat kept
    {
    };
    struct stat file
    {
    };
    if (::fstat(keptFd, &kept) == 0 && ::fstat(fileFd, &file) == 0 && kept.st_dev == file.st_dev)
        return true;
    return afterPowerCut(keptFd) == AfterPowerCut::Kept || afterPowerCut(fileFd) == AfterPowerCut::Lost;
}
