#include "platform/save/inplacecopy.h"

#include "platform/save/blockwriter.h"
#include "platform/save/newfile.h"
#include "platform/save/savetarget.h"
#include "platform/save/systemcalls.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace {

// What follows "<file name>" in the name of a full list being copied into it.
constexpr QByteArrayView FullListMark{".quillmark-full-list-"};
constexpr qint64 BlockSize = BlockWriter::BlockSize;

} // namespace

InPlaceCopy::InPlaceCopy(const SystemCalls &calls, int folderFd, const QByteArray &folder,
                         const QByteArray &name, const QByteArray &key)
    : m_calls(calls), m_folderFd(folderFd), m_folder(folder), m_name(name), m_key(key), m_record(calls, key)
{
}

QByteArray InPlaceCopy::fullListPrefix(bool inCache) const
{
    return (inCache ? m_key + '-' : QByteArray()) + m_name + FullListMark.toByteArray();
}

bool InPlaceCopy::finishLeftover(int targetFd, int cacheFd, const QByteArray &cache)
{
    m_record.read();
    for (const bool inCache : {false, true}) {
        const int folderFd = inCache ? cacheFd : m_folderFd;
        if (folderFd < 0)
            continue;
        const QByteArray folder = inCache ? cache : m_folder;
        QList<std::pair<QByteArray, struct stat>> found;
        forEachMarked(m_calls, folderFd, fullListPrefix(inCache),
                      [&](const QByteArray &name, const struct stat &st) {
                          found.append({name, st});
                      });
        for (const auto &[name, st] : std::as_const(found)) {
            const bool recorded = m_record.names(inCache ? "cache" : "beside", name, st);
            if (recorded && m_record.isFor(targetFd, true)) {
                // Left before the file was emptied: the file still holds what it held.
                m_calls.unlinkat(folderFd, name.constData(), 0);
                m_record.remove();
                continue;
            }
            // Only a list the record says was being copied into this very file is finished.
            const int listFd =
                recorded && m_record.copying() && m_record.isFor(targetFd)
                    ? m_calls.openat(folderFd, name.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC)
                    : -1;
            m_fullList = folder + '/' + name;
            const bool finished = listFd >= 0 && finish(targetFd, listFd, st.st_size);
            if (listFd >= 0)
                ::close(listFd);
            if (m_reason != Save::Reason{})
                return false;
            if (finished) {
                m_calls.unlinkat(folderFd, name.constData(), 0);
                m_record.remove();
            } else if (m_record.firstTold(st)) {
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
    const int fileFd = m_calls.openat(m_folderFd, m_name.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
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
        const ssize_t got = m_calls.pread(fileFd, held.data(), size_t(held.size()), offset);
        isStart = got > 0 && m_calls.pread(listFd, full.data(), size_t(got), offset) == got &&
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
    if (m_calls.fsync(targetFd) != 0)
        return fail(errno);
    m_copyUnconfirmed = m_damaged = false;
    m_heldLines = m_heldBytes = 0;
    m_finishedEarlier = true;
    return true;
}

bool InPlaceCopy::copy(int &targetFd, NewFile &list, const QByteArray &listFolder, qint64 size)
{
    m_earlier = false;
    // Room for it first, while the file is still whole; a file system
    // without preallocation just goes on.
    const auto reserve = [&] {
        return size == 0 || m_calls.fallocate(targetFd, FALLOC_FL_KEEP_SIZE, 0, size) == 0 ||
               errno == EOPNOTSUPP || errno == ENOSYS;
    };
    if (!reserve())
        return fail(errno);
    const bool inCache = list.folderFd() != m_folderFd;
    const QByteArray where = inCache ? "cache" : "beside";
    // Nobody else may change the list while it is all there is of it.
    if (m_calls.fchmod(list.fd(), 0600) != 0)
        return fail(errno);
    if (!m_record.write("named", where, "-", list.fd(), targetFd)) {
        // Finding the record's place again makes calls of its own.
        const int error = errno;
        return fail(m_record.placeless() ? EACCES : error);
    }
    if (const int error = list.nameMarked(fullListPrefix(inCache)))
        return fail(error);
    if (m_calls.fsync(list.folderFd()) != 0 && !isSyncRefusal(errno))
        return fail(errno);
    if (!m_record.write("copying", where, list.name(), list.fd(), targetFd))
        return fail(errno);
    m_fullList = listFolder + '/' + list.name();
    // Another user may have put a file of theirs at the name meanwhile.
    if (!stillNamed(m_folderFd, m_name, targetFd))
        return fail(0);
    if (m_calls.ftruncate(targetFd, 0) != 0)
        return fail(errno);
    m_damaged = true;
    m_heldLines = m_heldBytes = 0;
    if (m_calls.fsync(targetFd) != 0 || !reserve())
        return fail(errno);
    if (!copyRange(targetFd, list.fd(), 0, size))
        return false;
    // The whole list went in; the disk must still confirm it, and the name
    // must still stand for the file: else the list went elsewhere.
    m_copyUnconfirmed = true;
    if (m_calls.fsync(targetFd) != 0)
        return fail(errno);
    if (!stillNamed(m_folderFd, m_name, targetFd))
        return fail(0);
    // A network disk may report a lost write only as the file is closed.
    if (m_calls.close(std::exchange(targetFd, -1)) != 0 && errno != EINTR)
        return fail(errno);
    m_copyUnconfirmed = m_damaged = false;
    m_calls.unlinkat(list.folderFd(), list.name().constData(), 0);
    list.renamed();
    m_record.remove();
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
        const ssize_t got =
            m_calls.pread(from, buffer.data(), size_t(std::min<qint64>(BlockSize, end - offset)), offset);
        if (got < 0 && errno == EINTR)
            continue;
        ssize_t done = 0;
        int error = got < 0 ? errno : got == 0 ? EIO : 0;
        while (error == 0 && done < got) {
            const ssize_t put =
                m_calls.pwrite(targetFd, buffer.constData() + done, size_t(got - done), offset + done);
            if (put > 0)
                done += put;
            else if (put == 0 || errno != EINTR)
                error = put == 0 ? ENOSPC : errno;
        }
        countLines(buffer.constData(), done, offset);
        offset += done;
        if (error != 0) {
            [[maybe_unused]] const int cut = m_calls.ftruncate(targetFd, m_heldBytes);
            return fail(error);
        }
    }
    return true;
}

Save::Holds InPlaceCopy::holds(const Save::Reason &reason) const
{
    if (reason.why == Save::Why::Changed)
        return Save::SomeoneElses{m_damaged ? m_fullList : QByteArray()};
    if (m_damaged)
        return Save::PartOfList{m_earlier, qsizetype(m_heldLines), m_copyUnconfirmed, m_fullList};
    if (m_finishedEarlier)
        return Save::EarlierList{};
    return Save::AsBefore{};
}

// 0: the file no longer has its name.
bool InPlaceCopy::fail(int error)
{
    m_reason = error == 0 ? Save::Reason{Save::Why::Changed} : Save::Reason{Save::Why::System, error};
    // Nothing of the file changed: the list's name and its record go.
    if (!m_damaged)
        m_record.remove();
    return false;
}
