#pragma once

#include "platform/save/blockwriter.h"
#include "platform/save/inplacecopy.h"
#include "platform/save/newfile.h"
#include "platform/save/savelock.h"
#include "platform/save/savetarget.h"

#include <QByteArray>
#include <QByteArrayView>

#include <functional>
#include <optional>

// A text file written line by line, each line ending in CR LF, that takes
// the place of the file at its path only when every byte has been written and
// synced: until commit() succeeds the old file stays as it was.
//
// The parts: SaveTarget finds the file (whose links may be followed),
// SaveLock makes the user's running copies take turns, NewFile holds the new
// content and gives it what the user set on the old file, BlockWriter writes
// it, and InPlaceCopy copies it into the file itself where the file cannot
// be replaced. This class runs them in order and keeps what a failure left.
// A FIFO or device at the end is written into, never replaced.
class LineFile
{
public:
    static constexpr QByteArrayView LineEnd{"\r\n", 2};
    static constexpr qsizetype BlockSize = BlockWriter::BlockSize;

    // What refused: the file, the folder that was to hold it, or the place
    // where the new list was to wait while it is copied into the file.
    enum class Place
    {
        File,
        Folder,
        KeepAside,
    };
    struct Failure
    {
        int error = 0; // errno, 0 with a refusal
        SaveRefusal refusal = SaveRefusal::None;
        Place place = Place::File;
        // The link itself when a link was refused, the folder when a folder
        // refused, else the file.
        QByteArray path;
    };

    explicit LineFile(const QByteArray &path);
    ~LineFile();
    LineFile(const LineFile &) = delete;
    LineFile &operator=(const LineFile &) = delete;

    // Called while open() waits for another copy's save into the file,
    // before each pause; returning false gives up the wait, and open() then
    // fails with ECANCELED and waitGivenUp().
    void setWaitHandler(std::function<bool()> handler) { m_waitHandler = std::move(handler); }

    bool open();
    // The file's text in order, each line ending in LineEnd; a call may end
    // inside a line that the next one goes on with.
    bool writeLines(QByteArrayView lines);
    // Writes what is left and syncs it; until commit() the old file stays.
    bool sync();
    // Writes what is left, syncs and puts the file in place.
    bool commit();
    // Throws away what was written; the old file stays.
    void cancel();

    std::optional<Failure> failure() const { return m_failure; }
    bool waitGivenUp() const { return m_waitGivenUp; }
    // The file written: the path, or what the user's own link leads to.
    QByteArray path() const { return m_target.path(); }
    // The path asked for, and whether the file is where its link leads.
    QByteArray askedPath() const { return m_target.linkPath(); }
    bool throughLink() const { return m_target.throughLink(); }
    // Whether a file stood at the path before: the save replaced it.
    bool replacedEarlier() const { return m_target.existed(); }
    // What the file holds after a failure, when it could only be written in
    // place (see InPlaceCopy), and what a crashed save had left there.
    const InPlaceCopy *inPlace() const { return m_inPlace ? &*m_inPlace : nullptr; }
    // No folder of the user's alone could hold the lock.
    bool unlocked() const { return m_unlocked; }
    // The errno of the folder's sync after the new file took its name.
    int unconfirmed() const { return m_unconfirmed; }

private:
    enum class Mode
    {
        Replace, // the new file takes the file's name
        CopyIn,  // the synced new file is copied into the file
        Direct,  // written straight into a FIFO or device
    };

    bool openExisting();
    bool openNew();
    bool keepAsideInCache(int folderError);
    bool tookTurn(SaveLock::Result locked);
    void sweepTemporaries(int folderFd, const QByteArray &prefix);
    QByteArray temporaryPrefix(bool inCache) const;
    bool putInPlace();
    void syncFolder();
    bool fail(int error, Place place = Place::File, SaveRefusal refusal = SaveRefusal::None);

    SaveTarget m_target;
    QByteArray m_folder;
    QByteArray m_name;
    QByteArray m_key;   // names what belongs to this file in the user's folders
    QByteArray m_cache; // the user's cache folder, when the new file waits there
    SaveLock m_lock;
    NewFile m_new;
    BlockWriter m_writer;
    std::optional<InPlaceCopy> m_inPlace;
    std::function<bool()> m_waitHandler;
    std::optional<Failure> m_failure;
    struct stat m_old
    {
    };
    Mode m_mode = Mode::Replace;
    int m_folderFd = -1;
    int m_cacheFd = -1;
    int m_targetFd = -1;
    int m_unconfirmed = 0;
    bool m_unlocked = false;
    bool m_waitGivenUp = false;
    bool m_synced = false;
};
