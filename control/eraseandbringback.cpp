#include "control/eraseandbringback.h"

#include "control/generatorview.h"
#include "core/conversions.h"

#include <QLocale>

#include <utility>

using Box = GeneratorView::Box;

EraseAndBringBack::EraseAndBringBack(GeneratorView &panel) : m_panel(panel) {}

void EraseAndBringBack::erase()
{
    NickStore taken = m_panel.takeList();
    if (taken.count() > 0)
        m_kept = std::move(taken);
    m_panel.setText(Box::Counter, QStringLiteral("0"));
}

qsizetype EraseAndBringBack::bringBack()
{
    const qsizetype back = m_kept.count();
    if (back == 0)
        return 0;
    m_panel.putInFrontOfList(std::exchange(m_kept, NickStore()));
    const QLocale locale;
    if (const auto counted = Conversions::textToReal(m_panel.text(Box::Counter), locale))
        m_panel.setText(Box::Counter, Conversions::realToText(*counted + double(back), locale));
    return back;
}
