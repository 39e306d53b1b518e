// A typed hand's fault in words, one phrase table per language, so that the window, the page and
// the command line name a fault alike.
#pragma once

#include "hand_notation.h"
#include "phrase_text.h"
#include "vocabulary.h"

namespace zelkon {

// %1..%4 stand for what a phrase is filled with, in that order. A pair of phrases holds the one
// for a single size first, then the one for a choice of sizes.
struct HandFaultPhrases {
    std::array<const char*, 2> empty;  // %1 the sizes
    const char* zeroDigit;             // %1 the position
    const char* capitalSuit;           // %1 the position, %2 the character
    const char* wideDigit;             // %1 the position, %2 the character
    const char* notATile;              // %1 the position, %2 the character
    const char* strayByte;             // %1 the position
    const char* digitAfterSuit;        // %1 the suit letter's position, %2 the letter
    const char* twoSuits;  // %1 the first letter's position, %2 the letter, %3 and %4 the second
    std::array<const char*, 2> tileCount;  // %1 the count, %2 the sizes
    const char* oneTile;                   // tileCount's first for a single tile: %2 the sizes
    const char* fifthCopy;                 // %1 the number, %2 the count
    const char* unreadable;                // a fault of no known code
    const char* position;                  // %1 the character's place, counted from 1
    const char* quoted;                    // %1 a visible character
    const char* space;
    const char* wideSpace;
    const char* sizeSeparator;  // between sizes
    const char* lastSizes;      // %1 the sizes before the last, %2 the last
};

const HandFaultPhrases& HandFaultPhrasesFor(Language language);

using HandFaultText = PhraseText<256>;

// The fault's sentence; empty for HandFault::None. allowed: the sizes the reader that found the
// fault takes, as named to the player (at least one).
HandFaultText HandFaultWords(const HandNotationFault& fault, HandSizes allowed,
                             Language language = Language::Japanese);

// The character a fault points at as a sentence shows it: 「c」, or an invisible one
// (IsInvisibleCharacter) by its name or its code U+XXXX, so that none hides or reorders the text.
HandFaultText ShownCharacter(char32_t code, Language language = Language::Japanese);

}  // namespace zelkon
