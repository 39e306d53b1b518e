#include "explain_report.h"

#include <memory>

#include "analysis/pattern_table.h"
#include "analysis/smallest_core.h"

namespace zelkon {

namespace {

char* appendNumber(char* out, std::int32_t value) {
    const std::string digits = std::to_string(value);
    for (const char c : digits) {
        *out++ = c;
    }
    return out;
}

const char* kindWord(Verdict verdict) {
    switch (verdict) {
        case Verdict::Wait:
            return "wait";
        case Verdict::FifthCopy:
            return "fifth";
        case Verdict::NoReading:
            break;
    }
    return "none";
}

std::string spellBlock(const Block& block) {
    std::string text;
    const int size = block.kind == BlockKind::Pair ? 2 : 3;
    for (int i = 0; i < size; ++i) {
        text += static_cast<char>('0' + block.first + (block.kind == BlockKind::Run ? i : 0));
    }
    return text;
}

// "44 456 456 777 [789]  辺張  一盃口  1 han"; a short hand's readings stop after the shape.
std::string spellReading(const ExplainedReading& reading, bool patterns, Language language) {
    std::string text;
    for (std::int32_t b = 0; b < reading.blockCount; ++b) {
        const std::string block = spellBlock(reading.blocks[static_cast<std::size_t>(b)]);
        text += b > 0 ? " " : "";
        text += b == reading.winningBlock ? "[" + block + "]" : block;
    }
    text += std::string("  ") + WaitShapeName(reading.waitShape, language);
    if (!patterns) {
        return text;
    }
    text += "  ";
    std::string names;
    for (std::size_t k = 0; k < kPatternCount; ++k) {
        if (reading.patterns[k] != 0) {
            names += names.empty() ? "" : " ";
            names += PatternName(static_cast<int>(k), language);
        }
    }
    return text + (names.empty() ? kNoPatternTerm.in(language) : names) + "  " +
           std::to_string(reading.han) + " han";
}

// Each distinct reading once, the best first; "#i" is its place among them.
std::string readingLines(const NumberExplanation& number, bool patterns, Language language) {
    std::string text;
    const auto line = [&](std::int32_t place) {
        std::string index = "#";
        index += std::to_string(place);
        index.resize(4, ' ');
        const auto record = number.distinct[static_cast<std::size_t>(place)];
        text +=
            std::string(place == number.bestDistinct ? "      * " : "        ") + index +
            spellReading(number.readings[static_cast<std::size_t>(record)], patterns, language) +
            "\n";
    };
    line(number.bestDistinct);
    for (std::int32_t place = 0; place < number.distinctCount; ++place) {
        if (place != number.bestDistinct) {
            line(place);
        }
    }
    return text;
}

std::string verdictLine(TileNumber n, const NumberExplanation& number) {
    const std::string digit = std::to_string(n);
    switch (number.verdict) {
        case Verdict::Wait:
            return "wait, " + std::to_string(number.distinctCount) +
                   (number.distinctCount == 1 ? " reading" : " readings");
        case Verdict::FifthCopy:
            return "no wait: all four " + digit + "s are in the hand; " +
                   (number.readingCount > 0 ? "a fifth would complete it in shape only"
                                            : "a fifth would complete nothing either");
        case Verdict::NoReading:
            break;
    }
    std::string split;
    for (std::int32_t b = 0; b < number.splitCount; ++b) {
        if (b > 0) {
            split += ' ';
        }
        split += spellBlock(number.split[static_cast<std::size_t>(b)]);
    }
    std::string leftover;
    for (std::int32_t i = 0; i < number.leftoverCount; ++i) {
        leftover += ' ';
        leftover += std::to_string(number.leftover[static_cast<std::size_t>(i)]);
    }
    return "no wait: no reading; closest " + (split.empty() ? std::string("(no block)") : split) +
           ", left over:" + leftover;
}

// The window's mark: a circle for a picked wait, a cross for a missed wait or a wrong pick.
const char* markOf(bool wait, bool picked) {
    if (wait) {
        return picked ? "○" : "×";
    }
    return picked ? "×" : "-";
}

// "  smallest core: 3344555, 連続4面 (renzoku4); set aside 123 789"
std::string coreLine(const HandNotation& hand, Language language) {
    TileCounts counts{};
    CountTiles(hand.tileHand(), counts);
    SmallestCore core;
    FindSmallestCore(counts, core);
    std::string text = "  smallest core: ";
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        text.append(static_cast<std::size_t>(core.core[static_cast<std::size_t>(n)]),
                    static_cast<char>('0' + n));
    }
    if (core.family.family == kNoFamily) {
        text += ", no family";
    } else {
        const ShapeFamily& family = kShapeFamilies[static_cast<std::size_t>(core.family.family)];
        // English names a family by its id alone.
        text += std::string(", ") + FamilyName(family, language);
        if (language == Language::Japanese) {
            text += std::string(" (") + family.id + ")";
        }
        if (core.family.edgeLoss > 0) {
            text += ", an edge form";
        }
    }
    if (core.setAsideCount == 0) {
        return text + "; nothing set aside\n";
    }
    text += "; set aside";
    for (std::int32_t i = 0; i < core.setAsideCount; ++i) {
        text += ' ';
        text += spellBlock(core.setAside[static_cast<std::size_t>(i)]);
    }
    return text + "\n";
}

}  // namespace

