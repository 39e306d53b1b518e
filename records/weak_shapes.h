// The wait shape and the shape family the player misses most, for dealing problems aimed at the
// weaker of the two.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "analysis/decomposition.h"
#include "analysis/problem.h"
#include "analysis/wait_shapes.h"
#include "records_status.h"
#include "statistics.h"

namespace zelkon {

class RecordsStore;

// A shape needs this many waits seen before its miss rate counts.
inline constexpr std::int64_t kWeakShapeMinimumWaits = 30;

struct WeakShape {
    WaitShape shape = WaitShape::TwoSided;
    std::int64_t seen = 0;    // waits reached by the shape, over every answer
    std::int64_t missed = 0;  // of those, not picked
    double missRate() const {
        return seen == 0 ? 0.0 : static_cast<double>(missed) / static_cast<double>(seen);
    }
};

// A family needs this many hands seen before its miss rate counts.
inline constexpr std::int64_t kWeakFamilyMinimumHands = 30;

struct WeakFamily {
    FamilyIndex family = kNoFamily;
    std::int64_t seen = 0;    // answers whose family column is the family
    std::int64_t missed = 0;  // of those, not fully right (a hinted answer included)
    double missRate() const {
        return seen == 0 ? 0.0 : static_cast<double>(missed) / static_cast<double>(seen);
    }
};

// What 苦手な形 aims at. Both rates are shares of misses in [0, 1], a shape's per wait it reaches
// and a family's per hand, and the higher one is aimed at; on equal rates the shape, which keeps
// the problems among the quiz's own hands.
struct WeakTarget {
    std::optional<WeakShape> shape;    // the weakest shape, once one has kWeakShapeMinimumWaits
    std::optional<WeakFamily> family;  // the weakest family, once one has kWeakFamilyMinimumHands
    bool atFamily = false;             // the family is aimed at rather than the shape

    bool any() const { return shape.has_value() || family.has_value(); }
};

struct WeakShapeOutcome {
    std::optional<WeakShape> weakest;  // nothing while no shape has kWeakShapeMinimumWaits
    RecordsStatus status;
};

// The shape tallies of every answer up to a row, kept by a caller that asks after every answer:
// each update reads only the rows added since, where a full count takes tens of milliseconds
// over 100,000 answers.
struct ShapeTallies {
    std::array<ShapeFigure, kWaitShapeCount> byShape{};
    std::int64_t lastRow = 0;  // answers.id of the last row counted
};

// Adds the answers written since tallies.lastRow (by any window); on a failure tallies stay.
RecordsStatus UpdateShapeTallies(RecordsStore& store, ShapeTallies& tallies);

// Highest miss rate wins; ties go to the shape seen more often, then to the lower WaitShape.
WeakShapeOutcome WeakestShape(RecordsStore& store);
// The same choice over tallies already read (Statistics::byShape).
std::optional<WeakShape> WeakestShapeOf(const std::array<ShapeFigure, kWaitShapeCount>& byShape);
// Highest miss rate wins; ties go to the family seen more often, then to the earlier in the
// catalogue.
std::optional<WeakFamily> WeakestFamilyOf(const std::array<ProblemFigure, kFamilyCount>& byFamily);
// The two above, and which is aimed at.
WeakTarget WeakTargetOf(const std::array<ShapeFigure, kWaitShapeCount>& byShape,
                        const std::array<ProblemFigure, kFamilyCount>& byFamily);

}  // namespace zelkon
