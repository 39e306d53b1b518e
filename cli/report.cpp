#include "report.h"

#include <array>
#include <string_view>

#include "analysis/decomposition.h"
#include "analysis/pattern_table.h"
#include "analysis/shape_family.h"
#include "analysis/short_readings.h"
#include "analysis/wait_finder.h"
#include "analysis/wait_shapes.h"

namespace zelkon {

namespace {

char* appendHand(char* out, const Hand13& hand) {
    for (const TileNumber tile : hand) {
        *out++ = static_cast<char>('0' + tile);
    }
    return out;
}

char* appendFlags(char* out, const PatternFlags& flags) {
    for (std::size_t k = 0; k < kPatternCount; ++k) {
        *out++ = flags[k] != 0 ? '1' : '0';
    }
    return out;
}

char* appendWaitsAndFlags(char* out, const Problem& problem) {
    for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
        if (problem.isWait[n] != 0) {
            *out++ = static_cast<char>('0' + n);
        }
    }
    *out++ = '\t';
    bool first = true;
    for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
        if (problem.isWait[n] != 0) {
            if (!first) {
                *out++ = ',';
            }
            first = false;
            out = appendFlags(out, problem.patterns[n]);
        }
    }
    *out++ = '\n';
    return out;
}

std::string flagString(const PatternFlags& flags) {
    std::array<char, kPatternCount> text{};
    appendFlags(text.data(), flags);
    return std::string(text.data(), text.size());
}

// The names as the quiz's answer box prints them: each followed by two spaces, or "なし".
std::string patternNames(const PatternFlags& flags, Language language) {
    std::string names;
    for (std::size_t k = 0; k < kPatternCount; ++k) {
        if (flags[k] != 0) {
            names += PatternName(static_cast<int>(k), language);
            names += "  ";
        }
    }
    return names.empty() ? kNoPatternTerm.in(language) : names;
}

// One letter per position of the sorted hand, so records with the same melds tell apart.
std::string roleLetters(const Decomposition& record) {
    static constexpr std::string_view kLetters = "-TLMHPS";
    std::string letters;
    for (const TileRole role : record.roles) {
        const auto r = static_cast<std::size_t>(role);
        letters += r < kLetters.size() ? kLetters[r] : '?';
    }
    return letters;
}

std::string hanText(std::int32_t han) {
    return std::to_string(han) + " han";
}

// English beside the Japanese name, for readers who do not know the terms.
const char* shapeGloss(WaitShape shape) {
    switch (shape) {
        case WaitShape::TwoSided:
            return "two-sided";
        case WaitShape::Edge:
            return "edge";
        case WaitShape::Closed:
            return "closed";
        case WaitShape::DualPair:
            return "dual pair";
        case WaitShape::Single:
            return "single";
    }
    return "?";
}

Hand14 withTile(const Hand13& hand, TileNumber tile) {
    Hand14 full{};
    std::copy(hand.begin(), hand.end(), full.begin());
    full[13] = tile;
    SortHand(full);
    return full;
}

// The role of the winning tile that record index stands for. A reading's records stand next to
// each other, one per distinct role of the winning number in ascending role order.
TileRole roleOfRecord(const DecompositionTable& table, std::int32_t index, const Hand14& hand,
                      TileNumber winningTile) {
    const Decomposition& record = table[static_cast<std::size_t>(index)];
    std::int32_t first = index;
    while (first > 0 && table[static_cast<std::size_t>(first - 1)].roles == record.roles) {
        --first;
    }
    std::array<bool, kRoleSlots> held{};
    for (std::size_t p = 0; p < hand.size(); ++p) {
        if (hand[p] == winningTile && Slot(record.roles[p]) < held.size()) {
            held[Slot(record.roles[p])] = true;
        }
    }
    std::int32_t rank = index - first;
    TileRole sameShape = TileRole::Free;
    for (std::size_t r = 0; r < kRoleSlots; ++r) {
        const auto role = static_cast<TileRole>(r);
        if (!held[r] || role == TileRole::Free) {
            continue;
        }
        const bool fits = ShapeOfRole(role, winningTile) == record.waitShape;
        if (rank-- == 0 && fits) {
            return role;
        }
        if (fits && sameShape == TileRole::Free) {
            sameShape = role;
        }
    }
    return sameShape;
}

