// The figures behind the statistics window and `zelkon-cli stats`, in one read of the records.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <queue>

#include "analysis/decomposition.h"
#include "analysis/shape_family.h"
#include "analysis/wait_shapes.h"
#include "answer_record.h"
#include "records_status.h"

namespace zelkon {

class RecordsStore;

inline constexpr int kStatisticsDays = 30;
inline constexpr int kLatestMistakes = 20;

struct ProblemFigure {
    std::int64_t problems = 0;
    std::int64_t fullyRight = 0;
};

// A wait counts once for every shape that reaches it.
struct ShapeFigure {
    std::int64_t seen = 0;    // waits reached by the shape
    std::int64_t missed = 0;  // of those, not picked
};

struct DayFigure {
    std::int64_t day = 0;  // local days since 1970-01-01 (QDate(1970, 1, 1).addDays(day))
    std::int64_t problems = 0;
    std::int64_t fullyRight = 0;
};

struct Mistake {
    UnixMillis answeredAt = 0;
    Hand13 hand{};  // ascending; a short hand's mistake keeps its tiles in shortHand instead
    SuitKind suit = kSuitManzu;
    NumberSet picks = 0;
    NumberSet waits = 0;
    std::int32_t tiles = 13;
    TileHand shortHand{};
};

// Fully right counts only answers given without a hint.
struct Statistics {
    std::int64_t problems = 0;
    std::int64_t fullyRight = 0;
    std::int64_t hinted = 0;  // answers given after one hint or more
    // byFamily[f]: answers whose family column is family f.
    std::array<ProblemFigure, kFamilyCount> byFamily{};
    // byWaits[k]: problems with k waits (1..9) and how many were fully right; [0] is hands with
    // no wait (entered ones), which the window leaves out.
    std::array<ProblemFigure, 10> byWaits{};
    std::array<ShapeFigure, kWaitShapeCount> byShape{};
    // The last 30 local days, oldest first, today last; days without answers hold zeros.
    std::array<DayFigure, kStatisticsDays> days{};
    std::optional<double> medianSeconds;  // nothing when there are no records
    std::vector<Mistake> latestMistakes;  // newest first, at most kLatestMistakes
    // Answers whose time lies outside kEarliestMillis..kLatestMillis (a hand-edited file): read
    // as the nearest time inside. firstRowOutOfRange is the answers.id of the first, or 0.
    std::int64_t timesOutOfRange = 0;
    std::int64_t firstRowOutOfRange = 0;
};

struct StatisticsOutcome {
    Statistics figures;
    RecordsStatus status;
};

// The figures of every answer up to a row and the due times of the cards, kept by a caller that
// asks again after each answer: an update reads only the rows added since (by any window), where
// counting 1,000,000 answers takes a second. Reads only.
class RecordsTally {
public:
    // Adds the answers written since the last update, and the cards of their hands. The first
    // update reads every answer, in short read transactions, so that another window's commit
    // never waits long behind it. On a failure the tally stays as it was.
    RecordsStatus update(RecordsStore& store);

    std::int64_t lastRow() const { return m_lastRow; }
    const std::array<ShapeFigure, kWaitShapeCount>& byShape() const { return m_figures.byShape; }
    const std::array<ProblemFigure, kFamilyCount>& byFamily() const { return m_figures.byFamily; }
    // Cards due at now (those whose hand reads as one), as of the last update.
    std::int64_t dueCount(UnixMillis now) const;

    // The figures as of the last update: now and utcOffsetSeconds (the local zone's offset at
    // now, east positive) fix which days are the last 30; the latest mistakes are read from
    // the store (an indexed query of a few rows).
    StatisticsOutcome figures(RecordsStore& store, UnixMillis now,
                              std::int32_t utcOffsetSeconds) const;

private:
    void add(std::int64_t row, UnixMillis at, std::int64_t waits, bool right, double seconds);
    void setDue(std::string_view hand, UnixMillis due);

    Statistics m_figures;  // days, median and mistakes are worked out by figures()
    std::int64_t m_lastRow = 0;
    // Answers per UTC quarter of an hour: every zone in use is a whole number of them from UTC.
    std::map<std::int64_t, DayFigure> m_quarters;
    // The last 30 days as figures() last counted them from the quarters, and kept up by add():
    // counting them again walks some 3,000 quarters at every answer. Valid for one zone offset
    // and first day; figures() counts afresh for any other.
    struct CountedDays {
        bool valid = false;
        std::int64_t firstDay = 0;
        std::int64_t offsetMillis = 0;
        std::array<DayFigure, kStatisticsDays> days{};
    };
    mutable CountedDays m_counted;
    // The two halves of the seconds, for an exact median without keeping them sorted.
    std::priority_queue<double> m_lower;
    std::priority_queue<double, std::vector<double>, std::greater<>> m_upper;
    std::vector<UnixMillis> m_dues;
    std::unordered_map<std::string, std::size_t> m_dueSlot;  // hand -> index into m_dues
    bool m_cardsRead = false;
    std::set<std::string> m_pendingHands;  // answered since the cards were read: read again
};

// answers.id of the last answer (0 for none), nothing when it cannot be read: how long a first
// count will take.
std::optional<std::int64_t> LastAnswerRow(RecordsStore& store);

// One tally, read at once. Reads only.
StatisticsOutcome ComputeStatistics(RecordsStore& store, UnixMillis now,
                                    std::int32_t utcOffsetSeconds);

// The figures as the command line prints them, times in the zone of utcOffsetSeconds, lines
// ending in '\n'; wait shapes named in language.
std::string FormatStatistics(const Statistics& figures, std::int32_t utcOffsetSeconds,
                             Language language = Language::Japanese);

// The offset from UTC of the process's local zone (TZ) at the given time, east positive.
std::int32_t LocalUtcOffsetSeconds(UnixMillis at);

}  // namespace zelkon
