// Hands that break the input conditions: nothing crashes and nothing is written outside an array.
// The sanitizer build turns any stray write into a failure; here the results are held to range.
#include <array>
#include <cctype>
#include <climits>
#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "analysis/decomposition.h"
#include "analysis/pattern_table.h"
#include "analysis/wait_finder.h"
#include "record_checks.h"
#include "support/hand_strings.h"

namespace zelkon::tests {
namespace {

struct HostileHand {
    const char* why;
    Hand14 hand;
    TileNumber winningTile;
};

const std::vector<HostileHand> kHostileHands = {
    {"fifth copy", Hand14Of("11111234567899"), 1},
    {"fifth copy that reads as melds", Hand14Of("11111222333444"), 1},
    {"five copies of two numbers", Hand14Of("11111222223456"), 2},
    {"five copies of several numbers", Hand14Of("11111222223333"), 3},
    {"all fourteen the same", Hand14Of("11111111111111"), 1},
    {"all fourteen nines", Hand14Of("99999999999999"), 9},
    {"unsorted", Hand14Of("98765432112399"), 9},
    {"descending complete hand", Hand14Of("99987654321111"), 1},
    {"winning tile not in hand", Hand14Of("11122233344499"), 5},
    {"winning tile zero", Hand14Of("11123456789999"), 0},
    {"winning tile ten", Hand14Of("11123456789999"), 10},
    {"zeros", {0, 0, 1, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9}, 1},
    {"all zeros", {}, 0},
    {"tens", {1, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 10, 10}, 10},
    {"negative", {-1, -1, 1, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9}, -1},
    {"extremes",
     {INT_MIN, INT_MIN, INT_MIN, -9, -9, -9, 0, 0, 10, 10, 11, 12, INT_MAX, INT_MAX},
     INT_MIN},
    {"runs past nine", {8, 8, 8, 9, 9, 9, 10, 10, 10, 11, 12, 13, 14, 14}, 14},
    {"fourteen different numbers", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}, 3},
};

void PrintTo(const HostileHand& c, std::ostream* os) {
    *os << c.why;
}

std::string NameOf(const ::testing::TestParamInfo<HostileHand>& info) {
    std::string name;
    for (const char c : std::string(info.param.why)) {
        name += std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
    }
    return name;
}

class HostileHands : public ::testing::TestWithParam<HostileHand> {};

TEST_P(HostileHands, enumerationReturnsNoReadingOrAFewRecordsInTheTable) {
    const HostileHand& c = GetParam();
    auto table = std::make_unique<DecompositionTable>();
    const std::int32_t count = EnumerateDecompositions(c.hand, c.winningTile, *table);
    EXPECT_TRUE(count == -1 || (count >= 1 && count <= kDecompositionCapacity)) << count;
    EXPECT_GE(decompositionCount, 0);
    EXPECT_LE(decompositionCount, kDecompositionCapacity);
}

TEST_P(HostileHands, evaluationAnswersZeroOrOneAndWritesElevenSlotsAtMost) {
    const HostileHand& c = GetParam();
    // Exactly eleven slots on the heap, so a twelfth write is caught by the sanitizer.
    auto result = std::make_unique<std::int32_t[]>(kPatternCount);
    const std::int32_t found = EvaluateWinningHand(c.hand, c.winningTile, result.get());
    EXPECT_TRUE(found == 0 || found == 1) << found;
    auto table = std::make_unique<DecompositionTable>();
    std::int32_t count = -7;
    const std::int32_t best = EvaluateReadings(c.hand, c.winningTile, *table, count);
    EXPECT_GE(best, -1);
    EXPECT_LT(best, kDecompositionCapacity);
    EXPECT_LE(count, kDecompositionCapacity);
}

TEST_P(HostileHands, completenessCheckAnswersZeroOrOne) {
    const int complete = IsCompleteHand(GetParam().hand);
    EXPECT_TRUE(complete == 0 || complete == 1) << complete;
}

// The promise of the entry points: a hand that breaks the conditions has no reading.
TEST_P(HostileHands, brokenConditionsGiveNoReading) {
    const HostileHand& c = GetParam();
    auto table = std::make_unique<DecompositionTable>();
    EXPECT_EQ(EnumerateDecompositions(c.hand, c.winningTile, *table), -1);
    std::array<std::int32_t, kPatternCount> result{};
    EXPECT_EQ(EvaluateWinningHand(c.hand, c.winningTile, result.data()), 0);
}

INSTANTIATE_TEST_SUITE_P(HostileInput, HostileHands, ::testing::ValuesIn(kHostileHands), NameOf);

TEST(HostileInput, tilesOutsideOneToNineCompleteNothing) {
    const Hand14 hand = {0, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9, 10};
    EXPECT_EQ(IsCompleteHand(hand), 0);
}

struct HostileThirteen {
    const char* why;
    Hand13 hand;
};

TEST(HostileInput, waitFinderSurvivesTilesOutsideTheRangeAndFifthCopies) {
    const std::vector<HostileThirteen> hands = {
        {"fifth copy", Hand13Of("1111123456789")},
        {"five copies of two numbers", Hand13Of("1111122222345")},
        {"thirteen ones", Hand13Of("1111111111111")},
        {"zeros", {0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9}},
        {"all zeros", {}},
        {"tens", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10, 10, 9}},
        {"negative", {-5, -4, -3, 1, 1, 1, 2, 3, 4, 5, 6, 7, 8}},
        {"extremes", {INT_MIN, INT_MAX, INT_MIN, INT_MAX, 1, 1, 2, 2, 3, 3, 4, 4, 5}},
        {"thousands", {1000, 1000, 1000, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
    };
    for (const HostileThirteen& c : hands) {
        auto problem = std::make_unique<Problem>();
        problem->isWait.fill(0x33);
        FindWaits(c.hand, *problem);
        EXPECT_EQ(problem->isWait[0], 0x33) << c.why;
        for (std::size_t n = 1; n <= 9; ++n) {
            EXPECT_TRUE(problem->isWait[n] == 0 || problem->isWait[n] == 1) << c.why;
        }
    }
}

// Many copies of a high number are where a lookup keyed on copies per number overruns first.
TEST(HostileInput, waitFinderSurvivesManyCopiesOfHighNumbers) {
    for (const char* hand : {"9999999999999", "8888888889999", "1999999999999", "7777788889999"}) {
        auto problem = std::make_unique<Problem>();
        FindWaits(Hand13Of(hand), *problem);
        EXPECT_EQ(WaitsOf(*problem), "") << hand;
    }
}

TEST(HostileInput, fifthCopyInTheThirteenLeavesNoWait) {
    auto problem = std::make_unique<Problem>();
    FindWaits(Hand13Of("1111123456789"), *problem);
    EXPECT_EQ(WaitsOf(*problem), "");
}

TEST(HostileInput, randomJunkNeverLeavesTheTable) {
    std::mt19937 junk(20261208);
    std::uniform_int_distribution<int> tile(-2, 11);
    auto table = std::make_unique<DecompositionTable>();
    auto result = std::make_unique<std::int32_t[]>(kPatternCount);
    for (int round = 0; round < 20000; ++round) {
        Hand14 hand{};
        for (TileNumber& t : hand) {
            t = tile(junk);
        }
        if (round % 2 == 0) {
            SortHand(hand);
        }
        const TileNumber winning =
            round % 3 == 0 ? tile(junk) : hand[static_cast<std::size_t>(round % 14)];
        const std::int32_t count = EnumerateDecompositions(hand, winning, *table);
        ASSERT_TRUE(count == -1 || (count >= 1 && count <= kDecompositionCapacity))
            << DigitsOf(hand) << " with " << winning << ": " << count;
        const std::int32_t found = EvaluateWinningHand(hand, winning, result.get());
        ASSERT_TRUE(found == 0 || found == 1) << DigitsOf(hand);
    }
}

TEST(HostileInput, appendingPastTheTableKeepsTheCountAtThirtyTwo) {
    auto table = std::make_unique<DecompositionTable>();
    const Hand14 hand = Hand14Of("11123456789999");
    RoleList roles{};
    roles.fill(TileRole::Triplet);
    decompositionCount = 0;
    for (int i = 0; i < 40; ++i) {
        Decomposition& record = AppendDecomposition(hand, roles, *table);
        record.waitShape = WaitShape::Single;
    }
    EXPECT_EQ(decompositionCount, kDecompositionCapacity);
    decompositionCount = 0;
}

TEST(HostileInput, groupListHoldsFourteenDifferentNumbers) {
    const Hand14 hand = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    RoleList roles{};
    roles.fill(TileRole::Free);
    auto groups = std::make_unique<FreeGroupList>();
    const std::int32_t count = GroupFreeTiles(*groups, hand, roles);
    EXPECT_GE(count, 0);
    EXPECT_LT(count, kFreeGroupCapacity);
}

}  // namespace
}  // namespace zelkon::tests
