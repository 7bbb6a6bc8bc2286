#include "control/logfile.h"

#include "core/nickstore.h"
#include "platform/folders.h"
#include "platform/linefile.h"

#include <QFile>

#include <algorithm>
#include <cerrno>

const QString NickLog::FileName = QStringLiteral("NIK.log");

namespace {

// Lines rendered at a time: a few of the file's write blocks.
constexpr qsizetype RenderBlockSize = 4 * LineFile::BlockSize;

QByteArray logIn(const QByteArray &folder)
{
    return folder + (folder.endsWith('/') ? "" : "/") + QFile::encodeName(NickLog::FileName);
}

SaveOutcome::Reason reasonOf(const LineFile::Failure &failure)
{
    switch (failure.refusal) {
    case SaveRefusal::None:
        break;
    case SaveRefusal::ForeignLink:
        return {SaveOutcome::Why::ForeignLink};
    case SaveRefusal::ForeignFile:
        return {SaveOutcome::Why::ForeignFile};
    case SaveRefusal::Busy:
        return {SaveOutcome::Why::Busy};
    case SaveRefusal::PathTooLong:
        return {SaveOutcome::Why::PathTooLong};
    case SaveRefusal::NotAbsolute:
        return {SaveOutcome::Why::NotAbsolute};
    case SaveRefusal::Changed:
        return {SaveOutcome::Why::Changed};
    }
    return {SaveOutcome::Why::System, failure.error};
}

// A refusal the documents folder can make up for: no rights, a read-only
// disk, a program folder that is no longer there, or no safe place for the
// list to wait in. Decided by the error the save met, not by the folder's mode.
bool placeRefused(const LineFile::Failure &failure, const QByteArray &programFolder)
{
    if (failure.refusal != SaveRefusal::None)
        return false;
    const int code = failure.error;
    if (failure.place == LineFile::Place::KeepAside || code == EACCES || code == EPERM || code == EROFS)
        return true;
    return (code == ENOENT || code == ENOTDIR) && !isFolder(programFolder);
}

} // namespace

SaveOutcome NickLog::save(const NickStore &store, const QByteArray &programFolder,
                          const QByteArray &fallbackFolder, Progress *progress)
{
    // Never a relative name: that would be wherever the program was started.
    if (!programFolder.startsWith('/')) {
        SaveOutcome unknown;
        unknown.path = QFile::encodeName(FileName);
        unknown.reason.why = SaveOutcome::Why::NotAbsolute;
        return unknown;
    }
    std::optional<SaveOutcome::Refused> refused;
    SaveOutcome outcome = writeFile(store, logIn(programFolder), progress, refused);
    // A folder that refused is not asked again.
    if (!refused || fallbackFolder == programFolder)
        return outcome;
    if (fallbackFolder.isEmpty()) {
        outcome.nowhereElse = true;
        return outcome;
    }
    std::optional<SaveOutcome::Refused> again;
    SaveOutcome fallback = writeFile(store, logIn(fallbackFolder), progress, again);
    fallback.refused = refused;
    return fallback;
}

