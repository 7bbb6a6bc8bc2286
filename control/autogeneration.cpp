#include "control/autogeneration.h"

#include "control/generatorview.h"
#include "core/conversions.h"
#include "platform/generationtimer.h"

using Box = GeneratorView::Box;

AutoGeneration::AutoGeneration(GeneratorView &panel, GenerationTimer &timer) : m_panel(panel), m_timer(timer)
{
}

QString AutoGeneration::normalForm(QStringView text)
{
    return Conversions::trimLeft(Conversions::numberWithSignPlace(Conversions::numericPrefix(text)));
}

void AutoGeneration::intervalChanged()
{
    const QString text = m_panel.text(Box::Interval);
    const QString normal = normalForm(text);
    if (normal == text)
        return;
    // Keep the caret where it was, counted from the end, so typing in front
    // of a number goes on in front of it.
    const qsizetype fromEnd = text.size() - m_panel.intervalCaret();
    m_panel.setText(Box::Interval, normal);
    const qsizetype size = m_panel.text(Box::Interval).size();
    m_panel.setIntervalCaret(static_cast<int>(qBound(qsizetype(0), size - fromEnd, size)));
}

bool AutoGeneration::start()
{
    // The normal form always writes a point, so the box is read with a point
    // whatever the user's locale: "2.5" is 2 ms everywhere.
    const auto interval = Conversions::textToWhole(m_panel.text(Box::Interval), QLocale::c());
    if (!interval)
        return false;
    if (!m_timer.setInterval(*interval)) {
        // The refused interval leaves the timer exactly as it was: say so.
        m_panel.refuse({GeneratorView::Refusal::Kind::NegativeInterval, *interval, m_timer.isEnabled(),
                        m_timer.interval()});
        return false;
    }
    m_timer.setEnabled(true);
    return true;
}

void AutoGeneration::stop()
{
    m_timer.setEnabled(false);
}
