#include "practice_dealer.h"

#include <algorithm>

#include "dealing/family_dealer.h"
#include "dealing/problem_dealer.h"

namespace zelkon {

void PracticeDealer::setBand(WaitBand band) {
    m_band = band;
    m_filter = nullptr;
    m_filterContext = nullptr;
    m_weakFamily = kNoFamily;
}

void PracticeDealer::setWeakShapes(HandFilter filter, const void* context) {
    m_filter = filter;
    m_filterContext = filter != nullptr ? context : nullptr;
    if (filter != nullptr) {
        m_weakFamily = kNoFamily;
    }
}

void PracticeDealer::setWeakFamily(FamilyIndex family) {
    m_weakFamily = family >= 0 && family < kFamilyCount ? family : kNoFamily;
    if (m_weakFamily != kNoFamily) {
        m_filter = nullptr;
        m_filterContext = nullptr;
    }
}

void PracticeDealer::setTiles(std::int32_t tiles) {
    m_tiles = IsWaitingSize(tiles) ? tiles : 13;
}

void PracticeDealer::setFamily(FamilyIndex family) {
    m_family = family >= 0 && family < kFamilyCount ? family : kNoFamily;
    if (m_ladderOn) {
        m_ladder.Start(m_family);
    }
}

void PracticeDealer::setLadderOn(bool on) {
    m_ladderOn = on;
    if (on) {
        m_ladder.Start(m_family);
    }
}

void PracticeDealer::restoreLadder(FamilyIndex at, std::int32_t tiles) {
    m_ladderOn = true;
    m_ladder.Restore(m_family, at, tiles);
}

void PracticeDealer::noteShown() {
    // A question this dealer did not deal (typed in, loaded from an earlier visit) moves nothing.
    m_ladderQuestion = m_deals != m_shownDeals && m_ladderOn && m_lastFamily == m_ladder.family();
    m_shownDeals = m_deals;
}

bool PracticeDealer::RecordAnswer(const QuizLogic& quiz) {
    if (!m_ladderQuestion) {
        return false;
    }
    m_ladderQuestion = false;
    return m_ladder.Record(LadderAnswerOf(quiz));
}

FamilyIndex PracticeDealer::dealtFamily() const {
    if (m_ladderOn) {
        return m_ladder.family();
    }
    return m_weakFamily != kNoFamily ? m_weakFamily : m_family;
}

std::int32_t PracticeDealer::dealtTiles() const {
    if (m_ladderOn) {
        return m_ladder.tiles();
    }
    const FamilyIndex family = dealtFamily();
    if (family == kNoFamily) {
        return m_tiles;
    }
    // Below the core's size the family's own smallest hands; 13 tiles always have some.
    const std::int32_t size = FamilySizeFrom(family, m_tiles);
    return size != 0 ? size : 13;
}

std::int32_t PracticeDealer::Fill(const TileHand& hand, Problem& problem,
                                  ShortProblem& shortProblem) {
    if (hand.count != 13) {
        FillShortProblem(hand, shortProblem);
        return hand.count;
    }
    Hand13 tiles{};
    std::copy_n(hand.tiles.begin(), tiles.size(), tiles.begin());
    FillProblem(tiles, problem);
    return 13;
}

void PracticeDealer::Deal(Problem& problem) {
    if (!m_timedRun && m_dueCard && m_dueCard(problem)) {
        m_last = DealKind::Review;
        m_lastFamily = kNoFamily;
        return;
    }
    m_lastFamily = kNoFamily;
    if (m_filter != nullptr) {
        DealProblemWhere(problem, m_filter, m_filterContext);
        m_last = DealKind::WeakShapes;
    } else {
        // All hands is the plain quiz's own deal, draw for draw.
        DealProblemInBand(problem, m_band);
        m_last = HoldsAllHands(m_band) ? DealKind::Plain : DealKind::Band;
    }
    if (m_timedRun) {
        m_last = DealKind::TimedRun;
    }
}

std::int32_t PracticeDealer::DealSized(Problem& problem, ShortProblem& shortProblem) {
    ++m_deals;
    if (!m_timedRun && m_dueHand) {
        TileHand card;
        if (m_dueHand(card) && IsWaitingSize(card.count)) {
            m_last = DealKind::Review;
            m_lastFamily = kNoFamily;
            return Fill(card, problem, shortProblem);
        }
    }
    const FamilyIndex family = dealtFamily();
    const std::int32_t tiles = dealtTiles();
    if (family == kNoFamily && tiles == 13) {
        Deal(problem);
        return 13;
    }
    std::int32_t dealt = 13;
    if (TileHand hand; family != kNoFamily && DealFamilyHand(family, tiles, hand)) {
        dealt = Fill(hand, problem, shortProblem);
        m_lastFamily = family;
        m_last = m_ladderOn || m_weakFamily == kNoFamily ? DealKind::Family : DealKind::WeakShapes;
    } else if (tiles != 13 && DealShortProblem(tiles, shortProblem)) {
        dealt = tiles;
        m_lastFamily = kNoFamily;
        m_last = DealKind::Plain;
    } else {
        Deal(problem);
        return 13;
    }
    if (m_timedRun) {
        m_last = DealKind::TimedRun;
    }
    return dealt;
}

}  // namespace zelkon
