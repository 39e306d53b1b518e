// What explain prints: the reasons behind each number for a person, and nine fixed lines for tools.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "analysis/explanation.h"
#include "command_line.h"
#include "hand_notation.h"

namespace zelkon {

// Nine lines of "HAND<TAB>N<TAB>KIND<TAB>READINGS<TAB>BEST<TAB>LEFTOVER".
inline constexpr std::size_t kExplainLinesCapacity =
    9 * (13 + 1 + 1 + 1 + 5 + 1 + 2 + 1 + 2 + 1 + 14 + 1);

// Writes the nine lines of explanation (of any size) at out and returns the end; out has
// kExplainLinesCapacity bytes.
char* appendExplainLines(char* out, const HandExplanation& explanation);

// hand has 4, 7, 10 or 13 tiles. Each wait, fifth copy and wrong pick with its verdict, its
// readings (the best first; patterns at 13 tiles only) or its closest split; with picks, each
// number's mark as the window gives it; last, the smallest core and its family.
// Shapes, patterns and families are named in language.
std::string explainReport(const HandNotation& hand, const std::optional<Picks>& picks,
                          Language language = Language::Japanese);

}  // namespace zelkon
