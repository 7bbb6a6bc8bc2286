#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

#include <sys/stat.h>

// A text file written line by line, each line ending in CR LF, that takes
// the place of the file at its path only when every byte has been written and
// synced: until commit() succeeds the old file stays as it was. Lines are
// gathered into large blocks and every write is checked, because a short
// write or a failed flush must never leave a torn file behind.
//
// A user's file keeps what they set on it. The new content is written into
// an unnamed file in the same folder (or, where the file system has none, a
// file whose name carries this program's mark), which gets the old file's
// owner, group, mode, ACL and extended attributes and then takes its name.
// Where any of that cannot be kept, the file has other hard links, or its
// folder takes no new file, the synced content is copied into the file
// itself, and a crash must not leave a file that looks whole: the full new
// list first gets a name of this program's mark (beside the file, or in the
// user's cache folder when the file's folder takes no new file), the file is
// emptied and filled, and only then that name goes. A save that finds such a
// copy left by a crash finishes it first. A new file gets what any program's
// new file gets in that folder. Links are followed only while they and what
// they lead to are the user's own; a FIFO or device at the end is written
// into, never replaced. Saves of one user's running copies into one file take
// turns through a lock in a folder of the user's alone.
class LineFile
{
public:
    static constexpr QByteArrayView LineEnd{"\r\n", 2};
    // The size of the blocks handed to the system in one write.
    static constexpr qsizetype BlockSize = 1 << 20;

    // Why a step failed, beyond an errno.
    enum class Refusal
    {
        None,
        ForeignLink, // the path is a link, and the link or its target is another user's
        ForeignFile, // a FIFO, socket or device of another user stands at the path
        Busy,        // another copy kept the file's lock for too long
        PathTooLong, // the whole path is longer than the system takes
        NotAbsolute, // no folder was given: the path would be wherever the program was started
        Changed,     // someone else replaced or made the file while the save ran
    };
    // What refused: the file itself, or the folder that was to hold it.
    enum class Place
    {
        File,
        Folder,
    };

    explicit LineFile(const QByteArray &path);
    ~LineFile();
    LineFile(const LineFile &) = delete;
    LineFile &operator=(const LineFile &) = delete;

    // Called while open() waits for another copy's save into the file,
    // before each pause; returning false gives up the wait, and open() then
    // fails with ECANCELED.
    void setWaitHandler(std::function<bool()> handler) { m_waitHandler = std::move(handler); }

    bool open();
    // Text of whole lines, each already ending in LineEnd; a block or more
    // goes out without a copy.
    bool writeLines(QByteArrayView lines);
    // Writes what is left and syncs it to the disk, the long part of a
    // commit on a slow disk; until commit() the old file is still there.
    bool sync();
    // Writes what is left, syncs and puts the file in place.
    bool commit();
    // Throws away what was written; the old file stays.
    void cancel();

    // The errno of the failed step (0 with a refusal), the refusal, what
    // refused, and the file it concerns: the link itself when a link was
    // refused, else the file the link leads to.
    int errorCode() const { return m_errno; }
    Refusal refusal() const { return m_refusal; }
    Place errorPlace() const { return m_errorPlace; }
    QByteArray errorPath() const { return m_errorPath; }
    // The file written: the path, or what the user's own link leads to.
    QByteArray path() const { return m_target; }
    bool throughLink() const { return m_target != m_path; }
    // Whether a file stood at the path before: the save replaced it.
    bool replacedEarlier() const { return m_existed; }
    // A failure that came after the file itself began to change, when it
    // could only be written in place: it now holds the first heldLines()
    // lines of the list, or all of it when only the disk's confirmation of
    // the copy failed (copyUnconfirmed()), and the whole list is kept in
    // fullList(). The list is that of an earlier save a crash cut short
    // when finishingEarlier().
    bool damaged() const { return m_damaged; }
    qint64 heldLines() const { return m_heldLines; }
    bool copyUnconfirmed() const { return m_copyUnconfirmed; }
    bool finishingEarlier() const { return m_finishing; }
    QByteArray fullList() const { return m_fullList; }
    // No folder of the user's alone could hold the lock, so the save ran
    // without taking turns with the user's other copies.
    bool unlocked() const { return m_unlocked; }
    // The errno of the folder's sync after the new file took its name: the
    // save has happened, but the disk did not confirm the new name.
    int unconfirmed() const { return m_unconfirmed; }

private:
    enum class Mode
    {
        Replace, // the temporary file takes the file's name
        CopyIn,  // the synced temporary file is copied into the file
        Direct,  // written straight into a FIFO or device
    };

    bool resolveTarget();
    int openTemporary(int folderFd);
    bool keepWhatTheUserSet();
    void lock();
    void unlock();
    QByteArray fullListPrefix(bool inCache) const;
    void removeLeftovers();
    bool finishEarlierCopy();
    bool finishCopy(int fullListFd, const QByteArray &name, qint64 size);
    bool copyRange(int from, qint64 offset, qint64 end);
    void countLines(const char *bytes, qint64 size, qint64 offset);
    bool copyIntoTarget();
    bool nameFullList();
    bool putInPlace();
    bool nameChanged() const;
    bool failAtName(int code);
    void syncFolder();
    bool writeBlock();
    bool writeAll(QByteArrayView bytes);
    void startWriteback();
    bool fail(int code, Place place = Place::File, Refusal refusal = Refusal::None);

    QByteArray m_path;
    QByteArray m_target;
    QByteArray m_folder;
    QByteArray m_name;
    QByteArray m_errorPath;
    QByteArray m_temp;         // name of the named temporary file, if there is one
    QByteArray m_fullList;     // the full list's marked file while it is copied in, if any
    QByteArray m_fullListName; // and its name in its folder
    QByteArray m_key;          // names what belongs to this file in the user's folders
    QByteArray m_cache;        // the user's cache folder, when the temporary file is there
    QByteArray m_lock;
    QByteArray m_block;
    std::function<bool()> m_waitHandler;
    struct stat m_old
    {
    };
    struct stat m_seen // the file found at the start, if any
    {
    };
    Mode m_mode = Mode::Replace;
    int m_folderFd = -1;
    int m_cacheFd = -1;
    int m_fd = -1;
    int m_targetFd = -1;
    int m_lockFd = -1;
    int m_errno = 0;
    int m_unconfirmed = 0;
    qint64 m_written = 0;
    qint64 m_writebackFrom = 0; // where the disk has not been started on yet
    qint64 m_onDisk = 0;        // what the disk has written, as far as waited for
    qint64 m_heldLines = 0;     // whole lines in the file being written in place
    qint64 m_heldBytes = 0;     // and their bytes
    Refusal m_refusal = Refusal::None;
    Place m_errorPlace = Place::File;
    bool m_existed = false;
    bool m_damaged = false;
    bool m_copyUnconfirmed = false;
    bool m_finishing = false;
    bool m_unlocked = false;
    bool m_failed = false;
    bool m_synced = false; // what was written is on the disk
};
