// Problems of 4, 7 or 10 tiles: the short hands that come before the quiz's 13.
#pragma once

#include <array>
#include <cstdint>

#include "analysis/tile_hand.h"

namespace zelkon {

struct ShortProblem {
    TileHand sortedHand;  // ascending
    TileHand dealOrder;   // the same tiles in display order
    std::array<std::uint8_t, kNumberSlots> isWait;
    // ShapeBit of every wait shape of each wait's readings; 0 for a number that is no wait.
    std::array<std::uint8_t, kNumberSlots> waitShapes;
};

inline constexpr int kShortDealOrderPasses = 10;

// hand: 4, 7 or 10 tiles 1..9, at most four of a number. Stores them sorted and shuffled (as
// FillProblem does: kShortDealOrderPasses passes of one draw per tile), then the waits and their
// shapes. Returns false, with no draw, for any other hand.
bool FillShortProblem(const TileHand& hand, ShortProblem& problem);

// As FillShortProblem for a hand a player typed: dealOrder is hand as it stands, and nothing is
// drawn.
bool EnterShortProblem(const TileHand& hand, ShortProblem& problem);

// BuildShortCompleteHand, then FillShortProblem: kBuildDraws + 10 * tiles draws. false for a size
// other than 4, 7 or 10, with no draw.
bool DealShortProblem(std::int32_t tiles, ShortProblem& problem);

}  // namespace zelkon
