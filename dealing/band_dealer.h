// Problems dealt among the hands that pass a test: a band of wait counts, or any filter. Either
// way each fitting hand is as likely, relative to the others, as it is in plain dealing: the
// distribution of dealing plainly until a hand fits.
#pragma once

#include <cstdint>

#include "analysis/problem.h"

namespace zelkon {

// Problems with fewest to most waits; a valid band has 1 <= fewest <= most <= 9.
struct WaitBand {
    std::int32_t fewest;
    std::int32_t most;
};

inline constexpr WaitBand kAllHands{1, 9};
inline constexpr WaitBand kBandOneTwo{1, 2};
inline constexpr WaitBand kBandThreeFour{3, 4};
inline constexpr WaitBand kBandFivePlus{5, 9};

constexpr bool IsValidBand(WaitBand band) {
    return band.fewest >= 1 && band.fewest <= band.most && band.most <= 9;
}

// Every hand has one to nine waits: such a band rejects nothing and deals plainly.
constexpr bool HoldsAllHands(WaitBand band) {
    return band.fewest <= kAllHands.fewest && band.most >= kAllHands.most;
}

// Hands built before DealProblemWhere gives up and keeps the last one (about 1.5 s of building):
// a filter passed by one plain deal in 1,000 misses them all with a chance near e^-100.
inline constexpr std::int32_t kMaxDealTries = 100'000;

// The number of waits that FindWaits finds for hand (13 tiles, each 1..9), by lookups alone.
std::int32_t CountWaits(const Hand13& hand);

// hand: 13 tiles ascending, as BuildCompleteHand makes them.
using HandFilter = bool (*)(const Hand13& hand, const void* context);

// Builds hands until fits(hand, context) holds, then fills problem from that hand alone: the
// display order is shuffled and the waits found only for it. A filter that no hand passes stops
// after maxTries hands and keeps the last one, so the caller must not rely on a match then. The
// draws differ from DealProblem's: each rejected hand takes kBuildDraws more.
void DealProblemWhere(Problem& problem, HandFilter fits, const void* context,
                      std::int32_t maxTries = kMaxDealTries);

// A problem whose wait count is in band. kAllHands (any band that holds 1..9) is exactly
// DealProblem, with its draws. Every other band draws two numbers that pick a hand from a table
// of the plain dealer's chances, then FillProblem's: so it costs the same for a rare band as for
// a common one, and its draws differ from plain dealing. An invalid band is narrowed to 1..9,
// and one left empty deals as DealProblem does.
void DealProblemInBand(Problem& problem, WaitBand band);

// The share of plain deals whose wait count is in band (narrowed as above), from the same table.
double PlainShare(WaitBand band);

// The chance that a plain deal gives hand (13 tiles in any order); 0 for a hand it never gives.
double PlainChance(const Hand13& hand);

}  // namespace zelkon
