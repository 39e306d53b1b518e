// The shape families: the core patterns that teachers name, in the order that breaks ties when a
// core fits several. A fixed form is its core's tiles taken together, shifted along 1..9 and
// mirrored; a pair-apart family is a partial shape plus a pair of a number the partial does not
// hold, anywhere. Shifted against 1 or 9 a form may lose a wait off the end (an edge form): it
// keeps the family's name.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "tile_counts.h"
#include "vocabulary.h"

namespace zelkon {

enum class FamilyKind : std::int32_t {
    FixedForm,
    PairApart,
    SevenPairsOnly,  // six pairs and a lone tile with no reading as melds and a pair
};

// Where a pair-apart family's partial may stand.
enum class Placement : std::int32_t {
    Anywhere,
    KeepWaits,  // never as an edge form: 23 at the end is 12, another family
    EndsOnly,   // only where the catalogue puts it, or mirrored
};

struct ShapeFamily {
    const char* id;
    const char* name;   // Japanese, as the catalogue writes it
    const char* core;   // the catalogue's example core: a real hand of 1, 4, 7, 10 or 13 tiles
    const char* waits;  // the waits of core
    FamilyKind kind;
    // FixedForm: core again. PairApart: the shape beside the pair, placed as in core. Unused for
    // SevenPairsOnly.
    const char* partial;
    const char* partialWaits;  // the waits partial owns, placed as in core: tells an edge form
    bool withPair;             // PairApart only: false for the lone tile of 単騎
    Placement placement;
};

// English names a family by its id, as English-speaking teachers spell it.
constexpr const char* FamilyName(const ShapeFamily& family, Language language) {
    return language == Language::English ? family.id : family.name;
}

using FamilyIndex = std::int32_t;
inline constexpr FamilyIndex kNoFamily = -1;
inline constexpr int kFamilyCount = 23;

// Catalogue order: the fixed forms, then the pair-apart families. A core takes the first it fits.
inline constexpr std::array<ShapeFamily, kFamilyCount> kShapeFamilies{{
    {"nobetan", "延べ単", "2345", "25", FamilyKind::FixedForm, "2345", "25", false,
     Placement::Anywhere},
    {"aryanmen", "亜両面", "3345", "36", FamilyKind::FixedForm, "3345", "36", false,
     Placement::Anywhere},
    {"nakabukure", "中ぶくれ", "2334", "3", FamilyKind::FixedForm, "2334", "3", false,
     Placement::Anywhere},
    {"ryantan", "暗刻+隣 (リャンタン)", "3334", "245", FamilyKind::FixedForm, "3334", "245", false,
     Placement::Anywhere},
    {"kantan", "暗刻+一つ飛び (カンタン)", "3335", "45", FamilyKind::FixedForm, "3335", "45", false,
     Placement::Anywhere},
    {"nanaren", "7連形", "1234567", "147", FamilyKind::FixedForm, "1234567", "147", false,
     Placement::Anywhere},
    {"renzoku-toitsu", "連続形+対子", "1234456", "147", FamilyKind::FixedForm, "1234456", "147",
     false, Placement::Anywhere},
    {"tatsumaki", "竜巻", "3334555", "23456", FamilyKind::FixedForm, "3334555", "23456", false,
     Placement::Anywhere},
    {"renzoku4", "連続4面", "3344555", "2345", FamilyKind::FixedForm, "3344555", "2345", false,
     Placement::Anywhere},
    {"iipeikou", "一盃口形", "1122233", "123", FamilyKind::FixedForm, "1122233", "123", false,
     Placement::Anywhere},
    {"anko-nobetan", "暗刻+4連形", "2223456", "13467", FamilyKind::FixedForm, "2223456", "13467",
     false, Placement::Anywhere},
    {"anko-toitsu", "暗刻+対子の連続形", "2223445", "346", FamilyKind::FixedForm, "2223445", "346",
     false, Placement::Anywhere},
    {"yonmai", "4枚使い", "6678888", "679", FamilyKind::FixedForm, "6678888", "679", false,
     Placement::Anywhere},
    {"happou", "8面張", "2223456777", "12345678", FamilyKind::FixedForm, "2223456777", "12345678",
     false, Placement::Anywhere},
    {"chuuren", "九蓮形", "1112345678999", "123456789", FamilyKind::FixedForm, "1112345678999",
     "123456789", false, Placement::Anywhere},
    {"tanki", "単騎", "9", "9", FamilyKind::PairApart, "9", "9", false, Placement::Anywhere},
    {"ryanmen", "両面", "2399", "14", FamilyKind::PairApart, "23", "14", true,
     Placement::KeepWaits},
    {"kanchan", "嵌張", "2499", "3", FamilyKind::PairApart, "24", "3", true, Placement::Anywhere},
    {"penchan", "辺張", "1299", "3", FamilyKind::PairApart, "12", "3", true, Placement::EndsOnly},
    {"shanpon", "双碰", "2255", "25", FamilyKind::PairApart, "22", "2", true, Placement::Anywhere},
    {"sanmen", "三面張 (5連形+対子)", "2345699", "147", FamilyKind::PairApart, "23456", "147", true,
     Placement::Anywhere},
    {"entotsu", "エントツ", "1145666", "136", FamilyKind::PairApart, "45666", "36", true,
     Placement::Anywhere},
    {"chiitoi", "七対子だけ", "1122334455778", "8", FamilyKind::SevenPairsOnly, "", "", false,
     Placement::Anywhere},
}};

// The catalogue writes its names with half-width brackets and a space before them ("暗刻+隣
// (リャンタン)"); a Japanese sentence writes 「暗刻+隣（リャンタン）」. Built once, here, for every
// text that puts a name into a sentence.
inline constexpr std::size_t kSentenceNameSize = 48;
inline constexpr auto kFamilySentenceNames = [] {
    std::array<std::array<char, kSentenceNameSize>, kFamilyCount> names{};
    for (std::size_t f = 0; f < names.size(); ++f) {
        const std::string_view name = kShapeFamilies[f].name;
        std::size_t out = 0;
        for (std::size_t i = 0; i < name.size(); ++i) {
            const std::string_view wide = name.substr(i, 2) == " (" ? "（"
                                          : name[i] == ')'          ? "）"
                                                                    : "";
            if (wide.empty()) {
                names[f][out++] = name[i];
                continue;
            }
            for (const char c : wide) {
                names[f][out++] = c;
            }
            if (name[i] == ' ') {
                ++i;
            }
        }
    }
    return names;
}();

// The family's name as a sentence writes it: FamilyName, with Japanese brackets in Japanese.
constexpr const char* FamilyNameInSentence(FamilyIndex family, Language language) {
    const auto f = static_cast<std::size_t>(family);
    return language == Language::English ? kShapeFamilies[f].id : kFamilySentenceNames[f].data();
}

// The family of id, or kNoFamily.
FamilyIndex FamilyIndexOf(std::string_view id);

// Tiles in the family's core: 1, 4, 7, 10 or 13. family: 0..kFamilyCount-1.
std::int32_t FamilyCoreSize(FamilyIndex family);

// How a core fits the catalogue: the first family it fits, kNoFamily for none, and how many of the
// form's own waits an edge form lost off the end (0 otherwise).
struct FamilyFit {
    FamilyIndex family = kNoFamily;
    std::int32_t edgeLoss = 0;
};

// core: counts of 1, 4, 7, 10 or 13 tiles, at most four of a number; any other counts fit none.
FamilyFit FitFamily(const TileCounts& core);

// Every form of a family: the counts of its core's size whose first fit is family, ascending by
// their digits. At most kMaxFamilyForms; returns how many were written.
inline constexpr int kMaxFamilyForms = 256;
using FamilyForms = std::array<TileCounts, kMaxFamilyForms>;
std::int32_t FormsOfFamily(FamilyIndex family, FamilyForms& forms);

}  // namespace zelkon
