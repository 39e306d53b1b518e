// The catalogue as the design's table writes it, each core's own waits and first fit, and every
// 13-tile example as a form of its family plus melds that change no wait.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "analysis/shape_family.h"
#include "analysis/smallest_core.h"
#include "analysis/tile_hand.h"

namespace zelkon::tests {
namespace {

TileCounts CountsOf(const std::string& digits) {
    TileCounts counts{};
    for (const char c : digits) {
        ++counts[static_cast<std::size_t>(c - '0')];
    }
    return counts;
}

std::string WaitDigits(NumberSet waits) {
    std::string digits;
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        digits += (waits & NumberBit(n)) != 0 ? std::string(1, static_cast<char>('0' + n)) : "";
    }
    return digits;
}

struct Row {
    std::string id;
    std::string name;
    std::string core;
    std::string waits;
    std::vector<std::pair<std::string, std::string>> examples;  // 13 tiles and their waits
};

const std::vector<Row>& Table() {
    static const std::vector<Row> rows{
        {"nobetan", "延べ単", "2345", "25", {{"1223344556789", "25"}, {"1222333445999", "25"}}},
        {"aryanmen", "亜両面", "3345", "36", {{"3345666777999", "36"}, {"1112223455888", "25"}}},
        {"nakabukure", "中ぶくれ", "2334", "3", {{"2334666777888", "3"}, {"1223334567999", "3"}}},
        {"ryantan",
         "暗刻+隣 (リャンタン)",
         "3334",
         "245",
         {{"1113334666777", "245"}, {"1222444555666", "13"}}},
        {"kantan",
         "暗刻+一つ飛び (カンタン)",
         "3335",
         "45",
         {{"1113335888999", "45"}, {"1112444555666", "23"}}},
        {"nanaren",
         "7連形",
         "1234567",
         "147",
         {{"1122334556677", "147"}, {"2233445667788", "258"}}},
        {"renzoku-toitsu", "連続形+対子", "1234456", "147", {{"1234456888999", "147"}}},
        {"tatsumaki",
         "竜巻",
         "3334555",
         "23456",
         {{"1113334555999", "23456"}, {"2223334555789", "23456"}}},
        {"renzoku4",
         "連続4面",
         "3344555",
         "2345",
         {{"3344555888999", "2345"}, {"1233344555789", "2345"}}},
        {"iipeikou", "一盃口形", "1122233", "123", {{"1122233444789", "123"}}},
        {"anko-nobetan", "暗刻+4連形", "2223456", "13467", {{"2223456888999", "13467"}}},
        {"anko-toitsu", "暗刻+対子の連続形", "2223445", "346", {{"1112223445999", "346"}}},
        {"yonmai", "4枚使い", "6678888", "679", {{"1116678888999", "679"}}},
        {"happou", "8面張", "2223456777", "12345678", {{"2223456777999", "12345678"}}},
        {"chuuren", "九蓮形", "1112345678999", "123456789", {{"1112345678999", "123456789"}}},
        {"tanki", "単騎", "9", "9", {{"1112225556669", "9"}}},
        {"ryanmen", "両面", "2399", "14", {}},
        {"kanchan", "嵌張", "2499", "3", {}},
        {"penchan", "辺張", "1299", "3", {}},
        {"shanpon", "双碰", "2255", "25", {}},
        {"sanmen",
         "三面張 (5連形+対子)",
         "2345699",
         "147",
         {{"1123456888999", "147"}, {"1122233356789", "47"}}},
        {"entotsu",
         "エントツ",
         "1145666",
         "136",
         {{"1145666777999", "136"}, {"1112223477999", "257"}}},
        {"chiitoi", "七対子だけ", "1122334455778", "8", {{"1122334455778", "8"}}},
    };
    return rows;
}

TEST(ShapeFamilies, theCatalogueIsTheTableAndEachCoreFitsItsOwnFamilyFirst) {
    ASSERT_EQ(Table().size(), kShapeFamilies.size());
    for (std::size_t f = 0; f < kShapeFamilies.size(); ++f) {
        const Row& row = Table()[f];
        const ShapeFamily& family = kShapeFamilies[f];
        EXPECT_EQ(family.id, row.id);
        EXPECT_EQ(family.name, row.name);
        EXPECT_EQ(family.core, row.core);
        EXPECT_EQ(family.waits, row.waits);
        EXPECT_EQ(WaitDigits(WaitsOfCounts(CountsOf(row.core))), row.waits) << row.id;
        const FamilyFit fit = FitFamily(CountsOf(row.core));
        EXPECT_EQ(fit.family, static_cast<FamilyIndex>(f)) << row.id;
        EXPECT_EQ(fit.edgeLoss, 0) << row.id;
        EXPECT_EQ(FamilyIndexOf(row.id), static_cast<FamilyIndex>(f));
    }
    EXPECT_EQ(FamilyIndexOf("tatsumak"), kNoFamily);
}

// Some form of the family lies in the hand, the rest splits into melds, and the hand's waits are
// the form's judged with the hand: what the ladder deals at 13 tiles.
bool IsBuiltOn(const TileCounts& hand, FamilyIndex family) {
    FamilyForms forms;
    const std::int32_t count = FormsOfFamily(family, forms);
    for (std::int32_t i = 0; i < count; ++i) {
        const TileCounts& form = forms[static_cast<std::size_t>(i)];
        TileCounts rest = hand;
        bool inside = true;
        for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
            rest[n] -= form[n];
            inside = inside && rest[n] >= 0;
        }
        if (inside && SplitsIntoMelds(rest) && WaitsOfCounts(form, hand) == WaitsOfCounts(hand)) {
            return true;
        }
    }
    return false;
}

