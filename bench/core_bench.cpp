// Hot paths of the core: every hand's waits and explanation, one evaluation, one deal, deals
// within a band.
#include <benchmark/benchmark.h>
#include <cstdlib>

#include "analysis/explanation.h"
#include "analysis/hand_space.h"
#include "analysis/pattern_table.h"
#include "analysis/wait_finder.h"
#include "analysis/wait_shapes.h"
#include "dealing/band_dealer.h"
#include "dealing/problem_dealer.h"
#include "dealing/random_source.h"

namespace {

using namespace zelkon;

void BM_FindWaitsAllHands(benchmark::State& state) {
    Problem problem{};
    for (auto _ : state) {
        HandSpace<13> space;
        Hand13 hand;
        long waits = 0;
        while (space.Next(hand)) {
            FindWaits(hand, problem);
            waits += problem.isWait[1] + problem.isWait[5] + problem.isWait[9];
        }
        benchmark::DoNotOptimize(waits);
    }
    state.SetItemsProcessed(state.iterations() * HandSpaceSize<13>());
}
BENCHMARK(BM_FindWaitsAllHands)->Unit(benchmark::kMillisecond);

// All nine numbers of every hand explained; the goal is under 50 us a hand on average.
void BM_ExplainHandAllHands(benchmark::State& state) {
    static HandExplanation explanation;
    for (auto _ : state) {
        HandSpace<13> space;
        Hand13 hand;
        long readings = 0;
        while (space.Next(hand)) {
            ExplainHand(hand, explanation);
            readings += explanation.numbers[1].readingCount + explanation.numbers[9].leftoverCount;
        }
        benchmark::DoNotOptimize(readings);
    }
    state.SetItemsProcessed(state.iterations() * HandSpaceSize<13>());
    state.counters["per_hand"] = benchmark::Counter(
        static_cast<double>(state.iterations() * HandSpaceSize<13>()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}
BENCHMARK(BM_ExplainHandAllHands)->Unit(benchmark::kMillisecond);

void BM_EvaluateWinningHand(benchmark::State& state) {
    // The most records any hand produces, and a plain hand.
    const Hand14 hands[] = {{4, 4, 4, 4, 5, 5, 6, 6, 7, 7, 7, 7, 8, 9},
                            {1, 1, 2, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 9}};
    const Hand14& hand = hands[state.range(0)];
    std::int32_t result[kPatternCount];
    for (auto _ : state) {
        benchmark::DoNotOptimize(EvaluateWinningHand(hand, 7, result));
    }
}
BENCHMARK(BM_EvaluateWinningHand)->Arg(0)->Arg(1);

void BM_DealProblem(benchmark::State& state) {
    SeedDraws(1);
    Problem problem{};
    for (auto _ : state) {
        DealProblem(problem);
        benchmark::DoNotOptimize(problem);
    }
}
BENCHMARK(BM_DealProblem)->Unit(benchmark::kMicrosecond);

// The menu's bands, then bands only the command line asks for. 1-9 is plain dealing; the others
// pick from a table built on the first call, so a rare band costs what a common one does.
void BM_DealProblemInBand(benchmark::State& state) {
    const WaitBand band{static_cast<std::int32_t>(state.range(0)),
                        static_cast<std::int32_t>(state.range(1))};
    SeedDraws(1);
    Problem problem{};
    for (auto _ : state) {
        DealProblemInBand(problem, band);
        benchmark::DoNotOptimize(problem);
    }
}
BENCHMARK(BM_DealProblemInBand)
    ->Args({1, 9})
    ->Args({1, 2})
    ->Args({3, 4})
    ->Args({5, 9})
    ->Args({6, 9})
    ->Args({7, 9})
    ->Args({9, 9})
    ->Unit(benchmark::kMicrosecond);

// Weak-shape dealing: hands with a wait reached by the shape (0 two-sided ... 4 single).
void BM_DealProblemWhereShape(benchmark::State& state) {
    const auto bit = ShapeBit(static_cast<WaitShape>(state.range(0)));
    const HandFilter reachedBy = [](const Hand13& hand, const void* context) {
        std::array<std::uint8_t, kNumberSlots> shapes{};
        WaitShapesOf(hand, shapes);
        const auto wanted = *static_cast<const std::uint8_t*>(context);
        for (const std::uint8_t s : shapes) {
            if ((s & wanted) != 0) {
                return true;
            }
        }
        return false;
    };
    SeedDraws(1);
    Problem problem{};
    for (auto _ : state) {
        DealProblemWhere(problem, reachedBy, &bit);
        benchmark::DoNotOptimize(problem);
    }
}
BENCHMARK(BM_DealProblemWhereShape)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
