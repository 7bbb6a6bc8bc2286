#include "core/nickstore.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <optional>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

#if defined(__SSE2__)
// Two packed words spelled at once, each in its own half: the first eight
// letters as eight bytes (moved apart in halves, quarters and eighths of
// their bits), and the last two in a second vector, at bytes 0 and 8.
struct TwoSpelled
{
    __m128i firstEight;
    __m128i lastTwo;
};

TwoSpelled spellTwo(const quint64 *words)
{
    const auto mask = [](quint64 bits) { return _mm_set1_epi64x(qint64(bits)); };
    const __m128i codes =
        _mm_srli_epi64(_mm_loadu_si128(reinterpret_cast<const __m128i *>(words)), LengthBits);
    __m128i t = _mm_and_si128(codes, mask(0xFF'FFFF'FFFF));
    t = _mm_or_si128(_mm_and_si128(t, mask(0xF'FFFF)),
                     _mm_slli_epi64(_mm_and_si128(t, mask(0xFF'FFF0'0000)), 12));
    t = _mm_or_si128(_mm_and_si128(t, mask(0x3FF'0000'03FF)),
                     _mm_slli_epi64(_mm_and_si128(t, mask(0xF'FC00'000F'FC00)), 6));
    t = _mm_or_si128(_mm_and_si128(t, mask(0x1F'001F'001F'001F)),
                     _mm_slli_epi64(_mm_and_si128(t, mask(0x3E0'03E0'03E0'03E0)), 3));
    __m128i u = _mm_srli_epi64(codes, 8 * LetterBits);
    u = _mm_or_si128(_mm_and_si128(u, mask(0x1F)), _mm_slli_epi64(_mm_and_si128(u, mask(0x3E0)), 3));
    const __m128i a = _mm_set1_epi8('A');
    return {_mm_add_epi8(t, a), _mm_add_epi8(u, a)};
}
#endif
} // namespace

NickStore::NickStore(const NickStore &other)
    : m_chunks(other.m_chunks),
      m_owner(other.m_owner),
      m_addsToOwner(false),
      m_ownsTail(false),
      m_others(other.m_others),
      m_count(other.m_count),
      m_first(other.m_first)
{
}

NickStore &NickStore::operator=(const NickStore &other)
{
    return *this = NickStore(other);
}

NickStore::NickStore(NickStore &&other) noexcept
{
    *this = std::move(other);
}

NickStore &NickStore::operator=(NickStore &&other) noexcept
{
    // Each taken before it is set, so that a store moved into itself keeps its entries.
    m_chunks = std::exchange(other.m_chunks, {});
    m_owner = std::exchange(other.m_owner, {});
    m_addsToOwner = std::exchange(other.m_addsToOwner, true);
    m_ownsTail = std::exchange(other.m_ownsTail, true);
    m_others = std::exchange(other.m_others, {});
    m_count = std::exchange(other.m_count, 0);
    m_first = std::exchange(other.m_first, 0);
    return *this;
}

void NickStore::startOwner()
{
    // Owners are kept only by owners made after them: none keeps itself.
    auto owner = std::make_shared<Chunks>();
    if (m_owner)
        takeChunks(*owner, std::move(m_owner));
    m_owner = std::move(owner);
    m_addsToOwner = true;
}

quint64 *NickStore::newChunk()
{
    if (!m_owner || !m_addsToOwner)
        startOwner();
    // Left unset: no place is read before an entry is written there.
    return m_owner->made.emplace_back(new quint64[ChunkSize]).get();
}

void NickStore::takeChunks(Chunks &into, std::shared_ptr<Chunks> from)
{
    // What nothing else holds moves over, so that owners do not nest deeper
    // with every Erase and Bring back.
    if (from.use_count() != 1) {
        into.kept.push_back(std::move(from));
        return;
    }
    std::move(from->made.begin(), from->made.end(), std::back_inserter(into.made));
    for (std::shared_ptr<Chunks> &kept : from->kept)
        takeChunks(into, std::move(kept));
}

bool NickStore::alone() const
{
    // A copy reads chunks of an owner it does not add to, or keeps, and
    // copies a chunk before writing into it.
    return m_addsToOwner && m_owner->kept.empty();
}

void NickStore::append(QStringView nick)
{
    const qsizetype at = slot(m_count);
    if (size_t(at >> ChunkShift) == m_chunks.size()) {
        m_chunks.push_back(newChunk());
        m_ownsTail = true;
    } else if (!m_ownsTail) {
        // A copy: the places past its entries belong to the store it was
        // copied from, which may go on writing there.
        quint64 *const own = newChunk();
        std::copy_n(m_chunks.back(), at & (ChunkSize - 1), own);
        m_chunks.back() = own;
        m_ownsTail = true;
    }

    quint64 word;
    if (const auto packed = pack(nick)) {
        word = *packed;
    } else {
        word = OtherFlag | quint64(m_others.size());
        m_others.append(nick.toString());
    }
    m_chunks[size_t(at >> ChunkShift)][size_t(at & (ChunkSize - 1))] = word;
    ++m_count;
}

quint64 NickStore::word(qsizetype i) const
{
    Q_ASSERT(i >= 0 && i < m_count);
    const qsizetype at = slot(i);
    return m_chunks[size_t(at >> ChunkShift)][size_t(at & (ChunkSize - 1))];
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
#if defined(__SSE2__)
    // A line end of up to two bytes goes in one store of two; a byte past
    // it is written over by the next line or cut off at the end.
    const bool shortEnd = lineEnd.size() <= 2;
    char endBytes[2] = {};
    std::copy_n(lineEnd.data(), std::min<qsizetype>(lineEnd.size(), 2), endBytes);
#endif
    qsizetype i = first;
    while (i < m_count && out.size() < wanted) {
        // Packed entries of one chunk are written through a pointer into
        // room made for them beforehand: all ten letter places are filled,
        // and the line end goes right after the entry's own length.
        const qsizetype inChunk = slot(i) & (ChunkSize - 1);
        const qsizetype batch =
            std::min({m_count - i, ChunkSize - inChunk, (wanted - out.size()) / lineRoom + 1});
        const quint64 *const words = m_chunks[size_t(slot(i) >> ChunkShift)] + inChunk;
        const qsizetype size = out.size();
        // Two bytes of slack for a one-byte line end written as two.
        out.resize(size + batch * lineRoom + 2);
        char *const begin = out.data();
        char *at = begin + size;
        qsizetype done = 0;
#if defined(__SSE2__)
        // Two entries at a time while both are packed: this is most of a
        // save's own work, and twice as fast as one at a time.
        for (; shortEnd && done + 1 < batch && !((words[done] | words[done + 1]) & OtherFlag); done += 2) {
            const TwoSpelled two = spellTwo(words + done);
            const quint16 lastTwo[2] = {quint16(_mm_extract_epi16(two.lastTwo, 0)),
                                        quint16(_mm_extract_epi16(two.lastTwo, 4))};
            const __m128i firstEight[2] = {two.firstEight,
                                           _mm_unpackhi_epi64(two.firstEight, two.firstEight)};
            for (int k = 0; k < 2; ++k) {
                _mm_storel_epi64(reinterpret_cast<__m128i *>(at), firstEight[k]);
                std::memcpy(at + 8, &lastTwo[k], 2);
                at += packedLength(words[done + k]);
                std::memcpy(at, endBytes, 2);
                at += lineEnd.size();
            }
        }
#endif
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
    std::vector<quint64 *>().swap(m_chunks);
    m_owner.reset();
    m_addsToOwner = true;
    m_ownsTail = true;
    QList<QString>().swap(m_others);
    m_count = 0;
    m_first = 0;
}

NickStore NickStore::takeAll()
{
    NickStore taken;
    std::swap(taken, *this);
    m_first = taken.slot(taken.m_count) & (ChunkSize - 1);
    return taken;
}

void NickStore::prepend(NickStore front)
{
    if (front.m_count == 0)
        return;
    if (m_count == 0) {
        *this = std::move(front);
        return;
    }
    // Joined where front ends and the store begins, in one chunk; the side
    // lists join as they are only if no word of the store has to change.
    const bool joins = (front.slot(front.m_count) & (ChunkSize - 1)) == m_first &&
                       (front.m_others.isEmpty() || m_others.isEmpty());
    if (!joins) {
        NickStore own = std::exchange(*this, std::move(front));
        for (qsizetype i = 0; i < own.count(); ++i)
            append(own.entry(i));
        return;
    }
    if (m_first > 0) {
        // The store's first chunk takes front's last entries into the places
        // before its own; a chunk another store may also write is copied first.
        quint64 *&joint = m_chunks.front();
        if (!alone()) {
            quint64 *const own = newChunk();
            std::copy_n(joint + m_first, std::min(ChunkSize, m_first + m_count) - m_first, own + m_first);
            joint = own;
        }
        const qsizetype from = front.m_chunks.size() == 1 ? front.m_first : 0;
        std::copy_n(front.m_chunks.back() + from, m_first - from, joint + from);
        front.m_chunks.pop_back();
    }
    m_chunks.insert(m_chunks.begin(), front.m_chunks.begin(), front.m_chunks.end());
    // Front's chunks live as long as the store's own.
    startOwner();
    takeChunks(*m_owner, std::move(front.m_owner));
    if (m_others.isEmpty())
        m_others = std::move(front.m_others);
    m_count += front.m_count;
    m_first = front.m_first;
}
