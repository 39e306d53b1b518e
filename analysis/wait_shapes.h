// The wait shapes by which each number completes a hand, for tallies that need no blocks.
#pragma once

#include <array>
#include <cstdint>

#include "decomposition.h"
#include "problem.h"

namespace zelkon {

inline constexpr int kWaitShapeCount = 5;  // WaitShape::TwoSided .. WaitShape::Single

constexpr std::uint8_t ShapeBit(WaitShape shape) {
    return static_cast<std::uint8_t>(1u << static_cast<unsigned>(shape));
}

// shapes[n] has ShapeBit(s) set when some reading of the hand completed by n has wait shape s;
// it is 0 for every number that is no wait (a fifth copy included). hand: 13 tiles in any order.
void WaitShapesOf(const Hand13& hand, std::array<std::uint8_t, kNumberSlots>& shapes);

// True when some wait of the hand is reached by shape: the filter for weak-shape dealing.
bool HasWaitReachedBy(const Hand13& hand, WaitShape shape);

}  // namespace zelkon
