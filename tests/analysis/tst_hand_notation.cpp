// The hand notation in the core: each fault with the details a front end words it from, and
// every hand written out and read back.
#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <string_view>

#include "analysis/hand_notation.h"
#include "analysis/hand_space.h"
#include "support/hand_strings.h"

namespace zelkon::tests {
namespace {

struct FaultCase {
    std::string_view text;
    HandFault code;
    std::int32_t position;
    std::int32_t byteOffset;
    std::int32_t byteLength;
    char32_t character;
    SuitKind suit;
    std::int32_t suitPosition;
    std::int32_t count;
    TileNumber number;
};

class HandFaultTest : public testing::TestWithParam<FaultCase> {};

TEST_P(HandFaultTest, reportsTheFirstFaultWithItsDetails) {
    const FaultCase& c = GetParam();
    HandNotation hand;
    const HandNotationFault fault = ParseHandNotation(c.text, hand);
    EXPECT_EQ(fault.code, c.code);
    EXPECT_EQ(fault.position, c.position);
    EXPECT_EQ(fault.byteOffset, c.byteOffset);
    EXPECT_EQ(fault.byteLength, c.byteLength);
    EXPECT_EQ(static_cast<std::uint32_t>(fault.character), static_cast<std::uint32_t>(c.character));
    EXPECT_EQ(fault.suit, c.suit);
    EXPECT_EQ(fault.suitPosition, c.suitPosition);
    EXPECT_EQ(fault.count, c.count);
    EXPECT_EQ(fault.number, c.number);
}

constexpr auto N = kNoSuit;

// Every character before a fault is one byte, so a fault at position p starts at offset p - 1.
INSTANTIATE_TEST_SUITE_P(
    Faults, HandFaultTest,
    testing::Values(
        FaultCase{"", HandFault::Empty, 0, 0, 0, 0, N, 0, 0, 0},
        FaultCase{"0112345678999", HandFault::ZeroDigit, 1, 0, 1, '0', N, 0, 0, 0},
        FaultCase{"1112345678999S", HandFault::CapitalSuit, 14, 13, 1, 'S', N, 0, 0, 0},
        FaultCase{"\xEF\xBC\x91"
                  "112345678999",
                  HandFault::WideDigit, 1, 0, 3, 0xFF11, N, 0, 0, 0},
        FaultCase{"11123x5678999", HandFault::NotATile, 6, 5, 1, 'x', N, 0, 0, 0},
        FaultCase{"\xF0\x9F\x80\x87"
                  "111",
                  HandFault::NotATile, 1, 0, 4, 0x1F007, N, 0, 0, 0},
        FaultCase{"111234\xFF"
                  "5678999",
                  HandFault::StrayByte, 7, 6, 1, 0xFF, N, 0, 0, 0},
        // A cut-short character: its lead byte is stray, whatever follows.
        FaultCase{"\xE3\x81", HandFault::StrayByte, 1, 0, 1, 0xE3, N, 0, 0, 0},
        FaultCase{"\xC0\x80", HandFault::StrayByte, 1, 0, 1, 0xC0, N, 0, 0, 0},
        FaultCase{"1112345678999m\xFF", HandFault::StrayByte, 15, 14, 1, 0xFF, kSuitManzu, 14, 0,
                  0},
        FaultCase{"s1112345678999", HandFault::DigitAfterSuit, 2, 1, 1, '1', kSuitSouzu, 1, 0, 0},
        FaultCase{"1112345678999ps", HandFault::TwoSuits, 15, 14, 1, 's', kSuitPinzu, 14, 0, 0},
        FaultCase{"p", HandFault::TileCount, 0, 0, 0, 0, N, 0, 0, 0},
        FaultCase{"111234567899", HandFault::TileCount, 0, 0, 0, 0, N, 0, 12, 0},
        FaultCase{"111122223333444455", HandFault::TileCount, 0, 0, 0, 0, N, 0, 18, 0},
        // The count comes before the copies, and the lowest number over four is named.
        FaultCase{"11111222223", HandFault::TileCount, 0, 0, 0, 0, N, 0, 11, 0},
        FaultCase{"22222111113333", HandFault::FifthCopy, 0, 0, 0, 0, N, 0, 5, 1},
        FaultCase{"12345699999999", HandFault::FifthCopy, 0, 0, 0, 0, N, 0, 8, 9}));

TEST(HandNotation, everyHandWrittenOutReadsBackInEverySuit) {
    HandSpace<13> space;
    Hand13 hand{};
    long hands = 0;
    while (space.Next(hand)) {
        for (const SuitKind suit : {kNoSuit, kSuitManzu, kSuitPinzu, kSuitSouzu}) {
            Hand13 shuffled = hand;
            std::reverse(shuffled.begin(), shuffled.end());
            const HandText text = SpellHand(shuffled, suit);
            const std::string expected =
                DigitsOf(hand) + (suit == kNoSuit ? "" : std::string(1, "mps"[suit]));
            ASSERT_EQ(text.view(), expected);
            HandNotation read;
            ASSERT_EQ(ParseHandNotation(text.view(), read).code, HandFault::None) << expected;
            ASSERT_EQ(read.count, 13);
            ASSERT_EQ(read.hand13(), hand) << expected;
            ASSERT_EQ(read.suit, suit) << expected;
            ASSERT_EQ(SpellHand(read).view(), expected);
        }
        ++hands;
    }
    EXPECT_EQ(hands, 93'600);
}

TEST(HandNotation, keepsTheOrderAsTypedBesideTheSortedTiles) {
    struct Case {
        std::string_view text;
        std::string_view typed;
        std::string_view sorted;
    };
    for (const Case& c : {Case{"9876543211199p", "98765432111990", "11123456789990"},
                          Case{"5432198765432", "54321987654320", "12233445567890"},
                          Case{"44445566777789", "44445566777789", "44445566777789"},
                          Case{"98777766554444s", "98777766554444", "44445566777789"}}) {
        HandNotation hand;
        ASSERT_EQ(ParseHandNotation(c.text, hand).code, HandFault::None) << c.text;
        EXPECT_EQ(DigitsOf(hand.typed), c.typed);
        EXPECT_EQ(DigitsOf(hand.tiles), c.sorted);
    }
}

// As 問題を入力 and a link read a hand: blanks around it go, positions count from what was given,
// and a won hand is refused by its count rather than by what follows it.
TEST(HandNotation, aTypedHandLosesTheBlanksAroundItOnly) {
    struct Case {
        std::string_view text;
        HandFault code;
        std::int32_t position;
        std::int32_t byteOffset;
        std::int32_t suitPosition;
        std::int32_t count;
        std::string_view typed;  // a hand's digits as written
    };
    for (const Case& c : {
             Case{"  2399x", HandFault::NotATile, 7, 6, 0, 0, ""},
             Case{"\u3000\t9321p\r\n", HandFault::None, 0, 0, 0, 0, "9321"},
             Case{"\u00A0\u00852399 ", HandFault::None, 0, 0, 0, 0, "2399"},
             Case{"\t12p3 ", HandFault::DigitAfterSuit, 5, 4, 4, 0, ""},
             Case{" 1112345678999 9", HandFault::NotATile, 15, 14, 0, 0, ""},
             Case{" 11123 ", HandFault::TileCount, 0, 0, 0, 5, ""},
             Case{"123456789 ", HandFault::TileCount, 0, 0, 0, 9, ""},
             Case{" \u3000 ", HandFault::Empty, 0, 0, 0, 0, ""},
             Case{"", HandFault::Empty, 0, 0, 0, 0, ""},
             // Neither a stray byte nor a zero-width space is a blank: each is named.
             Case{" \xFF"
                  "2399",
                  HandFault::StrayByte, 2, 1, 0, 0, ""},
             Case{"\u200B2399", HandFault::NotATile, 1, 0, 0, 0, ""},
         }) {
        HandNotation hand;
        const HandNotationFault fault = ReadTypedHand(c.text, kWaitingHandSizes, hand);
        const std::string shown = testing::PrintToString(std::string(c.text));
        EXPECT_EQ(fault.code, c.code) << shown;
        EXPECT_EQ(fault.position, c.position) << shown;
        EXPECT_EQ(fault.byteOffset, c.byteOffset) << shown;
        EXPECT_EQ(fault.suitPosition, c.suitPosition) << shown;
        EXPECT_EQ(fault.count, c.count) << shown;
        if (c.code == HandFault::None) {
            const TileHand typed = hand.typedHand();
            EXPECT_EQ(DigitsOf(typed), c.typed) << shown;
        }
    }
    // The sizes the reader takes, each with its won size refused.
    HandNotation hand;
    EXPECT_EQ(ReadTypedHand("1112345678999", 1u << 4, hand).code, HandFault::TileCount);
    EXPECT_EQ(ReadTypedHand("11123456789999", kWaitingHandSizes, hand).count, 14);
}

TEST(HandNotation, oddSuitsAreNotWrittenOut) {
    EXPECT_EQ(SpellHand(Hand13Of("1112345678999"), 7).view(), "1112345678999");
    EXPECT_EQ(SuitLetter(kNoSuit), '\0');
}

// Bytes from the notation and its near misses in any order: a parse never reads past the text,
// accepts only what a second reading by hand accepts, and names a character that is there.
TEST(HandNotation, anyBytesGiveAHandOrAFaultInsideTheText) {
    const std::string_view alphabet("1234567890mpsMPx \xEF\xBC\x91\xE6\xFF\xC0\x80", 23);
    std::mt19937 random(2026);
    for (int round = 0; round < 20'000; ++round) {
        std::string text;
        const auto length = random() % 18;
        for (std::size_t i = 0; i < length; ++i) {
            text += alphabet[random() % alphabet.size()];
        }
        HandNotation hand;
        const HandNotationFault fault = ParseHandNotation(text, hand);

        const auto lastDigit = text.find_last_of("123456789");
        const auto firstSuit = text.find_first_of("mps");
        const bool onlyNotation = text.find_first_not_of("123456789mps") == std::string::npos &&
                                  text.find_first_of("mps") == text.find_last_of("mps") &&
                                  (firstSuit == std::string::npos ||
                                   lastDigit == std::string::npos || firstSuit > lastDigit);
        std::array<int, kNumberSlots> copies{};
        int digits = 0;
        for (const char c : text) {
            if (c >= '1' && c <= '9') {
                ++copies[static_cast<std::size_t>(c - '0')];
                ++digits;
            }
        }
        const bool fits = onlyNotation && (digits == 13 || digits == 14) &&
                          *std::max_element(copies.begin(), copies.end()) <= 4;
        ASSERT_EQ(fault.code == HandFault::None, fits) << testing::PrintToString(text);
        if (fits) {
            EXPECT_EQ(hand.count, digits);
            EXPECT_TRUE(std::is_sorted(hand.tiles.begin(), hand.tiles.begin() + digits));
        }
        if (fault.byteLength > 0) {
            ASSERT_GE(fault.byteOffset, 0);
            ASSERT_LE(static_cast<std::size_t>(fault.byteOffset + fault.byteLength), text.size());
            ASSERT_GE(fault.position, 1);
            ASSERT_EQ(fault.position, fault.byteOffset + 1);
        }
    }
}

}  // namespace
}  // namespace zelkon::tests
