#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/hand_space.h"
#include "analysis/hints.h"
#include "analysis/shape_family.h"
#include "analysis/vocabulary.h"
#include "cli/command_line.h"
#include "cli/explain_report.h"
#include "cli/hand_notation.h"
#include "cli/hint_report.h"
#include "cli/report.h"

namespace zelkon {
namespace {

// The second method: the Japanese report with every name of the table swapped for its English,
// longest first so that 四暗刻単騎 is not read as 単騎.
std::string swapNames(std::string text) {
    // The names must live as long as the terms that point at them.
    static std::vector<std::string> familyLabels;
    std::vector<Term> terms(kWaitShapeTerms.begin(), kWaitShapeTerms.end());
    familyLabels.clear();
    familyLabels.reserve(kShapeFamilies.size());
    for (const ShapeFamily& family : kShapeFamilies) {
        familyLabels.push_back(std::string(family.name) + " (" + family.id + ")");
    }
    for (std::size_t f = 0; f < kShapeFamilies.size(); ++f) {
        terms.push_back(Term{familyLabels[f].c_str(), kShapeFamilies[f].id});
    }
    terms.insert(terms.end(), kPatternTerms.begin(), kPatternTerms.end());
    terms.insert(terms.end(), kSuitTerms.begin(), kSuitTerms.end());
    terms.push_back(kNoPatternTerm);
    std::sort(terms.begin(), terms.end(), [](const Term& a, const Term& b) {
        return std::string_view(a.ja).size() > std::string_view(b.ja).size();
    });
    for (const Term& term : terms) {
        const std::string_view ja = term.ja;
        for (std::size_t at = text.find(ja); at != text.npos; at = text.find(ja, at)) {
            text.replace(at, ja.size(), term.en);
            at += std::string_view(term.en).size();
        }
    }
    return text;
}

// Only the window's marks ○ and × are no ASCII in an English report.
bool onlyAsciiAndMarks(std::string text) {
    for (const std::string_view mark : {"○", "×"}) {
        for (std::size_t at = text.find(mark); at != text.npos; at = text.find(mark, at)) {
            text.erase(at, mark.size());
        }
    }
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

HandNotation notationOf(const Hand13& tiles, SuitKind suit) {
    std::string text;
    for (const TileNumber t : tiles) {
        text += static_cast<char>('0' + t);
    }
    text += suit == kSuitManzu ? "m" : suit == kSuitPinzu ? "p" : "s";
    std::string error;
    return parseHand(text, error).value();
}

// Every 61st hand: about 1,500 hands with every shape, pattern and suit among them.
TEST(EnglishReportTest, isTheJapaneseOneWithEveryNameInEnglish) {
    HandSpace<13> space;
    Hand13 tiles{};
    Picks picks{};
    picks[1] = picks[5] = true;
    for (long i = 0; space.Next(tiles); ++i) {
        if (i % 61 != 0) {
            continue;
        }
        const HandNotation hand = notationOf(tiles, static_cast<SuitKind>(i % 3));
        const std::string waits = waitsReport(hand, Language::English);
        const std::string explain = explainReport(hand, picks, Language::English);
        ASSERT_EQ(waits, swapNames(waitsReport(hand))) << i;
        ASSERT_EQ(explain, swapNames(explainReport(hand, picks))) << i;
        ASSERT_TRUE(onlyAsciiAndMarks(waits + explain)) << waits << explain;
    }
}

// The hints have phrases of their own in English: one line for each of the six, every one of
// them in English words, for hands of every size.
TEST(EnglishReportTest, hintsAreWordedInEnglishLineForLine) {
    for (const std::string_view text :
         {"1233344555789", "2499444", "1112345678999", "2345", "3334555", "6678888",
          "1122334455778", "1111222233347", "2223456777", "1357", "1145666"}) {
        std::string error;
        const std::optional<HandNotation> hand = parseHand(text, error);
        ASSERT_TRUE(hand.has_value()) << error;
        const std::string english = hintReport(*hand, kHintCount, Language::English);
        const std::string japanese = hintReport(*hand, kHintCount);
        EXPECT_EQ(std::count(english.begin(), english.end(), '\n'), kHintCount) << english;
        EXPECT_EQ(std::count(japanese.begin(), japanese.end(), '\n'), kHintCount);
        EXPECT_TRUE(onlyAsciiAndMarks(english)) << english;
    }
}

TEST(CommandLineLanguageTest, standsBeforeOrAfterTheCommandButNeverAsAValue) {
    struct Case {
        std::vector<std::string_view> args;
        Language language;
        CommandKind kind;
    };
    for (const Case& c : {
             Case{{"waits", "1112345678999"}, Language::Japanese, CommandKind::Waits},
             Case{
                 {"--lang", "en", "waits", "1112345678999"}, Language::English, CommandKind::Waits},
             Case{{"waits", "--lang=en", "1112345678999"}, Language::English, CommandKind::Waits},
             Case{{"explain", "1112345678999", "19", "--lang", "ja"},
                  Language::Japanese,
                  CommandKind::Explain},
             Case{{"stats", "--lang", "en", "--records", "x.sqlite3"},
                  Language::English,
                  CommandKind::Stats},
             Case{{"deal", "--lang", "en", "--seed", "3"}, Language::English, CommandKind::Deal},
         }) {
        Command command;
        std::string error;
        ASSERT_TRUE(parseCommandLine(c.args, command, error)) << error;
        EXPECT_EQ(command.language, c.language) << c.args[0];
        EXPECT_EQ(command.kind, c.kind);
    }
    // A records file may be called --lang; it is then no option.
    Command command;
    std::string error;
    const std::vector<std::string_view> named{"stats", "--records", "--lang"};
    ASSERT_TRUE(parseCommandLine(named, command, error)) << error;
    EXPECT_EQ(command.recordsPath, std::optional<std::string>("--lang"));
    EXPECT_EQ(command.language, Language::Japanese);

    for (const auto& [args, message] : {
             std::pair<std::vector<std::string_view>, std::string_view>{
                 {"--lang", "fr", "waits", "1112345678999"},
                 "--lang \"fr\": not a language; ja or en"},
             {{"waits", "1112345678999", "--lang"}, "--lang needs a value: ja or en"},
             {{"--lang=EN", "table"}, "--lang \"EN\": not a language; ja or en"},
             {{"--lang", "en", "--lang", "ja", "table"}, "--lang given twice"},
             {{"--lang", "en"}, "no command given; try zelkon-cli --help"},
         }) {
        EXPECT_FALSE(parseCommandLine(args, command, error));
        EXPECT_EQ(error, message);
    }
}

}  // namespace
}  // namespace zelkon
