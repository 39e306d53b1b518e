#include "practice_dealer.h"

#include "dealing/problem_dealer.h"

namespace zelkon {

void PracticeDealer::setBand(WaitBand band) {
    m_band = band;
    m_filter = nullptr;
    m_filterContext = nullptr;
}

void PracticeDealer::setWeakShapes(HandFilter filter, const void* context) {
    m_filter = filter;
    m_filterContext = filter != nullptr ? context : nullptr;
}

void PracticeDealer::Deal(Problem& problem) {
    if (!m_timedRun && m_dueCard && m_dueCard(problem)) {
        m_last = DealKind::Review;
        return;
    }
    if (m_filter != nullptr) {
        DealProblemWhere(problem, m_filter, m_filterContext);
        m_last = DealKind::WeakShapes;
    } else if (m_band.fewest <= kAllHands.fewest && m_band.most >= kAllHands.most) {
        // The plain quiz's own deal, draw for draw.
        DealProblem(problem);
        m_last = DealKind::Plain;
    } else {
        DealProblemInBand(problem, m_band);
        m_last = DealKind::Band;
    }
    if (m_timedRun) {
        m_last = DealKind::TimedRun;
    }
}

}  // namespace zelkon
