// Figures kept across answers, and times no clock gives: both must read as a fresh count does.
#include <gtest/gtest.h>
#include <limits>
#include <sqlite3.h>

#include "records/records_store.h"
#include "records/review.h"
#include "records/sqlite_database.h"
#include "records/statistics.h"
#include "records_fixture.h"

namespace zelkon {
namespace {

constexpr UnixMillis kNow = 1'767'607'200'000;  // 2026-01-05 10:00 UTC
constexpr std::int64_t kDay = 86'400'000;

void expectSameFigures(const Statistics& kept, const Statistics& fresh, const std::string& what) {
    EXPECT_EQ(kept.problems, fresh.problems) << what;
    EXPECT_EQ(kept.fullyRight, fresh.fullyRight) << what;
    for (std::size_t k = 0; k < kept.byWaits.size(); ++k) {
        EXPECT_EQ(kept.byWaits[k].problems, fresh.byWaits[k].problems) << what << k;
        EXPECT_EQ(kept.byWaits[k].fullyRight, fresh.byWaits[k].fullyRight) << what << k;
    }
    for (std::size_t s = 0; s < kept.byShape.size(); ++s) {
        EXPECT_EQ(kept.byShape[s].seen, fresh.byShape[s].seen) << what << s;
        EXPECT_EQ(kept.byShape[s].missed, fresh.byShape[s].missed) << what << s;
    }
    for (std::size_t d = 0; d < kept.days.size(); ++d) {
        EXPECT_EQ(kept.days[d].problems, fresh.days[d].problems) << what << d;
        EXPECT_EQ(kept.days[d].fullyRight, fresh.days[d].fullyRight) << what << d;
    }
    EXPECT_EQ(kept.medianSeconds, fresh.medianSeconds) << what;
    ASSERT_EQ(kept.latestMistakes.size(), fresh.latestMistakes.size()) << what;
    for (std::size_t i = 0; i < kept.latestMistakes.size(); ++i) {
        EXPECT_EQ(kept.latestMistakes[i].answeredAt, fresh.latestMistakes[i].answeredAt) << what;
        EXPECT_EQ(kept.latestMistakes[i].hand, fresh.latestMistakes[i].hand) << what;
    }
}

// Two windows answer in turn; one keeps a tally, updated after every answer of either. The
// fresh count on the other side is the whole-table read of ComputeStatistics and DueCount.
TEST(RecordsTally, keptAcrossAnswersOfTwoWindowsMatchesAFreshCount) {
    testing::TempDir dir;
    const auto path = dir.path() / "records.sqlite3";
    OpenedRecords mine = RecordsStore::open(path, OpenMode::CreateIfMissing);
    OpenedRecords other = RecordsStore::open(path, OpenMode::ExistingOnly);
    ASSERT_TRUE(mine.status.ok() && other.status.ok());
    // Repeated hands, so that cards are graded again by either window.
    std::vector<AnswerRecord> answers = testing::GeneratedAnswers(60, 17, kNow);
    for (std::size_t i = 30; i < answers.size(); ++i) {
        answers[i].hand = answers[i - 30].hand;
        answers[i].fullyRight = i % 3 == 0;
        answers[i].answeredAt = kNow - static_cast<UnixMillis>(answers.size() - i) * 3'600'000;
    }
    RecordsTally tally;
    ASSERT_TRUE(tally.update(*mine.store).ok());
    for (std::size_t i = 0; i < answers.size(); ++i) {
        RecordsStore& writer = i % 2 == 0 ? *mine.store : *other.store;
        ASSERT_TRUE(writer.addAnswer(answers[i]).ok());
        if (i % 7 == 3) {
            continue;  // an update may cover several answers
        }
        ASSERT_TRUE(tally.update(*mine.store).ok());
        for (const std::int32_t offset : {0, 9 * 3600, -5 * 3600 - 1800, 4 * 3600 + 7}) {
            const std::string what =
                "answer " + std::to_string(i) + " offset " + std::to_string(offset) + ": ";
            const StatisticsOutcome kept = tally.figures(*mine.store, kNow, offset);
            const StatisticsOutcome fresh = ComputeStatistics(*other.store, kNow, offset);
            ASSERT_TRUE(kept.status.ok() && fresh.status.ok());
            expectSameFigures(kept.figures, fresh.figures, what);
        }
        for (const UnixMillis at : {kNow, kNow + kDay, kNow + 5 * kDay, kNow + 400 * kDay}) {
            EXPECT_EQ(tally.dueCount(at), DueCount(*other.store, at).count) << i;
        }
    }
}

// The last 30 days are counted once and then kept up answer by answer: answers at the edges of
// the 30 days and of a local day, the clock passing midnight, each zone a tally of its own.
TEST(RecordsTally, lastThirtyDaysKeptBetweenAnswersMatchAFreshCount) {
    testing::TempDir dir;
    const auto path = dir.path() / "records.sqlite3";
    OpenedRecords opened = RecordsStore::open(path, OpenMode::CreateIfMissing);
    ASSERT_TRUE(opened.status.ok());
    const std::int32_t offsets[] = {0, 9 * 3600, -5 * 3600 - 1800};
    RecordsTally tallies[std::size(offsets)];
    // Before now: just inside and outside the first day, the start of a day, today.
    const UnixMillis ago[] = {
        0,        1,         29 * kDay, 30 * kDay, 30 * kDay - 1, 10 * 3'600'000,
        kDay + 7, 31 * kDay, 899'999,   900'000};
    std::vector<AnswerRecord> answers = testing::GeneratedAnswers(48, 5, kNow);
    for (std::size_t i = 0; i < answers.size(); ++i) {
        // Two hours a step: the clock passes midnight in every zone.
        const UnixMillis now = kNow + static_cast<UnixMillis>(i) * 2 * 3'600'000;
        answers[i].answeredAt = now - ago[i % std::size(ago)];
        answers[i].fullyRight = i % 3 != 0;
        ASSERT_TRUE(opened.store->addAnswer(answers[i]).ok());
        for (std::size_t z = 0; z < std::size(offsets); ++z) {
            ASSERT_TRUE(tallies[z].update(*opened.store).ok());
            const StatisticsOutcome kept = tallies[z].figures(*opened.store, now, offsets[z]);
            const StatisticsOutcome fresh = ComputeStatistics(*opened.store, now, offsets[z]);
            ASSERT_TRUE(kept.status.ok() && fresh.status.ok());
            for (std::size_t d = 0; d < kept.figures.days.size(); ++d) {
                EXPECT_EQ(kept.figures.days[d].day, fresh.figures.days[d].day) << i << " " << z;
                EXPECT_EQ(kept.figures.days[d].problems, fresh.figures.days[d].problems)
                    << "answer " << i << " zone " << z << " day " << d;
                EXPECT_EQ(kept.figures.days[d].fullyRight, fresh.figures.days[d].fullyRight)
                    << "answer " << i << " zone " << z << " day " << d;
            }
        }
    }
}

// Hand-edited times at the ends of the integers: no sum may overflow (UBSan in the asan build),
// and the command line names the first row read otherwise.
TEST(RecordsTally, timesNoClockGivesAreReadAtTheNearestTimeInRange) {
    constexpr UnixMillis kMin = std::numeric_limits<UnixMillis>::min();
    constexpr UnixMillis kMax = std::numeric_limits<UnixMillis>::max();
    testing::TempDir dir;
    const auto path = dir.path() / "records.sqlite3";
    OpenedRecords opened = RecordsStore::open(path, OpenMode::CreateIfMissing);
    ASSERT_TRUE(opened.store->addAnswers(testing::GeneratedAnswers(8, 4, kNow)).ok());
    {
        SqliteDatabase database(path, SQLITE_OPEN_READWRITE);
        const UnixMillis edited[] = {kMin, kMin + 1, kMax, kLatestMillis + 1, kEarliestMillis - 1};
        for (std::size_t i = 0; i < std::size(edited); ++i) {
            SqliteStatement edit = database.prepare(
                "UPDATE answers SET answered_at = ?1, fully_right = 0 WHERE id = ?2");
            edit.bind(1, edited[i]).bind(2, static_cast<std::int64_t>(i + 3));
            edit.run();
        }
        database.execute("UPDATE cards SET last_review = " + std::to_string(kMin) +
                         ", due = " + std::to_string(kMax));
    }
    for (const std::int32_t offset : {-12 * 3600, 0, 14 * 3600}) {
        const StatisticsOutcome outcome = ComputeStatistics(*opened.store, kMax, offset);
        ASSERT_TRUE(outcome.status.ok()) << outcome.status.message;
        EXPECT_EQ(outcome.figures.timesOutOfRange, 5);
        EXPECT_EQ(outcome.figures.firstRowOutOfRange, 3);
        EXPECT_EQ(outcome.figures.days.back().problems, 2) << offset;  // kMax, kLatestMillis + 1
        for (const Mistake& mistake : outcome.figures.latestMistakes) {
            EXPECT_EQ(mistake.answeredAt, ClampMillis(mistake.answeredAt));
        }
        EXPECT_NE(FormatStatistics(outcome.figures, offset).find("answers row 3;"),
                  std::string::npos);
    }

    // A card reviewed "before time began" and answered at its end is still due after it.
    ReviewCard card;
    card.hand = {1, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9};
    card.memory = {3, 5};
    card.lastReview = kMin;
    for (const UnixMillis at : {kMin, kMax, kMax - 1}) {
        for (const ReviewGrade grade : {ReviewGrade::Again, ReviewGrade::Good}) {
            const ReviewCard next = ScheduleReview(card, card.hand, grade, at);
            EXPECT_GT(next.due, next.lastReview) << at;
            EXPECT_EQ(next.lastReview, ClampMillis(at));
        }
    }
    // And the store grades such a card without a fault.
    EXPECT_TRUE(opened.store->addAnswers(testing::GeneratedAnswers(8, 4, kNow)).ok());
}

}  // namespace
}  // namespace zelkon
