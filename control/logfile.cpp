#include "control/logfile.h"

#include "core/nickstore.h"
#include "platform/folders.h"
#include "platform/linefile.h"

#include <QFile>

#include <cerrno>

const QString NickLog::FileName = QStringLiteral("NIK.log");

namespace {

// Lines rendered at a time: a few of the file's write blocks.
constexpr qsizetype RenderBlockSize = 4 * LineFile::BlockSize;

QByteArray logIn(const QByteArray &folder)
{
    return folder + (folder.endsWith('/') ? "" : "/") + QFile::encodeName(NickLog::FileName);
}

// A refusal the documents folder can make up for: no rights, a read-only
// disk, or a program folder that is no longer there. Decided by the error
// the save met (code is -1 for a refused link), not by the folder's mode.
bool placeRefused(int code, const QByteArray &programFolder)
{
    if (code == EACCES || code == EPERM || code == EROFS)
        return true;
    return (code == ENOENT || code == ENOTDIR) && !isFolder(programFolder);
}

} // namespace

NickLog::Result NickLog::save(const NickStore &store, const QByteArray &programFolder,
                              const QByteArray &fallbackFolder, Progress *progress)
{
    // Never a relative name: that would be wherever the program was started.
    if (!programFolder.startsWith('/')) {
        Result unknown;
        unknown.path = QFile::encodeName(FileName);
        unknown.reason.refusal = LineFile::Refusal::NotAbsolute;
        return unknown;
    }
    int code = 0;
    Result result = writeFile(store, logIn(programFolder), code, progress);
    if (result.outcome != Outcome::Failed || result.damaged || !placeRefused(code, programFolder))
        return result;
    if (fallbackFolder.isEmpty()) {
        result.nowhereElse = true;
        return result;
    }
    Result fallback = writeFile(store, logIn(fallbackFolder), code, progress);
    fallback.refusedPath = result.path;
    fallback.refusedReason = result.reason;
    fallback.refusedBy = result.refusedBy;
    if (fallback.outcome == Outcome::Saved)
        fallback.outcome = Outcome::SavedToFallback;
    return fallback;
}

NickLog::Result NickLog::writeFile(const NickStore &store, const QByteArray &path, int &code,
                                   Progress *progress)
{
    Result result;
    result.path = path;
    LineFile file(path);
    // A stop is heeded only while the earlier file is still as it was.
    const auto stopped = [&] { return progress && progress->stop.load() && !file.damaged(); };
    const auto cancelled = [&] {
        file.cancel();
        code = ECANCELED;
        result.outcome = Outcome::Cancelled;
        result.earlierFileKept = isFile(result.path);
        return result;
    };
    if (progress) {
        progress->written = 0;
        file.setWaitHandler([progress] {
            progress->waiting = true;
            return !progress->stop.load();
        });
    }
    const auto failed = [&] {
        if (stopped())
            return cancelled();
        code = file.refusal() == LineFile::Refusal::None ? file.errorCode() : -1;
        result.path = file.errorPath();
        result.reason = {file.refusal(), file.errorCode()};
        // What stands at the path now is someone else's, not an earlier file kept.
        result.earlierFileKept =
            !file.damaged() && file.refusal() != LineFile::Refusal::Changed && isFile(result.path);
        result.damaged = file.damaged();
        result.heldEntries = qsizetype(file.heldLines());
        result.copyUnconfirmed = file.copyUnconfirmed();
        result.earlierList = file.finishingEarlier();
        result.fullList = file.fullList();
        result.refusedBy = file.throughLink()                             ? Refuser::LinkTarget
                           : file.errorPlace() == LineFile::Place::Folder ? Refuser::Folder
                                                                          : Refuser::File;
        return result;
    };
    const bool opened = file.open();
    if (progress)
        progress->waiting = false;
    if (!opened)
        return failed();
    // Lines rendered straight from the store a block at a time, and written
    // by the same thread: the disk works on the blocks already written
    // meanwhile, and the window's thread keeps a processor of its own.
    QByteArray block;
    block.reserve(RenderBlockSize + 64);
    for (qsizetype next = 0; next < store.count();) {
        if (stopped())
            return cancelled();
        block.resize(0);
        next = store.appendLinesTo(next, LineFile::LineEnd, RenderBlockSize, block);
        if (!file.writeLines(block))
            return failed();
        if (progress)
            progress->written = next;
    }
    if (!file.sync())
        return failed();
    // The last chance to keep the earlier file.
    if (stopped())
        return cancelled();
    if (!file.commit())
        return failed();
    code = 0;
    result.path = file.path();
    result.outcome = Outcome::Saved;
    result.replacedEarlier = file.replacedEarlier();
    result.unconfirmed = file.unconfirmed();
    result.unlocked = file.unlocked();
    return result;
}
