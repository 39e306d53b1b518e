#include "wait_finder.h"

#include <cstdint>

#include "pattern_table.h"
#include "tile_counts.h"

namespace zelkon {

namespace {

// kCountKeys when some number has more than four copies: no such hand exists.
std::uint32_t KeyOf(const TileCounts& counts) {
    for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
        if (counts[n] > 4) {
            return kCountKeys;
        }
    }
    return CountsKey(counts);
}

// One bit per 14-tile hand: complete or not. Filled once; waits are then lookups.
class CompleteHands {
public:
    // Built from the parts rather than by testing all 118,800 hands: a pair and four melds with
    // at most four copies of a number, or seven different pairs. Melds go on one at a time, each
    // level's counts and key kept, and a meld that makes a fifth copy ends its branch there: the
    // table is built on the first question, before the first problem shows.
    CompleteHands() {
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
        for (std::size_t pair = kMinTile; pair <= kMaxTile; ++pair) {
            TileCounts withPair{};
            withPair[pair] = 2;
            const std::uint32_t pairKey = 2 * kCountDigit[pair];
            for (std::size_t a = 0; a < kMeldKinds; ++a) {
                TileCounts one = withPair;
                if (!add(one, a)) {
                    continue;
                }
                for (std::size_t b = a; b < kMeldKinds; ++b) {
                    TileCounts two = one;
                    if (!add(two, b)) {
                        continue;
                    }
                    for (std::size_t c = b; c < kMeldKinds; ++c) {
                        TileCounts three = two;
                        if (!add(three, c)) {
                            continue;
                        }
                        const std::uint32_t key = pairKey + meldKeys[a] + meldKeys[b] + meldKeys[c];
                        for (std::size_t d = c; d < kMeldKinds; ++d) {
                            TileCounts four = three;
                            if (add(four, d)) {
                                Set(key + meldKeys[d]);
                            }
                        }
                    }
                }
            }
        }
        for (std::size_t skipA = kMinTile; skipA <= kMaxTile; ++skipA) {
            for (std::size_t skipB = skipA + 1; skipB <= kMaxTile; ++skipB) {
                TileCounts counts{};
                for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
                    counts[n] = n == skipA || n == skipB ? 0 : 2;
                }
                Insert(counts);
            }
        }
    }

    bool Contains(std::uint32_t key) const {
        return key < kCountKeys && (m_bits[key / 64] >> (key % 64) & 1) != 0;
    }

private:
    void Insert(const TileCounts& counts) {
        const std::uint32_t key = KeyOf(counts);
        if (key < kCountKeys) {
            Set(key);
        }
    }

    void Set(std::uint32_t key) { m_bits[key / 64] |= std::uint64_t{1} << (key % 64); }

    std::array<std::uint64_t, (kCountKeys + 63) / 64> m_bits{};
};

const CompleteHands& Complete() {
    static const CompleteHands table;
    return table;
}

}  // namespace

int IsCompleteHand(const Hand14& hand) {
    TileCounts counts{};
    for (const TileNumber tile : hand) {
        if (tile < kMinTile || tile > kMaxTile) {
            return 0;
        }
        ++counts[static_cast<std::size_t>(tile)];
    }
    return Complete().Contains(KeyOf(counts)) ? 1 : 0;
}

void FindWaits(const Hand13& hand, Problem& problem) {
    TileCounts counts{};
    bool valid = true;
    for (const TileNumber tile : hand) {
        valid = valid && tile >= kMinTile && tile <= kMaxTile;
        if (valid) {
            ++counts[static_cast<std::size_t>(tile)];
        }
    }
    const std::uint32_t key = KeyOf(counts);
    valid = valid && key < kCountKeys;
    const CompleteHands& complete = Complete();
    // Counting sort: the counts are at hand and equal numbers are interchangeable.
    Hand13 sorted{};
    if (valid) {
        std::size_t p = 0;
        for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
            for (int c = 0; c < counts[n]; ++c) {
                sorted[p++] = static_cast<TileNumber>(n);
            }
        }
    }

    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        const auto slot = static_cast<std::size_t>(n);
        problem.isWait[slot] = 0;
        // A fifth copy does not exist; tiles outside 1..9 or five of a kind make no hand.
        if (!valid || counts[slot] >= 4) {
            continue;
        }
        // Most numbers complete nothing; the lookup settles them without enumerating.
        if (!complete.Contains(key + kCountDigit[slot])) {
            continue;
        }

        Hand14 hand14;
        std::size_t p = 0;
        for (; p < sorted.size() && sorted[p] <= n; ++p) {
            hand14[p] = sorted[p];
        }
        hand14[p] = n;
        for (; p < sorted.size(); ++p) {
            hand14[p + 1] = sorted[p];
        }

        std::array<std::int32_t, kPatternCount> result{};
        if (EvaluateWinningHand(hand14, n, result.data()) == 0) {
            continue;
        }
        problem.isWait[slot] = 1;
        for (std::size_t k = 0; k < kPatternCount; ++k) {
            problem.patterns[slot][k] = result[k];
        }
    }
}

}  // namespace zelkon
