// The smallest core and the hints over every hand, against second answers: cores found by
// trying every part of the hand whose rest splits into melds, waits from the quiz's FindWaits,
// the shown reading against the quiz's best han.
#include <algorithm>
#include <gtest/gtest.h>
#include <string>

#include "analysis/hand_space.h"
#include "analysis/hint_text.h"
#include "analysis/hints.h"
#include "analysis/pattern_table.h"
#include "analysis/smallest_core.h"
#include "analysis/wait_finder.h"
#include "support/every_hand.h"
#include "support/hand_strings.h"

namespace zelkon::tests {
namespace {

std::string Digits(const TileCounts& counts) {
    std::string digits;
    for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
        digits.append(static_cast<std::size_t>(counts[n]), static_cast<char>('0' + n));
    }
    return digits;
}

// The tie order as the design states it: family in catalogue order, none last, then digits.
bool Before(const TileCounts& a, const TileCounts& b) {
    const auto rank = [](const TileCounts& c) {
        const FamilyIndex f = FitFamily(c).family;
        return f == kNoFamily ? kFamilyCount : f;
    };
    return rank(a) != rank(b) ? rank(a) < rank(b) : Digits(a) < Digits(b);
}

// Checks core against every part of the hand that keeps the waits; returns a fault or "".
std::string CheckCore(const TileCounts& hand, NumberSet waits, const SmallestCore& core) {
    TileCounts rest = hand;
    for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
        rest[n] -= core.core[n];
        if (rest[n] < 0) {
            return "core is not part of the hand";
        }
    }
    TileCounts melds{};
    for (std::int32_t i = 0; i < core.setAsideCount; ++i) {
        const Block& meld = core.setAside[static_cast<std::size_t>(i)];
        for (int k = 0; k < 3; ++k) {
            ++melds[static_cast<std::size_t>(meld.first + (meld.kind == BlockKind::Run ? k : 0))];
        }
    }
    if (melds != rest || core.coreSize != TileTotal(core.core)) {
        return "set-aside melds are not the rest of the hand";
    }
    if (core.waits != waits || WaitsOfCounts(core.core, hand) != waits) {
        return "core does not keep the waits";
    }
    if (waits == 0) {
        return core.core == hand ? "" : "a hand with no wait is reduced";
    }
    // Every part: an odometer over the copies of each number.
    TileCounts part{};
    for (;;) {
        std::size_t n = kMinTile;
        while (n <= kMaxTile && part[n] == hand[n]) {
            part[n] = 0;
            ++n;
        }
        if (n > kMaxTile) {
            break;
        }
        ++part[n];
        const std::int32_t size = TileTotal(part);
        if (size % 3 != 1 || size > core.coreSize) {
            continue;
        }
        TileCounts left = hand;
        for (std::size_t m = kMinTile; m <= kMaxTile; ++m) {
            left[m] -= part[m];
        }
        if (!SplitsIntoMelds(left) || WaitsOfCounts(part, hand) != waits) {
            continue;
        }
        if (size < core.coreSize) {
            return "a smaller core " + Digits(part) + " keeps the waits";
        }
        if (Before(part, core.core)) {
            return "core " + Digits(part) + " comes first";
        }
    }
    return "";
}

NumberSet QuizWaits(const Hand13& hand) {
    Problem problem{};
    FindWaits(hand, problem);
    NumberSet waits = 0;
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        if (problem.isWait[static_cast<std::size_t>(n)] != 0) {
            waits |= NumberBit(n);
        }
    }
    return waits;
}

template <std::size_t N>
void CheckShortCores() {
    tests::ForEveryHand<N>([](const std::array<TileNumber, N>&, const TileCounts& counts) {
        SmallestCore core;
        if (!FindSmallestCore(counts, core)) {
            return std::string("no core");
        }
        return CheckCore(counts, WaitsOfCounts(counts), core);
    });
}

TEST(SmallestCore, everyShortHandKeepsItsWaitsAndNothingSmallerOrEarlierDoes) {
    CheckShortCores<4>();
    CheckShortCores<7>();
    CheckShortCores<10>();
}

constexpr int kShards = 4;

class EveryHint : public ::testing::TestWithParam<int> {};

