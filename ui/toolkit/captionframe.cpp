#include "ui/toolkit/captionframe.h"

#include "ui/common/look.h"
#include "ui/toolkit/fittedtext.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
// Where the caption starts in the top edge.
constexpr int CaptionLeft = 7;
} // namespace

CaptionFrame::CaptionFrame(const QString &caption, QWidget *parent)
    : QGroupBox(caption, parent), m_captionFont(Look::dialogFont()), m_captionColor(Look::navy())
{
    Look::paintPanelGrey(this);
    // Otherwise Qt names a frame inside a frame after the outer one.
    setAccessibleName(caption);
}

void CaptionFrame::setCaptionFont(const QFont &font)
{
    m_captionFont = font;
    update();
}

QFont CaptionFrame::captionFont() const
{
    // As far from the right edge as it starts from the left, with its margin.
    const int room = width() - 2 * CaptionLeft - 2;
    return FittedText::shrunk(m_captionFont, [this, room](const QFont &font) {
        return QFontMetrics(font).horizontalAdvance(title()) <= room;
    });
}

void CaptionFrame::setCaptionColor(const QColor &color)
{
    m_captionColor = color;
    update();
}

void CaptionFrame::setReportsPointerMovement(bool reports)
{
    setMouseTracking(reports);
}

void CaptionFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFont font = captionFont();
    const QFontMetrics metrics(font);
    // The top line runs through the middle of the caption.
    const int lineY = metrics.height() / 2;
    painter.setPen(Look::windowText());
    painter.drawRect(QRect(0, lineY, width() - 1, height() - 1 - lineY));

    const QString caption = title();
    if (caption.isEmpty())
        return;
    const QRect captionRect(CaptionLeft, 0, metrics.horizontalAdvance(caption) + 2, metrics.height());
    painter.fillRect(captionRect, Look::panelGrey());
    painter.setFont(font);
    painter.setPen(m_captionColor);
    painter.drawText(captionRect.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, caption);
}

void CaptionFrame::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void CaptionFrame::mouseMoveEvent(QMouseEvent *event)
{
    // Movement over a child reaches us too when the child lets it through;
    // only the frame's own surface counts.
    if (hasMouseTracking() && !childAt(event->position().toPoint()))
        Q_EMIT pointerMovedOverSurface();
    event->accept();
}
