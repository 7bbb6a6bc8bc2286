#include "ui/wording/wording.h"

#include "platform/folders.h"
#include "ui/wording/translations.h"

#include <cerrno>
#include <climits>

const char *const Wording::NoDisplay = QT_TR_NOOP("quillmark: дисплей не найден / no display found");

QString Wording::language()
{
    return Translations::current();
}

Wording::Message Wording::refusal(const GeneratorView::Refusal &refusal)
{
    const QString title = tr("Ошибка!!!");
    switch (refusal.kind) {
    case GeneratorView::Refusal::Kind::LongerThanMax:
        return {tr("Да хватит десяти, зачем больше!!!"), title};
    case GeneratorView::Refusal::Kind::ShorterThanMin:
        return {tr("Куда меньше-то!!!"), title};
    case GeneratorView::Refusal::Kind::NegativeInterval:
        break;
    }
    // The refused interval leaves the timer exactly as it was.
    const QString text =
        refusal.timerRunning
            ? tr("Интервал не изменён: %1 мс меньше нуля. Таймер работает дальше с прежним интервалом %2 мс. "
                 "Введите число от 0 до 9999.")
                  .arg(refusal.interval)
                  .arg(refusal.timerInterval)
            : tr("Интервал не изменён: %1 мс меньше нуля. Таймер не запущен. Введите число от 0 до 9999.")
                  .arg(refusal.interval);
    return {text, title};
}