TEST_P(EveryHint, hintsOneTwoFiveAndSixAgreeWithSecondAnswers) {
    int index = 0;
    tests::ForEveryHand<13>([&](const Hand13& hand, const TileCounts& counts) {
        if (index++ % kShards != GetParam()) {
            return std::string();
        }
        TileHand tiles;
        std::copy(hand.begin(), hand.end(), tiles.tiles.begin());
        tiles.count = 13;
        Hints hints;
        if (!ComputeHints(tiles, hints)) {
            return std::string("no hints");
        }
        const NumberSet waits = QuizWaits(hand);
        std::string fault;
        if (hints.waitCount != __builtin_popcount(waits)) {
            fault = "hint 1 counts " + std::to_string(hints.waitCount);
        }
        if (fault.empty()) {
            fault = CheckCore(counts, waits, hints.core);
        }
        SujiLines lines = 0;
        TileNumber lowest = 0;
        for (TileNumber n = kMaxTile; n >= kMinTile; --n) {
            if ((waits & NumberBit(n)) != 0) {
                lines = static_cast<SujiLines>(lines | 1u << ((n - 1) % 3));
                lowest = n;
            }
        }
        if (fault.empty() && (hints.waitLines != lines || hints.shownWait != lowest)) {
            fault = "hint 5 or the wait of hint 6";
        }
        if (fault.empty() && lowest != 0) {
            // The shown reading is the 14 tiles, its winning block holds the wait, and it has the
            // best han of the answer box.
            const ExplainedReading& r = hints.shownReading;
            TileCounts blocks{};
            bool holdsWait = false;
            for (std::int32_t b = 0; b < r.blockCount; ++b) {
                const Block& block = r.blocks[static_cast<std::size_t>(b)];
                const int size = block.kind == BlockKind::Pair ? 2 : 3;
                for (int k = 0; k < size; ++k) {
                    const TileNumber t = block.first + (block.kind == BlockKind::Run ? k : 0);
                    ++blocks[static_cast<std::size_t>(t)];
                    holdsWait = holdsWait || (b == r.winningBlock && t == lowest);
                }
            }
            TileCounts won = counts;
            ++won[static_cast<std::size_t>(lowest)];
            std::array<std::int32_t, kPatternCount> best{};
            EvaluateWinningHand(WithTile(hand, lowest), lowest, best.data());
            PatternFlags flags{};
            std::copy(best.begin(), best.end(), flags.begin());
            if (blocks != won || !holdsWait || r.han != HanTotal(flags)) {
                fault = "hint 6 shows another reading";
            }
        }
        return fault;
    });
}

INSTANTIATE_TEST_SUITE_P(EveryHand, EveryHint, ::testing::Range(0, kShards));

std::string Words(const Hints& hints, int level) {
    return std::string(HintWords(hints, level).view());
}

TEST(Hints, theWorkedExample) {
    Hints hints;
    ASSERT_TRUE(ComputeHints(TilesOf("9871233344555"), hints));
    EXPECT_EQ(Words(hints, 1), "4種待ち");
    EXPECT_EQ(Words(hints, 2), "123・789を外すと、残りは3344555");
    EXPECT_EQ(Words(hints, 3), "残りは連続4面の形");
    EXPECT_EQ(Words(hints, 4), "5を面子と見ると2種、雀頭と見ると2種");
    EXPECT_EQ(Words(hints, 5), "待ちの筋：1-4-7・2-5-8・3-6-9");
    EXPECT_EQ(Words(hints, 6), "2：123 [234] 345 55 789　両面待ち");
    EXPECT_EQ(Words(hints, 0), "");
    EXPECT_EQ(Words(hints, 7), "");
}

