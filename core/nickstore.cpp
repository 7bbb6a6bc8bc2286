#include "core/nickstore.h"

#include <algorithm>
#include <array>
#include <cstring>
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
constexpr int PairBits = 2 * LetterBits;
constexpr quint64 PairMask = (quint64(1) << PairBits) - 1;

// The two letters for every pair of 5-bit codes, first letter in the low bits.
constexpr std::array<char, 2 * (PairMask + 1)> LetterPairs = [] {
    std::array<char, 2 * (PairMask + 1)> pairs{};
    for (quint64 code = 0; code <= PairMask; ++code) {
        pairs[2 * code] = char('A' + (code & LetterMask));
        pairs[2 * code + 1] = char('A' + (code >> LetterBits));
    }
    return pairs;
}();

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
    if (m_count == qsizetype(m_chunks.size()) * ChunkSize) {
        m_chunks.push_back(std::make_shared_for_overwrite<quint64[]>(ChunkSize));
    } else if (m_chunks.back().use_count() > 1) {
        // A copy reads the start of this chunk: go on in a chunk of our own.
        auto own = std::make_shared_for_overwrite<quint64[]>(ChunkSize);
        std::copy_n(m_chunks.back().get(), m_count & (ChunkSize - 1), own.get());
        m_chunks.back() = std::move(own);
    }

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

qsizetype NickStore::appendLinesTo(qsizetype first, QByteArrayView lineEnd, qsizetype bytes,
                                   QByteArray &out) const
{
    const qsizetype wanted = out.size() + bytes;
    const qsizetype lineRoom = MaxPackedLength + lineEnd.size();
    qsizetype i = first;
    while (i < m_count && out.size() < wanted) {
        // Packed entries of one chunk are written through a pointer into
        // room made for them beforehand: all ten letter places are filled,
        // a pair of letters at a time, and the line end goes right after
        // the entry's own length.
        const qsizetype inChunk = i & (ChunkSize - 1);
        const qsizetype batch =
            std::min({m_count - i, ChunkSize - inChunk, (wanted - out.size()) / lineRoom + 1});
        const quint64 *const words = m_chunks[size_t(i >> ChunkShift)].get() + inChunk;
        const qsizetype size = out.size();
        out.resize(size + batch * lineRoom);
        char *const begin = out.data();
        char *at = begin + size;
        qsizetype done = 0;
        for (; done < batch; ++done) {
            const quint64 w = words[done];
            if (w & OtherFlag)
                break;
            // The five pairs spelled out: at -O2 a loop of them is not unrolled.
            const quint64 letters = w >> LengthBits;
            std::memcpy(at, &LetterPairs[2 * (letters & PairMask)], 2);
            std::memcpy(at + 2, &LetterPairs[2 * ((letters >> PairBits) & PairMask)], 2);
            std::memcpy(at + 4, &LetterPairs[2 * ((letters >> 2 * PairBits) & PairMask)], 2);
            std::memcpy(at + 6, &LetterPairs[2 * ((letters >> 3 * PairBits) & PairMask)], 2);
            std::memcpy(at + 8, &LetterPairs[2 * ((letters >> 4 * PairBits) & PairMask)], 2);
            at += packedLength(w);
            for (const char c : lineEnd)
                *at++ = c;
        }
        out.resize(at - begin);
        i += done;
        if (done < batch) {
            appendEntryTo(i++, out);
            out.append(lineEnd.data(), lineEnd.size());
        }
    }
    return i;
}

void NickStore::clear()
{
    // Plain clear() would keep the capacity of both containers.
    std::vector<std::shared_ptr<quint64[]>>().swap(m_chunks);
    QList<QString>().swap(m_others);
    m_count = 0;
}
