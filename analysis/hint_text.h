// The hints in words. Every word comes from a phrase table, one per language, so that a
// translation supplies a table and nothing else.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "hints.h"
#include "phrase_text.h"
#include "shape_family.h"
#include "vocabulary.h"

namespace zelkon {

// %1, %2 and %3 stand for what a phrase is filled with, in that order.
struct HintPhrases {
    const char* waitCount;      // 1: %1 the number of waits
    const char* noWait;         // 1, 5, 6 for a hand that waits on nothing
    const char* setAside;       // 2: %1 the melds, %2 the core
    const char* nothingAside;   // 2
    const char* meldSeparator;  // between melds, shapes and lines in one phrase
    const char* family;         // 3: %1 the family's name
    const char* unnamed;        // 3: %1 the core's tiles
    const char* withEdge;       // 3: %1 the phrase above, %2 the edge phrase
    const char* edge;           // 3: %1 the waits lost off the end
    const char* bothWays;       // 4: %1 the number, %2 and %3 the counts as meld and as pair
    const char* itemSeparator;  // 4: between the triplets
    const char* oddLines;       // 4: %1 the lines
    const char* evenLines;      // 4: %1 the lines, for 4 and 10 tiles
    const char* coreShapes;     // 4: %1 the shapes
    const char* shape;          // 4: %1 a wait shape's name
    const char* waitLines;      // 5: %1 the lines
    const char* shownWait;      // 6: %1 the wait, %2 the reading, %3 its shape
    std::array<const char*, 5> shapeNames;              // in WaitShape order
    std::array<const char*, kFamilyCount> familyNames;  // in catalogue order
    const char* coreLine;  // hints 2 and 3 as one line: %1 hint 2, %2 hint 3
};

const HintPhrases& PhrasesFor(Language language);

// The words of one hint: room for the longest, four triplets read both ways.
using HintText = PhraseText<512>;

// Hint level (1 to kHintCount) of hints; empty for any other level.
HintText HintWords(const Hints& hints, int level, Language language = Language::Japanese);

// The smallest core and its family as the explanation shows them after the answer: hints 2 and 3
// on one line, or hint 3 alone when nothing is set aside.
HintText CoreWords(const Hints& hints, Language language = Language::Japanese);

// A reading as the hints and the command line write it: "123 [234] 345 55 789".
HintText ReadingWords(const ExplainedReading& reading);

}  // namespace zelkon
