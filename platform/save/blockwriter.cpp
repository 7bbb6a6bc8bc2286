#include "platform/save/blockwriter.h"

#include "platform/save/systemcalls.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <system_error>

namespace {
// Written straight to the disk in blocks this long...
constexpr qsizetype DirectBlockSize = 4 * BlockWriter::BlockSize;
// ...from memory, and at file offsets, that are multiples of the largest
// sector a disk has; the last few bytes go through the cache.
constexpr qsizetype SectorAlign = 4096;

bool setDirectFlag(int fd, bool on)
{
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, on ? flags | O_DIRECT : flags & ~O_DIRECT) == 0;
}

BlockWriter::Outcome writeOut(const SystemCalls &calls, int fd, QByteArrayView bytes, bool direct)
{
    BlockWriter::Outcome outcome;
    while (outcome.written < bytes.size()) {
        const ssize_t written = calls.write(fd, bytes.data() + outcome.written,
                                                   size_t(bytes.size() - outcome.written));
        if (written < 0 && errno == EINTR)
            continue;
        // A disk that took the flag but not the write, or a write cut short
        // off the sectors: the rest goes through the cache.
        if (written < 0 && errno == EINVAL && direct && !outcome.cached) {
            outcome.cached = true;
            setDirectFlag(fd, false);
            continue;
        }
        if (written <= 0) {
            outcome.error = written == 0 ? ENOSPC : errno;
            break;
        }
        outcome.written += written;
    }
    return outcome;
}
} // namespace

BlockWriter::BlockWriter(const SystemCalls &calls) : m_calls(calls)
{
    m_block.reserve(BlockSize + 64);
}

BlockWriter::~BlockWriter()
{
    waitForBlockInFlight();
}

void BlockWriter::setFile(int fd, bool paced)
{
    reset();
    m_fd = fd;
    m_paced = paced;
    // Straight to the disk, the save's own thread does not copy the whole
    // list into the system's cache, and the window keeps the processor it
    // would have taken; a disk that cannot take such writes refuses the flag
    // (or the first write), and the file goes through the cache.
    if (paced)
        setDirect(true);
}

// Through the cache, a short file is on the disk sooner: the disk, started
// on as the file grows, takes several blocks at once where straight writes
// give it one at a time. A long file's copy into the cache would cost the
// window a processor's worth of the save's length.
void BlockWriter::expect(qint64 bytes)
{
    if (m_paced && m_written == 0)
        setDirect(bytes >= straightFrom);
}

void BlockWriter::reset()
{
    waitForBlockInFlight();
    // resize(), not clear(): clear() would give the block's memory back.
    m_block.resize(0);
    m_directUsed = 0;
    m_direct = false;
    m_fd = -1;
    m_error = 0;
    m_written = m_writebackFrom = m_onDisk = 0;
}

void BlockWriter::setDirect(bool on)
{
    m_direct = setDirectFlag(m_fd, on) && on;
    if (m_direct && !m_directMemory) {
        m_directMemory = std::make_unique_for_overwrite<char[]>(2 * DirectBlockSize + SectorAlign);
        const auto address = reinterpret_cast<quintptr>(m_directMemory.get());
        m_directBlocks[0] = m_directMemory.get() + (SectorAlign - address % SectorAlign) % SectorAlign;
        m_directBlocks[1] = m_directBlocks[0] + DirectBlockSize;
    }
}

bool BlockWriter::write(QByteArrayView bytes)
{
    if (m_error != 0)
        return false;
    while (m_direct && !bytes.isEmpty()) {
        const qsizetype taken = std::min(bytes.size(), DirectBlockSize - m_directUsed);
        std::memcpy(m_directBlocks[m_filling] + m_directUsed, bytes.data(), size_t(taken));
        m_directUsed += taken;
        bytes = bytes.sliced(taken);
        if (m_directUsed == DirectBlockSize && !handOver())
            return false;
    }
    if (m_block.size() + bytes.size() < BlockSize) {
        m_block.append(bytes.data(), bytes.size());
        return true;
    }
    return flush() && writeAll(bytes);
}

