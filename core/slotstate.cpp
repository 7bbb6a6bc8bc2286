#include "core/slotstate.h"

#include "core/conversions.h"
#include "core/randomsource.h"

namespace {
// The draw multipliers are the table sizes, kept in single precision; the
// products are formed in double so r * 20 stays below 20 for every r < 1.
constexpr float VowelMultiplier = 6.0f;
constexpr float ConsonantMultiplier = 20.0f;
} // namespace

SlotState::SlotState(RandomSource &random) : m_random(random)
{
}

bool SlotState::DrawSlotLetter(int slot, LetterClass letterClass)
{
    const int i = slot - 1;
    m_random.reseedFromClock();
    const auto vowel = Conversions::truncateToInt16(m_random.next() * double(VowelMultiplier));
    if (!vowel)
        return false;
    m_vowelIndex.at(i) = *vowel;
    const auto consonant = Conversions::truncateToInt16(m_random.next() * double(ConsonantMultiplier));
    if (!consonant)
        return false;
    m_consonantIndex.at(i) = *consonant;

    if (letterClass == LetterClass::Vowel && *vowel >= 0 && *vowel < qint16(VOWELS.size()))
        m_slotLetter.at(i) = VOWELS.at(*vowel);
    else if (letterClass == LetterClass::Consonant && *consonant >= 0 && *consonant < qint16(CONSONANTS.size()))
        m_slotLetter.at(i) = CONSONANTS.at(*consonant);
    return true;
}

QString SlotState::word() const
{
    QString joined;
    joined.reserve(SlotCount);
    for (char letter : m_slotLetter) {
        if (letter != '\0')
            joined += QChar(QLatin1Char(letter));
    }
    return Conversions::upperCase(joined);
}
