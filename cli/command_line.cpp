#include "command_line.h"

#include <climits>
#include <cstdint>

#include "dealing/family_dealer.h"

namespace zelkon {

namespace {

constexpr std::string_view kTryHelp = "; try zelkon-cli --help";

// Appended piece by piece: GCC 12 misreads "literal" + std::string&& as an overlapping copy.
std::string quoted(std::string_view text) {
    std::string out = "\"";
    out += escapeText(text);
    out += '"';
    return out;
}

// Plain decimal digits only: no sign, no spaces, nothing after them.
bool parseWhole(std::string_view text, std::uint64_t highest, std::uint64_t& value) {
    if (text.empty() || text.size() > 20) {
        return false;
    }
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > highest) {
            return false;
        }
    }
    return true;
}

bool looksLikeOption(std::string_view arg) {
    return arg.size() > 1 && arg[0] == '-';
}

bool parseNothingMore(std::string_view name, std::span<const std::string_view> rest,
                      std::string& error) {
    if (!rest.empty()) {
        error = std::string(name) + " takes no arguments, but got " + quoted(rest[0]);
        return false;
    }
    return true;
}

bool parseWaits(std::span<const std::string_view> rest, Command& command, std::string& error) {
    if (rest.empty()) {
        error = std::string("waits needs at least one hand") + std::string(kTryHelp);
        return false;
    }
    for (const std::string_view arg : rest) {
        if (looksLikeOption(arg)) {
            error = "waits: unknown option " + quoted(arg) + std::string(kTryHelp);
            return false;
        }
        std::optional<HandNotation> hand = parseHand(arg, error);
        if (!hand) {
            return false;
        }
        command.hands.push_back(*hand);
    }
    return true;
}

bool parseReadings(std::span<const std::string_view> rest, Command& command, std::string& error) {
    for (const std::string_view arg : rest) {
        if (looksLikeOption(arg)) {
            error = "readings: unknown option " + quoted(arg) + std::string(kTryHelp);
            return false;
        }
    }
    if (rest.size() != 2) {
        error = rest.size() < 2
                    ? "readings needs a 14-tile hand and the winning tile" + std::string(kTryHelp)
                    : "readings: unexpected argument " + quoted(rest[2]);
        return false;
    }
    std::optional<HandNotation> hand = parseHand(rest[0], error);
    if (!hand) {
        return false;
    }
    if (hand->count != 14) {
        error = "hand " + quoted(rest[0]) + ": " + std::to_string(hand->count) +
                " tiles; readings needs the 14 tiles of the won hand";
        return false;
    }
    const std::string_view tile = rest[1];
    if (tile.size() != 1 || tile[0] < '1' || tile[0] > '9') {
        error = "winning tile " + quoted(tile) + ": not a tile number 1 to 9";
        return false;
    }
    command.winningTile = tile[0] - '0';
    if (!hand->holds(command.winningTile)) {
        error = "winning tile " + std::string(tile) + " is not in hand " + quoted(rest[0]);
        return false;
    }
    command.hands.push_back(*hand);
    return true;
}

// "A-B" with 1 <= A <= B <= 9.
bool parseBand(std::string_view value, WaitBand& band, std::string& error) {
    const std::string named = "deal: --waits " + quoted(value) + ": ";
    const std::size_t dash = value.find('-');
    std::uint64_t fewest = 0;
    std::uint64_t most = 0;
    if (dash == value.npos || !parseWhole(value.substr(0, dash), UINT_MAX, fewest) ||
        !parseWhole(value.substr(dash + 1), UINT_MAX, most)) {
        error = named + "not a band of wait counts A-B, such as 3-4 or 5-9";
        return false;
    }
    if (fewest < 1 || most > 9) {
        error = named + "wait counts run from 1 to 9";
        return false;
    }
    if (fewest > most) {
        error = named + "the fewest waits " + std::to_string(fewest) + " exceed the most " +
                std::to_string(most);
        return false;
    }
    band = WaitBand{static_cast<std::int32_t>(fewest), static_cast<std::int32_t>(most)};
    return true;
}

bool parseWaitingHand(std::string_view name, std::string_view arg, Command& command,
                      std::string& error);