namespace {

// Why the program folder's file was not written, and where the list went
// instead (%1 the reason, %2 the refused path, %3 the file written): each a
// whole sentence, so that a translation can put its parts in any order.
QString refusedAndSaved(const Save::Failed &refused, const QString &path)
{
    const QString reason = Wording::reason(refused.reason);
    const QString refusedPath = displayPath(refused.refuser);
    switch (refused.by) {
    case Save::Refuser::Folder:
        return Wording::tr("В папку программы нельзя записывать (%1: %2), поэтому список сохранён в файл\n%3")
            .arg(reason, refusedPath, path);
    case Save::Refuser::File:
        return Wording::tr("Файл NIK.log в папке программы нельзя изменить (%1: %2), поэтому список сохранён в "
                           "файл\n%3")
            .arg(reason, refusedPath, path);
    case Save::Refuser::LinkTarget:
        return Wording::tr("Ссылка NIK.log в папке программы ведёт туда, куда нельзя записывать (%1: %2), "
                           "поэтому список сохранён в файл\n%3")
            .arg(reason, refusedPath, path);
    case Save::Refuser::KeepAside:
        break;
    }
    return Wording::tr("Файл NIK.log в папке программы можно только переписать на месте, а новому списку "
                       "негде дождаться этого (%1: %2), поэтому список сохранён в файл\n%3")
        .arg(reason, refusedPath, path);
}

// The same, when the fallback folder failed too (%3 the file that could not
// be written, %4 why).
QString refusedAndFailed(const Save::Failed &refused, const QString &path, const QString &why)
{
    const QString reason = Wording::reason(refused.reason);
    const QString refusedPath = displayPath(refused.refuser);
    switch (refused.by) {
    case Save::Refuser::Folder:
        return Wording::tr("В папку программы нельзя записывать (%1: %2), и в запасную папку сохранить тоже не "
                           "удалось:\n%3\n\nПричина: %4")
            .arg(reason, refusedPath, path, why);
    case Save::Refuser::File:
        return Wording::tr("Файл NIK.log в папке программы нельзя изменить (%1: %2), и в запасную папку "
                           "сохранить тоже не удалось:\n%3\n\nПричина: %4")
            .arg(reason, refusedPath, path, why);
    case Save::Refuser::LinkTarget:
        return Wording::tr("Ссылка NIK.log в папке программы ведёт туда, куда нельзя записывать (%1: %2), и в "
                           "запасную папку сохранить тоже не удалось:\n%3\n\nПричина: %4")
            .arg(reason, refusedPath, path, why);
    case Save::Refuser::KeepAside:
        break;
    }
    return Wording::tr("Файл NIK.log в папке программы можно только переписать на месте, а новому списку "
                       "негде дождаться этого (%1: %2), и в запасную папку сохранить тоже не удалось:\n%3\n\n"
                       "Причина: %4")
        .arg(reason, refusedPath, path, why);
}

// After a failure: what became of the list and what the file holds now. A
// file written in place says where the whole list is.
QString keptAfter(const Save::Holds &holds, qsizetype entries)
{
    if (const auto *before = std::get_if<Save::AsBefore>(&holds))
        return before->existed ? Wording::tr("Список не тронут, прежний файл остался как был.")
                               : Wording::tr("Список не тронут.");
    if (std::holds_alternative<Save::OtherCopysSave>(holds))
        return Wording::tr(
            "Список не тронут. Другая копия программы ещё не закончила сохранение в этот файл: "
            "в нём может быть только начало её списка.");
    if (const auto *theirs = std::get_if<Save::SomeoneElses>(&holds)) {
        if (theirs->fullList.isEmpty())
            return Wording::tr("Список не тронут.");
        return Wording::tr(
                   "Список не тронут. Новый список записан в файл, который уже не называется NIK.log; "
                   "весь новый список сохранён в файле\n%1")
            .arg(displayPath(theirs->fullList));
    }
    if (std::holds_alternative<Save::EarlierList>(holds))
        return Wording::tr(
            "Список не тронут. Прошлое сохранение в этот файл было прервано; оно закончено, и в "
            "файле теперь весь список того сохранения.");
    const auto &part = std::get<Save::PartOfList>(holds);
    const QString fullList = displayPath(part.fullList);
    if (part.earlier && part.unconfirmed)
        return Wording::tr(
                   "Список не тронут. Прошлое сохранение в этот файл было прервано; его список дописан в "
                   "файл, но диск не подтвердил, что копия записана полностью. Весь тот список сохранён "
                   "также в файле\n%1")
            .arg(fullList);
    if (part.earlier)
        return Wording::tr(
                   "Список не тронут. Прошлое сохранение в этот файл было прервано, а дописать его не "
                   "удалось: в файле только начало того списка (записей: %Ln). Весь тот список сохранён "
                   "в файле\n%1",
                   nullptr, part.entries)
            .arg(fullList);
    if (part.unconfirmed)
        return Wording::tr(
                   "Список не тронут. Новый список скопирован в файл целиком, но диск не подтвердил, что "
                   "копия записана полностью. Весь новый список сохранён также в файле\n%1")
            .arg(fullList);
    if (part.entries == 0)
        return Wording::tr(
                   "Список не тронут, но файл теперь пуст: записать в него новый список не удалось. "
                   "Весь новый список сохранён в файле\n%1")
            .arg(fullList);
    return Wording::tr(
               "Список не тронут, но файл записан не полностью: в нём только начало нового списка "
               "(записей: %Ln из %1). Весь новый список сохранён в файле\n%2",
               nullptr, part.entries)
        .arg(QLocale().toString(qint64(entries)))
        .arg(fullList);
}

// What a cancelled save leaves in the file.
QString cancelledText(const Save::Cancelled &cancelled)
{
    if (std::holds_alternative<Save::OtherCopysSave>(cancelled.holds))
        return Wording::tr(
            "Сохранение отменено, этот список в файл не записан. Другая копия программы ещё не "
            "закончила сохранение в этот файл: в нём может быть только начало её списка:\n%1");
    if (std::holds_alternative<Save::EarlierList>(cancelled.holds))
        return Wording::tr(
            "Сохранение отменено. Прошлое сохранение в этот файл было прервано; оно закончено, "
            "и в файле теперь весь список того сохранения:\n%1");
    const auto *before = std::get_if<Save::AsBefore>(&cancelled.holds);
    return before && before->existed ? Wording::tr("Сохранение отменено, прежний файл остался как был:\n%1")
                                     : Wording::tr("Сохранение отменено, файл не записан:\n%1");
}

// Warnings that come with any outcome: a save the disk did not confirm
// (a power cut may still bring the earlier file back), one another copy's
// may have run beside, and marked files a crashed save left.
QString warningsOf(int unconfirmed, bool unlocked, const QByteArrayList &leftAlone)
{
    QString warnings =
        unconfirmed == 0
            ? QString()
            : Wording::tr("\n\nНо диск не подтвердил запись (%1): при внезапном отключении питания "
                          "в файле может оказаться прежний список.")
                  .arg(Wording::systemError(unconfirmed));
    if (unlocked)
        warnings +=
            Wording::tr("\n\nНо другие копии программы не могли дождаться конца этого сохранения: для "
                        "блокировки, по которой они сохраняют по очереди, не нашлось папки, доступной только "
                        "вам. Если другая копия в это же время сохраняла список в этот же файл, в нём может "
                        "оказаться её список.");
    if (!leftAlone.isEmpty()) {
        QStringList paths;
        for (const QByteArray &path : leftAlone)
            paths << displayPath(path);
        warnings += Wording::tr("\n\nПрерванное сохранение оставило списки, которые программа не тронула: "
                                "нельзя убедиться, что их записала она, или файл NIK.log с тех пор заменён "
                                "(файлов: %Ln). Посмотрите их и удалите сами:\n%1",
                                nullptr, paths.size())
                        .arg(paths.join(u'\n'));
    }
    return warnings;
}

Wording::SaveReport savedReport(const Save::Saved &saved, const std::optional<Save::Failed> &refused,
                                qsizetype entries)
{
    const QString saving = Wording::tr("Сохранение");
    const QString path = displayPath(saved.path);
    const QString warnings = warningsOf(saved.unconfirmed, saved.unlocked, saved.leftAlone);
    const auto icon = warnings.isEmpty() ? Wording::Icon::Information : Wording::Icon::Warning;
    // The user asked to stop, and must hear why the file changed anyway.
    const QString tooLate = saved.tooLateToCancel
                                ? Wording::tr("Отменить сохранение было уже нельзя: прежний файл к этому "
                                              "времени уже заменялся новым. ")
                                : QString();
    if (refused) {
        const QString replaced =
            saved.replaced ? Wording::tr("\n\nПрежний файл NIK.log в этой папке заменён новым.") : QString();
        const auto *part = std::get_if<Save::PartOfList>(&refused->holds);
        const QString unfinished =
            !part ? QString()
                  : Wording::tr("\n\nПрошлое сохранение в файл NIK.log в папке программы было прервано, а "
                                "дописать его не удалось: в нём только начало того списка (записей: %Ln). Весь "
                                "тот список сохранён в файле\n%1",
                                nullptr, part->entries)
                        .arg(displayPath(part->fullList));
        return {Wording::Message{tooLate + refusedAndSaved(*refused, path) + replaced + unfinished + warnings,
                                 saving, icon},
                {},
                {}};
    }
    if (warnings.isEmpty() && tooLate.isEmpty()) {
        // No box to close: a screen reader hears it, a note beside Save shows it.
        return {std::nullopt, Wording::tr("сохранено ников: %Ln, файл %1", nullptr, entries).arg(path),
                //: %1 is the file's full path
                Wording::tr("Сохранено ников: %Ln\n%1", nullptr, entries).arg(path)};
    }
    return {Wording::Message{(tooLate.isEmpty() ? Wording::tr("Список сохранён в файл\n")
                                                : tooLate + Wording::tr("Список сохранён полностью в файл\n")) +
                                 path + warnings,
                             saving, icon},
            {},
            {}};
}

} // namespace

