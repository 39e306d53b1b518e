#include "problem_dealer.h"

#include "analysis/wait_finder.h"
#include "random_source.h"

namespace zelkon {

namespace {

constexpr int kDealOrderPasses = 10;

}  // namespace

void FillProblem(const Hand13& hand, Problem& problem) {
    problem.sortedHand = hand;
    problem.dealOrder = hand;
    for (int pass = 0; pass < kDealOrderPasses; ++pass) {
        for (std::size_t i = 0; i < problem.dealOrder.size(); ++i) {
            const auto r = static_cast<std::size_t>(Draw() % 13);
            std::swap(problem.dealOrder[i], problem.dealOrder[r]);
        }
    }
    FindWaits(hand, problem);
}

void DealProblem(Problem& problem) {
    Hand13 hand;
    BuildCompleteHand(hand);
    FillProblem(hand, problem);
}

}  // namespace zelkon
