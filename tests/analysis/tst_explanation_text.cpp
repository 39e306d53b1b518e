// The explanation's words and tile groups in both languages, as the window's panel and the page
// show them: hands whose summary has every kind of item, every verdict, a yakuman and a reading
// without patterns, and a short hand, whose captions name the shape alone.
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "analysis/explanation_text.h"
#include "support/hand_strings.h"
#include "support/panel_lines.h"

namespace zelkon::tests {
namespace {

struct PanelCase {
    const char* hand;
    const char* picks;
    const char* japanese;
    const char* english;
};

const PanelCase kPanelCases[] = {
    {"6666777888899", "123489",
     "待ち3種：5・7・9\u3000見逃し：5・7\u3000待ちでない牌の選択：1・2・3・4・8\n"
     "1 待ちではない：どう分けても2枚余る\n"
     "2 待ちではない：どう分けても2枚余る\n"
     "3 待ちではない：どう分けても2枚余る\n"
     "4 待ちではない：どう分けても2枚余る\n"
     "5 見逃し：両面待ち\u3000一盃口（1翻） | が5・8を待つ\n"
     "6 待ちではない：手に4枚（5枚目があっても和了形にならない）\n"
     "7 見逃し：嵌張待ち\u3000二盃口（3翻） | が7を待つ\n"
     "8 待ちではない：手に4枚（形だけなら単騎待ち）\n"
     "9 正解：双碰待ち\u3000役なし | が7・9を待つ\n",
     "Waits (3): 5, 7, 9  Missed: 5, 7  Wrong picks: 1, 2, 3, 4, 8\n"
     "1 No wait: always 2 tiles left over\n"
     "2 No wait: always 2 tiles left over\n"
     "3 No wait: always 2 tiles left over\n"
     "4 No wait: always 2 tiles left over\n"
     "5 Missed: ryanmen  iipeikou (1 han) | wait on 5, 8\n"
     "6 No wait: all 4 held, nothing completes\n"
     "7 Missed: kanchan  ryanpeikou (3 han) | wait on 7\n"
     "8 No wait: 4 held (tanki in shape only)\n"
     "9 Right: shanpon  no pattern | wait on 7, 9\n"},
    // No wait, and still the wrong pick named.
    {"4666777888899", "1",
     "聴牌していません\u3000待ちでない牌の選択：1\n"
     "1 待ちではない：どう分けても3枚余る\n"
     "8 待ちではない：手に4枚（5枚目があっても和了形にならない）\n",
     "Not tenpai  Wrong picks: 1\n"
     "1 No wait: always 3 tiles left over\n"
     "8 No wait: all 4 held, nothing completes\n"},
    {"1123456778999", "",
     "待ち3種：1・6・9\u3000見逃し：1・6・9\n"
     "1 見逃し：双碰待ち\u3000九連宝燈（役満） | が1・9を待つ\n"
     "6 見逃し：嵌張待ち\u3000役なし | が6を待つ\n"
     "9 見逃し：両面待ち\u3000役なし | が6・9を待つ\n",
     "Waits (3): 1, 6, 9  Missed: 1, 6, 9\n"
     "1 Missed: shanpon  chuuren poutou (yakuman) | wait on 1, 9\n"
     "6 Missed: kanchan  no pattern | wait on 6\n"
     "9 Missed: ryanmen  no pattern | wait on 6, 9\n"},
    {"5555666677788", "4789",
     "待ち4種：4・7・8・9\u3000完全正解\n"
     "4 正解：両面待ち\u3000タンヤオ・三暗刻（3翻） | が4・7を待つ\n"
     "5 待ちではない：手に4枚（5枚目があっても和了形にならない）\n"
     "6 待ちではない：手に4枚（形だけなら単騎待ち）\n"
     "7 正解：両面待ち\u3000平和・タンヤオ・二盃口（5翻） | が4・7を待つ\n"
     "8 正解：双碰待ち\u3000タンヤオ（1翻） | が7・8を待つ\n"
     "9 正解：両面待ち\u3000役なし | が6・9を待つ\n",
     "Waits (4): 4, 7, 8, 9  Perfect\n"
     "4 Right: ryanmen  tanyao, sanankou (3 han) | wait on 4, 7\n"
     "5 No wait: all 4 held, nothing completes\n"
     "6 No wait: 4 held (tanki in shape only)\n"
     "7 Right: ryanmen  pinfu, tanyao, ryanpeikou (5 han) | wait on 4, 7\n"
     "8 Right: shanpon  tanyao (1 han) | wait on 7, 8\n"
     "9 Right: ryanmen  no pattern | wait on 6, 9\n"},
    {"7888899", "356",
     "待ち3種：6・7・9\u3000見逃し：7・9\u3000待ちでない牌の選択：3・5\n"
     "3 待ちではない：どう分けても2枚余る\n"
     "5 待ちではない：どう分けても2枚余る\n"
     "6 正解：両面待ち | が6・9を待つ\n"
     "7 見逃し：辺張待ち | が7を待つ\n"
     "8 待ちではない：手に4枚（5枚目があっても和了形にならない）\n"
     "9 見逃し：単騎待ち | が9を待つ\n",
     "Waits (3): 6, 7, 9  Missed: 7, 9  Wrong picks: 3, 5\n"
     "3 No wait: always 2 tiles left over\n"
     "5 No wait: always 2 tiles left over\n"
     "6 Right: ryanmen | wait on 6, 9\n"
     "7 Missed: penchan | wait on 7\n"
     "8 No wait: all 4 held, nothing completes\n"
     "9 Missed: tanki | wait on 9\n"},
};

TEST(ExplanationText, summaryAndRowsInBothLanguages) {
    for (const PanelCase& c : kPanelCases) {
        EXPECT_EQ(PanelLines(c.hand, c.picks, Language::Japanese), c.japanese) << c.hand;
        EXPECT_EQ(PanelLines(c.hand, c.picks, Language::English), c.english) << c.hand;
    }
}

TEST(ExplanationText, rowTilesCaptionsAndOtherReadings) {
    struct Case {
        const char* hand;
        TileNumber n;
        const char* tiles;
        const char* captions;  // of the distinct readings in table order, Japanese
        const char* others;    // of those 「ほかの読み方」 opens
    };
    const Case cases[] = {
        // The closest split, then five tiles left over: a group of four and one of one.
        {"4444666689999", 1, "444 666 999 <1468> <9>", "", ""},
        // Four copies that complete nothing stand as one group.
        {"4444666689999", 4, "4444", "", ""},
        // A fifth copy complete in shape shows its reading, the pair it would finish outlined.
        {"6666777888899", 8, "666 678 789 789 [88]",
         "嵌張待ち\u3000一盃口（1翻） / 両面待ち\u3000一盃口（1翻） / 単騎待ち\u3000一盃口（1翻）",
         "嵌張待ち\u3000一盃口（1翻） / 両面待ち\u3000一盃口（1翻）"},
        // The shown reading is the answer box's, here not the first.
        {"1123456778999", 9, "11 234 567 [789] 999", "双碰待ち\u3000役なし / 両面待ち\u3000役なし",
         "双碰待ち\u3000役なし"},
        // A short hand's captions stop at the shape.
        {"7888899", 9, "789 888 [99]", "両面待ち / 単騎待ち", "両面待ち"},
    };
    for (const Case& c : cases) {
        auto explanation = std::make_unique<HandExplanation>();
        ASSERT_TRUE(ExplainTiles(TilesOf(c.hand), *explanation));
        const NumberExplanation& number = explanation->numbers[static_cast<std::size_t>(c.n)];
        EXPECT_EQ(SpelledTiles(RowTiles(number, c.n)), c.tiles) << c.hand << " " << c.n;
        const auto captions = [&](const std::int32_t* records, std::int32_t count) {
            std::string text;
            for (std::int32_t i = 0; i < count; ++i) {
                text += i > 0 ? " / " : "";
                text += CaptionWords(*explanation, c.n, records[i], Language::Japanese).view();
            }
            return text;
        };
        EXPECT_EQ(captions(number.distinct.data(), number.distinctCount), c.captions)
            << c.hand << " " << c.n;
        const OtherRecords others = OtherRecordsOf(number);
        EXPECT_EQ(captions(others.records.data(), others.count), c.others) << c.hand << " " << c.n;
    }
}

}  // namespace
}  // namespace zelkon::tests
