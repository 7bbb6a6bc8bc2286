#pragma once

#include "control/generatorview.h"
#include "control/saveoutcome.h"

#include <QCoreApplication>
#include <QString>

#include <optional>

// Every sentence the program makes from what happened: a refused request, a
// save's outcome and its reasons, and what a screen reader is told. The
// actions report outcomes as values; this turns them into the user's
// language (Russian is the source, translations come from Qt's files).
class Wording
{
    Q_DECLARE_TR_FUNCTIONS(Wording)
public:
    enum class Icon
    {
        Information,
        Warning,
    };
    // A message box the user dismisses.
    struct Message
    {
        QString text;
        QString title;
        Icon icon = Icon::Information;
    };

    static Message refusal(const GeneratorView::Refusal &refusal);

    // After a save: a message to show, or, when the save went as asked,
    // what a screen reader is told and a short note seen beside Save.
    struct SaveReport
    {
        std::optional<Message> message;
        QString announcement;
        QString note;
    };
    static SaveReport saveOutcome(const SaveOutcome &outcome, qsizetype entries);
    // Why a file could not be written, as the end of a sentence.
    static QString reason(const Save::Reason &reason);
    static QString systemError(int code);

    // Told to a screen reader without moving the focus.
    static QString lengthIs(const QString &length);
    static QString timerStarted(qint64 interval);
    static QString timerSilent();
    static QString timerStopped(const QString &count);
    static QString listErased();
    static QString listBroughtBack(const QString &count);
    static QString nothingToBringBack();
    static QString listMenu();
    static QString copied(const QString &nick);
    static QString copied(); // the nick is read next
    // How long the list is, as a screen reader describes it.
    static QString listSize(qsizetype entries);

    // The code of the language these texts are in, "ru" in the program's
    // own: the button faces with words, and how counts are written, follow
    // it. The installed Translations know it.
    static QString language();

    // The one line the program prints when it finds no display.
    static const char *const NoDisplay;
};
