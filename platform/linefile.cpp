#include "platform/linefile.h"

LineFile::LineFile(const QString &path) : m_file(path)
{
    m_block.reserve(BlockSize + 64);
}

LineFile::~LineFile()
{
    if (m_file.isOpen())
        m_file.cancelWriting();
}

bool LineFile::open()
{
    // Unbuffered: our own block is the buffer, so each write reports its
    // real outcome instead of one hidden in Qt's buffer.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(m_file.errorString());
    return true;
}

bool LineFile::writeLine(QByteArrayView line)
{
    if (m_failed)
        return false;
    m_block.append(line.data(), line.size());
    m_block.append(LineEnd.data(), LineEnd.size());
    if (m_block.size() >= BlockSize)
        return writeBlock();
    return true;
}

bool LineFile::writeLines(QByteArrayView lines)
{
    if (m_failed)
        return false;
    if (m_block.size() + lines.size() < BlockSize) {
        m_block.append(lines.data(), lines.size());
        return true;
    }
    return writeBlock() && writeAll(lines);
}

bool LineFile::writeBlock()
{
    if (!writeAll(m_block))
        return false;
    // resize(), not clear(): clear() would give the block's memory back.
    m_block.resize(0);
    return true;
}

bool LineFile::writeAll(QByteArrayView bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 written = m_file.write(bytes.data() + done, bytes.size() - done);
        if (written <= 0)
            return fail(m_file.errorString());
        done += written;
    }
    return true;
}

bool LineFile::commit()
{
    if (m_failed || !writeBlock())
        return false;
    if (!m_file.flush())
        return fail(m_file.errorString());
    if (m_file.error() != QFileDevice::NoError)
        return fail(m_file.errorString());
    if (!m_file.commit())
        return fail(m_file.errorString());
    return true;
}

void LineFile::cancel()
{
    if (m_file.isOpen())
        m_file.cancelWriting();
    m_block.clear();
}

bool LineFile::fail(const QString &reason)
{
    m_failed = true;
    m_error = reason;
    cancel();
    return false;
}
