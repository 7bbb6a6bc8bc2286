#include "ui/toolkit/fittedtext.h"

namespace FittedText {

QFont shrunk(QFont font, const std::function<bool(const QFont &)> &fits)
{
    // The windows' fonts are set in pixels; a point size steps by a quarter.
    const bool pixels = font.pixelSize() > 0;
    while (!fits(font)) {
        if (pixels && font.pixelSize() > 7)
            font.setPixelSize(font.pixelSize() - 1);
        else if (!pixels && font.pointSizeF() > 5.25)
            font.setPointSizeF(font.pointSizeF() - 0.25);
        else
            break;
    }
    return font;
}

void fit(QLabel &label)
{
    // Each size is tried on the label itself, which keeps the last one tried.
    shrunk(label.font(), [&label](const QFont &font) {
        if (font != label.font())
            label.setFont(font);
        return label.wordWrap()
                   ? label.heightForWidth(label.width()) <= label.height()
                   : label.fontMetrics().horizontalAdvance(label.text()) <= label.contentsRect().width();
    });
}

} // namespace FittedText

void FittedLabel::showEvent(QShowEvent *event)
{
    FittedText::fit(*this);
    QLabel::showEvent(event);
}
