// Where a wait stands in the 13 tiles: known shapes, and over every hand the one property a
// player relies on, that each number named completes the tiles shown.
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "analysis/explanation.h"
#include "analysis/hand_space.h"
#include "analysis/wait_in_hand.h"
#include "support/hand_strings.h"

namespace zelkon::tests {
namespace {

std::string Spell(const WaitInHand& wait) {
    std::string text;
    for (std::int32_t g = 0; g < wait.groupCount; ++g) {
        text += g > 0 ? "," : "";
        for (std::int32_t i = 0; i < wait.groupSizes[static_cast<std::size_t>(g)]; ++i) {
            text += static_cast<char>(
                '0' + wait.groups[static_cast<std::size_t>(g)][static_cast<std::size_t>(i)]);
        }
    }
    text += "|";
    for (std::int32_t i = 0; i < wait.onCount; ++i) {
        text += static_cast<char>('0' + wait.on[static_cast<std::size_t>(i)]);
    }
    return text;
}

// The best reading's wait, as the panel shows it.
std::string BestWait(const char* hand, TileNumber n) {
    auto explanation = std::make_unique<HandExplanation>();
    EXPECT_TRUE(ExplainHand(Hand13Of(hand), *explanation));
    const NumberExplanation& number = explanation->numbers[static_cast<std::size_t>(n)];
    EXPECT_EQ(number.verdict, Verdict::Wait) << hand << " on " << n;
    return Spell(WaitInHandOf(number.readings[static_cast<std::size_t>(number.best)], n));
}

TEST(WaitInHand, namesTheTilesAndTheNumbersOfEachShape) {
    EXPECT_EQ(BestWait("1112223334599", 3), "45|36");  // two-sided
    EXPECT_EQ(BestWait("1112223334599", 6), "45|36");
    EXPECT_EQ(BestWait("1112223338999", 7), "89|7");      // edge 89 waits on 7 only
    EXPECT_EQ(BestWait("1112223336899", 7), "68|7");      // closed
    EXPECT_EQ(BestWait("1112223335577", 5), "55,77|57");  // dual pair, lower first
    EXPECT_EQ(BestWait("1112223335577", 7), "55,77|57");
    EXPECT_EQ(BestWait("1112223334445", 5), "5|5");  // single
}

TEST(WaitInHand, everyNumberNamedCompletesTheHandForEveryReadingOfEveryHand) {
    auto explanation = std::make_unique<HandExplanation>();
    HandSpace<13> space;
    Hand13 hand{};
    long readings = 0;
    while (space.Next(hand)) {
        ASSERT_TRUE(ExplainHand(hand, *explanation));
        for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
            const NumberExplanation& number = explanation->numbers[static_cast<std::size_t>(n)];
            if (number.verdict != Verdict::Wait) {
                continue;
            }
            for (std::int32_t r = 0; r < number.readingCount; ++r, ++readings) {
                const WaitInHand wait =
                    WaitInHandOf(number.readings[static_cast<std::size_t>(r)], n);
                const auto on = wait.on.begin();
                ASSERT_TRUE(std::find(on, on + wait.onCount, n) != on + wait.onCount)
                    << DigitsOf(hand) << " on " << n;
                // A fifth copy is no wait, though the tiles shown would take it.
                for (std::int32_t i = 0; i < wait.onCount; ++i) {
                    const TileNumber t = wait.on[static_cast<std::size_t>(i)];
                    const Verdict v = explanation->numbers[static_cast<std::size_t>(t)].verdict;
                    ASSERT_NE(v, Verdict::NoReading)
                        << DigitsOf(hand) << " on " << n << " names " << t;
                }
            }
        }
    }
    EXPECT_GT(readings, 100000);
}

}  // namespace
}  // namespace zelkon::tests
