#include "ui/wording/wording.h"

#include "platform/appdir.h"

#include <cerrno>
#include <climits>

const char *const Wording::NoDisplay = QT_TR_NOOP("quillmark: дисплей не найден / no display found");

QString Wording::language()
{
    return tr("ru", "the code of the language of these texts");
}

Wording::Message Wording::refusal(const GeneratorPanel::Refusal &refusal)
{
    const QString title = tr("Ошибка!!!");
    switch (refusal.kind) {
    case GeneratorPanel::Refusal::Kind::LongerThanMax:
        return {tr("Да хватит десяти, зачем больше!!!"), title};
    case GeneratorPanel::Refusal::Kind::ShorterThanMin:
        return {tr("Куда меньше-то!!!"), title};
    case GeneratorPanel::Refusal::Kind::NegativeInterval:
        break;
    }
    // The refused interval leaves the timer exactly as it was.
    const QString timerState =
        refusal.timerRunning
            ? tr("Таймер работает дальше с прежним интервалом %1 мс.").arg(refusal.timerInterval)
            : tr("Таймер не запущен.");
    return {tr("Интервал не изменён: %1 мс меньше нуля. %2 Введите число от 0 до 9999.")
                .arg(refusal.interval)
                .arg(timerState),
            title};
}

namespace {

// What refused the program folder's file, as the head of a message.
QString refusedHead(const NickLog::Result &result)
{
    QString head;
    switch (result.refusedBy) {
    case NickLog::Refuser::Folder:
        head = Wording::tr("В папку программы нельзя записывать");
        break;
    case NickLog::Refuser::File:
        head = Wording::tr("Файл NIK.log в папке программы нельзя изменить");
        break;
    case NickLog::Refuser::LinkTarget:
        head = Wording::tr("Ссылка NIK.log в папке программы ведёт туда, куда нельзя записывать");
        break;
    }
    return head + Wording::tr(" (%1: %2)")
                      .arg(Wording::reason(result.refusedReason), displayPath(result.refusedPath));
}

// After a failure: what became of the list and of the file. A file written
// in place says what it holds now, and where the whole list is.
QString keptAfter(const NickLog::Result &result, qsizetype entries)
{
    if (!result.damaged)
        return result.earlierFileKept ? Wording::tr("Список не тронут, прежний файл остался как был.")
                                      : Wording::tr("Список не тронут.");
    const QString fullList = displayPath(result.fullList);
    if (result.earlierList && result.copyUnconfirmed)
        return Wording::tr(
                   "Список не тронут. Прошлое сохранение в этот файл было прервано; его список дописан в "
                   "файл, но диск не подтвердил, что копия записана полностью. Весь тот список сохранён "
                   "также в файле\n%1")
            .arg(fullList);
    if (result.earlierList)
        return Wording::tr(
                   "Список не тронут. Прошлое сохранение в этот файл было прервано, а дописать его не "
                   "удалось: в файле только начало того списка (записей: %1). Весь тот список сохранён "
                   "в файле\n%2")
            .arg(result.heldEntries)
            .arg(fullList);
    if (result.copyUnconfirmed)
        return Wording::tr(
                   "Список не тронут. Новый список скопирован в файл целиком, но диск не подтвердил, что "
                   "копия записана полностью. Весь новый список сохранён также в файле\n%1")
            .arg(fullList);
    if (result.heldEntries == 0)
        return Wording::tr("Список не тронут, но файл теперь пуст: записать в него новый список не удалось. "
                           "Весь новый список сохранён в файле\n%1")
            .arg(fullList);
    return Wording::tr("Список не тронут, но файл записан не полностью: в нём только начало нового списка "
                       "(записей: %1 из %2). Весь новый список сохранён в файле\n%3")
        .arg(result.heldEntries)
        .arg(entries)
        .arg(fullList);
}

} // namespace

