#pragma once

#include "platform/save/saverecord.h"

#include <QByteArray>
#include <QByteArrayList>

class NewFile;

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
    InPlaceCopy(int folderFd, const QByteArray &folder, const QByteArray &name, const QByteArray &key);

    // The marked prefix of a full list beside the file, or in the cache folder.
    QByteArray fullListPrefix(bool inCache) const;

    // Under the lock, with the file open for writing: a list a crash left
    // while it was being copied in is finished, one left before the file was
    // emptied goes, and marked files of this user's the record does not name
    // stay and are told. false when finishing failed.
    bool finishLeftover(int targetFd, int cacheFd, const QByteArray &cache);
    // Copies the synced list (`size` bytes, in `list`, whose folder is
    // `listFolder`) into the file.
    bool copy(int targetFd, NewFile &list, const QByteArray &listFolder, qint64 size);

    int error() const { return m_error; }
    // The file no longer has its name: someone put another in its place.
    bool renamedAway() const { return m_renamedAway; }
    // After a failure that came once the file began to change: it holds the
    // first heldLines() lines of the list, or all of it when only the disk's
    // confirmation of the copy failed, and the whole list is in fullList().
    bool damaged() const { return m_damaged; }
    qint64 heldLines() const { return m_heldLines; }
    bool copyUnconfirmed() const { return m_copyUnconfirmed; }
    QByteArray fullList() const { return m_fullList; }
    // The list being copied, or held, is a crashed save's: finishLeftover()
    // ran into it. After it succeeded, the file holds that whole list.
    bool earlierList() const { return m_earlier; }
    bool finishedEarlier() const { return m_finishedEarlier; }
    // Marked files left alone, not named by the record or not finished, the
    // first time they are found.
    QByteArrayList leftAlone() const { return m_leftAlone; }

private:
    bool finish(int targetFd, int listFd, qint64 size);
    bool copyRange(int targetFd, int from, qint64 offset, qint64 end);
    void countLines(const char *bytes, qint64 size, qint64 offset);
    bool fail(int error);

    int m_folderFd;
    QByteArray m_folder;
    QByteArray m_name;
    QByteArray m_key;
    SaveRecord m_record;
    QByteArray m_fullList;
    QByteArrayList m_leftAlone;
    int m_error = 0;
    qint64 m_heldLines = 0;
    qint64 m_heldBytes = 0; // the bytes of the whole lines held
    bool m_renamedAway = false;
    bool m_damaged = false;
    bool m_copyUnconfirmed = false;
    bool m_earlier = false;
    bool m_finishedEarlier = false;
};
