#pragma once

#include <QPushButton>

// A push button that the keyboard clicks with Return or Enter as with Space
// whenever it has the focus, default button or not. Qt's button takes Return
// only as an auto-default button, and the classic style then reserves a
// margin around its face; this one reserves none, so its face fills its
// whole rectangle.
class PushButton : public QPushButton
{
    Q_OBJECT
public:
    PushButton(const QString &text, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
