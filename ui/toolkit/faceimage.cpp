#include "ui/toolkit/faceimage.h"

#include <QPainter>

FaceImage::FaceImage(const QString &resource, QWidget *parent) : QWidget(parent), m_renderer(resource)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

QSize FaceImage::sizeHint() const
{
    return m_renderer.defaultSize();
}

void FaceImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_renderer.render(&painter, QRectF(rect()));
}
