#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

#include "records/record_rows.h"
#include "records/records_store.h"
#include "records/review.h"
#include "records/sqlite_database.h"
#include "records/statistics.h"
#include "records_fixture.h"

namespace zelkon {
namespace {

constexpr std::int64_t kDay = 86'400'000;

struct Step {
    int grade;
    UnixMillis at;
    double stability;
    double difficulty;
    std::int64_t intervalDays;
    UnixMillis due;
    std::int32_t lapses;
};
struct Sequence {
    const char* name;
    std::vector<Step> steps;
};

// Computed once with ts-fsrs 5.4.2: fsrs({enable_short_term: false, enable_fuzz: false,
// request_retention: 0.9}) and its default weights, each answer given at the time shown.
const Sequence kReference[] = {
    {"againThenGoodAtDue",
     {
         {1, 1767607200000, 0.21200000, 6.41330000, 1, 1767693600000, 0},
         {3, 1767693600000, 1.88678762, 6.40211507, 3, 1767952800000, 0},
         {3, 1767952800000, 7.63823104, 6.39094132, 8, 1768644000000, 0},
         {3, 1768644000000, 21.60782969, 6.37977875, 22, 1770544800000, 0},
         {1, 1770544800000, 1.98684818, 8.79528626, 2, 1770717600000, 1},
         {3, 1770717600000, 4.10173811, 8.78171934, 4, 1771063200000, 1},
         {3, 1771063200000, 7.90752082, 8.76816599, 8, 1771754400000, 1},
     }},
    {"againRepeatedDaily",
     {
         {1, 1767607200000, 0.21200000, 6.41330000, 1, 1767693600000, 0},
         {1, 1767693600000, 0.10088579, 8.80630447, 1, 1767780000000, 1},
         {1, 1767780000000, 0.05503453, 9.59286876, 1, 1767866400000, 2},
         {1, 1767866400000, 0.03336919, 9.85140709, 1, 1767952800000, 3},
         {3, 1767952800000, 0.20248908, 9.83678405, 3, 1768212000000, 3},
         {3, 1768212000000, 0.83374366, 9.82217564, 3, 1768471200000, 3},
     }},
    // Same-day answers, and one at 23:40 followed by one at 00:25 the next UTC day.
    {"sameDayAndMidnight",
     {
         {1, 1767607200000, 0.21200000, 6.41330000, 1, 1767693600000, 0},
         {3, 1767614400000, 0.21200000, 6.40211507, 3, 1767873600000, 0},
         {1, 1767663600000, 0.10089660, 8.80262806, 1, 1767750000000, 1},
         {3, 1767666300000, 0.10089660, 8.78905380, 3, 1767925500000, 1},
         {3, 1767925500000, 0.91789319, 8.77549312, 3, 1768184700000, 1},
     }},
    {"lateAndEarly",
     {
         {1, 1767607200000, 0.21200000, 6.41330000, 1, 1767693600000, 0},
         {3, 1768384800000, 3.63963182, 6.40211507, 4, 1768730400000, 0},
         {3, 1768471200000, 6.19835717, 6.39094132, 6, 1768989600000, 0},
         {1, 1771927200000, 1.39237809, 8.79895532, 1, 1772013600000, 1},
         {3, 1772013600000, 2.61488793, 8.78538473, 3, 1772272800000, 1},
         {3, 1772272800000, 5.54284514, 8.77182771, 6, 1772791200000, 1},
     }},
    {"longRunOfGood",
     {
         {1, 1767607200000, 0.21200000, 6.41330000, 1, 1767693600000, 0},
         {3, 1767693600000, 1.88678762, 6.40211507, 3, 1767952800000, 0},
         {3, 1767952800000, 7.63823104, 6.39094132, 8, 1768644000000, 0},
         {3, 1768644000000, 21.60782969, 6.37977875, 22, 1770544800000, 0},
         {3, 1770544800000, 54.25893598, 6.36862734, 54, 1775210400000, 0},
         {3, 1775210400000, 123.62246435, 6.35748708, 124, 1785924000000, 0},
         {3, 1785924000000, 262.50640591, 6.34635796, 263, 1808647200000, 0},
         {3, 1808647200000, 523.05330464, 6.33523997, 523, 1853834400000, 0},
         {3, 1853834400000, 986.32166694, 6.32413310, 986, 1939024800000, 0},
         {3, 1939024800000, 1774.04684316, 6.31303734, 1774, 2092298400000, 0},
         {3, 2092298400000, 3062.20617413, 6.30195267, 3062, 2356855200000, 0},
         {3, 2356855200000, 5097.16828916, 6.29087909, 5097, 2797236000000, 0},
         {3, 2797236000000, 8216.17506838, 6.27981658, 8216, 3507098400000, 0},
         {3, 3507098400000, 12870.28633069, 6.26876513, 12870, 4619066400000, 0},
         {3, 4619066400000, 19651.33991714, 6.25772473, 19651, 6316912800000, 0},
     }},
};

const Hand13 kHand = {1, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9};

TEST(Review, schedulesAsTheReferenceImplementation) {
    for (const Sequence& sequence : kReference) {
        std::optional<ReviewCard> card;
        int index = 0;
        for (const Step& step : sequence.steps) {
            card = ScheduleReview(card, kHand, static_cast<ReviewGrade>(step.grade), step.at);
            SCOPED_TRACE(std::string(sequence.name) + " step " + std::to_string(index++));
            EXPECT_NEAR(card->memory.stability, step.stability, 1e-7);
            EXPECT_NEAR(card->memory.difficulty, step.difficulty, 1e-7);
            EXPECT_EQ(card->due - step.at, step.intervalDays * kDay);
            EXPECT_EQ(card->due, step.due);
            EXPECT_EQ(card->lapses, step.lapses);
            EXPECT_EQ(card->reviews, index);
        }
    }
}

// The store grades each answer of a hand: a miss makes a card, a right answer moves only a card
// that exists; the due list starts with the longest overdue.
TEST(Review, theStoreKeepsCardsForMissedHandsAndListsThemByDueTime) {
    testing::TempDir dir;
    OpenedRecords opened =
        RecordsStore::open(dir.path() / "records.sqlite3", OpenMode::CreateIfMissing);
    ASSERT_TRUE(opened.status.ok());
    RecordsStore& store = *opened.store;
    const UnixMillis t0 = kReference[0].steps[0].at;
    const Hand13 right = {1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9, 5, 5};
    const Hand13 missedEarly = {2, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9, 5, 5};
    const Hand13 missedLate = {1, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9};
    const auto answer = [&](const Hand13& hand, bool fullyRight, UnixMillis at) {
        AnswerRecord record =
            MakeAnswerRecord(hand, kSuitManzu, DealKind::Plain, RecordedBand::None, 0, 3, at);
        record.fullyRight = fullyRight;
        ASSERT_TRUE(store.addAnswer(record).ok());
    };
    answer(right, true, t0);
    answer(missedEarly, false, t0);
    answer(missedLate, false, t0 + 5 * kDay);

    EXPECT_FALSE(CardFor(store, right).card);
    EXPECT_EQ(DueCount(store, t0).count, 0);
    EXPECT_EQ(DueCount(store, t0 + kDay).count, 1);
    EXPECT_EQ(DueCount(store, t0 + 6 * kDay).count, 2);
    const DueCardsOutcome due = DueCards(store, t0 + 6 * kDay, 10);
    ASSERT_EQ(due.cards.size(), 2u);
    EXPECT_EQ(HandDigits(due.cards[0].hand), "2234555678999");
    EXPECT_EQ(HandDigits(due.cards[1].hand), "1112345678999");
    EXPECT_EQ(DueCards(store, t0 + 6 * kDay, 1).cards.size(), 1u);

    // Answering the early card right moves it as ScheduleReview says.
    const std::optional<ReviewCard> before = CardFor(store, due.cards[0].hand).card;
    answer(missedEarly, true, t0 + 6 * kDay);
    const std::optional<ReviewCard> after = CardFor(store, due.cards[0].hand).card;
    ASSERT_TRUE(after);
    const ReviewCard expected =
        ScheduleReview(before, due.cards[0].hand, ReviewGrade::Good, t0 + 6 * kDay);
    EXPECT_EQ(after->due, expected.due);
    EXPECT_EQ(after->reviews, 2);
    EXPECT_EQ(DueCount(store, t0 + 6 * kDay).count, 1);
}

// A short hand missed is kept at its size: its row's tiles column, its card and its mistake all
// give back the same tiles, beside a 13-tile hand missed at the same time.
TEST(Review, aMissedShortHandComesBackAsThatShortHand) {
    testing::TempDir dir;
    OpenedRecords opened =
        RecordsStore::open(dir.path() / "records.sqlite3", OpenMode::CreateIfMissing);
    ASSERT_TRUE(opened.status.ok());
    RecordsStore& store = *opened.store;
    const UnixMillis t0 = kReference[0].steps[0].at;
    const std::vector<std::string> missed = {"5432", "3334555", "1112345678", "1112345678999"};
    for (std::size_t i = 0; i < missed.size(); ++i) {
        const std::optional<TileHand> tiles = TileHandFromText(missed[i]);
        ASSERT_TRUE(tiles);
        const AnswerRecord record =
            MakeAnswerRecord(*tiles, kSuitPinzu, DealKind::Plain, RecordedBand::None, NumberBit(9),
                             3, t0 + static_cast<UnixMillis>(i), kNoFamily, 0);
        ASSERT_FALSE(record.fullyRight);
        ASSERT_TRUE(store.addAnswer(record).ok());
    }
    SqliteStatement sizes = store.database().prepare("SELECT hand, tiles FROM answers ORDER BY id");
    for (std::string hand : missed) {
        ASSERT_TRUE(sizes.step());
        std::sort(hand.begin(), hand.end());
        EXPECT_EQ(sizes.text(0), hand);
        EXPECT_EQ(sizes.int64(1), static_cast<std::int64_t>(hand.size()));
    }

    const DueCardsOutcome due = DueCards(store, t0 + 2 * kDay, 10);
    ASSERT_TRUE(due.status.ok());
    std::set<std::string> cards;
    for (const ReviewCard& card : due.cards) {
        const TileHand tiles = StoredTiles(card.hand, card.tiles, card.shortHand);
        EXPECT_EQ(tiles.count, card.tiles);
        cards.insert(TileDigits(tiles));
    }
    EXPECT_EQ(cards, (std::set<std::string>{"2345", "3334555", "1112345678", "1112345678999"}));

    RecordsTally tally;
    ASSERT_TRUE(tally.update(store).ok());
    const StatisticsOutcome figures = tally.figures(store, t0 + kDay, 0);
    ASSERT_TRUE(figures.status.ok());
    std::vector<std::string> mistakes;
    for (const Mistake& mistake : figures.figures.latestMistakes) {
        mistakes.push_back(TileDigits(StoredTiles(mistake.hand, mistake.tiles, mistake.shortHand)));
        EXPECT_EQ(mistake.suit, kSuitPinzu);
        EXPECT_EQ(mistake.picks, NumberBit(9));
    }
    EXPECT_EQ(mistakes,
              (std::vector<std::string>{"1112345678999", "1112345678", "3334555", "2345"}));
    // A short hand answered right after the first interval keeps its card, moved on.
    const AnswerRecord right =
        MakeAnswerRecord(*TileHandFromText("3334555"), kSuitPinzu, DealKind::Review,
                         RecordedBand::None, 0b1111100, 3, t0 + 2 * kDay, kNoFamily, 0);
    ASSERT_TRUE(right.fullyRight);
    ASSERT_TRUE(store.addAnswer(right).ok());
    EXPECT_EQ(DueCount(store, t0 + 2 * kDay).count, 3);
}

// Players may edit their file: a card whose hand no longer reads, or holds a fifth copy, is
// passed over, never dealt as a hand of blanks, and never hides a good card behind it.
TEST(Review, passesOverCardsWhoseHandDoesNotRead) {
    testing::TempDir dir;
    OpenedRecords opened =
        RecordsStore::open(dir.path() / "records.sqlite3", OpenMode::CreateIfMissing);
    ASSERT_TRUE(opened.status.ok());
    RecordsStore& store = *opened.store;
    store.database().execute(
        "INSERT INTO cards VALUES ('x', 1, 5, 1, 0, 0, 10),"
        " ('1111122223333', 1, 5, 1, 0, 0, 20),"
        " ('1112345678999', 1, 5, 1, 0, 0, 30)");
    const DueCardsOutcome due = DueCards(store, 100, 1);
    ASSERT_TRUE(due.status.ok());
    ASSERT_EQ(due.cards.size(), 1u);
    EXPECT_EQ(HandDigits(due.cards[0].hand), "1112345678999");
    EXPECT_EQ(DueCount(store, 100).count, 1);
    EXPECT_FALSE(HandFromText("1111122223333"));
    EXPECT_TRUE(HandFromText("1111222233334"));
}

}  // namespace
}  // namespace zelkon
