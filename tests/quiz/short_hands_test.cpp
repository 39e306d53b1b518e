// Short hands, families and the ladder in the quiz logic and the practice dealer: no toolkit, so
// built and run in the core preset.
#include <array>
#include <gtest/gtest.h>
#include <string>

#include "analysis/hand_notation.h"
#include "analysis/tile_hand.h"
#include "cli/report.h"
#include "dealing/family_dealer.h"
#include "dealing/problem_dealer.h"
#include "quiz/ladder.h"
#include "quiz/practice_dealer.h"
#include "quiz/quiz_logic.h"
#include "seeded_draws.h"
#include "tests/support/hand_strings.h"

namespace zelkon {
namespace {

// The answer box as the command line's waits report words each wait: its "  [n]   shapes" lines.
std::string AnswerFromReport(const std::string& digits) {
    HandNotation hand;
    EXPECT_EQ(ParseHandNotation(digits, hand, kEveryHandSize).code, HandFault::None) << digits;
    const std::string report = waitsReport(hand);
    std::string answer = "＜待ち牌と複合役＞\r\n";
    std::size_t at = 0;
    while (at < report.size()) {
        const std::size_t end = report.find('\n', at);
        const std::string line = report.substr(at, end - at);
        at = end == std::string::npos ? report.size() : end + 1;
        if (line.starts_with("  [")) {
            answer += line + "\r\n";
        }
    }
    return answer;
}

// Every hand of 4, 7 and 10 tiles: the answer box agrees with the command line's report, a
// different writer over a different reading of the waits, and the board holds the tiles dealt.
TEST(ShortHandAnswer, everyShortHandListsItsWaitsWithTheirShapes) {
    test::UseSeededDraws(7);
    for (const std::int32_t size : {4, 7, 10}) {
        std::array<int, kNumberSlots> counts{};
        int checked = 0;
        // Counts as an odometer over 0..4 for the numbers 1 to 9.
        for (;;) {
            int total = 0;
            for (std::size_t n = 1; n <= 9; ++n) {
                total += counts[n];
            }
            if (total == size) {
                std::string digits;
                for (std::size_t n = 1; n <= 9; ++n) {
                    digits.append(static_cast<std::size_t>(counts[n]), static_cast<char>('0' + n));
                }
                QuizLogic quiz;
                ASSERT_TRUE(quiz.LoadTiles(tests::TilesOf(digits), 0, 0));
                ASSERT_EQ(quiz.tileCount(), size);
                EXPECT_EQ(tests::DigitsOf(quiz.sortedTiles()), digits);
                std::array<int, kNumberSlots> shown{};
                for (int k = 0; k < size; ++k) {
                    ++shown[static_cast<std::size_t>(quiz.displayTile(k))];
                }
                EXPECT_EQ(shown, counts) << digits;
                quiz.Answer();
                EXPECT_EQ(quiz.answerText(), AnswerFromReport(digits)) << digits;
                ++checked;
            }
            std::size_t n = 1;
            while (n <= 9 && ++counts[n] > 4) {
                counts[n++] = 0;
            }
            if (n > 9) {
                break;
            }
        }
        EXPECT_GT(checked, size == 4 ? 400 : size == 7 ? 6000 : 20000) << size;
    }
}

TEST(ShortHandAnswer, picksMarksAndHintsWorkAsForThirteenTiles) {
    QuizLogic quiz;
    ASSERT_TRUE(quiz.LoadTiles(tests::TilesOf("3334555"), 1, 1));
    EXPECT_EQ(quiz.suitKind(), 1);
    EXPECT_EQ(quiz.answerText(), "何待ち？");
    for (int i = 1; i <= kHintCount; ++i) {
        EXPECT_TRUE(quiz.UseHint());
        EXPECT_EQ(quiz.hintsUsed(), i);
    }
    EXPECT_FALSE(quiz.UseHint());
    for (const TileNumber n : {2, 3, 4, 5, 9}) {
        quiz.Toggle(n);
    }
    EXPECT_FALSE(quiz.fullyRight());
    quiz.Answer();
    EXPECT_EQ(quiz.mark(2), MarkKind::MarkCircle);
    EXPECT_EQ(quiz.mark(6), MarkKind::MarkCross);
    EXPECT_EQ(quiz.mark(9), MarkKind::MarkCross);
    EXPECT_EQ(quiz.mark(1), MarkKind::MarkNone);
    EXPECT_FALSE(quiz.UseHint());
    // Anything but 4, 7, 10 or 13 tiles of at most four copies changes nothing.
    for (const char* bad : {"333455", "33345551", "11111", ""}) {
        EXPECT_FALSE(quiz.LoadTiles(tests::TilesOf(bad), 0, 0)) << bad;
        EXPECT_EQ(quiz.tileCount(), 7);
        EXPECT_TRUE(quiz.answered());
    }
    // A new question starts without hints; 13 tiles go the quiz's own way.
    ASSERT_TRUE(quiz.LoadTiles(tests::TilesOf("9998887776665"), 0, 1));
    EXPECT_EQ(quiz.hintsUsed(), 0);
    EXPECT_EQ(quiz.tileCount(), 13);
    EXPECT_EQ(quiz.displayTile(0), 5);
    for (const TileNumber n : {4, 5, 6, 7, 8}) {
        quiz.Toggle(n);
    }
    EXPECT_TRUE(quiz.fullyRight());
}

// A typed hand of any waiting size shows as typed and draws nothing; it is the same question as
// the hand loaded from the dealer.
TEST(ShortHandAnswer, aTypedHandOfEverySizeIsTheLoadedQuestionInTheTypedOrder) {
    test::UseSeededDraws(3);
    for (const char* typed : {"5432", "5534353", "9876543211", "9998887776665", "1119"}) {
        QuizLogic entered;
        QuizLogic loaded;
        const long draws = test::Draws().count;
        ASSERT_TRUE(entered.EnterTiles(tests::TilesOf(typed), 2, 0)) << typed;
        EXPECT_EQ(test::Draws().count, draws) << typed;
        ASSERT_TRUE(loaded.LoadTiles(tests::TilesOf(typed), 2, 0));
        ASSERT_EQ(entered.tileCount(), loaded.tileCount());
        EXPECT_EQ(tests::DigitsOf(entered.sortedTiles()), tests::DigitsOf(loaded.sortedTiles()));
        std::string shown;
        for (int k = 0; k < entered.tileCount(); ++k) {
            shown += static_cast<char>('0' + entered.displayTile(k));
        }
        EXPECT_EQ(shown, typed);
        entered.Answer();
        loaded.Answer();
        EXPECT_EQ(entered.answerText(), loaded.answerText()) << typed;
    }
    QuizLogic quiz;
    for (const char* bad : {"333455", "23456", "11111", "12345678901234", ""}) {
        EXPECT_FALSE(quiz.EnterTiles(tests::TilesOf(bad), 0, 0)) << bad;
        EXPECT_FALSE(quiz.answered());
    }
}

TEST(PracticeDealer, theQuizsSizeAndEveryFormDrawAsThePlainDeal) {
    PracticeDealer dealer;
    for (int deal = 0; deal < 20; ++deal) {
        test::UseSeededDraws(static_cast<std::uint32_t>(100 + deal));
        Problem plain{};
        DealProblem(plain);
        test::UseSeededDraws(static_cast<std::uint32_t>(100 + deal));
        Problem sized{};
        ShortProblem unused{};
        EXPECT_EQ(dealer.DealSized(sized, unused), 13);
        EXPECT_EQ(sized.dealOrder, plain.dealOrder);
        EXPECT_EQ(dealer.lastDeal(), DealKind::Plain);
        EXPECT_EQ(dealer.lastFamily(), kNoFamily);
    }
}

TEST(PracticeDealer, dealsTheSizeAndFamilyInForceAndDueCardsOfAnySize) {
    test::UseSeededDraws(11);
    PracticeDealer dealer;
    Problem problem{};
    ShortProblem shortProblem{};
    for (const std::int32_t size : {4, 7, 10}) {
        dealer.setTiles(size);
        dealer.setBand(kBandFivePlus);  // bands choose among 13-tile hands only
        for (int i = 0; i < 20; ++i) {
            ASSERT_EQ(dealer.DealSized(problem, shortProblem), size);
            EXPECT_EQ(shortProblem.sortedHand.count, size);
            EXPECT_EQ(dealer.lastDeal(), DealKind::Plain);
        }
    }
    // Below its core's size a family comes at its own smallest size.
    const FamilyIndex tatsumaki = FamilyIndexOf("tatsumaki");
    dealer.setTiles(4);
    dealer.setFamily(tatsumaki);
    EXPECT_EQ(dealer.dealtTiles(), 7);
    ASSERT_EQ(dealer.DealSized(problem, shortProblem), 7);
    EXPECT_EQ(dealer.lastFamily(), tatsumaki);
    EXPECT_EQ(dealer.lastDeal(), DealKind::Family);
    dealer.setTiles(13);
    ASSERT_EQ(dealer.DealSized(problem, shortProblem), 13);
    EXPECT_EQ(dealer.lastFamily(), tatsumaki);
    // The weakest family wins over the chosen one, and deals as weak shapes.
    const FamilyIndex happou = FamilyIndexOf("happou");
    dealer.setWeakFamily(happou);
    EXPECT_TRUE(dealer.weakShapes());
    dealer.setTiles(7);
    ASSERT_EQ(dealer.DealSized(problem, shortProblem), 10);
    EXPECT_EQ(dealer.lastFamily(), happou);
    EXPECT_EQ(dealer.lastDeal(), DealKind::WeakShapes);
    // A due card of any size comes first, outside timed runs.
    dealer.setDueHandHook([](TileHand& hand) {
        hand = tests::TilesOf("2345");
        return true;
    });
    ASSERT_EQ(dealer.DealSized(problem, shortProblem), 4);
    EXPECT_EQ(tests::DigitsOf(shortProblem.sortedHand), "2345");
    EXPECT_EQ(dealer.lastDeal(), DealKind::Review);
    EXPECT_EQ(dealer.lastFamily(), kNoFamily);
    dealer.setTimedRun(true);
    ASSERT_EQ(dealer.DealSized(problem, shortProblem), 10);
    EXPECT_EQ(dealer.lastDeal(), DealKind::TimedRun);
}

TEST(Ladder, climbsAfterARunOfFullyRightAndDropsAfterTwoMisses) {
    using A = LadderAnswer;
    Ladder ladder;
    ladder.Start(FamilyIndexOf("tatsumaki"));
    ASSERT_EQ(ladder.tiles(), 7);
    // (answer, size after it, moved)
    const struct {
        A answer;
        std::int32_t tiles;
        bool moved;
    } steps[] = {
        {A::FullyRight, 7, false},  {A::FullyRight, 7, false},  {A::Hinted, 7, false},
        {A::FullyRight, 7, false},  {A::Missed, 7, false},      {A::FullyRight, 7, false},
        {A::FullyRight, 7, false},  {A::FullyRight, 10, true},  {A::Missed, 10, false},
        {A::FullyRight, 10, false}, {A::Missed, 10, false},     {A::Missed, 7, true},
        {A::Missed, 7, false},      {A::Missed, 7, false},      {A::FullyRight, 7, false},
        {A::FullyRight, 7, false},  {A::FullyRight, 10, true},  {A::FullyRight, 10, false},
        {A::FullyRight, 10, false}, {A::FullyRight, 13, true},  {A::FullyRight, 13, false},
        {A::FullyRight, 13, false}, {A::FullyRight, 13, false},
    };
    int i = 0;
    for (const auto& step : steps) {
        EXPECT_EQ(ladder.Record(step.answer), step.moved) << "step " << i;
        EXPECT_EQ(ladder.tiles(), step.tiles) << "step " << i;
        EXPECT_EQ(ladder.family(), FamilyIndexOf("tatsumaki")) << "step " << i;
        ++i;
    }
}

// The whole catalogue: every family climbs from its core's size through sizes that have hands
// to 13, then the walk goes on to the next family and wraps round.
TEST(Ladder, walksTheCatalogueFamilyByFamilyUpToThirteenTiles) {
    Ladder ladder;
    ladder.Start(kNoFamily);
    for (FamilyIndex f = 0; f <= kFamilyCount; ++f) {
        const FamilyIndex family = f % kFamilyCount;
        const char* id = kShapeFamilies[static_cast<std::size_t>(family)].id;
        ASSERT_EQ(ladder.family(), family);
        const std::int32_t core = FamilyCoreSize(family);
        EXPECT_EQ(ladder.tiles(), core < 4 ? 4 : core) << id;
        std::int32_t last = 0;
        while (ladder.family() == family && ladder.tiles() > last) {
            last = ladder.tiles();
            EXPECT_TRUE(FamilyHasHand(family, last)) << id << " " << last;
            for (int k = 0; k < kLadderClimbStreak; ++k) {
                ladder.Record(LadderAnswer::FullyRight);
            }
        }
        EXPECT_EQ(last, 13) << id;
    }
    // A kept step comes back only where it can be dealt.
    ladder.Restore(kNoFamily, FamilyIndexOf("happou"), 13);
    EXPECT_EQ(ladder.family(), FamilyIndexOf("happou"));
    EXPECT_EQ(ladder.tiles(), 13);
    ladder.Restore(kNoFamily, FamilyIndexOf("happou"), 7);
    EXPECT_EQ(ladder.family(), 0);
    EXPECT_EQ(ladder.tiles(), 4);
    ladder.Restore(FamilyIndexOf("tanki"), FamilyIndexOf("happou"), 13);
    EXPECT_EQ(ladder.family(), FamilyIndexOf("tanki"));
    EXPECT_EQ(ladder.tiles(), 4);
}

// The ladder moves only on answers to questions the dealer dealt on its step, each counted once:
// a typed hand, a second answer or a question left from before the ladder was on moves nothing.
TEST(PracticeDealer, onlyQuestionsDealtOnTheLaddersStepMoveIt) {
    test::UseSeededDraws(3);
    PracticeDealer dealer;
    QuizLogic quiz;
    const auto answerRight = [&] {
        for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
            if (quiz.isWait(n)) {
                quiz.Toggle(n);
            }
        }
        quiz.Answer();
        return dealer.RecordAnswer(quiz);
    };
    const auto deal = [&] {
        quiz.NewProblem(0, 1, &dealer);
        dealer.noteShown();
    };
    deal();
    dealer.setFamily(FamilyIndexOf("nobetan"));
    dealer.setLadderOn(true);
    EXPECT_FALSE(answerRight()) << "dealt before the ladder was on";
    ASSERT_EQ(dealer.ladder().tiles(), 4);
    for (int k = 1; k < kLadderClimbStreak; ++k) {
        deal();
        EXPECT_FALSE(answerRight());
        EXPECT_FALSE(dealer.RecordAnswer(quiz)) << "a second answer to one question";
    }
    ASSERT_TRUE(quiz.EnterTiles(tests::TilesOf("2345"), 0, 1));
    dealer.noteEntered();
    dealer.noteShown();
    EXPECT_FALSE(answerRight()) << "a typed hand";
    deal();
    EXPECT_TRUE(answerRight());
    EXPECT_EQ(dealer.ladder().tiles(), 7);
    // A family chosen while the ladder is on starts it again there.
    dealer.setFamily(FamilyIndexOf("tatsumaki"));
    EXPECT_EQ(dealer.ladder().family(), FamilyIndexOf("tatsumaki"));
    EXPECT_EQ(dealer.ladder().tiles(), 7);
    dealer.restoreLadder(FamilyIndexOf("happou"), 13);
    EXPECT_TRUE(dealer.ladderOn());
    EXPECT_EQ(dealer.ladder().family(), FamilyIndexOf("tatsumaki")) << "not of the family chosen";
}

}  // namespace
}  // namespace zelkon
