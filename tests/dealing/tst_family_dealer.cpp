// Family deals and short deals: every dealt hand is a form of its family with melds that change
// no wait, and the hands come as often as the stated distribution says (a chi-square check on a
// fixed seed, so a failure repeats).
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <string>

#include "analysis/shape_family.h"
#include "analysis/tile_hand.h"
#include "dealing/complete_hand_generator.h"
#include "dealing/family_dealer.h"
#include "dealing/random_source.h"
#include "dealing/short_dealer.h"
#include "draw_sources.h"
#include "support/hand_strings.h"

namespace zelkon::tests {
namespace {

// The forms of family that hand is built on: the form lies in it, the rest splits into melds and
// the hand's waits are the form's, judged with the hand.
int FormsUnder(const TileCounts& hand, FamilyIndex family) {
    FamilyForms forms;
    const std::int32_t count = FormsOfFamily(family, forms);
    int under = 0;
    const NumberSet waits = WaitsOfCounts(hand);
    for (std::int32_t i = 0; i < count; ++i) {
        TileCounts rest = hand;
        bool inside = true;
        for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
            rest[n] -= forms[static_cast<std::size_t>(i)][n];
            inside = inside && rest[n] >= 0;
        }
        if (inside && SplitsIntoMelds(rest) && waits != 0 &&
            WaitsOfCounts(forms[static_cast<std::size_t>(i)], hand) == waits) {
            ++under;
        }
    }
    return under;
}

TEST(FamilyDealer, everyDealtHandIsBuiltOnItsFamilyAtItsSize) {
    SeedDraws(11);
    for (FamilyIndex f = 0; f < kFamilyCount; ++f) {
        for (const std::int32_t tiles : {4, 7, 10, 13}) {
            const bool expected = tiles >= FamilyCoreSize(f);
            ASSERT_EQ(FamilyHasHand(f, tiles), expected)
                << kShapeFamilies[static_cast<std::size_t>(f)].id << " at " << tiles;
            TileHand hand;
            if (!expected) {
                ScopedSource counted(RecordedDraw);
                EXPECT_FALSE(DealFamilyHand(f, tiles, hand));
                EXPECT_EQ(Draws().count, 0);
                continue;
            }
            for (int i = 0; i < 40; ++i) {
                ASSERT_TRUE(DealFamilyHand(f, tiles, hand));
                TileCounts counts{};
                ASSERT_EQ(hand.count, tiles);
                ASSERT_TRUE(CountTiles(hand, counts));
                EXPECT_TRUE(std::is_sorted(hand.tiles.begin(), hand.tiles.begin() + tiles));
                EXPECT_GT(FormsUnder(counts, f), 0)
                    << kShapeFamilies[static_cast<std::size_t>(f)].id << ": " << DigitsOf(hand);
            }
        }
    }
    EXPECT_FALSE(FamilyHasHand(kNoFamily, 13));
    EXPECT_FALSE(FamilyHasHand(kFamilyCount, 13));
    EXPECT_FALSE(FamilyHasHand(0, 5));
}

TEST(FamilyDealer, theSameDrawsDealTheSameHands) {
    const auto deal = [](unsigned seed) {
        SeedDraws(seed);
        std::string sheet;
        TileHand hand;
        for (int i = 0; i < 50; ++i) {
            DealFamilyHand(FamilyIndexOf("tanki"), 13, hand);
            sheet += DigitsOf(hand) + " ";
        }
        return sheet;
    };
    EXPECT_EQ(deal(4), deal(4));
    EXPECT_NE(deal(4), deal(5));
}

// Sum of (seen - expected)^2 / expected, with the degrees of freedom: the cells less one.
struct ChiSquare {
    double value = 0;
    int freedom = -1;
};

ChiSquare Compare(const std::map<std::string, int>& seen, const std::map<std::string, double>& p,
                  int deals) {
    ChiSquare chi;
    for (const auto& [hand, chance] : p) {
        const double expected = chance * deals;
        const auto it = seen.find(hand);
        const double got = it == seen.end() ? 0 : it->second;
        chi.value += (got - expected) * (got - expected) / expected;
        ++chi.freedom;
    }
    return chi;
}

// Far beyond the 99.9th percentile for these freedoms: only a wrong distribution gets there.
double Bound(int freedom) {
    return freedom + 6 * std::sqrt(2.0 * freedom);
}

TEST(FamilyDealer, formsComeEquallyOftenThenEachFittingChoiceOfMelds) {
    // The chance of each hand: a form uniformly among those with hands, then a meld multiset
    // uniformly among those that fit it, summed over the ways to reach the hand.
    for (const auto& [id, tiles] : {std::pair<const char*, int>{"nobetan", 4},
                                    {"aryanmen", 7},
                                    {"tatsumaki", 10},
                                    {"kanchan", 10}}) {
        const FamilyIndex family = FamilyIndexOf(id);
        FamilyForms forms;
        const std::int32_t formCount = FormsOfFamily(family, forms);
        const int melds = (tiles - FamilyCoreSize(family)) / 3;
        std::vector<std::vector<TileCounts>> fitting(static_cast<std::size_t>(formCount));
        for (std::int32_t f = 0; f < formCount; ++f) {
            // Meld kinds 0..15 (triplets of 1..9, runs from 1..7), a <= b: the multisets.
            for (int a = 0; a < (melds >= 1 ? 16 : 1); ++a) {
                for (int b = melds >= 2 ? a : 0; b < (melds >= 2 ? 16 : 1); ++b) {
                    TileCounts hand = forms[static_cast<std::size_t>(f)];
                    for (int k = 0; k < melds; ++k) {
                        const int kind = k == 0 ? a : b;
                        if (kind < 9) {
                            hand[static_cast<std::size_t>(kind + 1)] += 3;
                        } else {
                            for (int d = 0; d < 3; ++d) {
                                ++hand[static_cast<std::size_t>(kind - 8 + d)];
                            }
                        }
                    }
                    if (std::all_of(hand.begin(), hand.end(), [](int c) { return c <= 4; }) &&
                        FormsUnder(hand, family) > 0 &&
                        WaitsOfCounts(forms[static_cast<std::size_t>(f)], hand) ==
                            WaitsOfCounts(hand)) {
                        fitting[static_cast<std::size_t>(f)].push_back(hand);
                    }
                }
            }
        }
        const auto usable = std::count_if(fitting.begin(), fitting.end(),
                                          [](const auto& hands) { return !hands.empty(); });
        std::map<std::string, double> chance;
        for (const auto& hands : fitting) {
            for (const TileCounts& hand : hands) {
                chance[DigitsOf(TileHandOf(hand))] +=
                    1.0 / static_cast<double>(usable) / static_cast<double>(hands.size());
            }
        }
        SeedDraws(2024);
        std::map<std::string, int> seen;
        const int deals = 40 * static_cast<int>(chance.size());
        TileHand hand;
        for (int i = 0; i < deals; ++i) {
            DealFamilyHand(family, tiles, hand);
            ++seen[DigitsOf(hand)];
        }
        for (const auto& [dealt, times] : seen) {
            EXPECT_TRUE(chance.count(dealt) == 1) << id << " dealt " << dealt;
        }
        const ChiSquare chi = Compare(seen, chance, deals);
        EXPECT_LT(chi.value, Bound(chi.freedom)) << id << " at " << tiles;
    }
}

TEST(ShortDealer, aShortDealDrawsAsTheQuizAndKeepsItsTiles) {
    for (const std::int32_t tiles : {4, 7, 10}) {
        ScopedSource counted(RecordedDraw);
        SeedDraws(static_cast<unsigned>(tiles));
        ShortProblem problem{};
        ASSERT_TRUE(DealShortProblem(tiles, problem));
        EXPECT_EQ(Draws().count, kBuildDraws + 10 * tiles);
        EXPECT_EQ(problem.sortedHand.count, tiles);
        TileHand order = problem.dealOrder;
        std::sort(order.tiles.begin(), order.tiles.begin() + tiles);
        EXPECT_EQ(DigitsOf(order), DigitsOf(problem.sortedHand));
        // A complete hand less one tile always waits on that tile at least.
        EXPECT_TRUE(std::any_of(problem.isWait.begin(), problem.isWait.end(),
                                [](std::uint8_t w) { return w != 0; }));
        for (std::size_t n = 0; n < problem.isWait.size(); ++n) {
            EXPECT_EQ(problem.isWait[n] != 0, problem.waitShapes[n] != 0);
        }
    }
    ScopedSource counted(RecordedDraw);
    ShortProblem problem{};
    EXPECT_FALSE(DealShortProblem(13, problem));
    EXPECT_FALSE(DealShortProblem(5, problem));
    EXPECT_EQ(Draws().count, 0);
}

}  // namespace
}  // namespace zelkon::tests
