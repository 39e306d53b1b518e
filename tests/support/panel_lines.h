// The explanation panel as lines of text, for tests that compare it across front ends: the
// summary's items joined by the gap, then per row "n verdict" and, for a wait, " | " and what its
// waiting tiles wait on; with tiles, each row's groups, the records its other readings open, and
// every distinct reading's caption and groups under it.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "analysis/explanation_text.h"
#include "hand_strings.h"

namespace zelkon::tests {

// Plain groups as digits, the outlined one in brackets, leftover ones in angle brackets.
inline std::string SpelledTiles(const TileLine& line) {
    std::string text;
    for (std::int32_t g = 0; g < line.count; ++g) {
        const TileGroup& group = line.groups[static_cast<std::size_t>(g)];
        const std::string_view marks = group.style == TileGroupStyle::Outlined   ? "[]"
                                       : group.style == TileGroupStyle::Leftover ? "<>"
                                                                                 : "";
        text += g > 0 ? " " : "";
        text += marks.substr(0, marks.size() / 2);
        for (std::int32_t i = 0; i < group.count; ++i) {
            text += static_cast<char>('0' + group.tiles[static_cast<std::size_t>(i)]);
        }
        text += marks.substr(marks.size() / 2);
    }
    return text;
}

// picked: the picked numbers as digits.
inline std::string PanelLines(std::string_view hand, std::string_view picked, Language language,
                              bool withTiles = false) {
    auto explanation = std::make_unique<HandExplanation>();
    if (!ExplainTiles(TilesOf(hand), *explanation)) {
        return "not a waiting hand\n";
    }
    NumberSet picks = 0;
    for (const char c : picked) {
        picks |= NumberBit(c - '0');
    }
    const SummaryItems summary = SummaryWords(*explanation, picks, language);
    std::string text;
    for (std::int32_t i = 0; i < summary.count; ++i) {
        text += i > 0 ? ExplanationPhrasesFor(language).itemGap : "";
        text += summary.items[static_cast<std::size_t>(i)].view();
    }
    text += "\n";
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        const NumberExplanation& number = explanation->numbers[static_cast<std::size_t>(n)];
        const bool pick = (picks & NumberBit(n)) != 0;
        if (!HasRow(number, pick)) {
            continue;
        }
        text += std::to_string(n) + " ";
        text += VerdictWords(*explanation, n, pick, language).view();
        if (number.verdict == Verdict::Wait) {
            const std::int32_t shown = ShownRecord(number);
            text += " | ";
            text += WaitsOnWords(WaitInHandOf(number.readings[static_cast<std::size_t>(shown)], n),
                                 language)
                        .view();
        }
        text += "\n";
        if (!withTiles) {
            continue;
        }
        text += "  ";
        text += SpelledTiles(RowTiles(number, n));
        text += "\n  others";
        const OtherRecords others = OtherRecordsOf(number);
        for (std::int32_t i = 0; i < others.count; ++i) {
            text += ' ';
            text += std::to_string(others.records[static_cast<std::size_t>(i)]);
        }
        text += "\n";
        for (std::int32_t place = 0; place < number.distinctCount; ++place) {
            const std::int32_t record = number.distinct[static_cast<std::size_t>(place)];
            text += "  ";
            text += CaptionWords(*explanation, n, record, language).view();
            text += ": ";
            text += SpelledTiles(ReadingTiles(number.readings[static_cast<std::size_t>(record)]));
            text += '\n';
        }
    }
    return text;
}

}  // namespace zelkon::tests
