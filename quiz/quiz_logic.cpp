#include "quiz_logic.h"

#include <algorithm>
#include <ctime>

#include "analysis/decomposition.h"
#include "analysis/pattern_table.h"
#include "analysis/wait_finder.h"
#include "analysis/wait_shapes.h"
#include "dealing/problem_dealer.h"
#include "dealing/random_source.h"

namespace zelkon {

std::int32_t TileBitmapId(std::int32_t number, SuitKind suit) {
    if (number < kMinTile || number > kMaxTile) {
        return kFirstTileBitmapId;
    }
    switch (suit) {
        case kSuitManzu:
            return 172 + number;
        case kSuitPinzu:
            return 182 + number;
        case kSuitSouzu:
            return 191 + number;
        default:
            return kFirstTileBitmapId;
    }
}

QuizLogic::QuizLogic() {
    ClearPicksAndMarks();
}

void QuizLogic::SetUp() {
    SetUp(static_cast<std::uint32_t>(std::time(nullptr)));
}

void QuizLogic::SetUp(std::uint32_t seed) {
    SeedDraws(seed);
    DealProblem(m_problem);
    m_nTiles = 13;
    m_nHints = 0;
    m_strAnswer = kQuestionTerm.in(m_language);
    m_bAnswered = 0;
    m_nSuitKind = Draw() % 3;
    m_bSortTiles = 1;
    ClearPicksAndMarks();
}

void QuizLogic::NewProblem(std::int32_t suitMode, std::uint8_t sortMode, ProblemSource* source) {
    if (source != nullptr) {
        m_nTiles = source->DealSized(m_problem, m_short);
    } else {
        DealProblem(m_problem);
        m_nTiles = 13;
    }
    ResetQuestion(suitMode, sortMode);
}

void QuizLogic::LoadProblem(const Hand13& hand, std::int32_t suitMode, std::uint8_t sortMode) {
    FillProblem(hand, m_problem);
    m_nTiles = 13;
    ResetQuestion(suitMode, sortMode);
}

bool QuizLogic::LoadTiles(const TileHand& hand, std::int32_t suitMode, std::uint8_t sortMode) {
    TileCounts counts{};
    if (!IsWaitingSize(hand.count) || !CountTiles(hand, counts)) {
        return false;
    }
    if (hand.count == 13) {
        const TileHand sorted = TileHandOf(counts);
        Hand13 tiles{};
        std::copy_n(sorted.tiles.begin(), tiles.size(), tiles.begin());
        LoadProblem(tiles, suitMode, sortMode);
        return true;
    }
    FillShortProblem(hand, m_short);
    m_nTiles = hand.count;
    ResetQuestion(suitMode, sortMode);
    return true;
}

void QuizLogic::EnterProblem(const Hand13& displayOrder, std::int32_t suitMode,
                             std::uint8_t sortMode) {
    m_problem.sortedHand = displayOrder;
    SortHand(m_problem.sortedHand);
    m_problem.dealOrder = displayOrder;
    FindWaits(m_problem.sortedHand, m_problem);
    m_nTiles = 13;
    ResetQuestion(suitMode, sortMode);
}

bool QuizLogic::EnterTiles(const TileHand& displayOrder, std::int32_t suitMode,
                           std::uint8_t sortMode) {
    if (displayOrder.count == 13) {
        if (TileCounts counts{}; !CountTiles(displayOrder, counts)) {
            return false;
        }
        Hand13 typed{};
        std::copy_n(displayOrder.tiles.begin(), typed.size(), typed.begin());
        EnterProblem(typed, suitMode, sortMode);
        return true;
    }
    if (!EnterShortProblem(displayOrder, m_short)) {
        return false;
    }
    m_nTiles = displayOrder.count;
    ResetQuestion(suitMode, sortMode);
    return true;
}

void QuizLogic::ResetQuestion(std::int32_t suitMode, std::uint8_t sortMode) {
    m_strAnswer = kQuestionTerm.in(m_language);
    m_bAnswered = 0;
    m_nHints = 0;
    // The suit is drawn after the deal's numbers, and only in random mode.
    m_nSuitKind = suitMode == kSuitModeRandom ? Draw() % 3 : suitMode;
    m_bSortTiles = sortMode;
    ClearPicksAndMarks();
}

void QuizLogic::ClearPicksAndMarks() {
    m_bSelected.fill(0);
    m_nMark.fill(MarkKind::MarkNone);
}

void QuizLogic::Toggle(TileNumber number) {
    if (number < kMinTile || number > kMaxTile) {
        return;
    }
    auto& pick = m_bSelected[static_cast<std::size_t>(number)];
    pick = pick == 1 ? 0 : 1;
}

void QuizLogic::Answer() {
    if (m_bAnswered != 0) {
        return;
    }
    m_bAnswered = 1;
    WriteAnswerText();
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        const auto i = static_cast<std::size_t>(n);
        const bool wait = isWait(n);
        const bool picked = m_bSelected[i] == 1;
        if (wait) {
            m_nMark[i] = picked ? MarkKind::MarkCircle : MarkKind::MarkCross;
        } else if (picked) {
            m_nMark[i] = MarkKind::MarkCross;
        }
    }
}

