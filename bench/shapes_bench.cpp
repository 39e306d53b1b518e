// Short hands, families and hints: a family deal at each size, the smallest core and the six
// hints of a hand. Goals: a deal under 50 us, a smallest core under 50 us a hand, all six hints of
// a 13-tile hand under 100 us.
#include <benchmark/benchmark.h>
#include <vector>

#include "analysis/hand_space.h"
#include "analysis/hint_text.h"
#include "analysis/hints.h"
#include "analysis/smallest_core.h"
#include "dealing/family_dealer.h"
#include "dealing/random_source.h"

namespace {

using namespace zelkon;

// Every family that has hands of the size, in turn; the tables each builds once are built first.
void BM_FamilyDeal(benchmark::State& state) {
    const auto tiles = static_cast<std::int32_t>(state.range(0));
    std::vector<FamilyIndex> families;
    for (FamilyIndex f = 0; f < kFamilyCount; ++f) {
        if (FamilyHasHand(f, tiles)) {
            families.push_back(f);
        }
    }
    SeedDraws(1);
    TileHand hand;
    std::size_t next = 0;
    for (auto _ : state) {
        DealFamilyHand(families[next], tiles, hand);
        benchmark::DoNotOptimize(hand);
        next = next + 1 == families.size() ? 0 : next + 1;
    }
}
BENCHMARK(BM_FamilyDeal)->Arg(4)->Arg(7)->Arg(10)->Arg(13)->Unit(benchmark::kMicrosecond);

// The hardest family: a lone tile with four melds that change no wait.
void BM_FamilyDealLoneTileAt13(benchmark::State& state) {
    const FamilyIndex tanki = FamilyIndexOf("tanki");
    FamilyHasHand(tanki, 13);
    SeedDraws(1);
    TileHand hand;
    for (auto _ : state) {
        DealFamilyHand(tanki, 13, hand);
        benchmark::DoNotOptimize(hand);
    }
}
BENCHMARK(BM_FamilyDealLoneTileAt13)->Unit(benchmark::kMicrosecond);

std::vector<TileCounts> EveryHand13() {
    std::vector<TileCounts> hands;
    HandSpace<13> space;
    Hand13 hand{};
    while (space.Next(hand)) {
        TileCounts counts{};
        for (const TileNumber t : hand) {
            ++counts[static_cast<std::size_t>(t)];
        }
        hands.push_back(counts);
    }
    return hands;
}

void PerHand(benchmark::State& state, std::size_t hands) {
    state.counters["per_hand"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * static_cast<double>(hands),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}

void BM_SmallestCoreAllHands(benchmark::State& state) {
    static const std::vector<TileCounts> hands = EveryHand13();
    SmallestCore core;
    for (auto _ : state) {
        long size = 0;
        for (const TileCounts& hand : hands) {
            FindSmallestCore(hand, core);
            size += core.coreSize;
        }
        benchmark::DoNotOptimize(size);
    }
    PerHand(state, hands.size());
}
BENCHMARK(BM_SmallestCoreAllHands)->Unit(benchmark::kMillisecond)->Iterations(1);

// Every hint computed and worded, for every 13-tile hand.
void BM_AllSixHintsAllHands(benchmark::State& state) {
    static const std::vector<TileCounts> hands = EveryHand13();
    Hints hints;
    for (auto _ : state) {
        long length = 0;
        for (const TileCounts& hand : hands) {
            ComputeHints(TileHandOf(hand), hints);
            for (int level = 1; level <= kHintCount; ++level) {
                length += HintWords(hints, level).length;
            }
        }
        benchmark::DoNotOptimize(length);
    }
    PerHand(state, hands.size());
}
BENCHMARK(BM_AllSixHintsAllHands)->Unit(benchmark::kMillisecond)->Iterations(1);

// The slowest hands for the core: the most meld sets to try.
void BM_SmallestCoreHardHand(benchmark::State& state) {
    TileCounts hand{};
    for (const char c : {'1', '1', '2', '2', '3', '3', '4', '4', '5', '5', '6', '6', '7'}) {
        ++hand[static_cast<std::size_t>(c - '0')];
    }
    SmallestCore core;
    for (auto _ : state) {
        FindSmallestCore(hand, core);
        benchmark::DoNotOptimize(core);
    }
}
BENCHMARK(BM_SmallestCoreHardHand)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
