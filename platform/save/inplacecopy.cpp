#include "platform/save/inplacecopy.h"

#include "platform/save/blockwriter.h"
#include "platform/save/newfile.h"
#include "platform/save/ownfolders.h"
#include "platform/save/savetarget.h"
#include "platform/save/systemcalls.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// What follows "<file name>" in the name of a full list being copied into it.
constexpr QByteArrayView FullListMark{".quillmark-full-list-"};
constexpr qint64 BlockSize = BlockWriter::BlockSize;

// Whether the record was written for the file open at `targetFd`, and
// whether that file is untouched since: then it never began to hold the list.
bool sameTarget(const QByteArrayList &record, int targetFd, bool untouched = false)
{
    struct stat st
    {
    };
    return ::fstat(targetFd, &st) == 0 && record[6].toLongLong() == qint64(st.st_dev) &&
           record[7].toLongLong() == qint64(st.st_ino) &&
           (!untouched || (record[8].toLongLong() == qint64(st.st_ctim.tv_sec) &&
                           record[9].toLongLong() == qint64(st.st_ctim.tv_nsec)));
}

bool isSyncRefusal(int error)
{
    // Some file systems cannot sync a folder; that is no failure.
    return error == EINVAL || error == ENOTSUP || error == EROFS || error == ENOSYS;
}

} // namespace

InPlaceCopy::InPlaceCopy(int folderFd, const QByteArray &folder, const QByteArray &name,
                         const QByteArray &key)
    : m_folderFd(folderFd), m_folder(folder), m_name(name), m_key(key)
{
}

// In the user's cache folder, which outlives a restart where the runtime
// folder does not, else with the lock.
QByteArray InPlaceCopy::recordPath() const
{
    QByteArray place = cacheFolder();
    if (place.isEmpty())
        place = privateFolder();
    return place.isEmpty() ? QByteArray() : place + "/quillmark-save-" + m_key + ".record";
}

QByteArray InPlaceCopy::fullListPrefix(bool inCache) const
{
    return (inCache ? m_key + '-' : QByteArray()) + m_name + FullListMark.toByteArray();
}

