#pragma once

#include <QColor>
#include <QGroupBox>

// A frame with a caption set into its top edge, drawn flat with a one-pixel
// line. Children are placed from its outer top-left corner. A press on the
// frame is taken here, so it never reaches the window behind it.
// A group box underneath, so screen readers meet a grouping named by its
// caption; the painting is this frame's own.
class CaptionFrame : public QGroupBox
{
    Q_OBJECT
public:
    CaptionFrame(const QString &caption, QWidget *parent = nullptr);

    QString caption() const { return title(); }
    // The font the caption is drawn in: the one set, made smaller where a
    // translation's caption is longer than the frame, so that it shows whole.
    QFont captionFont() const;
    void setCaptionFont(const QFont &font);
    void setCaptionColor(const QColor &color);

    // Report pointer movement over the frame's own surface (not over the
    // controls lying in it) through pointerMovedOverSurface().
    void setReportsPointerMovement(bool reports);

Q_SIGNALS:
    void pointerMovedOverSurface();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QFont m_captionFont;
    QColor m_captionColor;
};
