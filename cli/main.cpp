// zelkon-cli: the waits, readings and deals of single-suit hands from the command line.
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/hand_space.h"
#include "analysis/wait_finder.h"
#include "block_writer.h"
#include "command_line.h"
#include "dealing/band_dealer.h"
#include "dealing/complete_hand_generator.h"
#include "dealing/family_dealer.h"
#include "dealing/problem_dealer.h"
#include "dealing/random_source.h"
#include "dealing/short_dealer.h"
#include "explain_report.h"
#include "hand_notation.h"
#include "hint_report.h"
#include "records/records_store.h"
#include "records/statistics.h"
#include "report.h"

namespace {

using zelkon::BlockWriter;
using zelkon::Command;
using zelkon::CommandKind;

// Large enough that the 93,600 lines go out in a few dozen writes.
BlockWriter output(stdout);

// Every hand of N tiles, ascending, with its waits.
template <std::size_t N>
void runShortTable() {
    zelkon::HandSpace<N> space;
    std::array<zelkon::TileNumber, N> tiles{};
    while (!output.failed() && space.Next(tiles)) {
        zelkon::TileHand hand;
        std::copy(tiles.begin(), tiles.end(), hand.tiles.begin());
        hand.count = static_cast<std::int32_t>(N);
        zelkon::TileCounts counts{};
        zelkon::CountTiles(hand, counts);
        output.commit(zelkon::appendShortTableLine(output.reserve(zelkon::kFixedLineCapacity), hand,
                                                   zelkon::WaitsOfCounts(counts)));
    }
}

void runTable(const Command& command) {
    switch (command.tiles) {
        case 4:
            runShortTable<4>();
            return;
        case 7:
            runShortTable<7>();
            return;
        case 10:
            runShortTable<10>();
            return;
        default:
            break;
    }
    zelkon::HandSpace<13> space;
    zelkon::Hand13 hand{};
    zelkon::Problem problem{};
    while (!output.failed() && space.Next(hand)) {
        zelkon::FindWaits(hand, problem);
        output.commit(
            zelkon::appendTableLine(output.reserve(zelkon::kFixedLineCapacity), hand, problem));
    }
}

void runDeal(const Command& command) {
    unsigned seed = 0;
    if (command.seed) {
        seed = *command.seed;
    } else {
        seed = static_cast<unsigned>(std::time(nullptr));
        // The worksheet can be dealt again only with its seed.
        std::fprintf(stderr, "zelkon-cli: seed %u\n", seed);
    }
    zelkon::SeedDraws(seed);
    zelkon::Problem problem{};
    zelkon::ShortProblem shortProblem{};
    // A failed write ends the run: a huge count would otherwise go on for hours.
    for (int i = 0; i < command.count && !output.failed(); ++i) {
        zelkon::TileHand hand;
        if (command.family) {
            zelkon::DealFamilyHand(*command.family, command.tiles, hand);
        } else if (command.tiles < 13) {
            zelkon::BuildShortCompleteHand(command.tiles, hand);
        }
        if (command.tiles < 13) {
            zelkon::FillShortProblem(hand, shortProblem);
            output.commit(zelkon::appendShortDealLine(output.reserve(zelkon::kFixedLineCapacity),
                                                      shortProblem));
            continue;
        }
        if (command.family) {
            zelkon::Hand13 tiles{};
            std::copy_n(hand.tiles.begin(), tiles.size(), tiles.begin());
            zelkon::FillProblem(tiles, problem);
        } else if (command.band) {
            zelkon::DealProblemInBand(problem, *command.band);
        } else {
            zelkon::DealProblem(problem);
        }
        output.commit(zelkon::appendDealLine(output.reserve(zelkon::kFixedLineCapacity), problem));
    }
}

void runExplain(const Command& command) {
    if (!command.tsv) {
        output.write(zelkon::explainReport(command.hands[0], command.picks, command.language));
        return;
    }
    static zelkon::HandExplanation explanation;
    for (const zelkon::HandNotation& hand : command.hands) {
        zelkon::ExplainTiles(hand.tileHand(), explanation);
        output.commit(
            zelkon::appendExplainLines(output.reserve(zelkon::kExplainLinesCapacity), explanation));
    }
}

// The exit status of stats: 1 when the records cannot be read.
int statsStatus = 0;

// The message names the file, whose path may hold anything: printed escaped, and within one
// line of a few hundred characters (its middle cut), so that the reason at its end still shows.
void statsFault(const std::string& message) {
    constexpr std::size_t kPart = 160;
    std::string safe;
    if (message.size() <= 2 * kPart) {
        safe = zelkon::escapeText(message, message.size());
    } else {
        safe = zelkon::escapeText(message.substr(0, kPart), kPart) + "…[" +
               std::to_string(message.size()) + " bytes]…" +
               zelkon::escapeText(message.substr(message.size() - kPart), kPart);
    }
    std::fprintf(stderr, "zelkon-cli: stats: %s\n", safe.c_str());
}

int runStats(const Command& command) {
    std::optional<std::filesystem::path> path;
    if (command.recordsPath) {
        path = std::filesystem::path(*command.recordsPath);
    } else {
        path = zelkon::DefaultRecordsPath();
    }
    if (!path) {
        std::fprintf(stderr,
                     "zelkon-cli: stats: no records file: neither XDG_DATA_HOME nor HOME "
                     "is set; give --records FILE\n");
        return 1;
    }
    zelkon::OpenedRecords opened = zelkon::RecordsStore::open(*path, zelkon::OpenMode::ReadOnly);
    if (!opened.status.ok()) {
        statsFault(opened.status.message);
        return 1;
    }
    const zelkon::UnixMillis now = zelkon::NowUnixMillis();
    const std::int32_t offset = zelkon::LocalUtcOffsetSeconds(now);
    const zelkon::StatisticsOutcome outcome = zelkon::ComputeStatistics(*opened.store, now, offset);
    if (!outcome.status.ok()) {
        statsFault(outcome.status.message);
        return 1;
    }
    output.write(zelkon::FormatStatistics(outcome.figures, offset, command.language));
    return 0;
}

void run(const Command& command) {
    switch (command.kind) {
        case CommandKind::Help:
            output.write(zelkon::helpText());
            break;
        case CommandKind::Version:
            output.write(zelkon::versionText());
            break;
        case CommandKind::Waits:
            for (std::size_t i = 0; i < command.hands.size(); ++i) {
                if (i > 0) {
                    output.write("\n");
                }
                output.write(zelkon::waitsReport(command.hands[i], command.language));
            }
            break;
        case CommandKind::Readings:
            output.write(
                zelkon::readingsReport(command.hands[0], command.winningTile, command.language));
            break;
        case CommandKind::Table:
            runTable(command);
            break;
        case CommandKind::Families:
            output.write(zelkon::familiesText());
            break;
        case CommandKind::Hint:
            if (!command.tsv) {
                output.write(
                    zelkon::hintReport(command.hands[0], command.hintLevel, command.language));
                break;
            }
            for (const zelkon::HandNotation& hand : command.hands) {
                output.write(zelkon::hintLines(hand));
            }
            break;
        case CommandKind::Deal:
            runDeal(command);
            break;
        case CommandKind::Explain:
            runExplain(command);
            break;
        case CommandKind::Stats:
            statsStatus = runStats(command);
            break;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    Command command;
    std::string error;
    if (!zelkon::parseCommandLine(args, command, error)) {
        std::fprintf(stderr, "zelkon-cli: %s\n", error.c_str());
        return 2;
    }
    run(command);
    if (!output.finish()) {
        const int cause = output.error() != 0 ? output.error() : errno;
        std::fprintf(stderr, "zelkon-cli: cannot write the output: %s\n", std::strerror(cause));
        return 1;
    }
    return statsStatus;
}