Wording::SaveReport Wording::saveOutcome(const NickLog::Result &result, qsizetype entries)
{
    const QString saving = tr("Сохранение");
    const QString path = displayPath(result.path);
    // Saved, but a power cut may still bring the earlier file back, or
    // another copy's save may have run at the same time.
    QString warnings = result.unconfirmed == 0
                           ? QString()
                           : tr("\n\nНо диск не подтвердил запись (%1): при внезапном отключении питания "
                                "в файле может оказаться прежний список.")
                                 .arg(systemError(result.unconfirmed));
    if (result.unlocked)
        warnings += tr("\n\nНо другие копии программы не могли дождаться конца этого сохранения: для "
                       "блокировки, по которой они сохраняют по очереди, не нашлось папки, доступной только "
                       "вам. Если другая копия в это же время сохраняла список в этот же файл, в нём может "
                       "оказаться её список.");
    const Icon icon = warnings.isEmpty() ? Icon::Information : Icon::Warning;
    // The user asked to stop, and must hear why the file changed anyway.
    const QString tooLate = result.tooLateToCancel
                                ? tr("Отменить сохранение было уже нельзя: прежний файл к этому "
                                     "времени уже заменялся новым. ")
                                : QString();
    switch (result.outcome) {
    case NickLog::Outcome::Saved:
        if (warnings.isEmpty() && tooLate.isEmpty()) {
            // The window stays as it is; only a screen reader hears of it.
            return {std::nullopt, tr("сохранено ников: %1, файл %2").arg(entries).arg(path)};
        }
        return {Message{(tooLate.isEmpty() ? tr("Список сохранён в файл\n")
                                           : tooLate + tr("Список сохранён полностью в файл\n")) +
                            path + warnings,
                        saving, icon},
                {}};
    case NickLog::Outcome::Cancelled:
        return {Message{(result.earlierFileKept ? tr("Сохранение отменено, прежний файл остался как был:\n%1")
                                                : tr("Сохранение отменено, файл не записан:\n%1"))
                            .arg(path),
                        saving, Icon::Information},
                {}};
    case NickLog::Outcome::SavedToFallback: {
        const QString replaced =
            result.replacedEarlier ? tr("\n\nПрежний файл NIK.log в этой папке заменён новым.") : QString();
        return {Message{tooLate + refusedHead(result) + tr(", поэтому список сохранён в файл\n%1").arg(path) +
                            replaced + warnings,
                        saving, icon},
                {}};
    }
    case NickLog::Outcome::Failed:
        break;
    }
    QString head = tr("Не удалось сохранить список в файл");
    if (result.nowhereElse)
        head = tr("В папку программы нельзя записывать, а другого места для сохранения нет: "
                  "домашняя папка не найдена.");
    else if (!result.refusedPath.isEmpty())
        head = refusedHead(result) + tr(", и в запасную папку сохранить тоже не удалось:");
    return {Message{head + tr("\n%1\n\nПричина: %2\n\n%3")
                               .arg(path, reason(result.reason), keptAfter(result, entries)),
                    tr("Ошибка сохранения"), Icon::Warning},
            {}};
}

QString Wording::lengthIs(const QString &length)
{
    return tr("длина ника %1").arg(length);
}

QString Wording::timerStarted(qint64 interval)
{
    return tr("таймер запущен, интервал %1 мс").arg(interval);
}

QString Wording::timerSilent()
{
    return tr("таймер включён, но при интервале 0 мс ники не добавляются");
}

QString Wording::startRefused(bool timerRunning, qint64 interval)
{
    return timerRunning ? tr("интервал не изменён, таймер работает дальше с интервалом %1 мс").arg(interval)
                        : tr("интервал не изменён, таймер не запущен");
}

QString Wording::timerStopped(const QString &count)
{
    return tr("таймер остановлен, записей: %1").arg(count);
}

QString Wording::listErased()
{
    return tr("список стёрт, записей: 0");
}

QString Wording::listBroughtBack(const QString &count)
{
    return tr("список возвращён, записей: %1").arg(count);
}

QString Wording::nothingToBringBack()
{
    return tr("вернуть нечего");
}

QString Wording::listMenu()
{
    return tr("меню списка");
}

QString Wording::copied(const QString &nick)
{
    return tr("скопировано: %1").arg(nick);
}

QString Wording::listSize(qsizetype entries)
{
    return tr("записей: %1").arg(entries);
}

