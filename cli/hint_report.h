// What hint prints: the hints in words for a person, six fixed lines a hand for tools.
#pragma once

#include <string>

#include "hand_notation.h"

namespace zelkon {

// hand: 4, 7, 10 or 13 tiles. Hints 1 to level (1..6), one line each, as the window words them.
std::string hintReport(const HandNotation& hand, int level, Language language = Language::Japanese);

// hand: 4, 7, 10 or 13 tiles. Six lines "HAND<TAB>K<TAB>..." for K = 1 to 6: the number of waits;
// the core and the set-aside melds ("-" for none); the family id ("-"); the fourth hint's words;
// the waits' suji lines ("147 258", "-"); the wait hint 6 shows ("-").
std::string hintLines(const HandNotation& hand);

}  // namespace zelkon
