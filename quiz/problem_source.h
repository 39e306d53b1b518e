// What a practice feature puts in place of the plain deal: a band, weak shapes, a review card,
// a short hand, a family.
#pragma once

#include <cstdint>

#include "analysis/problem.h"
#include "dealing/short_dealer.h"

namespace zelkon {

class ProblemSource {
public:
    virtual ~ProblemSource() = default;
    // Fills every field of problem for the next question, as DealProblem or FillProblem do.
    virtual void Deal(Problem& problem) = 0;
    // The next question of any size: returns 13 after filling problem as Deal does, or 4, 7 or
    // 10 after filling shortProblem as FillShortProblem does.
    virtual std::int32_t DealSized(Problem& problem, ShortProblem& /*shortProblem*/) {
        Deal(problem);
        return 13;
    }
};

}  // namespace zelkon
