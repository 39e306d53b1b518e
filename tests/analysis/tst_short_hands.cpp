// Hands of every size against a second method: a plain backtracking search over the lowest tile
// (pair, triplet or run), written here, instead of the core's meld tables and triplet subsets.
#include <algorithm>
#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

#include "analysis/explanation.h"
#include "analysis/hand_space.h"
#include "analysis/short_readings.h"
#include "analysis/tile_hand.h"
#include "analysis/wait_finder.h"
#include "analysis/wait_shapes.h"
#include "support/every_hand.h"
#include "support/hand_strings.h"

namespace zelkon::tests {
namespace {

using Counts = std::array<int, kNumberSlots + 2>;

// Every split of counts into melds and at most one pair (exactly one when needPair), each as the
// sorted list of its blocks ("P3", "T5", "R4").
void Splits(Counts& counts, bool pairLeft, std::vector<std::string>& blocks,
            std::vector<std::vector<std::string>>& out) {
    std::size_t n = 1;
    while (n <= 9 && counts[n] == 0) {
        ++n;
    }
    if (n > 9) {
        if (!pairLeft) {
            std::vector<std::string> sorted = blocks;
            std::sort(sorted.begin(), sorted.end());
            out.push_back(sorted);
        }
        return;
    }
    const std::string digit(1, static_cast<char>('0' + n));
    if (pairLeft && counts[n] >= 2) {
        counts[n] -= 2;
        blocks.push_back("P" + digit);
        Splits(counts, false, blocks, out);
        blocks.pop_back();
        counts[n] += 2;
    }
    if (counts[n] >= 3) {
        counts[n] -= 3;
        blocks.push_back("T" + digit);
        Splits(counts, pairLeft, blocks, out);
        blocks.pop_back();
        counts[n] += 3;
    }
    if (n <= 7 && counts[n + 1] > 0 && counts[n + 2] > 0) {
        --counts[n];
        --counts[n + 1];
        --counts[n + 2];
        blocks.push_back("R" + digit);
        Splits(counts, pairLeft, blocks, out);
        blocks.pop_back();
        ++counts[n];
        ++counts[n + 1];
        ++counts[n + 2];
    }
}

// Each distinct reading of won with the block w completes and the shape, as text.
std::set<std::string> ExpectedRecords(Counts won, TileNumber w) {
    std::vector<std::vector<std::string>> splits;
    std::vector<std::string> blocks;
    Splits(won, true, blocks, splits);
    std::set<std::string> records;
    for (const std::vector<std::string>& split : splits) {
        std::string joined;
        for (const std::string& block : split) {
            joined += block + " ";
        }
        for (const std::string& block : std::set<std::string>(split.begin(), split.end())) {
            const int first = block[1] - '0';
            std::string shape;
            if (block[0] == 'P' && first == w) {
                shape = "単騎";
            } else if (block[0] == 'T' && first == w) {
                shape = "双碰";
            } else if (block[0] == 'R' && first + 1 == w) {
                shape = "嵌張";
            } else if (block[0] == 'R' && (first == w || first + 2 == w)) {
                shape = (first == 7 && w == 7) || (first == 1 && w == 3) ? "辺張" : "両面";
            } else {
                continue;
            }
            records.insert(joined + "[" + block + "] " + shape);
        }
    }
    return records;
}

std::set<std::string> CoreRecords(const TileCounts& won, TileNumber w) {
    std::array<ExplainedReading, kMaxExplainedReadings> readings;
    const std::int32_t count = ShortReadings(won, w, readings);
    std::set<std::string> records;
    for (std::int32_t i = 0; i < count; ++i) {
        const ExplainedReading& r = readings[static_cast<std::size_t>(i)];
        std::vector<std::string> blocks;
        for (std::int32_t b = 0; b < r.blockCount; ++b) {
            const Block& block = r.blocks[static_cast<std::size_t>(b)];
            const char kind = block.kind == BlockKind::Pair      ? 'P'
                              : block.kind == BlockKind::Triplet ? 'T'
                                                                 : 'R';
            blocks.push_back(std::string(1, kind) + static_cast<char>('0' + block.first));
        }
        std::vector<std::string> sorted = blocks;
        std::sort(sorted.begin(), sorted.end());
        std::string joined;
        for (const std::string& block : sorted) {
            joined += block + " ";
        }
        const std::string winning =
            r.winningBlock >= 0 ? blocks[static_cast<std::size_t>(r.winningBlock)] : "?";
        records.insert(joined + "[" + winning + "] " + WaitShapeName(r.waitShape));
    }
    return records;
}

template <std::size_t N>
void CheckEveryHand() {
    const long hands =
        tests::ForEveryHand<N>([](const std::array<TileNumber, N>&, const TileCounts& counts) {
            std::string fault;
            std::string expected;
            std::string got;
            const NumberSet waits = WaitsOfCounts(counts);
            for (TileNumber w = kMinTile; w <= kMaxTile; ++w) {
                Counts won{};
                std::copy(counts.begin(), counts.end(), won.begin());
                ++won[static_cast<std::size_t>(w)];
                const std::set<std::string> records = ExpectedRecords(won, w);
                if (counts[static_cast<std::size_t>(w)] < 4 && !records.empty()) {
                    expected += static_cast<char>('0' + w);
                }
                if ((waits & NumberBit(w)) != 0) {
                    got += static_cast<char>('0' + w);
                }
                TileCounts wonCounts = counts;
                ++wonCounts[static_cast<std::size_t>(w)];
                // Readings of a fifth copy too: the explanation shows them.
                const std::set<std::string> core = CoreRecords(wonCounts, w);
                if (core != records) {
                    std::string listed;
                    for (const std::string& r : core) {
                        listed += "\n  core: " + r;
                    }
                    for (const std::string& r : records) {
                        listed += "\n  second: " + r;
                    }
                    fault += "won on " + std::to_string(w) + ": readings differ" + listed + "\n";
                }
            }
            if (got != expected) {
                fault += "waits " + got + ", expected " + expected;
            }
            return fault;
        });
    EXPECT_EQ(hands, HandSpaceSize<N>());
}

TEST(ShortHands, everyHandOfFourTilesAgreesWithABacktrackingSearch) {
    CheckEveryHand<4>();
}

TEST(ShortHands, everyHandOfSevenTilesAgreesWithABacktrackingSearch) {
    CheckEveryHand<7>();
}

TEST(ShortHands, everyHandOfTenTilesAgreesWithABacktrackingSearch) {
    CheckEveryHand<10>();
}

// At 13 tiles the count-based waits (seven pairs included) and shapes are the quiz's own.
TEST(ShortHands, thirteenTileWaitsAndShapesAreTheQuizs) {
    tests::ForEveryHand<13>([](const Hand13& hand, const TileCounts& counts) {
        std::string fault;
        Problem problem{};
        FindWaits(hand, problem);
        NumberSet expected = 0;
        for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
            if (problem.isWait[static_cast<std::size_t>(n)] != 0) {
                expected |= NumberBit(n);
            }
        }
        if (WaitsOfCounts(counts) != expected) {
            fault = "waits by counts differ from FindWaits";
        }
        if (hand[0] % 4 == 1) {  // shapes cost an enumeration: a quarter of the hands do
            TileHand tiles;
            std::copy(hand.begin(), hand.end(), tiles.tiles.begin());
            tiles.count = 13;
            std::array<std::uint8_t, kNumberSlots> shapes{};
            std::array<std::uint8_t, kNumberSlots> quiz{};
            WaitShapesOfHand(tiles, shapes);
            WaitShapesOf(hand, quiz);
            if (shapes != quiz) {
                fault += fault.empty() ? "shapes differ" : "; shapes differ";
            }
        }
        return fault;
    });
}

TEST(ShortHands, wrongSizesAndFifthCopiesAreNoHand) {
    TileCounts seven{};
    seven[1] = 5;
    seven[2] = 2;
    EXPECT_EQ(WaitsOfCounts(seven), 0);
    TileCounts six{};
    six[3] = 6;
    EXPECT_EQ(WaitsOfCounts(six), 0);
    EXPECT_FALSE(IsCompleteCounts(six));
    TileHand bad;
    bad.count = 4;
    bad.tiles = {1, 2, 3, 10};
    std::array<std::uint8_t, kNumberSlots> shapes{};
    EXPECT_FALSE(WaitShapesOfHand(bad, shapes));
    // A number held four times is no wait of a part judged with the whole hand.
    TileCounts part{};
    part[2] = part[3] = 1;  // 2355 waits on 1 and 4, but the hand holds 4444
    part[5] = 2;
    TileCounts whole = part;
    whole[4] = 4;
    EXPECT_EQ(WaitsOfCounts(part, part), NumberBit(1) | NumberBit(4));
    EXPECT_EQ(WaitsOfCounts(part, whole), NumberBit(1));
}

TEST(ShortHands, explanationOfAShortHand) {
    HandExplanation out{};
    ASSERT_TRUE(ExplainTiles(TilesOf("5433"), out));
    EXPECT_EQ(out.tileCount, 4);
    EXPECT_EQ(DigitsOf(out.hand), "3345000000000");
    const NumberExplanation& three = out.numbers[3];
    const NumberExplanation& six = out.numbers[6];
    EXPECT_EQ(three.verdict, Verdict::Wait);
    EXPECT_EQ(six.verdict, Verdict::Wait);
    ASSERT_EQ(six.readingCount, 1);
    EXPECT_EQ(six.readings[0].waitShape, WaitShape::TwoSided);
    EXPECT_EQ(six.best, 0);
    EXPECT_EQ(six.readings[0].han, 0);
    // One meld and a pair at most: 33445 splits best as 345 with 3 and 4 left over.
    const NumberExplanation& four = out.numbers[4];
    EXPECT_EQ(four.verdict, Verdict::NoReading);
    EXPECT_EQ(four.leftoverCount, 2);
    EXPECT_LE(four.splitCount, 2);

    // 2222 waits on nothing; a fifth 2 would read 222 and 22, as a triplet or as the pair.
    ASSERT_TRUE(ExplainTiles(TilesOf("2222"), out));
    EXPECT_EQ(out.numbers[2].verdict, Verdict::FifthCopy);
    EXPECT_EQ(out.numbers[2].readingCount, 2);
    EXPECT_EQ(out.numbers[1].verdict, Verdict::NoReading);

    EXPECT_FALSE(ExplainTiles(TilesOf("12345"), out));
    EXPECT_EQ(out.numbers[1].verdict, Verdict::NoReading);
    EXPECT_EQ(out.numbers[1].readingCount, 0);
}

}  // namespace
}  // namespace zelkon::tests
