#include "ui/toolkit/fittedtext.h"

namespace FittedText {

QFont shrunk(QFont font, const std::function<bool(const QFont &)> &fits)
{
    // The windows' fonts are set in pixels (Look::font).
    while (font.pixelSize() > 7 && !fits(font))
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

void fit(QLabel &label)
{
    // Each size is measured on the label itself.
    const QFont fitted = shrunk(label.font(), [&label](const QFont &font) {
        if (font != label.font())
            label.setFont(font);
        return label.wordWrap()
                   ? label.heightForWidth(label.width()) <= label.height()
                   : label.fontMetrics().horizontalAdvance(label.text()) <= label.contentsRect().width();
    });
    if (fitted != label.font())
        label.setFont(fitted);
}

} // namespace FittedText

void FittedLabel::showEvent(QShowEvent *event)
{
    FittedText::fit(*this);
    QLabel::showEvent(event);
}
