#include "control/logfile.h"

#include "control/nickstore.h"
#include "platform/appdir.h"
#include "platform/linefile.h"

#include <QFile>

#include <cerrno>
#include <climits>

const QString NickLog::FileName = QStringLiteral("NIK.log");

namespace {

// Lines rendered at a time: a few of the file's write blocks.
constexpr qsizetype RenderBlockSize = 4 * LineFile::BlockSize;

QByteArray logIn(const QByteArray &folder)
{
    return folder + (folder.endsWith('/') ? "" : "/") + QFile::encodeName(NickLog::FileName);
}

// Every reason a save can meet, in Russian whatever the system's language.
QString errnoText(int code)
{
    switch (code) {
    case ENOSPC:
        return QStringLiteral("на диске не хватает места");
    case EDQUOT:
        return QStringLiteral("исчерпана дисковая квота пользователя");
    case EACCES:
        return QStringLiteral("нет прав на запись");
    case EPERM:
        return QStringLiteral("система не разрешает это действие (например, файл защищён от изменений)");
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
    case ENAMETOOLONG:
        return QStringLiteral("слишком длинное имя файла или папки");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("файл или диск занят другой программой или системой");
    case EIO:
        return QStringLiteral("ошибка ввода-вывода: диск не смог записать данные");
    case EREMOTEIO:
        return QStringLiteral("ошибка ввода-вывода на удалённом диске");
    case ESTALE:
        return QStringLiteral("файл на сетевом диске устарел: его изменили или удалили на сервере");
    case ENOTCONN:
    case ESHUTDOWN:
    case ECONNABORTED:
    case ECONNRESET:
    case ENOLINK:
        return QStringLiteral(
            "связь с диском прервана (сетевой или подключённый программой диск отключился)");
    case ETIMEDOUT:
    case EHOSTDOWN:
    case ENETDOWN:
    case ENETUNREACH:
    case EHOSTUNREACH:
        return QStringLiteral("сетевой диск не отвечает");
    case EMLINK:
        return QStringLiteral("у файла или папки слишком много ссылок");
    case EXDEV:
        return QStringLiteral("файл нельзя перенести на другой диск");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("открыто слишком много файлов");
    case ENOMEM:
    case ENOBUFS:
        return QStringLiteral("не хватает памяти");
    case EAGAIN:
    case EINTR:
        return QStringLiteral("система временно не может выполнить запись; попробуйте ещё раз");
    case ENXIO:
        return QStringLiteral("у канала нет читателя, или устройство недоступно");
    case ENODEV:
    case ENOMEDIUM:
        return QStringLiteral("устройство недоступно");
    case EPIPE:
        return QStringLiteral("читатель канала закрыл его");
    case EOVERFLOW:
        return QStringLiteral("файл слишком велик для этой системы");
    case EEXIST:
        return QStringLiteral("не удалось подобрать свободное имя для временного файла");
    case ENOLCK:
        return QStringLiteral("система не даёт поставить блокировку");
    case EUCLEAN:
    case EBADMSG:
        return QStringLiteral("файловая система повреждена и требует проверки");
    case EOPNOTSUPP:
    case ENOSYS:
    case EINVAL:
        return QStringLiteral("файловая система не поддерживает нужное действие");
    case ENOKEY:
    case EKEYEXPIRED:
    case EKEYREVOKED:
        return QStringLiteral("зашифрованная папка заперта: нет ключа");
    case ECANCELED:
        return QStringLiteral("действие отменено");
    default:
        return QStringLiteral("ошибка системы с кодом %1").arg(code);
    }
}

QString reasonText(const LineFile &file)
{
    switch (file.refusal()) {
    case LineFile::Refusal::ForeignLink:
        return QStringLiteral("это символическая ссылка, а она сама или файл, на который она указывает, "
                              "принадлежит другому пользователю; ссылка и этот файл оставлены как были");
    case LineFile::Refusal::ForeignFile:
        return QStringLiteral("это не обычный файл, а канал или устройство другого пользователя; "
                              "он оставлен как был");
    case LineFile::Refusal::Busy:
        return QStringLiteral("другая копия программы слишком долго сохраняет список в этот файл");
    case LineFile::Refusal::PathTooLong:
        return QStringLiteral("путь к файлу длиннее, чем допускает система (%1 байт)").arg(PATH_MAX - 1);
    case LineFile::Refusal::None:
    case LineFile::Refusal::Changed:
        break;
    }
    return errnoText(file.errorCode());
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
        unknown.reason = QStringLiteral("не удалось узнать, в какой папке лежит программа");
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

NickLog::Result NickLog::writeFile(const NickStore &store, const QByteArray &path, int &code, Progress *progress)
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
        result.changedMeanwhile = file.refusal() == LineFile::Refusal::Changed;
        result.reason = result.changedMeanwhile ? QString() : reasonText(file);
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
    result.unlocked = file.unlocked();
    if (file.unconfirmed() != 0)
        result.warning = errnoText(file.unconfirmed());
    return result;
}
