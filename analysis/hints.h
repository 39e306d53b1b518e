// The six hints before the answer, as data: the steps a teacher takes through a hand, one per
// press. hint_text.h words them.
#pragma once

#include <array>
#include <cstdint>

#include "explanation.h"
#include "smallest_core.h"
#include "tile_hand.h"

namespace zelkon {

inline constexpr int kHintCount = 6;

// Suji lines as bits: bit 0 the line 1-4-7, bit 1 2-5-8, bit 2 3-6-9.
using SujiLines = std::uint8_t;

constexpr SujiLines LineBit(TileNumber n) {
    return static_cast<SujiLines>(1u << static_cast<unsigned>((n - 1) % 3));
}

// Which of its three forms hint 4 takes.
enum class FourthHint : std::int32_t {
    CoreTriplets,  // the core holds a triplet: each read as a meld and as the pair
    CountLines,    // no number held three times in the hand: the lines whose tile count has the
                   // parity of the waits' lines
    CoreShapes,    // the triplets were set aside, none is in the core: its wait shapes
};

// A number the core holds three or four times, read both ways: as a meld (the waits of the core
// without it) and as the pair plus one tile (the waits that make the rest melds alone).
struct TripletReadings {
    TileNumber number;
    NumberSet asMeld;
    NumberSet asPair;
};

struct Hints {
    TileHand hand;  // ascending
    // 1: how many waits.
    NumberSet waits;
    std::int32_t waitCount;
    // 2 and 3: the melds set aside, the core, its family (or none, with its size) and edge loss.
    SmallestCore core;
    // 4.
    FourthHint fourth;
    std::array<TripletReadings, 4> triplets;  // CoreTriplets, ascending
    std::int32_t tripletCount;
    // CountLines: the lines of an odd tile count at 7 and 13 tiles, of an even count at 4 and 10.
    // Without triplets every meld is a run, which puts one tile on each line; so the waits' lines
    // hold one short of a multiple of two plus the number of melds.
    SujiLines countLines;
    bool evenCount;
    std::uint8_t coreShapes;  // CoreShapes: ShapeBit of each shape of the core's readings
    // 5: the lines the waits stand on.
    SujiLines waitLines;
    // 6: the lowest wait and its best reading, as the explanation gives it; 0 and unset when the
    // hand has no wait.
    TileNumber shownWait;
    ExplainedReading shownReading;
};

// hand: 4, 7, 10 or 13 tiles, at most four of a number, any order. A hand with no wait gets
// waitCount 0, itself as its core and shownWait 0. Returns false for any other hand.
bool ComputeHints(const TileHand& hand, Hints& out);

}  // namespace zelkon
