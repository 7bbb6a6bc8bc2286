#pragma once

#include <QColor>
#include <QWidget>

// A frame with a caption set into its top edge, drawn flat with a one-pixel
// line. Children are placed from its outer top-left corner. A press on the
// frame is taken here, so it never reaches the window behind it.
class CaptionFrame : public QWidget
{
    Q_OBJECT
public:
    CaptionFrame(const QString &caption, QWidget *parent = nullptr);

    QString caption() const { return m_caption; }
    QFont captionFont() const { return m_captionFont; }
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
    QString m_caption;
    QFont m_captionFont;
    QColor m_captionColor;
};
