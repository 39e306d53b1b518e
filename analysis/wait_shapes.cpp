#include "wait_shapes.h"

#include <algorithm>

#include "tile_hand.h"
#include "wait_finder.h"

namespace zelkon {

void WaitShapesOf(const Hand13& hand, std::array<std::uint8_t, kNumberSlots>& shapes) {
    shapes.fill(0);
    TileCounts counts{};
    for (const TileNumber tile : hand) {
        if (tile < kMinTile || tile > kMaxTile) {
            return;
        }
        ++counts[static_cast<std::size_t>(tile)];
    }
    // The table's answer is far cheaper than an enumeration, and most numbers complete nothing.
    const NumberSet waits = WaitsOfCounts(counts);
    Hand14 won{};
    DecompositionTable table;
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        if ((waits & NumberBit(n)) == 0) {
            continue;
        }
        std::copy(hand.begin(), hand.end(), won.begin());
        won[13] = n;
        SortHand(won);
        const std::int32_t count = EnumerateDecompositions(won, n, table);
        for (std::int32_t i = 0; i < count; ++i) {
            shapes[static_cast<std::size_t>(n)] |=
                ShapeBit(table[static_cast<std::size_t>(i)].waitShape);
        }
    }
}

bool HasWaitReachedBy(const Hand13& hand, WaitShape shape) {
    std::array<std::uint8_t, kNumberSlots> shapes{};
    WaitShapesOf(hand, shapes);
    for (const std::uint8_t bits : shapes) {
        if ((bits & ShapeBit(shape)) != 0) {
            return true;
        }
    }
    return false;
}

}  // namespace zelkon