// "pair 11, melds 123 [234] 567 999, 両面 (two-sided)": brackets mark what the winning tile
// completes.
std::string spellReading(const Hand14& hand, const Decomposition& record, TileRole role,
                         TileNumber winningTile, Language language) {
    std::array<int, kNumberSlots> pairTiles{};
    std::array<int, kNumberSlots> tripletTiles{};
    std::array<int, kNumberSlots> runStarts{};
    TileNumber pair = 0;
    for (std::size_t p = 0; p < hand.size(); ++p) {
        const auto n = static_cast<std::size_t>(hand[p]);
        switch (record.roles[p]) {
            case TileRole::Pair:
                pair = hand[p];
                ++pairTiles[n];
                break;
            case TileRole::SevenPairsPair:
                ++pairTiles[n];
                break;
            case TileRole::Triplet:
                ++tripletTiles[n];
                break;
            case TileRole::RunLow:
                ++runStarts[n];
                break;
            default:
                break;
        }
    }
    bool marked = false;
    const auto group = [&](TileNumber from, int size, bool run, bool target) {
        std::string text;
        for (int i = 0; i < size; ++i) {
            text += static_cast<char>('0' + from + (run ? i : 0));
        }
        if (target && !marked) {
            marked = true;
            return "[" + text + "]";
        }
        return text;
    };
    std::string text;
    if (record.roleCount[Slot(TileRole::SevenPairsPair)] == 12) {
        text = "seven pairs";
        for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
            for (int c = 0; c < pairTiles[static_cast<std::size_t>(n)] / 2; ++c) {
                text += ' ';
                text += group(n, 2, false, n == winningTile);
            }
        }
    } else {
        text = "pair " + group(pair, 2, false, role == TileRole::Pair) + ", melds";
        TileNumber runTarget = 0;
        if (role == TileRole::RunLow || role == TileRole::RunMiddle || role == TileRole::RunHigh) {
            // The run's lowest number: the winning tile less its place in the run.
            runTarget = winningTile -
                        (static_cast<TileNumber>(role) - static_cast<TileNumber>(TileRole::RunLow));
        }
        for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
            const auto i = static_cast<std::size_t>(n);
            for (int c = 0; c < tripletTiles[i] / 3; ++c) {
                text += ' ';
                text += group(n, 3, false, role == TileRole::Triplet && n == winningTile);
            }
            for (int c = 0; c < runStarts[i]; ++c) {
                text += ' ';
                text += group(n, 3, true, n == runTarget);
            }
        }
    }
    text += ", ";
    text += WaitShapeName(record.waitShape, language);
    text += " (";
    text += shapeGloss(record.waitShape);
    text += ")";
    return text;
}

// The answer-box line of a win on number, then the han and, beneath, the reading behind it.
std::string winBlock(TileNumber number, const PatternFlags& flags, const Hand14& hand,
                     const DecompositionTable& table, std::int32_t best, Language language) {
    std::string names = patternNames(flags, language);
    std::string block = "  [" + std::to_string(number) + "]   " + names;
    if (!names.ends_with("  ")) {
        block += "  ";
    }
    block += '(';
    block += hanText(HanTotal(flags));
    block += ")\n        ";
    const Decomposition& record = table[static_cast<std::size_t>(best)];
    block += spellReading(hand, record, roleOfRecord(table, best, hand, number), number, language) +
             "\n";
    return block;
}

std::string heading(const HandNotation& hand, Language language) {
    std::string text(SpellHand(hand).view());
    if (hand.suit != kNoSuit) {
        text += std::string(" (") + suitWord(hand.suit, language) + ")";
    }
    return text;
}

char* appendTiles(char* out, const TileHand& hand) {
    for (std::int32_t i = 0; i < hand.count; ++i) {
        *out++ = static_cast<char>('0' + hand.tiles[static_cast<std::size_t>(i)]);
    }
    return out;
}

char* appendWaitDigits(char* out, NumberSet waits) {
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        if ((waits & NumberBit(n)) != 0) {
            *out++ = static_cast<char>('0' + n);
        }
    }
    return out;
}

// "pair 33, melds [234] 555, 両面 (two-sided)", as spellReading writes a 13-tile reading.
std::string spellShortReading(const ExplainedReading& reading, Language language) {
    std::string pair;
    std::string melds;
    for (std::int32_t b = 0; b < reading.blockCount; ++b) {
        const Block& block = reading.blocks[static_cast<std::size_t>(b)];
        std::string digits;
        for (int i = 0; i < (block.kind == BlockKind::Pair ? 2 : 3); ++i) {
            digits += static_cast<char>('0' + block.first + (block.kind == BlockKind::Run ? i : 0));
        }
        if (b == reading.winningBlock) {
            digits = "[" + digits + "]";
        }
        if (block.kind == BlockKind::Pair) {
            pair = digits;
        } else {
            melds += " " + digits;
        }
    }
    std::string text = "pair " + pair;
    if (!melds.empty()) {
        text += ", melds" + melds;
    }
    return text + ", " + WaitShapeName(reading.waitShape, language) + " (" +
           shapeGloss(reading.waitShape) + ")";
}

