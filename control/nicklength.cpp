#include "control/nicklength.h"

#include "control/generatorpanel.h"
#include "core/letters.h"
#include "core/conversions.h"

namespace {
const QString RefusalTitle = QStringLiteral("Ошибка!!!");
using Box = GeneratorPanel::Box;
}

NickLength::NickLength(GeneratorPanel &panel) : m_panel(panel)
{
}

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
    m_panel.refuse(QStringLiteral("Да хватит десяти, зачем больше!!!"), RefusalTitle);
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
    m_panel.refuse(QStringLiteral("Куда меньше-то!!!"), RefusalTitle);
}
