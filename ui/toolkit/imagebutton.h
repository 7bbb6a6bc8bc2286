#pragma once

#include <QAbstractButton>

class FaceImage;

// A button made of two pictures at one place: the normal face at rest and
// the pressed face while it is held. A press with any mouse button shows the
// pressed face; the release runs the action (activated()) wherever the
// pointer is by then, and only afterwards brings the normal face back, so a
// message the action shows appears over the pressed face.
//
// The faces are children that let the mouse through, and this widget, which
// takes the press, is never hidden: Qt drops the release of a press whose
// widget was hidden in between.
//
// Being a QAbstractButton gives it the push-button role and the press action
// for screen readers, and its shortcut: both go through click() or
// animateClick(), which this button turns into the same press and release a
// mouse makes.
class ImageButton : public QAbstractButton
{
    Q_OBJECT
public:
    ImageButton(const QString &normalName, const QString &normalResource, const QString &pressedName,
                const QString &pressedResource, QWidget *parent);

    // Back to the normal face, without running the action.
    void rest();

Q_SIGNALS:
    // The button was released after a press: run its action.
    void activated();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void press();
    void release();

    FaceImage *m_normal;
    FaceImage *m_pressed;
    bool m_held = false;
};
