// Waits of known hands and the patterns stored for each.
#include <algorithm>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "analysis/wait_finder.h"
#include "support/hand_strings.h"

namespace zelkon::tests {
namespace {

struct WaitCase {
    const char* hand;
    const char* waits;
    std::vector<const char*> patterns;  // one entry per wait, in the order of waits
};

void PrintTo(const WaitCase& c, std::ostream* os) {
    *os << c.hand;
}

std::string NameOf(const ::testing::TestParamInfo<WaitCase>& info) {
    return std::string("hand") + info.param.hand;
}

// A problem whose every slot holds junk, so unwritten and stale slots show.
Problem JunkProblem() {
    Problem problem{};
    problem.sortedHand.fill(-3);
    problem.dealOrder.fill(-3);
    problem.isWait.fill(0x77);
    for (PatternFlags& block : problem.patterns) {
        block.fill(0x5a5a);
    }
    return problem;
}

const std::vector<WaitCase> kWaitCases = {
    {"1112345678999",
     "123456789",
     {"九連宝燈", "九連宝燈", "九連宝燈", "九連宝燈", "九連宝燈", "九連宝燈", "九連宝燈",
      "九連宝燈", "九連宝燈"}},
    // One more 1 would complete the shape, but as a fifth 1.
    {"1111234567888", "34679", {"", "", "", "", "一気通貫"}},
    {"2223334445556",
     "134567",
     {"平和 一盃口", "タンヤオ 一盃口", "タンヤオ 三暗刻", "タンヤオ 三暗刻", "四暗刻単騎",
      "タンヤオ 三暗刻"}},
    {"1122334455667", "147", {"平和", "平和 一盃口", "平和 二盃口"}},
    {"1122445567799", "6", {"七対子"}},
};

class KnownWaits : public ::testing::TestWithParam<WaitCase> {};

TEST_P(KnownWaits, waitsCarryTheirBestPatterns) {
    const WaitCase& c = GetParam();
    Problem problem = JunkProblem();
    FindWaits(Hand13Of(c.hand), problem);
    ASSERT_EQ(WaitsOf(problem), c.waits);
    const std::string waits = c.waits;
    ASSERT_EQ(waits.size(), c.patterns.size());
    for (std::size_t i = 0; i < waits.size(); ++i) {
        const std::size_t n = static_cast<std::size_t>(waits[i] - '0');
        EXPECT_EQ(PatternNamesOf(problem.patterns[n]), c.patterns[i]) << "wait " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(WaitFinder, KnownWaits, ::testing::ValuesIn(kWaitCases), NameOf);

TEST(WaitFinder, waitWithoutPatternHasElevenZeroSlots) {
    Problem problem = JunkProblem();
    FindWaits(Hand13Of("1234555666789"), problem);
    for (const std::size_t n : {1U, 3U, 4U}) {
        ASSERT_EQ(problem.isWait[n], 1) << "wait " << n;
        for (std::size_t k = 0; k < kPatternCount; ++k) {
            EXPECT_EQ(problem.patterns[n][k], 0) << "wait " << n << " slot " << k;
        }
    }
    ASSERT_EQ(problem.isWait[5], 1);
    EXPECT_EQ(PatternNamesOf(problem.patterns[5]), "一気通貫");
}

TEST(WaitFinder, fifthCopyIsNeverAWait) {
    for (const char* hand : {"1111234567888", "1111222233334", "2345666678999", "1234999912345"}) {
        Hand13 tiles = Hand13Of(hand);
        SortHand(tiles);
        Problem problem = JunkProblem();
        FindWaits(tiles, problem);
        for (std::size_t n = 1; n <= 9; ++n) {
            int copies = 0;
            for (const TileNumber tile : tiles) {
                copies += static_cast<std::size_t>(tile) == n ? 1 : 0;
            }
            if (copies == 4) {
                EXPECT_EQ(problem.isWait[n], 0) << hand << " number " << n;
            }
        }
    }
}

TEST(WaitFinder, onlyTheBlocksOfWaitsAreWritten) {
    Problem problem = JunkProblem();
    FindWaits(Hand13Of("1122445567799"), problem);
    EXPECT_EQ(problem.isWait[0], 0x77);
    EXPECT_EQ(problem.sortedHand[0], -3);
    EXPECT_EQ(problem.dealOrder[0], -3);
    for (std::size_t n = 0; n < kNumberSlots; ++n) {
        const std::size_t firstUntouched = n == 6 ? kPatternCount : 0;
        for (std::size_t k = firstUntouched; k < kPatternSlots; ++k) {
            ASSERT_EQ(problem.patterns[n][k], 0x5a5a) << "block " << n << " slot " << k;
        }
    }
}

TEST(WaitFinder, orderOfTheThirteenTilesDoesNotMatter) {
    for (const char* hand : {"1112345678999", "2223334445556", "1122334455667", "1234555666789"}) {
        Problem sorted = JunkProblem();
        FindWaits(Hand13Of(hand), sorted);
        Hand13 reversed = Hand13Of(hand);
        std::reverse(reversed.begin(), reversed.end());
        std::swap(reversed[3], reversed[9]);
        Problem shuffled = JunkProblem();
        FindWaits(reversed, shuffled);
        EXPECT_EQ(WaitsOf(shuffled), WaitsOf(sorted)) << hand;
        EXPECT_EQ(shuffled.patterns, sorted.patterns) << hand;
    }
}

TEST(WaitFinder, handWithoutWaitWritesZeroFlagsOnly) {
    Problem problem = JunkProblem();
    FindWaits(Hand13Of("1357913579246"), problem);
    EXPECT_EQ(WaitsOf(problem), "");
    for (std::size_t n = 1; n <= 9; ++n) {
        EXPECT_EQ(problem.isWait[n], 0);
        EXPECT_EQ(problem.patterns[n][0], 0x5a5a);
    }
}

}  // namespace
}  // namespace zelkon::tests
