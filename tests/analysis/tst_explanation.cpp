// The explanation of every number: known hands in tables, and every hand against the answer box
// and against a closest split worked out by counting melds number by number.
#include <algorithm>
#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "analysis/explanation.h"
#include "analysis/hand_space.h"
#include "analysis/pattern_table.h"
#include "analysis/wait_finder.h"
#include "support/hand_strings.h"

namespace zelkon::tests {
namespace {

using Counts = std::array<int, kNumberSlots + 2>;

std::string SpellBlock(const Block& block) {
    std::string text;
    const int size = block.kind == BlockKind::Pair ? 2 : 3;
    for (int i = 0; i < size; ++i) {
        text += static_cast<char>('0' + block.first + (block.kind == BlockKind::Run ? i : 0));
    }
    return text;
}

// "123 123 123 [456] 77": the winning block in brackets.
std::string SpellReading(const ExplainedReading& reading) {
    std::string text;
    for (std::int32_t b = 0; b < reading.blockCount; ++b) {
        const std::string block = SpellBlock(reading.blocks[static_cast<std::size_t>(b)]);
        text += (b > 0 ? " " : "") + (b == reading.winningBlock ? "[" + block + "]" : block);
    }
    return text;
}

std::string SpellSplit(const NumberExplanation& number) {
    std::string text;
    for (std::int32_t b = 0; b < number.splitCount; ++b) {
        if (b > 0) {
            text += ' ';
        }
        text += SpellBlock(number.split[static_cast<std::size_t>(b)]);
    }
    text += " |";
    for (std::int32_t i = 0; i < number.leftoverCount; ++i) {
        text += ' ';
        text += std::to_string(number.leftover[static_cast<std::size_t>(i)]);
    }
    return text;
}

struct KnownReading {
    const char* hand;
    TileNumber number;
    Verdict verdict;
    std::int32_t readingCount;
    std::int32_t best;
    const char* bestReading;  // "" when there is none
    WaitShape bestShape;
    std::int32_t bestHan;
};

class ExplainedWaits : public ::testing::TestWithParam<KnownReading> {};

TEST_P(ExplainedWaits, listEveryRecordAndMarkTheBest) {
    const KnownReading& row = GetParam();
    HandExplanation explanation;
    ASSERT_TRUE(ExplainHand(Hand13Of(row.hand), explanation));
    const NumberExplanation& number = explanation.numbers[static_cast<std::size_t>(row.number)];
    EXPECT_EQ(number.verdict, row.verdict);
    EXPECT_EQ(number.readingCount, row.readingCount);
    ASSERT_EQ(number.best, row.best);
    if (row.best >= 0) {
        const ExplainedReading& best = number.readings[static_cast<std::size_t>(row.best)];
        EXPECT_EQ(SpellReading(best), row.bestReading);
        EXPECT_EQ(best.waitShape, row.bestShape);
        EXPECT_EQ(best.han, row.bestHan);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Explanation, ExplainedWaits,
    ::testing::Values(
        // Three runs of 1-2-3 or three triplets: equal han, the later triplet reading wins.
        KnownReading{"1112223335677", 4, Verdict::Wait, 2, 1, "111 222 333 [456] 77",
                     WaitShape::TwoSided, 2},
        // The most records of any hand; the 7 completes a triplet or 7-8-9 from below.
        KnownReading{"4444556677789", 7, Verdict::Wait, 20, 7, "44 456 456 777 [789]",
                     WaitShape::Edge, 1},
        KnownReading{"1112345678999", 5, Verdict::Wait, 1, 0, "111 234 [55] 678 999",
                     WaitShape::Single, 13},
        KnownReading{"1122445567799", 6, Verdict::Wait, 7, 6, "11 22 44 55 [66] 77 99",
                     WaitShape::Single, 2},
        // Four free 1s read as run and triplet twice.
        KnownReading{"1111234567888", 9, Verdict::Wait, 2, 1, "111 123 456 [789] 88",
                     WaitShape::TwoSided, 2},
        // Four 1s: a fifth would complete the shape, read on either pair of the five, and the
        // last single wait wins the tie at no han.
        KnownReading{"1111234567888", 1, Verdict::FifthCopy, 4, 3, "[11] 111 234 567 888",
                     WaitShape::Single, 0},
        // Four 1s and nothing a fifth could complete.
        KnownReading{"1111234567899", 1, Verdict::FifthCopy, 0, -1, "", WaitShape::Single, 0},
        KnownReading{"1113335557799", 2, Verdict::NoReading, 0, -1, "", WaitShape::Single, 0}));

struct KnownDistinct {
    const char* hand;
    TileNumber number;
    std::int32_t records;
    std::int32_t distinct;
    std::int32_t bestPlace;
    const char* bestShown;  // the first record of the best reading
};

class DistinctReadings : public ::testing::TestWithParam<KnownDistinct> {};

TEST_P(DistinctReadings, countEachReadingOnceAndShowItsFirstRecord) {
    const KnownDistinct& row = GetParam();
    HandExplanation explanation;
    ASSERT_TRUE(ExplainHand(Hand13Of(row.hand), explanation));
    const NumberExplanation& number = explanation.numbers[static_cast<std::size_t>(row.number)];
    EXPECT_EQ(number.readingCount, row.records);
    EXPECT_EQ(number.distinctCount, row.distinct);
    ASSERT_EQ(number.bestDistinct, row.bestPlace);
    const auto first = number.distinct[static_cast<std::size_t>(row.bestPlace)];
    EXPECT_EQ(SpellReading(number.readings[static_cast<std::size_t>(first)]), row.bestShown);
    EXPECT_TRUE(SameReading(number.readings[static_cast<std::size_t>(first)],
                            number.readings[static_cast<std::size_t>(number.best)]));
}

INSTANTIATE_TEST_SUITE_P(
    Explanation, DistinctReadings,
    ::testing::Values(
        // A fifth 6 read 24 ways that are three readings.
        KnownDistinct{"5555666677778", 6, 24, 3, 2, "555 [567] 666 678 77"},
        // Seven records of one seven-pairs reading.
        KnownDistinct{"1122445567799", 6, 7, 1, 0, "11 22 44 55 [66] 77 99"},
        KnownDistinct{"1111234567888", 3, 4, 2, 1, "111 [123] 345 678 88"},
        // The 4 completes either run, both two-sided: one reading, the first record shows.
        KnownDistinct{"2345677788899", 4, 2, 1, 0, "234 [456] 777 888 99"}));

struct KnownSplit {
    const char* hand;
    TileNumber number;
    const char* split;  // blocks, then the tiles left over
};

class ClosestSplits : public ::testing::TestWithParam<KnownSplit> {};

TEST_P(ClosestSplits, leaveTheFewestTilesFirstInSearchOrder) {
    const KnownSplit& row = GetParam();
    HandExplanation explanation;
    ASSERT_TRUE(ExplainHand(Hand13Of(row.hand), explanation));
    const NumberExplanation& number = explanation.numbers[static_cast<std::size_t>(row.number)];
    EXPECT_EQ(number.verdict, Verdict::NoReading);
    EXPECT_EQ(number.best, -1);
    EXPECT_EQ(SpellSplit(number), row.split);
}

INSTANTIATE_TEST_SUITE_P(
    Explanation, ClosestSplits,
    ::testing::Values(
        // Four runs leave two; three melds and a pair would leave three.
        KnownSplit{"1122334455789", 6, "123 123 456 789 | 4 5"},
        // Runs before the pair at the lowest number: 1-2-3 twice, not the pair of 1s.
        KnownSplit{"1122334455789", 7, "123 123 44 789 | 5 5 7"},
        // The pair goes to the lowest number that has one.
        KnownSplit{"1113335557799", 2, "111 333 555 77 | 2 9 9"},
        KnownSplit{"1111222244557", 7, "111 222 44 | 1 2 5 5 7 7"}));

TEST(Explanation, brokenHandsExplainNothing) {
    const Hand13 broken[] = {Hand13Of("1111123456789"),
                             Hand13Of("0112345678999"),
                             {1, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 10}};
    for (const Hand13& hand : broken) {
        HandExplanation explanation;
        EXPECT_FALSE(ExplainHand(hand, explanation)) << DigitsOf(hand);
        for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
            const NumberExplanation& number = explanation.numbers[static_cast<std::size_t>(n)];
            EXPECT_EQ(number.verdict, Verdict::NoReading);
            EXPECT_EQ(number.readingCount + number.splitCount + number.leftoverCount, 0);
        }
    }
}

TEST(Explanation, theFifthCopyPathRejectsWhatNoWonHandHolds) {
    struct Case {
        const char* what;
        Hand14 hand;
        TileNumber winningTile;
    };
    const Case cases[] = {{"six copies", Hand14Of("11111123456789"), 1},
                          {"unsorted", Hand14Of("11111234567898"), 1},
                          {"winning tile absent", Hand14Of("11111222333445"), 9},
                          {"tile outside 1..9", Hand14Of("01111222333444"), 1}};
    auto table = std::make_unique<DecompositionTable>();
    for (const Case& c : cases) {
        EXPECT_EQ(EnumerateFifthCopyDecompositions(c.hand, c.winningTile, *table), -1) << c.what;
        EXPECT_EQ(decompositionCount, 0) << c.what;
    }
    // Five of a number read as a pair and a triplet, with the pair on either end of the five.
    EXPECT_EQ(EnumerateFifthCopyDecompositions(Hand14Of("11111234567888"), 1, *table), 4);
}

// The most melds that fit into counts from number n on, where r1 runs started at n-1 and r2 at
// n-2 still want one tile of n each; negative when they cannot have it.
int MostMelds(const Counts& counts, std::size_t n, int r1, int r2) {
    if (n > kMaxTile) {
        return r1 == 0 && r2 == 0 ? 0 : -100;
    }
    const int free = counts[n] - r1 - r2;
    if (free < 0) {
        return -100;
    }
    int most = -100;
    for (int runs = 0; runs <= (n + 2 <= kMaxTile ? free : 0); ++runs) {
        if (counts[n + 1] < r1 + runs || counts[n + 2] < runs) {
            break;
        }
        const int rest = MostMelds(counts, n + 1, runs, r1);
        most = std::max(most, rest < 0 ? rest : runs + (free - runs) / 3 + rest);
    }
    return most;
}

int FewestLeftOver(Counts counts) {
    int total = 0;
    for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
        total += counts[n];
    }
    int fewest = total - 3 * std::min(4, MostMelds(counts, kMinTile, 0, 0));
    for (std::size_t pair = kMinTile; pair <= kMaxTile; ++pair) {
        if (counts[pair] >= 2) {
            counts[pair] -= 2;
            fewest =
                std::min(fewest, total - 2 - 3 * std::min(4, MostMelds(counts, kMinTile, 0, 0)));
            counts[pair] += 2;
        }
    }
    return fewest;
}

// Takes the tiles of block out of counts; false when they are not there.
bool TakeBlock(Counts& counts, const Block& block) {
    if (block.first < kMinTile || block.first > kMaxTile ||
        (block.kind == BlockKind::Run && block.first > kMaxTile - 2)) {
        return false;
    }
    const auto first = static_cast<std::size_t>(block.first);
    switch (block.kind) {
        case BlockKind::Pair:
            counts[first] -= 2;
            return counts[first] >= 0;
        case BlockKind::Triplet:
            counts[first] -= 3;
            return counts[first] >= 0;
        case BlockKind::Run:
            --counts[first];
            --counts[first + 1];
            --counts[first + 2];
            return counts[first] >= 0 && counts[first + 1] >= 0 && counts[first + 2] >= 0;
    }
    return false;
}

// The blocks use up the 14 tiles exactly, and the winning tile's block holds it in the place
// its wait shape says.
void CheckReadingBlocks(const Counts& counts, TileNumber n, const ExplainedReading& reading,
                        const std::string& where) {
    Counts rest = counts;
    int pairs = 0;
    for (std::int32_t b = 0; b < reading.blockCount; ++b) {
        const Block& block = reading.blocks[static_cast<std::size_t>(b)];
        ASSERT_TRUE(TakeBlock(rest, block)) << where;
        pairs += block.kind == BlockKind::Pair ? 1 : 0;
        if (b > 0) {
            const Block& before = reading.blocks[static_cast<std::size_t>(b - 1)];
            EXPECT_TRUE(before.first < block.first ||
                        (before.first == block.first && before.kind <= block.kind))
                << where;
        }
    }
    EXPECT_EQ(rest, Counts{}) << where;
    EXPECT_TRUE((reading.blockCount == 5 && pairs == 1) || (reading.blockCount == 7 && pairs == 7))
        << where;
    ASSERT_GE(reading.winningBlock, 0) << where;
    ASSERT_LT(reading.winningBlock, reading.blockCount) << where;
    const Block& won = reading.blocks[static_cast<std::size_t>(reading.winningBlock)];
    WaitShape shape = WaitShape::Single;
    if (won.kind == BlockKind::Triplet) {
        shape = WaitShape::DualPair;
    } else if (won.kind == BlockKind::Run) {
        const int place = n - won.first;
        ASSERT_TRUE(place >= 0 && place <= 2) << where;
        const bool edge = (place == 0 && n == 7) || (place == 2 && n == 3);
        shape = place == 1 ? WaitShape::Closed : edge ? WaitShape::Edge : WaitShape::TwoSided;
    }
    EXPECT_EQ(won.first <= n && n <= won.first + (won.kind == BlockKind::Run ? 2 : 0), true)
        << where;
    EXPECT_EQ(reading.waitShape, shape) << where;
}

// A reading as a player names it, from the roles alone: how many runs start at each number,
// triplets and pairs stand at each number, and the wait shape.
std::string ReadingKey(const Hand14& won, const Decomposition& record) {
    std::array<int, 3 * kNumberSlots> counts{};
    for (std::size_t p = 0; p < won.size(); ++p) {
        const auto at = static_cast<std::size_t>(won[p]);
        switch (record.roles[p]) {
            case TileRole::RunLow:
                counts[at] += 1;
                break;
            case TileRole::Triplet:
                counts[kNumberSlots + at] += 1;
                break;
            case TileRole::Pair:
            case TileRole::SevenPairsPair:
                counts[2 * kNumberSlots + at] += 1;
                break;
            default:
                break;
        }
    }
    std::string key;
    for (const int c : counts) {
        key += static_cast<char>('0' + c);
    }
    return key + static_cast<char>('A' + static_cast<int>(record.waitShape));
}

// The first record of each key in table order, and the place of best's key among them.
void CheckDistinct(const Hand14& won, const DecompositionTable& table, std::int32_t count,
                   std::int32_t best, const NumberExplanation& number, const std::string& where) {
    std::vector<std::string> keys;
    std::vector<std::int32_t> firsts;
    std::int32_t bestPlace = -1;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::string key = ReadingKey(won, table[static_cast<std::size_t>(i)]);
        const auto found = std::find(keys.begin(), keys.end(), key);
        if (found == keys.end()) {
            keys.push_back(key);
            firsts.push_back(i);
        }
        if (i == best) {
            bestPlace =
                static_cast<std::int32_t>(std::find(keys.begin(), keys.end(), key) - keys.begin());
        }
    }
    ASSERT_EQ(number.distinctCount, static_cast<std::int32_t>(firsts.size())) << where;
    EXPECT_TRUE(std::equal(firsts.begin(), firsts.end(), number.distinct.begin())) << where;
    EXPECT_EQ(number.bestDistinct, bestPlace) << where;
}

