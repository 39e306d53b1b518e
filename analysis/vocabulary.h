// The game's words in both languages of the program: the one table the window, the command line
// and the page take them from. docs/vocabulary.md shows it to people; a test keeps the two equal.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace zelkon {

enum class Language : std::int32_t {
    Japanese = 0,  // the default everywhere, whatever the system's locale
    English = 1,
};

// UTF-8 both.
struct Term {
    const char* ja;
    const char* en;

    constexpr const char* in(Language language) const {
        return language == Language::English ? en : ja;
    }
};

// "ja" and "en", as the settings file and --lang write them.
constexpr const char* LanguageCode(Language language) {
    return language == Language::English ? "en" : "ja";
}

// False, leaving language alone, for anything but "ja" and "en".
constexpr bool ParseLanguageCode(std::string_view code, Language& language) {
    if (code == "ja") {
        language = Language::Japanese;
        return true;
    }
    if (code == "en") {
        language = Language::English;
        return true;
    }
    return false;
}

// In WaitShape order: two-sided, edge, closed, dual pair, single.
inline constexpr std::array<Term, 5> kWaitShapeTerms{{
    {"両面", "ryanmen"},
    {"辺張", "penchan"},
    {"嵌張", "kanchan"},
    {"双碰", "shanpon"},
    {"単騎", "tanki"},
}};

// In SuitKind order: characters, circles, bamboo; the menu's words.
inline constexpr std::array<Term, 3> kSuitTerms{{
    {"マンズ", "manzu"},
    {"ピンズ", "pinzu"},
    {"ソウズ", "souzu"},
}};

// In the pattern table's row order.
inline constexpr std::array<Term, 11> kPatternTerms{{
    {"平和", "pinfu"},
    {"タンヤオ", "tanyao"},
    {"一盃口", "iipeikou"},
    {"七対子", "chiitoitsu"},
    {"一気通貫", "ittsu"},
    {"トイトイ", "toitoi"},
    {"三暗刻", "sanankou"},
    {"二盃口", "ryanpeikou"},
    {"純チャンタ", "junchan"},
    {"四暗刻単騎", "suuankou tanki"},
    {"九連宝燈", "chuuren poutou"},
}};

// The answer box's own words; its header is a whole line.
inline constexpr Term kQuestionTerm{"何待ち？", "What are the waits?"};
inline constexpr Term kAnswerHeaderTerm{"＜待ち牌と複合役＞\r\n", "<Waits and patterns>\r\n"};
inline constexpr Term kNoPatternTerm{"なし", "none"};

}  // namespace zelkon
