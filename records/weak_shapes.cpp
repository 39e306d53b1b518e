#include "weak_shapes.h"

#include <array>

#include "analysis/wait_shapes.h"
#include "record_rows.h"
#include "records_store.h"

namespace zelkon {

std::optional<WeakShape> WeakestShapeOf(const std::array<ShapeFigure, kWaitShapeCount>& byShape) {
    std::optional<WeakShape> weakest;
    for (int s = 0; s < kWaitShapeCount; ++s) {
        const ShapeFigure& figure = byShape[static_cast<std::size_t>(s)];
        if (figure.seen < kWeakShapeMinimumWaits) {
            continue;
        }
        const WeakShape candidate{static_cast<WaitShape>(s), figure.seen, figure.missed};
        // Cross-multiplied, so that equal rates compare equal; counts stay far below 2^31.
        const auto worse = [](const WeakShape& a, const WeakShape& b) {
            const std::int64_t left = a.missed * b.seen;
            const std::int64_t right = b.missed * a.seen;
            return left != right ? left > right : a.seen > b.seen;
        };
        if (!weakest || worse(candidate, *weakest)) {
            weakest = candidate;
        }
    }
    return weakest;
}

RecordsStatus UpdateShapeTallies(RecordsStore& store, ShapeTallies& tallies) {
    struct Outcome {
        ShapeTallies tallies;
        RecordsStatus status;
    };
    Outcome outcome = Guarded<Outcome>([&](Outcome& read) {
        read.tallies = tallies;
        SqliteStatement rows = store.database().prepare(
            "SELECT id, picks, two_sided, edge, closed, dual_pair, single FROM answers "
            "WHERE id > ?1 ORDER BY id");
        rows.bind(1, tallies.lastRow);
        while (rows.step()) {
            AddShapeTallies(read.tallies.byShape, NumberSetFromText(rows.text(1)), rows, 2);
            read.tallies.lastRow = rows.int64(0);
        }
    });
    if (outcome.status.ok()) {
        tallies = outcome.tallies;
    }
    return outcome.status;
}

WeakShapeOutcome WeakestShape(RecordsStore& store) {
    WeakShapeOutcome outcome;
    ShapeTallies tallies;
    outcome.status = UpdateShapeTallies(store, tallies);
    if (outcome.status.ok()) {
        outcome.weakest = WeakestShapeOf(tallies.byShape);
    }
    return outcome;
}

}  // namespace zelkon
