#pragma once

#include <array>

// The two letter tables every slot draws from, in lower case. Together they
// hold each Latin letter once; "y" counts as a vowel, and "w" comes after
// "z" at the end of the consonants.
inline constexpr std::array<char, 6> VOWELS{'a', 'e', 'i', 'o', 'u', 'y'};
inline constexpr std::array<char, 20> CONSONANTS{'b', 'c', 'd', 'f', 'g', 'h', 'j', 'k', 'l', 'm',
                                                 'n', 'p', 'q', 'r', 's', 't', 'v', 'x', 'z', 'w'};

inline constexpr int SlotCount = 10;
inline constexpr int MinNickLength = 2;
inline constexpr int MaxNickLength = SlotCount;

// The class of one slot, read from its selector's list index: 0 is a vowel,
// 1 a consonant, and anything else (no item selected) no class at all.
enum class LetterClass { None, Vowel, Consonant };

LetterClass letterClassFromListIndex(int listIndex);

// The pattern the main window sets each time it loads, slots 1 to 10.
inline constexpr std::array<int, SlotCount> DefaultSlotPattern{1, 0, 1, 1, 0, 1, 1, 0, 1, 0};
