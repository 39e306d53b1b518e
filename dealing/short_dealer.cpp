#include "short_dealer.h"

#include "analysis/short_readings.h"
#include "complete_hand_generator.h"
#include "random_source.h"

namespace zelkon {

bool EnterShortProblem(const TileHand& hand, ShortProblem& problem) {
    TileCounts counts{};
    if (hand.count == 13 || !IsWaitingSize(hand.count) || !CountTiles(hand, counts)) {
        return false;
    }
    problem.sortedHand = TileHandOf(counts);
    problem.dealOrder = hand;
    WaitShapesOfHand(problem.sortedHand, problem.waitShapes);
    for (std::size_t n = 0; n < problem.isWait.size(); ++n) {
        problem.isWait[n] = problem.waitShapes[n] != 0 ? 1 : 0;
    }
    return true;
}

bool FillShortProblem(const TileHand& hand, ShortProblem& problem) {
    if (!EnterShortProblem(hand, problem)) {
        return false;
    }
    problem.dealOrder = problem.sortedHand;
    const auto size = static_cast<std::size_t>(hand.count);
    for (int pass = 0; pass < kShortDealOrderPasses; ++pass) {
        for (std::size_t i = 0; i < size; ++i) {
            const auto r = static_cast<std::size_t>(Draw() % hand.count);
            std::swap(problem.dealOrder.tiles[i], problem.dealOrder.tiles[r]);
        }
    }
    return true;
}

bool DealShortProblem(std::int32_t tiles, ShortProblem& problem) {
    TileHand hand;
    return BuildShortCompleteHand(tiles, hand) && FillShortProblem(hand, problem);
}

}  // namespace zelkon