// Hint 4 takes the first case that applies: a triplet in the core, else no number held three
// times in the hand, else the core's wait shapes.
TEST(Hints, theFourthHintInEachOfItsCases) {
    struct Case {
        const char* hand;
        FourthHint kind;
        const char* words;
    };
    const Case cases[] = {
        // Two triplets in the core, each read both ways.
        {"3334555", FourthHint::CoreTriplets,
         "3を面子と見ると3種、雀頭と見ると2種　5を面子と見ると3種、雀頭と見ると2種"},
        // A number held four times: 888 as a meld leaves 6678 (6 and 9), as the pair 66788 (7).
        {"6678888", FourthHint::CoreTriplets, "8を面子と見ると2種、雀頭と見ると1種"},
        // No triplet anywhere: the lines of an odd count at 13 and 7 tiles...
        {"1122334567788", FourthHint::CountLines, "待ちは枚数が奇数の筋：1-4-7・2-5-8・3-6-9"},
        {"2345678", FourthHint::CountLines, "待ちは枚数が奇数の筋：2-5-8"},
        // ...and of an even count at 4 and 10, where the melds number one, or three.
        {"2345", FourthHint::CountLines, "待ちは枚数が偶数の筋：2-5-8"},
        {"1123456789", FourthHint::CountLines, "待ちは枚数が偶数の筋：1-4-7"},
        // The triplets were set aside: 111 and 999 leave 2345678, whose waits are single waits.
        {"1112345678999", FourthHint::CoreTriplets, ""},
        {"2499444", FourthHint::CoreShapes, "残りは嵌張待ち"},
        {"3345666777999", FourthHint::CoreShapes, "残りは両面待ち・単騎待ち"},
    };
    for (const Case& c : cases) {
        Hints hints;
        ASSERT_TRUE(ComputeHints(TilesOf(c.hand), hints)) << c.hand;
        EXPECT_EQ(hints.fourth, c.kind) << c.hand;
        if (*c.words != '\0') {
            EXPECT_EQ(Words(hints, 4), c.words) << c.hand;
        }
    }
}

TEST(Hints, familyPhrasesNameTheFormTheEdgeAndTheUnnamed) {
    Hints hints;
    ASSERT_TRUE(ComputeHints(TilesOf("1233"), hints));  // 123 aside leaves 3, a lone tile
    EXPECT_EQ(Words(hints, 3), "残りは単騎の形");
    ASSERT_TRUE(ComputeHints(TilesOf("1222"), hints));
    EXPECT_EQ(Words(hints, 3), "残りは暗刻+隣（リャンタン）の形（端で1種減る）");
    ASSERT_TRUE(ComputeHints(TilesOf("1113456"), hints));
    EXPECT_EQ(hints.core.family.family, kNoFamily);
    EXPECT_EQ(Words(hints, 3), "名前のない7枚形");
    // Nothing to set aside, and a hand that waits on nothing.
    ASSERT_TRUE(ComputeHints(TilesOf("2345"), hints));
    EXPECT_EQ(Words(hints, 2), "外せる面子はない");
    ASSERT_TRUE(ComputeHints(TilesOf("1357"), hints));
    EXPECT_EQ(hints.waitCount, 0);
    EXPECT_EQ(Words(hints, 1), "待ちなし");
    EXPECT_EQ(Words(hints, 6), "待ちなし");
    EXPECT_FALSE(ComputeHints(TilesOf("12345"), hints));
}

TEST(SmallestCore, tiesGoToTheEarlierFamilyThenTheSmallerDigits) {
    SmallestCore core;
    TileCounts hand{};
    // 3345 (亜両面) and 3366 (双碰) both keep 3 and 6: the earlier family wins.
    for (const char c : std::string("3345666777999")) {
        ++hand[static_cast<std::size_t>(c - '0')];
    }
    ASSERT_TRUE(FindSmallestCore(hand, core));
    EXPECT_EQ(Digits(core.core), "3345");
    EXPECT_EQ(core.setAsideCount, 3);
    // 中ぶくれ reduces to a lone tile once its run is set aside.
    hand = TileCounts{};
    hand[2] = hand[4] = 1;
    hand[3] = 2;
    ASSERT_TRUE(FindSmallestCore(hand, core));
    EXPECT_EQ(Digits(core.core), "3");
    // Of two ways to set aside the same tiles, the one that reads first.
    hand = TileCounts{};
    for (const char c : std::string("1112223339")) {
        ++hand[static_cast<std::size_t>(c - '0')];
    }
    ASSERT_TRUE(FindSmallestCore(hand, core));
    EXPECT_EQ(Digits(core.core), "9");
    ASSERT_EQ(core.setAsideCount, 3);
    EXPECT_EQ(core.setAside[0].kind, BlockKind::Triplet);
}

}  // namespace
}  // namespace zelkon::tests
