#pragma once

#include "platform/save/blockwriter.h"
#include "platform/save/inplacecopy.h"
#include "platform/save/newfile.h"
#include "platform/save/outcome.h"
#include "platform/save/savelock.h"
#include "platform/save/savetarget.h"

#include <QByteArray>
#include <QByteArrayView>

#include <atomic>
#include <functional>
#include <optional>

class SystemCalls;

// One save of a text file, written line by line, each line ending in CR LF,
// that takes the place of the file at its path only when every byte has been
// written and synced: until commit() succeeds the old file stays as it was.
// It ends in one Save::Outcome, made where the save ended.
//
// The parts: SaveTarget finds the file (whose links may be followed),
// SaveLock makes the user's running copies take turns, NewFile holds the new
// content and gives it what the user set on the old file, BlockWriter writes
// it, and InPlaceCopy copies it into the file itself where the file cannot
// be replaced. Which way a save goes is decided once, as it opens (Way).
// Every system call that changes a file goes through the SystemCalls it is
// handed.
class FileSave
{
public:
    static constexpr QByteArrayView LineEnd{"\r\n", 2};
    static constexpr qsizetype BlockSize = BlockWriter::BlockSize;

    // `stop`, when set, is the wish that the save stop: heeded while the
    // earlier file is still whole, and then the save ends as cancelled.
    FileSave(const QByteArray &path, const SystemCalls &calls, const std::atomic<bool> *stop = nullptr);
    ~FileSave();
    FileSave(const FileSave &) = delete;
    FileSave &operator=(const FileSave &) = delete;

    // Called while open() waits for another copy's save into the file,
    // before each pause; returning false gives up the wait.
    void setWaitHandler(std::function<bool()> handler) { m_waitHandler = std::move(handler); }

    // Each step returns false once the save has ended: failed or stopped.
    bool open();
    // About how long the text will be, told before the first writeLines().
    void expectBytes(qint64 bytes) { m_writer.expect(bytes); }
    // The file's text in order, each line ending in LineEnd; a call may end
    // inside a line that the next one goes on with.
    bool writeLines(QByteArrayView lines);
    // Writes what is left, syncs it and puts the file in place.
    bool commit();
    // How the save ended; a save that has not ended is cancelled here.
    Save::Outcome end();
    // Throws away what was written; the old file stays.
    void cancel();

private:
    enum class Way
    {
        New,       // no file there yet: the new file takes the name
        Replace,   // the new file takes the old one's place
        InPlace,   // the synced new file, beside the old one, is copied into it
        KeepAside, // the same, the new file waiting in the user's cache folder
        Direct,    // written straight into a FIFO or device
    };

    std::optional<Way> chooseWay();
    bool openTarget();
    bool finishLeftover();
    bool keepAside(int folderError);
    bool tookTurn(SaveLock::Result locked);
    void sweepTemporaries(int folderFd, const QByteArray &prefix);
    QByteArray temporaryPrefix(bool inCache) const;
    Save::Refuser listRefuser() const;
    bool sync();
    bool replace();
    bool copyIn();
    bool writeStraight();
    void syncFolder();
    bool stopped() const;
    bool fail(Save::Reason reason, Save::Refuser by = Save::Refuser::File);
    bool fail(int error, Save::Refuser by = Save::Refuser::File)
    {
        return fail({Save::Why::System, error}, by);
    }
    bool endCancelled();
    QByteArrayList leftAlone() const;

    const SystemCalls &m_calls;
    const std::atomic<bool> *m_stop;
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
    std::optional<Save::Outcome> m_end;
    struct stat m_old
    {
    };
    Way m_way = Way::New;
    int m_folderFd = -1;
    int m_cacheFd = -1;
    int m_targetFd = -1;
    int m_unconfirmed = 0;
    bool m_unlocked = false;
    bool m_waitGivenUp = false;
    bool m_synced = false;
};
