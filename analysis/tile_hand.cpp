#include "tile_hand.h"

#include <algorithm>

namespace zelkon {

namespace {

// One bit per hand of 2, 5, 8, 11 or 14 tiles that splits into a pair and melds. The sizes never
// share a key, so one table serves them all: the quiz's waits, the short hands, and the smallest
// core, which asks it thousands of times a hand.
class RegularHands {
public:
    // Built from the parts rather than by testing every hand: melds go on one at a time, a <= b
    // <= c <= d so that each multiset comes once, every level's key marked on the way, and a meld
    // that makes a fifth copy ends its branch there. The table is built on the first question,
    // before the first problem shows.
    RegularHands() {
        constexpr std::size_t kMeldKinds = 16;  // triplets of 1..9, then runs from 1..7
        std::array<std::array<std::size_t, 3>, kMeldKinds> melds{};
        std::array<std::uint32_t, kMeldKinds> meldKeys{};
        for (std::size_t n = 1; n <= 9; ++n) {
            melds[n - 1] = {n, n, n};
        }
        for (std::size_t n = 1; n <= 7; ++n) {
            melds[8 + n] = {n, n + 1, n + 2};
        }
        for (std::size_t m = 0; m < kMeldKinds; ++m) {
            for (const std::size_t tile : melds[m]) {
                meldKeys[m] += kCountDigit[tile];
            }
        }
        // Adds meld to counts; false when a number then has more than four copies.
        const auto add = [&melds](TileCounts& counts, std::size_t meld) {
            bool fits = true;
            for (const std::size_t tile : melds[meld]) {
                fits = ++counts[tile] <= 4 && fits;
            }
            return fits;
        };
        // The pair, then up to four melds in kind order, depth first: level k holds the counts
        // and the key of k melds, and the kind it tries next.
        constexpr std::size_t kMelds = 4;
        for (std::size_t pair = kMinTile; pair <= kMaxTile; ++pair) {
            std::array<TileCounts, kMelds + 1> counts{};
            std::array<std::uint32_t, kMelds + 1> keys{};
            std::array<std::size_t, kMelds + 1> next{};
            counts[0][pair] = 2;
            keys[0] = 2 * kCountDigit[pair];
            Set(keys[0]);
            std::size_t level = 0;
            while (true) {
                if (level == kMelds || next[level] == kMeldKinds) {
                    if (level == 0) {
                        break;
                    }
                    --level;
                    continue;
                }
                const std::size_t meld = next[level]++;
                counts[level + 1] = counts[level];
                if (!add(counts[level + 1], meld)) {
                    continue;
                }
                keys[level + 1] = keys[level] + meldKeys[meld];
                Set(keys[level + 1]);
                ++level;
                next[level] = meld;
            }
        }
    }

    bool Contains(std::uint32_t key) const {
        return key < kCountKeys && (m_bits[key / 64] >> (key % 64) & 1) != 0;
    }

private:
    void Set(std::uint32_t key) { m_bits[key / 64] |= std::uint64_t{1} << (key % 64); }

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

TileNumber SevenPairsWait(const TileCounts& counts) {
    int pairs = 0;
    TileNumber single = 0;
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        const int c = counts[static_cast<std::size_t>(n)];
        if (c > 2 || (c == 1 && single != 0)) {
            return 0;
        }
        pairs += c == 2 ? 1 : 0;
        single = c == 1 ? n : single;
    }
    return pairs == 6 ? single : 0;
}

NumberSet WaitsOfCounts(const TileCounts& counts, const TileCounts& judge) {
    const std::int32_t total = TileTotal(counts);
    if (total % 3 != 1 || total > 13 || !HoldsAtMostFour(counts)) {
        return 0;
    }
    const std::uint32_t key = CountsKey(counts);
    const RegularHands& regular = Regular();
    const TileNumber sevenPairs = total == 13 ? SevenPairsWait(counts) : 0;
    NumberSet waits = 0;
    for (TileNumber w = kMinTile; w <= kMaxTile; ++w) {
        const auto slot = static_cast<std::size_t>(w);
        if (judge[slot] >= 4 || counts[slot] >= 4) {
            continue;
        }
        if (w == sevenPairs || regular.Contains(key + kCountDigit[slot])) {
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
