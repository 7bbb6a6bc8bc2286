#pragma once

#include <functional>

#include <sys/stat.h>
#include <sys/types.h>

// The system calls through which a save changes, syncs, names, removes or
// locks files. Each first asks the fault hook, if one is set: a test makes
// any of them fail (the hook returns an errno) or wait (the hook blocks), or
// acts as another user would at that moment, and so runs every fault of a
// save in a unit test. Without a hook they are the system's own.
namespace SystemCalls {

enum class Call
{
    Open, // openat(): a file, the unnamed temporary file or a folder
    Write,
    PWrite,
    PRead,
    Fsync,
    Ftruncate,
    Fallocate,
    Link,
    Rename,
    Unlink,
    Flock,
    Fchown,
    Fchmod,
    SetAttribute,
    Mkdir,
};

// The call, the descriptor it acts on (for a call by name, the folder's),
// and the name it acts on, if any. 0: go on; else the call fails with it.
using Fault = std::function<int(Call call, int fd, const char *name)>;
// Set while no save runs; an empty hook removes it.
void setFault(Fault fault);

int openat(int folderFd, const char *name, int flags, mode_t mode = 0);
ssize_t write(int fd, const void *bytes, size_t size);
ssize_t pwrite(int fd, const void *bytes, size_t size, off_t offset);
ssize_t pread(int fd, void *bytes, size_t size, off_t offset);
int fsync(int fd);
int ftruncate(int fd, off_t size);
int fallocate(int fd, int mode, off_t offset, off_t size);
int linkat(int fromFd, const char *from, int toFd, const char *to, int flags);
int renameat(int fromFd, const char *from, int toFd, const char *to);
int unlinkat(int folderFd, const char *name, int flags);
int flock(int fd, int operation);
int fchown(int fd, uid_t owner, gid_t group);
int fchmod(int fd, mode_t mode);
int fsetxattr(int fd, const char *name, const void *value, size_t size, int flags);
int mkdir(const char *path, mode_t mode);

} // namespace SystemCalls