// A full block goes to the disk on a thread of its own, once the one before
// it is written, and the other block is filled meanwhile.
bool BlockWriter::handOver()
{
    const QByteArrayView full(m_directBlocks[m_filling], m_directUsed);
    m_directUsed = 0;
    if (!waitForBlockInFlight())
        return false;
    if (!m_direct)
        return writeAll(full);
    try {
        m_inFlight = std::thread([this, fd = m_fd, full] { m_inFlightOutcome = writeOut(m_calls, fd, full, true); });
    } catch (const std::system_error &) {
        return writeAll(full);
    }
    m_filling = 1 - m_filling;
    return true;
}

bool BlockWriter::waitForBlockInFlight()
{
    if (!m_inFlight.joinable())
        return m_error == 0;
    m_inFlight.join();
    return apply(m_inFlightOutcome);
}

bool BlockWriter::flush()
{
    if (m_error != 0 || !flushDirect() || !writeAll(m_block))
        return false;
    m_block.resize(0);
    return true;
}

bool BlockWriter::flushDirect()
{
    if (!waitForBlockInFlight())
        return false;
    const QByteArrayView left(m_directBlocks[m_filling], m_directUsed);
    m_directUsed = 0;
    const qsizetype whole = left.size() - left.size() % SectorAlign;
    const bool written = writeAll(left.first(whole));
    if (m_direct)
        setDirect(false);
    return written && writeAll(left.sliced(whole));
}

bool BlockWriter::writeAll(QByteArrayView bytes)
{
    if (m_fd < 0) {
        m_error = EBADF;
        return false;
    }
    return apply(writeOut(m_calls, m_fd, bytes, m_direct));
}

bool BlockWriter::apply(const Outcome &outcome)
{
    m_written += outcome.written;
    if (outcome.cached)
        m_direct = false;
    if (outcome.error == 0 && startWriteback())
        return true;
    m_error = outcome.error != 0 ? outcome.error : errno;
    return false;
}

bool BlockWriter::startWriteback()
{
    // Written straight to the disk, it is already there.
    if (m_direct) {
        m_writebackFrom = m_onDisk = m_written;
        return true;
    }
    // The disk starts on what was written while the rest is still being
    // rendered, instead of all of it waiting for the sync at the end; and
    // the writing runs at most two steps ahead of the disk, so that on a
    // slow disk the progress follows the disk and a stop is heeded within
    // those steps, not after the whole list has gone through a final sync
    // nobody can interrupt. What the disk has written is dropped from the
    // cache: the next steps take the same pages again, where fresh ones can
    // cost the system far more than the copy (on a virtual machine whose
    // host takes back the memory its guest leaves free), and the user's
    // other files stay in the cache.
    // A write the disk lost is reported once, to the first call that waits
    // for it, and the file's later sync then succeeds: so a failure of
    // either call is the save's failure. Dropping pages reports nothing.
    const qint64 aheadOfDisk = 2 * writebackStep;
    if (!m_paced || m_written - m_writebackFrom < writebackStep)
        return true;
    if (m_calls.syncRange(m_fd, m_writebackFrom, m_written - m_writebackFrom, SYNC_FILE_RANGE_WRITE) != 0)
        return false;
    m_writebackFrom = m_written;
    if (m_written - aheadOfDisk > m_onDisk) {
        const qint64 length = m_written - aheadOfDisk - m_onDisk;
        if (m_calls.syncRange(m_fd, m_onDisk, length,
                              SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER) != 0)
            return false;
        m_calls.fadvise(m_fd, m_onDisk, length, POSIX_FADV_DONTNEED);
        m_onDisk = m_written - aheadOfDisk;
    }
    return true;
}
