// A typed hand's faults in words, both languages, from the faults the reader really reports.
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <string_view>

#include "analysis/hand_fault_text.h"

namespace zelkon::tests {
namespace {

constexpr HandSizes k13 = 1u << 13;
constexpr HandSizes kWaiting = 1u << 4 | 1u << 7 | 1u << 10 | 1u << 13;

struct WordsCase {
    std::string_view typed;
    HandSizes allowed;
    std::string_view japanese;
    std::string_view english;
};

// The dialog's reading: the reader takes the sizes allowed and their won sizes, which are no
// problem to play.
HandNotationFault FaultOf(std::string_view typed, HandSizes allowed) {
    HandNotation hand;
    HandNotationFault fault = ParseHandNotation(typed, hand, allowed | allowed << 1);
    if (fault.code == HandFault::None && (allowed >> hand.count & 1u) == 0) {
        fault.code = HandFault::TileCount;
        fault.count = hand.count;
    }
    return fault;
}

class HandFaultWordsTest : public testing::TestWithParam<WordsCase> {};

TEST_P(HandFaultWordsTest, namesTheFaultInEachLanguage) {
    const WordsCase& c = GetParam();
    const HandNotationFault fault = FaultOf(c.typed, c.allowed);
    EXPECT_EQ(HandFaultWords(fault, c.allowed).view(), c.japanese);
    EXPECT_EQ(HandFaultWords(fault, c.allowed, Language::English).view(), c.english);
}

INSTANTIATE_TEST_SUITE_P(
    EveryFault, HandFaultWordsTest,
    testing::Values(
        WordsCase{"", k13, "手牌を数字1〜9の13個で入力してください。",
                  "Type the hand as 13 digits 1–9."},
        WordsCase{"", kWaiting, "手牌を数字1〜9の4・7・10・13個のどれかで入力してください。",
                  "Type the hand as 4, 7, 10 or 13 digits 1–9."},
        WordsCase{"11123456789990", k13, "14文字目の「0」は牌ではありません。数字は1〜9です。",
                  "The \"0\" at character 14 is no tile: numbers run from 1 to 9."},
        WordsCase{"1112345678999P", k13,
                  "14文字目の「P」は大文字です。牌の種類は小文字のm・p・sで書きます。",
                  "\"P\" at character 14: suit letters are lower case m, p, s."},
        WordsCase{"111234567899\xEF\xBC\x99", k13,
                  "13文字目の「\xEF\xBC\x99」は全角です。半角の数字1〜9で書きます。",
                  "\"\xEF\xBC\x99\" at character 13 is a full-width digit: write 1–9."},
        WordsCase{"1112345678999x", k13,
                  "14文字目の「x」は牌ではありません。使えるのは数字1〜9と、最後に付けるm・p・sの"
                  "どれか1文字だけです。",
                  "\"x\" at character 14 is no tile: only the digits 1–9 and one final m, p or s."},
        // Invisible characters by name or code, whatever their length in UTF-8.
        WordsCase{
            "111 2345678999", k13,
            "4文字目の空白は牌ではありません。使えるのは数字1〜9と、最後に付けるm・p・sの"
            "どれか1文字だけです。",
            "A space at character 4 is no tile: only the digits 1–9 and one final m, p or s."},
        WordsCase{"1\xE3\x80\x80", k13,
                  "2文字目の全角の空白は牌ではありません。使えるのは数字1〜9と、最後に付けるm・p・"
                  "sのどれか1文字だけです。",
                  "A full-width space at character 2 is no tile: only the digits 1–9 and one final "
                  "m, p or s."},
        WordsCase{"\xE2\x80\xAE"
                  "1",
                  k13,
                  "1文字目のU+202Eは牌ではありません。使えるのは数字1〜9と、最後に付けるm・p・sの"
                  "どれか1文字だけです。",
                  "U+202E at character 1 is no tile: only the digits 1–9 and one final m, p or s."},
        WordsCase{"\x7F", k13,
                  "1文字目のU+007Fは牌ではありません。使えるのは数字1〜9と、最後に付けるm・p・sの"
                  "どれか1文字だけです。",
                  "U+007F at character 1 is no tile: only the digits 1–9 and one final m, p or s."},
        WordsCase{
            "\xF3\xB0\x80\x80", k13,
            "1文字目のU+F0000は牌ではありません。使えるのは数字1〜9と、最後に付けるm・p・s"
            "のどれか1文字だけです。",
            "U+F0000 at character 1 is no tile: only the digits 1–9 and one final m, p or s."},
        WordsCase{"\xF0\x9F\x80\x87", k13,
                  "1文字目の「\xF0\x9F\x80\x87」は牌ではありません。使えるのは数字1〜9と、最後に"
                  "付けるm・p・sのどれか1文字だけです。",
                  "\"\xF0\x9F\x80\x87\" at character 1 is no tile: only the digits 1–9 and one "
                  "final m, p or s."},
        WordsCase{"12\xFF", k13, "3文字目に読めない文字があります。",
                  "Unreadable character at character 3."},
        WordsCase{"111234567899s9", k13, "13文字目の牌の種類「s」は数字のあと、最後に書きます。",
                  "The suit \"s\" at character 13 comes last, after the digits."},
        WordsCase{"1112345678999pm", k13, "牌の種類は1つだけです（14文字目「p」と15文字目「m」）。",
                  "Two suits (the \"p\" at character 14 and \"m\" at character 15): one only."},
        WordsCase{"111234567899", k13, "牌が12枚あります。13枚で入力してください。",
                  "12 tiles: a hand has 13."},
        WordsCase{"11123456789999", k13, "牌が14枚あります。13枚で入力してください。",
                  "14 tiles: a hand has 13."},
        WordsCase{"1", k13, "牌が1枚あります。13枚で入力してください。", "1 tile: a hand has 13."},
        WordsCase{"11123", kWaiting, "牌が5枚あります。4・7・10・13枚のどれかで入力してください。",
                  "5 tiles: a hand has 4, 7, 10 or 13."},
        WordsCase{"1111123456789p", k13, "1が5枚あります。同じ牌は4枚までです。",
                  "5 of 1: at most four of a tile."},
        WordsCase{"1112345678999", k13, "", ""}));

// Every code in both languages: a sentence of its own, every placeholder filled, nothing cut.
TEST(HandFaultWordsTest, everyCodeHasItsOwnWholeSentence) {
    for (const Language language : {Language::Japanese, Language::English}) {
        std::set<std::string> seen;
        for (int code = static_cast<int>(HandFault::Empty);
             code <= static_cast<int>(HandFault::FifthCopy) + 1; ++code) {
            HandNotationFault fault;
            fault.code = static_cast<HandFault>(code);
            fault.position = 99;
            fault.character = 0x10FFFD;
            fault.suit = kSuitPinzu;
            fault.suitPosition = 98;
            fault.count = 99;
            fault.number = 7;
            const HandFaultText text = HandFaultWords(fault, kEveryHandSize, language);
            const std::string words(text.view());
            EXPECT_FALSE(words.empty()) << code;
            EXPECT_EQ(words.find('%'), std::string::npos) << words;
            EXPECT_LT(text.length, static_cast<std::int32_t>(text.chars.size())) << words;
            EXPECT_TRUE(seen.insert(words).second) << words;
        }
    }
}

}  // namespace
}  // namespace zelkon::tests
