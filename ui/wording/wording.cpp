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
    //: %1 is the interval the user typed, in milliseconds, below zero (e.g. -250); %2 is the interval the
    //: running timer keeps (e.g. 250).
    const QString text =
        refusal.timerRunning
            ? tr("Интервал не изменён: %1 мс меньше нуля. Таймер работает дальше с прежним интервалом %2 мс. "
                 "Введите число от 0 до 9999.")
                  .arg(refusal.interval)
                  .arg(refusal.timerInterval)
            //: %1 is the interval the user typed, in milliseconds, below zero (e.g. -250).
            : tr("Интервал не изменён: %1 мс меньше нуля. Таймер не запущен. Введите число от 0 до 9999.")
                  .arg(refusal.interval);
    return {text, title};
}

namespace {

// Why the program folder's file was not written, and where the list went
// instead: each a whole sentence, so that a translation can put its parts in
// any order.
QString refusedAndSaved(const Save::Failed &refused, const QString &path)
{
    const QString reason = Wording::reason(refused.reason);
    const QString refusedPath = displayPath(refused.refuser);
    switch (refused.by) {
    case Save::Refuser::Folder:
        //: %1 is why, one of the reasons of this context (e.g. «нет прав на запись», no permission to write);
        //: %2 is the full path of the program's folder (e.g. /opt/quillmark). %3, on a line of its own, is
        //: the full path of the file the list was saved to instead (e.g. /home/anna/Documents/NIK.log). May
        //: start after «Отменить сохранение было уже нельзя…» and be followed by paragraphs that start with
        //: an empty line.
        return Wording::tr("В папку программы нельзя записывать (%1: %2), поэтому список сохранён в файл\n%3")
            .arg(reason, refusedPath, path);
    case Save::Refuser::File:
        //: %1 is why, one of the reasons of this context (e.g. «нет прав на запись», no permission to write);
        //: %2 is the full path of that file (e.g. /opt/quillmark/NIK.log). %3, on a line of its own, is the
        //: full path of the file the list was saved to instead (e.g. /home/anna/Documents/NIK.log). May start
        //: after «Отменить сохранение было уже нельзя…» and be followed by paragraphs that start with an
        //: empty line.
        return Wording::tr("Файл NIK.log в папке программы нельзя изменить (%1: %2), поэтому список сохранён в "
                           "файл\n%3")
            .arg(reason, refusedPath, path);
    case Save::Refuser::LinkTarget:
        //: %1 is why, one of the reasons of this context (e.g. «нет прав на запись», no permission to write);
        //: %2 is the full path of where the link leads (e.g. /srv/shared/NIK.log). %3, on a line of its own,
        //: is the full path of the file the list was saved to instead (e.g. /home/anna/Documents/NIK.log).
        //: May start after «Отменить сохранение было уже нельзя…» and be followed by paragraphs that start
        //: with an empty line.
        return Wording::tr("Ссылка NIK.log в папке программы ведёт туда, куда нельзя записывать (%1: %2), "
                           "поэтому список сохранён в файл\n%3")
            .arg(reason, refusedPath, path);
    case Save::Refuser::KeepAside:
        break;
    }
    //: %1 is why, one of the reasons of this context (e.g. «нет прав на запись», no permission to write); %2
    //: is the full path of the place where the new list was to wait (e.g. /opt/quillmark). %3, on a line of
    //: its own, is the full path of the file the list was saved to instead (e.g.
    //: /home/anna/Documents/NIK.log). May start after «Отменить сохранение было уже нельзя…» and be followed
    //: by paragraphs that start with an empty line.
    return Wording::tr("Файл NIK.log в папке программы можно только переписать на месте, а новому списку "
                       "негде дождаться этого (%1: %2), поэтому список сохранён в файл\n%3")
        .arg(reason, refusedPath, path);
}

// The same, when the fallback folder failed too.
QString refusedAndFailed(const Save::Failed &refused, const QString &path, const QString &why)
{
    const QString reason = Wording::reason(refused.reason);
    const QString refusedPath = displayPath(refused.refuser);
    switch (refused.by) {
    case Save::Refuser::Folder:
        //: %1 is why, one of the reasons of this context (e.g. «нет прав на запись», no permission to write);
        //: %2 is the full path of the program's folder (e.g. /opt/quillmark). %3, on a line of its own, is
        //: the file in the fallback folder that could not be written (e.g. /home/anna/Documents/NIK.log); %4
        //: is why, one of the reasons of this context (e.g. «на диске не хватает места», not enough disk
        //: space). The paragraph «Список не тронут…» follows after an empty line.
        return Wording::tr("В папку программы нельзя записывать (%1: %2), и в запасную папку сохранить тоже не "
                           "удалось:\n%3\n\nПричина: %4")
            .arg(reason, refusedPath, path, why);
    case Save::Refuser::File:
        //: %1 is why, one of the reasons of this context (e.g. «нет прав на запись», no permission to write);
        //: %2 is the full path of that file (e.g. /opt/quillmark/NIK.log). %3, on a line of its own, is the
        //: file in the fallback folder that could not be written (e.g. /home/anna/Documents/NIK.log); %4 is
        //: why, one of the reasons of this context (e.g. «на диске не хватает места», not enough disk space).
        //: The paragraph «Список не тронут…» follows after an empty line.
        return Wording::tr("Файл NIK.log в папке программы нельзя изменить (%1: %2), и в запасную папку "
                           "сохранить тоже не удалось:\n%3\n\nПричина: %4")
            .arg(reason, refusedPath, path, why);
    case Save::Refuser::LinkTarget:
        //: %1 is why, one of the reasons of this context (e.g. «нет прав на запись», no permission to write);
        //: %2 is the full path of where the link leads (e.g. /srv/shared/NIK.log). %3, on a line of its own,
        //: is the file in the fallback folder that could not be written (e.g. /home/anna/Documents/NIK.log);
        //: %4 is why, one of the reasons of this context (e.g. «на диске не хватает места», not enough disk
        //: space). The paragraph «Список не тронут…» follows after an empty line.
        return Wording::tr("Ссылка NIK.log в папке программы ведёт туда, куда нельзя записывать (%1: %2), и в "
                           "запасную папку сохранить тоже не удалось:\n%3\n\nПричина: %4")
            .arg(reason, refusedPath, path, why);
    case Save::Refuser::KeepAside:
        break;
    }
    //: %1 is why, one of the reasons of this context (e.g. «нет прав на запись», no permission to write); %2
    //: is the full path of the place where the new list was to wait (e.g. /opt/quillmark). %3, on a line of
    //: its own, is the file in the fallback folder that could not be written (e.g.
    //: /home/anna/Documents/NIK.log); %4 is why, one of the reasons of this context (e.g. «на диске не
    //: хватает места», not enough disk space). The paragraph «Список не тронут…» follows after an empty line.
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
        //: The second paragraph of a failed save's message, after an empty line: what became of the list. The
        //: first paragraph is «Не удалось сохранить список в файл…» or another that ends «Причина: …». The
        //: earlier file is as it was. May be followed by paragraphs that start with an empty line.
        return before->existed ? Wording::tr("Список не тронут, прежний файл остался как был.")
                               : //: The second paragraph of a failed save's message, after an empty line:
                                 //: what became of the list. The first paragraph is «Не удалось сохранить
                                 //: список в файл…» or another that ends «Причина: …». May be followed by
                                 //: paragraphs that start with an empty line.
                                 Wording::tr("Список не тронут.");
    if (std::holds_alternative<Save::OtherCopysSave>(holds))
        //: The second paragraph of a failed save's message, after an empty line: what became of the list. The
        //: first paragraph is «Не удалось сохранить список в файл…» or another that ends «Причина: …». May be
        //: followed by paragraphs that start with an empty line.
        return Wording::tr(
            "Список не тронут. Другая копия программы ещё не закончила сохранение в этот файл: "
            "в нём может быть только начало её списка.");
    if (const auto *theirs = std::get_if<Save::SomeoneElses>(&holds)) {
        if (theirs->fullList.isEmpty())
            //: The second paragraph of a failed save's message, after an empty line: what became of the list.
            //: The first paragraph is «Не удалось сохранить список в файл…» or another that ends «Причина:
            //: …». May be followed by paragraphs that start with an empty line.
            return Wording::tr("Список не тронут.");
        //: The second paragraph of a failed save's message, after an empty line: what became of the list. The
        //: first paragraph is «Не удалось сохранить список в файл…» or another that ends «Причина: …». %1, on
        //: a line of its own, is the full path of the file that holds the whole new list (e.g.
        //: /home/anna/Documents/NIK.log). May be followed by paragraphs that start with an empty line.
        return Wording::tr(
                   "Список не тронут. Новый список записан в файл, который уже не называется NIK.log; "
                   "весь новый список сохранён в файле\n%1")
            .arg(displayPath(theirs->fullList));
    }
    if (std::holds_alternative<Save::EarlierList>(holds))
        //: The second paragraph of a failed save's message, after an empty line: what became of the list. The
        //: first paragraph is «Не удалось сохранить список в файл…» or another that ends «Причина: …». May be
        //: followed by paragraphs that start with an empty line.
        return Wording::tr(
            "Список не тронут. Прошлое сохранение в этот файл было прервано; оно закончено, и в "
            "файле теперь весь список того сохранения.");
    const auto &part = std::get<Save::PartOfList>(holds);
    const QString fullList = displayPath(part.fullList);
    if (part.earlier && part.unconfirmed)
        //: The second paragraph of a failed save's message, after an empty line: what became of the list. The
        //: first paragraph is «Не удалось сохранить список в файл…» or another that ends «Причина: …». %1, on
        //: a line of its own, is the full path of the file that holds the whole earlier list (e.g.
        //: /home/anna/Documents/NIK.log). May be followed by paragraphs that start with an empty line.
        return Wording::tr(
                   "Список не тронут. Прошлое сохранение в этот файл было прервано; его список дописан в "
                   "файл, но диск не подтвердил, что копия записана полностью. Весь тот список сохранён "
                   "также в файле\n%1")
            .arg(fullList);
    if (part.earlier)
        //: The second paragraph of a failed save's message, after an empty line: what became of the list. The
        //: first paragraph is «Не удалось сохранить список в файл…» or another that ends «Причина: …». %Ln is
        //: how many entries of the earlier list the file holds (e.g. 120); %1, on a line of its own, is the
        //: full path of the file that holds the whole earlier list (e.g. /home/anna/Documents/NIK.log). May
        //: be followed by paragraphs that start with an empty line.
        return Wording::tr(
                   "Список не тронут. Прошлое сохранение в этот файл было прервано, а дописать его не "
                   "удалось: в файле только начало того списка (записей: %Ln). Весь тот список сохранён "
                   "в файле\n%1",
                   nullptr, part.entries)
            .arg(fullList);
    if (part.unconfirmed)
        //: The second paragraph of a failed save's message, after an empty line: what became of the list. The
        //: first paragraph is «Не удалось сохранить список в файл…» or another that ends «Причина: …». %1, on
        //: a line of its own, is the full path of the file that holds the whole new list (e.g.
        //: /home/anna/Documents/NIK.log). May be followed by paragraphs that start with an empty line.
        return Wording::tr(
                   "Список не тронут. Новый список скопирован в файл целиком, но диск не подтвердил, что "
                   "копия записана полностью. Весь новый список сохранён также в файле\n%1")
            .arg(fullList);
    if (part.entries == 0)
        //: The second paragraph of a failed save's message, after an empty line: what became of the list. The
        //: first paragraph is «Не удалось сохранить список в файл…» or another that ends «Причина: …». %1, on
        //: a line of its own, is the full path of the file that holds the whole new list (e.g.
        //: /home/anna/Documents/NIK.log). May be followed by paragraphs that start with an empty line.
        return Wording::tr(
                   "Список не тронут, но файл теперь пуст: записать в него новый список не удалось. "
                   "Весь новый список сохранён в файле\n%1")
            .arg(fullList);
    //: The second paragraph of a failed save's message, after an empty line: what became of the list. The
    //: first paragraph is «Не удалось сохранить список в файл…» or another that ends «Причина: …». %Ln is how
    //: many entries of the new list the file holds (e.g. 120); %1 is how many the whole list has, written as
    //: the desktop writes numbers (e.g. 1,250); %2, on a line of its own, is the full path of the file that
    //: holds the whole new list (e.g. /home/anna/Documents/NIK.log). May be followed by paragraphs that start
    //: with an empty line.
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
        //: %1, on a line of its own, is the full path of the file (e.g. /home/anna/quillmark/NIK.log). May be
        //: followed by the paragraph «Прерванное сохранение оставило списки…».
        return Wording::tr(
            "Сохранение отменено, этот список в файл не записан. Другая копия программы ещё не "
            "закончила сохранение в этот файл: в нём может быть только начало её списка:\n%1");
    if (std::holds_alternative<Save::EarlierList>(cancelled.holds))
        //: %1, on a line of its own, is the full path of the file (e.g. /home/anna/quillmark/NIK.log). May be
        //: followed by the paragraph «Прерванное сохранение оставило списки…».
        return Wording::tr(
            "Сохранение отменено. Прошлое сохранение в этот файл было прервано; оно закончено, "
            "и в файле теперь весь список того сохранения:\n%1");
    const auto *before = std::get_if<Save::AsBefore>(&cancelled.holds);
    //: %1, on a line of its own, is the full path of the file (e.g. /home/anna/quillmark/NIK.log). May be
    //: followed by the paragraph «Прерванное сохранение оставило списки…».
    return before && before->existed ? Wording::tr("Сохранение отменено, прежний файл остался как был:\n%1")
                                     : //: %1, on a line of its own, is the full path of the file (e.g.
                                       //: /home/anna/quillmark/NIK.log). May be followed by the paragraph
                                       //: «Прерванное сохранение оставило списки…».
                                       Wording::tr("Сохранение отменено, файл не записан:\n%1");
}

// Warnings that come with any outcome: a save the disk did not confirm
// (a power cut may still bring the earlier file back), one another copy's
// may have run beside, and marked files a crashed save left.
QString warningsOf(int unconfirmed, bool unlocked, const QByteArrayList &leftAlone)
{
    QString warnings =
        unconfirmed == 0
            ? QString()
            //: A paragraph added to the end of a save's message, hence the empty line before it. %1 is why,
            //: one of the reasons of this context (e.g. «ошибка ввода-вывода: диск не смог записать данные»,
            //: input/output error).
            : Wording::tr("\n\nНо диск не подтвердил запись (%1): при внезапном отключении питания "
                          "в файле может оказаться прежний список.")
                  .arg(Wording::systemError(unconfirmed));
    if (unlocked)
        warnings +=
            //: A paragraph added to the end of the message that says where the list was saved, hence the
            //: empty line before it.
            Wording::tr("\n\nНо другие копии программы не могли дождаться конца этого сохранения: для "
                        "блокировки, по которой они сохраняют по очереди, не нашлось папки, доступной только "
                        "вам. Если другая копия в это же время сохраняла список в этот же файл, в нём может "
                        "оказаться её список.");
    if (!leftAlone.isEmpty()) {
        QStringList paths;
        for (const QByteArray &path : leftAlone)
            paths << displayPath(path);
        //: A paragraph added to the end of a save's message, hence the empty line before it. %Ln is how many
        //: files were left (e.g. 2); %1 is their full paths, one a line (e.g.
        //: /home/anna/quillmark/NIK.log.1).
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
    //: The first sentence of a save's message, when the user asked to stop too late; the next sentence
    //: follows after its final space: «Список сохранён полностью в файл» or one that ends «поэтому список
    //: сохранён в файл».
    const QString tooLate = saved.tooLateToCancel
                                ? Wording::tr("Отменить сохранение было уже нельзя: прежний файл к этому "
                                              "времени уже заменялся новым. ")
                                : QString();
    if (refused) {
        const QString replaced =
            //: A paragraph added after a message that ends «поэтому список сохранён в файл» and a path, hence
            //: the empty line before it: the file written in the fallback folder replaced an earlier one.
            saved.replaced ? Wording::tr("\n\nПрежний файл NIK.log в этой папке заменён новым.") : QString();
        const auto *part = std::get_if<Save::PartOfList>(&refused->holds);
        const QString unfinished =
            !part ? QString()
                  //: A paragraph added after a message that ends «поэтому список сохранён в файл» and a path,
                  //: hence the empty line before it. %Ln is how many entries of the earlier list the file
                  //: holds (e.g. 120); %1, on a line of its own, is the full path of the file that holds the
                  //: whole earlier list (e.g. /home/anna/Documents/NIK.log).
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
        //: What a screen reader says once a save is done: %Ln is how many nicks were saved (e.g. 250); %1 is
        //: the file's full path (e.g. /home/anna/quillmark/NIK.log).
        return {std::nullopt, Wording::tr("сохранено ников: %Ln, файл %1", nullptr, entries).arg(path),
                //: The note beside Save once a save is done: %Ln is how many nicks were saved (e.g. 250); %1,
                //: on a line of its own, is the file's full path (e.g. /home/anna/quillmark/NIK.log).
                Wording::tr("Сохранено ников: %Ln\n%1", nullptr, entries).arg(path)};
    }
    //: The first line of a save's message: the file's full path follows on the next line (e.g.
    //: /home/anna/quillmark/NIK.log), then paragraphs that start with an empty line.
    return {Wording::Message{(tooLate.isEmpty() ? Wording::tr("Список сохранён в файл\n")
                                                : tooLate +
                                                      //: Follows «Отменить сохранение было уже нельзя…» in a
                                                      //: save's message: the file's full path follows on the
                                                      //: next line (e.g. /home/anna/quillmark/NIK.log), then
                                                      //: paragraphs that start with an empty line.
                                                      Wording::tr("Список сохранён полностью в файл\n")) +
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
        //: %1, on a line of its own, is the file in the program's folder that could not be written (e.g.
        //: /opt/quillmark/NIK.log); %2 is why, one of the reasons of this context (e.g. «нет прав на запись»,
        //: no permission to write). The paragraph «Список не тронут…» follows after an empty line.
        head = tr("В папку программы нельзя записывать, а другого места для сохранения нет: домашняя папка не "
                  "найдена.\n%1\n\nПричина: %2")
                   .arg(path, why);
    else if (outcome.refused)
        head = refusedAndFailed(*outcome.refused, path, why);
    else
        //: %1, on a line of its own, is the file that could not be written (e.g.
        //: /home/anna/quillmark/NIK.log); %2 is why, one of the reasons of this context (e.g. «на диске не
        //: хватает места», not enough disk space). The paragraph «Список не тронут…» follows after an empty
        //: line.
        head = tr("Не удалось сохранить список в файл\n%1\n\nПричина: %2").arg(path, why);
    return {Message{head + QStringLiteral("\n\n") + keptAfter(failed.holds, entries) +
                        warningsOf(0, false, failed.leftAlone),
                    tr("Ошибка сохранения"), Icon::Warning},
            {},
            {}};
}

QString Wording::lengthIs(const QString &length)
{
    //: What a screen reader says when the nick's length changes: %1 is the new length (e.g. 7).
    return tr("длина ника %1").arg(length);
}

QString Wording::timerStarted(qint64 interval)
{
    //: What a screen reader says when the timer starts: %1 is its interval in milliseconds (e.g. 250).
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
    //: What a screen reader says when the timer stops: %1 is the count of entries the counter shows (e.g.
    //: 1250), which also chooses the plural form.
    return tr("таймер остановлен, в списке %1 записей", nullptr, pluralOf(count)).arg(count);
}

QString Wording::listErased()
{
    return tr("список стёрт, записей: 0");
}

QString Wording::listBroughtBack(const QString &count)
{
    //: What a screen reader says when the erased list comes back: %1 is its count of entries (e.g. 1250),
    //: which also chooses the plural form.
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
    //: What a screen reader says when a nick is copied: %1 is the nick (e.g. Toren).
    return tr("скопировано: %1").arg(nick);
}

QString Wording::copied()
{
    return tr("скопировано");
}

QString Wording::listSize(qsizetype entries)
{
    //: The list's description for a screen reader: %1 is its count of entries (e.g. 12), which also chooses
    //: the plural form.
    return tr("в списке %1 записей", nullptr, pluralOf(qlonglong(entries))).arg(entries);
}

// Every reason a save can meet.
QString Wording::systemError(int code)
{
    switch (code) {
    case ENOSPC:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("на диске не хватает места");
    case EDQUOT:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("исчерпана дисковая квота пользователя");
    case EACCES:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("нет прав на запись");
    case EPERM:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("система не разрешает это действие (например, файл защищён от изменений)");
    case EROFS:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("диск или папка доступны только для чтения");
    case EISDIR:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("на месте файла стоит папка");
    case ENOENT:
    case ENOTDIR:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("папка не найдена");
    case EFBIG:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("файл вышел больше, чем разрешено");
    case ELOOP:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("слишком много символических ссылок подряд");
    case ENAMETOOLONG:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("слишком длинное имя файла или папки");
    case EBUSY:
    case ETXTBSY:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("файл или диск занят другой программой или системой");
    case EIO:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("ошибка ввода-вывода: диск не смог записать данные");
    case EREMOTEIO:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("ошибка ввода-вывода на удалённом диске");
    case ESTALE:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("файл на сетевом диске устарел: его изменили или удалили на сервере");
    case ENOTCONN:
    case ESHUTDOWN:
    case ECONNABORTED:
    case ECONNRESET:
    case ENOLINK:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("связь с диском прервана (сетевой или подключённый программой диск отключился)");
    case ETIMEDOUT:
    case EHOSTDOWN:
    case ENETDOWN:
    case ENETUNREACH:
    case EHOSTUNREACH:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("сетевой диск не отвечает");
    case EMLINK:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("у файла или папки слишком много ссылок");
    case EXDEV:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("файл нельзя перенести на другой диск");
    case EMFILE:
    case ENFILE:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("открыто слишком много файлов");
    case ENOMEM:
    case ENOBUFS:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("не хватает памяти");
    case EAGAIN:
    case EINTR:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("система временно не может выполнить запись; попробуйте ещё раз");
    case ENXIO:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("у канала нет читателя, или устройство недоступно");
    case ENODEV:
    case ENOMEDIUM:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("устройство недоступно");
    case EPIPE:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("читатель канала закрыл его");
    case EOVERFLOW:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("файл слишком велик для этой системы");
    case EEXIST:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("не удалось подобрать свободное имя для временного файла");
    case ENOLCK:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("система не даёт поставить блокировку");
    case EUCLEAN:
    case EBADMSG:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("файловая система повреждена и требует проверки");
    case EOPNOTSUPP:
    case ENOSYS:
    case EINVAL:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("файловая система не поддерживает нужное действие");
    case ENOKEY:
    case EKEYEXPIRED:
    case EKEYREVOKED:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("зашифрованная папка заперта: нет ключа");
    case ECANCELED:
        //: A reason, put into another message: after «Причина: », before a path in «(%1: %2)», or in «Но диск
        //: не подтвердил запись (%1)». Lower case, no final full stop.
        return tr("действие отменено");
    default:
        //: %1 is the system's error number (e.g. 122). A reason, put into another message: after «Причина: »,
        //: before a path in «(%1: %2)», or in «Но диск не подтвердил запись (%1)». Lower case, no final full
        //: stop.
        return tr("ошибка системы с кодом %1").arg(code);
    }
}

QString Wording::reason(const Save::Reason &reason)
{
    switch (reason.why) {
    case Save::Why::ForeignLink:
        //: A reason, put into another message: after «Причина: » or before a path in «(%1: %2)». Lower case,
        //: no final full stop.
        return tr("это символическая ссылка, а она сама или файл, на который она указывает, "
                  "принадлежит другому пользователю; ссылка и этот файл оставлены как были");
    case Save::Why::ForeignFile:
        //: A reason, put into another message: after «Причина: » or before a path in «(%1: %2)». Lower case,
        //: no final full stop.
        return tr("это не обычный файл, а канал или устройство другого пользователя; "
                  "он оставлен как был");
    case Save::Why::Busy:
        //: A reason, put into another message: after «Причина: » or before a path in «(%1: %2)». Lower case,
        //: no final full stop.
        return tr("другая копия программы слишком долго сохраняет список в этот файл");
    case Save::Why::PathTooLong:
        //: %1 is the longest path the system takes, in bytes (e.g. 4095). A reason, put into another message:
        //: after «Причина: » or before a path in «(%1: %2)». Lower case, no final full stop.
        return tr("путь к файлу длиннее, чем допускает система (%1 байт)").arg(PATH_MAX - 1);
    case Save::Why::NotAbsolute:
        //: A reason, put into another message: after «Причина: » or before a path in «(%1: %2)». Lower case,
        //: no final full stop.
        return tr("не удалось узнать, в какой папке лежит программа");
    case Save::Why::NoHome:
        //: A reason, put into another message: after «Причина: » or before a path in «(%1: %2)». Lower case,
        //: no final full stop.
        return tr("программа установлена в систему и в свою папку список не записывает, а домашняя папка не "
                  "найдена");
    case Save::Why::Changed:
        //: A reason, put into another message: after «Причина: » or before a path in «(%1: %2)». Lower case,
        //: no final full stop.
        return tr("пока шло сохранение, файл заменил или создал кто-то другой; то, что теперь стоит на его "
                  "месте, оставлено как было");
    case Save::Why::System:
        break;
    }
    return systemError(reason.error);
}
