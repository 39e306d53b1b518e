// Spaced review of missed hands: FSRS-6 with its published default weights and a desired
// retention of 0.9, long-term scheduling (whole days, no same-day learning steps, no fuzz).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "answer_record.h"
#include "records_status.h"

namespace zelkon {

class RecordsStore;

// A wrong answer grades Again, a fully right one Good; Hard and Easy are never given.
enum class ReviewGrade { Again = 1, Hard = 2, Good = 3, Easy = 4 };

inline constexpr std::array<double, 21> kFsrsDefaultWeights = {
    0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194, 0.001,  1.8722, 0.1666, 0.796,
    1.4835, 0.0614, 0.2629, 1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};
inline constexpr double kDesiredRetention = 0.9;
inline constexpr int kMaximumIntervalDays = 36500;

// The memory state of one card.
struct FsrsMemory {
    double stability = 0;   // days until recall falls to 90 %
    double difficulty = 0;  // 1..10
};

// The state after the first answer of a new card.
FsrsMemory FsrsFirstMemory(ReviewGrade grade);
// The state after an answer elapsedDays whole days after the previous one.
FsrsMemory FsrsNextMemory(const FsrsMemory& memory, std::int64_t elapsedDays, ReviewGrade grade);
// Whole days until the next review (1..kMaximumIntervalDays).
std::int64_t FsrsIntervalDays(double stability);

// The card is the sorted hand; its suit on screen follows the suit setting.
struct ReviewCard {
    Hand13 hand{};  // ascending; a short hand's card keeps its tiles in shortHand instead
    std::int32_t tiles = 13;
    TileHand shortHand{};
    FsrsMemory memory;
    std::int32_t reviews = 0;  // answers graded, the first included
    std::int32_t lapses = 0;   // Again after the first answer
    UnixMillis lastReview = 0;
    UnixMillis due = 0;
};

// The card after an answer at `at` (card: nothing for a hand without one yet). Elapsed days are
// whole UTC calendar days between the last review and `at`; the interval of a grade is kept above
// those of the lower grades, as the reference scheduler does.
ReviewCard ScheduleReview(const std::optional<ReviewCard>& card, const Hand13& hand,
                          ReviewGrade grade, UnixMillis at);

struct DueCardsOutcome {
    std::vector<ReviewCard> cards;  // most overdue first
    RecordsStatus status;
};
struct DueCountOutcome {
    std::int64_t count = 0;
    RecordsStatus status;
};
struct CardOutcome {
    std::optional<ReviewCard> card;
    RecordsStatus status;
};

// Cards with due <= now, at most limit of them.
DueCardsOutcome DueCards(RecordsStore& store, UnixMillis now, int limit);
DueCountOutcome DueCount(RecordsStore& store, UnixMillis now);
CardOutcome CardFor(RecordsStore& store, const Hand13& sortedHand);

}  // namespace zelkon
