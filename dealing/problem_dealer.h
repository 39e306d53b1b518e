// A whole question: the hand sorted and in shuffled display order, with its waits.
#pragma once

#include "analysis/problem.h"
#include "complete_hand_generator.h"

namespace zelkon {

inline constexpr int kDealOrderDraws = 10 * 13;
inline constexpr int kDealDraws = kBuildDraws + kDealOrderDraws;  // 1,982

// hand: 13 tiles ascending. Stores them sorted and shuffled, then finds the waits of the
// sorted tiles. Draws kDealOrderDraws numbers.
void FillProblem(const Hand13& hand, Problem& problem);

// BuildCompleteHand, then FillProblem. Draws kDealDraws numbers.
void DealProblem(Problem& problem);

}  // namespace zelkon
