// Dealing within a band: the hands of a band come as often, relative to each other, as plain
// dealing gives them, checked against every order of melds and against plain deals. The filter
// dealer keeps the first plain hand that fits.
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

// Every band a player can choose, and narrower ones only the command line asks for.
const WaitBand kTestedBands[] = {kBandOneTwo, kBandThreeFour, kBandFivePlus, {2, 2},
                                 {4, 6},      {7, 9},         {9, 9}};

TEST(DealProblemInBand, everyProblemHasAWaitCountInItsBand) {
    ScopedSource source(RandomSource{nullptr});
    constexpr int kDeals = 600;
    for (const WaitBand band : kTestedBands) {
        SeedDraws(20261209);
        std::array<int, kNumberSlots> seen{};
        for (int k = 0; k < kDeals; ++k) {
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
        // A band is not narrowed by accident: each count expected ten times turns up.
        for (std::int32_t c = band.fewest; c <= band.most; ++c) {
            if (PlainShare({c, c}) / PlainShare(band) * kDeals >= 10) {
                EXPECT_GT(seen[static_cast<std::size_t>(c)], 0) << BandName(band) << " count " << c;
            }
        }
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

// A band as a filter, read off FindWaits rather than CountWaits.
bool InBand(const Hand13& hand, const void* context) {
    const auto& band = *static_cast<const WaitBand*>(context);
    Problem problem{};
    FindWaits(hand, problem);
    const int waits = WaitCountOf(problem);
    return waits >= band.fewest && waits <= band.most;
}

TEST(DealProblemWhere, keepsTheFirstBuiltHandThatFitsAndShufflesOnlyThat) {
    for (const WaitBand band : {kBandOneTwo, kBandThreeFour, kBandFivePlus, WaitBand{7, 9}}) {
        std::vector<int> draws;
        Problem problem{};
        {
            ScopedSource source(RecordedDraw);
            std::srand(static_cast<unsigned>(band.fewest * 10 + band.most));
            DealProblemWhere(problem, InBand, &band);
            draws = Draws().log;
        }
        ASSERT_EQ(draws.size() % kBuildDraws, static_cast<std::size_t>(kDealOrderDraws))
            << BandName(band);
        const std::size_t built = draws.size() / kBuildDraws;
        for (std::size_t b = 0; b < built; ++b) {
            const Hand13 hand = BuildFrom(draws, b * kBuildDraws);
            ASSERT_EQ(InBand(hand, &band), b + 1 == built)
                << BandName(band) << " hand " << b << " " << DigitsOf(hand);
            if (b + 1 == built) {
                EXPECT_EQ(hand, problem.sortedHand) << BandName(band);
            }
        }
    }
}

TEST(DealProblemInBand, drawsTwoNumbersForTheHandThenTheDisplayOrder) {
    for (const WaitBand band : kTestedBands) {
        ScopedSource source(RecordedDraw);
        std::srand(3);
        Problem problem{};
        DealProblemInBand(problem, band);
        EXPECT_EQ(Draws().count, 2 + kDealOrderDraws) << BandName(band);
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

// What the frequency test tells hands apart by: the waits, and how many numbers the hand holds
// once, twice, three and four times ("147/1245").
std::string KindOf(const Problem& problem) {
    std::array<int, 5> held{};
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        ++held[static_cast<std::size_t>(
            std::count(problem.sortedHand.begin(), problem.sortedHand.end(), n))];
    }
    std::string kind = WaitsOf(problem) + "/";
    for (std::size_t c = 1; c <= 4; ++c) {
        kind += static_cast<char>('0' + held[c]);
    }
    return kind;
}

// The kinds of hands built by the plain generator, from a fixed seed.
const std::vector<std::string>& PlainKinds() {
    static const std::vector<std::string> sets = [] {
        ScopedSource source(RandomSource{nullptr});
        SeedDraws(31);
        std::vector<std::string> built;
        for (int k = 0; k < 24'000; ++k) {
            Hand13 hand{};
            BuildCompleteHand(hand);
            Problem problem{};
            problem.sortedHand = hand;
            FindWaits(hand, problem);
            built.push_back(KindOf(problem));
        }
        return built;
    }();
    return sets;
}

TEST(PlainShare, matchesTheShareOfEachWaitCountInPlainDeals) {
    const auto& sets = PlainKinds();
    const auto total = static_cast<double>(sets.size());
    double sum = 0;
    for (std::int32_t c = 1; c <= 9; ++c) {
        const double share = PlainShare({c, c});
        const auto dealt =
            static_cast<double>(std::count_if(sets.begin(), sets.end(), [c](const std::string& w) {
                return w.find('/') == static_cast<std::size_t>(c);
            }));
        // Four standard deviations of the count, and one deal for the rarest counts.
        const double slack = 4 * std::sqrt(total * share * (1 - share)) + 1;
        EXPECT_NEAR(dealt, total * share, slack) << c << " waits";
        sum += share;
    }
    EXPECT_NEAR(sum, 1.0, 1e-12);
    EXPECT_NEAR(PlainShare(kAllHands), 1.0, 1e-12);
    EXPECT_NEAR(PlainShare(kBandOneTwo) + PlainShare(kBandThreeFour) + PlainShare(kBandFivePlus),
                1.0, 1e-12);
    EXPECT_EQ(PlainShare({5, 2}), 0.0);
}

// The plain generator's chances written out the long way, for every hand: every pair and every
// order of four melds, each next meld equally likely among the pool copies that still fit, then
// each of the fourteen tiles dropped alike. The dealer's table sums orders per set of melds
// instead.
TEST(PlainShare, agreesWithEveryOrderOfMeldsSummedTheLongWay) {
    std::map<int, double> won;  // the chance of each complete hand, by its copies in base 5
    std::map<std::string, double> dealt;  // the chance of each 13-tile hand
    std::array<double, kNumberSlots> shares{};
    struct Meld {
        std::array<int, 3> tiles;
        int copies;
    };
    std::array<Meld, 16> pool{};
    for (int n = 1; n <= 9; ++n) {
        pool[static_cast<std::size_t>(n - 1)] = {{n, n, n}, 1};
    }
    for (int n = 1; n <= 7; ++n) {
        pool[static_cast<std::size_t>(n + 8)] = {{n, n + 1, n + 2}, 4};
    }
    const auto fits = [&](const std::array<int, kNumberSlots>& counts, std::size_t m) {
        std::array<int, kNumberSlots> after = counts;
        for (const int t : pool[m].tiles) {
            ++after[static_cast<std::size_t>(t)];
        }
        return *std::max_element(after.begin(), after.end()) <= 4;
    };
    for (int pair = 1; pair <= 9; ++pair) {
        // One level per meld: the counts, the copies used and the chance so far.
        std::array<std::array<int, kNumberSlots>, 5> counts{};
        std::array<std::array<int, 16>, 5> used{};
        std::array<double, 5> chance{};
        std::array<std::size_t, 5> choice{};
        counts[0] = {};
        counts[0][static_cast<std::size_t>(pair)] = 2;
        chance[0] = 1.0 / 9;
        std::size_t level = 0;
        choice[0] = 0;
        while (true) {
            if (level == 4) {
                int key = 0;
                for (std::size_t n = 9; n >= 1; --n) {
                    key = key * 5 + counts[4][n];
                }
                won[key] += chance[4];
                --level;
                ++choice[level];
                continue;
            }
            if (choice[level] == pool.size()) {
                if (level == 0) {
                    break;
                }
                --level;
                ++choice[level];
                continue;
            }
            const std::size_t m = choice[level];
            int fitting = 0;
            for (std::size_t k = 0; k < pool.size(); ++k) {
                if (fits(counts[level], k)) {
                    fitting += pool[k].copies - used[level][k];
                }
            }
            const int left = pool[m].copies - used[level][m];
            if (!fits(counts[level], m) || left == 0) {
                ++choice[level];
                continue;
            }
            counts[level + 1] = counts[level];
            for (const int t : pool[m].tiles) {
                ++counts[level + 1][static_cast<std::size_t>(t)];
            }
            used[level + 1] = used[level];
            ++used[level + 1][m];
            chance[level + 1] = chance[level] * left / fitting;
            ++level;
            choice[level] = 0;
        }
    }
    for (const auto& [key, share] : won) {
        std::array<int, kNumberSlots> held{};
        for (std::size_t n = 1, rest = static_cast<std::size_t>(key); n <= 9; ++n, rest /= 5) {
            held[n] = static_cast<int>(rest % 5);
        }
        for (std::size_t drop = 1; drop <= 9; ++drop) {
            if (held[drop] == 0) {
                continue;
            }
            Hand13 hand{};
            std::size_t p = 0;
            for (std::size_t n = 1; n <= 9; ++n) {
                for (int c = held[n] - (n == drop ? 1 : 0); c > 0; --c) {
                    hand[p++] = static_cast<TileNumber>(n);
                }
            }
            shares[static_cast<std::size_t>(CountWaits(hand))] += share * held[drop] / 14;
            dealt[DigitsOf(hand)] += share * held[drop] / 14;
        }
    }
    HandSpace<13> space;
    Hand13 hand{};
    double total = 0;
    while (space.Next(hand)) {
        const auto found = dealt.find(DigitsOf(hand));
        const double expected = found == dealt.end() ? 0.0 : found->second;
        ASSERT_NEAR(PlainChance(hand), expected, 1e-15) << DigitsOf(hand);
        total += PlainChance(hand);
    }
    EXPECT_NEAR(total, 1.0, 1e-12);
    EXPECT_EQ(shares[0], 0.0);
    for (std::int32_t c = 1; c <= 9; ++c) {
        EXPECT_NEAR(PlainShare({c, c}), shares[static_cast<std::size_t>(c)], 1e-12)
            << c << " waits";
    }
}

// Two samples of hand kinds, one from plain dealing kept to the band and one from the band dealer,
// compared by Pearson's chi-square test of homogeneity. Kinds expected fewer than five times are
// pooled. Both seeds are fixed, so the outcome is too; a sampler that favoured some hands of a band
// (say, one that counted a set of melds once per set rather than once per order) lands far beyond
// the bound, which a correct one exceeds with a chance of about 1 in 1,000.
double ChiSquareBound(int degrees) {
    // Wilson-Hilferty: the 0.999 quantile of chi-square with the given degrees of freedom.
    const double k = degrees;
    const double z = 3.090;
    const double c = 1.0 - 2.0 / (9.0 * k) + z * std::sqrt(2.0 / (9.0 * k));
    return k * c * c * c;
}

TEST(DealProblemInBand, handsComeAsOftenAsInPlainDealingKeptToTheBand) {
    ScopedSource source(RandomSource{nullptr});
    const std::vector<std::string>& plainKinds = PlainKinds();
    for (const WaitBand band : {kBandOneTwo, kBandThreeFour, kBandFivePlus}) {
        std::map<std::string, std::array<double, 2>> tally;
        double plainInBand = 0;
        for (const std::string& kind : plainKinds) {
            const auto n = static_cast<int>(kind.find('/'));
            if (n >= band.fewest && n <= band.most) {
                ++tally[kind][0];
                ++plainInBand;
            }
        }
        constexpr int kBandDeals = 10'000;
        SeedDraws(97);
        for (int k = 0; k < kBandDeals; ++k) {
            Problem problem{};
            DealProblemInBand(problem, band);
            ++tally[KindOf(problem)][1];
        }
        // Pool the rare kinds so that every cell expects at least five of each sample.
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
            << BandName(band) << ": " << cells.size() << " kinds";
    }
}

}  // namespace
}  // namespace zelkon::tests
