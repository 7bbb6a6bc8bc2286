#include "control/autogeneration.h"

#include "platform/conversions.h"
#include "platform/generationtimer.h"
#include "ui/toolkit/messagebox.h"
#include "ui/toolkit/textbox.h"

AutoGeneration::AutoGeneration(TextBox *intervalBox, GenerationTimer *timer, QWidget *messageParent)
    : m_intervalBox(intervalBox), m_timer(timer), m_messageParent(messageParent)
{
    // Every change, typed or set, is normalised at once. Setting the normal
    // form changes the text again and re-enters here; a text already in normal
    // form maps to itself, which ends the chain.
    QObject::connect(m_intervalBox, &TextBox::textChanged, m_intervalBox, [this] { normalise(); });
}

QString AutoGeneration::normalForm(QStringView text)
{
    return Conversions::trimLeft(Conversions::numberWithSignPlace(Conversions::numericPrefix(text)));
}

void AutoGeneration::normalise()
{
    const QString text = m_intervalBox->text();
    const QString normal = normalForm(text);
    if (normal == text)
        return;
    // Keep the caret where it was, counted from the end, so typing in front
    // of a number goes on in front of it.
    const qsizetype fromEnd = text.size() - m_intervalBox->cursorPosition();
    m_intervalBox->assign(normal);
    const qsizetype size = m_intervalBox->text().size();
    m_intervalBox->setCursorPosition(static_cast<int>(qBound(qsizetype(0), size - fromEnd, size)));
}

void AutoGeneration::start()
{
    // The normal form always writes a point, so the box is read with a point
    // whatever the user's locale: "2.5" is 2 ms everywhere.
    const auto interval = Conversions::textToWhole(m_intervalBox->text(), QLocale::c());
    if (!interval)
        return;
    if (!m_timer->setInterval(*interval)) {
        // The refused interval leaves the timer exactly as it was: say so.
        const QString timerState = m_timer->isEnabled()
                                       ? QStringLiteral("Таймер работает дальше с прежним интервалом %1 мс.")
                                             .arg(m_timer->interval())
                                       : QStringLiteral("Таймер не запущен.");
        MessageBox::show(m_messageParent,
                         QStringLiteral("Интервал не изменён: %1 мс меньше нуля. %2 "
                                        "Введите число от 0 до 9999.")
                             .arg(*interval)
                             .arg(timerState),
                         QStringLiteral("Ошибка!!!"), MessageBox::Style::Information);
        return;
    }
    m_timer->setEnabled(true);
}

void AutoGeneration::stop()
{
    m_timer->setEnabled(false);
}
