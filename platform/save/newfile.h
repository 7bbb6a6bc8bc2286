#pragma once

#include <QByteArray>

#include <functional>

#include <sys/stat.h>

class SystemCalls;

// Tries names of the prefix and six random letters, the names this program
// marks as its own, until `attempt` does not answer EEXIST; returns its last
// errno, 0 on success with the name in `name`.
template <typename Attempt> int withMarkedName(const QByteArray &prefix, QByteArray &name, Attempt attempt);
constexpr qsizetype MarkLetters = 6;
// Calls `found` with each regular file of this user in the folder whose name
// is the prefix and six more letters, a name this program marks as its own.
void forEachMarked(const SystemCalls &calls, int folderFd, const QByteArray &prefix,
                   const std::function<void(const QByteArray &name, const struct stat &st)> &found);

// The new content of a save, in a file of its own until it is whole: an
// unnamed file in a folder, which a crash leaves nowhere, or, where the file
// system has none, one with a name of this program's mark.
class NewFile
{
public:
    explicit NewFile(const SystemCalls &calls) : m_calls(calls) {}
    ~NewFile() { discard(); }
    NewFile(const NewFile &) = delete;
    NewFile &operator=(const NewFile &) = delete;

    // In the folder, mode 0666 as any program's new file: the umask and the
    // folder's default ACL shape it just the same. 0 or the errno; after a
    // failure it may be tried again in another folder.
    int create(int folderFd, const QByteArray &markedPrefix);
    int fd() const { return m_fd; }
    int folderFd() const { return m_folderFd; }
    // The marked name it has, if any.
    QByteArray name() const { return m_name; }

    // Gives it the old file's owner, group, extended attributes (the ACL
    // among them) and mode; false when any of it cannot be kept.
    bool keepWhatTheUserSet(int oldFd, const struct stat &old);
    // Gives the unnamed file a name in its folder; 0 or the errno (EEXIST
    // when the name is taken).
    int link(const QByteArray &name);
    // Gives it a new marked name of the prefix; 0 or the errno.
    int nameMarked(const QByteArray &prefix);
    // It now stands under `name`: it is no longer this file's to remove.
    void renamed() { m_name.clear(); }
    // Closes it, reporting the errno of a failed close.
    int close();
    // Closes it and removes the marked name.
    void discard();

private:
    const SystemCalls &m_calls;
    int m_fd = -1;
    int m_folderFd = -1;
    QByteArray m_name;
};

#include <QRandomGenerator>

#include <cerrno>

template <typename Attempt> int withMarkedName(const QByteArray &prefix, QByteArray &name, Attempt attempt)
{
    static constexpr char Letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    int error = EEXIST;
    for (int tries = 0; tries < 100 && error == EEXIST; ++tries) {
        name = prefix;
        for (qsizetype i = 0; i < MarkLetters; ++i)
            name += Letters[QRandomGenerator::system()->bounded(int(sizeof Letters - 1))];
        error = attempt(name) ? 0 : errno;
    }
    if (error != 0)
        name.clear();
    return error;
}
