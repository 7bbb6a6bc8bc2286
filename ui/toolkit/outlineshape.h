#pragma once

#include <QWidget>

// A one-pixel outline drawn on its container's surface: a straight line or
// a rectangle. It takes no mouse events; a press on it is a press on the
// container.
class OutlineShape : public QWidget
{
    Q_OBJECT
public:
    enum class Kind { Line, Rectangle };

    // A line from (x1, y1) to (x2, y2), in twips of the container.
    static OutlineShape *line(int x1, int y1, int x2, int y2, QWidget *parent);
    // A rectangle outline covering the box, in twips of the container.
    static OutlineShape *rectangle(int left, int top, int width, int height, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    OutlineShape(Kind kind, QWidget *parent);

    Kind m_kind;
};
