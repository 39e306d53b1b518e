// explain: its command line, the lines for tools and the report for a person.
#include <array>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.h"
#include "cli/explain_report.h"

namespace zelkon {
namespace {

struct ExplainLine {
    std::vector<std::string_view> args;
    std::string_view error;  // empty when the line is good
};

class ExplainCommandLineTest : public testing::TestWithParam<ExplainLine> {};

TEST_P(ExplainCommandLineTest, isCheckedWholeBeforeAnythingRuns) {
    Command command;
    std::string error;
    const bool ok = parseCommandLine(GetParam().args, command, error);
    EXPECT_EQ(ok, GetParam().error.empty()) << error;
    EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Explain, ExplainCommandLineTest,
    testing::Values(
        ExplainLine{{"explain", "1111234567888"}, ""},
        ExplainLine{{"explain", "1111234567888p", "951"}, ""},
        ExplainLine{{"explain", "1111234567888", ""}, ""},
        ExplainLine{{"explain", "--tsv", "1111234567888", "1112345678999s"}, ""},
        ExplainLine{{"explain"}, "explain needs a hand; try zelkon-cli --help"},
        ExplainLine{{"explain", "--tsv"}, "explain needs a hand; try zelkon-cli --help"},
        ExplainLine{{"explain", "--picks", "1111234567888"},
                    "explain: unknown option \"--picks\"; try zelkon-cli --help"},
        ExplainLine{
            {"explain", "11112345678889"},
            "hand \"11112345678889\": 14 tiles; explain needs the 13 tiles of a hand, or 4, 7 or "
            "10"},
        ExplainLine{
            {"explain", "--tsv", "1111234567888", "11111234567888"},
            "hand \"11111234567888\": 5 tiles of 1, but there are only four of each number"},
        ExplainLine{{"explain", "1111234567888", "120"},
                    "picks \"120\": '0' at position 3 is not a number 1 to 9"},
        ExplainLine{{"explain", "1111234567888", "1\n"},
                    "picks \"1\\n\": a byte at position 2 is not a number 1 to 9"},
        ExplainLine{{"explain", "1111234567888", "3993"}, "picks \"3993\": 9 picked twice"},
        ExplainLine{{"explain", "1111234567888", "1", "2"},
                    "explain: unexpected argument \"2\"; one hand and its picks, or --tsv for "
                    "several hands"}));

std::string tsvLines(std::string_view digits) {
    Hand13 hand{};
    for (std::size_t i = 0; i < hand.size(); ++i) {
        hand[i] = digits[i] - '0';
    }
    HandExplanation explanation;
    EXPECT_TRUE(ExplainHand(hand, explanation));
    std::array<char, kExplainLinesCapacity> out{};
    return std::string(out.data(), appendExplainLines(out.data(), explanation));
}

TEST(ExplainLinesTest, nineLinesPerHandInTheirColumns) {
    struct Case {
        std::string_view hand;
        std::string_view lines;
    };
    for (const Case& c : {
             Case{"8881111234567",
                  "1111234567888\t1\tfifth\t2\t1\t\n"
                  "1111234567888\t2\tnone\t0\t-\t27\n"
                  "1111234567888\t3\twait\t2\t1\t\n"
                  "1111234567888\t4\twait\t1\t0\t\n"
                  "1111234567888\t5\tnone\t0\t-\t57\n"
                  "1111234567888\t6\twait\t1\t0\t\n"
                  "1111234567888\t7\twait\t1\t0\t\n"
                  "1111234567888\t8\tnone\t0\t-\t78\n"
                  "1111234567888\t9\twait\t1\t0\t\n"},
             // A fifth 6 read 24 ways: three readings, the best the third to appear.
             Case{"5555666677778",
                  "5555666677778\t1\tnone\t0\t-\t18\n"
                  "5555666677778\t2\tnone\t0\t-\t28\n"
                  "5555666677778\t3\tnone\t0\t-\t38\n"
                  "5555666677778\t4\twait\t1\t0\t\n"
                  "5555666677778\t5\tfifth\t4\t3\t\n"
                  "5555666677778\t6\tfifth\t3\t2\t\n"
                  "5555666677778\t7\tfifth\t3\t2\t\n"
                  "5555666677778\t8\twait\t3\t0\t\n"
                  "5555666677778\t9\twait\t1\t0\t\n"},
             // No wait at all: fifth copies that complete nothing, and splits that leave
             // three to six tiles.
             Case{"1111222244557",
                  "1111222244557\t1\tfifth\t0\t-\t\n"
                  "1111222244557\t2\tfifth\t0\t-\t\n"
                  "1111222244557\t3\tnone\t0\t-\t557\n"
                  "1111222244557\t4\tnone\t0\t-\t127\n"
                  "1111222244557\t5\tnone\t0\t-\t127\n"
                  "1111222244557\t6\tnone\t0\t-\t125\n"
                  "1111222244557\t7\tnone\t0\t-\t125577\n"
                  "1111222244557\t8\tnone\t0\t-\t125578\n"
                  "1111222244557\t9\tnone\t0\t-\t125579\n"},
         }) {
        EXPECT_EQ(tsvLines(c.hand), c.lines) << c.hand;
    }
}

HandNotation notation(std::string_view text) {
    std::string error;
    const auto hand = parseHand(text, error);
    EXPECT_TRUE(hand.has_value()) << error;
    return hand.value_or(HandNotation{});
}

TEST(ExplainReportTest, withoutPicksShowsWaitsAndFifthCopiesUnmarked) {
    const std::string report = explainReport(notation("1111222244557"), std::nullopt);
    EXPECT_EQ(report,
              "1111222244557  waits: none\n"
              "  1 no wait: all four 1s are in the hand; a fifth would complete nothing either\n"
              "  2 no wait: all four 2s are in the hand; a fifth would complete nothing either\n"
              "  smallest core: 1111222244557, no family; nothing set aside\n");
    const std::string waits = explainReport(notation("1122445567799"), std::nullopt);
    EXPECT_EQ(waits,
              "1122445567799  waits: 6\n"
              "  6 wait, 1 reading\n"
              "      * #0  11 22 44 55 [66] 77 99  単騎  七対子  2 han\n"
              "  smallest core: 1122445567799, 七対子だけ (chiitoi); nothing set aside\n");
    // The best reading is shown as it first appears: 3 completes 1-2-3 (edge) or 3-4-5.
    const std::string firsts = explainReport(notation("1111234567888"), std::nullopt);
    EXPECT_NE(firsts.find("  3 wait, 2 readings\n"
                          "      * #1  111 [123] 345 678 88  辺張  なし  0 han\n"
                          "        #0  111 123 [345] 678 88  両面  なし  0 han\n"),
              std::string::npos)
        << firsts;
}

}  // namespace
}  // namespace zelkon