SaveOutcome NickLog::writeFile(const NickStore &store, const QByteArray &path, Progress *progress,
                               std::optional<SaveOutcome::Refused> &refused)
{
    SaveOutcome outcome;
    outcome.path = path;
    LineFile file(path);
    // A stop is heeded only while the earlier file is still whole.
    const auto stopped = [&] {
        return progress && progress->stop.load() && !(file.inPlace() && file.inPlace()->damaged());
    };
    const auto ended = [&](SaveOutcome::Kind kind) {
        if (kind != SaveOutcome::Kind::Saved && stopped())
            kind = SaveOutcome::Kind::Cancelled;
        outcome.kind = kind;
        if (kind == SaveOutcome::Kind::Failed)
            tellFailure(file, outcome, refused);
        else if (kind == SaveOutcome::Kind::Cancelled)
            outcome.holds = file.waitGivenUp() ? SaveOutcome::Holds::OtherCopysSave
                            : file.inPlace() && file.inPlace()->finishedEarlier()
                                ? SaveOutcome::Holds::EarlierList
                                : SaveOutcome::Holds::AsBefore;
        file.cancel();
        if (file.inPlace())
            outcome.leftAlone = file.inPlace()->leftAlone();
        outcome.existed = isFile(outcome.path);
        return outcome;
    };
    if (progress) {
        progress->written = 0;
        file.setWaitHandler([progress] {
            progress->waiting = true;
            return !progress->stop.load();
        });
    }
    const bool opened = file.open();
    if (progress)
        progress->waiting = false;
    if (!opened)
        return ended(SaveOutcome::Kind::Failed);
    // Lines rendered straight from the store a block at a time, and written
    // by the same thread: the disk works on the blocks already written
    // meanwhile, and the window's thread keeps a processor of its own. Every
    // write but the last is one whole block at a multiple of its size: where
    // the file goes through the system's cache, that fills whole pages of it
    // (writes that began and ended inside a page took a third longer). The
    // few bytes of a line past the block open the next one.
    QByteArray block;
    block.reserve(RenderBlockSize + 64);
    for (qsizetype next = 0; next < store.count() || !block.isEmpty();) {
        if (stopped())
            return ended(SaveOutcome::Kind::Cancelled);
        next = store.appendLinesTo(next, LineFile::LineEnd, RenderBlockSize - block.size(), block);
        const qsizetype whole = std::min(block.size(), RenderBlockSize);
        if (!file.writeLines(QByteArrayView(block).first(whole)))
            return ended(SaveOutcome::Kind::Failed);
        block.remove(0, whole);
        if (progress)
            progress->written = next;
    }
    if (!file.sync())
        return ended(SaveOutcome::Kind::Failed);
    // The last chance to keep the earlier file.
    if (stopped())
        return ended(SaveOutcome::Kind::Cancelled);
    if (!file.commit())
        return ended(SaveOutcome::Kind::Failed);
    outcome.path = file.path();
    outcome.holds = SaveOutcome::Holds::NewList;
    outcome.unconfirmed = file.unconfirmed();
    outcome.unlocked = file.unlocked();
    // Asked to stop, but the earlier file was already being replaced.
    outcome.tooLateToCancel = progress && progress->stop.load();
    const bool replaced = file.replacedEarlier();
    ended(SaveOutcome::Kind::Saved);
    outcome.existed = replaced;
    return outcome;
}

// What failed, what the file holds now, and whether the fallback folder may
// make up for it.
void NickLog::tellFailure(const LineFile &file, SaveOutcome &outcome,
                          std::optional<SaveOutcome::Refused> &refused)
{
    using Holds = SaveOutcome::Holds;
    const LineFile::Failure failure =
        file.failure().value_or(LineFile::Failure{EIO, SaveRefusal::None, LineFile::Place::File, {}});
    const InPlaceCopy *copy = file.inPlace();
    outcome.reason = reasonOf(failure);
    if (failure.place != LineFile::Place::KeepAside)
        outcome.path = failure.path;
    if (copy && copy->damaged())
        outcome.fullList = copy->fullList();
    if (failure.refusal == SaveRefusal::Changed) {
        outcome.holds = Holds::SomeoneElses;
    } else if (failure.refusal == SaveRefusal::Busy) {
        outcome.holds = Holds::OtherCopysSave;
    } else if (copy && copy->damaged()) {
        outcome.holds = copy->earlierList() ? Holds::PartOfEarlierList : Holds::PartOfNewList;
        outcome.entries = qsizetype(copy->heldLines());
        outcome.copyUnconfirmed = copy->copyUnconfirmed();
    } else if (copy && copy->finishedEarlier()) {
        outcome.holds = Holds::EarlierList;
    }
    // A list a crash left that could not be finished holds the file up:
    // the new list goes where it can.
    if (outcome.holds == Holds::PartOfEarlierList && !outcome.copyUnconfirmed) {
        refused = SaveOutcome::Refused{SaveOutcome::Refuser::File,
                                       outcome.reason,
                                       failure.path,
                                       outcome.holds,
                                       outcome.entries,
                                       outcome.fullList};
        return;
    }
    if (outcome.holds != Holds::AsBefore || !placeRefused(failure, folderOf(file.askedPath())))
        return;
    SaveOutcome::Refuser by = SaveOutcome::Refuser::File;
    QByteArray where = failure.path;
    if (failure.place == LineFile::Place::KeepAside) {
        by = SaveOutcome::Refuser::KeepAside;
    } else if (file.throughLink()) {
        by = SaveOutcome::Refuser::LinkTarget;
    } else if (failure.place == LineFile::Place::Folder) {
        by = SaveOutcome::Refuser::Folder;
        where = folderOf(failure.path);
    }
    refused = SaveOutcome::Refused{by, outcome.reason, where, Holds::AsBefore, 0, {}};
}
