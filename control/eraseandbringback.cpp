#include "control/eraseandbringback.h"

#include "control/generatorview.h"
#include "core/conversions.h"
#include "core/nicklist.h"

#include <QLocale>

using Box = GeneratorView::Box;

EraseAndBringBack::EraseAndBringBack(GeneratorView &panel, NickList &list) : m_panel(panel), m_list(list) {}

void EraseAndBringBack::erase()
{
    m_list.erase();
    m_panel.setText(Box::Counter, QStringLiteral("0"));
}

qsizetype EraseAndBringBack::bringBack()
{
    const qsizetype back = m_list.bringBack();
    if (back == 0)
        return 0;
    const QLocale locale;
    if (const auto counted = Conversions::textToReal(m_panel.text(Box::Counter), locale))
        m_panel.setText(Box::Counter, Conversions::realToText(*counted + double(back), locale));
    return back;
}
