// Exhaustive checks over every hand of one size. A check returns what is wrong with one hand
// (empty when it is right); the first twenty faults are reported with their hands, enough to
// see the pattern of a broken rule without burying it under thousands of lines.
#pragma once

#include <array>
#include <cstddef>
#include <gtest/gtest.h>
#include <string>

#include "analysis/hand_space.h"
#include "analysis/tile_counts.h"
#include "hand_strings.h"

namespace zelkon::tests {

// Calls check(tiles, counts) for every hand of N tiles in ascending order; returns the number
// of hands visited, so a caller can hold it to HandSpaceSize<N>().
template <std::size_t N, class Check>
long ForEveryHand(Check check) {
    HandSpace<N> space;
    std::array<TileNumber, N> tiles{};
    long hands = 0;
    int faults = 0;
    while (faults < 20 && space.Next(tiles)) {
        ++hands;
        TileCounts counts{};
        for (const TileNumber t : tiles) {
            ++counts[static_cast<std::size_t>(t)];
        }
        const std::string fault = check(tiles, counts);
        if (!fault.empty()) {
            ADD_FAILURE() << DigitsOf(tiles) << ": " << fault;
            ++faults;
        }
    }
    return hands;
}

}  // namespace zelkon::tests