bool QuizLogic::UseHint() {
    if (m_bAnswered != 0 || m_nHints >= kHintCount) {
        return false;
    }
    ++m_nHints;
    return true;
}

TileHand QuizLogic::sortedTiles() const {
    return m_nTiles != 13 ? m_short.sortedHand : TileHandOf(m_problem.sortedHand);
}

bool QuizLogic::isWait(TileNumber number) const {
    if (number < kMinTile || number > kMaxTile) {
        return false;
    }
    const auto i = static_cast<std::size_t>(number);
    return (m_nTiles != 13 ? m_short.isWait[i] : m_problem.isWait[i]) == 1;
}

bool QuizLogic::fullyRight() const {
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        if (isWait(n) != selected(n)) {
            return false;
        }
    }
    return true;
}

void QuizLogic::WriteAnswerText() {
    m_strAnswer = kAnswerHeaderTerm.in(m_language);
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        const auto i = static_cast<std::size_t>(n);
        if (!isWait(n)) {
            continue;
        }
        // "  [%d]   " by hand: formatted output would pull stdio into the WebAssembly module.
        const char prefix[kWaitPrefixLength] = {' ', ' ', '[', static_cast<char>('0' + n),
                                                ']', ' ', ' ', ' '};
        m_strAnswer += std::string_view(prefix, kWaitPrefixLength);
        if (m_nTiles != 13) {
            // Scoring patterns belong to 13 tiles: a short hand names its wait shapes instead.
            for (std::size_t s = 0; s < kWaitShapeTerms.size(); ++s) {
                if ((m_short.waitShapes[i] & ShapeBit(static_cast<WaitShape>(s))) != 0) {
                    m_strAnswer += kWaitShapeTerms[s].in(m_language);
                    m_strAnswer += "  ";
                }
            }
            m_strAnswer += "\r\n";
            continue;
        }
        bool any = false;
        for (int k = 0; k < kPatternCount; ++k) {
            if (m_problem.patterns[i][static_cast<std::size_t>(k)] != 0) {
                m_strAnswer += PatternName(k, m_language);
                m_strAnswer += "  ";
                any = true;
            }
        }
        if (!any) {
            m_strAnswer += kNoPatternTerm.in(m_language);
        }
        m_strAnswer += "\r\n";
    }
}

void QuizLogic::SetLanguage(Language language) {
    m_language = language;
    if (m_bAnswered != 0) {
        WriteAnswerText();
    } else {
        m_strAnswer = kQuestionTerm.in(language);
    }
}

NumberSet QuizLogic::picks() const {
    NumberSet picks = 0;
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        if (selected(n)) {
            picks |= NumberBit(n);
        }
    }
    return picks;
}

bool QuizLogic::selected(TileNumber number) const {
    if (number < kMinTile || number > kMaxTile) {
        return false;
    }
    return m_bSelected[static_cast<std::size_t>(number)] == 1;
}

MarkKind QuizLogic::mark(TileNumber number) const {
    if (number < kMinTile || number > kMaxTile) {
        return MarkKind::MarkNone;
    }
    return m_nMark[static_cast<std::size_t>(number)];
}

TileNumber QuizLogic::displayTile(int k) const {
    const auto i = static_cast<std::size_t>(k);
    if (m_nTiles != 13) {
        return m_bSortTiles == 1 ? m_short.sortedHand.tiles[i] : m_short.dealOrder.tiles[i];
    }
    return m_bSortTiles == 1 ? m_problem.sortedHand[i] : m_problem.dealOrder[i];
}

}  // namespace zelkon
