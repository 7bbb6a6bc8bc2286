#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

// A text file written line by line, each line ending in CR LF, that replaces
// the file at its path only when every byte has been written and synced:
// until commit() succeeds the old file stays as it was. Lines are gathered
// into large blocks and every write is checked, because a short write or a
// failed flush must never leave a torn file behind.
//
// Written with the system's own calls, because the file must be written
// through the user's own links only, saves of several running copies into
// one folder must take turns, leftovers of crashed saves must go, the folder
// must be synced after the rename, and a failure must keep its errno.
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
        Busy,        // another copy kept the folder's lock for too long
    };

    explicit LineFile(const QString &path);
    ~LineFile();
    LineFile(const LineFile &) = delete;
    LineFile &operator=(const LineFile &) = delete;

    // Called while open() waits for another copy's save into the folder,
    // before each pause; returning false gives up the wait, and open() then
    // fails with ECANCELED.
    void setWaitHandler(std::function<bool()> handler) { m_waitHandler = std::move(handler); }

    bool open();
    bool writeLine(QByteArrayView line);
    // Text of whole lines, each already ending in LineEnd, for writers that
    // render many lines at once; a block or more goes out without a copy.
    bool writeLines(QByteArrayView lines);
    // Writes what is left and syncs it to the disk, the long part of a
    // commit on a slow disk; the old file is still there.
    bool sync();
    // Writes what is left, syncs and puts the file in place.
    bool commit();
    // Throws away what was written; the old file stays.
    void cancel();

    // The errno of the failed step (0 with a refusal), the refusal, and the
    // file it concerns: the link itself when a link was refused, else the
    // file the link leads to.
    int errorCode() const { return m_errno; }
    Refusal refusal() const { return m_refusal; }
    QString errorPath() const { return m_errorPath; }
    // The file written: the path, or what the user's own link leads to.
    QString path() const { return m_target; }

    // Names this program gives its temporary files beside `fileName`.
    static bool isTemporaryName(const QString &name, const QString &fileName);

private:
    bool resolveTarget();
    bool lockFolder();
    void unlockFolder();
    void removeLeftovers();
    bool writeBlock();
    bool writeAll(QByteArrayView bytes);
    bool fail(int code, Refusal refusal = Refusal::None);

    QString m_path;
    QString m_target;
    QString m_errorPath;
    QByteArray m_temp;
    QByteArray m_lock;
    QByteArray m_block;
    std::function<bool()> m_waitHandler;
    int m_fd = -1;
    int m_lockFd = -1;
    int m_errno = 0;
    Refusal m_refusal = Refusal::None;
    bool m_failed = false;
};
