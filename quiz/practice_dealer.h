// The one problem source of the window: plain, within a band, weak shapes, due review cards.
#pragma once

#include <cstdint>
#include <functional>

#include "analysis/problem.h"
#include "dealing/band_dealer.h"
#include "dealing/deal_kind.h"
#include "quiz/problem_source.h"

namespace zelkon {

class PracticeDealer : public ProblemSource {
public:
    // Fills problem with a card that is due and returns true, or returns false and leaves it.
    using DueCardHook = std::function<bool(Problem&)>;

    // kAllHands deals with exactly the draws of DealProblem. Ends weak-shape dealing.
    void setBand(WaitBand band);
    WaitBand band() const { return m_band; }

    // Deals, as in a band, among hands that filter keeps; a null filter ends it.
    void setWeakShapes(HandFilter filter, const void* context);
    bool weakShapes() const { return m_filter != nullptr; }

    // Asked before every deal outside a timed run.
    void setDueCardHook(DueCardHook hook) { m_dueCard = std::move(hook); }

    // While on, deals skip review cards and count as the timed run's.
    void setTimedRun(bool on) { m_timedRun = on; }
    bool timedRun() const { return m_timedRun; }

    // The problem on screen was typed in rather than dealt.
    void noteEntered() { m_last = DealKind::Entered; }
    DealKind lastDeal() const { return m_last; }

    void Deal(Problem& problem) override;

private:
    WaitBand m_band = kAllHands;
    HandFilter m_filter = nullptr;
    const void* m_filterContext = nullptr;
    DueCardHook m_dueCard;
    bool m_timedRun = false;
    DealKind m_last = DealKind::Plain;
};

}  // namespace zelkon
