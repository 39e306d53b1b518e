// Every single-suit hand against second answers built differently: complete hands are generated
// from melds rather than taken apart, and patterns are read from the melds of a reading rather
// than from neighbouring roles.
#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "analysis/decomposition.h"
#include "analysis/hand_space.h"
#include "analysis/pattern_table.h"
#include "analysis/wait_finder.h"
#include "record_checks.h"
#include "support/hand_strings.h"

namespace zelkon::tests {
namespace {

using Counts = std::array<int, kNumberSlots>;

int CodeOf(const Counts& counts) {
    int code = 0;
    for (std::size_t n = 9; n >= 1; --n) {
        code = code * 5 + counts[n];
    }
    return code;
}

constexpr int kCodes = 5 * 5 * 5 * 5 * 5 * 5 * 5 * 5 * 5;

// Every complete 14-tile hand, made from a pair and four melds or seven different pairs.
const std::vector<bool>& CompleteHands() {
    static const std::vector<bool> complete = [] {
        std::vector<Counts> melds;
        for (std::size_t n = 1; n <= 9; ++n) {
            Counts triplet{};
            triplet[n] = 3;
            melds.push_back(triplet);
        }
        for (std::size_t n = 1; n <= 7; ++n) {
            Counts run{};
            run[n] = run[n + 1] = run[n + 2] = 1;
            melds.push_back(run);
        }
        std::vector<bool> set(kCodes, false);
        const std::size_t kinds = melds.size();
        for (std::size_t pair = 1; pair <= 9; ++pair) {
            for (std::size_t a = 0; a < kinds; ++a) {
                for (std::size_t b = a; b < kinds; ++b) {
                    for (std::size_t c = b; c < kinds; ++c) {
                        for (std::size_t d = c; d < kinds; ++d) {
                            Counts counts{};
                            counts[pair] = 2;
                            bool fits = true;
                            for (std::size_t n = 1; n <= 9; ++n) {
                                counts[n] += melds[a][n] + melds[b][n] + melds[c][n] + melds[d][n];
                                fits = fits && counts[n] <= 4;
                            }
                            if (fits) {
                                set[static_cast<std::size_t>(CodeOf(counts))] = true;
                            }
                        }
                    }
                }
            }
        }
        for (std::size_t left = 1; left <= 9; ++left) {
            for (std::size_t right = left + 1; right <= 9; ++right) {
                Counts counts{};
                for (std::size_t n = 1; n <= 9; ++n) {
                    counts[n] = n == left || n == right ? 0 : 2;
                }
                set[static_cast<std::size_t>(CodeOf(counts))] = true;
            }
        }
        return set;
    }();
    return complete;
}

bool IsCompleteCounts(const Counts& counts) {
    return CompleteHands()[static_cast<std::size_t>(CodeOf(counts))];
}

// Calls visit with the counts of every hand of the given size, ascending by digit string.
void ForEachHand(int tiles, const std::function<void(const Counts&)>& visit) {
    Counts counts{};
    std::function<void(std::size_t, int)> place = [&](std::size_t n, int left) {
        if (n > 9) {
            if (left == 0) {
                visit(counts);
            }
            return;
        }
        for (int c = left < 4 ? left : 4; c >= 0; --c) {
            if (left - c <= 4 * static_cast<int>(9 - n)) {
                counts[n] = c;
                place(n + 1, left - c);
            }
        }
        counts[n] = 0;
    };
    place(1, tiles);
}

template <std::size_t N>
std::array<TileNumber, N> HandOfCounts(const Counts& counts) {
    std::array<TileNumber, N> hand{};
    std::size_t p = 0;
    for (std::size_t n = 1; n <= 9; ++n) {
        for (int c = 0; c < counts[n]; ++c) {
            hand[p++] = static_cast<TileNumber>(n);
        }
    }
    return hand;
}

// Stops a broken build from printing a hundred thousand failures.
class FailureBudget {
public:
    bool Spend() { return ++m_spent <= 25; }

private:
    int m_spent = 0;
};

TEST(EveryHand, thereAre93600HandsOf13And118800Of14) {
    int hands13 = 0;
    ForEachHand(13, [&](const Counts&) { ++hands13; });
    int hands14 = 0;
    ForEachHand(14, [&](const Counts&) { ++hands14; });
    EXPECT_EQ(hands13, 93600);
    EXPECT_EQ(hands14, 118800);
    EXPECT_EQ(HandSpaceSize<13>(), 93600);
    EXPECT_EQ(HandSpaceSize<14>(), 118800);
}

TEST(EveryHand, handSpaceWalksTheSameHandsInAscendingOrder) {
    HandSpace<13> space;
    Hand13 given{};
    FailureBudget budget;
    int index = 0;
    ForEachHand(13, [&](const Counts& counts) {
        const Hand13 expected = HandOfCounts<13>(counts);
        const bool more = space.Next(given);
        if ((!more || given != expected) && budget.Spend()) {
            ADD_FAILURE() << "hand " << index << ": expected " << DigitsOf(expected) << ", got "
                          << (more ? DigitsOf(given) : std::string("the end"));
        }
        ++index;
    });
    EXPECT_FALSE(space.Next(given)) << "a hand after the last";
}

// Both walks over every hand are split into shards so that each test stays short under the
// sanitizers.
constexpr int kWaitShards = 2;

class EveryWait : public ::testing::TestWithParam<int> {};

TEST_P(EveryWait, waitsAreTheNumbersThatCompleteTheHandWithoutAFifthCopy) {
    const int shard = GetParam();
    FailureBudget budget;
    int hands = 0;
    int waiting = 0;
    int index = 0;
    ForEachHand(13, [&](const Counts& counts) {
        if (index++ % kWaitShards != shard) {
            return;
        }
        const Hand13 hand = HandOfCounts<13>(counts);
        Problem problem{};
        FindWaits(hand, problem);
        std::string expected;
        for (std::size_t n = 1; n <= 9; ++n) {
            Counts with = counts;
            ++with[n];
            if (counts[n] < 4 && IsCompleteCounts(with)) {
                expected += static_cast<char>('0' + n);
            }
        }
        if (WaitsOf(problem) != expected && budget.Spend()) {
            ADD_FAILURE() << DigitsOf(hand) << ": waits " << WaitsOf(problem) << ", expected "
                          << expected;
        }
        for (const char wait : expected) {
            const TileNumber n = wait - '0';
            std::array<std::int32_t, kPatternCount> best{};
            const Hand14 full = WithTile(hand, n);
            if (EvaluateWinningHand(full, n, best.data()) != 1) {
                if (budget.Spend()) {
                    ADD_FAILURE() << DigitsOf(full) << " with " << n << " has no best reading";
                }
                continue;
            }
            const PatternFlags& stored = problem.patterns[Index(n)];
            if (!std::equal(best.begin(), best.end(), stored.begin()) && budget.Spend()) {
                ADD_FAILURE() << DigitsOf(hand) << " wait " << n << ": stored patterns "
                              << PatternNamesOf(stored) << ", best " << PatternNamesOf(best.data());
            }
        }
        ++hands;
        waiting += expected.empty() ? 0 : 1;
    });
    EXPECT_EQ(hands, 93600 / kWaitShards);
    EXPECT_GT(waiting, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryHand, EveryWait, ::testing::Range(0, kWaitShards));

TEST(EveryHand, completenessByCountsAgreesWithTheGeneratedHandsInAnyOrder) {
    FailureBudget budget;
    ForEachHand(14, [&](const Counts& counts) {
        Hand14 hand = HandOfCounts<14>(counts);
        const int expected = IsCompleteCounts(counts) ? 1 : 0;
        if (IsCompleteHand(hand) != expected && budget.Spend()) {
            ADD_FAILURE() << DigitsOf(hand) << ": IsCompleteHand is not " << expected;
        }
        std::reverse(hand.begin(), hand.end());
        if (IsCompleteHand(hand) != expected && budget.Spend()) {
            ADD_FAILURE() << DigitsOf(hand) << " (descending): IsCompleteHand is not " << expected;
        }
    });
}

// The patterns of one reading, read from its melds.
PatternFlags ExpectedPatterns(const Hand14& hand, const Decomposition& reading) {
    Counts tiles{};
    Counts tripletTiles{};
    std::vector<int> runs;  // starting numbers
    int pairNumber = 0;
    bool sevenPairs = false;
    for (std::size_t p = 0; p < hand.size(); ++p) {
        const std::size_t n = Index(hand[p]);
        ++tiles[n];
        switch (reading.roles[p]) {
            case TileRole::Triplet:
                ++tripletTiles[n];
                break;
            case TileRole::RunLow:
                runs.push_back(hand[p]);
                break;
            case TileRole::Pair:
                pairNumber = hand[p];
                break;
            case TileRole::SevenPairsPair:
                sevenPairs = true;
                break;
            default:
                break;
        }
    }
    std::vector<int> triplets;
    for (std::size_t n = 1; n <= 9; ++n) {
        for (int t = 0; t < tripletTiles[n] / 3; ++t) {
            triplets.push_back(static_cast<int>(n));
        }
    }
    std::sort(runs.begin(), runs.end());
    const auto has = [](const std::vector<int>& list, int value) {
        return std::find(list.begin(), list.end(), value) != list.end();
    };
    bool repeatedRun = false;
    for (std::size_t i = 1; i < runs.size(); ++i) {
        repeatedRun = repeatedRun || runs[i] == runs[i - 1];
    }
    const std::size_t runCount = runs.size();
    const std::size_t tripletCount = triplets.size();
    const WaitShape shape = reading.waitShape;
    const bool twoCouples = runCount == 4 && runs[0] == runs[1] && runs[2] == runs[3];
    bool terminalMelds = runCount >= 1 && (pairNumber == 1 || pairNumber == 9) && !sevenPairs;
    for (const int start : runs) {
        terminalMelds = terminalMelds && (start == 1 || start == 7);
    }
    for (const int number : triplets) {
        terminalMelds = terminalMelds && (number == 1 || number == 9);
    }
    bool nineGates = tiles[1] >= 3 && tiles[9] >= 3;
    for (std::size_t n = 1; n <= 9; ++n) {
        nineGates = nineGates && tiles[n] >= 1;
    }

    PatternFlags flags{};
    flags[0] = shape == WaitShape::TwoSided && runCount == 4;
    flags[1] = tiles[1] == 0 && tiles[9] == 0;
    flags[2] = runCount >= 2 && repeatedRun && !twoCouples;
    flags[3] = sevenPairs;
    flags[4] = runCount >= 3 && has(runs, 1) && has(runs, 4) && has(runs, 7);
    flags[5] = tripletCount >= 4;
    flags[6] = tripletCount >= 4 || (tripletCount == 3 && shape != WaitShape::DualPair);
    flags[7] = twoCouples;
    flags[8] = terminalMelds;
    flags[9] = tripletCount == 4 && shape == WaitShape::Single;
    flags[10] = nineGates;
    if (flags[9] != 0 || flags[10] != 0) {
        for (std::size_t k = 0; k <= 8; ++k) {
            flags[k] = 0;
        }
    }
    return flags;
}

// A reading as its pair and melds, "p5 t1 r2 r2 r7", or "p5 seven" for seven pairs.
struct MeldSet {
    int pair = 0;
    bool sevenPairs = false;
    Counts triplets{};
    Counts runs{};  // by starting number

    std::string Spelled() const {
        std::string text = "p";
        text += std::to_string(pair);
        if (sevenPairs) {
            return text + " seven";
        }
        for (std::size_t n = 1; n <= 9; ++n) {
            for (int k = 0; k < triplets[n]; ++k) {
                text += " t" + std::to_string(n);
            }
        }
        for (std::size_t n = 1; n <= 9; ++n) {
            for (int k = 0; k < runs[n]; ++k) {
                text += " r" + std::to_string(n);
            }
        }
        return text;
    }
};

MeldSet MeldsOf(const Hand14& hand, const RoleList& roles) {
    MeldSet melds;
    for (std::size_t p = 0; p < hand.size(); ++p) {
        const std::size_t n = Index(hand[p]);
        switch (roles[p]) {
            case TileRole::Pair:
                melds.pair = hand[p];
                break;
            case TileRole::SevenPairsPair:
                melds.sevenPairs = true;
                break;
            case TileRole::Triplet:
                ++melds.triplets[n];
                break;
            case TileRole::RunLow:
                ++melds.runs[n];
                break;
            default:
                break;
        }
    }
    for (int& t : melds.triplets) {
        t /= 3;
    }
    return melds;
}

// The readings in the order they must be recorded, found on counts: pair numbers ascending (a
// number held four times twice), seven pairs first, then melds with the run before the triplet.
void SearchMelds(Counts& rest, MeldSet& melds, std::vector<std::string>& order) {
    std::size_t low = 1;
    while (low <= 9 && rest[low] == 0) {
        ++low;
    }
    if (low > 9) {
        order.push_back(melds.Spelled());
        return;
    }
    if (low <= 7 && rest[low + 1] > 0 && rest[low + 2] > 0) {
        --rest[low], --rest[low + 1], --rest[low + 2];
        ++melds.runs[low];
        SearchMelds(rest, melds, order);
        --melds.runs[low];
        ++rest[low], ++rest[low + 1], ++rest[low + 2];
    }
    if (rest[low] >= 3) {
        rest[low] -= 3;
        ++melds.triplets[low];
        SearchMelds(rest, melds, order);
        --melds.triplets[low];
        rest[low] += 3;
    }
}

std::vector<std::string> ExpectedReadingOrder(const Counts& counts) {
    std::vector<std::string> order;
    for (std::size_t n = 1; n <= 9; ++n) {
        const int candidates = counts[n] == 4 ? 2 : counts[n] >= 2 ? 1 : 0;
        for (int c = 0; c < candidates; ++c) {
            Counts rest = counts;
            rest[n] -= 2;
            MeldSet melds;
            melds.pair = static_cast<int>(n);
            int groups = 0;
            bool sevenPairs = true;
            for (std::size_t m = 1; m <= 9; ++m) {
                if (rest[m] != 0) {
                    ++groups;
                    sevenPairs = sevenPairs && rest[m] == 2 && m != n;
                }
            }
            if (sevenPairs && groups >= 6) {
                melds.sevenPairs = true;
                order.push_back(melds.Spelled());
                melds.sevenPairs = false;
            }
            SearchMelds(rest, melds, order);
        }
    }
    return order;
}

constexpr int kShards = 6;

struct ShardTally {
    int records = 0;
    int mostRecords = 0;
    std::string mostRecordsHand;
};

class EveryWin : public ::testing::TestWithParam<int> {};

TEST_P(EveryWin, recordsHoldTheirInvariantsAndTheBestIsTheLastHighest) {
    const int shard = GetParam();
    FailureBudget budget;
    ShardTally tally;
    auto table = JunkTable();
    auto evaluated = std::make_unique<DecompositionTable>();
    int index = 0;
    ForEachHand(14, [&](const Counts& counts) {
        if (index++ % kShards != shard) {
            return;
        }
        const Hand14 hand = HandOfCounts<14>(counts);
        const bool complete = IsCompleteCounts(counts);
        const std::vector<std::string> expectedOrder =
            complete ? ExpectedReadingOrder(counts) : std::vector<std::string>{};
        if (complete && expectedOrder.empty() && budget.Spend()) {
            ADD_FAILURE() << DigitsOf(HandOfCounts<14>(counts)) << ": no reading found on counts";
        }
        for (TileNumber winning = 1; winning <= 9; ++winning) {
            if (counts[Index(winning)] == 0) {
                continue;
            }
            const std::string where = DigitsOf(hand) + " with " + std::to_string(winning);
            const std::int32_t count = EnumerateDecompositions(hand, winning, *table);
            if (!complete) {
                if (count != -1 && budget.Spend()) {
                    ADD_FAILURE() << where << ": " << count << " records of no reading";
                }
                continue;
            }
            if ((count < 1 || count > 20) && budget.Spend()) {
                ADD_FAILURE() << where << ": " << count << " records";
            }
            if (count < 1 || count > 20) {
                continue;
            }
            tally.records += count;
            if (count > tally.mostRecords) {
                tally.mostRecords = count;
                tally.mostRecordsHand = where;
            }
            const auto invariants = RecordsHoldTheirInvariants(hand, winning, *table, count);
            if (!invariants && budget.Spend()) {
                ADD_FAILURE() << invariants.message();
            }
            std::vector<std::string> recorded;
            for (std::int32_t i = 0; i < count; ++i) {
                const RoleList& roles = (*table)[static_cast<std::size_t>(i)].roles;
                if (i == 0 || roles != (*table)[static_cast<std::size_t>(i - 1)].roles) {
                    recorded.push_back(MeldsOf(hand, roles).Spelled());
                }
            }
            if (recorded != expectedOrder && budget.Spend()) {
                std::string got;
                std::string want;
                for (const std::string& r : recorded) {
                    got += "[" + r + "]";
                }
                for (const std::string& r : expectedOrder) {
                    want += "[" + r + "]";
                }
                ADD_FAILURE() << where << ": readings " << got << ", expected " << want;
            }

            std::int32_t bestSum = 0;
            std::int32_t bestIndex = 0;
            for (std::int32_t i = 0; i < count; ++i) {
                Decomposition record = (*table)[static_cast<std::size_t>(i)];
                EvaluatePatterns(hand, record);
                const PatternFlags expected = ExpectedPatterns(hand, record);
                if (record.patterns != expected && budget.Spend()) {
                    ADD_FAILURE() << where << " record " << i << " " << RoleLetters(record.roles)
                                  << ": patterns " << PatternNamesOf(record.patterns)
                                  << ", expected " << PatternNamesOf(expected);
                }
                std::int32_t sum = 0;
                for (std::size_t k = 0; k < kPatternCount; ++k) {
                    sum += expected[k] != 0 ? PatternTable[k].han : 0;
                }
                if (HanTotal(record.patterns) != sum && budget.Spend()) {
                    ADD_FAILURE() << where << " record " << i << ": HanTotal "
                                  << HanTotal(record.patterns) << ", expected " << sum;
                }
                if (sum >= bestSum) {
                    bestSum = sum;
                    bestIndex = i;
                }
            }
            const PatternFlags best =
                ExpectedPatterns(hand, (*table)[static_cast<std::size_t>(bestIndex)]);
            std::array<std::int32_t, kPatternCount> result{};
            result.fill(-1);
            const std::int32_t found = EvaluateWinningHand(hand, winning, result.data());
            if ((found != 1 || !std::equal(result.begin(), result.end(), best.begin())) &&
                budget.Spend()) {
                ADD_FAILURE() << where << ": best " << PatternNamesOf(result.data())
                              << ", expected record " << bestIndex << " " << PatternNamesOf(best);
            }
            std::int32_t readingCount = 0;
            const std::int32_t reportedBest =
                EvaluateReadings(hand, winning, *evaluated, readingCount);
            if ((reportedBest != bestIndex || readingCount != count) && budget.Spend()) {
                ADD_FAILURE() << where << ": EvaluateReadings gives best " << reportedBest << " of "
                              << readingCount << ", expected " << bestIndex << " of " << count;
            }
        }
    });
    EXPECT_LE(tally.mostRecords, 20);
    EXPECT_GT(tally.records, 0);
    RecordProperty("most_records", tally.mostRecordsHand);
}

INSTANTIATE_TEST_SUITE_P(EveryHand, EveryWin, ::testing::Range(0, kShards));

}  // namespace
}  // namespace zelkon::tests
