#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QSaveFile>
#include <QString>

// A text file written line by line, each line ending in CR LF, that replaces
// the file at its path only when every byte has been written: until commit()
// succeeds the old file stays as it was. Lines are gathered into large blocks
// and every write is checked, because a short write or a failed flush must
// never leave a torn file behind.
class LineFile
{
public:
    static constexpr QByteArrayView LineEnd{"\r\n", 2};
    // The size of the blocks handed to the system in one write.
    static constexpr qsizetype BlockSize = 1 << 20;

    explicit LineFile(const QString &path);
    ~LineFile();
    LineFile(const LineFile &) = delete;
    LineFile &operator=(const LineFile &) = delete;

    bool open();
    bool writeLine(QByteArrayView line);
    // Text of whole lines, each already ending in LineEnd, for writers that
    // render many lines at once; a block or more goes out without a copy.
    bool writeLines(QByteArrayView lines);
    // Writes what is left, flushes and puts the file in place.
    bool commit();
    // Throws away what was written; the old file stays.
    void cancel();

    // Why the last step failed, in the system's words.
    QString errorString() const { return m_error; }
    QString path() const { return m_file.fileName(); }

private:
    bool writeBlock();
    bool writeAll(QByteArrayView bytes);
    bool fail(const QString &reason);

    QSaveFile m_file;
    QByteArray m_block;
    QString m_error;
    bool m_failed = false;
};
