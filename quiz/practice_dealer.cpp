#include "practice_dealer.h"

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
    } else {
        // All hands is the plain quiz's own deal, draw for draw.
        DealProblemInBand(problem, m_band);
        m_last = HoldsAllHands(m_band) ? DealKind::Plain : DealKind::Band;
    }
    if (m_timedRun) {
        m_last = DealKind::TimedRun;
    }
}

}  // namespace zelkon
