// The figures behind the statistics window and `zelkon-cli stats`, in one read of the records.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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
    Hand13 hand{};  // ascending
    SuitKind suit = kSuitManzu;
    NumberSet picks = 0;
    NumberSet waits = 0;
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
};

struct StatisticsOutcome {
    Statistics figures;
    RecordsStatus status;
};

// now and utcOffsetSeconds (the local zone's offset at now, east positive) fix which days are the
// last 30. Reads only.
StatisticsOutcome ComputeStatistics(RecordsStore& store, UnixMillis now,
                                    std::int32_t utcOffsetSeconds);

// The figures as the command line prints them, times in the zone of utcOffsetSeconds, lines
// ending in '\n'.
std::string FormatStatistics(const Statistics& figures, std::int32_t utcOffsetSeconds);

// The offset from UTC of the process's local zone (TZ) at the given time, east positive.
std::int32_t LocalUtcOffsetSeconds(UnixMillis at);

}  // namespace zelkon
