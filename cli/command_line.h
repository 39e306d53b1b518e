// The command line of zelkon-cli, checked whole before anything is printed.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/hints.h"
#include "analysis/shape_family.h"
#include "analysis/vocabulary.h"
#include "dealing/band_dealer.h"
#include "hand_notation.h"

namespace zelkon {

enum class CommandKind {
    Help,
    Version,
    Waits,
    Readings,
    Table,
    Deal,
    Explain,
    Stats,
    Families,
    Hint
};

// The numbers a player picked, as the window takes them; index 0 unused.
using Picks = std::array<bool, kNumberSlots>;

struct Command {
    CommandKind kind = CommandKind::Help;
    std::vector<HandNotation> hands;         // waits: one or more; readings: one of 14 tiles
    TileNumber winningTile = 0;              // readings only
    std::optional<unsigned> seed;            // deal only; nothing means the time of day
    int count = 1;                           // deal only
    bool tsv = false;                        // explain and hint: lines for tools
    std::optional<Picks> picks;              // explain only: marks as the window gives them
    std::optional<std::string> recordsPath;  // stats only; nothing means the default file
    std::optional<WaitBand> band;            // deal only; nothing means plain dealing
    int tiles = 13;                          // table and deal: 4, 7, 10 or 13
    std::optional<FamilyIndex> family;       // deal only; nothing means every family
    int hintLevel = kHintCount;              // hint only: the hints shown, 1 to 6
    Language language = Language::Japanese;  // names in the reports for people
};

// args are the arguments after the program name; --lang may stand anywhere but as another
// option's value. On a fault returns false and sets error to one
// line naming the argument and the fault; command is then unusable.
bool parseCommandLine(std::span<const std::string_view> args, Command& command, std::string& error);

}  // namespace zelkon
