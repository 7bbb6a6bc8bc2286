#include "platform/save/systemcalls.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace SystemCalls {

namespace {

Fault &hook()
{
    static Fault fault;
    return fault;
}

// errno set and -1 when the hook fails the call, else 0.
int faulted(Call call, int fd, const char *name = nullptr)
{
    const Fault &fault = hook();
    const int error = fault ? fault(call, fd, name) : 0;
    if (error == 0)
        return 0;
    errno = error;
    return -1;
}

} // namespace

void setFault(Fault fault)
{
    hook() = std::move(fault);
}

int openat(int folderFd, const char *name, int flags, mode_t mode)
{
    return faulted(Call::Open, folderFd, name) ? -1 : ::openat(folderFd, name, flags, mode);
}

ssize_t write(int fd, const void *bytes, size_t size)
{
    return faulted(Call::Write, fd) ? -1 : ::write(fd, bytes, size);
}

ssize_t pwrite(int fd, const void *bytes, size_t size, off_t offset)
{
    return faulted(Call::PWrite, fd) ? -1 : ::pwrite(fd, bytes, size, offset);
}

ssize_t pread(int fd, void *bytes, size_t size, off_t offset)
{
    return faulted(Call::PRead, fd) ? -1 : ::pread(fd, bytes, size, offset);
}

int fsync(int fd)
{
    return faulted(Call::Fsync, fd) ? -1 : ::fsync(fd);
}

int ftruncate(int fd, off_t size)
{
    return faulted(Call::Ftruncate, fd) ? -1 : ::ftruncate(fd, size);
}

int fallocate(int fd, int mode, off_t offset, off_t size)
{
    return faulted(Call::Fallocate, fd) ? -1 : ::fallocate(fd, mode, offset, size);
}

int linkat(int fromFd, const char *from, int toFd, const char *to, int flags)
{
    return faulted(Call::Link, toFd, to) ? -1 : ::linkat(fromFd, from, toFd, to, flags);
}

int renameat(int fromFd, const char *from, int toFd, const char *to)
{
    return faulted(Call::Rename, toFd, to) ? -1 : ::renameat(fromFd, from, toFd, to);
}

int unlinkat(int folderFd, const char *name, int flags)
{
    return faulted(Call::Unlink, folderFd, name) ? -1 : ::unlinkat(folderFd, name, flags);
}

int flock(int fd, int operation)
{
    return faulted(Call::Flock, fd) ? -1 : ::flock(fd, operation);
}

int fchown(int fd, uid_t owner, gid_t group)
{
    return faulted(Call::Fchown, fd) ? -1 : ::fchown(fd, owner, group);
}

int fchmod(int fd, mode_t mode)
{
    return faulted(Call::Fchmod, fd) ? -1 : ::fchmod(fd, mode);
}

int fsetxattr(int fd, const char *name, const void *value, size_t size, int flags)
{
    return faulted(Call::SetAttribute, fd, name) ? -1 : ::fsetxattr(fd, name, value, size, flags);
}

int mkdir(const char *path, mode_t mode)
{
    return faulted(Call::Mkdir, AT_FDCWD, path) ? -1 : ::mkdir(path, mode);
}

} // namespace SystemCalls
