#include <algorithm>
#include <bit>
#include <cmath>
#include <gtest/gtest.h>
#include <numeric>

#include "analysis/wait_shapes.h"
#include "records/records_store.h"
#include "records/statistics.h"
#include "records/weak_shapes.h"
#include "records_fixture.h"

namespace zelkon {
namespace {

constexpr UnixMillis kNow = 1'767'607'200'000;  // 2026-01-05 10:00 UTC
constexpr std::int64_t kDay = 86'400'000;

// The figures again, straight from the answers in memory and by other means: whole-array sorts,
// a division that rounds toward minus infinity through floating point, the shape bits as given.
Statistics expectedFigures(const std::vector<AnswerRecord>& answers, std::int32_t offset) {
    Statistics figures;
    for (const AnswerRecord& a : answers) {
        ++figures.problems;
        figures.fullyRight += a.fullyRight;
        ProblemFigure& byWaits = figures.byWaits[static_cast<std::size_t>(std::popcount(a.waits))];
        ++byWaits.problems;
        byWaits.fullyRight += a.fullyRight;
        for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
            for (int s = 0; s < kWaitShapeCount; ++s) {
                if (((a.waitShapes[static_cast<std::size_t>(n)] >> s) & 1) != 0) {
                    ++figures.byShape[static_cast<std::size_t>(s)].seen;
                    figures.byShape[static_cast<std::size_t>(s)].missed +=
                        (a.picks & NumberBit(n)) == 0;
                }
            }
        }
    }
    const auto localDay = [offset](UnixMillis at) {
        return static_cast<std::int64_t>(
            std::floor((static_cast<double>(at) / 1000.0 + offset) / 86400.0));
    };
    for (int i = 0; i < kStatisticsDays; ++i) {
        DayFigure& day = figures.days[static_cast<std::size_t>(i)];
        day.day = localDay(kNow) - (kStatisticsDays - 1 - i);
        for (const AnswerRecord& a : answers) {
            if (localDay(a.answeredAt) == day.day) {
                ++day.problems;
                day.fullyRight += a.fullyRight;
            }
        }
    }
    std::vector<double> seconds;
    for (const AnswerRecord& a : answers) {
        seconds.push_back(a.seconds);
    }
    std::sort(seconds.begin(), seconds.end());
    const std::size_t n = seconds.size();
    figures.medianSeconds = n % 2 ? seconds[n / 2] : (seconds[n / 2 - 1] + seconds[n / 2]) / 2;

    std::vector<std::size_t> order(answers.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
        return answers[x].answeredAt != answers[y].answeredAt
                   ? answers[x].answeredAt > answers[y].answeredAt
                   : x > y;
    });
    for (const std::size_t i : order) {
        if (!answers[i].fullyRight && figures.latestMistakes.size() < kLatestMistakes) {
            const AnswerRecord& a = answers[i];
            figures.latestMistakes.push_back({a.answeredAt, a.hand, a.suit, a.picks, a.waits});
        }
    }
    return figures;
}

void expectSame(const ProblemFigure& actual, const ProblemFigure& expected,
                const std::string& what) {
    EXPECT_EQ(actual.problems, expected.problems) << what;
    EXPECT_EQ(actual.fullyRight, expected.fullyRight) << what;
}

void expectSame(const ShapeFigure& actual, const ShapeFigure& expected, const std::string& what) {
    EXPECT_EQ(actual.seen, expected.seen) << what;
    EXPECT_EQ(actual.missed, expected.missed) << what;
}

