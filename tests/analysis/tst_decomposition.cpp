// Readings of known hands, record by record in table order: the order decides ties that players
// see, so every record's roles and shape are written out.
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/decomposition.h"
#include "record_checks.h"
#include "support/hand_strings.h"

namespace zelkon::tests {
namespace {

using enum WaitShape;

struct ExpectedRecord {
    const char* roles;  // one letter per position: T L M H P S
    WaitShape shape;
};

struct ReadingCase {
    const char* hand;
    TileNumber winningTile;
    std::vector<ExpectedRecord> records;  // empty: no reading, -1
};

void PrintTo(const ReadingCase& c, std::ostream* os) {
    *os << c.hand << " with " << c.winningTile;
}

std::string NameOf(const ::testing::TestParamInfo<ReadingCase>& info) {
    return std::string("hand") + info.param.hand + "wins" + std::to_string(info.param.winningTile);
}

const std::vector<ReadingCase> kReadingCases = {
    {"11223344556679", 9, {}},
    // The 7 is the low tile of 7-8-9 and the high tile of 5-6-7.
    {"11234455667789", 7, {{"PPLMHLMLHMHLMH", Edge}, {"PPLMHLMLHMHLMH", TwoSided}}},
    {"22334455678999", 3, {{"PPLLMMHHLMHTTT", TwoSided}, {"LLMMHHPPLMHTTT", Closed}}},
    // Four 1s beside a pair of 9s: the run branch first, then the triplet branch.
    {"11112345678999",
     1,
     {{"LTTTMHLMHLMPPH", DualPair},
      {"LTTTMHLMHLMPPH", TwoSided},
      {"TTTLMHLMHLMPPH", DualPair},
      {"TTTLMHLMHLMPPH", TwoSided}}},
    // The four 1s are one number, not two pairs: no seven-pairs reading.
    {"11112233445566",
     1,
     {{"PPLLMMHHLLMMHH", TwoSided},
      {"PPLLMMHHLLMMHH", Single},
      {"LLPPMMHHLLMMHH", TwoSided},
      {"LLPPMMHHLLMMHH", Single}}},
    {"22233344455566",
     6,
     {{"TTTPPLMLLHMMHH", TwoSided},
      {"LLLMMMHHHTTTPP", Single},
      {"TTTLLLMMMHHHPP", Single},
      {"TTTTTTTTTTTTPP", Single}}},
    // Seven pairs once per pair candidate, each followed by that candidate's meld readings.
    {"11223344556677",
     4,
     {{"PPSSSSSSSSSSSS", Single},
      {"PPLLMMHHLLMMHH", TwoSided},
      {"SSPPSSSSSSSSSS", Single},
      {"SSSSPPSSSSSSSS", Single},
      {"SSSSSSPPSSSSSS", Single},
      {"LLMMHHPPLLMMHH", Single},
      {"SSSSSSSSPPSSSS", Single},
      {"SSSSSSSSSSPPSS", Single},
      {"SSSSSSSSSSSSPP", Single},
      {"LLMMHHLLMMHHPP", TwoSided}}},
    // The most records any hand gives: twenty.
    {"44445566777789",
     7,
     {{"PPLLMMHHLTTTMH", DualPair}, {"PPLLMMHHLTTTMH", Edge},     {"PPLLMMHHTTTLMH", DualPair},
      {"PPLLMMHHTTTLMH", Edge},     {"LLPPMMHHLTTTMH", DualPair}, {"LLPPMMHHLTTTMH", Edge},
      {"LLPPMMHHTTTLMH", DualPair}, {"LLPPMMHHTTTLMH", Edge},     {"LTTTMLHMPPHLMH", Edge},
      {"LTTTMLHMPPHLMH", TwoSided}, {"LTTTMLHMPPHLMH", Single},   {"TTTLMLHMPPHLMH", Edge},
      {"TTTLMLHMPPHLMH", TwoSided}, {"TTTLMLHMPPHLMH", Single},   {"LTTTMLHMHLPPMH", Edge},
      {"LTTTMLHMHLPPMH", TwoSided}, {"LTTTMLHMHLPPMH", Single},   {"TTTLMLHMHLPPMH", Edge},
      {"TTTLMLHMHLPPMH", TwoSided}, {"TTTLMLHMHLPPMH", Single}}},
    // A 9 completing 7-8-9 from above is two-sided; only a 3 from above is an edge.
    {"11123456778899", 9, {{"PPLMHLMHLLMMHH", TwoSided}}},
    {"12233455567899", 3, {{"LMLHMHTTTLMHPP", Closed}, {"LMLHMHTTTLMHPP", Edge}}},
};

class KnownReadings : public ::testing::TestWithParam<ReadingCase> {};

TEST_P(KnownReadings, recordsFollowInTableOrderWithTheirShapes) {
    const ReadingCase& c = GetParam();
    const Hand14 hand = Hand14Of(c.hand);
    auto table = JunkTable();
    const std::int32_t count = EnumerateDecompositions(hand, c.winningTile, *table);

    const int expectedCount = c.records.empty() ? -1 : static_cast<int>(c.records.size());
    ASSERT_EQ(count, expectedCount);
    EXPECT_EQ(decompositionCount, c.records.empty() ? 0 : count);
    for (std::size_t i = 0; i < c.records.size(); ++i) {
        SCOPED_TRACE("record " + std::to_string(i));
        EXPECT_EQ(RoleLetters((*table)[i].roles), c.records[i].roles);
        EXPECT_EQ((*table)[i].waitShape, c.records[i].shape);
    }
    if (count > 0) {
        EXPECT_TRUE(RecordsHoldTheirInvariants(hand, c.winningTile, *table, count));
    }
}

INSTANTIATE_TEST_SUITE_P(Decomposition, KnownReadings, ::testing::ValuesIn(kReadingCases), NameOf);

TEST(Decomposition, terminalCountIsTheSameInEveryRecordOfAHand) {
    const Hand14 hand = Hand14Of("11112345678999");
    auto table = JunkTable();
    ASSERT_EQ(EnumerateDecompositions(hand, 1, *table), 4);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ((*table)[i].terminalCount, 7) << "record " << i;
    }
}

TEST(Decomposition, sevenPairsRecordHoldsTwelveOtherPairTiles) {
    const Hand14 hand = Hand14Of("11223344556677");
    auto table = JunkTable();
    ASSERT_EQ(EnumerateDecompositions(hand, 4, *table), 10);
    const Decomposition& sevenPairs = (*table)[0];
    EXPECT_EQ(sevenPairs.roleCount[Index(TileRole::Pair)], 2);
    EXPECT_EQ(sevenPairs.roleCount[Index(TileRole::SevenPairsPair)], 12);
    EXPECT_EQ(sevenPairs.roleCount[Index(TileRole::RunLow)], 0);
}

TEST(Decomposition, laterEnumerationOverwritesFromRecordZero) {
    auto table = JunkTable();
    ASSERT_EQ(EnumerateDecompositions(Hand14Of("44445566777789"), 7, *table), 20);
    const Hand14 hand = Hand14Of("11123456778899");
    ASSERT_EQ(EnumerateDecompositions(hand, 9, *table), 1);
    EXPECT_EQ(RoleLetters((*table)[0].roles), "PPLMHLMHLLMMHH");
    EXPECT_EQ((*table)[0].terminalCount, 5);
}

TEST(Decomposition, handWithoutReadingAppendsNothing) {
    auto table = JunkTable();
    ASSERT_EQ(EnumerateDecompositions(Hand14Of("44445566777789"), 7, *table), 20);
    EXPECT_EQ(EnumerateDecompositions(Hand14Of("11223344556679"), 9, *table), -1);
    EXPECT_EQ(decompositionCount, 0);
}

struct ShapeCase {
    TileRole role;
    TileNumber winningTile;
    WaitShape shape;
};

TEST(Decomposition, shapeOfARoleFollowsTheWinningTile) {
    const std::vector<ShapeCase> cases = {
        {TileRole::Triplet, 1, DualPair}, {TileRole::Triplet, 7, DualPair},
        {TileRole::RunLow, 7, Edge},      {TileRole::RunLow, 1, TwoSided},
        {TileRole::RunLow, 6, TwoSided},  {TileRole::RunMiddle, 2, Closed},
        {TileRole::RunMiddle, 8, Closed}, {TileRole::RunHigh, 3, Edge},
        {TileRole::RunHigh, 9, TwoSided}, {TileRole::RunHigh, 4, TwoSided},
        {TileRole::Pair, 5, Single},      {TileRole::SevenPairsPair, 9, Single},
    };
    for (const ShapeCase& c : cases) {
        EXPECT_EQ(ShapeOfRole(c.role, c.winningTile), c.shape)
            << "role " << RoleLetter(c.role) << " winning " << c.winningTile;
    }
}

TEST(Decomposition, freeGroupsAscendWithCountAndFirstPosition) {
    const Hand14 hand = Hand14Of("11123455567899");
    RoleList roles{};
    roles.fill(TileRole::Free);
    roles[1] = TileRole::Pair;
    roles[2] = TileRole::Pair;
    roles[4] = TileRole::Triplet;
    FreeGroupList groups{};
    ASSERT_EQ(GroupFreeTiles(groups, hand, roles), 8);
    const std::vector<FreeGroup> expected = {{1, 1, 0}, {2, 1, 3},  {4, 1, 5},  {5, 3, 6},
                                             {6, 1, 9}, {7, 1, 10}, {8, 1, 11}, {9, 2, 12}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(groups[i].number, expected[i].number) << "entry " << i;
        EXPECT_EQ(groups[i].count, expected[i].count) << "entry " << i;
        EXPECT_EQ(groups[i].firstIndex, expected[i].firstIndex) << "entry " << i;
    }
    EXPECT_EQ(groups[expected.size()].number, 0);
}

TEST(Decomposition, noFreeTileGivesAnEmptyGroupList) {
    const Hand14 hand = Hand14Of("11123455567899");
    RoleList roles{};
    roles.fill(TileRole::Triplet);
    FreeGroupList groups{};
    groups[0].number = 7;
    EXPECT_EQ(GroupFreeTiles(groups, hand, roles), 0);
    EXPECT_EQ(groups[0].number, 0);
}

}  // namespace
}  // namespace zelkon::tests
