// The composition of a nick from any selector states and any random draws:
// every slot with a class gets a letter of that class from its own draw, a
// slot without one keeps its letter, and the word is the letters upper-cased.
// The draws may also break their [0, 1) promise: nothing may then crash or
// put anything but a table letter into a slot.
#include "core/letters.h"
#include "core/slotstate.h"
#include "fuzzinput.h"
#include "core/randomsource.h"

#include <array>
#include <cstring>
#include <optional>

namespace {

// Reads the fuzzer's bytes in order; zeros once they run out.
class ByteStream
{
public:
    ByteStream(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}

    bool atEnd() const { return m_next >= m_size; }
    std::uint8_t byte() { return m_next < m_size ? m_data[m_next++] : 0; }
    template <typename T> T raw()
    {
        unsigned char bytes[sizeof(T)] = {};
        for (unsigned char &b : bytes)
            b = byte();
        T value;
        std::memcpy(&value, bytes, sizeof value);
        return value;
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_next = 0;
};

// Draws taken from the stream: a proper source gives k / 65536 (and the
// largest double below 1 for the top value); a broken one any double at all.
class StreamRandom final : public RandomSource
{
public:
    explicit StreamRandom(ByteStream &stream) : m_stream(stream) {}

    bool broken = false;
    int reseeds = 0;
    // The draws since the last reseed.
    std::array<double, 2> draws{};
    int drawCount = 0;

    void reseedFromClock() override
    {
        ++reseeds;
        drawCount = 0;
    }
    double next() override
    {
        double r;
        if (broken) {
            r = m_stream.raw<double>();
        } else {
            const auto k = m_stream.raw<std::uint16_t>();
            r = k == 0xFFFF ? std::nextafter(1.0, 0.0) : k / 65536.0;
        }
        draws.at(std::size_t(drawCount++)) = r;
        return r;
    }

private:
    ByteStream &m_stream;
};

// Mostly the indices a selector can report, now and then any 32-bit one.
int listIndex(ByteStream &stream)
{
    const std::uint8_t b = stream.byte();
    if (b < 0xF0)
        return static_cast<std::int8_t>(b);
    return stream.raw<std::int32_t>();
}

LetterClass expectedClass(int index)
{
    const int reported = static_cast<std::int16_t>(index & 0xFFFF);
    return reported == 0 ? LetterClass::Vowel : reported == 1 ? LetterClass::Consonant : LetterClass::None;
}

// The index a draw gives, when it fits 16 bits.
std::optional<int> drawnIndex(double r, double tableSize)
{
    const double index = std::trunc(r * tableSize);
    if (!(index >= -32768 && index <= 32767))
        return std::nullopt;
    return int(index);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ByteStream stream(data, size);
    StreamRandom random(stream);
    SlotState generator(random);

    for (int generation = 0; generation < 64 && !stream.atEnd(); ++generation) {
        random.broken = stream.byte() & 1;
        for (int slot = 1; slot <= SlotCount; ++slot) {
            const int index = listIndex(stream);
            const LetterClass letterClass = letterClassFromListIndex(index);
            FUZZ_CHECK(letterClass == expectedClass(index), "list index %d gives the wrong class", index);

            const char before = generator.slotLetter(slot);
            const int reseeds = random.reseeds;
            const bool drawn = generator.DrawSlotLetter(slot, letterClass);
            FUZZ_CHECK(random.reseeds == reseeds + 1, "slot %d reseeded %d times", slot,
                       random.reseeds - reseeds);
            const char after = generator.slotLetter(slot);

            // The vowel is drawn first, the consonant only when the vowel fitted.
            FUZZ_CHECK(random.drawCount >= 1, "slot %d drew nothing", slot);
            const auto vowel = drawnIndex(random.draws[0], 6);
            const auto consonant = random.drawCount == 2 ? drawnIndex(random.draws[1], 20) : std::nullopt;
            FUZZ_CHECK(random.drawCount == (vowel ? 2 : 1), "slot %d drew %d values", slot, random.drawCount);
            FUZZ_CHECK(drawn == (vowel && consonant), "slot %d reports %d for draws %.17g, %.17g", slot,
                       drawn, random.draws[0], random.draws[1]);
            if (!random.broken)
                FUZZ_CHECK(drawn, "a draw in [0, 1) failed at slot %d", slot);
            if (!drawn) {
                FUZZ_CHECK(after == before, "a failed draw changed slot %d", slot);
                continue;
            }
            FUZZ_CHECK(*vowel == generator.vowelIndex(slot) && *consonant == generator.consonantIndex(slot),
                       "slot %d keeps indices %d, %d", slot, generator.vowelIndex(slot),
                       generator.consonantIndex(slot));
            char expected = before;
            if (letterClass == LetterClass::Vowel && *vowel >= 0 && *vowel < int(VOWELS.size()))
                expected = VOWELS.at(std::size_t(*vowel));
            else if (letterClass == LetterClass::Consonant && *consonant >= 0 &&
                     *consonant < int(CONSONANTS.size()))
                expected = CONSONANTS.at(std::size_t(*consonant));
            FUZZ_CHECK(after == expected, "slot %d holds '%c', expected '%c'", slot, after ? after : '0',
                       expected ? expected : '0');
            if (!random.broken && letterClass != LetterClass::None)
                FUZZ_CHECK(after != '\0', "slot %d of a class has no letter", slot);
        }

        QString letters;
        for (int slot = 1; slot <= SlotCount; ++slot) {
            if (const char letter = generator.slotLetter(slot))
                letters += QChar(QLatin1Char(char(letter - 'a' + 'A')));
        }
        const QString word = generator.word();
        FUZZ_CHECK(word == letters, "the word is '%s', the slots hold '%s'", qUtf8Printable(word),
                   qUtf8Printable(letters));
        FUZZ_CHECK(word.size() <= MaxNickLength, "a word of %lld letters",
                   static_cast<long long>(word.size()));
    }
    return 0;
}