TEST(Statistics, matchAFigureByFigureRecount) {
    testing::TempDir dir;
    OpenedRecords opened =
        RecordsStore::open(dir.path() / "records.sqlite3", OpenMode::CreateIfMissing);
    ASSERT_TRUE(opened.status.ok());
    std::vector<AnswerRecord> answers = testing::GeneratedAnswers(1500, 11, kNow);
    // Entered hands without waits, and answers in the future of another window's clock.
    answers.push_back(MakeAnswerRecord({1, 1, 1, 1, 3, 3, 3, 3, 5, 5, 5, 5, 7}, kSuitPinzu,
                                       DealKind::Entered, RecordedBand::None, 0, 4, kNow - kDay));
    answers.push_back(MakeAnswerRecord({1, 1, 1, 1, 3, 3, 3, 3, 5, 5, 5, 5, 7}, kSuitPinzu,
                                       DealKind::Entered, RecordedBand::None, NumberBit(7), 4,
                                       kNow));
    for (const AnswerRecord& a : answers) {
        ASSERT_TRUE(opened.store->addAnswer(a).ok());
    }
    for (const std::int32_t offset : {0, 9 * 3600, -5 * 3600 - 1800}) {
        SCOPED_TRACE("offset " + std::to_string(offset));
        const StatisticsOutcome outcome = ComputeStatistics(*opened.store, kNow, offset);
        ASSERT_TRUE(outcome.status.ok()) << outcome.status.message;
        const Statistics& actual = outcome.figures;
        const Statistics expected = expectedFigures(answers, offset);
        EXPECT_EQ(actual.problems, expected.problems);
        EXPECT_EQ(actual.fullyRight, expected.fullyRight);
        for (std::size_t k = 0; k < actual.byWaits.size(); ++k) {
            expectSame(actual.byWaits[k], expected.byWaits[k], "waits " + std::to_string(k));
        }
        for (std::size_t s = 0; s < actual.byShape.size(); ++s) {
            expectSame(actual.byShape[s], expected.byShape[s], "shape " + std::to_string(s));
        }
        for (std::size_t d = 0; d < actual.days.size(); ++d) {
            EXPECT_EQ(actual.days[d].day, expected.days[d].day) << d;
            EXPECT_EQ(actual.days[d].problems, expected.days[d].problems) << d;
            EXPECT_EQ(actual.days[d].fullyRight, expected.days[d].fullyRight) << d;
        }
        EXPECT_EQ(actual.medianSeconds, expected.medianSeconds);
        ASSERT_EQ(actual.latestMistakes.size(), expected.latestMistakes.size());
        for (std::size_t i = 0; i < actual.latestMistakes.size(); ++i) {
            EXPECT_EQ(actual.latestMistakes[i].answeredAt, expected.latestMistakes[i].answeredAt);
            EXPECT_EQ(actual.latestMistakes[i].hand, expected.latestMistakes[i].hand);
            EXPECT_EQ(actual.latestMistakes[i].suit, expected.latestMistakes[i].suit);
            EXPECT_EQ(actual.latestMistakes[i].picks, expected.latestMistakes[i].picks);
        }
        const WeakShapeOutcome weak = WeakestShape(*opened.store);
        ASSERT_TRUE(weak.status.ok());
        ASSERT_TRUE(weak.weakest);
        // The weakest shape by plain floating-point rates over the recount.
        int worst = -1;
        for (int s = 0; s < kWaitShapeCount; ++s) {
            const ShapeFigure& f = expected.byShape[static_cast<std::size_t>(s)];
            const auto rate = [](const ShapeFigure& r) {
                return static_cast<double>(r.missed) / static_cast<double>(r.seen);
            };
            if (f.seen >= 30 &&
                (worst < 0 || rate(f) > rate(expected.byShape[static_cast<std::size_t>(worst)]))) {
                worst = s;
            }
        }
        EXPECT_EQ(static_cast<int>(weak.weakest->shape), worst);
    }
}

TEST(Statistics, emptyRecordsGiveZerosAndNoMedian) {
    testing::TempDir dir;
    OpenedRecords opened =
        RecordsStore::open(dir.path() / "records.sqlite3", OpenMode::CreateIfMissing);
    ASSERT_TRUE(opened.status.ok());
    const StatisticsOutcome outcome = ComputeStatistics(*opened.store, kNow, 0);
    ASSERT_TRUE(outcome.status.ok());
    EXPECT_EQ(outcome.figures.problems, 0);
    EXPECT_FALSE(outcome.figures.medianSeconds);
    EXPECT_TRUE(outcome.figures.latestMistakes.empty());
    EXPECT_EQ(outcome.figures.days.back().day, kNow / kDay);
    EXPECT_FALSE(WeakestShape(*opened.store).weakest);
    EXPECT_NE(FormatStatistics(outcome.figures, 0).find("problems: 0"), std::string::npos);
}

