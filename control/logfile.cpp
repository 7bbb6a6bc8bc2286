#include "control/logfile.h"

#include "control/nickstore.h"
#include "platform/linefile.h"

#include <QDir>
#include <QFileInfo>

const QString NickLog::FileName = QStringLiteral("NIK.log");

NickLog::Result NickLog::save(const NickStore &store, const QString &programFolder, const QString &fallbackFolder)
{
    const QFileInfo folder(programFolder);
    if (folder.isDir() && folder.isWritable())
        return writeFile(store, QDir(programFolder).filePath(FileName));

    Result result = writeFile(store, QDir(fallbackFolder).filePath(FileName));
    if (result.outcome == Outcome::Saved)
        result.outcome = Outcome::SavedToFallback;
    return result;
}

NickLog::Result NickLog::writeFile(const NickStore &store, const QString &path)
{
    Result result;
    result.path = QDir::toNativeSeparators(path);
    LineFile file(path);
    if (!file.open()) {
        result.reason = file.errorString();
        return result;
    }
    // A block of lines at a time, rendered straight from the store.
    QByteArray block;
    block.reserve(LineFile::BlockSize + 64);
    for (qsizetype next = 0; next < store.count();) {
        block.resize(0);
        next = store.appendLinesTo(next, LineFile::LineEnd, LineFile::BlockSize, block);
        if (!file.writeLines(block)) {
            result.reason = file.errorString();
            return result;
        }
    }
    if (!file.commit()) {
        result.reason = file.errorString();
        return result;
    }
    result.outcome = Outcome::Saved;
    return result;
}
