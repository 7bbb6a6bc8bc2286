#include "platform/save/filesave.h"

#include "platform/folders.h"
#include "platform/save/ownfolders.h"
#include "platform/save/systemcalls.h"

#include <QCryptographicHash>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace {

// What follows ".<file name>" in the names of this program's temporary files.
constexpr QByteArrayView TemporaryMark{".quillmark-unfinished-save-"};

} // namespace

FileSave::FileSave(const QByteArray &path, const SystemCalls &calls, const std::atomic<bool> *stop)
    : m_calls(calls), m_stop(stop), m_target(path), m_lock(calls), m_new(calls), m_writer(calls)
{
}

FileSave::~FileSave()
{
    cancel();
}

bool FileSave::open()
{
    const QByteArray path = m_target.linkPath();
    if (!path.startsWith('/'))
        return fail({Save::Why::NotAbsolute}, Save::Refuser::Folder);
    if (path.size() >= PATH_MAX)
        return fail({Save::Why::PathTooLong});
    if (!m_target.resolve())
        return fail(m_target.reason(),
                    m_target.folderRefused() ? Save::Refuser::Folder : Save::Refuser::File);
    if (m_target.path().size() >= PATH_MAX)
        return fail({Save::Why::PathTooLong});
    m_folder = folderOf(m_target.path());
    m_name = m_target.path().mid(m_target.path().lastIndexOf('/') + 1);
    // Every later step goes through this folder, whatever happens to its path.
    m_folderFd = m_calls.openat(AT_FDCWD, m_folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat folder
    {
    };
    if (m_folderFd < 0 || ::fstat(m_folderFd, &folder) != 0)
        return fail(errno, Save::Refuser::Folder);
    // The folder's device and inode and the file name: what belongs to this
    // file in the user's own folders.
    m_key = QByteArray::number(quint64(folder.st_dev), 16) + '-' +
            QByteArray::number(quint64(folder.st_ino), 16) + '-' +
            QCryptographicHash::hash(m_name, QCryptographicHash::Sha1).toHex().left(16);
    const SaveLock::Result locked = m_lock.take(m_key, m_folderFd, m_waitHandler);
    m_unlocked = locked == SaveLock::Result::NoPlace;
    if (!tookTurn(locked))
        return false;
    // The file is found anew once the lock is held: another copy's save may
    // have made or replaced it meanwhile.
    const QByteArray found = m_target.path();
    if (!m_target.resolve())
        return fail(m_target.reason(),
                    m_target.folderRefused() ? Save::Refuser::Folder : Save::Refuser::File);
    if (m_target.path() != found)
        return fail({Save::Why::Changed});
    if (m_lock.held())
        sweepTemporaries(m_folderFd, temporaryPrefix(false));
    const std::optional<Way> way = chooseWay();
    if (!way)
        return false;
    m_way = *way;
    m_writer.setFile(m_way == Way::Direct ? m_targetFd : m_new.fd(), m_way != Way::Direct);
    return true;
}

// How the list goes into the file; none once the save has ended.
std::optional<FileSave::Way> FileSave::chooseWay()
{
    if (!m_target.existed()) {
        if (const int error = m_new.create(m_folderFd, temporaryPrefix(false))) {
            fail(error, Save::Refuser::Folder);
            return {};
        }
        return Way::New;
    }
    if (!openTarget())
        return {};
    // A FIFO or device is written into, as any program writes to it.
    if (!S_ISREG(m_old.st_mode))
        return Way::Direct;
    // Another user's copy of the program may write into this very file in
    // place, out of reach of this user's lock: the file itself is locked too,
    // until it is closed, where its disk has such locks.
    if (!tookTurn(m_lock.lock(m_targetFd, m_waitHandler)) || !finishLeftover())
        return {};
    if (const int error = m_new.create(m_folderFd, temporaryPrefix(false))) {
        // A folder that takes no new file, holding a file this user may
        // change: the new list waits in the user's cache folder, and is
        // copied into the file.
        if (error != EACCES && error != EPERM) {
            fail(error, Save::Refuser::Folder);
            return {};
        }
        if (!keepAside(error))
            return {};
        return Way::KeepAside;
    }
    // Other names of the file, or an owner, group or attributes the new
    // file cannot be given: the list is copied into the file itself.
    if (m_old.st_nlink > 1 || !m_new.keepWhatTheUserSet(m_targetFd, m_old))
        return Way::InPlace;
    ::close(std::exchange(m_targetFd, -1));
    return Way::Replace;
}

// Whether the save goes on after waiting for a lock.
bool FileSave::tookTurn(SaveLock::Result locked)
{
    switch (locked) {
    case SaveLock::Result::Held:
    case SaveLock::Result::NoPlace:
        return true;
    case SaveLock::Result::Busy:
        return fail({Save::Why::Busy});
    case SaveLock::Result::Cancelled:
        m_waitGivenUp = true;
        return endCancelled();
    }
    return true;
}

// The temporary files of this user's saves that crashed: only names with
// this program's mark, only regular files of this user, only while the lock
// is held, when none of the user's running copies is writing one.
void FileSave::sweepTemporaries(int folderFd, const QByteArray &prefix)
{
    forEachMarked(m_calls, folderFd, prefix, [this, folderFd](const QByteArray &name, const struct stat &) {
        m_calls.unlinkat(folderFd, name.constData(), 0);
    });
}

// In the user's cache folder the names carry the file's key: that folder
// serves every file the user saves.
QByteArray FileSave::temporaryPrefix(bool inCache) const
{
    return '.' + (inCache ? m_key + '-' : QByteArray()) + m_name + TemporaryMark.toByteArray();
}

// Opened first, so the system says whether this user may change it.
bool FileSave::openTarget()
{
    // O_NONBLOCK: a FIFO without a reader refuses at once, not never.
    m_targetFd = m_calls.openat(m_folderFd, m_name.constData(),
                                O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (m_targetFd < 0 || ::fstat(m_targetFd, &m_old) != 0) {
        const int error = errno;
        return m_target.nameChanged(m_folderFd, m_name) ? fail({Save::Why::Changed}) : fail(error);
    }
    // What was opened is what was checked: nobody put another file there meanwhile.
    if (!sameFile(m_old, m_target.seen()))
        return fail({Save::Why::Changed});
    ::fcntl(m_targetFd, F_SETFL, ::fcntl(m_targetFd, F_GETFL) & ~O_NONBLOCK);
    return true;
}

// A list an earlier save left as it was copied into the file is dealt with
// before this one's, under the lock.
bool FileSave::finishLeftover()
{
    m_inPlace.emplace(m_calls, m_folderFd, m_folder, m_name, m_key);
    if (!m_lock.held())
        return true;
    const QByteArray cache = cacheFolder(m_calls, false);
    const int cacheFd = cache.isEmpty()
                            ? -1
                            : m_calls.openat(AT_FDCWD, cache.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool finished = m_inPlace->finishLeftover(m_targetFd, cacheFd, cache);
    if (cacheFd >= 0)
        ::close(cacheFd);
    return finished || fail(m_inPlace->reason());
}

// The new list waits in the user's cache folder only where that survives a
// power cut as the file does: else the file would be emptied while the whole
// list is on a disk that forgets it. Without such a place the folder refuses.
bool FileSave::keepAside(int folderError)
{
    m_cache = cacheFolder(m_calls);
    m_cacheFd = m_cache.isEmpty()
                    ? -1
                    : m_calls.openat(AT_FDCWD, m_cache.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_cacheFd < 0 || !lastsAsLongAs(m_cacheFd, m_folderFd))
        return fail(folderError, Save::Refuser::Folder);
    if (m_lock.held())
        sweepTemporaries(m_cacheFd, temporaryPrefix(true));
    if (const int error = m_new.create(m_cacheFd, temporaryPrefix(true)))
        return fail(error, Save::Refuser::KeepAside);
    return true;
}

// What refuses when writing or syncing the new list fails.
Save::Refuser FileSave::listRefuser() const
{
    return m_way == Way::KeepAside ? Save::Refuser::KeepAside : Save::Refuser::File;
}

bool FileSave::writeLines(QByteArrayView lines)
{
    if (m_end)
        return false;
    if (stopped())
        return endCancelled();
    return m_writer.write(lines) || fail(m_writer.error(), listRefuser());
}

bool FileSave::sync()
{
    if (!m_writer.flush())
        return fail(m_writer.error(), listRefuser());
    if (m_way == Way::Direct || m_synced)
        return true;
    // The data is on the disk before the file changes or takes its name,
    // so a power cut leaves the old file or the new one.
    if (m_calls.fsync(m_new.fd()) != 0)
        return fail(errno, listRefuser());
    m_synced = true;
    return true;
}

bool FileSave::commit()
{
    if (m_end || !sync())
        return false;
    // The last chance to keep the earlier file.
    if (stopped())
        return endCancelled();
    const bool done = m_way == Way::Direct                               ? writeStraight()
                      : m_way == Way::InPlace || m_way == Way::KeepAside ? copyIn()
                                                                         : replace();
    if (!done)
        return false;
    const Save::Saved saved{m_target.path(), m_target.existed(),       m_unconfirmed,
                            m_unlocked,      m_stop && m_stop->load(), leftAlone()};
    cancel();
    m_end = saved;
    return true;
}

// A FIFO or a terminal cannot be synced, and need not be.
bool FileSave::writeStraight()
{
    if (m_calls.fsync(m_targetFd) != 0 && errno != EINVAL && errno != EROFS)
        return fail(errno);
    if (m_calls.close(std::exchange(m_targetFd, -1)) != 0 && errno != EINTR)
        return fail(errno);
    return true;
}

bool FileSave::copyIn()
{
    const QByteArray listFolder = m_way == Way::KeepAside ? m_cache : m_folder;
    return m_inPlace->copy(m_targetFd, m_new, listFolder, m_writer.written()) || fail(m_inPlace->reason());
}

bool FileSave::replace()
{
    if (m_new.name().isEmpty()) {
        // The unnamed file gets the file's name when there is none there
        // yet, else a temporary name of ours to be renamed.
        if (m_way == Way::New && m_new.link(m_name) == 0) {
            m_unconfirmed = m_new.close();
            syncFolder();
            return true;
        }
        if (const int error = m_new.nameMarked(temporaryPrefix(false)))
            return fail(error, Save::Refuser::Folder);
    }
    if (const int error = m_new.close())
        return fail(error);
    // Only the file the save found is replaced: one someone else put or made
    // there meanwhile is theirs.
    if (m_target.nameChanged(m_folderFd, m_name))
        return fail({Save::Why::Changed});
    if (m_calls.renameat(m_folderFd, m_new.name().constData(), m_folderFd, m_name.constData()) != 0) {
        const int error = errno;
        return m_target.nameChanged(m_folderFd, m_name) ? fail({Save::Why::Changed}) : fail(error);
    }
    m_new.renamed();
    syncFolder();
    return true;
}

// Once the new file has its name the save has happened; without this sync a
// power cut could still bring the old file back, so a failure is told, as a
// warning.
void FileSave::syncFolder()
{
    if (m_calls.fsync(m_folderFd) != 0 && !isSyncRefusal(errno) && m_unconfirmed == 0)
        m_unconfirmed = errno;
}

Save::Outcome FileSave::end()
{
    if (!m_end)
        endCancelled();
    return *m_end;
}

void FileSave::cancel()
{
    // A block still being written ends before its file is let go.
    m_writer.reset();
    // The full list stays while the file holds only part of it.
    if (m_inPlace && m_inPlace->damaged())
        m_new.renamed();
    m_new.discard();
    if (m_targetFd >= 0)
        ::close(std::exchange(m_targetFd, -1));
    m_lock.release();
    for (int *fd : {&m_cacheFd, &m_folderFd}) {
        if (*fd >= 0)
            ::close(std::exchange(*fd, -1));
    }
}

// A stop is heeded only while the earlier file is still whole.
bool FileSave::stopped() const
{
    return m_stop && m_stop->load() && !(m_inPlace && m_inPlace->damaged());
}

QByteArrayList FileSave::leftAlone() const
{
    return m_inPlace ? m_inPlace->leftAlone() : QByteArrayList();
}

bool FileSave::endCancelled()
{
    const QByteArray path = m_target.linkPath();
    Save::HoldsWhole holds = Save::AsBefore{};
    if (m_waitGivenUp)
        holds = Save::OtherCopysSave{};
    else if (m_inPlace && std::holds_alternative<Save::EarlierList>(m_inPlace->holds({})))
        holds = Save::EarlierList{};
    const QByteArrayList left = leftAlone();
    cancel();
    if (std::holds_alternative<Save::AsBefore>(holds))
        holds = Save::AsBefore{isFile(path)};
    m_end = Save::Cancelled{path, holds, left};
    return false;
}

// What failed, what the file holds now and what refused (`by`, the file's
// folder for the folder). A failure once the user asked to stop, while the
// earlier file is whole, is a stop.
bool FileSave::fail(Save::Reason reason, Save::Refuser by)
{
    if (stopped())
        return endCancelled();
    const QByteArray file = reason.why == Save::Why::ForeignLink ? m_target.linkPath() : m_target.path();
    const Save::Holds holds = m_inPlace                          ? m_inPlace->holds(reason)
                              : reason.why == Save::Why::Changed ? Save::Holds{Save::SomeoneElses{}}
                                                                 : Save::Holds{Save::AsBefore{}};
    const auto *part = std::get_if<Save::PartOfList>(&holds);
    Save::Failed failed{file, reason, holds, by, file, leftAlone()};
    if (by == Save::Refuser::KeepAside) {
        failed.path = m_target.linkPath();
        failed.refuser = m_cache;
    } else if (part && part->earlier) {
        failed.by = Save::Refuser::File;
    } else if (m_target.throughLink()) {
        failed.by = Save::Refuser::LinkTarget;
    } else if (by == Save::Refuser::Folder) {
        failed.refuser = folderOf(file);
    }
    cancel();
    if (reason.why == Save::Why::Busy)
        failed.holds = Save::OtherCopysSave{};
    else if (std::holds_alternative<Save::AsBefore>(holds))
        failed.holds = Save::AsBefore{isFile(failed.path)};
    m_end = failed;
    return false;
}