TEST(WeakShapes, talliesKeptAcrossAnswersMatchARecountWhoeverWrites) {
    testing::TempDir dir;
    const auto path = dir.path() / "records.sqlite3";
    OpenedRecords mine = RecordsStore::open(path, OpenMode::CreateIfMissing);
    OpenedRecords other = RecordsStore::open(path, OpenMode::ExistingOnly);
    ASSERT_TRUE(mine.status.ok() && other.status.ok());
    const std::vector<AnswerRecord> answers = testing::GeneratedAnswers(300, 5, kNow);
    ShapeTallies tallies;
    for (std::size_t i = 0; i < answers.size(); ++i) {
        // Every fifth answer comes from another window; some updates see several new rows.
        ASSERT_TRUE((i % 5 == 4 ? *other.store : *mine.store).addAnswer(answers[i]).ok());
        if (i % 3 != 1) {
            continue;
        }
        ASSERT_TRUE(UpdateShapeTallies(*mine.store, tallies).ok());
        const std::vector<AnswerRecord> sofar(answers.begin(),
                                              answers.begin() + static_cast<std::ptrdiff_t>(i + 1));
        const Statistics expected = expectedFigures(sofar, 0);
        for (int s = 0; s < kWaitShapeCount; ++s) {
            const auto slot = static_cast<std::size_t>(s);
            ASSERT_EQ(tallies.byShape[slot].seen, expected.byShape[slot].seen) << i;
            ASSERT_EQ(tallies.byShape[slot].missed, expected.byShape[slot].missed) << i;
        }
    }
}

TEST(WeakShapes, needThirtyWaitsAndPreferTheHigherMissRate) {
    using Tally = std::array<ShapeFigure, kWaitShapeCount>;
    struct Case {
        const char* name;
        Tally tally;
        std::optional<WaitShape> expected;
    };
    const Case cases[] = {
        {"nothing seen", {}, std::nullopt},
        {"29 waits are not enough", {{{29, 29}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}}, std::nullopt},
        {"30 waits are", {{{30, 1}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}}, WaitShape::TwoSided},
        {"a rarely seen shape does not count",
         {{{100, 10}, {29, 29}, {40, 8}, {0, 0}, {0, 0}}},
         WaitShape::Closed},
        {"rate, not count", {{{1000, 100}, {30, 4}, {0, 0}, {0, 0}, {0, 0}}}, WaitShape::Edge},
        {"equal rates: more seen",
         {{{30, 3}, {0, 0}, {0, 0}, {60, 6}, {50, 5}}},
         WaitShape::DualPair},
        {"equal rates and counts: lower shape",
         {{{0, 0}, {0, 0}, {0, 0}, {40, 8}, {40, 8}}},
         WaitShape::DualPair},
        {"never missed still counts",
         {{{0, 0}, {0, 0}, {0, 0}, {0, 0}, {45, 0}}},
         WaitShape::Single},
    };
    for (const Case& c : cases) {
        const std::optional<WeakShape> weakest = WeakestShapeOf(c.tally);
        ASSERT_EQ(weakest.has_value(), c.expected.has_value()) << c.name;
        if (weakest) {
            EXPECT_EQ(weakest->shape, *c.expected) << c.name;
            const ShapeFigure& f = c.tally[static_cast<std::size_t>(*c.expected)];
            EXPECT_EQ(weakest->seen, f.seen) << c.name;
            EXPECT_EQ(weakest->missed, f.missed) << c.name;
        }
    }
}

// A second reading of the shapes: every split of the 14 tiles into blocks, lowest tile first,
// and every block the winning tile can sit in.
using Counts = std::array<int, 12>;

