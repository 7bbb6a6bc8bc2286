#pragma once

#include <QByteArray>
#include <QByteArrayList>

#include <variant>

// What a save of a file came to, made where it ended: saved, cancelled or
// failed, each with only what holds for it: where the list is and what the
// file holds now. The window words it as it is; nothing translates it.
// Paths are as the system names them (bytes, not necessarily UTF-8).
namespace Save {

// Why a file or folder could not be written.
enum class Why
{
    System,      // the system's error code
    ForeignLink, // the path is a link, and the link or its target is another user's
    ForeignFile, // a FIFO, socket or device of another user stands at the path
    Busy,        // another copy kept the file's lock for too long
    PathTooLong, // the whole path is longer than the system takes
    NotAbsolute, // the folder is not known: the path would be wherever the program was started
    NoHome,      // an installed copy, which never writes into its own folder, and no home folder
    Changed,     // someone else replaced or made the file while the save ran
};
struct Reason
{
    Why why = Why::System;
    int error = 0; // errno, with Why::System
    bool operator==(const Reason &) const = default;
};

// What the file holds once a save has ended without saving.
struct AsBefore // what it held before, or no file where there was none
{
    bool existed = false; // a file stands there
};
struct OtherCopysSave // another copy of the program was saving into it, still unfinished
{
};
struct SomeoneElses // another put a file of theirs in its place
{
    QByteArray fullList; // where the whole list is kept, when it was being copied in
};
struct EarlierList // the whole list of an earlier save cut short by a crash, which this save finished
{
};
struct PartOfList // the first `entries` of a list, which `fullList` holds whole
{
    bool earlier = false; // an earlier save's list, cut short by a crash; else this save's
    qsizetype entries = 0;
    bool unconfirmed = false; // all of them, but the disk did not confirm the copy
    QByteArray fullList;
};
using Holds = std::variant<AsBefore, OtherCopysSave, SomeoneElses, EarlierList, PartOfList>;
// A save stops only while the file is whole: what it may hold then.
using HoldsWhole = std::variant<AsBefore, OtherCopysSave, EarlierList>;

// Each ending carries the marked files a crashed save left that are not
// certainly this program's (leftAlone), the first time they are found.
struct Saved
{
    QByteArray path;              // the file written: the path, or where the user's own link leads
    bool replaced = false;        // a file stood there before
    int unconfirmed = 0;          // the errno of the folder's sync once the file took its name
    bool unlocked = false;        // no folder of the user's alone could hold the lock
    bool tooLateToCancel = false; // asked to stop when the earlier file was already being replaced
    QByteArrayList leftAlone;
};
struct Cancelled
{
    QByteArray path;
    HoldsWhole holds;
    QByteArrayList leftAlone;
};
// What refused: the file, the folder that was to hold it, where the user's
// link leads, or the place where the new list was to wait while it is
// copied into the file.
enum class Refuser
{
    Folder,
    File,
    LinkTarget,
    KeepAside,
};
struct Failed
{
    QByteArray path; // the file the list was to go to; the link itself when a link was refused
    Reason reason;
    Holds holds;
    Refuser by = Refuser::File;
    QByteArray refuser; // the folder, the file or the place that refused
    QByteArrayList leftAlone;
};
using Outcome = std::variant<Saved, Cancelled, Failed>;

} // namespace Save