// --tiles: 4, 7, 10 or 13.
bool parseTiles(std::string_view command, std::string_view value, int& tiles, std::string& error) {
    std::uint64_t number = 0;
    if (!parseWhole(value, 14, number) || !IsWaitingSize(static_cast<std::int32_t>(number))) {
        error = std::string(command) + ": --tiles " + quoted(value) + ": not 4, 7, 10 or 13";
        return false;
    }
    tiles = static_cast<int>(number);
    return true;
}

bool parseTable(std::span<const std::string_view> rest, Command& command, std::string& error) {
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const std::string_view arg = rest[i];
        std::optional<std::string_view> value;
        if (arg.starts_with("--tiles=")) {
            value = arg.substr(std::string_view("--tiles=").size());
        } else if (arg == "--tiles") {
            if (i + 1 == rest.size()) {
                error = "table: --tiles needs a value";
                return false;
            }
            value = rest[++i];
        } else {
            error = looksLikeOption(arg)
                        ? "table: unknown option " + quoted(arg) + std::string(kTryHelp)
                        : "table takes no arguments, but got " + quoted(arg);
            return false;
        }
        if (i + 1 < rest.size()) {
            error = "table takes no arguments, but got " + quoted(rest[i + 1]);
            return false;
        }
        return parseTiles("table", *value, command.tiles, error);
    }
    return true;
}

bool parseHint(std::span<const std::string_view> rest, Command& command, std::string& error) {
    std::vector<std::string_view> plain;
    for (const std::string_view arg : rest) {
        if (arg == "--tsv") {
            command.tsv = true;
        } else if (looksLikeOption(arg)) {
            error = "hint: unknown option " + quoted(arg) + std::string(kTryHelp);
            return false;
        } else {
            plain.push_back(arg);
        }
    }
    if (plain.empty()) {
        error = std::string("hint needs a hand") + std::string(kTryHelp);
        return false;
    }
    if (!command.tsv && plain.size() > 2) {
        error = "hint: unexpected argument " + quoted(plain[2]) +
                "; one hand and a level, or --tsv for several hands";
        return false;
    }
    const std::size_t hands = command.tsv ? plain.size() : 1;
    for (std::size_t i = 0; i < hands; ++i) {
        if (!parseWaitingHand("hint", plain[i], command, error)) {
            return false;
        }
    }
    if (!command.tsv && plain.size() == 2) {
        std::uint64_t level = 0;
        if (!parseWhole(plain[1], kHintCount, level) || level == 0) {
            error = "hint: level " + quoted(plain[1]) + ": not a number 1 to " +
                    std::to_string(kHintCount);
            return false;
        }
        command.hintLevel = static_cast<int>(level);
    }
    return true;
}

