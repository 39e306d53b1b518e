#include "quiz/quiz_logic.h"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

#include "dealing/problem_dealer.h"
#include "known_hands.h"
#include "seeded_draws.h"

namespace zelkon {
namespace {

using test::Draws;
using test::kKnownHands;
using test::UseSeededDraws;

struct BitmapCase {
    std::int32_t number;
    SuitKind suit;
    std::int32_t id;
};

void PrintTo(const BitmapCase& c, std::ostream* os) {
    *os << "number " << c.number << " suit " << c.suit;
}

class TileBitmapIdTest : public testing::TestWithParam<BitmapCase> {};

TEST_P(TileBitmapIdTest, namesTheImageOfNumberAndSuit) {
    const BitmapCase& c = GetParam();
    EXPECT_EQ(TileBitmapId(c.number, c.suit), c.id);
}

INSTANTIATE_TEST_SUITE_P(Table, TileBitmapIdTest,
                         testing::Values(BitmapCase{1, 0, 173}, BitmapCase{9, 0, 181},
                                         BitmapCase{1, 1, 183}, BitmapCase{9, 1, 191},
                                         BitmapCase{1, 2, 192}, BitmapCase{9, 2, 200},
                                         BitmapCase{5, 2, 196}, BitmapCase{0, 1, 173},
                                         BitmapCase{10, 2, 173}, BitmapCase{-1, 0, 173},
                                         BitmapCase{5, 3, 173}, BitmapCase{5, -1, 173}));

TEST(TileBitmapId, neverNamesTheMissingId182) {
    for (std::int32_t n = -2; n <= 12; ++n) {
        for (SuitKind s = -2; s <= 5; ++s) {
            const std::int32_t id = TileBitmapId(n, s);
            EXPECT_TRUE(id >= 173 && id <= 200 && id != 182) << n << " " << s;
        }
    }
}

void ExpectFreshQuestion(const QuizLogic& quiz) {
    EXPECT_FALSE(quiz.answered());
    EXPECT_EQ(quiz.answerText(), "何待ち？");
    for (TileNumber n = 1; n <= 9; ++n) {
        EXPECT_FALSE(quiz.selected(n)) << n;
        EXPECT_EQ(quiz.mark(n), MarkKind::MarkNone) << n;
    }
}

TEST(QuizSetUp, dealsThenDrawsTheSuitAndShowsSorted) {
    UseSeededDraws(11);
    QuizLogic quiz;
    quiz.SetUp();
    EXPECT_EQ(Draws().count, kDealDraws + 1);
    EXPECT_EQ(quiz.suitKind(), Draws().last % 3);
    EXPECT_TRUE(quiz.sortTiles());
    ExpectFreshQuestion(quiz);
    const Problem& p = quiz.problem();
    EXPECT_TRUE(std::is_sorted(p.sortedHand.begin(), p.sortedHand.end()));
    for (int k = 0; k < 13; ++k) {
        EXPECT_EQ(quiz.displayTile(k), p.sortedHand[static_cast<std::size_t>(k)]);
    }
}

TEST(QuizSetUp, dealsWhatDealProblemDealsFromTheSameDraws) {
    UseSeededDraws(99);
    QuizLogic quiz;
    quiz.SetUp();
    UseSeededDraws(99);
    Problem expected{};
    DealProblem(expected);
    EXPECT_EQ(quiz.problem().sortedHand, expected.sortedHand);
    EXPECT_EQ(quiz.problem().dealOrder, expected.dealOrder);
    EXPECT_EQ(quiz.problem().isWait, expected.isWait);
}

struct ModeCase {
    std::int32_t suitMode;
    long draws;
};

void PrintTo(const ModeCase& c, std::ostream* os) {
    *os << "suit mode " << c.suitMode;
}

class NewProblemSuit : public testing::TestWithParam<ModeCase> {};

TEST_P(NewProblemSuit, drawsASuitOnlyInRandomMode) {
    const ModeCase& c = GetParam();
    UseSeededDraws(5);
    QuizLogic quiz;
    quiz.SetUp();
    const long before = Draws().count;
    quiz.NewProblem(c.suitMode, 1);
    EXPECT_EQ(Draws().count - before, c.draws);
    EXPECT_EQ(quiz.suitKind(), c.suitMode == 3 ? Draws().last % 3 : c.suitMode);
}

INSTANTIATE_TEST_SUITE_P(Modes, NewProblemSuit,
                         testing::Values(ModeCase{0, kDealDraws}, ModeCase{1, kDealDraws},
                                         ModeCase{2, kDealDraws}, ModeCase{3, kDealDraws + 1}));

TEST(NewProblem, followsTheSortSettingAndClearsTheQuestion) {
    UseSeededDraws(8);
    QuizLogic quiz;
    quiz.SetUp();
    quiz.Toggle(3);
    quiz.Answer();
    quiz.NewProblem(0, 0);
    ExpectFreshQuestion(quiz);
    EXPECT_FALSE(quiz.sortTiles());
    for (int k = 0; k < 13; ++k) {
        EXPECT_EQ(quiz.displayTile(k), quiz.problem().dealOrder[static_cast<std::size_t>(k)]);
    }
    quiz.NewProblem(0, 1);
    EXPECT_TRUE(quiz.sortTiles());
}

class KnownAnswer : public testing::TestWithParam<test::KnownHand> {};

TEST_P(KnownAnswer, textListsEachWaitWithItsPatterns) {
    const test::KnownHand& known = GetParam();
    UseSeededDraws(3);
    QuizLogic quiz;
    quiz.SetUp();
    quiz.LoadProblem(known.hand, 1, 1);
    ExpectFreshQuestion(quiz);
    EXPECT_EQ(quiz.problem().sortedHand, known.hand);
    for (int n = 1; n <= 9; ++n) {
        EXPECT_EQ(quiz.problem().isWait[static_cast<std::size_t>(n)],
                  known.isWait[static_cast<std::size_t>(n)]);
    }
    quiz.Answer();
    EXPECT_TRUE(quiz.answered());
    EXPECT_EQ(quiz.answerText(), std::string(known.answer));
}

INSTANTIATE_TEST_SUITE_P(Hands, KnownAnswer, testing::ValuesIn(kKnownHands));

TEST(Answer, ignoresStalePatternsOfNumbersThatAreNoLongerWaits) {
    UseSeededDraws(4);
    QuizLogic quiz;
    quiz.SetUp();
    quiz.LoadProblem(kKnownHands[0].hand, 0, 1);  // every number a wait
    quiz.LoadProblem(kKnownHands[3].hand, 0, 1);  // only 8 and 9
    quiz.Answer();
    EXPECT_EQ(quiz.answerText(), std::string(kKnownHands[3].answer));
}

struct MarkCase {
    const char* name;
    const char* picks;  // digits picked
    const char* marks;  // nine letters for 1..9: o circle, x cross, - none
};

void PrintTo(const MarkCase& c, std::ostream* os) {
    *os << c.name;
}

class Marks : public testing::TestWithParam<MarkCase> {};

// Waits of the hand below: 1, 4 and 7.
TEST_P(Marks, followTheWaitsAndThePicks) {
    const MarkCase& c = GetParam();
    UseSeededDraws(6);
    QuizLogic quiz;
    quiz.SetUp();
    quiz.LoadProblem(kKnownHands[2].hand, 2, 1);
    for (const char* p = c.picks; *p != '\0'; ++p) {
        quiz.Toggle(*p - '0');
    }
    quiz.Answer();
    for (TileNumber n = 1; n <= 9; ++n) {
        const char want = c.marks[n - 1];
        const MarkKind expected = want == 'o'   ? MarkKind::MarkCircle
                                  : want == 'x' ? MarkKind::MarkCross
                                                : MarkKind::MarkNone;
        EXPECT_EQ(quiz.mark(n), expected) << c.name << " number " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Marks,
    testing::Values(MarkCase{"no picks", "", "x--x--x--"},
                    MarkCase{"all picks", "123456789", "oxxoxxoxx"},
                    MarkCase{"mixed", "129", "ox-x--x-x"}, MarkCase{"exact", "147", "o--o--o--"},
                    MarkCase{"toggled twice is unpicked", "1441", "x--x--x--"}),
    [](const testing::TestParamInfo<MarkCase>& param) {
        std::string name = param.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST(Answer, keepsPicksAndDoesNothingTheSecondTime) {
    UseSeededDraws(7);
    QuizLogic quiz;
    quiz.SetUp();
    quiz.LoadProblem(kKnownHands[1].hand, 0, 1);
    quiz.Toggle(5);
    quiz.Answer();
    const std::string text(quiz.answerText());
    quiz.Answer();
    EXPECT_EQ(quiz.answerText(), text);
    EXPECT_TRUE(quiz.selected(5));
    EXPECT_EQ(quiz.mark(5), MarkKind::MarkCircle);
}

TEST(Toggle, ignoresNumbersOutsideOneToNine) {
    UseSeededDraws(2);
    QuizLogic quiz;
    quiz.SetUp();
    quiz.Toggle(0);
    quiz.Toggle(10);
    quiz.Toggle(-3);
    ExpectFreshQuestion(quiz);
}

struct EntryCase {
    const char* name;
    Hand13 typed;
    std::int32_t suitMode;
    std::string_view answer;
};

void PrintTo(const EntryCase& c, std::ostream* os) {
    *os << c.name;
}

class EnterProblemCase : public testing::TestWithParam<EntryCase> {};

TEST_P(EnterProblemCase, showsTheTypedOrderUnansweredAndDrawsOnlyARandomSuit) {
    const EntryCase& c = GetParam();
    UseSeededDraws(21);
    QuizLogic quiz;
    quiz.SetUp();
    quiz.Toggle(4);
    quiz.Answer();
    const long before = Draws().count;
    quiz.EnterProblem(c.typed, c.suitMode, 0);
    EXPECT_EQ(Draws().count - before, c.suitMode == 3 ? 1 : 0);
    EXPECT_EQ(quiz.suitKind(), c.suitMode == 3 ? Draws().last % 3 : c.suitMode);
    ExpectFreshQuestion(quiz);
    EXPECT_EQ(quiz.problem().dealOrder, c.typed);
    for (int k = 0; k < 13; ++k) {
        EXPECT_EQ(quiz.displayTile(k), c.typed[static_cast<std::size_t>(k)]);
    }
    Hand13 sorted = c.typed;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(quiz.problem().sortedHand, sorted);
    quiz.Answer();
    EXPECT_EQ(quiz.answerText(), c.answer);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EnterProblemCase,
    testing::Values(
        EntryCase{"nine gates backwards",
                  {9, 9, 9, 8, 7, 6, 5, 4, 3, 2, 1, 1, 1},
                  1,
                  kKnownHands[0].answer},
        EntryCase{
            "pinfu shuffled", {8, 2, 7, 3, 6, 4, 5, 5, 4, 6, 3, 7, 2}, 3, kKnownHands[1].answer},
        EntryCase{
            "no wait: the header alone", {1, 1, 1, 1, 2, 2, 2, 2, 5, 5, 5, 5, 9}, 2, kAnswerHeader},
        EntryCase{"scattered: no wait", {1, 3, 5, 7, 9, 2, 4, 6, 8, 1, 5, 9, 3}, 0, kAnswerHeader}),
    [](const testing::TestParamInfo<EntryCase>& param) {
        std::string name = param.param.name;
        std::replace_if(
            name.begin(), name.end(), [](char ch) { return !std::isalnum(ch); }, '_');
        return name;
    });

TEST(EnterProblem, agreesWithTheDealerOnEveryDealtHand) {
    // A hand typed in the order a deal showed it is that deal's problem again.
    UseSeededDraws(31);
    QuizLogic entered;
    entered.SetUp();
    for (int i = 0; i < 500; ++i) {
        Problem dealt{};
        DealProblem(dealt);
        entered.EnterProblem(dealt.dealOrder, 0, 0);
        const Problem& p = entered.problem();
        ASSERT_EQ(p.sortedHand, dealt.sortedHand) << i;
        ASSERT_EQ(p.dealOrder, dealt.dealOrder) << i;
        ASSERT_EQ(p.isWait, dealt.isWait) << i;
        for (std::size_t n = 1; n <= 9; ++n) {
            if (dealt.isWait[n] != 0) {
                ASSERT_EQ(p.patterns[n], dealt.patterns[n]) << i << " wait " << n;
            }
        }
    }
}

TEST(AnswerText, holdsTheLongestAnswerAndNeverWritesPastItsEnd) {
    // The header and nine lines, each naming all eleven patterns.
    std::string longest(kAnswerHeader);
    for (int n = 1; n <= 9; ++n) {
        longest += "  [" + std::to_string(n) + "]   ";
        for (const PatternRow& row : PatternTable) {
            longest += std::string(row.name) + "  ";
        }
        longest += "\r\n";
    }
    FixedText<LongestAnswer(kAnswerHeader.size(), kWaitPrefixLength)> text;
    text = longest;
    EXPECT_EQ(text.view(), longest);

    text += "x";
    EXPECT_EQ(text.view(), longest);
}

}  // namespace
}  // namespace zelkon
