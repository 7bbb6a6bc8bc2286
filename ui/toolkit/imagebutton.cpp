#include "ui/toolkit/imagebutton.h"

#include "ui/toolkit/faceimage.h"

#include <QMouseEvent>

ImageButton::ImageButton(const QString &normalName, const QString &normalResource, const QString &pressedName,
                         const QString &pressedResource, QWidget *parent)
    : QAbstractButton(parent), m_normal(new FaceImage(normalResource, this)),
      m_pressed(new FaceImage(pressedResource, this))
{
    setFocusPolicy(Qt::NoFocus);
    m_normal->setObjectName(normalName);
    m_pressed->setObjectName(pressedName);
    m_pressed->hide();
    // Only click() and animateClick() (the key, a screen reader's press)
    // reach these: the mouse handlers below never call QAbstractButton's own.
    connect(this, &QAbstractButton::pressed, this, &ImageButton::press);
    connect(this, &QAbstractButton::clicked, this, &ImageButton::release);
}

void ImageButton::rest()
{
    m_normal->show();
    m_pressed->hide();
}

void ImageButton::press()
{
    // Only the normal face answers a press; while the pressed face is up
    // (a release that never came) the button stays as it is.
    if (m_normal->isHidden())
        return;
    m_held = true;
    m_pressed->show();
    m_normal->hide();
}

void ImageButton::release()
{
    if (!m_held)
        return;
    m_held = false;
    Q_EMIT activated();
    rest();
}

bool ImageButton::event(QEvent *event)
{
    // Each press of the key is one action, at once: QAbstractButton's own
    // animateClick() would fold presses that come within 100 ms into one,
    // and nicks made from the keyboard would be lost.
    if (event->type() == QEvent::Shortcut) {
        click();
        return true;
    }
    return QAbstractButton::event(event);
}

void ImageButton::paintEvent(QPaintEvent *)
{
    // The faces paint the button.
}

void ImageButton::mousePressEvent(QMouseEvent *event)
{
    // Every mouse button presses, not only the left one.
    event->accept();
    press();
}

void ImageButton::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    release();
}

void ImageButton::mouseMoveEvent(QMouseEvent *event)
{
    // While held, the pointer is ours: an ignored move would go on to the
    // frame beneath, whose movement reaction brings the normal face back.
    if (m_held)
        event->accept();
    else
        event->ignore();
}

void ImageButton::resizeEvent(QResizeEvent *)
{
    m_normal->setGeometry(rect());
    m_pressed->setGeometry(rect());
}
