#include "ui/toolkit/outlineshape.h"

#include "ui/common/look.h"

#include <QPainter>

#include <algorithm>

OutlineShape::OutlineShape(Kind kind, QWidget *parent) : QWidget(parent), m_kind(kind)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

OutlineShape *OutlineShape::line(int x1, int y1, int x2, int y2, QWidget *parent)
{
    auto *shape = new OutlineShape(Kind::Line, parent);
    const int left = Look::twips(std::min(x1, x2));
    const int top = Look::twips(std::min(y1, y2));
    // A line covers both of its end pixels.
    shape->setGeometry(left, top, Look::twips(std::max(x1, x2)) - left + 1,
                       Look::twips(std::max(y1, y2)) - top + 1);
    return shape;
}

OutlineShape *OutlineShape::rectangle(int left, int top, int width, int height, QWidget *parent)
{
    auto *shape = new OutlineShape(Kind::Rectangle, parent);
    shape->setGeometry(Look::twipsRect(left, top, width, height));
    return shape;
}

void OutlineShape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(Look::windowText());
    if (m_kind == Kind::Rectangle)
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    else
        painter.fillRect(rect(), Look::windowText());
}
