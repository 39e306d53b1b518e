// The readings of short won hands, worked on copies per number: a hand of at most 11 tiles has
// few enough readings that every choice of triplets can simply be tried.
#pragma once

#include <array>
#include <cstdint>

#include "explanation.h"
#include "tile_hand.h"

namespace zelkon {

// Readings of a hand of 3n+2 tiles (n = 0..3, so 2 to 11 tiles) won on winningTile, as the
// explanation shows them: one record per reading and role the winning tile can play in it (in
// TileRole order, as the 13-tile records), readings by pair ascending, then by the numbers read as
// triplets. Blocks stand as in ExplainedReading; patterns and han are 0.
// counts may hold five of winningTile (the fifth copy); returns the records written (at most
// kMaxExplainedReadings), 0 when there is none or the counts are of another size.
std::int32_t ShortReadings(const TileCounts& counts, TileNumber winningTile,
                           std::array<ExplainedReading, kMaxExplainedReadings>& readings);

// shapes[w], for each w of waits: ShapeBit of every shape of the readings of counts plus w (at most
// 10 tiles: a short hand or a core); 0 for the other numbers. The waits are the caller's to judge.
void ShortWaitShapes(const TileCounts& counts, NumberSet waits,
                     std::array<std::uint8_t, kNumberSlots>& shapes);

// shapes[n]: ShapeBit of every wait shape by which n completes the hand, 0 for no wait. hand: 4, 7,
// 10 or 13 tiles (13 gives what WaitShapesOf gives); false and all 0 for any other hand.
bool WaitShapesOfHand(const TileHand& hand, std::array<std::uint8_t, kNumberSlots>& shapes);

}  // namespace zelkon
