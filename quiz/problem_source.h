// What a practice feature puts in place of the plain deal: a band, weak shapes, a review card.
#pragma once

#include "analysis/problem.h"

namespace zelkon {

class ProblemSource {
public:
    virtual ~ProblemSource() = default;
    // Fills every field of problem for the next question, as DealProblem or FillProblem do.
    virtual void Deal(Problem& problem) = 0;
};

}  // namespace zelkon