// "  [5]   両面  単騎  " and the readings beneath, of counts won on number.
std::string shortWinBlock(const TileCounts& won, TileNumber number, Language language) {
    std::array<ExplainedReading, kMaxExplainedReadings> readings;
    const std::int32_t count = ShortReadings(won, number, readings);
    std::uint8_t shapes = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        shapes |= ShapeBit(readings[static_cast<std::size_t>(i)].waitShape);
    }
    std::string block = "  [" + std::to_string(number) + "]   ";
    for (int shape = 0; shape <= static_cast<int>(WaitShape::Single); ++shape) {
        if ((shapes >> shape & 1) != 0) {
            block += WaitShapeName(static_cast<WaitShape>(shape), language);
            block += "  ";
        }
    }
    block += "\n";
    for (std::int32_t i = 0; i < count; ++i) {
        block +=
            "        " + spellShortReading(readings[static_cast<std::size_t>(i)], language) + "\n";
    }
    return block;
}

std::string shortWaitsReport(const HandNotation& hand, std::string report, Language language) {
    TileCounts counts{};
    CountTiles(hand.tileHand(), counts);
    if (IsWaitingSize(hand.count)) {
        const NumberSet waits = WaitsOfCounts(counts);
        std::string digits;
        for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
            if ((waits & NumberBit(n)) != 0) {
                digits += ' ';
                digits += std::to_string(n);
            }
        }
        report += "  waits:" + (digits.empty() ? std::string(" none") : digits) + "\n";
        for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
            if ((waits & NumberBit(n)) != 0) {
                TileCounts won = counts;
                ++won[static_cast<std::size_t>(n)];
                report += shortWinBlock(won, n, language);
            }
        }
        return report;
    }
    if (!IsCompleteCounts(counts)) {
        return report + "  not complete: no reading as a pair and " +
               std::to_string((hand.count - 2) / 3) +
               ((hand.count - 2) / 3 == 1 ? " meld\n" : " melds\n");
    }
    report += "  complete; the readings for each winning tile:\n";
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        if (hand.holds(n)) {
            report += shortWinBlock(counts, n, language);
        }
    }
    return report;
}

}  // namespace

char* appendTableLine(char* out, const Hand13& hand, const Problem& problem) {
    out = appendHand(out, hand);
    *out++ = '\t';
    return appendWaitsAndFlags(out, problem);
}

char* appendDealLine(char* out, const Problem& problem) {
    out = appendHand(out, problem.sortedHand);
    *out++ = '\t';
    out = appendHand(out, problem.dealOrder);
    *out++ = '\t';
    return appendWaitsAndFlags(out, problem);
}

char* appendShortTableLine(char* out, const TileHand& hand, NumberSet waits) {
    out = appendTiles(out, hand);
    *out++ = '\t';
    out = appendWaitDigits(out, waits);
    *out++ = '\n';
    return out;
}

char* appendShortDealLine(char* out, const ShortProblem& problem) {
    out = appendTiles(out, problem.sortedHand);
    *out++ = '\t';
    out = appendTiles(out, problem.dealOrder);
    *out++ = '\t';
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        if (problem.isWait[static_cast<std::size_t>(n)] != 0) {
            *out++ = static_cast<char>('0' + n);
        }
    }
    *out++ = '\n';
    return out;
}

std::string familiesText() {
    std::string text;
    for (const ShapeFamily& family : kShapeFamilies) {
        TileCounts counts{};
        for (const char c : std::string_view(family.core)) {
            ++counts[static_cast<std::size_t>(c - '0')];
        }
        std::array<char, kNumberSlots> waits{};
        const char* end = appendWaitDigits(waits.data(), WaitsOfCounts(counts));
        text += std::string(family.id) + "\t" + family.name + "\t" + family.core + "\t" +
                std::string(waits.data(), static_cast<std::size_t>(end - waits.data())) + "\n";
    }
    return text;
}

