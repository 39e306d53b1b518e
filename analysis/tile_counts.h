// Completeness on copies per number: the quick answers that spare the enumeration dead pairs.
#pragma once

#include <array>
#include <cstdint>

#include "problem.h"

namespace zelkon {

// Copies per number 1..9; two spare zeros let a run starting at 8 or 9 look past the end.
using TileCounts = std::array<int, kNumberSlots + 2>;

// Copies per number as base-5 digits, number 1 lowest: a dense key for counts of at most four.
inline constexpr std::array<std::uint32_t, kNumberSlots> kCountDigit{
    0, 1, 5, 25, 125, 625, 3125, 15625, 78125, 390625};
inline constexpr std::uint32_t kCountKeys = 5 * kCountDigit[kMaxTile];

// counts: at most four of each number, or the key means nothing.
constexpr std::uint32_t CountsKey(const TileCounts& counts) {
    std::uint32_t key = 0;
    for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
        key += kCountDigit[n] * static_cast<std::uint32_t>(counts[n]);
    }
    return key;
}

constexpr TileCounts CountsOfKey(std::uint32_t key) {
    TileCounts counts{};
    for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
        counts[n] = static_cast<int>(key % 5);
        key /= 5;
    }
    return counts;
}

// The lowest number must open runs or a triplet; its copies mod 3 are runs and the rest
// triplets, so no search is needed.
constexpr bool SplitsIntoMelds(TileCounts counts) {
    for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
        const int runs = counts[n] % 3;
        if (counts[n + 1] < runs || counts[n + 2] < runs) {
            return false;
        }
        counts[n + 1] -= runs;
        counts[n + 2] -= runs;
    }
    return true;
}

// Pair and four melds with the pair on number pair; counts must hold at least two of it.
constexpr bool SplitsAroundPair(TileCounts counts, std::size_t pair) {
    counts[pair] -= 2;
    return SplitsIntoMelds(counts);
}

constexpr bool IsSevenPairs(const TileCounts& counts) {
    int pairs = 0;
    for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
        pairs += counts[n] == 2 ? 1 : 0;
    }
    return pairs == 7;
}

// Every meld sums to 0 mod 3, so the tile sum is twice the pair's number mod 3: only numbers
// congruent to twice the sum can be the pair. Returns the lowest such number.
constexpr std::size_t LowestPossiblePair(const TileCounts& counts) {
    std::size_t sum = 0;
    for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
        sum += n * static_cast<std::size_t>(counts[n]);
    }
    return kMinTile + (2 * sum + 2) % 3;
}

}  // namespace zelkon
