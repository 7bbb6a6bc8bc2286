#include "platform/save/savelock.h"

#include "platform/save/ownfolders.h"
#include "platform/save/systemcalls.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace {
// A save waits this long for another copy's save into the same file (a save
// of 100 million nicks takes a few seconds).
constexpr std::chrono::seconds LockWait{15};
} // namespace

SaveLock::Result SaveLock::take(const QByteArray &key, int folderFd, const std::function<bool()> &waiting)
{
    const Result own = takeOwn(key, waiting);
    if (own != Result::Held && own != Result::NoPlace)
        return own;
    // Copies run by other users never see this user's lock: the folder is
    // locked as well, where its disk has such locks.
    const Result folder = lock(folderFd, waiting);
    if (folder != Result::Held && folder != Result::NoPlace) {
        release();
        return folder;
    }
    m_folderHeld = folder == Result::Held;
    return held() ? Result::Held : Result::NoPlace;
}

SaveLock::Result SaveLock::takeOwn(const QByteArray &key, const std::function<bool()> &waiting)
{
    const QByteArray folder = privateFolder(m_calls);
    if (folder.isEmpty())
        return Result::NoPlace;
    m_path = folder + "/quillmark-save-" + key + ".lock";
    for (;;) {
        m_fd = m_calls.openat(AT_FDCWD, m_path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (m_fd < 0)
            return Result::NoPlace;
        if (const Result locked = lock(m_fd, waiting); locked != Result::Held) {
            // Not ours to remove: another copy holds it.
            ::close(std::exchange(m_fd, -1));
            return locked;
        }
        struct stat held
        {
        };
        struct stat named
        {
        };
        if (::fstat(m_fd, &held) == 0 && ::lstat(m_path.constData(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino)
            return Result::Held;
        ::close(std::exchange(m_fd, -1));
    }
}

SaveLock::Result SaveLock::lock(int fd, const std::function<bool()> &waiting) const
{
    const auto deadline = std::chrono::steady_clock::now() + LockWait;
    while (m_calls.flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if (error == EINTR)
            continue;
        if (error != EWOULDBLOCK)
            return Result::NoPlace;
        if (std::chrono::steady_clock::now() > deadline)
            return Result::Busy;
        if (waiting && !waiting())
            return Result::Cancelled;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return Result::Held;
}

void SaveLock::release()
{
    m_folderHeld = false;
    if (m_fd < 0)
        return;
    m_calls.unlinkat(AT_FDCWD, m_path.constData(), 0);
    ::close(std::exchange(m_fd, -1));
}
