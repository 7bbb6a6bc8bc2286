#pragma once

#include <QWidget>

class FaceImage;

// A button made of two pictures at one place: the normal face at rest and
// the pressed face while it is held. A press with any mouse button shows the
// pressed face; the release runs the action (released()) wherever the pointer
// is by then, and only afterwards brings the normal face back, so a message
// the action shows appears over the pressed face.
//
// The faces are children that let the mouse through, and this widget, which
// takes the press, is never hidden: Qt drops the release of a press whose
// widget was hidden in between.
class ImageButton : public QWidget
{
    Q_OBJECT
public:
    ImageButton(const QString &normalName, const QString &normalResource, const QString &pressedName,
                const QString &pressedResource, QWidget *parent);

    FaceImage *normalFace() const { return m_normal; }
    FaceImage *pressedFace() const { return m_pressed; }

    // Back to the normal face, without running the action.
    void rest();

Q_SIGNALS:
    void released();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    FaceImage *m_normal;
    FaceImage *m_pressed;
    bool m_held = false;
};
