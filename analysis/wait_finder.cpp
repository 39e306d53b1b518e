#include "wait_finder.h"

#include <cstdint>

#include "pattern_table.h"
#include "tile_counts.h"
#include "tile_hand.h"

namespace zelkon {

int IsCompleteHand(const Hand14& hand) {
    TileCounts counts{};
    for (const TileNumber tile : hand) {
        if (tile < kMinTile || tile > kMaxTile) {
            return 0;
        }
        ++counts[static_cast<std::size_t>(tile)];
    }
    return IsCompleteCounts(counts) ? 1 : 0;
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
    // Most numbers complete nothing; the table settles them without enumerating. Five of a kind
    // completes nothing.
    const NumberSet completing = valid ? WaitsOfCounts(counts) : 0;
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
        if ((completing & NumberBit(n)) == 0) {
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
