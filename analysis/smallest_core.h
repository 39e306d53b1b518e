// The smallest core of a hand: what is left once every run and triplet that cannot matter is set
// aside. The waits are judged with the whole hand's counts throughout, so a number the hand holds
// four times stays no wait of the core either.
#pragma once

#include <array>
#include <cstdint>

#include "explanation.h"
#include "shape_family.h"
#include "tile_hand.h"

namespace zelkon {

inline constexpr int kMaxSetAside = 4;

struct SmallestCore {
    TileCounts core{};
    std::int32_t coreSize = 0;
    // Triplets and runs, ascending by their digits; of the ways to split the same tiles into
    // melds, the one that reads first (111 222 333 before 123 123 123).
    std::array<Block, kMaxSetAside> setAside{};
    std::int32_t setAsideCount = 0;
    NumberSet waits = 0;  // the hand's, which are the core's
    FamilyFit family;
};

// hand: counts of 4, 7, 10 or 13 tiles, at most four of a number. Of every way to set aside runs
// and triplets that leaves the waits as they are, the one leaving the fewest tiles; among those
// the core whose family comes first in the catalogue (a named one before none), then the smallest
// digits. A hand with no wait keeps itself whole. Returns false, out untouched, for other counts.
bool FindSmallestCore(const TileCounts& hand, SmallestCore& out);

}  // namespace zelkon
