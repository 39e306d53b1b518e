#include "cli/hand_notation.h"

#include <gtest/gtest.h>
#include <string>
#include <string_view>

namespace zelkon {
namespace {

struct BadHand {
    std::string_view text;
    std::string_view message;
};

class BadHandTest : public testing::TestWithParam<BadHand> {};

TEST_P(BadHandTest, isRejectedWithAMessageNamingHandAndFault) {
    std::string error;
    EXPECT_FALSE(parseHand(GetParam().text, error).has_value());
    EXPECT_EQ(error, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, BadHandTest,
    testing::Values(
        BadHand{"",
                "hand \"\": empty; a hand is 4, 7, 10 or 13 digits 1 to 9, or one more when won"},
        BadHand{"123456789123",
                "hand \"123456789123\": 12 tiles; a hand has 4, 7, 10 or 13, or one more when won"},
        BadHand{
            "111122223333444",
            "hand \"111122223333444\": 15 tiles; a hand has 4, 7, 10 or 13, or one more when won"},
        BadHand{"5", "hand \"5\": 1 tile; a hand has 4, 7, 10 or 13, or one more when won"},
        BadHand{"p", "hand \"p\": 0 tiles; a hand has 4, 7, 10 or 13, or one more when won"},
        BadHand{"11123x5678999",
                "hand \"11123x5678999\": 'x' at position 6 is not a tile (a hand is digits 1 to "
                "9, then at most one suit letter m, p or s)"},
        BadHand{"0112345678999",
                "hand \"0112345678999\": '0' at position 1 is not a tile (tile numbers run from 1 "
                "to 9)"},
        BadHand{"1112345678999P",
                "hand \"1112345678999P\": 'P' at position 14 is not a tile (suit letters are "
                "lower case: m, p or s)"},
        BadHand{"111 2345678999",
                "hand \"111 2345678999\": ' ' at position 4 is not a tile (a hand is digits 1 to "
                "9, then at most one suit letter m, p or s)"},
        BadHand{"1112345678999\t",
                "hand \"1112345678999\\t\": '\\t' at position 14 is not a tile (a hand is digits "
                "1 to 9, then at most one suit letter m, p or s)"},
        BadHand{"1112345678999'",
                "hand \"1112345678999'\": '\\'' at position 14 is not a tile (a hand is digits "
                "1 to 9, then at most one suit letter m, p or s)"},
        BadHand{"\x1B[2J1112345678999",
                "hand \"\\x1B[2J1112345678999\": '\\x1B' at position 1 is not a tile (a hand is "
                "digits 1 to 9, then at most one suit letter m, p or s)"},
        BadHand{"111234567899\xEF\xBC\x99",
                "hand \"111234567899\xEF\xBC\x99\": '\xEF\xBC\x99' (U+FF19) at position 13 is not "
                "a tile (write tile numbers as ASCII digits 1 to 9)"},
        BadHand{"111234\xFF"
                "5678999",
                "hand \"111234\\xFF5678999\": byte \\xFF at position 7 is not a tile (a hand is "
                "digits 1 to 9, then at most one suit letter m, p or s)"},
        BadHand{"\xE6\xBC\xA2"
                "1112345678999",
                "hand \"\xE6\xBC\xA2"
                "1112345678999\": '\xE6\xBC\xA2' (U+6F22) at position 1 is "
                "not a tile (a hand is digits 1 to 9, then at most one suit letter m, p or s)"},
        BadHand{"1112345678999pp",
                "hand \"1112345678999pp\": two suit letters, 'p' at position 14 and 'p' at "
                "position 15"},
        BadHand{"1112345678999ms",
                "hand \"1112345678999ms\": two suit letters, 'm' at position 14 and 's' at "
                "position 15"},
        BadHand{"s1112345678999",
                "hand \"s1112345678999\": suit letter 's' at position 1 must come last"},
        BadHand{"1111123456789",
                "hand \"1111123456789\": 5 tiles of 1, but there are only four of each number"},
        BadHand{"12345699999999",
                "hand \"12345699999999\": 8 tiles of 9, but there are only four of each number"}));

TEST(HandNotationTest, tilesAreSortedWhateverTheOrderWritten) {
    std::string error;
    const auto hand = parseHand("9991112345678s", error);
    ASSERT_TRUE(hand.has_value()) << error;
    EXPECT_EQ(hand->count, 13);
    EXPECT_EQ(hand->suit, kSuitSouzu);
    EXPECT_EQ(hand->hand13(), (Hand13{1, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9}));
    EXPECT_EQ(SpellHand(*hand).view(), "1112345678999s");
    EXPECT_TRUE(hand->holds(5));
}

TEST(HandNotationTest, fourteenTilesAndEverySuitLetterAreAccepted) {
    struct Case {
        std::string_view text;
        SuitKind suit;
        const char* word;
    };
    for (const Case& c :
         {Case{"44445566777789", kNoSuit, ""}, Case{"44445566777789m", kSuitManzu, "マンズ"},
          Case{"44445566777789p", kSuitPinzu, "ピンズ"},
          Case{"44445566777789s", kSuitSouzu, "ソウズ"}}) {
        std::string error;
        const auto hand = parseHand(c.text, error);
        ASSERT_TRUE(hand.has_value()) << c.text << ": " << error;
        EXPECT_EQ(hand->count, 14);
        EXPECT_EQ(hand->suit, c.suit);
        EXPECT_STREQ(suitWord(hand->suit), c.word);
        EXPECT_EQ(hand->hand14(), (Hand14{4, 4, 4, 4, 5, 5, 6, 6, 7, 7, 7, 7, 8, 9}));
        EXPECT_FALSE(hand->holds(1));
    }
}

TEST(EscapeTextTest, onlyPrintableCharactersPassUnchanged) {
    struct Case {
        std::string_view text;
        std::string_view escaped;
    };
    for (const Case& c : {
             Case{"1112345678999p", "1112345678999p"},
             Case{"九連宝燈", "九連宝燈"},
             Case{"a\"b\\c", "a\\\"b\\\\c"},
             Case{"\n\r\t", "\\n\\r\\t"},
             Case{"\x1B[31m", "\\x1B[31m"},
             Case{"\x7F", "\\x7F"},
             Case{"\xC2\x9B", "\\u{009B}"},  // C1 control sequence introducer
             Case{"\xE2\x80\xAE"
                  "abc",
                  "\\u{202E}abc"},                     // right-to-left override
             Case{"\xC0\x80", "\\xC0\\x80"},           // overlong NUL
             Case{"\xED\xA0\x80", "\\xED\\xA0\\x80"},  // surrogate
             Case{"\xE3\x81", "\\xE3\\x81"},           // cut short
             Case{"\xF5\x80\x80\x80", "\\xF5\\x80\\x80\\x80"},
             Case{std::string_view("a\0b", 3), "a\\x00b"},
             Case{"a b", "a b"},
             Case{"\xD8\x9C", "\\u{061C}"},           // Arabic letter mark
             Case{"\xE2\x80\xA8", "\\u{2028}"},       // line separator
             Case{"\xE2\x80\xA9", "\\u{2029}"},       // paragraph separator
             Case{"\xC2\xA0", "\\u{00A0}"},           // no-break space
             Case{"\xE3\x80\x80", "\\u{3000}"},       // ideographic space
             Case{"\xC2\xAD", "\\u{00AD}"},           // soft hyphen
             Case{"\xF3\xA0\x81\x81", "\\u{E0041}"},  // tag letter A
             Case{"\xF0\x93\x90\xBF", "\\u{1343F}"},  // the last hieroglyph format control
         }) {
        EXPECT_EQ(escapeText(c.text), c.escaped);
    }
}

std::string utf8(char32_t code) {
    std::string out;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

// Unicode 15.1 counts 170 format characters (Cf), 65 controls (Cc) and 18 separators other than
// the space (Zs, Zl, Zp); with the quote and the backslash, every other code point stays as it is.
TEST(EscapeTextTest, exactlyTheControlFormatAndSeparatorCharactersAreEscaped) {
    std::size_t escaped = 0;
    for (char32_t code = 0; code <= 0x10FFFF; ++code) {
        if (code >= 0xD800 && code <= 0xDFFF) {
            continue;
        }
        const std::string text = utf8(code);
        const std::string out = escapeText(text);
        if (out != text) {
            ++escaped;
            EXPECT_EQ(out.front(), '\\') << std::hex << static_cast<unsigned>(code);
        }
    }
    EXPECT_EQ(escaped, 170u + 65u + 18u + 2u);
}

TEST(EscapeTextTest, longTextIsCutAfterAWholeCharacterAndMarked) {
    struct Case {
        std::string text;
        std::string escaped;
    };
    const std::string limit(kEscapedCharacters, '1');
    std::string kanji;
    for (std::size_t i = 0; i < kEscapedCharacters + 1; ++i) {
        kanji += "九";
    }
    for (const Case& c : {
             Case{limit, limit},
             Case{limit + "2", limit + "…[65 bytes]"},
             Case{std::string(131072, '1'), limit + "…[131072 bytes]"},
             Case{kanji, kanji.substr(0, kanji.size() - 3) + "…[195 bytes]"},
             Case{std::string(kEscapedCharacters + 1, '\x1B'),
                  [] {
                      std::string out;
                      for (std::size_t i = 0; i < kEscapedCharacters; ++i) {
                          out += "\\x1B";
                      }
                      return out + "…[65 bytes]";
                  }()},
         }) {
        EXPECT_EQ(escapeText(c.text), c.escaped);
    }
}

}  // namespace
}  // namespace zelkon
