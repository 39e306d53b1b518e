// The timed run and the practice dealer, which need no toolkit: built and run in the core preset.
#include <functional>
#include <gtest/gtest.h>

#include "dealing/problem_dealer.h"
#include "quiz/deal_status.h"
#include "quiz/practice_dealer.h"
#include "quiz/quiz_logic.h"
#include "quiz/timed_run.h"
#include "seeded_draws.h"

namespace zelkon {
namespace {

using namespace std::chrono_literals;

class HandClock : public RunClock {
public:
    std::chrono::nanoseconds now() const override { return at; }
    std::chrono::nanoseconds at{};
};

TEST(TimedRun, timeTextCutsTenthsAndNeverGoesBelowZero) {
    const struct {
        std::chrono::nanoseconds time;
        const char* text;
    } cases[] = {{0ns, "0:00.0"},           {-5s, "0:00.0"},        {99ms, "0:00.0"},
                 {59999ms, "0:59.9"},       {60s, "1:00.0"},        {61050ms, "1:01.0"},
                 {600s + 123ms, "10:00.1"}, {3600s * 2, "120:00.0"}};
    for (const auto& c : cases) {
        EXPECT_EQ(RunTimeText(c.time), c.text) << c.time.count();
    }
}

// Ten answered problems, one replaced before its answer; the tally counts per number.
TEST(TimedRun, countsTheTenAnsweredProblemsFromTheFirstDisplay) {
    HandClock clock;
    TimedRun run(clock);
    QuizLogic quiz;
    quiz.LoadProblem({1, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9}, 0, 1);  // waits 1..9

    clock.at = 5s;
    run.Start();
    EXPECT_TRUE(run.running());
    EXPECT_EQ(run.elapsed(), 0ns);
    clock.at = 7s;
    run.QuestionShown();
    run.QuestionShown();  // replaced unanswered: still the first
    EXPECT_EQ(run.current(), 1);
    for (int i = 1; i <= TimedRun::kProblems; ++i) {
        clock.at += 3s;
        EXPECT_EQ(run.elapsed(), 3s * i) << i;
        if (i == 1) {
            quiz.Toggle(5);  // eight missed, nine times
        }
        if (i == TimedRun::kProblems) {
            for (TileNumber n : {1, 2, 3, 4, 6, 7, 8, 9}) {
                quiz.Toggle(n);  // the last one fully right
            }
        }
        run.Answered(quiz);
        run.Answered(quiz);  // a second answer of the same problem counts nothing
        if (i < TimedRun::kProblems) {
            run.QuestionShown();
            EXPECT_EQ(run.current(), i + 1);
        }
    }
    EXPECT_TRUE(run.finished());
    EXPECT_FALSE(run.running());
    const TimedRunResult& result = run.result();
    EXPECT_EQ(result.time, 30s);
    EXPECT_EQ(result.problems, 10);
    EXPECT_EQ(result.fullyRight, 1);
    EXPECT_EQ(result.waitsMissed, 8 * 9);
    EXPECT_EQ(result.wrongPicks, 0);
    clock.at += 60s;
    EXPECT_EQ(run.elapsed(), 30s);  // stopped at the tenth answer

    run.Start();
    EXPECT_EQ(run.result().problems, 0);
    run.Abandon();
    EXPECT_FALSE(run.running());
    run.Answered(quiz);
    EXPECT_EQ(run.result().problems, 0);
}

bool EveryHand(const Hand13&, const void*) {
    return true;
}

TEST(PracticeDealer, tellsHowEachProblemWasDealt) {
    test::UseSeededDraws(11);
    PracticeDealer dealer;
    Problem problem{};
    int hookCalls = 0;
    bool cardDue = false;
    dealer.setDueCardHook([&](Problem&) {
        ++hookCalls;
        return cardDue;
    });

    dealer.Deal(problem);
    EXPECT_EQ(dealer.lastDeal(), DealKind::Plain);
    dealer.setBand(kBandThreeFour);
    dealer.Deal(problem);
    EXPECT_EQ(dealer.lastDeal(), DealKind::Band);
    EXPECT_GE(CountWaits(problem.sortedHand), 3);
    EXPECT_LE(CountWaits(problem.sortedHand), 4);
    dealer.setWeakShapes(&EveryHand, nullptr);
    EXPECT_TRUE(dealer.weakShapes());
    dealer.Deal(problem);
    EXPECT_EQ(dealer.lastDeal(), DealKind::WeakShapes);
    cardDue = true;
    dealer.Deal(problem);
    EXPECT_EQ(dealer.lastDeal(), DealKind::Review);
    const int callsBefore = hookCalls;
    dealer.setTimedRun(true);
    dealer.Deal(problem);
    EXPECT_EQ(dealer.lastDeal(), DealKind::TimedRun);
    EXPECT_EQ(hookCalls, callsBefore);  // a timed run deals no review card
    dealer.noteEntered();
    EXPECT_EQ(dealer.lastDeal(), DealKind::Entered);
    dealer.setBand(kAllHands);  // also ends weak shapes
    EXPECT_FALSE(dealer.weakShapes());
}

// Every hand through the practice dealer is the plain quiz's deal, draw for draw.
TEST(PracticeDealer, everyHandDealsAsThePlainQuiz) {
    PracticeDealer dealer;
    for (std::uint32_t seed = 1; seed <= 50; ++seed) {
        Problem plain{};
        Problem practice{};
        test::UseSeededDraws(seed);
        DealProblem(plain);
        test::UseSeededDraws(seed);
        dealer.Deal(practice);
        EXPECT_EQ(practice.sortedHand, plain.sortedHand) << seed;
        EXPECT_EQ(practice.isWait, plain.isWait) << seed;
    }
}

// The status line of each way of dealing, in both languages; records' words pass through, with
// the size of the weakest family after them.
TEST(DealStatus, eachWayOfDealingInBothLanguages) {
    struct Case {
        std::function<void(PracticeDealer&)> set;
        const char* records;
        const char* japanese;
        const char* english;
    };
    const FamilyIndex ryantan = FamilyIndexOf("ryantan");
    const Case cases[] = {
        {[](PracticeDealer&) {}, "", "出題：すべての手", "Deal: all hands"},
        {[](PracticeDealer& d) { d.setBand(kBandOneTwo); }, "", "出題：待ち1〜2種",
         "Deal: 1\u20132 waits"},
        {[](PracticeDealer& d) { d.setBand(kBandFivePlus); }, "", "出題：待ち5種以上",
         "Deal: 5 or more waits"},
        // A band off the menu has no name, and the line stays empty.
        {[](PracticeDealer& d) {
             d.setBand(WaitBand{2, 6});
         },
         "", "", ""},
        // Bands choose among 13 tiles only: a short size names the size alone.
        {[](PracticeDealer& d) {
             d.setBand(kBandThreeFour);
             d.setTiles(7);
         },
         "", "出題：7枚", "Deal: 7 tiles"},
        {[&](PracticeDealer& d) { d.setFamily(ryantan); }, "",
         "出題：暗刻+隣（リャンタン）\u300013枚", "Deal: ryantan, 13 tiles"},
        {[&](PracticeDealer& d) {
             d.setFamily(ryantan);
             d.setLadderOn(true);
         },
         "", "段階練習：暗刻+隣（リャンタン）\u30004枚", "Ladder: ryantan, 4 tiles"},
        {[](PracticeDealer& d) { d.setWeakShapes(&EveryHand, nullptr); }, "", "出題：苦手な形",
         "Deal: weak shapes"},
        {[](PracticeDealer& d) { d.setWeakShapes(&EveryHand, nullptr); }, "苦手：嵌張",
         "苦手：嵌張", "苦手：嵌張"},
        {[&](PracticeDealer& d) { d.setWeakFamily(ryantan); }, "苦手", "苦手\u300013枚",
         "苦手, 13 tiles"},
    };
    for (const Case& c : cases) {
        PracticeDealer dealer;
        c.set(dealer);
        EXPECT_EQ(DealStatusWords(dealer, c.records, Language::Japanese).view(), c.japanese)
            << c.japanese;
        EXPECT_EQ(DealStatusWords(dealer, c.records, Language::English).view(), c.english)
            << c.english;
    }
    EXPECT_EQ(BandIndex(BandAt(3)), 3);
    EXPECT_EQ(BandIndex(WaitBand{2, 6}), -1);
    EXPECT_EQ(BandAt(kBandItems).most, kAllHands.most);
}

// Every family, asked for at each size and on the ladder, in both languages: the whole name and
// the size it deals (a family too large for a size deals its smallest) reach the line, none cut
// short by its fixed buffer.
TEST(DealStatus, everyFamilyAndSizeFitsTheLine) {
    for (FamilyIndex f = 0; f < kFamilyCount; ++f) {
        for (const Language language : {Language::Japanese, Language::English}) {
            const std::string family = FamilyNameInSentence(f, language);
            for (const bool ladder : {false, true}) {
                for (const std::int32_t tiles : {4, 7, 10, 13}) {
                    PracticeDealer dealer;
                    dealer.setFamily(f);
                    dealer.setTiles(tiles);
                    dealer.setLadderOn(ladder);
                    const std::string line(DealStatusWords(dealer, "", language).view());
                    const std::string size =
                        std::to_string(ladder ? dealer.ladder().tiles() : dealer.dealtTiles()) +
                        (language == Language::Japanese ? "枚" : " tiles");
                    EXPECT_NE(line.find(family), std::string::npos) << line;
                    EXPECT_TRUE(line.ends_with(size)) << line << " / " << size;
                }
            }
        }
    }
}

}  // namespace
}  // namespace zelkon
