#include "control/nicklength.h"

#include "control/generatorview.h"
#include "core/conversions.h"
#include "core/letters.h"

namespace {
using Box = GeneratorView::Box;
using Refusal = GeneratorView::Refusal;
} // namespace

NickLength::NickLength(GeneratorView &panel) : m_panel(panel) {}

void NickLength::up()
{
    const QLocale locale;
    const auto length = Conversions::textToReal(m_panel.text(Box::Length), locale);
    if (!length)
        return;
    if (*length < MaxNickLength) {
        m_panel.setText(Box::Length, Conversions::realToText(*length + 1, locale));
        return;
    }
    m_panel.refuse({Refusal::Kind::LongerThanMax});
}

void NickLength::down()
{
    const QLocale locale;
    const auto length = Conversions::textToReal(m_panel.text(Box::Length), locale);
    if (!length)
        return;
    if (*length > MinNickLength) {
        m_panel.setText(Box::Length, Conversions::realToText(*length - 1, locale));
        return;
    }
    m_panel.refuse({Refusal::Kind::ShorterThanMin});
}
