// The wait shape the player misses most, for dealing problems aimed at it.
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

}  // namespace zelkon
