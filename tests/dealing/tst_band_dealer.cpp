// Dealing within a band: the kept hand is the first plain hand that fits, so the hands of a band
// come as often, relative to each other, as plain dealing gives them.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

#include "analysis/hand_space.h"
#include "analysis/wait_finder.h"
#include "dealing/band_dealer.h"
#include "dealing/complete_hand_generator.h"
#include "dealing/problem_dealer.h"
#include "draw_sources.h"
#include "support/hand_strings.h"

namespace zelkon::tests {
namespace {

int WaitCountOf(const Problem& problem) {
    return static_cast<int>(WaitsOf(problem).size());
}

std::string BandName(WaitBand band) {
    return std::to_string(band.fewest) + "-" + std::to_string(band.most);
}

TEST(CountWaits, agreesWithFindWaitsOnEveryHand) {
    HandSpace<13> space;
    Hand13 hand{};
    Problem problem{};
    long hands = 0;
    while (space.Next(hand)) {
        FindWaits(hand, problem);
        ASSERT_EQ(CountWaits(hand), WaitCountOf(problem)) << DigitsOf(hand);
        ++hands;
    }
    EXPECT_EQ(hands, 93'600);
}

TEST(CountWaits, handsOutsideTheTilesHaveNoWaits) {
    EXPECT_EQ(CountWaits(Hand13{0, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9}), 0);
    EXPECT_EQ(CountWaits(Hand13{1, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 10}), 0);
    EXPECT_EQ(CountWaits(Hand13Of("1111123456789")), 0);
}

TEST(WaitBand, validBandsRunFromOneToNine) {
    struct Case {
        WaitBand band;
        bool valid;
    };
    for (const Case& c :
         {Case{kAllHands, true}, Case{kBandOneTwo, true}, Case{kBandThreeFour, true},
          Case{kBandFivePlus, true}, Case{{9, 9}, true}, Case{{0, 3}, false}, Case{{5, 2}, false},
          Case{{10, 12}, false}, Case{{1, 10}, false}, Case{{-1, 2}, false}}) {
        EXPECT_EQ(IsValidBand(c.band), c.valid) << BandName(c.band);
    }
}

// Every band a player can choose, and narrower ones only the command line asks for.
const WaitBand kTestedBands[] = {kBandOneTwo, kBandThreeFour, kBandFivePlus,
                                 {2, 2},      {4, 6},         {7, 9}};

TEST(DealProblemInBand, everyProblemHasAWaitCountInItsBand) {
    ScopedSource source(RandomSource{nullptr});
    for (const WaitBand band : kTestedBands) {
        std::srand(20261209);
        std::array<int, kNumberSlots> seen{};
        const int deals = band.fewest >= 7 ? 60 : 600;
        for (int k = 0; k < deals; ++k) {
            Problem problem{};
            DealProblemInBand(problem, band);
            const int waits = WaitCountOf(problem);
            ASSERT_GE(waits, band.fewest) << BandName(band) << " deal " << k;
            ASSERT_LE(waits, band.most) << BandName(band) << " deal " << k;
            Hand13 order = problem.dealOrder;
            std::sort(order.begin(), order.end());
            ASSERT_EQ(order, problem.sortedHand) << BandName(band) << " deal " << k;
            ++seen[static_cast<std::size_t>(waits)];
        }
        // A band is not narrowed by accident: its ends both turn up.
        EXPECT_GT(seen[static_cast<std::size_t>(band.fewest)], 0) << BandName(band);
        EXPECT_GT(seen[static_cast<std::size_t>(std::min(band.most, 8))], 0) << BandName(band);
    }
}

// The logged draws of one band deal, split into the hands it built and rejected.
std::vector<int> replayed;
int ReplayedDraw(int index) {
    return replayed.at(static_cast<std::size_t>(index));
}

Hand13 BuildFrom(const std::vector<int>& draws, std::size_t first) {
    replayed.assign(draws.begin() + static_cast<std::ptrdiff_t>(first),
                    draws.begin() + static_cast<std::ptrdiff_t>(first + kBuildDraws));
    ScopedSource source(ReplayedDraw);
    Hand13 hand{};
    BuildCompleteHand(hand);
    return hand;
}

TEST(DealProblemInBand, keepsTheFirstBuiltHandThatFitsAndShufflesOnlyThat) {
    for (const WaitBand band : kTestedBands) {
        std::vector<int> draws;
        Problem problem{};
        {
            ScopedSource source(RecordedDraw);
            std::srand(static_cast<unsigned>(band.fewest * 10 + band.most));
            DealProblemInBand(problem, band);
            draws = Draws().log;
        }
        ASSERT_EQ(draws.size() % kBuildDraws, static_cast<std::size_t>(kDealOrderDraws))
            << BandName(band);
        const std::size_t built = draws.size() / kBuildDraws;
        for (std::size_t b = 0; b < built; ++b) {
            const Hand13 hand = BuildFrom(draws, b * kBuildDraws);
            Problem alone{};
            FindWaits(hand, alone);
            const int waits = WaitCountOf(alone);
            const bool fits = waits >= band.fewest && waits <= band.most;
            ASSERT_EQ(fits, b + 1 == built)
                << BandName(band) << " hand " << b << " " << DigitsOf(hand) << " waits " << waits;
            if (fits) {
                EXPECT_EQ(hand, problem.sortedHand) << BandName(band);
            }
        }
    }
}

TEST(DealProblemInBand, allHandsDrawsExactlyWhatDealProblemDraws) {
    // Bands that hold 1..9 after narrowing, and empty ones, deal plainly as well.
    for (const WaitBand band : {kAllHands, WaitBand{0, 12}, WaitBand{5, 2}, WaitBand{10, 12}}) {
        for (const unsigned seed : {1U, 12345U, 4294967295U}) {
            std::vector<int> plainDraws;
            std::vector<Problem> plain(40);
            {
                ScopedSource source(RecordedDraw);
                std::srand(seed);
                for (Problem& problem : plain) {
                    DealProblem(problem);
                }
                plainDraws = Draws().log;
            }
            ScopedSource source(RecordedDraw);
            std::srand(seed);
            for (std::size_t k = 0; k < plain.size(); ++k) {
                Problem problem{};
                DealProblemInBand(problem, band);
                ASSERT_EQ(DigitsOf(problem.sortedHand), DigitsOf(plain[k].sortedHand))
                    << BandName(band) << " seed " << seed << " deal " << k;
                ASSERT_EQ(DigitsOf(problem.dealOrder), DigitsOf(plain[k].dealOrder));
                ASSERT_EQ(WaitsOf(problem), WaitsOf(plain[k]));
            }
            EXPECT_EQ(Draws().log, plainDraws) << BandName(band) << " seed " << seed;
        }
    }
}

TEST(DealProblemWhere, aFilterNobodyPassesEndsWithTheLastHandBuilt) {
    ScopedSource source(+[](int) { return 0; });
    int calls = 0;
    Problem problem{};
    DealProblemWhere(
        problem,
        [](const Hand13&, const void* context) {
            ++*static_cast<int*>(const_cast<void*>(context));
            return false;
        },
        &calls, 25);
    EXPECT_EQ(calls, 25);
    EXPECT_EQ(Draws().count, 25 * kBuildDraws + kDealOrderDraws);
    // All-zero draws build the same hand every time.
    EXPECT_EQ(DigitsOf(problem.sortedHand), "1233444555667");
    EXPECT_EQ(WaitsOf(problem), "147");
}

TEST(DealProblemWhere, noTriesAtAllStillDealsOneHand) {
    ScopedSource source(+[](int) { return 0; });
    Problem problem{};
    DealProblemWhere(
        problem, [](const Hand13&, const void*) { return false; }, nullptr, 0);
    EXPECT_EQ(Draws().count, kDealDraws);
    EXPECT_EQ(DigitsOf(problem.sortedHand), "1233444555667");
}

TEST(DealProblemWhere, theFilterSeesEachBuiltHandAscending) {
    ScopedSource source(RandomSource{nullptr});
    std::srand(5);
    std::vector<Hand13> seen;
    Problem problem{};
    // Keeps the first hand that holds four of a number.
    DealProblemWhere(
        problem,
        [](const Hand13& hand, const void* context) {
            static_cast<std::vector<Hand13>*>(const_cast<void*>(context))->push_back(hand);
            for (std::size_t i = 0; i + 3 < hand.size(); ++i) {
                if (hand[i] == hand[i + 3]) {
                    return true;
                }
            }
            return false;
        },
        &seen);
    ASSERT_FALSE(seen.empty());
    for (const Hand13& hand : seen) {
        EXPECT_TRUE(std::is_sorted(hand.begin(), hand.end())) << DigitsOf(hand);
    }
    EXPECT_EQ(seen.back(), problem.sortedHand);
}

// Two samples of wait sets, one from plain dealing kept to the band and one from the band dealer,
// compared by Pearson's chi-square test of homogeneity. Sets expected fewer than five times are
// pooled. Both seeds are fixed, so the outcome is too; a sampler that favoured some hands of a band
// (say, every distinct hand alike, or a hand rebuilt from the rejected one) lands far beyond the
// bound, which a correct one exceeds with a chance of about 1 in 1,000.
double ChiSquareBound(int degrees) {
    // Wilson-Hilferty: the 0.999 quantile of chi-square with the given degrees of freedom.
    const double k = degrees;
    const double z = 3.090;
    const double c = 1.0 - 2.0 / (9.0 * k) + z * std::sqrt(2.0 / (9.0 * k));
    return k * c * c * c;
}

TEST(DealProblemInBand, handsComeAsOftenAsInPlainDealingKeptToTheBand) {
    ScopedSource source(RandomSource{nullptr});
    constexpr int kPlainHands = 24'000;
    std::vector<std::string> plainSets;
    std::srand(31);
    for (int k = 0; k < kPlainHands; ++k) {
        Hand13 hand{};
        BuildCompleteHand(hand);
        Problem problem{};
        FindWaits(hand, problem);
        plainSets.push_back(WaitsOf(problem));
    }
    for (const WaitBand band : {kBandOneTwo, kBandThreeFour, kBandFivePlus}) {
        std::map<std::string, std::array<double, 2>> tally;
        double plainInBand = 0;
        for (const std::string& waits : plainSets) {
            const auto n = static_cast<int>(waits.size());
            if (n >= band.fewest && n <= band.most) {
                ++tally[waits][0];
                ++plainInBand;
            }
        }
        constexpr int kBandDeals = 2'500;
        std::srand(97);
        for (int k = 0; k < kBandDeals; ++k) {
            Problem problem{};
            DealProblemInBand(problem, band);
            ++tally[WaitsOf(problem)][1];
        }
        // Pool the rare sets so that every cell expects at least five of each sample.
        std::vector<std::array<double, 2>> cells;
        std::array<double, 2> pooled{};
        const double total = plainInBand + kBandDeals;
        for (const auto& [waits, counts] : tally) {
            const double both = counts[0] + counts[1];
            if (both * kBandDeals / total < 5) {
                pooled[0] += counts[0];
                pooled[1] += counts[1];
            } else {
                cells.push_back(counts);
            }
        }
        cells.push_back(pooled);
        const std::array<double, 2> sizes{plainInBand, kBandDeals};
        double statistic = 0;
        for (const auto& counts : cells) {
            const double both = counts[0] + counts[1];
            for (std::size_t s = 0; s < 2; ++s) {
                const double expected = both * sizes[s] / total;
                if (expected > 0) {
                    statistic += (counts[s] - expected) * (counts[s] - expected) / expected;
                }
            }
        }
        const int degrees = static_cast<int>(cells.size()) - 1;
        ASSERT_GE(degrees, 5) << BandName(band);
        EXPECT_LT(statistic, ChiSquareBound(degrees))
            << BandName(band) << ": " << cells.size() << " wait sets";
    }
}

}  // namespace
}  // namespace zelkon::tests
