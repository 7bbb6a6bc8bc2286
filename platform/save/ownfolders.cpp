#include "platform/save/ownfolders.h"

#include "platform/save/disklife.h"
#include "platform/save/savetarget.h"
#include "platform/save/systemcalls.h"

#include <fcntl.h>
#include <sys/stat.h>
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
    return DiskLife::ofSystem().of(long(disk.f_type), st.st_dev);
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
