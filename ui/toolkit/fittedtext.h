#pragma once

#include <QFont>
#include <QLabel>

#include <functional>

// The windows keep the boxes of their Russian layout; a translation longer
// than its box is set in a smaller font rather than cut. Text that fits is
// left in the font it was given.
namespace FittedText {

// The largest of the font, set in pixels, and its smaller sizes down to a
// legible 7 pixels for which fits() holds; 7 pixels when none does.
QFont shrunk(QFont font, const std::function<bool(const QFont &)> &fits);

// Sets the label's font as small as its text needs, to fit its box: on one
// line in its width, or wrapped in its height.
void fit(QLabel &label);

} // namespace FittedText

// A label that fits its text to its box as it is shown.
class FittedLabel : public QLabel
{
public:
    using QLabel::QLabel;

protected:
    void showEvent(QShowEvent *event) override;
};
