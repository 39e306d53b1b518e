#include "statistics.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "record_rows.h"
#include "records_store.h"

namespace zelkon {

namespace {

constexpr std::int64_t kMillisPerDay = 86'400'000;
constexpr std::int64_t kMillisPerQuarter = 900'000;
constexpr UnixMillis kNeverDue = kLatestMillis;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0);
}

// The place of the local day of `at` among the days from firstDay on: one rule for the 30 days
// counted afresh and for those kept up answer by answer.
std::int64_t LocalDayIndex(UnixMillis at, std::int64_t offsetMillis, std::int64_t firstDay) {
    return floorDiv(at + offsetMillis, kMillisPerDay) - firstDay;
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
    const std::int64_t local = ClampMillis(at) + std::int64_t{utcOffsetSeconds} * 1000;
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

RecordsStatus RecordsTally::update(RecordsStore& store) {
    return GuardedStatus([&] {
        SqliteDatabase& database = store.database();
        ReusedStatement rows = database.reuse(
            "SELECT id, answered_at, wait_count, picks, fully_right AND hints = 0, seconds, hand, "
            "two_sided, edge, closed, dual_pair, single, hints, family FROM answers WHERE id > ?1 "
            "ORDER BY id LIMIT ?2");
        // Each read of at most this many rows is a transaction of its own (some 20 ms): a
        // writer waits for one at most, never for the whole count.
        constexpr std::int64_t kRowsPerRead = 20'000;
        std::int64_t read = kRowsPerRead;
        while (read == kRowsPerRead) {
            read = 0;
            rows->bind(1, m_lastRow).bind(2, kRowsPerRead);
            while (rows->step()) {
                ++read;
                const NumberSet picks = NumberSetFromText(rows->text(3));
                add(rows->int64(0), rows->int64(1), rows->int64(2), rows->int64(4) != 0,
                    rows->real(5));
                AddShapeTallies(m_figures.byShape, picks, *rows, 7);
                // A hinted answer is not fully right, by family as everywhere.
                m_figures.hinted += rows->int64(12) > 0 ? 1 : 0;
                if (const FamilyIndex family = FamilyFromWord(rows->text(13));
                    family != kNoFamily) {
                    ProblemFigure& byFamily = m_figures.byFamily[static_cast<std::size_t>(family)];
                    ++byFamily.problems;
                    byFamily.fullyRight += rows->int64(4) != 0 ? 1 : 0;
                }
                if (m_cardsRead) {
                    m_pendingHands.insert(std::string(rows->text(6)));
                }
                m_lastRow = rows->int64(0);
            }
            rows->reset();
        }

        if (!m_cardsRead) {
            SqliteStatement cards = database.prepare("SELECT hand, due FROM cards");
            while (cards.step()) {
                setDue(cards.text(0), cards.int64(1));
            }
            m_cardsRead = true;
            m_pendingHands.clear();
        }
        ReusedStatement card = database.reuse("SELECT due FROM cards WHERE hand = ?1");
        while (!m_pendingHands.empty()) {
            const std::string hand = *m_pendingHands.begin();
            card->bind(1, std::string_view(hand));
            setDue(hand, card->step() ? card->int64(0) : kNeverDue);
            card->reset();
            m_pendingHands.erase(m_pendingHands.begin());
        }
    });
}

void RecordsTally::setDue(std::string_view hand, UnixMillis due) {
    // Counted as DueCards reads them, so the count never names a card that cannot be dealt.
    if (!TileHandFromText(hand)) {
        return;
    }
    const auto [slot, added] = m_dueSlot.try_emplace(std::string(hand), m_dues.size());
    if (added) {
        m_dues.push_back(due);
    } else {
        m_dues[slot->second] = due;
    }
}

void RecordsTally::add(std::int64_t row, UnixMillis at, std::int64_t waits, bool right,
                       double seconds) {
    Statistics& figures = m_figures;
    ++figures.problems;
    figures.fullyRight += right ? 1 : 0;
    ProblemFigure& byWaits =
        figures.byWaits[static_cast<std::size_t>(std::clamp<std::int64_t>(waits, 0, 9))];
    ++byWaits.problems;
    byWaits.fullyRight += right ? 1 : 0;
    if (at != ClampMillis(at)) {
        if (figures.timesOutOfRange++ == 0) {
            figures.firstRowOutOfRange = row;
        }
        at = ClampMillis(at);
    }
    const std::int64_t quarterIndex = floorDiv(at, kMillisPerQuarter);
    DayFigure& quarter = m_quarters[quarterIndex];
    ++quarter.problems;
    quarter.fullyRight += right ? 1 : 0;
    if (m_counted.valid) {
        const std::int64_t day = LocalDayIndex(quarterIndex * kMillisPerQuarter,
                                               m_counted.offsetMillis, m_counted.firstDay);
        if (day >= 0 && day < kStatisticsDays) {
            DayFigure& counted = m_counted.days[static_cast<std::size_t>(day)];
            ++counted.problems;
            counted.fullyRight += right ? 1 : 0;
        }
    }
    // A hand-edited NaN has no place in an order; it is left out of the median alone.
    if (std::isfinite(seconds)) {
        if (m_lower.empty() || seconds <= m_lower.top()) {
            m_lower.push(seconds);
        } else {
            m_upper.push(seconds);
        }
        if (m_lower.size() > m_upper.size() + 1) {
            m_upper.push(m_lower.top());
            m_lower.pop();
        } else if (m_upper.size() > m_lower.size()) {
            m_lower.push(m_upper.top());
            m_upper.pop();
        }
    }
}

std::int64_t RecordsTally::dueCount(UnixMillis now) const {
    return std::count_if(m_dues.begin(), m_dues.end(),
                         [now](UnixMillis due) { return due <= now; });
}

StatisticsOutcome RecordsTally::figures(RecordsStore& store, UnixMillis now,
                                        std::int32_t utcOffsetSeconds) const {
    return Guarded<StatisticsOutcome>([&](StatisticsOutcome& outcome) {
        Statistics& figures = outcome.figures;
        figures = m_figures;
        const std::int64_t offset = std::int64_t{utcOffsetSeconds} * 1000;
        const std::int64_t today = floorDiv(ClampMillis(now) + offset, kMillisPerDay);
        const std::int64_t firstDay = today - (kStatisticsDays - 1);
        for (int i = 0; i < kStatisticsDays; ++i) {
            figures.days[static_cast<std::size_t>(i)].day = firstDay + i;
        }
        const auto count = [&](UnixMillis at, std::int64_t problems, std::int64_t fullyRight) {
            const std::int64_t day = LocalDayIndex(at, offset, firstDay);
            if (day >= 0 && day < kStatisticsDays) {
                DayFigure& figure = figures.days[static_cast<std::size_t>(day)];
                figure.problems += problems;
                figure.fullyRight += fullyRight;
            }
        };
        const UnixMillis from = firstDay * kMillisPerDay - offset;
        const UnixMillis to = (today + 1) * kMillisPerDay - offset;
        if (offset % kMillisPerQuarter == 0) {
            if (!m_counted.valid || m_counted.firstDay != firstDay ||
                m_counted.offsetMillis != offset) {
                for (auto quarter = m_quarters.lower_bound(floorDiv(from, kMillisPerQuarter));
                     quarter != m_quarters.end() && quarter->first * kMillisPerQuarter < to;
                     ++quarter) {
                    count(quarter->first * kMillisPerQuarter, quarter->second.problems,
                          quarter->second.fullyRight);
                }
                m_counted = CountedDays{true, firstDay, offset, figures.days};
            } else {
                figures.days = m_counted.days;
            }
        } else {
            // A zone off the quarter hours (none in use today): the 30 days' rows themselves.
            SqliteStatement rows = store.database().prepare(
                "SELECT answered_at, fully_right AND hints = 0 FROM answers WHERE answered_at >= "
                "?1 AND "
                "answered_at < ?2 AND id <= ?3");
            rows.bind(1, from).bind(2, to).bind(3, m_lastRow);
            while (rows.step()) {
                count(rows.int64(0), 1, rows.int64(1) != 0 ? 1 : 0);
            }
        }
        if (!m_lower.empty()) {
            figures.medianSeconds = m_lower.size() > m_upper.size()
                                        ? m_lower.top()
                                        : (m_lower.top() + m_upper.top()) / 2;
        }

        // The rows counted, not those written since: the figures stay one snapshot.
        ReusedStatement mistakes = store.database().reuse(
            "SELECT answered_at, hand, suit, picks, waits FROM answers WHERE fully_right = 0 "
            "AND id <= ?2 ORDER BY answered_at DESC, id DESC LIMIT ?1");
        mistakes->bind(1, std::int64_t{kLatestMistakes}).bind(2, m_lastRow);
        while (mistakes->step()) {
            // A hand edited into something unreadable cannot be shown or dealt again.
            const std::optional<TileHand> hand = TileHandFromText(mistakes->text(1));
            if (!hand) {
                continue;
            }
            Mistake mistake;
            mistake.answeredAt = ClampMillis(mistakes->int64(0));
            SplitStoredTiles(*hand, mistake.hand, mistake.tiles, mistake.shortHand);
            mistake.suit = SuitFromLetter(mistakes->text(2));
            mistake.picks = NumberSetFromText(mistakes->text(3));
            mistake.waits = NumberSetFromText(mistakes->text(4));
            figures.latestMistakes.push_back(mistake);
        }
    });
}

std::optional<std::int64_t> LastAnswerRow(RecordsStore& store) {
    struct Outcome {
        std::int64_t row = -1;
        RecordsStatus status;
    };
    const Outcome outcome = Guarded<Outcome>([&](Outcome& read) {
        read.row = store.database().queryInt64("SELECT coalesce(max(id), 0) FROM answers");
    });
    return outcome.status.ok() ? std::optional<std::int64_t>(outcome.row) : std::nullopt;
}

StatisticsOutcome ComputeStatistics(RecordsStore& store, UnixMillis now,
                                    std::int32_t utcOffsetSeconds) {
    RecordsTally tally;
    if (RecordsStatus status = tally.update(store); !status.ok()) {
        return {Statistics{}, std::move(status)};
    }
    return tally.figures(store, now, utcOffsetSeconds);
}

std::string FormatStatistics(const Statistics& figures, std::int32_t utcOffsetSeconds,
                             Language language) {
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
        // Romanised names differ in length; the Japanese ones are all two wide characters.
        std::snprintf(line, sizeof line, "  %-*s  %6lld / %-6lld ",
                      language == Language::English ? 7 : 0,
                      WaitShapeName(static_cast<WaitShape>(s), language),
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
    if (figures.timesOutOfRange > 0) {
        text += "\nnote: " + std::to_string(figures.timesOutOfRange) +
                " answer(s) with a time outside the years 1-9999, the first in answers row " +
                std::to_string(figures.firstRowOutOfRange) +
                "; counted at the nearest time inside\n";
    }
    text += "\nlatest mistakes:\n";
    if (figures.latestMistakes.empty()) {
        text += "  none\n";
    }
    for (const Mistake& mistake : figures.latestMistakes) {
        text += "  " + timeText(mistake.answeredAt, utcOffsetSeconds) + "  " +
                std::string(SpellHand(StoredTiles(mistake.hand, mistake.tiles, mistake.shortHand),
                                      mistake.suit)
                                .view()) +
                "  picked " + numbersText(mistake.picks) + "  waits " + numbersText(mistake.waits) +
                "\n";
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
