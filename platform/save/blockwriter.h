#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Writes a file in large blocks, every write checked, and keeps the disk
// busy meanwhile: what is written is handed to the disk a few blocks at a
// time, and the writing runs at most a few steps ahead of it.
class BlockWriter
{
public:
    // The size of the blocks handed to the system in one write.
    static constexpr qsizetype BlockSize = 1 << 20;

    BlockWriter();
    // `paced`: a file the disk is started on as it grows; not a FIFO or device.
    void setFile(int fd, bool paced);
    // Text a block or more long goes out without a copy.
    bool write(QByteArrayView bytes);
    // Writes what is gathered; false with error().
    bool flush();
    // Forgets the file and what is gathered, keeping the block's memory.
    void reset();
    int error() const { return m_error; }
    qint64 written() const { return m_written; }

private:
    bool writeAll(QByteArrayView bytes);
    void startWriteback();

    QByteArray m_block;
    int m_fd = -1;
    int m_error = 0;
    bool m_paced = false;
    qint64 m_written = 0;
    qint64 m_writebackFrom = 0; // where the disk has not been started on yet
    qint64 m_onDisk = 0;        // what the disk has written, as far as waited for
};
