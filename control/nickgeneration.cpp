#include "control/nickgeneration.h"

#include "platform/conversions.h"
#include "ui/list/nicklistbox.h"
#include "ui/toolkit/slotselector.h"
#include "ui/toolkit/textbox.h"

NickGeneration::NickGeneration(const GeneratorControls &controls, RandomSource &random)
    : m_controls(controls), m_generator(random)
{
}

bool NickGeneration::GenerateNick()
{
    const QLocale locale;
    const auto length = Conversions::textToWhole(m_controls.lengthBox->text(), locale);
    if (!length)
        return false;
    // The nick box's limit is what cuts the word to the nick length.
    m_controls.nickBox->setLimit(*length);

    for (int slot = 1; slot <= SlotCount; ++slot) {
        const LetterClass letterClass = letterClassFromListIndex(m_controls.selectors.at(slot - 1)->listIndex());
        if (!m_generator.DrawSlotLetter(slot, letterClass))
            return false;
    }

    m_controls.nickBox->assign(m_generator.word());
    m_controls.list->addItem(m_controls.nickBox->text());

    const auto count = Conversions::textToReal(m_controls.counterBox->text(), locale);
    if (!count)
        return false;
    m_controls.counterBox->assign(Conversions::realToText(*count + 1.0, locale));
    return true;
}
