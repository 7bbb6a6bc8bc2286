#include "control/logfile.h"

#include "control/nickstore.h"
#include "platform/linefile.h"

#include <QDir>
#include <QFileInfo>

#include <array>
#include <cerrno>
#include <cstring>
#include <future>

const QString NickLog::FileName = QStringLiteral("NIK.log");

namespace {

// Lines rendered at a time: a few of the file's write blocks.
constexpr qsizetype RenderBlockSize = 4 * LineFile::BlockSize;

QString reasonText(int code, LineFile::Refusal refusal)
{
    switch (refusal) {
    case LineFile::Refusal::ForeignLink:
        return QStringLiteral("это символическая ссылка, а она сама или файл, на который она указывает, "
                              "принадлежит другому пользователю; ссылка и этот файл оставлены как были");
    case LineFile::Refusal::Busy:
        return QStringLiteral("другая копия программы слишком долго сохраняет список в эту папку");
    case LineFile::Refusal::None:
        break;
    }
    switch (code) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("на диске не хватает места");
    case EACCES:
    case EPERM:
        return QStringLiteral("нет прав на запись");
    case EROFS:
        return QStringLiteral("диск или папка доступны только для чтения");
    case EISDIR:
        return QStringLiteral("на месте файла стоит папка");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("папка не найдена");
    case EFBIG:
        return QStringLiteral("файл вышел больше, чем разрешено");
    case ELOOP:
        return QStringLiteral("слишком много символических ссылок подряд");
    default:
        return QString::fromLocal8Bit(std::strerror(code));
    }
}

// A refusal the documents folder can make up for: no rights, a read-only
// disk, or a program folder that is no longer there. Decided by the error
// the save met (code is -1 for a refused link), not by the folder's mode.
bool folderRefused(int code, const QString &programFolder)
{
    if (code == EACCES || code == EPERM || code == EROFS)
        return true;
    return (code == ENOENT || code == ENOTDIR) && !QFileInfo(programFolder).isDir();
}

} // namespace

NickLog::Result NickLog::save(const NickStore &store, const QString &programFolder,
                              const QString &fallbackFolder, Progress *progress)
{
    int code = 0;
    Result result = writeFile(store, QDir(programFolder).filePath(FileName), code, progress);
    if (result.outcome != Outcome::Failed || !folderRefused(code, programFolder))
        return result;
    if (fallbackFolder.isEmpty()) {
        result.nowhereElse = true;
        return result;
    }
    Result fallback = writeFile(store, QDir(fallbackFolder).filePath(FileName), code, progress);
    fallback.refusedPath = result.path;
    fallback.refusedReason = result.reason;
    if (fallback.outcome == Outcome::Saved)
        fallback.outcome = Outcome::SavedToFallback;
    return fallback;
}

NickLog::Result NickLog::writeFile(const NickStore &store, const QString &path, int &code, Progress *progress)
{
    Result result;
    result.path = QDir::toNativeSeparators(path);
    LineFile file(path);
    const auto stopped = [&] { return progress && progress->stop.load(); };
    const auto cancelled = [&] {
        file.cancel();
        code = ECANCELED;
        result.outcome = Outcome::Cancelled;
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
        result.path = QDir::toNativeSeparators(file.errorPath());
        result.reason = reasonText(file.errorCode(), file.refusal());
        return result;
    };
    const bool opened = file.open();
    if (progress)
        progress->waiting = false;
    if (!opened)
        return failed();
    // Blocks of lines rendered straight from the store, each while the one
    // before is being written on another thread.
    std::array<QByteArray, 2> blocks;
    std::future<bool> writing;
    qsizetype writingUpTo = 0;
    const auto lastWritten = [&] {
        if (!writing.valid())
            return true;
        const bool ok = writing.get();
        if (ok && progress)
            progress->written = writingUpTo;
        return ok;
    };
    for (qsizetype next = 0, turn = 0; next < store.count(); turn ^= 1) {
        if (stopped()) {
            lastWritten();
            return cancelled();
        }
        QByteArray &block = blocks[turn];
        block.reserve(RenderBlockSize + 64);
        block.resize(0);
        next = store.appendLinesTo(next, LineFile::LineEnd, RenderBlockSize, block);
        if (!lastWritten())
            return failed();
        writingUpTo = next;
        // Written here when no thread can be had.
        writing = std::async(std::launch::async | std::launch::deferred,
                             [&file, &block] { return file.writeLines(block); });
    }
    if (!lastWritten() || !file.sync())
        return failed();
    // The last chance to keep the old file.
    if (stopped())
        return cancelled();
    if (!file.commit())
        return failed();
    code = 0;
    result.path = QDir::toNativeSeparators(file.path());
    result.outcome = Outcome::Saved;
    return result;
}
