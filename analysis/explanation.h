// Why each number 1 to 9 is, or is not, a wait of a 13-tile hand: the readings behind a wait, the
// shape a fifth copy would complete, and the closest split of a hand that has no reading.
#pragma once

#include <array>
#include <cstdint>

#include "decomposition.h"
#include "problem.h"
#include "tile_hand.h"

namespace zelkon {

enum class Verdict : std::int32_t {
    Wait,       // the 14 tiles have a reading
    FifthCopy,  // the hand holds four of the number already
    NoReading,  // neither four melds and a pair nor seven pairs
};

enum class BlockKind : std::int32_t {
    Pair,
    Triplet,
    Run,
};

// A meld or a pair, named by its lowest tile.
struct Block {
    BlockKind kind;
    TileNumber first;
};

// Four melds and a pair, or seven pairs.
inline constexpr int kMaxBlocks = 7;

// One record of the decomposition, as blocks. Blocks stand in ascending order of their first
// tile; at one number the pair comes first, then triplets, then runs.
struct ExplainedReading {
    std::array<Block, kMaxBlocks> blocks;
    std::int32_t blockCount;
    std::int32_t winningBlock;  // index into blocks of the block the winning tile completes
    WaitShape waitShape;
    std::array<std::int32_t, kPatternCount> patterns;  // slots 0 to 10, as the table reports them
    std::int32_t han;
};

inline constexpr int kMaxSplitBlocks = 5;

// The most records one won hand appends, with a fifth copy in hand or not.
inline constexpr int kMaxExplainedReadings = 32;

struct NumberExplanation {
    Verdict verdict;
    // Wait: every record in table order. FifthCopy: those of the 14 tiles with the fifth copy,
    // none when they are not complete in shape. NoReading: none.
    std::array<ExplainedReading, kMaxExplainedReadings> readings;
    std::int32_t readingCount;
    std::int32_t best;  // the reading the answer box reports, or -1 when there is none
    // Records that differ only in which equal tile plays which role, or in which of two equal
    // blocks the winning tile completes, are one reading to a player (SameReading): the index of
    // each reading's first record, in table order, and the place of best's reading among them.
    std::array<std::int32_t, kMaxExplainedReadings> distinct;
    std::int32_t distinctCount;
    std::int32_t bestDistinct;  // -1 when best is
    // NoReading: the closest split (at most four melds and at most one pair) and what it leaves.
    // Of the splits that leave the fewest tiles, the first in this order: the lowest tile still
    // to place starts a run, else a triplet, else the pair, else it and its equals are left over.
    // Blocks stand as in a reading.
    std::array<Block, kMaxSplitBlocks> split;
    std::int32_t splitCount;
    std::array<TileNumber, 14> leftover;  // ascending
    std::int32_t leftoverCount;
};

// The same runs, triplets and pair (or pairs) and the same wait shape: patterns and han are then
// the same too, since every pattern reads only the blocks and the wait shape.
bool SameReading(const ExplainedReading& a, const ExplainedReading& b);

struct HandExplanation {
    Hand13 hand;             // ascending; a short hand's tiles come first, then 0s
    std::int32_t tileCount;  // 13, or a short hand's 4, 7 or 10
    std::array<NumberExplanation, kNumberSlots> numbers;  // index 0 left empty
};

// hand: 13 tiles 1..9 in any order, no number more than four times. Explains every number 1 to 9.
// The readings of a wait are exactly the records EvaluateWinningHand scores, so best never differs
// from the answer box. Returns false for a hand that breaks the conditions: out.hand is then as
// given and every number is NoReading with nothing in it.
bool ExplainHand(const Hand13& hand, HandExplanation& out);

// As ExplainHand for a hand of 4, 7, 10 or 13 tiles (13 is ExplainHand). A short hand has no
// patterns: its readings come from ShortReadings with han 0, so best is the last record, as equal
// han go to the later record; the closest split takes one meld per three tiles. Returns false for
// any other hand, with every number NoReading and nothing in it.
bool ExplainTiles(const TileHand& hand, HandExplanation& out);

// Number n of hand alone, as ExplainTiles explains it: what a hint shows of one wait.
bool ExplainNumber(const TileHand& hand, TileNumber n, NumberExplanation& out);

}  // namespace zelkon
