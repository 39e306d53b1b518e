#include "cli/report.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <string_view>

#include "analysis/wait_finder.h"
#include "cli/hand_notation.h"

namespace zelkon {
namespace {

Hand13 hand13(std::string_view digits) {
    Hand13 hand{};
    for (std::size_t i = 0; i < hand.size(); ++i) {
        hand[i] = digits[i] - '0';
    }
    return hand;
}

HandNotation notation(std::string_view text) {
    std::string error;
    const auto hand = parseHand(text, error);
    EXPECT_TRUE(hand.has_value()) << error;
    return hand.value_or(HandNotation{});
}

std::string tableLine(const Hand13& hand, const Problem& problem) {
    std::array<char, kFixedLineCapacity> line{};
    char* end = appendTableLine(line.data(), hand, problem);
    return std::string(line.data(), end);
}

int occurrences(std::string_view text, std::string_view part) {
    int found = 0;
    for (std::size_t at = text.find(part); at != text.npos; at = text.find(part, at + 1)) {
        ++found;
    }
    return found;
}

TEST(TableLineTest, knownHandsGiveTheirFixedLines) {
    struct Case {
        std::string_view hand;
        std::string_view line;
    };
    for (const Case& c : {
             Case{"1111234567888",
                  "1111234567888\t34679\t00000000000,00000000000,00000000000,00000000000,"
                  "00001000000\n"},
             Case{"1112345678999",
                  "1112345678999\t123456789\t00000000001,00000000001,00000000001,00000000001,"
                  "00000000001,00000000001,00000000001,00000000001,00000000001\n"},
             Case{"2223334445556",
                  "2223334445556\t134567\t10100000000,01100000000,01000010000,01000010000,"
                  "00000000010,01000010000\n"},
             Case{"1122334455667", "1122334455667\t147\t10000000000,10100000000,10000001000\n"},
             Case{"1122445567799", "1122445567799\t6\t00010000000\n"},
         }) {
        Problem problem{};
        FindWaits(hand13(c.hand), problem);
        EXPECT_EQ(tableLine(hand13(c.hand), problem), c.line);
    }
}

TEST(TableLineTest, patternsLeftFromAnEarlierHandAreNotPrinted) {
    Problem problem{};
    FindWaits(hand13("1122334455667"), problem);
    FindWaits(hand13("1122445567799"), problem);
    EXPECT_EQ(tableLine(hand13("1122445567799"), problem), "1122445567799\t6\t00010000000\n");
}

TEST(TableLineTest, aHandWithoutWaitsLeavesBothFieldsEmpty) {
    Problem problem{};
    FindWaits(hand13("1111222233347"), problem);
    EXPECT_EQ(tableLine(hand13("1111222233347"), problem), "1111222233347\t\t\n");
}

TEST(DealLineTest, showsBothOrdersThenTheWaits) {
    Problem problem{};
    problem.sortedHand = hand13("1112345678999");
    problem.dealOrder = hand13("9876543219191");
    FindWaits(problem.sortedHand, problem);
    std::array<char, kFixedLineCapacity> line{};
    char* end = appendDealLine(line.data(), problem);
    // Nine waits are the longest line there is.
    ASSERT_LE(static_cast<std::size_t>(end - line.data()), kFixedLineCapacity);
    EXPECT_EQ(std::string(line.data(), end),
              "1112345678999\t9876543219191\t123456789\t00000000001,00000000001,00000000001,"
              "00000000001,00000000001,00000000001,00000000001,00000000001,00000000001\n");
}

TEST(WaitsReportTest, everyWaitShowsItsNamesHanAndReading) {
    struct Case {
        std::string_view hand;
        std::string_view part;
    };
    for (const Case& c : {
             Case{"2223334445556p", "2223334445556p (ピンズ)  waits: 1 3 4 5 6 7\n"},
             Case{"2223334445556",
                  "  [6]   四暗刻単騎  (13 han)\n"
                  "        pair [66], melds 222 333 444 555, 単騎 (single)\n"},
             Case{"1111234567888", "  [3]   なし  (0 han)\n"},
             Case{"1111234567888",
                  "  [9]   一気通貫  (2 han)\n"
                  "        pair 88, melds 111 123 456 [789], 両面 (two-sided)\n"},
             // The triplet reading wins the tie with three equal runs, being recorded later.
             Case{"1112223335677",
                  "  [4]   三暗刻  (2 han)\n"
                  "        pair 77, melds 111 222 333 [456], 両面 (two-sided)\n"},
             Case{"1122445567799",
                  "  [6]   七対子  (2 han)\n"
                  "        seven pairs 11 22 44 55 [66] 77 99, 単騎 (single)\n"},
             Case{"1111222233347", "1111222233347  waits: none\n"},
             Case{"11223344556679", "not complete"},
             Case{"11122334455667",
                  "  [3]   なし  (0 han)\n"
                  "        pair 11, melds [123] 234 456 567, 辺張 (edge)\n"},
         }) {
        const std::string report = waitsReport(notation(c.hand));
        EXPECT_NE(report.find(c.part), std::string::npos) << report;
    }
}

TEST(WaitsReportTest, nineGatesShowsTheLimitHandOnEveryNumber) {
    const std::string report = waitsReport(notation("1112345678999"));
    for (int n = 1; n <= 9; ++n) {
        const std::string line = "  [" + std::to_string(n) + "]   九連宝燈  (13 han)\n";
        EXPECT_EQ(occurrences(report, line), 1) << line;
    }
}

TEST(ReadingsReportTest, listsEveryRecordAndMarksTheLastBestOne) {
    const std::string report = readingsReport(notation("44445566777789"), 7);
    EXPECT_EQ(report.rfind("44445566777789  won on 7: 20 records, best #7", 0), 0u) << report;
    EXPECT_EQ(occurrences(report, "\n  #"), 20);
    EXPECT_EQ(occurrences(report, "<- best"), 1);
    EXPECT_NE(report.find("  #7   LLPPMMHHTTTLMH  pair 44, melds 456 456 777 [789], 辺張 (edge)  "
                          "00100000000  1 han  一盃口  <- best\n"),
              std::string::npos)
        << report;
}

TEST(ReadingsReportTest, eachRecordOfOneReadingMarksItsOwnMeld) {
    struct Case {
        std::string_view hand;
        TileNumber winning;
        std::string_view records;
    };
    for (const Case& c : {
             Case{"12233455567899", 3,
                  "pair 99, melds 123 [234] 555 678, 嵌張 (closed)  00000000000  0 han  なし\n"
                  "  #1   LMLHMHTTTLMHPP  pair 99, melds [123] 234 555 678, 辺張 (edge)"},
             Case{"11234455667789", 7,
                  "pair 11, melds 234 456 567 [789], 辺張 (edge)  00000000000  0 han  なし\n"
                  "  #1   PPLMHLMLHMHLMH  pair 11, melds 234 456 [567] 789, 両面 (two-sided)"},
             // Two two-sided records of one reading: the 4 as lowest tile first, then as highest.
             Case{"11234456777999", 4,
                  "pair 11, melds 234 [456] 777 999, 両面 (two-sided)  00000000000  0 han  なし\n"
                  "  #1   PPLMHLMHTTTTTT  pair 11, melds [234] 456 777 999, 両面 (two-sided)"},
         }) {
        const std::string report = readingsReport(notation(c.hand), c.winning);
        EXPECT_NE(report.find(c.records), std::string::npos) << report;
    }
}

TEST(ReadingsReportTest, aHandWithoutReadingSaysSo) {
    EXPECT_EQ(readingsReport(notation("11223344556679s"), 9),
              "11223344556679s (ソウズ)  won on 9: no reading\n");
}

TEST(HelpTextTest, namesEverySubcommand) {
    const std::string help = helpText();
    for (const char* usage :
         {"zelkon-cli waits HAND...", "zelkon-cli readings HAND14 WINNING", "zelkon-cli table",
          "zelkon-cli deal [--seed N] [--count K]", "--version", "1112345678999p"}) {
        EXPECT_NE(help.find(usage), std::string::npos) << usage;
    }
}

}  // namespace
}  // namespace zelkon
