// Random complete hands from the shuffled meld pool, one tile dropped.
#pragma once

#include <array>
#include <cstdint>

#include "analysis/problem.h"
#include "analysis/tile_hand.h"

namespace zelkon {

inline constexpr int kMeldPoolSize = 37;
inline constexpr int kBuildDraws = 50 * kMeldPoolSize + 2;  // 1,852

// Fills hand with a complete hand less one tile, ascending. Draws exactly kBuildDraws numbers:
// the pool shuffle, then the pair number, then the dropped position.
void BuildCompleteHand(Hand13& hand);

// As BuildCompleteHand for a hand of tiles = 4, 7 or 10: (tiles + 2) / 3 - 1 melds and a pair,
// one tile dropped, in kBuildDraws draws. Any other size gets false, an empty hand and no draw.
bool BuildShortCompleteHand(std::int32_t tiles, TileHand& hand);

}  // namespace zelkon