std::string waitsReport(const HandNotation& hand, Language language) {
    DecompositionTable table;
    std::int32_t count = 0;
    std::string report = heading(hand, language);
    if (hand.count < 13) {
        return shortWaitsReport(hand, report, language);
    }
    if (hand.count == 13) {
        Problem problem{};
        const Hand13 tiles = hand.hand13();
        FindWaits(tiles, problem);
        std::string waits;
        for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
            if (problem.isWait[static_cast<std::size_t>(n)] != 0) {
                waits += ' ';
                waits += std::to_string(n);
            }
        }
        report += "  waits:" + (waits.empty() ? std::string(" none") : waits) + "\n";
        for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
            if (problem.isWait[static_cast<std::size_t>(n)] == 0) {
                continue;
            }
            const Hand14 full = withTile(tiles, n);
            const std::int32_t best = EvaluateReadings(full, n, table, count);
            if (best >= 0) {
                report += winBlock(n, problem.patterns[static_cast<std::size_t>(n)], full, table,
                                   best, language);
            }
        }
        return report;
    }
    const Hand14 full = hand.hand14();
    if (IsCompleteHand(full) == 0) {
        return report + "  not complete: no reading as a pair and four melds or as seven pairs\n";
    }
    report += "  complete; the best reading for each winning tile:\n";
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        if (!hand.holds(n)) {
            continue;
        }
        const std::int32_t best = EvaluateReadings(full, n, table, count);
        if (best >= 0) {
            report += winBlock(n, table[static_cast<std::size_t>(best)].patterns, full, table, best,
                               language);
        }
    }
    return report;
}

std::string readingsReport(const HandNotation& hand, TileNumber winningTile, Language language) {
    DecompositionTable table;
    std::int32_t count = 0;
    const Hand14 full = hand.hand14();
    const std::int32_t best = EvaluateReadings(full, winningTile, table, count);
    std::string report = heading(hand, language) + "  won on " + std::to_string(winningTile) + ": ";
    if (best < 0) {
        return report + "no reading\n";
    }
    report += std::to_string(count) + (count == 1 ? " record" : " records") + ", best #" +
              std::to_string(best) + " (equal han go to the later record)\n";
    for (std::int32_t i = 0; i < count && i < kDecompositionCapacity; ++i) {
        const Decomposition& record = table[static_cast<std::size_t>(i)];
        std::string names = patternNames(record.patterns, language);
        if (names.ends_with("  ")) {
            names.resize(names.size() - 2);
        }
        std::string index = "#";
        index += std::to_string(i);
        index.resize(5, ' ');
        report += "  " + index + roleLetters(record) + "  " +
                  spellReading(full, record, roleOfRecord(table, i, full, winningTile), winningTile,
                               language) +
                  "  " + flagString(record.patterns) + "  " + hanText(HanTotal(record.patterns)) +
                  "  " + names + (i == best ? "  <- best\n" : "\n");
    }
    return report;
}

