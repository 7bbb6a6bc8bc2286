#pragma once

#include "control/generatorview.h"
#include "core/nicklist.h"
#include "core/slotstate.h"

// The one generate action, run by the generate button and by every timer
// tick: draw all ten slots, show the word cut to the nick length in the nick
// box, list what the box shows, and count it. The slots' letters are the
// window's, kept from one generation to the next.
class NickGeneration
{
public:
    NickGeneration(GeneratorView &panel, NickList &list, SlotState &slots);

    // False when it stopped part way: a length that is not a number stops it
    // before any draw, a counter that is not a number after the nick has
    // been shown and listed.
    bool GenerateNick();

private:
    GeneratorView &m_panel;
    NickList &m_list;
    SlotState &m_slots;
};
