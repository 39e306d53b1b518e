// Hands of any size the trainer deals: 3n+1 tiles waiting (4, 7, 10, 13) or 3n+2 won, worked
// on copies per number. FindWaits takes a 13-tile hand's candidate waits from here and scores
// them; the short hands, the smallest core and the hints use these alone.
#pragma once

#include <array>
#include <cstdint>

#include "problem.h"
#include "tile_counts.h"

namespace zelkon {

inline constexpr int kMaxHandTiles = 14;

// Tiles ascending; entries from count on are 0.
struct TileHand {
    std::array<TileNumber, kMaxHandTiles> tiles{};
    std::int32_t count = 0;
};

// The sizes of a hand that waits: 4, 7, 10 and 13 tiles.
constexpr bool IsWaitingSize(std::int32_t tiles) {
    return tiles == 4 || tiles == 7 || tiles == 10 || tiles == 13;
}

// The sizes of a won hand: one more than a waiting size.
constexpr bool IsWonSize(std::int32_t tiles) {
    return IsWaitingSize(tiles - 1);
}

// Fills counts (every other slot 0) and returns true when every tile is 1..9, no number is held
// more than four times and count is 0..14; else returns false, counts then meaning nothing.
bool CountTiles(const TileHand& hand, TileCounts& counts);

// The hand of counts, ascending. Counts must total at most 14.
TileHand TileHandOf(const TileCounts& counts);

// A 13-tile hand as it stands, in its own order.
TileHand TileHandOf(const Hand13& hand);

std::int32_t TileTotal(const TileCounts& counts);

// True when counts (3n+2 tiles, n = 0..4, at most four of a number) split into n melds and a
// pair, or, at 14 tiles only, into seven different pairs. Other totals are never complete.
bool IsCompleteCounts(const TileCounts& counts);

// The waits of counts (3n+1 tiles, n = 0..4): w is a wait when judge holds fewer than four w and
// counts plus w is complete. judge is the whole hand whose counts decide the fourth copy; pass
// counts itself for a hand on its own. Counts of another size give 0.
NumberSet WaitsOfCounts(const TileCounts& counts, const TileCounts& judge);

// The second copy of the single beside six different pairs, the one wait of seven pairs; 0 for
// any other counts.
TileNumber SevenPairsWait(const TileCounts& counts);

inline NumberSet WaitsOfCounts(const TileCounts& counts) {
    return WaitsOfCounts(counts, counts);
}

// As WaitsOfCounts but counts plus w must split into melds alone, no pair: the waits of a part
// whose pair stands elsewhere (a triplet read as the pair leaves such a part).
NumberSet MeldOnlyWaitsOfCounts(const TileCounts& counts, const TileCounts& judge);

}  // namespace zelkon
