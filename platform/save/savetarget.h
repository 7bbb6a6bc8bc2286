#pragma once

#include "platform/save/outcome.h"

#include <QByteArray>

#include <sys/stat.h>

// The folder of a path: "." for a bare name, "/" at the root.
QByteArray folderOf(const QByteArray &path);

// Whether two looks at a path found the same file, unchanged: an inode
// number alone may already be another file's.
bool sameFile(const struct stat &one, const struct stat &other);

// Some file systems cannot sync a folder; that is no failure.
bool isSyncRefusal(int error);

// Whether the name in the folder still stands for the open file.
bool stillNamed(int folderFd, const QByteArray &name, int fd);

// The file a save writes: the path, followed through links only while every
// link and the file at the end belong to this user; a link someone else put
// there, or one leading to someone else's file, is refused, so Save never
// writes another's file.
class SaveTarget
{
public:
    explicit SaveTarget(const QByteArray &path) : m_path(path), m_target(path) {}

    // false with reason() telling why.
    bool resolve();
    QByteArray path() const { return m_target; }
    QByteArray linkPath() const { return m_path; }
    bool throughLink() const { return m_target != m_path; }
    // A file stood there, as seen().
    bool existed() const { return m_existed; }
    const struct stat &seen() const { return m_seen; }
    Save::Reason reason() const { return m_reason; }
    // The way to the file refused, not the file itself.
    bool folderRefused() const { return m_folderRefused; }

    // Whether what stands at the name in the folder is no longer what
    // resolve() found: another file, one where there was none, or none.
    bool nameChanged(int folderFd, const QByteArray &name) const;

private:
    bool refuse(Save::Reason reason, bool folder = false);

    QByteArray m_path;
    QByteArray m_target;
    struct stat m_seen
    {
    };
    Save::Reason m_reason;
    bool m_existed = false;
    bool m_folderRefused = false;
};