constexpr int kShards = 8;

class EveryExplanation : public ::testing::TestWithParam<int> {};

TEST_P(EveryExplanation, agreesWithTheAnswerBoxAndTheFewestLeftOver) {
    const int shard = GetParam();
    HandSpace<13> space;
    Hand13 hand{};
    auto explanation = std::make_unique<HandExplanation>();
    auto table = std::make_unique<DecompositionTable>();
    Problem problem{};
    long index = 0;
    int failures = 0;
    while (space.Next(hand) && failures < 5) {
        if (index++ % kShards != shard) {
            continue;
        }
        ASSERT_TRUE(ExplainHand(hand, *explanation));
        ASSERT_EQ(explanation->hand, hand);
        FindWaits(hand, problem);
        Counts held{};
        for (const TileNumber tile : hand) {
            ++held[static_cast<std::size_t>(tile)];
        }
        for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
            const auto slot = static_cast<std::size_t>(n);
            const NumberExplanation& number = explanation->numbers[slot];
            const std::string where = DigitsOf(hand) + " with " + std::to_string(n);
            Counts counts = held;
            ++counts[slot];
            const Hand14 won = WithTile(hand, n);
            const bool wait = problem.isWait[slot] != 0;
            const Verdict verdict = held[slot] == 4 ? Verdict::FifthCopy
                                    : wait          ? Verdict::Wait
                                                    : Verdict::NoReading;
            EXPECT_EQ(number.verdict, verdict) << where;

            std::int32_t count = 0;
            std::int32_t best = -1;
            if (verdict == Verdict::Wait) {
                best = EvaluateReadings(won, n, *table, count);
                ASSERT_EQ(number.best, best) << where;
                EXPECT_TRUE(std::equal(
                    problem.patterns[slot].begin(), problem.patterns[slot].begin() + kPatternCount,
                    number.readings[static_cast<std::size_t>(best)].patterns.begin()))
                    << where;
            } else if (verdict == Verdict::FifthCopy) {
                best = EvaluateFifthCopyReadings(won, n, *table, count);
                EXPECT_LT(count, kDecompositionCapacity) << where;
                // Complete in shape exactly when melds and a pair leave nothing over.
                EXPECT_EQ(count > 0, FewestLeftOver(counts) == 0) << where;
            }
            ASSERT_EQ(number.readingCount, count) << where;
            EXPECT_EQ(number.best, best) << where;
            for (std::int32_t i = 0; i < count; ++i) {
                const ExplainedReading& reading = number.readings[static_cast<std::size_t>(i)];
                const Decomposition& record = (*table)[static_cast<std::size_t>(i)];
                EXPECT_EQ(reading.waitShape, record.waitShape) << where;
                EXPECT_TRUE(std::equal(reading.patterns.begin(), reading.patterns.end(),
                                       record.patterns.begin()))
                    << where;
                EXPECT_EQ(reading.han, HanTotal(record.patterns)) << where;
                CheckReadingBlocks(counts, n, reading, where + " reading " + std::to_string(i));
            }
            CheckDistinct(won, *table, count, best, number, where);

            if (verdict != Verdict::NoReading) {
                failures += ::testing::Test::HasFailure() ? 1 : 0;
                continue;
            }
            Counts rest = counts;
            int melds = 0;
            int pairs = 0;
            for (std::int32_t b = 0; b < number.splitCount; ++b) {
                const Block& block = number.split[static_cast<std::size_t>(b)];
                ASSERT_TRUE(TakeBlock(rest, block)) << where;
                (block.kind == BlockKind::Pair ? pairs : melds) += 1;
            }
            EXPECT_LE(melds, 4) << where;
            EXPECT_LE(pairs, 1) << where;
            Counts leftover{};
            for (std::int32_t i = 0; i < number.leftoverCount; ++i) {
                ++leftover[static_cast<std::size_t>(number.leftover[static_cast<std::size_t>(i)])];
                EXPECT_TRUE(i == 0 || number.leftover[static_cast<std::size_t>(i - 1)] <=
                                          number.leftover[static_cast<std::size_t>(i)])
                    << where;
            }
            EXPECT_EQ(leftover, rest) << where;
            EXPECT_EQ(number.leftoverCount, FewestLeftOver(counts)) << where;
            failures += ::testing::Test::HasFailure() ? 1 : 0;
        }
    }
    EXPECT_EQ(failures, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryHand, EveryExplanation, ::testing::Range(0, kShards));

}  // namespace
}  // namespace zelkon::tests
