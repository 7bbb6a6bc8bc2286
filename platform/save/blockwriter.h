#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <memory>
#include <thread>

class SystemCalls;

// Writes a file in large blocks, every write checked. A long new file goes
// straight from the program's memory to the disk where the disk takes such
// writes, one block at a time on a thread of its own while the next is
// filled; a shorter one, and any file where the disk refuses that, goes
// through the system's cache, and the disk is kept busy meanwhile: what is
// written is handed to it a few blocks at a time, the writing runs at most
// two steps ahead of it, and what the disk has is dropped from the cache.
class BlockWriter
{
public:
    // The size of the blocks handed to the system in one write.
    static constexpr qsizetype BlockSize = 1 << 20;

    explicit BlockWriter(const SystemCalls &calls);
    ~BlockWriter();
    // `paced`: a new file, written straight to the disk where it can be,
    // else started on as it grows; not a FIFO, device or an existing file.
    void setFile(int fd, bool paced);
    // About how long a paced file will be, told before its first write: a
    // new file shorter than straightFrom goes through the system's cache.
    void expect(qint64 bytes);
    static inline qint64 straightFrom = qint64(256) << 20;
    // Through the cache, the disk is started on every this many bytes, and
    // the writing runs at most two such steps ahead of it.
    static inline qint64 writebackStep = 2 * BlockSize;
    // Text a block or more long goes out without a copy, unless it goes
    // straight to the disk.
    bool write(QByteArrayView bytes);
    // Writes what is gathered; false with error(). Afterwards the file is
    // written and read through the system's cache again.
    bool flush();
    // Waits for a block still being written, then forgets the file and what
    // is gathered, keeping the blocks' memory.
    void reset();
    int error() const { return m_error; }
    qint64 written() const { return m_written; }

    // What one run of writes did.
    struct Outcome
    {
        qint64 written = 0;
        int error = 0;
        bool cached = false; // the disk refused a write straight to it: the rest went through the cache
    };

private:
    bool writeAll(QByteArrayView bytes);
    bool apply(const Outcome &outcome);
    bool handOver();
    bool waitForBlockInFlight();
    bool flushDirect();
    void setDirect(bool on);
    bool startWriteback();

    const SystemCalls &m_calls;
    QByteArray m_block;
    // Two blocks for writes straight to the disk, which takes them only from
    // memory, at offsets and in sizes that are whole multiples of its
    // sectors: one is filled while the other is written.
    std::unique_ptr<char[]> m_directMemory;
    char *m_directBlocks[2] = {};
    int m_filling = 0;
    qsizetype m_directUsed = 0;
    bool m_direct = false;
    std::thread m_inFlight;
    Outcome m_inFlightOutcome;
    int m_fd = -1;
    int m_error = 0;
    bool m_paced = false;
    qint64 m_written = 0;
    qint64 m_writebackFrom = 0; // where the disk has not been started on yet
    qint64 m_onDisk = 0;        // what the disk has written, as far as waited for
};
