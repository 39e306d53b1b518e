#include "tile_hand.h"

#include <algorithm>

namespace zelkon {

namespace {

// One bit per hand of 2, 5, 8, 11 or 14 tiles that splits into a pair and melds. The sizes never
// share a key, so one table serves them all; the smallest core asks it thousands of times a hand.
class RegularHands {
public:
    RegularHands() {
        constexpr std::size_t kKinds = 16;  // triplets of 1..9, runs from 1..7; 16 means none
        std::array<TileCounts, kKinds + 1> melds{};
        for (std::size_t n = 1; n <= 9; ++n) {
            melds[n - 1][n] = 3;
        }
        for (std::size_t n = 1; n <= 7; ++n) {
            melds[8 + n][n] = melds[8 + n][n + 1] = melds[8 + n][n + 2] = 1;
        }
        // a <= b <= c <= d with "none" last gives every multiset of up to four melds once.
        for (std::size_t pair = kMinTile; pair <= kMaxTile; ++pair) {
            for (std::size_t a = 0; a <= kKinds; ++a) {
                for (std::size_t b = a; b <= kKinds; ++b) {
                    for (std::size_t c = b; c <= kKinds; ++c) {
                        for (std::size_t d = c; d <= kKinds; ++d) {
                            TileCounts counts{};
                            counts[pair] = 2;
                            bool fits = true;
                            for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
                                counts[n] += melds[a][n] + melds[b][n] + melds[c][n] + melds[d][n];
                                fits = fits && counts[n] <= 4;
                            }
                            if (fits) {
                                const std::uint32_t key = CountsKey(counts);
                                m_bits[key / 64] |= std::uint64_t{1} << (key % 64);
                            }
                        }
                    }
                }
            }
        }
    }

    bool Contains(std::uint32_t key) const {
        return key < kCountKeys && (m_bits[key / 64] >> (key % 64) & 1) != 0;
    }

private:
    std::array<std::uint64_t, (kCountKeys + 63) / 64> m_bits{};
};

const RegularHands& Regular() {
    static const RegularHands table;
    return table;
}

bool HoldsAtMostFour(const TileCounts& counts) {
    for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
        if (counts[n] < 0 || counts[n] > 4) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::int32_t TileTotal(const TileCounts& counts) {
    std::int32_t total = 0;
    for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
        total += counts[n];
    }
    return total;
}

bool CountTiles(const TileHand& hand, TileCounts& counts) {
    counts.fill(0);
    if (hand.count < 0 || hand.count > kMaxHandTiles) {
        return false;
    }
    for (std::size_t i = 0; i < static_cast<std::size_t>(hand.count); ++i) {
        const TileNumber tile = hand.tiles[i];
        if (tile < kMinTile || tile > kMaxTile || ++counts[static_cast<std::size_t>(tile)] > 4) {
            return false;
        }
    }
    return true;
}

TileHand TileHandOf(const TileCounts& counts) {
    TileHand hand;
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        for (int c = 0; c < counts[static_cast<std::size_t>(n)] && hand.count < kMaxHandTiles;
             ++c) {
            hand.tiles[static_cast<std::size_t>(hand.count++)] = n;
        }
    }
    return hand;
}

TileHand TileHandOf(const Hand13& hand) {
    TileHand tiles;
    std::copy(hand.begin(), hand.end(), tiles.tiles.begin());
    tiles.count = 13;
    return tiles;
}

bool IsCompleteCounts(const TileCounts& counts) {
    if (!HoldsAtMostFour(counts)) {
        return false;
    }
    const std::int32_t total = TileTotal(counts);
    return total % 3 == 2 &&
           (Regular().Contains(CountsKey(counts)) || (total == 14 && IsSevenPairs(counts)));
}

NumberSet WaitsOfCounts(const TileCounts& counts, const TileCounts& judge) {
    const std::int32_t total = TileTotal(counts);
    if (total % 3 != 1 || total > 13 || !HoldsAtMostFour(counts)) {
        return 0;
    }
    const std::uint32_t key = CountsKey(counts);
    const RegularHands& regular = Regular();
    NumberSet waits = 0;
    for (TileNumber w = kMinTile; w <= kMaxTile; ++w) {
        const auto slot = static_cast<std::size_t>(w);
        if (judge[slot] >= 4 || counts[slot] >= 4) {
            continue;
        }
        bool complete = regular.Contains(key + kCountDigit[slot]);
        if (!complete && total == 13) {
            TileCounts won = counts;
            ++won[slot];
            complete = IsSevenPairs(won);
        }
        if (complete) {
            waits |= NumberBit(w);
        }
    }
    return waits;
}

NumberSet MeldOnlyWaitsOfCounts(const TileCounts& counts, const TileCounts& judge) {
    if (TileTotal(counts) % 3 != 2 || !HoldsAtMostFour(counts)) {
        return 0;
    }
    NumberSet waits = 0;
    for (TileNumber w = kMinTile; w <= kMaxTile; ++w) {
        const auto slot = static_cast<std::size_t>(w);
        if (judge[slot] >= 4 || counts[slot] >= 4) {
            continue;
        }
        TileCounts won = counts;
        ++won[slot];
        if (SplitsIntoMelds(won)) {
            waits |= NumberBit(w);
        }
    }
    return waits;
}

}  // namespace zelkon
