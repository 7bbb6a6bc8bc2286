#include "control/nickgeneration.h"

#include "core/conversions.h"
#include "core/letters.h"

using Box = GeneratorView::Box;

NickGeneration::NickGeneration(GeneratorView &panel, NickList &list, SlotState &slots)
    : m_panel(panel), m_list(list), m_slots(slots)
{
}

bool NickGeneration::GenerateNick()
{
    const QLocale locale;
    const auto length = Conversions::textToWhole(m_panel.text(Box::Length), locale);
    if (!length)
        return false;
    // The nick box's limit is what cuts the word to the nick length.
    m_panel.setNickLimit(*length);

    for (int slot = 1; slot <= SlotCount; ++slot) {
        if (!m_slots.DrawSlotLetter(slot, letterClassFromListIndex(m_panel.listIndex(slot))))
            return false;
    }

    m_panel.setText(Box::Nick, m_slots.word());
    m_list.append(m_panel.text(Box::Nick));

    const auto count = Conversions::textToReal(m_panel.text(Box::Counter), locale);
    if (!count)
        return false;
    m_panel.setText(Box::Counter, Conversions::realToText(*count + 1.0, locale));
    return true;
}
