#pragma once

#include <functional>

#include <sys/stat.h>
#include <sys/types.h>

// The system calls through which a save creates, changes, syncs, names,
// removes, locks or lists files: the save is handed one of these, and makes
// every such call through it. A test hands in one with a fault: it makes any
// call fail (the fault returns an errno) or wait (the fault blocks), or acts
// as another user would at that moment, and so runs every fault of a save
// in a unit test. Without a fault the calls are the system's own.
class SystemCalls
{
public:
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
        RemoveAttribute,
        SyncRange, // sync_file_range(): the disk started on, or waited for
        List,      // a folder opened to read its names
        Close,     // a file the save wrote let go: where the disk may still report a lost write
        Advise,    // posix_fadvise(): what the disk has written dropped from the cache
    };
    // The call, the descriptor it acts on (for a call by name, the folder's),
    // and the name it acts on, if any. 0: go on; else the call fails with it.
    using Fault = std::function<int(Call call, int fd, const char *name)>;

    SystemCalls() = default;
    explicit SystemCalls(Fault fault) : m_fault(std::move(fault)) {}

    int openat(int folderFd, const char *name, int flags, mode_t mode = 0) const;
    // The folder (a path, or "." of a descriptor) opened to read its names.
    int openFolder(int folderFd, const char *name) const;
    ssize_t write(int fd, const void *bytes, size_t size) const;
    ssize_t pwrite(int fd, const void *bytes, size_t size, off_t offset) const;
    ssize_t pread(int fd, void *bytes, size_t size, off_t offset) const;
    int fsync(int fd) const;
    int syncRange(int fd, off_t offset, off_t size, unsigned int flags) const;
    int ftruncate(int fd, off_t size) const;
    int fallocate(int fd, int mode, off_t offset, off_t size) const;
    int linkat(int fromFd, const char *from, int toFd, const char *to, int flags) const;
    int renameat(int fromFd, const char *from, int toFd, const char *to) const;
    int unlinkat(int folderFd, const char *name, int flags) const;
    int flock(int fd, int operation) const;
    int fchown(int fd, uid_t owner, gid_t group) const;
    int fchmod(int fd, mode_t mode) const;
    int fsetxattr(int fd, const char *name, const void *value, size_t size, int flags) const;
    int fremovexattr(int fd, const char *name) const;
    int mkdir(const char *path, mode_t mode) const;
    // The descriptor is closed even when the close fails, as Linux does.
    int close(int fd) const;
    // 0 or the errno, as posix_fadvise() returns it.
    int fadvise(int fd, off_t offset, off_t size, int advice) const;

private:
    int faulted(Call call, int fd, const char *name = nullptr) const;

    Fault m_fault;
};