Wording::SaveReport Wording::saveOutcome(const SaveOutcome &outcome, qsizetype entries)
{
    if (const auto *saved = std::get_if<Save::Saved>(&outcome.end))
        return savedReport(*saved, outcome.refused, entries);
    if (const auto *cancelled = std::get_if<Save::Cancelled>(&outcome.end)) {
        const QString warnings = warningsOf(0, false, cancelled->leftAlone);
        return {Message{cancelledText(*cancelled).arg(displayPath(cancelled->path)) + warnings, tr("Сохранение"),
                        warnings.isEmpty() ? Icon::Information : Icon::Warning},
                {},
                {}};
    }
    const auto &failed = std::get<Save::Failed>(outcome.end);
    const QString path = displayPath(failed.path);
    const QString why = reason(failed.reason);
    QString head;
    if (outcome.nowhereElse)
        head = tr("В папку программы нельзя записывать, а другого места для сохранения нет: домашняя папка не "
                  "найдена.\n%1\n\nПричина: %2")
                   .arg(path, why);
    else if (outcome.refused)
        head = refusedAndFailed(*outcome.refused, path, why);
    else
        head = tr("Не удалось сохранить список в файл\n%1\n\nПричина: %2").arg(path, why);
    return {Message{head + QStringLiteral("\n\n") + keptAfter(failed.holds, entries) +
                        warningsOf(0, false, failed.leftAlone),
                    tr("Ошибка сохранения"), Icon::Warning},
            {},
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

namespace {

// The count in the counter box, as tr() takes it to choose the plural form.
// The form is the same for any number with the same last six digits, in the
// languages there are: a counter past int's range keeps its form.
int pluralOf(qlonglong n)
{
    return n <= 1000000 ? int(n) : int(n % 1000000 + 1000000);
}

int pluralOf(const QString &count)
{
    return pluralOf(count.toLongLong());
}

} // namespace

QString Wording::timerStopped(const QString &count)
{
    return tr("таймер остановлен, в списке %1 записей", nullptr, pluralOf(count)).arg(count);
}

QString Wording::listErased()
{
    return tr("список стёрт, записей: 0");
}

QString Wording::listBroughtBack(const QString &count)
{
    return tr("список возвращён, в нём %1 записей", nullptr, pluralOf(count)).arg(count);
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

QString Wording::copied()
{
    return tr("скопировано");
}

QString Wording::listSize(qsizetype entries)
{
    return tr("в списке %1 записей", nullptr, pluralOf(qlonglong(entries))).arg(entries);
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

QString Wording::reason(const Save::Reason &reason)
{
    switch (reason.why) {
    case Save::Why::ForeignLink:
        return tr("это символическая ссылка, а она сама или файл, на который она указывает, "
                  "принадлежит другому пользователю; ссылка и этот файл оставлены как были");
    case Save::Why::ForeignFile:
        return tr("это не обычный файл, а канал или устройство другого пользователя; "
                  "он оставлен как был");
    case Save::Why::Busy:
        return tr("другая копия программы слишком долго сохраняет список в этот файл");
    case Save::Why::PathTooLong:
        return tr("путь к файлу длиннее, чем допускает система (%1 байт)").arg(PATH_MAX - 1);
    case Save::Why::NotAbsolute:
        return tr("не удалось узнать, в какой папке лежит программа");
    case Save::Why::NoHome:
        return tr("программа установлена в систему и в свою папку список не записывает, а домашняя папка не "
                  "найдена");
    case Save::Why::Changed:
        return tr("пока шло сохранение, файл заменил или создал кто-то другой; то, что теперь стоит на его "
                  "месте, оставлено как было");
    case Save::Why::System:
        break;
    }
    return systemError(reason.error);
}
