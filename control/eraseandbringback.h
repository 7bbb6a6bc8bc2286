#pragma once

#include "core/nickstore.h"

class GeneratorView;

// Стереть and its way back. Erase empties the list and sets the counter to 0
// at once, keeping what the list held (its chunks, not a copy); bringBack()
// puts that in front of whatever has been listed since and adds its number
// to the counter. What is kept goes at the next erase that finds the list
// holding something: erasing an empty list keeps what an earlier erase took.
class EraseAndBringBack
{
public:
    explicit EraseAndBringBack(GeneratorView &panel);

    void erase();
    // How many entries came back: 0 when none were kept.
    qsizetype bringBack();
    // How many entries bringBack() would bring back.
    qsizetype kept() const { return m_kept.count(); }

private:
    GeneratorView &m_panel;
    NickStore m_kept;
};
