#include "control/logfile.h"

#include "core/nickstore.h"
#include "platform/folders.h"
#include "platform/save/filesave.h"

#include <QFile>

#include <algorithm>
#include <cerrno>

const QString NickLog::FileName = QStringLiteral("NIK.log");

namespace {

// Lines rendered at a time: a few of the file's write blocks.
constexpr qsizetype RenderBlockSize = 4 * FileSave::BlockSize;

QByteArray logIn(const QByteArray &folder)
{
    return folder + (folder.endsWith('/') ? "" : "/") + QFile::encodeName(NickLog::FileName);
}

// A refusal the fallback folder can make up for: no rights, a read-only
// disk, a program folder that is no longer there, or no safe place for the
// list to wait in; or a list a crash left that could not be finished, which
// holds the file up. Decided by the error the save met, not by the folder's mode.
bool placeRefused(const Save::Failed &failed, const QByteArray &programFolder)
{
    if (const auto *part = std::get_if<Save::PartOfList>(&failed.holds))
        return part->earlier && !part->unconfirmed;
    if (!std::holds_alternative<Save::AsBefore>(failed.holds) || failed.reason.why != Save::Why::System)
        return false;
    const int code = failed.reason.error;
    if (failed.by == Save::Refuser::KeepAside || code == EACCES || code == EPERM || code == EROFS)
        return true;
    return (code == ENOENT || code == ENOTDIR) && !isFolder(programFolder);
}

} // namespace

SaveOutcome NickLog::save(const NickStore &store, const QByteArrayList &places, Progress *progress,
                          const SystemCalls &calls)
{
    const QByteArray name = QFile::encodeName(FileName);
    if (places.isEmpty())
        return {Save::Failed{name, {Save::Why::NoHome}, Save::AsBefore{}, Save::Refuser::Folder, name, {}},
                {},
                false};
    // Never a relative name: that would be wherever the program was started.
    if (!places.value(0).startsWith('/')) {
        return {
            Save::Failed{name, {Save::Why::NotAbsolute}, Save::AsBefore{}, Save::Refuser::Folder, name, {}},
            {},
            false};
    }
    SaveOutcome outcome{writeFile(store, logIn(places[0]), progress, calls), {}, false};
    for (qsizetype next = 1; next < places.size(); ++next) {
        const auto *failed = std::get_if<Save::Failed>(&outcome.end);
        if (!failed || !placeRefused(*failed, places[next - 1]))
            break;
        // A folder that refused is not asked again.
        if (places.first(next).contains(places[next]))
            continue;
        if (places[next].isEmpty()) {
            outcome.nowhereElse = true;
            break;
        }
        // The first refusal is told: the program folder's.
        outcome.refused = outcome.refused.value_or(*failed);
        outcome.end = writeFile(store, logIn(places[next]), progress, calls);
    }
    return outcome;
}

Save::Outcome NickLog::writeFile(const NickStore &store, const QByteArray &path, Progress *progress,
                                 const SystemCalls &calls)
{
    FileSave file(path, calls, progress ? &progress->stop : nullptr);
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
        return file.end();
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
        const qsizetype from = next;
        next = store.appendLinesTo(next, FileSave::LineEnd, RenderBlockSize - block.size(), block);
        // The first block's lines tell about how long the whole file will be.
        if (from == 0 && next > 0)
            file.expectBytes(qint64(block.size()) * store.count() / next);
        const qsizetype whole = std::min(block.size(), RenderBlockSize);
        if (!file.writeLines(QByteArrayView(block).first(whole)))
            return file.end();
        block.remove(0, whole);
        if (progress)
            progress->written = next;
    }
    file.commit();
    return file.end();
}