// The record names the full list by its disk, inode and size, and says how
// far the save got: "named" while the file is still whole, "copying" once
// it may be emptied. Synced, so that it outlives a power cut where its
// folder does.
bool InPlaceCopy::writeRecord(const QByteArray &state, const QByteArray &where, const QByteArray &name,
                              int fd, int targetFd)
{
    struct stat st
    {
    };
    struct stat target
    {
    };
    if (m_record.isEmpty())
        m_record = recordPath();
    if (m_record.isEmpty() || ::fstat(fd, &st) != 0 || ::fstat(targetFd, &target) != 0)
        return false;
    QByteArrayList fields{state, where, name};
    for (const qint64 number :
         {qint64(st.st_dev), qint64(st.st_ino), qint64(st.st_size), qint64(target.st_dev),
          qint64(target.st_ino), qint64(target.st_ctim.tv_sec), qint64(target.st_ctim.tv_nsec)})
        fields << QByteArray::number(number);
    const QByteArray line = fields.join(' ') + '\n';
    const int out = SystemCalls::openat(AT_FDCWD, m_record.constData(),
                                        O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    const bool written = out >= 0 &&
                         SystemCalls::write(out, line.constData(), size_t(line.size())) == line.size() &&
                         SystemCalls::fsync(out) == 0;
    if (out >= 0)
        ::close(out);
    return written;
}

QByteArrayList InPlaceCopy::readRecord()
{
    m_record = recordPath();
    const int in = m_record.isEmpty() ? -1 : ::open(m_record.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    QByteArray line(512, '\0');
    const ssize_t size = in < 0 ? -1 : ::read(in, line.data(), size_t(line.size()));
    if (in >= 0)
        ::close(in);
    line.truncate(std::max<ssize_t>(size, 0));
    const QByteArrayList fields = line.trimmed().split(' ');
    return fields.size() == 10 ? fields : QByteArrayList();
}

void InPlaceCopy::removeRecord()
{
    if (!m_record.isEmpty())
        SystemCalls::unlinkat(AT_FDCWD, m_record.constData(), 0);
}

bool InPlaceCopy::finishLeftover(int targetFd, int cacheFd, const QByteArray &cache)
{
    const QByteArrayList record = readRecord();
    for (const bool inCache : {false, true}) {
        const int folderFd = inCache ? cacheFd : m_folderFd;
        if (folderFd < 0)
            continue;
        const QByteArray folder = inCache ? cache : m_folder;
        QList<std::pair<QByteArray, struct stat>> found;
        forEachMarked(folderFd, fullListPrefix(inCache), [&](const QByteArray &name, const struct stat &st) {
            found.append({name, st});
        });
        for (const auto &[name, st] : std::as_const(found)) {
            const bool recorded = !record.isEmpty() && record[1] == (inCache ? "cache" : "beside") &&
                                  (record[2] == name || record[0] == "named") &&
                                  record[3].toLongLong() == qint64(st.st_dev) &&
                                  record[4].toLongLong() == qint64(st.st_ino) &&
                                  record[5].toLongLong() == qint64(st.st_size) && st.st_nlink == 1;
            if (recorded && sameTarget(record, targetFd, true)) {
                // Left before the file was emptied: the file still holds what it held.
                SystemCalls::unlinkat(folderFd, name.constData(), 0);
                removeRecord();
                continue;
            }
            // Only a list the record says was being copied into this very file is finished.
            const int listFd =
                recorded && record[0] == "copying" && sameTarget(record, targetFd)
                    ? SystemCalls::openat(folderFd, name.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC)
                    : -1;
            m_fullList = folder + '/' + name;
            const bool finished = listFd >= 0 && finish(targetFd, listFd, st.st_size);
            if (listFd >= 0)
                ::close(listFd);
            if (m_error != 0)
                return false;
            if (finished) {
                SystemCalls::unlinkat(folderFd, name.constData(), 0);
                removeRecord();
            } else {
                m_leftAlone << m_fullList;
            }
            m_fullList.clear();
        }
    }
    return true;
}

// Finishes an earlier copy of the full list (`size` bytes) into the file when
// the file holds the start of it and nothing else; false when it does not,
// or the copy failed (then with error(): the file holds part of that list).
bool InPlaceCopy::finish(int targetFd, int listFd, qint64 size)
{
    const int fileFd = ::openat(m_folderFd, m_name.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st
    {
    };
    struct stat target
    {
    };
    bool isStart = fileFd >= 0 && ::fstat(fileFd, &st) == 0 && ::fstat(targetFd, &target) == 0 &&
                   st.st_ino == target.st_ino && st.st_dev == target.st_dev && st.st_size <= size;
    QByteArray held(BlockSize, Qt::Uninitialized);
    QByteArray full(BlockSize, Qt::Uninitialized);
    m_heldLines = m_heldBytes = 0;
    for (qint64 offset = 0; isStart && offset < st.st_size;) {
        const ssize_t got = ::pread(fileFd, held.data(), size_t(held.size()), offset);
        isStart = got > 0 && SystemCalls::pread(listFd, full.data(), size_t(got), offset) == got &&
                  std::memcmp(held.constData(), full.constData(), size_t(got)) == 0;
        if (isStart)
            countLines(held.constData(), got, offset);
        offset += got;
    }
    if (fileFd >= 0)
        ::close(fileFd);
    if (!isStart)
        return false;
    m_earlier = true;
    m_damaged = true;
    if (!copyRange(targetFd, listFd, st.st_size, size))
        return false;
    m_copyUnconfirmed = true;
    if (SystemCalls::fsync(targetFd) != 0)
        return fail(errno);
    m_copyUnconfirmed = m_damaged = false;
    m_heldLines = m_heldBytes = 0;
    m_finishedEarlier = true;
    return true;
}

bool InPlaceCopy::copy(int targetFd, NewFile &list, const QByteArray &listFolder, qint64 size)
{
    m_earlier = false;
    // Room for it first, while the file is still whole; a file system
    // without preallocation just goes on.
    const auto reserve = [&] {
        return size == 0 || SystemCalls::fallocate(targetFd, FALLOC_FL_KEEP_SIZE, 0, size) == 0 ||
               errno == EOPNOTSUPP || errno == ENOSYS;
    };
    if (!reserve())
        return fail(errno);
    const bool inCache = list.folderFd() != m_folderFd;
    const QByteArray where = inCache ? "cache" : "beside";
    // Nobody else may change the list while it is all there is of it.
    if (SystemCalls::fchmod(list.fd(), 0600) != 0 || !writeRecord("named", where, "-", list.fd(), targetFd))
        return fail(m_record.isEmpty() ? EACCES : errno);
    if (const int error = list.nameMarked(fullListPrefix(inCache)))
        return fail(error);
    if (SystemCalls::fsync(list.folderFd()) != 0 && !isSyncRefusal(errno))
        return fail(errno);
    if (!writeRecord("copying", where, list.name(), list.fd(), targetFd))
        return fail(errno);
    m_fullList = listFolder + '/' + list.name();
    // Another user may have put a file of theirs at the name meanwhile.
    if (!stillNamed(m_folderFd, m_name, targetFd)) {
        m_renamedAway = true;
        return fail(0);
    }
    if (SystemCalls::ftruncate(targetFd, 0) != 0)
        return fail(errno);
    m_damaged = true;
    m_heldLines = m_heldBytes = 0;
    if (SystemCalls::fsync(targetFd) != 0 || !reserve())
        return fail(errno);
    if (!copyRange(targetFd, list.fd(), 0, size))
        return false;
    // The whole list went in; the disk must still confirm it, and the name
    // must still stand for the file: else the list went elsewhere.
    m_copyUnconfirmed = true;
    if (SystemCalls::fsync(targetFd) != 0)
        return fail(errno);
    m_copyUnconfirmed = false;
    if (!stillNamed(m_folderFd, m_name, targetFd)) {
        m_renamedAway = true;
        return fail(0);
    }
    m_damaged = false;
    SystemCalls::unlinkat(list.folderFd(), list.name().constData(), 0);
    list.renamed();
    removeRecord();
    m_fullList.clear();
    return true;
}

// Counts the whole lines among bytes now in the file at `offset`.
void InPlaceCopy::countLines(const char *bytes, qint64 size, qint64 offset)
{
    m_heldLines += std::count(bytes, bytes + size, '\n');
    if (const void *last = ::memrchr(bytes, '\n', size_t(size)))
        m_heldBytes = offset + (static_cast<const char *>(last) - bytes) + 1;
}

// Copies bytes from `offset` to `end` of the file `from` into the same place
// of the file, counting the whole lines it then holds. On a failure the file
// is cut back to its last whole line, if it can be.
bool InPlaceCopy::copyRange(int targetFd, int from, qint64 offset, qint64 end)
{
    QByteArray buffer(BlockSize, Qt::Uninitialized);
    while (offset < end) {
        const ssize_t got = SystemCalls::pread(from, buffer.data(),
                                               size_t(std::min<qint64>(BlockSize, end - offset)), offset);
        if (got < 0 && errno == EINTR)
            continue;
        ssize_t done = 0;
        int error = got < 0 ? errno : got == 0 ? EIO : 0;
        while (error == 0 && done < got) {
            const ssize_t put =
                SystemCalls::pwrite(targetFd, buffer.constData() + done, size_t(got - done), offset + done);
            if (put > 0)
                done += put;
            else if (put == 0 || errno != EINTR)
                error = put == 0 ? ENOSPC : errno;
        }
        countLines(buffer.constData(), done, offset);
        offset += done;
        if (error != 0) {
            [[maybe_unused]] const int cut = SystemCalls::ftruncate(targetFd, m_heldBytes);
            return fail(error);
        }
    }
    return true;
}

bool InPlaceCopy::fail(int error)
{
    m_error = error;
    // Nothing of the file changed: the list's name and its record go.
    if (!m_damaged)
        removeRecord();
    return false;
}
