// The patterns of the best reading of known wins, and the tie between equal readings.
#include <array>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/decomposition.h"
#include "analysis/pattern_table.h"
#include "record_checks.h"
#include "support/hand_strings.h"

namespace zelkon::tests {
namespace {

struct WinCase {
    const char* hand;  // the 13 tiles before the win
    TileNumber winningTile;
    const char* patterns;  // names in table order
};

void PrintTo(const WinCase& c, std::ostream* os) {
    *os << c.hand << " with " << c.winningTile;
}

std::string NameOf(const ::testing::TestParamInfo<WinCase>& info) {
    return std::string("hand") + info.param.hand + "wins" + std::to_string(info.param.winningTile);
}

const std::vector<WinCase> kWinCases = {
    {"1112345678999", 1, "九連宝燈"},
    {"1112345678999", 2, "九連宝燈"},
    {"1112345678999", 3, "九連宝燈"},
    {"1112345678999", 4, "九連宝燈"},
    {"1112345678999", 5, "九連宝燈"},
    {"1112345678999", 6, "九連宝燈"},
    {"1112345678999", 7, "九連宝燈"},
    {"1112345678999", 8, "九連宝燈"},
    {"1112345678999", 9, "九連宝燈"},
    {"2223334445556", 6, "四暗刻単騎"},
    {"2223334445556", 1, "平和 一盃口"},
    {"2223334445556", 4, "タンヤオ 三暗刻"},
    {"2223334445556", 5, "タンヤオ 三暗刻"},
    {"2223334445556", 7, "タンヤオ 三暗刻"},
    {"2223334445556", 3, "タンヤオ 一盃口"},
    // Two couples of runs outscore seven pairs of the same tiles.
    {"1122334455667", 7, "平和 二盃口"},
    {"1122334455667", 4, "平和 一盃口"},
    {"1122334455667", 1, "平和"},
    {"2233445566778", 8, "平和 タンヤオ 二盃口"},
    {"1122337788999", 9, "平和 二盃口 純チャンタ"},
    {"1122445567799", 6, "七対子"},
    {"1234555666789", 5, "一気通貫"},
    {"1234555666789", 1, ""},
    {"1234555666789", 3, ""},
    {"1234555666789", 4, ""},
    // Four triplets count as three concealed even when the win completed one of them.
    {"1113335557788", 7, "トイトイ 三暗刻"},
    {"1113335557788", 8, "トイトイ 三暗刻"},
    {"1113335567899", 5, ""},
    {"1113335567899", 9, ""},
    // Runs and triplets both sum 2; the triplet reading comes later and wins the tie.
    {"1112223335677", 4, "三暗刻"},
    {"1112223378999", 3, "一盃口 純チャンタ"},
    {"1112223334599", 6, "三暗刻"},
    // Pair 11 with 1-2-3 and 2-3-4 twice each outscores four equal runs beside a pair of 4s.
    {"1111222233334", 4, "平和 二盃口"},
};

class KnownWins : public ::testing::TestWithParam<WinCase> {};

TEST_P(KnownWins, bestReadingCarriesThesePatterns) {
    const WinCase& c = GetParam();
    const Hand14 hand = WithTile(Hand13Of(c.hand), c.winningTile);
    std::array<std::int32_t, kPatternCount> result{};
    ASSERT_EQ(EvaluateWinningHand(hand, c.winningTile, result.data()), 1);
    EXPECT_EQ(PatternNamesOf(result.data()), c.patterns);
}

INSTANTIATE_TEST_SUITE_P(PatternTable, KnownWins, ::testing::ValuesIn(kWinCases), NameOf);

// The first record whose roles match, evaluated on its own.
std::string PatternsOfReading(const char* hand13, TileNumber winningTile, const char* roles) {
    const Hand14 hand = WithTile(Hand13Of(hand13), winningTile);
    auto table = JunkTable();
    const std::int32_t count = EnumerateDecompositions(hand, winningTile, *table);
    for (std::int32_t i = 0; i < count; ++i) {
        Decomposition& record = (*table)[static_cast<std::size_t>(i)];
        if (RoleLetters(record.roles) == roles) {
            EvaluatePatterns(hand, record);
            return PatternNamesOf(record.patterns);
        }
    }
    return "no such reading";
}

TEST(PatternTable, threeEqualRunsAndAFourthAreOneCoupleOnly) {
    EXPECT_EQ(PatternsOfReading("1112223334599", 6, "LLLMMMHHHLMHPP"), "平和 一盃口");
}

TEST(PatternTable, fourEqualRunsAreTwoCouples) {
    EXPECT_EQ(PatternsOfReading("1111222233334", 4, "LLLLMMMMHHHHPP"), "二盃口");
}

TEST(PatternTable, sevenPairsReadingOfRunTilesScoresSevenPairsAlone) {
    EXPECT_EQ(PatternsOfReading("1122334455667", 7, "PPSSSSSSSSSSSS"), "七対子");
}

TEST(PatternTable, limitHandClearsTheOrdinarySlots) {
    // Four concealed triplets and all simples: the limit hand leaves タンヤオ out.
    EXPECT_EQ(PatternsOfReading("2223334445556", 6, "TTTTTTTTTTTTPP"), "四暗刻単騎");
}

TEST(PatternTable, evaluationLeavesTheRoomSlotsAlone) {
    const Hand14 hand = WithTile(Hand13Of("2223334445556"), 6);
    auto table = JunkTable();
    const std::int32_t count = EnumerateDecompositions(hand, 6, *table);
    ASSERT_GT(count, 0);
    for (std::int32_t i = 0; i < count; ++i) {
        Decomposition& record = (*table)[static_cast<std::size_t>(i)];
        EvaluatePatterns(hand, record);
        for (std::size_t k = kPatternCount; k < kPatternSlots; ++k) {
            EXPECT_EQ(record.patterns[k], 0) << "record " << i << " slot " << k;
        }
    }
}

TEST(PatternTable, noReadingLeavesTheResultUntouched) {
    std::array<std::int32_t, kPatternCount> result{};
    result.fill(7);
    EXPECT_EQ(EvaluateWinningHand(Hand14Of("11223344556679"), 9, result.data()), 0);
    for (const std::int32_t slot : result) {
        EXPECT_EQ(slot, 7);
    }
}

TEST(PatternTable, rowsHoldTheirNamesAndHanInSlotOrder) {
    const std::vector<std::pair<std::string, std::int32_t>> rows = {
        {"平和", 1},       {"タンヤオ", 1},    {"一盃口", 1},    {"七対子", 2},
        {"一気通貫", 2},   {"トイトイ", 2},    {"三暗刻", 2},    {"二盃口", 3},
        {"純チャンタ", 3}, {"四暗刻単騎", 13}, {"九連宝燈", 13},
    };
    ASSERT_EQ(PatternTable.size(), rows.size());
    for (std::size_t k = 0; k < rows.size(); ++k) {
        EXPECT_EQ(PatternTable[k].name, rows[k].first) << "row " << k;
        EXPECT_EQ(PatternTable[k].han, rows[k].second) << "row " << k;
    }
}

}  // namespace
}  // namespace zelkon::tests
