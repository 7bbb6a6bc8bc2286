#pragma once

class QWidget;
class TextBox;

// The nick length in its box, moved one step at a time between 2 and 10.
// A step past either bound is refused with a message; a step onto a bound
// is silent.
class NickLength
{
public:
    NickLength(TextBox *lengthBox, QWidget *messageParent);

    void up();
    void down();

private:
    TextBox *m_lengthBox;
    QWidget *m_messageParent;
};
