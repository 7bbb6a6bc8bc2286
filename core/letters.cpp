#include "core/letters.h"

#include <QtGlobal>

LetterClass letterClassFromListIndex(int listIndex)
{
    // The selectors report their index as a 16-bit number.
    switch (static_cast<qint16>(listIndex)) {
    case 0:
        return LetterClass::Vowel;
    case 1:
        return LetterClass::Consonant;
    default:
        return LetterClass::None;
    }
}
