#pragma once

#include "platform/save/outcome.h"
#include "platform/save/saverecord.h"

#include <QByteArray>
#include <QByteArrayList>

class NewFile;
class SystemCalls;

// Writing the new list into the user's file itself, for a file that cannot
// be replaced (other hard links, an owner or attributes a new file cannot
// get, a folder that takes no new file), and a crash must not leave a file
// that looks whole. The synced full list first gets a name of this program's
// mark, and a record of it goes into a folder of the user's alone; the file
// is emptied and filled, and only then the name and the record go. A later
// save finishes what a crash left, but only a list the record names: a file
// that merely carries the mark is not this program's to copy in or remove.
class InPlaceCopy
{
public:
    // The file's folder and name, and the key that names what belongs to
    // it in the user's folders.
    InPlaceCopy(const SystemCalls &calls, int folderFd, const QByteArray &folder, const QByteArray &name,
                const QByteArray &key);

    // The marked prefix of a full list beside the file, or in the cache folder.
    QByteArray fullListPrefix(bool inCache) const;

    // Under the lock, with the file open for writing: a list a crash left
    // while it was being copied in is finished, one left before the file was
    // emptied goes, and marked files of this user's the record does not name
    // stay and are told. false when finishing failed.
    bool finishLeftover(int targetFd, int cacheFd, const QByteArray &cache);
    // Copies the synced list (`size` bytes, in `list`, whose folder is
    // `listFolder`) into the file, and closes the file (-1 in `targetFd`)
    // before the list goes.
    bool copy(int &targetFd, NewFile &list, const QByteArray &listFolder, qint64 size);

    // Why the last step failed: an errno, or Changed when the file no longer
    // has its name (someone put another in its place).
    Save::Reason reason() const { return m_reason; }
    // The file began to change, and does not hold the whole list: the list
    // it holds part of waits whole under its marked name.
    bool damaged() const { return m_damaged; }
    // What the file holds after a save that ended for `reason`: another's
    // when it changed, part of a list, the whole list of a crashed save this
    // one finished, or what it held before.
    Save::Holds holds(const Save::Reason &reason) const;
    // Marked files left alone, not named by the record or not finished, the
    // first time they are found.
    QByteArrayList leftAlone() const { return m_leftAlone; }

private:
    bool finish(int targetFd, int listFd, qint64 size);
    bool copyRange(int targetFd, int from, qint64 offset, qint64 end);
    void countLines(const char *bytes, qint64 size, qint64 offset);
    bool fail(int error);

    const SystemCalls &m_calls;
    int m_folderFd;
    QByteArray m_folder;
    QByteArray m_name;
    QByteArray m_key;
    SaveRecord m_record;
    QByteArray m_fullList;
    QByteArrayList m_leftAlone;
    Save::Reason m_reason;
    qint64 m_heldLines = 0;
    qint64 m_heldBytes = 0; // the bytes of the whole lines held
    bool m_damaged = false;
    bool m_copyUnconfirmed = false;
    bool m_earlier = false;
    bool m_finishedEarlier = false;
};
