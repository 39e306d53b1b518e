// Seeded deals: each is replayed from its logged draws by a second dealer written here, which
// knows the dropped tile, and the first deals of two seeds are stored.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

#include "dealing/problem_dealer.h"
#include "draw_sources.h"
#include "support/hand_strings.h"

namespace zelkon::tests {
namespace {

struct ReplayedDeal {
    Hand13 sorted;
    Hand13 order;
    TileNumber dropped;
};

// The deal that the 1,982 draws describe.
ReplayedDeal Replay(const std::vector<int>& draws) {
    std::array<int, 37> pool{111, 222, 333, 444, 555, 666, 777, 888, 999};
    for (std::size_t i = 9; i < pool.size(); ++i) {
        pool[i] = 123 + 111 * static_cast<int>((i - 9) % 7);
    }
    std::size_t next = 0;
    const auto draw = [&](int modulus) {
        return static_cast<std::size_t>(draws.at(next++) % modulus);
    };
    for (int pass = 0; pass < 50; ++pass) {
        for (std::size_t i = 0; i < pool.size(); ++i) {
            std::swap(pool[i], pool[draw(37)]);
        }
    }
    std::array<int, kNumberSlots> counts{};
    Hand14 full{};
    const TileNumber pair = static_cast<TileNumber>(draw(9)) + 1;
    full[0] = full[1] = pair;
    counts[static_cast<std::size_t>(pair)] = 2;
    std::size_t slot = 2;
    for (const int code : pool) {
        if (slot > 13) {
            break;
        }
        const std::array<std::size_t, 3> tiles = {static_cast<std::size_t>(code / 100),
                                                  static_cast<std::size_t>(code / 10 % 10),
                                                  static_cast<std::size_t>(code % 10)};
        std::array<int, kNumberSlots> after = counts;
        for (const std::size_t t : tiles) {
            ++after[t];
        }
        if (std::any_of(after.begin(), after.end(), [](int c) { return c > 4; })) {
            continue;
        }
        counts = after;
        for (const std::size_t t : tiles) {
            full[slot++] = static_cast<TileNumber>(t);
        }
    }
    std::sort(full.begin(), full.end());
    const std::size_t drop = draw(14);
    ReplayedDeal deal{};
    deal.dropped = full[drop];
    for (std::size_t p = 0, q = 0; p < full.size(); ++p) {
        if (p != drop) {
            deal.sorted[q++] = full[p];
        }
    }
    deal.order = deal.sorted;
    for (int pass = 0; pass < 10; ++pass) {
        for (std::size_t i = 0; i < deal.order.size(); ++i) {
            std::swap(deal.order[i], deal.order[draw(13)]);
        }
    }
    return deal;
}

TEST(SeededDeals, everyDealIsAValidProblemWhoseDroppedTileIsAWait) {
    ScopedSource source(RecordedDraw);
    int deals = 0;
    for (const unsigned seed : {1U, 2U, 3U, 42U, 777U, 12345U, 20261208U, 4294967295U}) {
        std::srand(seed);
        for (int k = 0; k < 400; ++k, ++deals) {
            Draws().log.clear();
            Problem problem{};
            DealProblem(problem);
            const std::string where = "seed " + std::to_string(seed) + " deal " + std::to_string(k);
            ASSERT_EQ(Draws().log.size(), 1982U) << where;
            const ReplayedDeal replay = Replay(Draws().log);

            const Hand13& sorted = problem.sortedHand;
            ASSERT_TRUE(std::is_sorted(sorted.begin(), sorted.end())) << where;
            Hand13 order = problem.dealOrder;
            std::sort(order.begin(), order.end());
            ASSERT_EQ(order, sorted) << where << ": display order is no permutation";
            for (TileNumber n = 1; n <= 9; ++n) {
                const auto copies = std::count(sorted.begin(), sorted.end(), n);
                ASSERT_LE(copies, 4) << where << " number " << n;
                if (copies == 4) {
                    ASSERT_EQ(problem.isWait[static_cast<std::size_t>(n)], 0) << where;
                }
            }
            ASSERT_GE(sorted.front(), 1) << where;
            ASSERT_LE(sorted.back(), 9) << where;
            ASSERT_EQ(DigitsOf(sorted), DigitsOf(replay.sorted)) << where;
            ASSERT_EQ(DigitsOf(problem.dealOrder), DigitsOf(replay.order)) << where;
            ASSERT_EQ(problem.isWait[static_cast<std::size_t>(replay.dropped)], 1)
                << where << ": dropped " << replay.dropped << " is no wait of " << DigitsOf(sorted);
        }
    }
    EXPECT_EQ(deals, 3200);
}

// Recorded from the C library's generator; they change only if the draws change.
struct StoredDeal {
    const char* sorted;
    const char* order;
    const char* waits;
};

void ExpectStoredDeals(unsigned seed, const std::vector<StoredDeal>& stored) {
    ScopedSource source(RandomSource{nullptr});
    SeedDraws(seed);
    for (std::size_t k = 0; k < stored.size(); ++k) {
        Problem problem{};
        DealProblem(problem);
        EXPECT_EQ(DigitsOf(problem.sortedHand), stored[k].sorted) << "deal " << k;
        EXPECT_EQ(DigitsOf(problem.dealOrder), stored[k].order) << "deal " << k;
        EXPECT_EQ(WaitsOf(problem), stored[k].waits) << "deal " << k;
    }
}

TEST(SeededDeals, seedOneDealsTheStoredProblems) {
    ExpectStoredDeals(1, {
                             {"3445566677788", "8636748456577", "34678"},
                             {"1233334445678", "1352347343486", "45689"},
                             {"2333444666678", "6846634763324", "1234"},
                             {"1333344555667", "3335174665453", "12"},
                             {"1223344445666", "5463362144462", "123567"},
                         });
}

TEST(SeededDeals, seed12345DealsTheStoredProblems) {
    ExpectStoredDeals(12345, {
                                 {"2344567778899", "8694394277578", "14789"},
                                 {"1122333346999", "9313312693492", "5"},
                                 {"2344455666778", "6548754326764", "147"},
                                 {"1233335577889", "7213333598857", "69"},
                                 {"1233455777888", "7578128533478", "256"},
                             });
}

TEST(FillProblem, blocksOfFormerWaitsKeepTheirFlags) {
    ScopedSource source(+[](int) { return 0; });
    Problem problem{};
    FillProblem(Hand13Of("1122334455667"), problem);
    ASSERT_EQ(WaitsOf(problem), "147");
    const auto before = problem.patterns;

    FillProblem(Hand13Of("1122445567799"), problem);
    EXPECT_EQ(DigitsOf(problem.sortedHand), "1122445567799");
    ASSERT_EQ(WaitsOf(problem), "6");
    EXPECT_EQ(PatternNamesOf(problem.patterns[6]), "七対子");
    for (const std::size_t n : {1U, 4U, 7U}) {
        EXPECT_EQ(problem.patterns[n], before[n]) << "block " << n;
    }
    EXPECT_EQ(PatternNamesOf(problem.patterns[7]), "平和 二盃口");
}

TEST(FillProblem, storesTheHandSortedAndShuffled) {
    ScopedSource source(+[](int) { return 0; });
    Problem problem{};
    FillProblem(Hand13Of("1112345678999"), problem);
    EXPECT_EQ(DigitsOf(problem.sortedHand), "1112345678999");
    // Ten passes of zeros rotate right by ten places.
    EXPECT_EQ(DigitsOf(problem.dealOrder), "2345678999111");
    EXPECT_EQ(WaitsOf(problem), "123456789");
}

}  // namespace
}  // namespace zelkon::tests
