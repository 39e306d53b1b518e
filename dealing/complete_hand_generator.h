// Random complete hands from the shuffled meld pool, one tile dropped.
#pragma once

#include <array>
#include <cstdint>

#include "analysis/problem.h"

namespace zelkon {

inline constexpr int kMeldPoolSize = 37;
inline constexpr int kBuildDraws = 50 * kMeldPoolSize + 2;  // 1,852

// Fills hand with a complete hand less one tile, ascending. Draws exactly kBuildDraws numbers:
// the pool shuffle, then the pair number, then the dropped position.
void BuildCompleteHand(Hand13& hand);

}  // namespace zelkon
