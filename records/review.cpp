#include "review.h"

#include <algorithm>
#include <cmath>

#include "analysis/hints.h"
#include "record_rows.h"
#include "records_store.h"

namespace zelkon {

namespace {

constexpr double kMinimumStability = 0.001;
constexpr double kMaximumStability = 36500;
constexpr std::int64_t kMillisPerDay = 86'400'000;

// The reference rounds every stored figure to 8 decimals; so must we, or intervals drift by a day.
double roundTo8(double value) {
    return std::round(value * 1e8) / 1e8;
}

double clampTo(double value, double low, double high) {
    return std::min(std::max(value, low), high);
}

double decay() {
    return -kFsrsDefaultWeights[20];
}

double factor() {
    return roundTo8(std::exp(std::log(0.9) / decay()) - 1);
}

double intervalModifier() {
    return roundTo8((std::pow(kDesiredRetention, 1 / decay()) - 1) / factor());
}

double retrievability(std::int64_t elapsedDays, double stability) {
    return roundTo8(std::pow(1 + factor() * static_cast<double>(elapsedDays) / stability, decay()));
}

double initialDifficulty(int grade) {
    const auto& w = kFsrsDefaultWeights;
    return roundTo8(w[4] - std::exp((grade - 1) * w[5]) + 1);
}

double nextDifficulty(double difficulty, int grade) {
    const auto& w = kFsrsDefaultWeights;
    const double delta = -w[6] * (grade - 3);
    const double damped = difficulty + roundTo8(delta * (10 - difficulty) / 9);
    const double reverted = roundTo8(w[7] * initialDifficulty(4) + (1 - w[7]) * damped);
    return clampTo(reverted, 1, 10);
}

FsrsMemory nextMemory(const FsrsMemory& memory, double recall, ReviewGrade grade) {
    const auto& w = kFsrsDefaultWeights;
    const int g = static_cast<int>(grade);
    const double d = memory.difficulty;
    const double s = memory.stability;
    double stability = 0;
    if (grade == ReviewGrade::Again) {
        const double afterFail =
            roundTo8(clampTo(w[11] * std::pow(d, -w[12]) * (std::pow(s + 1, w[13]) - 1) *
                                 std::exp((1 - recall) * w[14]),
                             kMinimumStability, kMaximumStability));
        stability = clampTo(roundTo8(s), kMinimumStability, afterFail);
    } else {
        const double hardPenalty = grade == ReviewGrade::Hard ? w[15] : 1;
        const double easyBonus = grade == ReviewGrade::Easy ? w[16] : 1;
        stability = roundTo8(
            clampTo(s * (1 + std::exp(w[8]) * (11 - d) * std::pow(s, -w[9]) *
                                 (std::exp((1 - recall) * w[10]) - 1) * hardPenalty * easyBonus),
                    kMinimumStability, kMaximumStability));
    }
    return {stability, nextDifficulty(d, g)};
}

std::int64_t utcDay(UnixMillis at) {
    return at >= 0 ? at / kMillisPerDay : -((-at + kMillisPerDay - 1) / kMillisPerDay);
}

// Nothing for a row whose hand no longer reads as one (a file edited by hand).
std::optional<ReviewCard> cardFromRow(const SqliteStatement& row) {
    const std::optional<TileHand> tiles = TileHandFromText(row.text(0));
    if (!tiles) {
        return std::nullopt;
    }
    ReviewCard card;
    SplitStoredTiles(*tiles, card.hand, card.tiles, card.shortHand);
    card.memory = {row.real(1), row.real(2)};
    card.reviews = static_cast<std::int32_t>(row.int64(3));
    card.lapses = static_cast<std::int32_t>(row.int64(4));
    card.lastReview = row.int64(5);
    card.due = row.int64(6);
    return card;
}

constexpr std::string_view kCardColumns =
    "hand, stability, difficulty, reviews, lapses, last_review, due";

}  // namespace

FsrsMemory FsrsFirstMemory(ReviewGrade grade) {
    const int g = static_cast<int>(grade);
    return {std::max(kFsrsDefaultWeights[static_cast<std::size_t>(g - 1)], 0.1),
            clampTo(initialDifficulty(g), 1, 10)};
}

FsrsMemory FsrsNextMemory(const FsrsMemory& memory, std::int64_t elapsedDays, ReviewGrade grade) {
    return nextMemory(memory, retrievability(elapsedDays, memory.stability), grade);
}

std::int64_t FsrsIntervalDays(double stability) {
    const double days = std::max(1.0, std::round(stability * intervalModifier()));
    return static_cast<std::int64_t>(std::min(days, static_cast<double>(kMaximumIntervalDays)));
}

ReviewCard ScheduleReview(const std::optional<ReviewCard>& card, const Hand13& hand,
                          ReviewGrade grade, UnixMillis at) {
    // Every grade is worked out because each interval is kept above those of the lower grades.
    // A hand-edited time is read as the nearest in range: due must not wrap round.
    at = ClampMillis(at);
    std::array<FsrsMemory, 5> memories{};
    if (card) {
        const std::int64_t elapsed =
            std::max<std::int64_t>(0, utcDay(at) - utcDay(ClampMillis(card->lastReview)));
        const double recall = retrievability(elapsed, card->memory.stability);
        for (int g = 1; g <= 4; ++g) {
            memories[static_cast<std::size_t>(g)] =
                nextMemory(card->memory, recall, static_cast<ReviewGrade>(g));
        }
    } else {
        for (int g = 1; g <= 4; ++g) {
            memories[static_cast<std::size_t>(g)] = FsrsFirstMemory(static_cast<ReviewGrade>(g));
        }
    }
    std::array<std::int64_t, 5> intervals{};
    for (std::size_t g = 1; g <= 4; ++g) {
        intervals[g] = FsrsIntervalDays(memories[g].stability);
    }
    intervals[1] = std::min(intervals[1], intervals[2]);
    intervals[2] = std::max(intervals[2], intervals[1] + 1);
    intervals[3] = std::max(intervals[3], intervals[2] + 1);
    intervals[4] = std::max(intervals[4], intervals[3] + 1);

    const auto g = static_cast<std::size_t>(grade);
    ReviewCard next;
    next.hand = hand;
    SortHand(next.hand);
    next.memory = memories[g];
    next.reviews = card ? card->reviews + 1 : 1;
    next.lapses = (card ? card->lapses : 0) + (card && grade == ReviewGrade::Again ? 1 : 0);
    next.lastReview = at;
    next.due = at + intervals[g] * kMillisPerDay;
    return next;
}

CardBook::CardBook(SqliteDatabase& database)
    : m_load(database.reuse("SELECT " + std::string(kCardColumns) + " FROM cards WHERE hand = ?1")),
      m_save(database.reuse("INSERT OR REPLACE INTO cards (" + std::string(kCardColumns) +
                            ") VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)")) {}

std::optional<ReviewCard> CardBook::load(std::string_view handText) {
    m_load->bind(1, handText);
    std::optional<ReviewCard> card;
    if (m_load->step()) {
        card = cardFromRow(*m_load);
    }
    m_load->reset();
    return card;
}

void CardBook::save(const ReviewCard& card) {
    m_save->bind(1, TileDigits(StoredTiles(card.hand, card.tiles, card.shortHand)))
        .bind(2, card.memory.stability)
        .bind(3, card.memory.difficulty)
        .bind(4, std::int64_t{card.reviews})
        .bind(5, std::int64_t{card.lapses})
        .bind(6, card.lastReview)
        .bind(7, card.due);
    m_save->run();
}

void CardBook::grade(const Hand13& sortedHand, bool fullyRight, UnixMillis at) {
    const std::optional<ReviewCard> card = load(HandDigits(sortedHand));
    if (card || !fullyRight) {
        save(ScheduleReview(card, sortedHand, fullyRight ? ReviewGrade::Good : ReviewGrade::Again,
                            at));
    }
}

void CardBook::grade(const AnswerRecord& answer, std::string_view handText) {
    const std::optional<ReviewCard> card = load(handText);
    ReviewGrade grade = ReviewGrade::Again;
    if (answer.fullyRight) {
        grade = answer.hints == 0           ? ReviewGrade::Good
                : answer.hints < kHintCount ? ReviewGrade::Hard
                                            : ReviewGrade::Again;
    }
    if (!card && grade == ReviewGrade::Good) {
        return;
    }
    ReviewCard next = ScheduleReview(card, answer.hand, grade, answer.answeredAt);
    next.tiles = answer.tiles;
    next.shortHand = answer.shortHand;
    save(next);
}

DueCardsOutcome DueCards(RecordsStore& store, UnixMillis now, int limit) {
    return Guarded<DueCardsOutcome>([&](DueCardsOutcome& outcome) {
        // No LIMIT: an unreadable card must not stand in for a good one behind it.
        SqliteStatement query =
            store.database().prepare("SELECT " + std::string(kCardColumns) +
                                     " FROM cards WHERE due <= ?1 ORDER BY due, hand");
        query.bind(1, now);
        const auto wanted = static_cast<std::size_t>(std::max(limit, 0));
        while (outcome.cards.size() < wanted && query.step()) {
            if (std::optional<ReviewCard> card = cardFromRow(query)) {
                outcome.cards.push_back(*card);
            }
        }
    });
}

DueCountOutcome DueCount(RecordsStore& store, UnixMillis now) {
    return Guarded<DueCountOutcome>([&](DueCountOutcome& outcome) {
        // Counted as DueCards reads them, so the count never names a card that cannot be dealt.
        SqliteStatement query = store.database().prepare("SELECT hand FROM cards WHERE due <= ?1");
        query.bind(1, now);
        outcome.count = 0;
        while (query.step()) {
            outcome.count += TileHandFromText(query.text(0)) ? 1 : 0;
        }
    });
}

CardOutcome CardFor(RecordsStore& store, const Hand13& sortedHand) {
    return Guarded<CardOutcome>([&](CardOutcome& outcome) {
        outcome.card = CardBook(store.database()).load(HandDigits(sortedHand));
    });
}

}  // namespace zelkon
