#pragma once

#include <QtGlobal>

class GeneratorView;
class NickList;

// Стереть and its way back. Erase empties the list and sets the counter to 0
// at once; the list keeps what it held (its chunks, not a copy), and
// bringBack() puts that in front of whatever has been listed since and adds
// its number to the counter. What is kept goes at the next erase that finds
// the list holding something: erasing an empty list keeps what an earlier
// erase took.
class EraseAndBringBack
{
public:
    EraseAndBringBack(GeneratorView &panel, NickList &list);

    void erase();
    // How many entries came back: 0 when none were kept.
    qsizetype bringBack();

private:
    GeneratorView &m_panel;
    NickList &m_list;
};
