#include "platform/save/saverecord.h"

#include "platform/save/ownfolders.h"
#include "platform/save/savetarget.h"
#include "platform/save/systemcalls.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

// In the user's cache folder, which outlives a restart where the runtime
// folder does not, else with the lock.
QByteArray SaveRecord::path() const
{
    QByteArray place = cacheFolder(m_calls);
    if (place.isEmpty())
        place = privateFolder(m_calls);
    return place.isEmpty() ? QByteArray() : place + "/quillmark-save-" + m_key + ".record";
}

bool SaveRecord::write(const QByteArray &state, const QByteArray &where, const QByteArray &name, int listFd,
                       int targetFd)
{
    struct stat list
    {
    };
    struct stat target
    {
    };
    const QByteArray file = path();
    if (file.isEmpty() || ::fstat(listFd, &list) != 0 || ::fstat(targetFd, &target) != 0)
        return false;
    QByteArrayList fields{state, where, name};
    for (const qint64 number :
         {qint64(list.st_dev), qint64(list.st_ino), qint64(list.st_size), qint64(target.st_dev),
          qint64(target.st_ino), qint64(target.st_ctim.tv_sec), qint64(target.st_ctim.tv_nsec)})
        fields << QByteArray::number(number);
    const QByteArray line = fields.join(' ') + '\n';
    // Written beside it and renamed over it: a crash leaves the record
    // before this step or after it, never an empty one.
    const QByteArray next = file + ".next";
    const int out = m_calls.openat(AT_FDCWD, next.constData(),
                                   O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (out < 0)
        return false;
    const bool written =
        m_calls.write(out, line.constData(), size_t(line.size())) == line.size() && m_calls.fsync(out) == 0;
    if (m_calls.close(out) != 0 || !written ||
        m_calls.renameat(AT_FDCWD, next.constData(), AT_FDCWD, file.constData()) != 0) {
        const int error = errno;
        m_calls.unlinkat(AT_FDCWD, next.constData(), 0);
        errno = error;
        return false;
    }
    // The new name lasts only once its folder is synced too.
    const QByteArray folder = file.left(file.lastIndexOf('/'));
    const int folderFd = m_calls.openat(AT_FDCWD, folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool synced = folderFd >= 0 && (m_calls.fsync(folderFd) == 0 || isSyncRefusal(errno));
    const int error = errno;
    if (folderFd >= 0)
        ::close(folderFd);
    errno = error;
    return synced;
}

bool SaveRecord::read()
{
    const QByteArray file = path();
    const int in =
        file.isEmpty() ? -1 : m_calls.openat(AT_FDCWD, file.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    QByteArray line(512, '\0');
    const ssize_t size = in < 0 ? -1 : ::read(in, line.data(), size_t(line.size()));
    if (in >= 0)
        ::close(in);
    line.truncate(std::max<ssize_t>(size, 0));
    m_fields = line.trimmed().split(' ');
    if (m_fields.size() != 10)
        m_fields.clear();
    return !m_fields.isEmpty();
}

void SaveRecord::remove()
{
    if (const QByteArray file = path(); !file.isEmpty())
        m_calls.unlinkat(AT_FDCWD, file.constData(), 0);
    m_fields.clear();
}

bool SaveRecord::names(const QByteArray &where, const QByteArray &name, const struct stat &list) const
{
    // A list still being named is known by its inode alone.
    return !m_fields.isEmpty() && m_fields[1] == where && (m_fields[2] == name || m_fields[0] == "named") &&
           m_fields[3].toLongLong() == qint64(list.st_dev) &&
           m_fields[4].toLongLong() == qint64(list.st_ino) &&
           m_fields[5].toLongLong() == qint64(list.st_size) && list.st_nlink == 1;
}

bool SaveRecord::isFor(int targetFd, bool untouched) const
{
    struct stat st
    {
    };
    return !m_fields.isEmpty() && ::fstat(targetFd, &st) == 0 &&
           m_fields[6].toLongLong() == qint64(st.st_dev) && m_fields[7].toLongLong() == qint64(st.st_ino) &&
           (!untouched || (m_fields[8].toLongLong() == qint64(st.st_ctim.tv_sec) &&
                           m_fields[9].toLongLong() == qint64(st.st_ctim.tv_nsec)));
}

bool SaveRecord::firstTold(const struct stat &list) const
{
    const QByteArray told = path().replace(".record", ".told");
    const QByteArray line = QByteArray::number(qint64(list.st_dev)) + ' ' +
                            QByteArray::number(qint64(list.st_ino)) + ' ' +
                            QByteArray::number(qint64(list.st_ctim.tv_sec)) + '\n';
    const int fd = told.isEmpty()
                       ? -1
                       : m_calls.openat(AT_FDCWD, told.constData(),
                                        O_RDWR | O_CREAT | O_APPEND | O_NOFOLLOW | O_CLOEXEC, 0600);
    QByteArray seen(64 * 1024, '\0');
    const ssize_t size = fd < 0 ? 0 : ::read(fd, seen.data(), size_t(seen.size()));
    seen.truncate(std::max<ssize_t>(size, 0));
    const bool first = !('\n' + seen).contains('\n' + line);
    // A note that fails only means being told again.
    if (first && fd >= 0)
        m_calls.write(fd, line.constData(), size_t(line.size()));
    if (fd >= 0)
        ::close(fd);
    return first;
}
