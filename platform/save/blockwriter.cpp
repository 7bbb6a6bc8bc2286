#include "platform/save/blockwriter.h"

#include "platform/save/systemcalls.h"

#include <cerrno>
#include <fcntl.h>

BlockWriter::BlockWriter()
{
    m_block.reserve(BlockSize + 64);
}

void BlockWriter::setFile(int fd, bool paced)
{
    reset();
    m_fd = fd;
    m_paced = paced;
}

void BlockWriter::reset()
{
    // resize(), not clear(): clear() would give the block's memory back.
    m_block.resize(0);
    m_fd = -1;
    m_error = 0;
    m_written = m_writebackFrom = m_onDisk = 0;
}

bool BlockWriter::write(QByteArrayView bytes)
{
    if (m_error != 0)
        return false;
    if (m_block.size() + bytes.size() < BlockSize) {
        m_block.append(bytes.data(), bytes.size());
        return true;
    }
    return flush() && writeAll(bytes);
}

bool BlockWriter::flush()
{
    if (m_error != 0 || !writeAll(m_block))
        return false;
    m_block.resize(0);
    return true;
}

bool BlockWriter::writeAll(QByteArrayView bytes)
{
    if (m_fd < 0) {
        m_error = EBADF;
        return false;
    }
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = SystemCalls::write(m_fd, bytes.data() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            m_error = written == 0 ? ENOSPC : errno;
            return false;
        }
        done += written;
        m_written += written;
    }
    startWriteback();
    return true;
}

void BlockWriter::startWriteback()
{
    // The disk starts on what was written while the rest is still being
    // rendered, instead of all of it waiting for the sync at the end; and
    // the writing runs at most a few steps ahead of the disk, so that on a
    // slow disk the progress follows the disk and a stop is heeded within
    // those steps, not after the whole list has gone through a final sync
    // nobody can interrupt. None of this makes the data durable: the sync
    // still decides whether the save happened, so a failure here (a pipe,
    // a file system without it) changes nothing.
    constexpr qint64 WritebackStep = 8 * BlockSize;
    constexpr qint64 AheadOfDisk = 4 * WritebackStep;
    if (!m_paced || m_written - m_writebackFrom < WritebackStep)
        return;
    ::sync_file_range(m_fd, m_writebackFrom, m_written - m_writebackFrom, SYNC_FILE_RANGE_WRITE);
    m_writebackFrom = m_written;
    if (m_written - AheadOfDisk > m_onDisk) {
        ::sync_file_range(m_fd, m_onDisk, m_written - AheadOfDisk - m_onDisk,
                          SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER);
        m_onDisk = m_written - AheadOfDisk;
    }
}