void meldSplits(Counts& counts, std::vector<std::pair<int, int>>& melds, TileNumber won, int pair,
                std::uint8_t& shapes) {
    int low = 1;
    while (low <= 9 && counts[static_cast<std::size_t>(low)] == 0) {
        ++low;
    }
    if (low > 9) {
        if (pair == won) {
            shapes = static_cast<std::uint8_t>(shapes | ShapeBit(WaitShape::Single));
        }
        for (const auto& [kind, first] : melds) {
            if (kind == 0 && first == won) {
                shapes = static_cast<std::uint8_t>(shapes | ShapeBit(WaitShape::DualPair));
            } else if (kind == 1 && won >= first && won <= first + 2) {
                const bool edge = (won == first && first == 7) || (won == first + 2 && first == 1);
                const WaitShape shape = won == first + 1 ? WaitShape::Closed
                                        : edge           ? WaitShape::Edge
                                                         : WaitShape::TwoSided;
                shapes = static_cast<std::uint8_t>(shapes | ShapeBit(shape));
            }
        }
        return;
    }
    auto& c = counts;
    const auto at = [](int i) { return static_cast<std::size_t>(i); };
    if (c[at(low)] >= 3) {
        c[at(low)] -= 3;
        melds.push_back({0, low});
        meldSplits(c, melds, won, pair, shapes);
        melds.pop_back();
        c[at(low)] += 3;
    }
    if (c[at(low + 1)] > 0 && c[at(low + 2)] > 0) {
        --c[at(low)], --c[at(low + 1)], --c[at(low + 2)];
        melds.push_back({1, low});
        meldSplits(c, melds, won, pair, shapes);
        melds.pop_back();
        ++c[at(low)], ++c[at(low + 1)], ++c[at(low + 2)];
    }
}

std::uint8_t bruteShapes(const Hand13& hand, TileNumber won) {
    Counts counts{};
    for (const TileNumber t : hand) {
        ++counts[static_cast<std::size_t>(t)];
    }
    if (++counts[static_cast<std::size_t>(won)] > 4) {
        return 0;
    }
    std::uint8_t shapes = 0;
    int pairs = 0;
    for (int p = 1; p <= 9; ++p) {
        pairs += counts[static_cast<std::size_t>(p)] == 2;
        if (counts[static_cast<std::size_t>(p)] >= 2) {
            counts[static_cast<std::size_t>(p)] -= 2;
            std::vector<std::pair<int, int>> melds;
            meldSplits(counts, melds, won, p, shapes);
            counts[static_cast<std::size_t>(p)] += 2;
        }
    }
    return static_cast<std::uint8_t>(shapes | (pairs == 7 ? ShapeBit(WaitShape::Single) : 0));
}

TEST(WeakShapes, filterEveryHandByAWaitOfTheShape) {
    std::int64_t hands = 0;
    std::array<std::int64_t, kWaitShapeCount> reached{};
    // Every count vector of nine numbers, 0 to 4 each; those of 13 tiles are the hands.
    for (int code = 0; code < 1953125; ++code) {
        Hand13 hand{};
        std::size_t size = 0;
        for (int n = 1, rest = code; n <= 9 && size <= 13; ++n, rest /= 5) {
            for (int k = 0; k < rest % 5 && size < 14; ++k, ++size) {
                if (size < 13) {
                    hand[size] = n;
                }
            }
        }
        if (size != 13) {
            continue;
        }
        std::uint8_t expected = 0;
        for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
            expected = static_cast<std::uint8_t>(expected | bruteShapes(hand, n));
        }
        for (int s = 0; s < kWaitShapeCount; ++s) {
            const bool want = ((expected >> s) & 1) != 0;
            reached[static_cast<std::size_t>(s)] += want;
            ASSERT_EQ(HasWaitReachedBy(hand, static_cast<WaitShape>(s)), want)
                << HandDigits(hand) << " shape " << s;
        }
        ++hands;
    }
    EXPECT_EQ(hands, 93600);
    for (const std::int64_t count : reached) {
        EXPECT_GT(count, 0);
    }
}

}  // namespace
}  // namespace zelkon
