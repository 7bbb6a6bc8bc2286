#pragma once

#include <QComboBox>

// A drop-down selector whose text part the user may type into. Once the user
// types, the selector reports no selected item (-1) until an item is picked
// from its list again or the program selects one; Qt alone would keep the old
// index and pick a matching item on Return.
class SlotSelector : public QComboBox
{
    Q_OBJECT
public:
    explicit SlotSelector(QWidget *parent = nullptr);

    // The selected item's 0-based index, -1 when none is selected.
    int listIndex() const;
    void setListIndex(int index);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool m_typedInto = false;
};
