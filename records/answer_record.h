// One answered problem as the records keep it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "analysis/problem.h"
#include "analysis/shape_family.h"
#include "analysis/tile_hand.h"
#include "dealing/deal_kind.h"

namespace zelkon {

// Milliseconds since 1970-01-01 00:00 UTC.
using UnixMillis = std::int64_t;

// The times the records work with: years 1 to 9999. A time outside (a hand-edited file) is read
// as the nearest inside, so that no sum of a time and a day or a zone's offset can overflow.
inline constexpr UnixMillis kEarliestMillis = -62'135'596'800'000;  // 0001-01-01 00:00 UTC
inline constexpr UnixMillis kLatestMillis = 253'402'300'799'999;    // 9999-12-31 23:59:59.999
constexpr UnixMillis ClampMillis(UnixMillis at) {
    return at < kEarliestMillis ? kEarliestMillis : at > kLatestMillis ? kLatestMillis : at;
}

// The band in force when the hand was dealt; None for every-hand dealing.
enum class RecordedBand {
    None,         // stored as NULL
    OneToTwo,     // "1-2"
    ThreeToFour,  // "3-4"
    FiveOrMore,   // "5+"
};

struct AnswerRecord {
    UnixMillis answeredAt = 0;
    Hand13 hand{};  // ascending
    SuitKind suit = kSuitManzu;
    DealKind dealt = DealKind::Plain;
    RecordedBand band = RecordedBand::None;
    NumberSet picks = 0;
    NumberSet waits = 0;
    // waitShapes[n]: ShapeBit of every WaitShape by which n completes the hand (WaitShapesOf);
    // 0 where n is no wait.
    std::array<std::uint8_t, kNumberSlots> waitShapes{};
    double seconds = 0;       // from the problem's display to the answer
    bool fullyRight = false;  // the picks as they were: exactly the waits, hints or not
    // 13, or a short hand's 4, 7 or 10 tiles, which then stand in shortHand and not in hand.
    std::int32_t tiles = 13;
    TileHand shortHand{};
    // The family dealt, else the smallest core's; kNoFamily for none.
    FamilyIndex family = kNoFamily;
    std::int32_t hints = 0;  // hints shown before the answer, 0 to kHintCount
};

// Fills waits, waitShapes and fullyRight from the hand (any order; it is stored sorted) and the
// picks. hand: 13 tiles 1..9, no number more than four times.
AnswerRecord MakeAnswerRecord(const Hand13& hand, SuitKind suit, DealKind dealt, RecordedBand band,
                              NumberSet picks, double seconds, UnixMillis answeredAt);

// The same for a hand of 4, 7, 10 or 13 tiles (any order), with the family it was dealt in
// (kNoFamily: the smallest core's is taken) and the hints used. A hand of another size gives a
// record with no waits.
AnswerRecord MakeAnswerRecord(const TileHand& hand, SuitKind suit, DealKind dealt,
                              RecordedBand band, NumberSet picks, double seconds,
                              UnixMillis answeredAt, FamilyIndex dealtFamily, std::int32_t hints);

// The family column of a hand: its smallest core's family, kNoFamily for none.
FamilyIndex CoreFamilyOf(const TileHand& hand);

// The hand column's digits of a record, whatever its size.
std::string RecordHandDigits(const AnswerRecord& record);

// The tiles of a hand kept as the records keep one: hand when tiles is 13, else shortHand.
TileHand StoredTiles(const Hand13& hand, std::int32_t tiles, const TileHand& shortHand);
// And back: stored (4, 7, 10 or 13 tiles) into the three fields.
void SplitStoredTiles(const TileHand& stored, Hand13& hand, std::int32_t& tiles,
                      TileHand& shortHand);
// The tiles' digits in their order, as the hand column holds a short hand.
std::string TileDigits(const TileHand& tiles);

// The current time as the records store it.
UnixMillis NowUnixMillis();

// "1112345678999": the 13 digits ascending, as the hand column holds them (SpellHand, no suit).
std::string HandDigits(const Hand13& hand);
// Ascending digits of a number set, "" for none: the picks and waits columns.
std::string NumberSetText(NumberSet set);

}  // namespace zelkon
