#include "control/nickstore.h"

#include <optional>

// Word layout: bits 0-3 hold the length, then 5 bits per letter (A = 0),
// first letter lowest. With the top bit set, the low bits index m_others.
namespace {
constexpr int ChunkShift = 16;
constexpr qsizetype ChunkSize = qsizetype(1) << ChunkShift; // 64 Ki entries, 512 KiB
constexpr qsizetype MaxPackedLength = 10;
constexpr int LengthBits = 4;
constexpr int LetterBits = 5;
constexpr quint64 LengthMask = (quint64(1) << LengthBits) - 1;
constexpr quint64 LetterMask = (quint64(1) << LetterBits) - 1;
constexpr quint64 OtherFlag = quint64(1) << 63;

std::optional<quint64> pack(QStringView nick)
{
    if (nick.size() > MaxPackedLength)
        return std::nullopt;
    quint64 word = quint64(nick.size());
    for (qsizetype k = 0; k < nick.size(); ++k) {
        const char16_t c = nick[k].unicode();
        if (c < u'A' || c > u'Z')
            return std::nullopt;
        word |= quint64(c - u'A') << (LengthBits + LetterBits * k);
    }
    return word;
}

qsizetype packedLength(quint64 word)
{
    return qsizetype(word & LengthMask);
}

char packedLetter(quint64 word, qsizetype k)
{
    return char('A' + ((word >> (LengthBits + LetterBits * k)) & LetterMask));
}
} // namespace

void NickStore::append(QStringView nick)
{
    if (m_count == qsizetype(m_chunks.size()) * ChunkSize)
        m_chunks.push_back(std::make_unique_for_overwrite<quint64[]>(ChunkSize));

    quint64 word;
    if (const auto packed = pack(nick)) {
        word = *packed;
    } else {
        word = OtherFlag | quint64(m_others.size());
        m_others.append(nick.toString());
    }
    m_chunks[size_t(m_count >> ChunkShift)][size_t(m_count & (ChunkSize - 1))] = word;
    ++m_count;
}

quint64 NickStore::word(qsizetype i) const
{
    Q_ASSERT(i >= 0 && i < m_count);
    return m_chunks[size_t(i >> ChunkShift)][size_t(i & (ChunkSize - 1))];
}

QString NickStore::entry(qsizetype i) const
{
    const quint64 w = word(i);
    if (w & OtherFlag)
        return m_others.at(qsizetype(w & ~OtherFlag));
    const qsizetype length = packedLength(w);
    QString text(length, Qt::Uninitialized);
    for (qsizetype k = 0; k < length; ++k)
        text[k] = QLatin1Char(packedLetter(w, k));
    return text;
}

void NickStore::appendEntryTo(qsizetype i, QByteArray &out) const
{
    const quint64 w = word(i);
    if (w & OtherFlag) {
        out.append(m_others.at(qsizetype(w & ~OtherFlag)).toUtf8());
        return;
    }
    char letters[MaxPackedLength];
    const qsizetype length = packedLength(w);
    for (qsizetype k = 0; k < length; ++k)
        letters[k] = packedLetter(w, k);
    out.append(letters, length);
}

void NickStore::clear()
{
    // Plain clear() would keep the capacity of both containers.
    std::vector<std::unique_ptr<quint64[]>>().swap(m_chunks);
    QList<QString>().swap(m_others);
    m_count = 0;
}

qsizetype NickStore::memoryBytes() const
{
    qsizetype bytes = qsizetype(m_chunks.capacity() * sizeof(m_chunks[0])) +
                      qsizetype(m_chunks.size()) * ChunkSize * qsizetype(sizeof(quint64)) +
                      m_others.capacity() * qsizetype(sizeof(QString));
    for (const QString &text : m_others)
        bytes += text.capacity() * qsizetype(sizeof(QChar));
    return bytes;
}
