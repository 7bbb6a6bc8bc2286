#pragma once

#include "core/letters.h"
#include "core/nickgenerator.h"

#include <array>

class NickListBox;
class RandomSource;
class SlotSelector;
class TextBox;

// The controls one generation reads and writes.
struct GeneratorControls
{
    std::array<SlotSelector *, SlotCount> selectors{}; // Combo1 .. Combo10
    TextBox *lengthBox = nullptr;                      // Text1
    TextBox *nickBox = nullptr;                        // Text3
    NickListBox *list = nullptr;                       // List
    TextBox *counterBox = nullptr;                     // Text4
};

// The one generate action, run by the generate button and by every timer
// tick: draw all ten slots, show the word cut to the nick length in the nick
// box, list what the box shows, and count it.
class NickGeneration
{
public:
    NickGeneration(const GeneratorControls &controls, RandomSource &random);

    // False when it stopped part way: a length that is not a number stops it
    // before any draw, a counter that is not a number after the nick has
    // been shown and listed.
    bool GenerateNick();

    const NickGenerator &generator() const { return m_generator; }

private:
    GeneratorControls m_controls;
    NickGenerator m_generator;
};
