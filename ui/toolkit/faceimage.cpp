#include "ui/toolkit/faceimage.h"

#include "ui/toolkit/decorationaccessible.h"

#include <QCoreApplication>
#include <QPainter>

namespace {
void installFaceAccessible()
{
    QAccessible::installFactory(&decorationFactory<FaceImage, QAccessible::Graphic>);
}
} // namespace
// Once, as the application starts.
Q_COREAPP_STARTUP_FUNCTION(installFaceAccessible)

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