char* appendExplainLines(char* out, const HandExplanation& explanation) {
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        const NumberExplanation& number = explanation.numbers[static_cast<std::size_t>(n)];
        for (std::int32_t i = 0; i < explanation.tileCount; ++i) {
            *out++ = static_cast<char>('0' + explanation.hand[static_cast<std::size_t>(i)]);
        }
        *out++ = '\t';
        *out++ = static_cast<char>('0' + n);
        *out++ = '\t';
        for (const char* word = kindWord(number.verdict); *word != '\0'; ++word) {
            *out++ = *word;
        }
        *out++ = '\t';
        out = appendNumber(out, number.distinctCount);
        *out++ = '\t';
        if (number.bestDistinct >= 0) {
            out = appendNumber(out, number.bestDistinct);
        } else {
            *out++ = '-';
        }
        *out++ = '\t';
        for (std::int32_t i = 0; number.verdict == Verdict::NoReading && i < number.leftoverCount;
             ++i) {
            *out++ = static_cast<char>('0' + number.leftover[static_cast<std::size_t>(i)]);
        }
        *out++ = '\n';
    }
    return out;
}

std::string explainReport(const HandNotation& hand, const std::optional<Picks>& picks,
                          Language language) {
    auto explanation = std::make_unique<HandExplanation>();
    ExplainTiles(hand.tileHand(), *explanation);
    std::string text(SpellHand(hand).view());
    if (hand.suit != kNoSuit) {
        text += std::string(" (") + suitWord(hand.suit, language) + ")";
    }
    std::string waits;
    std::string picked;
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        const auto slot = static_cast<std::size_t>(n);
        if (explanation->numbers[slot].verdict == Verdict::Wait) {
            waits += ' ';
            waits += std::to_string(n);
        }
        if (picks && (*picks)[slot]) {
            picked += ' ';
            picked += std::to_string(n);
        }
    }
    text += "  waits:" + (waits.empty() ? std::string(" none") : waits);
    if (picks) {
        text += "  picked:" + (picked.empty() ? std::string(" none") : picked);
    }
    text += "\n";
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        const auto slot = static_cast<std::size_t>(n);
        const NumberExplanation& number = explanation->numbers[slot];
        const bool wait = number.verdict == Verdict::Wait;
        const bool pickedHere = picks && (*picks)[slot];
        if (!wait && !pickedHere && number.verdict != Verdict::FifthCopy) {
            continue;
        }
        text += "  " + std::to_string(n) + " ";
        if (picks) {
            text += std::string(markOf(wait, pickedHere)) + " ";
        }
        text += verdictLine(n, number) + "\n";
        if (number.distinctCount > 0) {
            text += readingLines(number, hand.count == 13, language);
        }
    }
    return text + coreLine(hand, language);
}

}  // namespace zelkon
