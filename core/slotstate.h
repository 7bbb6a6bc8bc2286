#pragma once

#include "core/letters.h"

#include <QString>

#include <array>

class RandomSource;

// The ten slots' letters and how a nick's word is made from them. Every slot
// keeps the indices it drew last and its current letter from one generation
// to the next; a slot without a class keeps its letter.
class SlotState
{
public:
    explicit SlotState(RandomSource &random);

    // Draws slot 1..10 afresh: reseeds, draws a vowel index and then a
    // consonant index, and keeps the letter its class asks for. False when a
    // drawn value did not fit a 16-bit index, which the draws cannot produce
    // with values in [0, 1); the slot's letter is then left alone.
    bool DrawSlotLetter(int slot, LetterClass letterClass);

    // The ten letters upper-cased and joined, slot 1 leftmost; a slot that
    // never had a letter adds nothing.
    QString word() const;

    qint16 vowelIndex(int slot) const { return m_vowelIndex.at(slot - 1); }
    qint16 consonantIndex(int slot) const { return m_consonantIndex.at(slot - 1); }
    // '\0' before the slot's first letter.
    char slotLetter(int slot) const { return m_slotLetter.at(slot - 1); }

private:
    RandomSource &m_random;
    std::array<qint16, SlotCount> m_vowelIndex{};
    std::array<qint16, SlotCount> m_consonantIndex{};
    std::array<char, SlotCount> m_slotLetter{};
};
