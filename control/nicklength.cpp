#include "control/nicklength.h"

#include "core/letters.h"
#include "platform/conversions.h"
#include "ui/toolkit/messagebox.h"
#include "ui/toolkit/textbox.h"

namespace {
const QString RefusalTitle = QStringLiteral("Ошибка!!!");
}

NickLength::NickLength(TextBox *lengthBox, QWidget *messageParent)
    : m_lengthBox(lengthBox), m_messageParent(messageParent)
{
}

void NickLength::up()
{
    const QLocale locale;
    const auto length = Conversions::textToReal(m_lengthBox->text(), locale);
    if (!length)
        return;
    if (*length < MaxNickLength) {
        m_lengthBox->assign(Conversions::realToText(*length + 1, locale));
        return;
    }
    MessageBox::show(m_messageParent, QStringLiteral("Да хватит десяти, зачем больше!!!"), RefusalTitle,
                     MessageBox::Style::Information);
}

void NickLength::down()
{
    const QLocale locale;
    const auto length = Conversions::textToReal(m_lengthBox->text(), locale);
    if (!length)
        return;
    if (*length > MinNickLength) {
        m_lengthBox->assign(Conversions::realToText(*length - 1, locale));
        return;
    }
    MessageBox::show(m_messageParent, QStringLiteral("Куда меньше-то!!!"), RefusalTitle,
                     MessageBox::Style::Information);
}
