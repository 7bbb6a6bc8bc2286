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

SaveLock::Result SaveLock::take(const QByteArray &key, const std::function<bool()> &waiting)
{
    const QByteArray folder = privateFolder();
    if (folder.isEmpty())
        return Result::NoPlace;
    m_path = folder + "/quillmark-save-" + key + ".lock";
    const auto deadline = std::chrono::steady_clock::now() + LockWait;
    for (;;) {
        m_fd = SystemCalls::openat(AT_FDCWD, m_path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC,
                                   0600);
        if (m_fd < 0)
            return Result::NoPlace;
        while (SystemCalls::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            if (error == EINTR)
                continue;
            // Not ours to remove when given up: another copy holds it.
            Result gaveUp = Result::Held;
            if (error != EWOULDBLOCK)
                gaveUp = Result::NoPlace;
            else if (std::chrono::steady_clock::now() > deadline)
                gaveUp = Result::Busy;
            else if (waiting && !waiting())
                gaveUp = Result::Cancelled;
            if (gaveUp != Result::Held) {
                ::close(std::exchange(m_fd, -1));
                return gaveUp;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
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

void SaveLock::release()
{
    if (m_fd < 0)
        return;
    ::unlink(m_path.constData());
    ::close(std::exchange(m_fd, -1));
}