std::string helpText() {
    return "zelkon-cli " ZELKON_VERSION
           " - the waits of a concealed single-suit mahjong hand (カルデナ)\n"
           "\n"
           "Usage:\n"
           "  zelkon-cli waits HAND...\n"
           "      For a 13-tile hand: its waits; for each the patterns of the best reading\n"
           "      (or なし), the han total and that reading spelled out. For a 14-tile hand:\n"
           "      whether it is complete, and its best reading for each winning tile.\n"
           "      For a 4-, 7- or 10-tile hand: its waits, each with the wait shapes of its\n"
           "      readings and the readings (no patterns); 5, 8 or 11 tiles: whether it is\n"
           "      complete, and its readings for each winning tile.\n"
           "  zelkon-cli readings HAND14 WINNING\n"
           "      Every record of the 14-tile hand won on the number WINNING, in table order:\n"
           "      the melds, the wait shape, the eleven flags, the han and the best record.\n"
           "  zelkon-cli table [--tiles N]\n"
           "      One line for each of the 93,600 13-tile hands, ascending:\n"
           "      HAND<TAB>WAITS<TAB>FLAGS\n"
           "      With --tiles 4, 7 or 10, every hand of that many tiles: HAND<TAB>WAITS\n"
           "      (nothing after the tab for a hand with no wait). --tiles 13 is the default.\n"
           "  zelkon-cli families\n"
           "      The shape families, one line each in catalogue order (a core that fits\n"
           "      several takes the first): ID<TAB>NAME<TAB>CORE<TAB>WAITS\n"
           "  zelkon-cli deal [--seed N] [--count K] [--waits A-B] [--tiles N] [--family ID]\n"
           "      srand(N) (default: the time of day), then K problems (default 1), one line\n"
           "      each: SORTED<TAB>DEALORDER<TAB>WAITS<TAB>FLAGS\n"
           "      N runs from 0 to 4294967295; the C library treats 0 as 1, so --seed 0 and\n"
           "      --seed 1 deal the same worksheet.\n"
           "      With --waits, only problems with A to B waits (1 <= A <= B <= 9; 5-9 for five\n"
           "      or more), each as often as plain dealing gives it; the same seed deals the\n"
           "      same worksheet. 1-9 is plain dealing.\n"
           "      --tiles 4, 7 or 10 deals short hands, without the FLAGS column; --family ID\n"
           "      deals only hands of that family: a form of its core, plus melds that change\n"
           "      no wait when N is larger than the core. --waits takes neither.\n"
           "  zelkon-cli explain HAND [PICKS]\n"
           "      Why each wait is one: each reading once (the same melds, pair and wait\n"
           "      shape are one reading), the best first (*), with [ ] around the block\n"
           "      the winning tile completes, the wait shape, patterns and han.\n"
           "      A number held four times is no wait (a fifth copy); with PICKS (digits\n"
           "      1 to 9, each at most once, \"\" for none) also each wrong pick, its\n"
           "      closest split and the tiles left over, and the marks of the window:\n"
           "      ○ a picked wait, × a missed wait or a wrong pick. Last, the smallest core\n"
           "      and its family. HAND has 4, 7, 10 or 13 tiles; short hands have no patterns.\n"
           "  zelkon-cli explain --tsv HAND...\n"
           "      Nine lines per hand: HAND<TAB>N<TAB>KIND<TAB>READINGS<TAB>BEST<TAB>LEFTOVER\n"
           "      KIND is wait, fifth or none; READINGS counts the distinct readings (of a\n"
           "      fifth: those of the 14 tiles with it), BEST is the best one's place among\n"
           "      them, from 0 in the order they first appear in the table, or -;\n"
           "      LEFTOVER holds the tiles left over by the closest split of a none.\n"
           "  zelkon-cli hint HAND [LEVEL]\n"
           "      The hints before the answer, 1 to LEVEL (default 6), one line each, as the\n"
           "      window shows them: the number of waits; the melds set aside and the core;\n"
           "      its family; its triplets read both ways (or the suji lines by tile count,\n"
           "      or its wait shapes); the suji lines of the waits; the lowest wait with its\n"
           "      best reading. HAND has 4, 7, 10 or 13 tiles.\n"
           "  zelkon-cli hint --tsv HAND...\n"
           "      Six lines per hand: HAND<TAB>1<TAB>WAITCOUNT, HAND<TAB>2<TAB>CORE<TAB>SETASIDE,\n"
           "      HAND<TAB>3<TAB>FAMILY, HAND<TAB>4<TAB>TEXT, HAND<TAB>5<TAB>LINES, "
           "HAND<TAB>6<TAB>WAIT;\n"
           "      SETASIDE the melds as digit triples (\"123 789\"), LINES as 147 258 369, - for "
           "none.\n"
           "  zelkon-cli stats [--records FILE]\n"
           "      The figures of the statistics window from the records (default:\n"
           "      $XDG_DATA_HOME/zelkon/records.sqlite3); a missing file is never created.\n"
           "  zelkon-cli --help | --version\n"
           "\n"
           "--lang ja|en, before or after the command: wait shapes, patterns, families and\n"
           "hints in Japanese (the default) or in English (ryanmen, pinfu, tatsumaki) in what\n"
           "waits, readings, explain, hint and stats print for people; the tab-separated\n"
           "lines stay as they are.\n"
           "\n"
           "HAND: 13 or 14 digits 1 to 9 in any order (4, 7 or 10 for a short hand, one more\n"
           "when won), at most four of each number, then optionally one suit letter m (マンズ),\n"
           "p (ピンズ) or s (ソウズ):\n"
           "  1112345678999    1112345678999p    3334555\n"
           "The suit changes nothing in the analysis.\n"
           "\n"
           "WAITS are the winning numbers ascending; FLAGS hold one 11-character 0/1 string\n"
           "per wait, comma-separated, slot 0 first: 平和 タンヤオ 一盃口 七対子 一気通貫\n"
           "トイトイ 三暗刻 二盃口 純チャンタ 四暗刻単騎 九連宝燈.\n"
           "In a reading, [ ] marks the pair or meld that the winning tile completes. The roles\n"
           "that readings shows give one letter per tile of the sorted hand: P the pair, S the\n"
           "other pairs of seven pairs, T triplet, L M H the low, middle, high tile of a run.\n"
           "\n"
           "Exit status: 0 on success; 2 for bad input (one line on stderr, nothing on\n"
           "stdout); 1 when the output cannot be written.\n";
}

std::string versionText() {
    return "zelkon-cli " ZELKON_VERSION "\n";
}

}  // namespace zelkon
