#include "statistics.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "record_rows.h"
#include "records_store.h"

namespace zelkon {

namespace {

constexpr std::int64_t kMillisPerDay = 86'400'000;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0);
}

std::string percent(std::int64_t part, std::int64_t whole) {
    if (whole == 0) {
        return "-";
    }
    char text[16];
    std::snprintf(text, sizeof text, "%.1f%%",
                  100.0 * static_cast<double>(part) / static_cast<double>(whole));
    return text;
}

std::string dateText(std::int64_t day) {
    const std::chrono::year_month_day date{std::chrono::sys_days{std::chrono::days{day}}};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

std::string timeText(UnixMillis at, std::int32_t utcOffsetSeconds) {
    const std::int64_t local = at + std::int64_t{utcOffsetSeconds} * 1000;
    const std::int64_t day = floorDiv(local, kMillisPerDay);
    const std::int64_t second = (local - day * kMillisPerDay) / 1000;
    char text[16];
    std::snprintf(text, sizeof text, " %02d:%02d", static_cast<int>(second / 3600),
                  static_cast<int>(second / 60 % 60));
    return dateText(day) + text;
}

std::string numbersText(NumberSet set) {
    std::string text;
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        if ((set & NumberBit(n)) != 0) {
            text += text.empty() ? "" : " ";
            text += static_cast<char>('0' + n);
        }
    }
    return text.empty() ? "-" : text;
}

}  // namespace

StatisticsOutcome ComputeStatistics(RecordsStore& store, UnixMillis now,
                                    std::int32_t utcOffsetSeconds) {
    return Guarded<StatisticsOutcome>([&](StatisticsOutcome& outcome) {
        Statistics& figures = outcome.figures;
        SqliteDatabase& database = store.database();
        // One snapshot, so that another window's answer cannot land between the two queries.
        SqliteTransaction snapshot(database, SqliteTransaction::Kind::Read);

        const std::int64_t offset = std::int64_t{utcOffsetSeconds} * 1000;
        const std::int64_t today = floorDiv(now + offset, kMillisPerDay);
        const std::int64_t firstDay = today - (kStatisticsDays - 1);
        for (int i = 0; i < kStatisticsDays; ++i) {
            figures.days[static_cast<std::size_t>(i)].day = firstDay + i;
        }

        std::vector<double> seconds;
        SqliteStatement rows = database.prepare(
            "SELECT answered_at, wait_count, picks, fully_right AND hints = 0, seconds, two_sided, "
            "edge, closed, dual_pair, single, hints, family FROM answers");
        while (rows.step()) {
            const bool right = rows.int64(3) != 0;
            ++figures.problems;
            figures.hinted += rows.int64(10) > 0 ? 1 : 0;
            if (const FamilyIndex family = FamilyFromWord(rows.text(11)); family != kNoFamily) {
                ProblemFigure& byFamily = figures.byFamily[static_cast<std::size_t>(family)];
                ++byFamily.problems;
                byFamily.fullyRight += right ? 1 : 0;
            }
            figures.fullyRight += right ? 1 : 0;
            const std::int64_t waits = std::clamp<std::int64_t>(rows.int64(1), 0, 9);
            ProblemFigure& byWaits = figures.byWaits[static_cast<std::size_t>(waits)];
            ++byWaits.problems;
            byWaits.fullyRight += right ? 1 : 0;
            AddShapeTallies(figures.byShape, NumberSetFromText(rows.text(2)), rows, 5);
            const std::int64_t day = floorDiv(rows.int64(0) + offset, kMillisPerDay);
            if (day >= firstDay && day <= today) {
                DayFigure& figure = figures.days[static_cast<std::size_t>(day - firstDay)];
                ++figure.problems;
                figure.fullyRight += right ? 1 : 0;
            }
            seconds.push_back(rows.real(4));
        }
        if (!seconds.empty()) {
            const std::size_t middle = seconds.size() / 2;
            std::nth_element(seconds.begin(), seconds.begin() + static_cast<std::ptrdiff_t>(middle),
                             seconds.end());
            double median = seconds[middle];
            if (seconds.size() % 2 == 0) {
                median = (median + *std::max_element(
                                       seconds.begin(),
                                       seconds.begin() + static_cast<std::ptrdiff_t>(middle))) /
                         2;
            }
            figures.medianSeconds = median;
        }

        SqliteStatement mistakes = database.prepare(
            "SELECT answered_at, hand, suit, picks, waits FROM answers WHERE fully_right = 0 "
            "ORDER BY answered_at DESC, id DESC LIMIT ?1");
        mistakes.bind(1, std::int64_t{kLatestMistakes});
        while (mistakes.step()) {
            // A hand edited into something unreadable cannot be shown or dealt again.
            const std::optional<Hand13> hand = HandFromText(mistakes.text(1));
            if (!hand) {
                continue;
            }
            Mistake mistake;
            mistake.answeredAt = mistakes.int64(0);
            mistake.hand = *hand;
            mistake.suit = SuitFromLetter(mistakes.text(2));
            mistake.picks = NumberSetFromText(mistakes.text(3));
            mistake.waits = NumberSetFromText(mistakes.text(4));
            figures.latestMistakes.push_back(mistake);
        }
        snapshot.commit();
    });
}

