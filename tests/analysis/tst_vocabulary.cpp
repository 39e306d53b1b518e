#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "analysis/shape_family.h"
#include "analysis/vocabulary.h"

namespace zelkon {
namespace {

std::string Decoded(std::string text) {
    for (const auto& [entity, plain] :
         {std::pair<std::string, std::string>{"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}}) {
        for (std::size_t at = text.find(entity); at != text.npos; at = text.find(entity, at)) {
            text.replace(at, entity.size(), plain);
        }
    }
    return text;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(" \r\n");
    return first == text.npos ? std::string() : text.substr(first, last - first + 1);
}

// Every "| Japanese | English |" row of the page for people.
std::set<std::pair<std::string, std::string>> DocumentedRows() {
    std::ifstream file(ZELKON_VOCABULARY_DOC);
    EXPECT_TRUE(file.good()) << ZELKON_VOCABULARY_DOC;
    std::set<std::pair<std::string, std::string>> rows;
    std::string line;
    while (std::getline(file, line)) {
        const std::size_t middle = line.find(" | ");
        if (!line.starts_with("| ") || !line.ends_with(" |") || middle == line.npos) {
            continue;
        }
        rows.emplace(Decoded(Trimmed(line.substr(2, middle - 2))),
                     Decoded(Trimmed(line.substr(middle + 3, line.size() - middle - 5))));
    }
    return rows;
}

std::vector<std::vector<Term>> Tables() {
    std::vector<Term> families;
    for (const ShapeFamily& family : kShapeFamilies) {
        families.push_back(
            {FamilyName(family, Language::Japanese), FamilyName(family, Language::English)});
    }
    return {
        families,
        {kWaitShapeTerms.begin(), kWaitShapeTerms.end()},
        {kPatternTerms.begin(), kPatternTerms.end()},
        {kSuitTerms.begin(), kSuitTerms.end()},
        {kQuestionTerm, kAnswerHeaderTerm, kNoPatternTerm},
    };
}

TEST(VocabularyTest, thePageForPeopleShowsEveryTermOfTheTable) {
    const auto rows = DocumentedRows();
    for (const std::vector<Term>& table : Tables()) {
        for (const Term& term : table) {
            EXPECT_TRUE(rows.contains({Trimmed(term.ja), Trimmed(term.en)}))
                << term.ja << " | " << term.en;
        }
    }
}

// One word names one thing in each language, within a table: a player could not tell two
// patterns or two shapes apart otherwise.
TEST(VocabularyTest, everyTermIsNamedInBothLanguagesAndOnceInEach) {
    for (const std::vector<Term>& table : Tables()) {
        std::set<std::string> ja;
        std::set<std::string> en;
        for (const Term& term : table) {
            EXPECT_NE(std::string(term.ja), "");
            EXPECT_NE(std::string(term.en), "");
            EXPECT_TRUE(ja.insert(term.ja).second) << term.ja;
            EXPECT_TRUE(en.insert(term.en).second) << term.en;
            for (const char c : std::string(term.en)) {
                EXPECT_LT(static_cast<unsigned char>(c), 0x80) << term.en;
            }
            EXPECT_EQ(term.in(Language::Japanese), term.ja);
            EXPECT_EQ(term.in(Language::English), term.en);
        }
    }
}

TEST(VocabularyTest, languageCodesReadBackAndNothingElseReads) {
    for (const Language language : {Language::Japanese, Language::English}) {
        Language read = language == Language::English ? Language::Japanese : Language::English;
        EXPECT_TRUE(ParseLanguageCode(LanguageCode(language), read));
        EXPECT_EQ(read, language);
    }
    for (const char* code : {"", "EN", "jp", "en ", "english", "ja_JP"}) {
        Language read = Language::English;
        EXPECT_FALSE(ParseLanguageCode(code, read)) << code;
        EXPECT_EQ(read, Language::English);
    }
}

// In a sentence a family's name has Japanese brackets and no space before them; the rest is the
// catalogue's, and English keeps the id.
TEST(Vocabulary, familyNamesInSentencesUseJapaneseBrackets) {
    for (FamilyIndex f = 0; f < kFamilyCount; ++f) {
        const ShapeFamily& family = kShapeFamilies[static_cast<std::size_t>(f)];
        std::string expected = family.name;
        for (const auto& [half, wide] :
             {std::pair<std::string, std::string>{" (", "（"}, {"(", "（"}, {")", "）"}}) {
            for (std::size_t at = expected.find(half); at != expected.npos;
                 at = expected.find(half)) {
                expected.replace(at, half.size(), wide);
            }
        }
        EXPECT_EQ(FamilyNameInSentence(f, Language::Japanese), expected);
        EXPECT_STREQ(FamilyNameInSentence(f, Language::English), family.id);
    }
    EXPECT_STREQ(FamilyNameInSentence(FamilyIndexOf("ryantan"), Language::Japanese),
                 "暗刻+隣（リャンタン）");
    EXPECT_STREQ(FamilyNameInSentence(FamilyIndexOf("sanmen"), Language::Japanese),
                 "三面張（5連形+対子）");
    EXPECT_STREQ(FamilyNameInSentence(FamilyIndexOf("tatsumaki"), Language::Japanese), "竜巻");
}

}  // namespace
}  // namespace zelkon
