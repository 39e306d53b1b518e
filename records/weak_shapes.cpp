#include "weak_shapes.h"

#include <array>

#include "analysis/wait_shapes.h"
#include "record_rows.h"
#include "records_store.h"

namespace zelkon {

namespace {

// missed / seen of a against b, cross-multiplied so that equal rates compare equal: above 0 when
// a's rate is the higher. Counts stay far below 2^31.
template <typename A, typename B>
std::int64_t CompareRates(const A& a, const B& b) {
    return a.missed * b.seen - b.missed * a.seen;
}

// The weakest of figures with at least minimum seen: highest rate, then most seen, then first.
template <typename Weak, typename Figures, typename Make>
std::optional<Weak> Weakest(const Figures& figures, std::int64_t minimum, Make make) {
    std::optional<Weak> weakest;
    for (std::size_t i = 0; i < figures.size(); ++i) {
        const Weak candidate = make(static_cast<int>(i), figures[i]);
        if (candidate.seen < minimum) {
            continue;
        }
        const std::int64_t rates = weakest ? CompareRates(candidate, *weakest) : 1;
        if (rates > 0 || (rates == 0 && candidate.seen > weakest->seen)) {
            weakest = candidate;
        }
    }
    return weakest;
}

}  // namespace

std::optional<WeakShape> WeakestShapeOf(const std::array<ShapeFigure, kWaitShapeCount>& byShape) {
    return Weakest<WeakShape>(
        byShape, kWeakShapeMinimumWaits, [](int s, const ShapeFigure& figure) {
            return WeakShape{static_cast<WaitShape>(s), figure.seen, figure.missed};
        });
}

std::optional<WeakFamily> WeakestFamilyOf(const std::array<ProblemFigure, kFamilyCount>& byFamily) {
    return Weakest<WeakFamily>(byFamily, kWeakFamilyMinimumHands,
                               [](int f, const ProblemFigure& figure) {
                                   return WeakFamily{static_cast<FamilyIndex>(f), figure.problems,
                                                     figure.problems - figure.fullyRight};
                               });
}

WeakTarget WeakTargetOf(const std::array<ShapeFigure, kWaitShapeCount>& byShape,
                        const std::array<ProblemFigure, kFamilyCount>& byFamily) {
    WeakTarget target{WeakestShapeOf(byShape), WeakestFamilyOf(byFamily), false};
    target.atFamily =
        target.family && (!target.shape || CompareRates(*target.family, *target.shape) > 0);
    return target;
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
