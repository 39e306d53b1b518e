// Hands of one shape family at a chosen size, for drilling a family by its form. At the core's
// size a hand is a form of the family (a shift or mirror of its core; a pair-apart family's
// partial with a pair apart). At every larger size it is a form plus melds that change no wait:
// the hand's waits are the form's, judged with the hand's counts.
//
// Distribution: the form first, uniformly among the family's forms that have such a hand at this
// size, so that every position and mirror (edge forms included) comes as often; then the melds
// uniformly among the multisets of melds that fit it. The first call for a family and size
// counts the fitting multisets of every form (milliseconds at most) and keeps the counts; no call
// is re-entrant.
#pragma once

#include <cstdint>

#include "analysis/shape_family.h"
#include "analysis/tile_hand.h"

namespace zelkon {

// True when hands of tiles tiles (4, 7, 10 or 13) of family exist: tiles is at least the core's
// size and some form takes melds that change no wait. false for an unknown family or size.
bool FamilyHasHand(FamilyIndex family, std::int32_t tiles);

// Fills hand (ascending) with a hand of family of tiles tiles, by Draw() alone: the same draws
// give the same hand. Returns false, hand untouched and nothing drawn, when FamilyHasHand is false.
bool DealFamilyHand(FamilyIndex family, std::int32_t tiles, TileHand& hand);

}  // namespace zelkon