// Every reason a save can meet.
QString Wording::systemError(int code)
{
    switch (code) {
    case ENOSPC:
        return tr("на диске не хватает места");
    case EDQUOT:
        return tr("исчерпана дисковая квота пользователя");
    case EACCES:
        return tr("нет прав на запись");
    case EPERM:
        return tr("система не разрешает это действие (например, файл защищён от изменений)");
    case EROFS:
        return tr("диск или папка доступны только для чтения");
    case EISDIR:
        return tr("на месте файла стоит папка");
    case ENOENT:
    case ENOTDIR:
        return tr("папка не найдена");
    case EFBIG:
        return tr("файл вышел больше, чем разрешено");
    case ELOOP:
        return tr("слишком много символических ссылок подряд");
    case ENAMETOOLONG:
        return tr("слишком длинное имя файла или папки");
    case EBUSY:
    case ETXTBSY:
        return tr("файл или диск занят другой программой или системой");
    case EIO:
        return tr("ошибка ввода-вывода: диск не смог записать данные");
    case EREMOTEIO:
        return tr("ошибка ввода-вывода на удалённом диске");
    case ESTALE:
        return tr("файл на сетевом диске устарел: его изменили или удалили на сервере");
    case ENOTCONN:
    case ESHUTDOWN:
    case ECONNABORTED:
    case ECONNRESET:
    case ENOLINK:
        return tr("связь с диском прервана (сетевой или подключённый программой диск отключился)");
    case ETIMEDOUT:
    case EHOSTDOWN:
    case ENETDOWN:
    case ENETUNREACH:
    case EHOSTUNREACH:
        return tr("сетевой диск не отвечает");
    case EMLINK:
        return tr("у файла или папки слишком много ссылок");
    case EXDEV:
        return tr("файл нельзя перенести на другой диск");
    case EMFILE:
    case ENFILE:
        return tr("открыто слишком много файлов");
    case ENOMEM:
    case ENOBUFS:
        return tr("не хватает памяти");
    case EAGAIN:
    case EINTR:
        return tr("система временно не может выполнить запись; попробуйте ещё раз");
    case ENXIO:
        return tr("у канала нет читателя, или устройство недоступно");
    case ENODEV:
    case ENOMEDIUM:
        return tr("устройство недоступно");
    case EPIPE:
        return tr("читатель канала закрыл его");
    case EOVERFLOW:
        return tr("файл слишком велик для этой системы");
    case EEXIST:
        return tr("не удалось подобрать свободное имя для временного файла");
    case ENOLCK:
        return tr("система не даёт поставить блокировку");
    case EUCLEAN:
    case EBADMSG:
        return tr("файловая система повреждена и требует проверки");
    case EOPNOTSUPP:
    case ENOSYS:
    case EINVAL:
        return tr("файловая система не поддерживает нужное действие");
    case ENOKEY:
    case EKEYEXPIRED:
    case EKEYREVOKED:
        return tr("зашифрованная папка заперта: нет ключа");
    case ECANCELED:
        return tr("действие отменено");
    default:
        return tr("ошибка системы с кодом %1").arg(code);
    }
}

QString Wording::reason(const NickLog::Reason &reason)
{
    switch (reason.refusal) {
    case LineFile::Refusal::ForeignLink:
        return tr("это символическая ссылка, а она сама или файл, на который она указывает, "
                  "принадлежит другому пользователю; ссылка и этот файл оставлены как были");
    case LineFile::Refusal::ForeignFile:
        return tr("это не обычный файл, а канал или устройство другого пользователя; "
                  "он оставлен как был");
    case LineFile::Refusal::Busy:
        return tr("другая копия программы слишком долго сохраняет список в этот файл");
    case LineFile::Refusal::PathTooLong:
        return tr("путь к файлу длиннее, чем допускает система (%1 байт)").arg(PATH_MAX - 1);
    case LineFile::Refusal::NotAbsolute:
        return tr("не удалось узнать, в какой папке лежит программа");
    case LineFile::Refusal::Changed:
        return tr("пока шло сохранение, файл заменил или создал кто-то другой; то, что теперь стоит на его "
                  "месте, оставлено как было");
    case LineFile::Refusal::None:
        break;
    }
    return systemError(reason.error);
}
