// How many numbers a deal draws, in which order, and what it makes of scripted draws. Players
// compare deals by seed, so a changed count or order is a visible change.
#include <cstdlib>
#include <gtest/gtest.h>

#include "dealing/complete_hand_generator.h"
#include "dealing/problem_dealer.h"
#include "dealing/random_source.h"
#include "draw_sources.h"
#include "support/hand_strings.h"

namespace zelkon::tests {
namespace {

constexpr int kShuffleDraws = 50 * 37;
constexpr int kPairDraw = kShuffleDraws;
constexpr int kDropDraw = kShuffleDraws + 1;

TEST(Draws, buildingAHandDraws1852Numbers) {
    ScopedSource source(RecordedDraw);
    std::srand(7);
    Hand13 hand{};
    BuildCompleteHand(hand);
    EXPECT_EQ(Draws().count, 1852);
    EXPECT_EQ(kBuildDraws, 1852);
}

TEST(Draws, dealingAProblemDraws1982Numbers) {
    ScopedSource source(RecordedDraw);
    std::srand(7);
    Problem problem{};
    DealProblem(problem);
    EXPECT_EQ(Draws().count, 1982);
    EXPECT_EQ(kDealDraws, 1982);
}

TEST(Draws, fillingAProblemDrawsOnlyTheDisplayOrder) {
    ScopedSource source(RecordedDraw);
    Problem problem{};
    FillProblem(Hand13Of("1122334455667"), problem);
    EXPECT_EQ(Draws().count, 130);
}

TEST(Draws, defaultSourceIsTheCarriedGenerator) {
    const RandomSource before = SetRandomSource(nullptr);
    GlibcRandom reference(99);
    const int first = reference.Next();
    const int second = reference.Next();
    SeedDraws(99);
    EXPECT_EQ(Draw(), first);
    EXPECT_EQ(Draw(), second);
    SetRandomSource(before);
}

TEST(Draws, installingASourceHandsBackTheOneItReplaces) {
    const RandomSource before = SetRandomSource(RecordedDraw);
    EXPECT_EQ(SetRandomSource(ScriptedDraw), RecordedDraw);
    EXPECT_EQ(SetRandomSource(before), ScriptedDraw);
}

TEST(Draws, allZeroDrawsBuildAKnownHand) {
    ScopedSource source(+[](int) { return 0; });
    Hand13 hand{};
    BuildCompleteHand(hand);
    // Each pass of zeros rotates the pool by one, so 234, 345, 456 and 567 lead; pair 1; the
    // first tile is dropped.
    EXPECT_EQ(DigitsOf(hand), "1233444555667");
}

TEST(Draws, allZeroDrawsDealAKnownDisplayOrder) {
    ScopedSource source(+[](int) { return 0; });
    Problem problem{};
    DealProblem(problem);
    EXPECT_EQ(DigitsOf(problem.sortedHand), "1233444555667");
    // Ten passes of zeros rotate the thirteen tiles right by ten places.
    EXPECT_EQ(DigitsOf(problem.dealOrder), "3444555667123");
    EXPECT_EQ(problem.isWait[1], 1);
    EXPECT_EQ(Draws().count, 1982);
}

// Every draw is a multiple of its modulus plus the wanted remainder, so a wrong modulus or a
// draw taken out of order gives another hand.
TEST(Draws, eachDrawIsReducedByItsOwnModulusInOrder) {
    ScopedSource source(+[](int index) {
        if (index < kShuffleDraws) {
            return 37 * (index + 1);
        }
        if (index == kPairDraw) {
            return 9 * 1000 + 4;
        }
        if (index == kDropDraw) {
            return 14 * 1000 + 13;
        }
        return 13 * (index + 1);
    });
    Problem problem{};
    DealProblem(problem);
    // Pair 5; 234, 345 and 456 bring the 5s to four, so 567 is passed over for 678; the 8 is
    // dropped.
    EXPECT_EQ(DigitsOf(problem.sortedHand), "2334445555667");
    EXPECT_EQ(DigitsOf(problem.dealOrder), "4445555667233");
}

TEST(Draws, pairNumberNeverGetsItsTriplet) {
    // Drawing each position itself keeps the pool in order: 111 would be a fifth 1 beside the
    // pair of 1s, so 222, 333, 444 and 555 are taken.
    ScopedSource source(+[](int index) { return index < kShuffleDraws ? index % 37 : 0; });
    Hand13 hand{};
    BuildCompleteHand(hand);
    EXPECT_EQ(DigitsOf(hand), "1222333444555");
}

TEST(Draws, fourCopiesOfOneRunFillTheirNumbersToFour) {
    ScopedSource source(+[](int index) {
        // The first pass brings the four copies of 123 to the front; the rest keeps the order.
        switch (index) {
            case 0:
                return 9;
            case 1:
                return 16;
            case 2:
                return 23;
            case 3:
                return 30;
            case kPairDraw:
                return 4;
            case kDropDraw:
                return 13;
            default:
                return index % 37;
        }
    });
    Hand13 hand{};
    BuildCompleteHand(hand);
    EXPECT_EQ(DigitsOf(hand), "1111222233335");
}

TEST(Draws, displayShuffleMayLeaveTheSortedOrder) {
    ScopedSource source(+[](int index) {
        if (index < kBuildDraws) {
            return 0;
        }
        return (index - kBuildDraws) % 13;
    });
    Problem problem{};
    DealProblem(problem);
    EXPECT_EQ(problem.dealOrder, problem.sortedHand);
}

}  // namespace
}  // namespace zelkon::tests
