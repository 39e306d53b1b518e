// The one problem source of the window: plain, within a band, weak shapes, due review cards,
// short hands, one family, the ladder.
#pragma once

#include <cstdint>
#include <functional>

#include "analysis/problem.h"
#include "analysis/shape_family.h"
#include "analysis/tile_hand.h"
#include "dealing/band_dealer.h"
#include "dealing/deal_kind.h"
#include "quiz/ladder.h"
#include "quiz/problem_source.h"

namespace zelkon {

class QuizLogic;

class PracticeDealer : public ProblemSource {
public:
    // Fills problem with a card that is due and returns true, or returns false and leaves it.
    using DueCardHook = std::function<bool(Problem&)>;
    // The same for cards of any size: fills hand (4, 7, 10 or 13 tiles).
    using DueHandHook = std::function<bool(TileHand&)>;

    // kAllHands deals with exactly the draws of DealProblem. Ends weak-shape dealing.
    void setBand(WaitBand band);
    WaitBand band() const { return m_band; }

    // Deals, as in a band, among hands that filter keeps; a null filter ends it.
    void setWeakShapes(HandFilter filter, const void* context);
    // Deals hands of the weakest family instead; kNoFamily ends it.
    void setWeakFamily(FamilyIndex family);
    bool weakShapes() const { return m_filter != nullptr || m_weakFamily != kNoFamily; }
    FamilyIndex weakFamily() const { return m_weakFamily; }

    // The size of dealt problems: 4, 7, 10 or 13 (the quiz's). Bands and weak shapes choose among
    // 13-tile hands only; a short hand is dealt as BuildShortCompleteHand deals it.
    void setTiles(std::int32_t tiles);
    std::int32_t tiles() const { return m_tiles; }
    // Only hands of family (DealFamilyHand), at the size in force or, below the family's core,
    // at the family's smallest size; kNoFamily deals every hand. The ladder, when on, starts
    // again on it.
    void setFamily(FamilyIndex family);
    FamilyIndex family() const { return m_family; }
    // While on, the ladder chooses the family and the size of every deal; turned on, it starts
    // at the chosen family's smallest size.
    void setLadderOn(bool on);
    // On, at a step kept from an earlier visit; one that cannot be dealt starts over.
    void restoreLadder(FamilyIndex at, std::int32_t tiles);
    bool ladderOn() const { return m_ladderOn; }
    const Ladder& ladder() const { return m_ladder; }

    // The question on screen is new: whether this dealer dealt it on the ladder's step.
    void noteShown();
    // The answer to the question on screen; true when it moved the ladder's step. Only a question
    // dealt on the step counts, and only once.
    bool RecordAnswer(const QuizLogic& quiz);

    // Asked before every deal outside a timed run.
    void setDueCardHook(DueCardHook hook) { m_dueCard = std::move(hook); }
    // Asked instead of the card hook when set.
    void setDueHandHook(DueHandHook hook) { m_dueHand = std::move(hook); }

    // While on, deals skip review cards and count as the timed run's.
    void setTimedRun(bool on) { m_timedRun = on; }
    bool timedRun() const { return m_timedRun; }

    // The problem on screen was typed in rather than dealt.
    void noteEntered() {
        m_last = DealKind::Entered;
        m_lastFamily = kNoFamily;
    }
    DealKind lastDeal() const { return m_last; }
    // Deals so far: tells a problem this dealer dealt from one loaded past it.
    std::uint64_t deals() const { return m_deals; }
    // The family the problem on screen was dealt in, kNoFamily for any other deal.
    FamilyIndex lastFamily() const { return m_lastFamily; }
    // The family and size the next deal takes, kNoFamily for every hand.
    FamilyIndex dealtFamily() const;
    std::int32_t dealtTiles() const;

    void Deal(Problem& problem) override;
    std::int32_t DealSized(Problem& problem, ShortProblem& shortProblem) override;

private:
    // A hand of tiles tiles into whichever problem its size fills; returns the size.
    static std::int32_t Fill(const TileHand& hand, Problem& problem, ShortProblem& shortProblem);

    WaitBand m_band = kAllHands;
    HandFilter m_filter = nullptr;
    const void* m_filterContext = nullptr;
    FamilyIndex m_weakFamily = kNoFamily;
    std::int32_t m_tiles = 13;
    FamilyIndex m_family = kNoFamily;
    bool m_ladderOn = false;
    Ladder m_ladder;
    bool m_ladderQuestion = false;  // the question on screen was dealt on the ladder's step
    std::uint64_t m_shownDeals = 0;
    DueCardHook m_dueCard;
    DueHandHook m_dueHand;
    bool m_timedRun = false;
    DealKind m_last = DealKind::Plain;
    FamilyIndex m_lastFamily = kNoFamily;
    std::uint64_t m_deals = 0;
};

}  // namespace zelkon
