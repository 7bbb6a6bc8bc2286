#pragma once

#include <QByteArray>

#include <functional>

class SystemCalls;

// Saves into one folder take turns between running copies. A copy takes
// two locks, always in this order, so that none waits for the first while
// holding the second: first the user's own, a lock file in a folder of the
// user's alone, named by the file's key, locked with flock(), which the
// kernel releases when its holder dies (the holder removes it when done; a
// waiter that finds it was replaced meanwhile locks the new one); then the
// folder the file is saved into, which every copy of every user opens, and
// whose lock lasts while that folder stays open. Either lock makes the
// copies take turns; where neither can be had the save goes on without
// them, and says so.
class SaveLock
{
public:
    enum class Result
    {
        Held,
        NoPlace,   // no folder of the user's alone: the save runs unlocked
        Busy,      // another copy kept it for too long
        Cancelled, // the wait handler gave up the wait
    };

    explicit SaveLock(const SystemCalls &calls) : m_calls(calls) {}
    ~SaveLock() { release(); }
    SaveLock(const SaveLock &) = delete;
    SaveLock &operator=(const SaveLock &) = delete;

    // `waiting` is called before each pause of the wait; false gives it up.
    // `folderFd` is the folder saved into, opened for reading: its lock goes
    // when the caller closes it.
    Result take(const QByteArray &key, int folderFd, const std::function<bool()> &waiting);
    // Waits as take() does for an exclusive flock() on `fd`, which its
    // closing releases; NoPlace where the file's disk has no such locks.
    Result lock(int fd, const std::function<bool()> &waiting) const;
    bool held() const { return m_fd >= 0 || m_folderHeld; }
    void release();

private:
    Result takeOwn(const QByteArray &key, const std::function<bool()> &waiting);

    const SystemCalls &m_calls;
    QByteArray m_path;
    int m_fd = -1;
    bool m_folderHeld = false;
};
