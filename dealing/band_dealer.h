// Problems dealt among the hands that pass a test: a band of wait counts, or any filter. Hands
// come as the plain dealer deals them, kept only when they fit, so each fitting hand is as likely,
// relative to the others, as it is in plain dealing.
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

// Hands dealt before DealProblemWhere gives up and keeps the last one. The rarest wait count
// (nine, about 1 in 6,400 plain deals) misses all of them with a chance near e^-78.
inline constexpr std::int32_t kMaxDealTries = 500'000;

// The number of waits that FindWaits finds for hand (13 tiles, each 1..9), by lookups alone.
std::int32_t CountWaits(const Hand13& hand);

// hand: 13 tiles ascending, as BuildCompleteHand makes them.
using HandFilter = bool (*)(const Hand13& hand, const void* context);

// Builds hands until fits(hand, context) holds, then fills problem from that hand alone: the
// display order is shuffled and the waits found only for it. A filter that no hand passes
// stops after kMaxDealTries hands and keeps the last one, so the caller must not rely on a
// match then. The draws differ from DealProblem's: each rejected hand takes kBuildDraws.
void DealProblemWhere(Problem& problem, HandFilter fits, const void* context);

// DealProblemWhere with a wait count in band. kAllHands (any band that holds 1..9) is exactly
// DealProblem, with its draws; every other band draws differently. An invalid band is narrowed
// to 1..9, and one left empty deals as DealProblem does.
void DealProblemInBand(Problem& problem, WaitBand band);

}  // namespace zelkon
