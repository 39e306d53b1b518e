// The answer of the quiz: which numbers complete a 13-tile hand, with the patterns of each.
#pragma once

#include "problem.h"

namespace zelkon {

// hand: 13 tiles in any order, each 1..9. Writes isWait[1..9] and patterns[n] for every wait n;
// other pattern blocks keep their contents. A number already held four times is never a wait.
void FindWaits(const Hand13& hand, Problem& problem);

// 1 when the 14-tile hand (any order) reads as a pair and four melds or as seven different
// pairs; counts only, no enumeration. Tiles outside 1..9 or five of a number give 0.
int IsCompleteHand(const Hand14& hand);

}  // namespace zelkon
