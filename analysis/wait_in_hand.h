// The wait as it stands in the 13 tiles, for a player who asks "where in my hand is it?": the
// tiles of the winning block without the winning tile (beside the other pair, for a dual-pair
// wait) and the numbers that complete them.
#pragma once

#include <array>
#include <cstdint>

#include "explanation.h"
#include "problem.h"

namespace zelkon {

struct WaitInHand {
    // One group, or two for a dual-pair wait (the lower number first).
    std::array<std::array<TileNumber, 2>, 2> groups{};
    std::array<std::int32_t, 2> groupSizes{};
    std::int32_t groupCount = 0;
    // Ascending: one number for a closed or single wait, up to two for a two-sided or edge run,
    // the two pairs' numbers for a dual-pair wait.
    std::array<TileNumber, 2> on{};
    std::int32_t onCount = 0;
};

// reading: one of the readings ExplainHand gives for winning; its winning block must be set.
WaitInHand WaitInHandOf(const ExplainedReading& reading, TileNumber winning);

}  // namespace zelkon
