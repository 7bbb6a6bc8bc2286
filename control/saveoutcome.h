#pragma once

#include <QByteArray>
#include <QByteArrayList>

#include <optional>

// What a save of the list came to, as the user is told it: saved,
// cancelled or failed, where the list is, and what the file holds now.
// Paths are as the system names them (bytes, not necessarily UTF-8).
struct SaveOutcome
{
    enum class Kind
    {
        Saved,
        Cancelled,
        Failed,
    };
    // Why a file or folder could not be written.
    enum class Why
    {
        System,      // the system's error code
        ForeignLink, // the path is a link, and the link or its target is another user's
        ForeignFile, // a FIFO, socket or device of another user stands at the path
        Busy,        // another copy kept the file's lock for too long
        PathTooLong, // the whole path is longer than the system takes
        NotAbsolute, // the program's folder is not known
        Changed,     // someone else replaced or made the file while the save ran
    };
    struct Reason
    {
        Why why = Why::System;
        int error = 0; // errno, with Why::System
        bool operator==(const Reason &) const = default;
    };
    // What the file at `path` holds once the save has ended.
    enum class Holds
    {
        NewList,
        AsBefore,          // what it held before this save, or no file where there was none
        OtherCopysSave,    // another copy of the program was saving into it, still unfinished
        SomeoneElses,      // another put a file of theirs in its place
        PartOfNewList,     // the first `entries` of the list; the whole list in `fullList`
        PartOfEarlierList, // the same of a list an earlier save, cut short by a crash, left
        EarlierList,       // the whole list of that earlier save, which this save finished
    };
    // What refused the program folder's file, when the list went, or was
    // to go, into the fallback folder.
    enum class Refuser
    {
        Folder,
        File,
        LinkTarget, // where the user's link NIK.log leads
        KeepAside,  // the place where the list was to wait while the file was written in place
    };
    struct Refused
    {
        Refuser by = Refuser::Folder;
        Reason reason;
        QByteArray path; // the folder, the file or the place that refused
        // What the program folder's file holds, when that is not what it
        // held before: part of a list a crash left, which could not be
        // finished (`entries` of it; the whole of it in `fullList`).
        Holds holds = Holds::AsBefore;
        qsizetype entries = 0;
        QByteArray fullList;
    };

    Kind kind = Kind::Failed;
    QByteArray path; // the file the list went to, or was to go to
    Reason reason;   // with Failed
    Holds holds = Holds::AsBefore;
    bool existed = false;         // a file stood at `path` before the save
    qsizetype entries = 0;        // with PartOf…: the entries it holds
    bool copyUnconfirmed = false; // with PartOf…: all of them, but the disk did not confirm the copy
    QByteArray fullList;          // with PartOf… or SomeoneElses: where the whole list is kept
    std::optional<Refused> refused;
    bool nowhereElse = false; // the program folder refused, and there is no fallback folder
    // Warnings: the disk did not confirm the new name (errno); no folder of
    // the user's alone for the lock; asked to stop when it was too late;
    // files a crashed save left, which are not certainly this program's.
    int unconfirmed = 0;
    bool unlocked = false;
    bool tooLateToCancel = false;
    QByteArrayList leftAlone;
};