bool parseDeal(std::span<const std::string_view> rest, Command& command, std::string& error) {
    bool countGiven = false;
    bool tilesGiven = false;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        std::string_view arg = rest[i];
        std::string_view name = arg;
        std::optional<std::string_view> value;
        if (const std::size_t equals = arg.find('='); arg.starts_with("--") && equals != arg.npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
        }
        if (name != "--seed" && name != "--count" && name != "--waits" && name != "--tiles" &&
            name != "--family") {
            error = looksLikeOption(arg)
                        ? "deal: unknown option " + quoted(arg) + std::string(kTryHelp)
                        : "deal: unexpected argument " + quoted(arg);
            return false;
        }
        const bool isSeed = name == "--seed";
        const bool isBand = name == "--waits";
        const bool isTiles = name == "--tiles";
        const bool isFamily = name == "--family";
        const bool given = isSeed     ? command.seed.has_value()
                           : isBand   ? command.band.has_value()
                           : isTiles  ? tilesGiven
                           : isFamily ? command.family.has_value()
                                      : countGiven;
        if (given) {
            error = "deal: " + std::string(name) + " given twice";
            return false;
        }
        if (!value) {
            if (i + 1 == rest.size()) {
                error = "deal: " + std::string(name) + " needs a value";
                return false;
            }
            value = rest[++i];
        }
        std::uint64_t number = 0;
        if (isTiles) {
            if (!parseTiles("deal", *value, command.tiles, error)) {
                return false;
            }
            tilesGiven = true;
        } else if (isFamily) {
            const FamilyIndex family = FamilyIndexOf(*value);
            if (family == kNoFamily) {
                error = "deal: --family " + quoted(*value) +
                        ": no such family; zelkon-cli families lists them";
                return false;
            }
            command.family = family;
        } else if (isBand) {
            WaitBand band{};
            if (!parseBand(*value, band, error)) {
                return false;
            }
            command.band = band;
        } else if (isSeed) {
            if (!parseWhole(*value, UINT_MAX, number)) {
                error = "deal: --seed " + quoted(*value) + ": not a whole number from 0 to " +
                        std::to_string(UINT_MAX);
                return false;
            }
            command.seed = static_cast<unsigned>(number);
        } else {
            if (!parseWhole(*value, INT_MAX, number) || number == 0) {
                error = "deal: --count " + quoted(*value) + ": not a whole number from 1 to " +
                        std::to_string(INT_MAX);
                return false;
            }
            command.count = static_cast<int>(number);
            countGiven = true;
        }
    }
    if (command.band && (command.family || command.tiles != 13)) {
        error = "deal: --waits deals 13-tile hands of every family; leave out --tiles and --family";
        return false;
    }
    if (command.family) {
        const FamilyIndex family = *command.family;
        const std::string named =
            "deal: --family " + std::string(kShapeFamilies[static_cast<std::size_t>(family)].id);
        const std::int32_t core = FamilyCoreSize(family);
        if (command.tiles < core) {
            error = named + ": its core has " + std::to_string(core) +
                    " tiles, more than --tiles " + std::to_string(command.tiles);
            return false;
        }
        if (!FamilyHasHand(family, command.tiles)) {
            error = named + ": no hand of " + std::to_string(command.tiles) +
                    " tiles keeps the waits of its form";
            return false;
        }
    }
    return true;
}

// Digits 1 to 9, each at most once; the empty text picks nothing.
bool parsePicks(std::string_view text, Picks& picks, std::string& error) {
    picks.fill(false);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '1' || c > '9') {
            // Appended piece by piece: GCC 12 misreads a short literal plus a temporary.
            std::string what = "a byte";
            if (c >= ' ' && c <= '~') {
                what = "'";
                what += c;
                what += '\'';
            }
            error = "picks " + quoted(text) + ": " + what + " at position " +
                    std::to_string(i + 1) + " is not a number 1 to 9";
            return false;
        }
        bool& picked = picks[static_cast<std::size_t>(c - '0')];
        if (picked) {
            error = "picks " + quoted(text) + ": " + std::string(1, c) + " picked twice";
            return false;
        }
        picked = true;
    }
    return true;
}

// A hand that waits: 4, 7, 10 or 13 tiles, for explain and hint.
bool parseWaitingHand(std::string_view name, std::string_view arg, Command& command,
                      std::string& error) {
    std::optional<HandNotation> hand = parseHand(arg, error);
    if (!hand) {
        return false;
    }
    if (!IsWaitingSize(hand->count)) {
        error = "hand " + quoted(arg) + ": " + std::to_string(hand->count) + " tiles; " +
                std::string(name) + " needs the 13 tiles of a hand, or 4, 7 or 10";
        return false;
    }
    command.hands.push_back(*hand);
    return true;
}

bool parseExplainHand(std::string_view arg, Command& command, std::string& error) {
    return parseWaitingHand("explain", arg, command, error);
}

bool parseExplain(std::span<const std::string_view> rest, Command& command, std::string& error) {
    for (const std::string_view arg : rest) {
        if (arg == "--tsv") {
            command.tsv = true;
        } else if (looksLikeOption(arg)) {
            error = "explain: unknown option " + quoted(arg) + std::string(kTryHelp);
            return false;
        }
    }
    std::vector<std::string_view> plain;
    for (const std::string_view arg : rest) {
        if (arg != "--tsv") {
            plain.push_back(arg);
        }
    }
    if (plain.empty()) {
        error = std::string("explain needs a hand") + std::string(kTryHelp);
        return false;
    }
    if (command.tsv) {
        for (const std::string_view arg : plain) {
            if (!parseExplainHand(arg, command, error)) {
                return false;
            }
        }
        return true;
    }
    if (plain.size() > 2) {
        error = "explain: unexpected argument " + quoted(plain[2]) +
                "; one hand and its picks, or --tsv for several hands";
        return false;
    }
    if (!parseExplainHand(plain[0], command, error)) {
        return false;
    }
    if (plain.size() == 2) {
        Picks picks{};
        if (!parsePicks(plain[1], picks, error)) {
            return false;
        }
        command.picks = picks;
    }
    return true;
}

