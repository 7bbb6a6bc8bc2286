#pragma once

#include <QByteArray>

#include <functional>

class SystemCalls;

// Saves into one file take turns between the user's running copies: a lock
// file in a folder of the user's alone, named by the file's key, locked with
// flock(), which the kernel releases when its holder dies. The holder removes
// it when done; a waiter that finds it was replaced meanwhile locks the new
// one. No other user can reach it; where there is no safe place for it the
// save goes on without it, and says so.
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
    Result take(const QByteArray &key, const std::function<bool()> &waiting);
    // Waits as take() does for an exclusive flock() on `fd`, which its
    // closing releases; NoPlace where the file's disk has no such locks.
    Result lock(int fd, const std::function<bool()> &waiting) const;
    bool held() const { return m_fd >= 0; }
    void release();

private:
    const SystemCalls &m_calls;
    QByteArray m_path;
    int m_fd = -1;
};
