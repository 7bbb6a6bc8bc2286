#pragma once

#include <QSvgRenderer>
#include <QWidget>

// One face of an image button, drawn from its vector picture at whatever
// scale the screen has. It takes no mouse events: the button under it does.
class FaceImage : public QWidget
{
    Q_OBJECT
public:
    FaceImage(const QString &resource, QWidget *parent);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QSvgRenderer m_renderer;
};
