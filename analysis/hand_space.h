// Walks every single-suit hand of N tiles (at most four of each number), ascending by its digits.
#pragma once

#include <array>
#include <cstddef>

#include "problem.h"

namespace zelkon {

template <std::size_t N>
class HandSpace {
public:
    // Fills hand with the next hand in order; false once every hand has been given.
    bool Next(std::array<TileNumber, N>& hand);

private:
    // Copies of each number, 1..9; ascending digit strings mean descending counts, number by
    // number.
    std::array<int, kNumberSlots> m_counts{};
    bool m_started = false;
};

// 93,600 for 13 tiles, 118,800 for 14.
template <std::size_t N>
constexpr long HandSpaceSize();

}  // namespace zelkon

#include "hand_space_impl.h"
