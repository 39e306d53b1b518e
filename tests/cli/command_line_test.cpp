#include "cli/command_line.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace zelkon {
namespace {

struct Parsed {
    bool ok;
    Command command;
    std::string error;
};

Parsed parse(std::initializer_list<std::string_view> args) {
    const std::vector<std::string_view> list(args);
    Parsed parsed{};
    parsed.ok = parseCommandLine(list, parsed.command, parsed.error);
    return parsed;
}

struct BadLine {
    std::vector<std::string_view> args;
    std::string_view message;
};

class BadCommandLineTest : public testing::TestWithParam<BadLine> {};

TEST_P(BadCommandLineTest, isRejectedBeforeAnythingRuns) {
    Command command;
    std::string error;
    EXPECT_FALSE(parseCommandLine(GetParam().args, command, error));
    EXPECT_EQ(error, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, BadCommandLineTest,
    testing::Values(
        BadLine{{}, "no command given; try zelkon-cli --help"},
        BadLine{{"wait"}, "unknown command \"wait\"; try zelkon-cli --help"},
        BadLine{{"--verbose"}, "unknown option \"--verbose\"; try zelkon-cli --help"},
        BadLine{{"\x1B[2J"}, "unknown command \"\\x1B[2J\"; try zelkon-cli --help"},
        BadLine{{"--help", "waits"}, "--help takes no arguments, but got \"waits\""},
        BadLine{{"--version", "x"}, "--version takes no arguments, but got \"x\""},
        BadLine{{"table", "1112345678999"}, "table takes no arguments, but got \"1112345678999\""},
        BadLine{{"waits"}, "waits needs at least one hand; try zelkon-cli --help"},
        BadLine{{"waits", "-v"}, "waits: unknown option \"-v\"; try zelkon-cli --help"},
        // A later bad hand stops the whole command, so nothing of the first is printed.
        BadLine{{"waits", "1112345678999", "111234567899"},
                "hand \"111234567899\": 12 tiles; a hand has 4, 7, 10 or 13, or one more when won"},
        BadLine{{"readings", "44445566777789"},
                "readings needs a 14-tile hand and the winning tile; try zelkon-cli --help"},
        BadLine{{"readings", "44445566777789", "7", "8"}, "readings: unexpected argument \"8\""},
        BadLine{{"readings", "1112345678999", "1"},
                "hand \"1112345678999\": 13 tiles; readings needs the 14 tiles of the won hand"},
        BadLine{{"readings", "1112345678999x", "1"},
                "hand \"1112345678999x\": 'x' at position 14 is not a tile (a hand is digits 1 "
                "to 9, then at most one suit letter m, p or s)"},
        BadLine{{"readings", "44445566777789", "0"},
                "winning tile \"0\": not a tile number 1 to 9"},
        BadLine{{"readings", "44445566777789", "77"},
                "winning tile \"77\": not a tile number 1 to 9"},
        BadLine{{"readings", "44445566777789", ""}, "winning tile \"\": not a tile number 1 to 9"},
        BadLine{{"readings", "44445566777789p", "1"},
                "winning tile 1 is not in hand \"44445566777789p\""},
        BadLine{{"deal", "--seed"}, "deal: --seed needs a value"},
        BadLine{{"deal", "--count"}, "deal: --count needs a value"},
        BadLine{{"deal", "--seed", "-1"},
                "deal: --seed \"-1\": not a whole number from 0 to 4294967295"},
        BadLine{{"deal", "--seed", "4294967296"},
                "deal: --seed \"4294967296\": not a whole number from 0 to 4294967295"},
        BadLine{{"deal", "--seed=12a"},
                "deal: --seed \"12a\": not a whole number from 0 to 4294967295"},
        BadLine{{"deal", "--seed", ""},
                "deal: --seed \"\": not a whole number from 0 to 4294967295"},
        BadLine{{"deal", "--count", "0"},
                "deal: --count \"0\": not a whole number from 1 to 2147483647"},
        BadLine{{"deal", "--count", "2147483648"},
                "deal: --count \"2147483648\": not a whole number from 1 to 2147483647"},
        BadLine{{"deal", "--count", "+3"},
                "deal: --count \"+3\": not a whole number from 1 to 2147483647"},
        BadLine{{"deal", "--seed", "1", "--seed", "2"}, "deal: --seed given twice"},
        BadLine{{"deal", "--count=1", "--count", "2"}, "deal: --count given twice"},
        BadLine{{"deal", "--shuffle"}, "deal: unknown option \"--shuffle\"; try zelkon-cli --help"},
        BadLine{{"deal", "3"}, "deal: unexpected argument \"3\""},
        BadLine{{"deal", "--waits"}, "deal: --waits needs a value"},
        BadLine{{"deal", "--waits", "0-3"}, "deal: --waits \"0-3\": wait counts run from 1 to 9"},
        BadLine{{"deal", "--waits", "10-12"},
                "deal: --waits \"10-12\": wait counts run from 1 to 9"},
        BadLine{{"deal", "--waits", "1-99999999999999999999"},
                "deal: --waits \"1-99999999999999999999\": not a band of wait counts A-B, such "
                "as 3-4 or 5-9"},
        BadLine{{"deal", "--waits", "5-2"},
                "deal: --waits \"5-2\": the fewest waits 5 exceed the most 2"},
        BadLine{{"deal", "--waits", "x"},
                "deal: --waits \"x\": not a band of wait counts A-B, such as 3-4 or 5-9"},
        BadLine{{"deal", "--waits", "5"},
                "deal: --waits \"5\": not a band of wait counts A-B, such as 3-4 or 5-9"},
        BadLine{{"deal", "--waits=3-"},
                "deal: --waits \"3-\": not a band of wait counts A-B, such as 3-4 or 5-9"},
        BadLine{{"deal", "--waits", "1-2-3"},
                "deal: --waits \"1-2-3\": not a band of wait counts A-B, such as 3-4 or 5-9"},
        BadLine{{"deal", "--waits", "+1-2"},
                "deal: --waits \"+1-2\": not a band of wait counts A-B, such as 3-4 or 5-9"},
        BadLine{{"deal", "--waits",
                 "\xE2\x80\xAE"
                 "1-2"},
                "deal: --waits \"\\u{202E}1-2\": not a band of wait counts A-B, such as 3-4 or "
                "5-9"},
        BadLine{{"deal", "--waits", "1-2", "--waits=3-4"}, "deal: --waits given twice"}));

TEST(CommandLineTest, dealTakesABandInEitherSpelling) {
    struct Case {
        std::vector<std::string_view> args;
        std::int32_t fewest;
        std::int32_t most;
    };
    for (const Case& c :
         {Case{{"deal", "--waits", "1-2"}, 1, 2},
          Case{{"deal", "--seed", "3", "--waits=5-9", "--count", "4"}, 5, 9},
          Case{{"deal", "--waits", "9-9"}, 9, 9}, Case{{"deal", "--waits", "01-09"}, 1, 9}}) {
        Command command;
        std::string error;
        ASSERT_TRUE(parseCommandLine(c.args, command, error)) << error;
        ASSERT_TRUE(command.band.has_value());
        EXPECT_EQ(command.band->fewest, c.fewest);
        EXPECT_EQ(command.band->most, c.most);
    }
    EXPECT_FALSE(parse({"deal", "--seed", "3"}).command.band.has_value());
}

TEST(CommandLineTest, dealTakesBothSpellingsOfItsOptions) {
    Parsed parsed = parse({"deal", "--seed", "4294967295", "--count=7"});
    ASSERT_TRUE(parsed.ok) << parsed.error;
    EXPECT_EQ(parsed.command.kind, CommandKind::Deal);
    EXPECT_EQ(parsed.command.seed, 4294967295u);
    EXPECT_EQ(parsed.command.count, 7);

    parsed = parse({"deal", "--count", "2", "--seed=0"});
    ASSERT_TRUE(parsed.ok) << parsed.error;
    EXPECT_EQ(parsed.command.seed, 0u);
    EXPECT_EQ(parsed.command.count, 2);
}

TEST(CommandLineTest, dealWithoutOptionsDealsOneProblemFromTheTime) {
    const Parsed parsed = parse({"deal"});
    ASSERT_TRUE(parsed.ok) << parsed.error;
    EXPECT_FALSE(parsed.command.seed.has_value());
    EXPECT_EQ(parsed.command.count, 1);
}

TEST(CommandLineTest, waitsKeepsEveryHandInOrder) {
    const Parsed parsed = parse({"waits", "1112345678999", "44445566777789p"});
    ASSERT_TRUE(parsed.ok) << parsed.error;
    ASSERT_EQ(parsed.command.hands.size(), 2u);
    EXPECT_EQ(parsed.command.hands[0].count, 13);
    EXPECT_EQ(parsed.command.hands[1].count, 14);
    EXPECT_EQ(parsed.command.hands[1].suit, kSuitPinzu);
}

TEST(CommandLineTest, readingsTakesTheWinningTileFromTheHand) {
    const Parsed parsed = parse({"readings", "98777766554444", "7"});
    ASSERT_TRUE(parsed.ok) << parsed.error;
    EXPECT_EQ(parsed.command.kind, CommandKind::Readings);
    EXPECT_EQ(parsed.command.winningTile, 7);
    EXPECT_EQ(parsed.command.hands[0].hand14(), (Hand14{4, 4, 4, 4, 5, 5, 6, 6, 7, 7, 7, 7, 8, 9}));
}

// Wherever a bad argument is quoted, 128 KiB of it make a line of a few hundred bytes.
TEST(CommandLineTest, aHugeBadArgumentIsQuotedOnlyInPart) {
    const std::string huge(131072, '7');
    const std::string_view h = huge;
    const std::string option = "-" + huge;
    for (const std::vector<std::string_view>& args : {
             std::vector<std::string_view>{h},
             {"--help", h},
             {"waits", h},
             {"waits", "1112345678999", option},
             {"readings", h, "7"},
             {"readings", "44445566777789", h},
             {"readings", "44445566777789", "7", h},
             {"deal", "--seed", h},
             {"deal", "--count", h},
             {"deal", h},
         }) {
        Command command;
        std::string error;
        EXPECT_FALSE(parseCommandLine(args, command, error));
        EXPECT_LT(error.size(), 300u) << error.substr(0, 300);
        EXPECT_NE(error.find(" bytes]\""), std::string::npos) << error.substr(0, 300);
    }
}

}  // namespace
}  // namespace zelkon
