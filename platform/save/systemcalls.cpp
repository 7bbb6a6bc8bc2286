#include "platform/save/systemcalls.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/xattr.h>
#include <unistd.h>

// errno set and -1 when the fault fails the call, else 0.
int SystemCalls::faulted(Call call, int fd, const char *name) const
{
    const int error = m_fault ? m_fault(call, fd, name) : 0;
    if (error == 0)
        return 0;
    errno = error;
    return -1;
}

int SystemCalls::openat(int folderFd, const char *name, int flags, mode_t mode) const
{
    return faulted(Call::Open, folderFd, name) ? -1 : ::openat(folderFd, name, flags, mode);
}

int SystemCalls::openFolder(int folderFd, const char *name) const
{
    return faulted(Call::List, folderFd, name) ? -1
                                               : ::openat(folderFd, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

ssize_t SystemCalls::write(int fd, const void *bytes, size_t size) const
{
    return faulted(Call::Write, fd) ? -1 : ::write(fd, bytes, size);
}

ssize_t SystemCalls::pwrite(int fd, const void *bytes, size_t size, off_t offset) const
{
    return faulted(Call::PWrite, fd) ? -1 : ::pwrite(fd, bytes, size, offset);
}

ssize_t SystemCalls::pread(int fd, void *bytes, size_t size, off_t offset) const
{
    return faulted(Call::PRead, fd) ? -1 : ::pread(fd, bytes, size, offset);
}

int SystemCalls::fsync(int fd) const
{
    return faulted(Call::Fsync, fd) ? -1 : ::fsync(fd);
}

int SystemCalls::syncRange(int fd, off_t offset, off_t size, unsigned int flags) const
{
    return faulted(Call::SyncRange, fd) ? -1 : ::sync_file_range(fd, offset, size, flags);
}

int SystemCalls::ftruncate(int fd, off_t size) const
{
    return faulted(Call::Ftruncate, fd) ? -1 : ::ftruncate(fd, size);
}

int SystemCalls::fallocate(int fd, int mode, off_t offset, off_t size) const
{
    return faulted(Call::Fallocate, fd) ? -1 : ::fallocate(fd, mode, offset, size);
}

int SystemCalls::linkat(int fromFd, const char *from, int toFd, const char *to, int flags) const
{
    return faulted(Call::Link, toFd, to) ? -1 : ::linkat(fromFd, from, toFd, to, flags);
}

int SystemCalls::renameat(int fromFd, const char *from, int toFd, const char *to) const
{
    return faulted(Call::Rename, toFd, to) ? -1 : ::renameat(fromFd, from, toFd, to);
}

int SystemCalls::unlinkat(int folderFd, const char *name, int flags) const
{
    return faulted(Call::Unlink, folderFd, name) ? -1 : ::unlinkat(folderFd, name, flags);
}

int SystemCalls::flock(int fd, int operation) const
{
    return faulted(Call::Flock, fd) ? -1 : ::flock(fd, operation);
}

int SystemCalls::fchown(int fd, uid_t owner, gid_t group) const
{
    return faulted(Call::Fchown, fd) ? -1 : ::fchown(fd, owner, group);
}

int SystemCalls::fchmod(int fd, mode_t mode) const
{
    return faulted(Call::Fchmod, fd) ? -1 : ::fchmod(fd, mode);
}

int SystemCalls::fsetxattr(int fd, const char *name, const void *value, size_t size, int flags) const
{
    return faulted(Call::SetAttribute, fd, name) ? -1 : ::fsetxattr(fd, name, value, size, flags);
}

int SystemCalls::fremovexattr(int fd, const char *name) const
{
    return faulted(Call::RemoveAttribute, fd, name) ? -1 : ::fremovexattr(fd, name);
}

int SystemCalls::mkdir(const char *path, mode_t mode) const
{
    return faulted(Call::Mkdir, AT_FDCWD, path) ? -1 : ::mkdir(path, mode);
}

int SystemCalls::close(int fd) const
{
    const int error = m_fault ? m_fault(Call::Close, fd, nullptr) : 0;
    const int closed = ::close(fd);
    if (error == 0)
        return closed;
    errno = error;
    return -1;
}

int SystemCalls::fadvise(int fd, off_t offset, off_t size, int advice) const
{
    if (faulted(Call::Advise, fd) != 0)
        return errno;
    return ::posix_fadvise(fd, offset, size, advice);
}