bool parseStats(std::span<const std::string_view> rest, Command& command, std::string& error) {
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const std::string_view arg = rest[i];
        std::optional<std::string_view> value;
        if (arg.starts_with("--records=")) {
            value = arg.substr(std::string_view("--records=").size());
        } else if (arg == "--records") {
            if (i + 1 == rest.size()) {
                error = "stats: --records needs a value";
                return false;
            }
            value = rest[++i];
        } else {
            error = looksLikeOption(arg)
                        ? "stats: unknown option " + quoted(arg) + std::string(kTryHelp)
                        : "stats: unexpected argument " + quoted(arg);
            return false;
        }
        if (command.recordsPath) {
            error = "stats: --records given twice";
            return false;
        }
        if (value->empty()) {
            error = "stats: --records needs a file name";
            return false;
        }
        command.recordsPath = std::string(*value);
    }
    return true;
}

// Takes every --lang out of args into command.language; the options whose value may begin with
// "--" keep it.
bool takeLanguage(std::span<const std::string_view> args, std::vector<std::string_view>& rest,
                  Command& command, std::string& error) {
    bool given = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const bool takesValue =
            arg == "--records" || arg == "--seed" || arg == "--count" || arg == "--waits";
        if (takesValue && i + 1 < args.size()) {
            rest.push_back(arg);
            rest.push_back(args[++i]);
            continue;
        }
        std::optional<std::string_view> value;
        if (arg.starts_with("--lang=")) {
            value = arg.substr(std::string_view("--lang=").size());
        } else if (arg == "--lang") {
            if (i + 1 == args.size()) {
                error = "--lang needs a value: ja or en";
                return false;
            }
            value = args[++i];
        } else {
            rest.push_back(arg);
            continue;
        }
        if (given) {
            error = "--lang given twice";
            return false;
        }
        given = true;
        if (!ParseLanguageCode(*value, command.language)) {
            error = "--lang " + quoted(*value) + ": not a language; ja or en";
            return false;
        }
    }
    return true;
}

}  // namespace

bool parseCommandLine(std::span<const std::string_view> allArgs, Command& command,
                      std::string& error) {
    command = Command{};
    std::vector<std::string_view> kept;
    if (!takeLanguage(allArgs, kept, command, error)) {
        return false;
    }
    const std::span<const std::string_view> args(kept);
    if (args.empty()) {
        error = std::string("no command given") + std::string(kTryHelp);
        return false;
    }
    const std::string_view name = args[0];
    const std::span<const std::string_view> rest = args.subspan(1);
    if (name == "--help" || name == "-h") {
        command.kind = CommandKind::Help;
        return parseNothingMore(name, rest, error);
    }
    if (name == "--version") {
        command.kind = CommandKind::Version;
        return parseNothingMore(name, rest, error);
    }
    if (name == "waits") {
        command.kind = CommandKind::Waits;
        return parseWaits(rest, command, error);
    }
    if (name == "readings") {
        command.kind = CommandKind::Readings;
        return parseReadings(rest, command, error);
    }
    if (name == "table") {
        command.kind = CommandKind::Table;
        return parseTable(rest, command, error);
    }
    if (name == "families") {
        command.kind = CommandKind::Families;
        return parseNothingMore(name, rest, error);
    }
    if (name == "hint") {
        command.kind = CommandKind::Hint;
        return parseHint(rest, command, error);
    }
    if (name == "deal") {
        command.kind = CommandKind::Deal;
        return parseDeal(rest, command, error);
    }
    if (name == "explain") {
        command.kind = CommandKind::Explain;
        return parseExplain(rest, command, error);
    }
    if (name == "stats") {
        command.kind = CommandKind::Stats;
        return parseStats(rest, command, error);
    }
    error = (looksLikeOption(name) ? "unknown option " : "unknown command ") + quoted(name) +
            std::string(kTryHelp);
    return false;
}

}  // namespace zelkon
