#pragma once

#include "platform/linefile.h"

#include <QByteArray>
#include <QString>

#include <atomic>

class NickStore;

// Saving the list as NIK.log: one nick a line, CR LF after every line, no
// header, the whole file rewritten each time. The file goes into the
// program's folder; when the place where it lives there refuses this user
// (the folder, the file, or where the user's link leads) for want of rights
// or because it is read-only (an installed program's folder), or the folder
// is gone, it goes into the user's documents folder instead. A failed save
// leaves the previous file whole, unless that file could only be written in
// place, which the result then says, with what the file holds and where the
// whole list is.
class NickLog
{
public:
    static const QString FileName; // "NIK.log"

    enum class Outcome
    {
        Saved,
        SavedToFallback,
        Failed,
        Cancelled, // stopped through Progress::stop; no file was changed
    };
    // What refused the program folder's file.
    enum class Refuser
    {
        Folder,
        File,
        LinkTarget, // where the user's link NIK.log leads
    };
    // Why a file could not be written: a refusal of the save's own (among
    // them, that someone else replaced or made the file while the save ran),
    // or the system's error code.
    struct Reason
    {
        LineFile::Refusal refusal = LineFile::Refusal::None;
        int error = 0; // errno, when refusal is None
    };
    // Paths are as the system names them (bytes, not necessarily UTF-8).
    struct Result
    {
        Outcome outcome = Outcome::Failed;
        QByteArray path; // the file written, or the one that could not be
        Reason reason;
        // Why the program folder's file (refusedPath) was not written, when
        // the list went, or was to go, to the documents folder.
        QByteArray refusedPath;
        Reason refusedReason;
        Refuser refusedBy = Refuser::Folder;
        // The program folder refused, and there is no documents or home folder.
        bool nowhereElse = false;
        // Saved over an earlier file at `path`.
        bool replacedEarlier = false;
        // Not saved, and a file at `path` from before is still there as it was.
        bool earlierFileKept = false;
        // Saved, but the disk did not confirm it: the errno of the failed sync.
        int unconfirmed = 0;
        // Saved without taking turns with the user's other copies: no folder
        // of the user's alone could hold the lock.
        bool unlocked = false;
        // Failed after the file itself began to change, written in place:
        // it holds the list's first heldEntries entries, or the whole list
        // when only the disk's confirmation failed (copyUnconfirmed); the
        // whole list is kept in fullList. earlierList: the list is that of
        // an earlier save cut short by a crash, which this save finished
        // first.
        bool damaged = false;
        qsizetype heldEntries = 0;
        bool copyUnconfirmed = false;
        bool earlierList = false;
        QByteArray fullList;
        // Saved, though asked to stop: the earlier file was already being
        // replaced, and only finishing kept it whole.
        bool tooLateToCancel = false;
    };

    // What a save running on another thread shares with the window: the
    // entries written so far, whether it waits for another copy's save into
    // the file, and the window's wish that it stop. A stop is heeded while
    // the earlier file is still whole; a file written in place is finished.
    struct Progress
    {
        std::atomic<qsizetype> written{0};
        std::atomic<bool> waiting{false};
        std::atomic<bool> stop{false};
    };

    // The folders as the system names them (bytes, not necessarily UTF-8).
    // An empty programFolder means it is unknown: nothing is written. An
    // empty fallbackFolder means there is none.
    // Safe on any thread.
    static Result save(const NickStore &store, const QByteArray &programFolder,
                       const QByteArray &fallbackFolder, Progress *progress = nullptr);

private:
    // code: the errno of the failure, -1 for a refusal, 0 on success.
    static Result writeFile(const NickStore &store, const QByteArray &path, int &code, Progress *progress);
};