std::string FormatStatistics(const Statistics& figures, std::int32_t utcOffsetSeconds) {
    std::string text = "problems: " + std::to_string(figures.problems) +
                       "  fully right: " + std::to_string(figures.fullyRight) + " (" +
                       percent(figures.fullyRight, figures.problems) + ")\n";
    text += "median seconds per problem: ";
    if (figures.medianSeconds) {
        char median[32];
        std::snprintf(median, sizeof median, "%.1f", *figures.medianSeconds);
        text += median;
    } else {
        text += "-";
    }
    text += "\n\nfully right by number of waits:\n";
    for (std::size_t k = 1; k < figures.byWaits.size(); ++k) {
        const ProblemFigure& figure = figures.byWaits[k];
        char line[64];
        std::snprintf(line, sizeof line, "  %zu  %6lld / %-6lld ", k,
                      static_cast<long long>(figure.fullyRight),
                      static_cast<long long>(figure.problems));
        text += line + percent(figure.fullyRight, figure.problems) + "\n";
    }
    text += "\nmissed waits by wait shape:\n";
    for (std::size_t s = 0; s < figures.byShape.size(); ++s) {
        const ShapeFigure& figure = figures.byShape[s];
        char line[64];
        std::snprintf(line, sizeof line, "  %s  %6lld / %-6lld ",
                      WaitShapeName(static_cast<WaitShape>(s)),
                      static_cast<long long>(figure.missed), static_cast<long long>(figure.seen));
        text += line + percent(figure.missed, figure.seen) + "\n";
    }
    text += "\nfully right by family (without hints):\n";
    for (std::size_t f = 0; f < figures.byFamily.size(); ++f) {
        const ProblemFigure& figure = figures.byFamily[f];
        char line[96];
        std::snprintf(line, sizeof line, "  %-16s  %6lld / %-6lld ", kShapeFamilies[f].id,
                      static_cast<long long>(figure.fullyRight),
                      static_cast<long long>(figure.problems));
        text += line + percent(figure.fullyRight, figure.problems) + "\n";
    }
    text += "\nhints used: " + std::to_string(figures.hinted) + " of " +
            std::to_string(figures.problems) + " answers (" +
            percent(figures.hinted, figures.problems) + ")\n";
    text += "\nlast 30 days (problems, fully right):\n";
    for (const DayFigure& day : figures.days) {
        char line[64];
        std::snprintf(line, sizeof line, "  %s  %6lld  %6lld  ", dateText(day.day).c_str(),
                      static_cast<long long>(day.problems), static_cast<long long>(day.fullyRight));
        text += line + percent(day.fullyRight, day.problems) + "\n";
    }
    text += "\nlatest mistakes:\n";
    if (figures.latestMistakes.empty()) {
        text += "  none\n";
    }
    for (const Mistake& mistake : figures.latestMistakes) {
        text += "  " + timeText(mistake.answeredAt, utcOffsetSeconds) + "  " +
                std::string(SpellHand(mistake.hand, mistake.suit).view()) + "  picked " +
                numbersText(mistake.picks) + "  waits " + numbersText(mistake.waits) + "\n";
    }
    return text;
}

std::int32_t LocalUtcOffsetSeconds(UnixMillis at) {
    const std::time_t seconds = static_cast<std::time_t>(floorDiv(at, 1000));
    std::tm local{};
    if (localtime_r(&seconds, &local) == nullptr) {
        return 0;
    }
    return static_cast<std::int32_t>(local.tm_gmtoff);
}

}  // namespace zelkon