TEST(ShapeFamilies, everyExampleWaitsAsWrittenAndIsBuiltOnItsFamily) {
    for (std::size_t f = 0; f < Table().size(); ++f) {
        for (const auto& [hand, waits] : Table()[f].examples) {
            const TileCounts counts = CountsOf(hand);
            EXPECT_EQ(WaitDigits(WaitsOfCounts(counts)), waits) << hand;
            EXPECT_TRUE(IsBuiltOn(counts, static_cast<FamilyIndex>(f))) << hand;
        }
    }
}

TEST(ShapeFamilies, shiftedMirroredEdgeAndPairApartFormsKeepTheirNames) {
    struct Case {
        const char* core;
        const char* family;
        std::int32_t edgeLoss;
    };
    const Case cases[] = {
        {"3455", "aryanmen", 0},
        {"1233", "aryanmen", 1},
        {"7789", "aryanmen", 1},
        {"1222", "ryantan", 1},
        {"1112", "ryantan", 1},
        {"6667", "ryantan", 0},
        {"5777", "kantan", 0},
        {"4567899", "sanmen", 0},
        {"1234599", "sanmen", 1},
        {"2455", "kanchan", 0},
        {"1123456", "sanmen", 0},
        {"3378", "ryanmen", 0},
        {"1255", "penchan", 0},
        {"8922", "penchan", 0},
        {"2344", "aryanmen", 0},
        {"2334", "nakabukure", 0},
        {"3366", "shanpon", 0},
        {"44456"
         "99",
         "entotsu", 0},
        {"5", "tanki", 0},
        {"1122446688993", "chiitoi", 0},
    };
    for (const Case& c : cases) {
        const FamilyFit fit = FitFamily(CountsOf(c.core));
        ASSERT_NE(fit.family, kNoFamily) << c.core;
        EXPECT_EQ(kShapeFamilies[static_cast<std::size_t>(fit.family)].id, std::string(c.family))
            << c.core;
        EXPECT_EQ(fit.edgeLoss, c.edgeLoss) << c.core;
    }
    // 23 with a pair apart is 両面 unless a fixed form holds it first (1123 is 3345 shifted).
    EXPECT_EQ(FitFamily(CountsOf("2355")).family, FamilyIndexOf("ryanmen"));
    EXPECT_EQ(FitFamily(CountsOf("2377")).family, FamilyIndexOf("ryanmen"));
    EXPECT_EQ(FitFamily(CountsOf("1123")).family, FamilyIndexOf("aryanmen"));
    EXPECT_NE(FitFamily(CountsOf("1199")).family, FamilyIndexOf("penchan"));
    // Nothing of these sizes or shapes is named.
    EXPECT_EQ(FitFamily(CountsOf("1357")).family, kNoFamily);
    EXPECT_EQ(FitFamily(CountsOf("11")).family, kNoFamily);
    // Six pairs and a lone tile that also read as melds are no 七対子だけ.
    EXPECT_NE(FitFamily(CountsOf("1122334455667")).family, FamilyIndexOf("chiitoi"));
}

TEST(ShapeFamilies, formsAreDistinctAscendingAndAllOfTheirFamily) {
    for (FamilyIndex f = 0; f < kFamilyCount; ++f) {
        FamilyForms forms;
        const std::int32_t count = FormsOfFamily(f, forms);
        ASSERT_GT(count, 0) << kShapeFamilies[static_cast<std::size_t>(f)].id;
        bool holdsCore = false;
        for (std::int32_t i = 0; i < count; ++i) {
            const TileCounts& form = forms[static_cast<std::size_t>(i)];
            EXPECT_EQ(FitFamily(form).family, f);
            EXPECT_EQ(TileTotal(form), FamilyCoreSize(f));
            holdsCore =
                holdsCore || form == CountsOf(kShapeFamilies[static_cast<std::size_t>(f)].core);
            if (i > 0) {
                const TileHand a = TileHandOf(forms[static_cast<std::size_t>(i - 1)]);
                const TileHand b = TileHandOf(form);
                EXPECT_TRUE(std::lexicographical_compare(a.tiles.begin(), a.tiles.end(),
                                                         b.tiles.begin(), b.tiles.end()));
            }
        }
        EXPECT_TRUE(holdsCore) << kShapeFamilies[static_cast<std::size_t>(f)].id;
    }
    FamilyForms forms;
    // 2345 3456 4567 5678 6789 and 1234, an edge form; the mirror is the same form.
    EXPECT_EQ(FormsOfFamily(FamilyIndexOf("nobetan"), forms), 6);
    EXPECT_EQ(FormsOfFamily(kNoFamily, forms), 0);
}

}  // namespace
}  // namespace zelkon::tests
