// The state of the question on screen and the operations that change it, free of any toolkit.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "analysis/hints.h"
#include "analysis/problem.h"
#include "analysis/tile_hand.h"
#include "answer_text.h"
#include "problem_source.h"

namespace zelkon {

// Values are fixed: the view draws by them and tests compare them.
enum class MarkKind : std::int32_t {
    MarkCircle = 0,  // a wait, picked
    MarkCross = 1,   // a wait not picked, or a pick that is no wait
    MarkNone = 2,    // neither; every number before the answer
};

// SuitMode value that draws a suit for every new problem.
inline constexpr std::int32_t kSuitModeRandom = 3;

inline constexpr std::int32_t kFirstTileBitmapId = 173;

// Resource id of the image of tile number in suit: 173-181 characters, 183-191 circles,
// 192-200 bamboo; anything else yields 173.
std::int32_t TileBitmapId(std::int32_t number, SuitKind suit);

inline constexpr std::string_view kQuestionText = kQuestionTerm.ja;
inline constexpr std::string_view kAnswerHeader = kAnswerHeaderTerm.ja;
// "  [%d]   " with a number 1 to 9.
inline constexpr std::size_t kWaitPrefixLength = 8;

class QuizLogic {
public:
    QuizLogic();

    // Creation set-up: seeds the generator with the time of day, deals, draws a suit and shows
    // the hand sorted. The frame's settings are deliberately not consulted for the first problem.
    void SetUp();
    // As SetUp with the generator seeded by seed: a page or a test that must deal a known hand.
    void SetUp(std::uint32_t seed);

    // Deals the next problem. suitMode: 0 to 2 a fixed SuitKind, 3 a suit drawn after the deal;
    // the low byte of sortMode becomes m_bSortTiles. A source, when given, deals instead of
    // DealProblem; the suit is drawn after it all the same.
    void NewProblem(std::int32_t suitMode, std::uint8_t sortMode, ProblemSource* source = nullptr);

    // As NewProblem, but shows hand (13 tiles ascending, a complete hand less one tile) instead of
    // dealing one; draws what FillProblem draws, then the suit when suitMode is 3.
    void LoadProblem(const Hand13& hand, std::int32_t suitMode, std::uint8_t sortMode);

    // As LoadProblem for a hand a player typed: displayOrder (13 tiles 1..9, any order, at most
    // four of a number) is shown as it stands when sorting is off. Draws nothing but the suit,
    // and that only when suitMode is 3. A hand with no wait is allowed.
    void EnterProblem(const Hand13& displayOrder, std::int32_t suitMode, std::uint8_t sortMode);

    // EnterProblem for a typed hand of any waiting size (4, 7, 10 or 13 tiles): false, changing
    // nothing, for other hands.
    bool EnterTiles(const TileHand& displayOrder, std::int32_t suitMode, std::uint8_t sortMode);

    // As LoadProblem for a hand of any waiting size (4, 7, 10 or 13 tiles, any order): a short
    // hand draws what FillShortProblem draws. Returns false, changing nothing, for other hands.
    bool LoadTiles(const TileHand& hand, std::int32_t suitMode, std::uint8_t sortMode);

    // Flips the pick of number (1 to 9); other values are ignored.
    void Toggle(TileNumber number);

    // Submits the picks: builds the answer text and the marks. Does nothing once answered. A
    // short hand's lines name the wait shapes of each wait where a 13-tile hand's name patterns.
    void Answer();

    // One more hint before the answer, up to kHintCount; false, changing nothing, once answered
    // or when every hint is shown. A new question starts at none.
    bool UseHint();
    std::int32_t hintsUsed() const { return m_nHints; }

    // The language of the answer box from now on, the text on show rewritten in it; Japanese
    // until set. Draws nothing and changes neither picks nor marks.
    void SetLanguage(Language language);
    Language language() const { return m_language; }

    // The 13-tile question; meaningful only while tileCount() is 13.
    const Problem& problem() const { return m_problem; }
    // The short question; meaningful only while tileCount() is not 13.
    const ShortProblem& shortProblem() const { return m_short; }
    // 13, or a short hand's 4, 7 or 10.
    std::int32_t tileCount() const { return m_nTiles; }
    // The question's tiles ascending, whatever its size.
    TileHand sortedTiles() const;
    bool isWait(TileNumber number) const;
    // The picks are exactly the waits.
    bool fullyRight() const;
    SuitKind suitKind() const { return m_nSuitKind; }
    // UTF-8, CR LF line ends; in language().
    std::string_view answerText() const { return m_strAnswer.view(); }
    bool answered() const { return m_bAnswered != 0; }
    bool selected(TileNumber number) const;
    NumberSet picks() const;  // the numbers selected
    bool sortTiles() const { return m_bSortTiles == 1; }
    MarkKind mark(TileNumber number) const;
    // Tile number at display position k (0 to tileCount() - 1), as the sort setting of this
    // problem orders them.
    TileNumber displayTile(int k) const;

private:
    void ResetQuestion(std::int32_t suitMode, std::uint8_t sortMode);
    void ClearPicksAndMarks();
    void WriteAnswerText();

    Problem m_problem{};
    ShortProblem m_short{};
    std::int32_t m_nTiles = 13;
    std::int32_t m_nHints = 0;
    SuitKind m_nSuitKind = kSuitManzu;
    FixedText<LongestAnswer(LongerIn(kAnswerHeaderTerm), kWaitPrefixLength)> m_strAnswer;
    std::int32_t m_bAnswered = 0;
    std::array<std::uint8_t, kNumberSlots> m_bSelected{};
    std::uint8_t m_bSortTiles = 0;
    std::array<MarkKind, kNumberSlots> m_nMark{};
    Language m_language = Language::Japanese;
};

}  // namespace zelkon
