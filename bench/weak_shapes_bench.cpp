// Weak-shape dealing: the share of dealt hands with a wait reached by the chosen shape, against
// that shape's share in plain dealing, and the time of one deal. Shares are counters.
#include <benchmark/benchmark.h>
#include <cstdlib>

#include "analysis/explanation.h"
#include "dealing/band_dealer.h"
#include "dealing/problem_dealer.h"
#include "dealing/random_source.h"
#include "records/weak_shapes.h"

namespace {

using namespace zelkon;

constexpr int kSampleHands = 20'000;

bool Fits(const Hand13& hand, const void* context) {
    return HasWaitReachedBy(hand, *static_cast<const WaitShape*>(context));
}

// Counted over the explanation's readings, not the shape bits the filter reads.
bool ReachedBy(const Hand13& hand, WaitShape shape) {
    static HandExplanation explanation;
    ExplainHand(hand, explanation);
    for (TileNumber n = 1; n <= 9; ++n) {
        const NumberExplanation& number = explanation.numbers[static_cast<std::size_t>(n)];
        if (number.verdict != Verdict::Wait) {
            continue;
        }
        for (int r = 0; r < number.readingCount; ++r) {
            if (number.readings[static_cast<std::size_t>(r)].waitShape == shape) {
                return true;
            }
        }
    }
    return false;
}

void BM_WeakShapeDeal(benchmark::State& state) {
    const auto shape = static_cast<WaitShape>(state.range(0));
    SeedDraws(7);
    Problem problem{};
    int plain = 0;
    for (int i = 0; i < kSampleHands; ++i) {
        DealProblem(problem);
        plain += ReachedBy(problem.sortedHand, shape) ? 1 : 0;
    }
    std::int64_t deals = 0;
    std::int64_t reached = 0;
    for (auto _ : state) {
        DealProblemWhere(problem, &Fits, &shape);
        state.PauseTiming();
        ++deals;
        reached += ReachedBy(problem.sortedHand, shape) ? 1 : 0;
        state.ResumeTiming();
    }
    state.counters["plain_share"] = static_cast<double>(plain) / kSampleHands;
    state.counters["dealt_share"] = static_cast<double>(reached) / static_cast<double>(deals);
}
BENCHMARK(BM_WeakShapeDeal)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
