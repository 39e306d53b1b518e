#include "hint_report.h"

#include "analysis/hint_text.h"

namespace zelkon {

namespace {

std::string digitsOf(const TileCounts& counts) {
    std::string digits;
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        digits.append(static_cast<std::size_t>(counts[static_cast<std::size_t>(n)]),
                      static_cast<char>('0' + n));
    }
    return digits;
}

std::string meldDigits(const Block& meld) {
    std::string digits;
    for (int i = 0; i < 3; ++i) {
        digits += static_cast<char>('0' + meld.first + (meld.kind == BlockKind::Run ? i : 0));
    }
    return digits;
}

}  // namespace

std::string hintReport(const HandNotation& hand, int level, Language language) {
    Hints hints;
    ComputeHints(hand.tileHand(), hints);
    std::string text;
    for (int k = 1; k <= level && k <= kHintCount; ++k) {
        text += std::string(HintWords(hints, k, language).view()) + "\n";
    }
    return text;
}

std::string hintLines(const HandNotation& hand) {
    Hints hints;
    ComputeHints(hand.tileHand(), hints);
    std::string digits;
    for (std::int32_t i = 0; i < hints.hand.count; ++i) {
        digits += static_cast<char>('0' + hints.hand.tiles[static_cast<std::size_t>(i)]);
    }
    const auto line = [&](int k, const std::string& value) {
        return digits + "\t" + std::to_string(k) + "\t" + value + "\n";
    };
    std::string aside;
    for (std::int32_t i = 0; i < hints.core.setAsideCount; ++i) {
        // Piece by piece: GCC 12 takes "literal" + std::string&& for an overlapping copy.
        if (i > 0) {
            aside += ' ';
        }
        aside += meldDigits(hints.core.setAside[static_cast<std::size_t>(i)]);
    }
    std::string lines;
    for (int bit = 0; bit < 3; ++bit) {
        if ((hints.waitLines >> bit & 1) != 0) {
            if (!lines.empty()) {
                lines += ' ';
            }
            for (const int number : {bit + 1, bit + 4, bit + 7}) {
                lines += static_cast<char>('0' + number);
            }
        }
    }
    const FamilyIndex family = hints.core.family.family;
    return line(1, std::to_string(hints.waitCount)) +
           line(2, digitsOf(hints.core.core) + "\t" + (aside.empty() ? "-" : aside)) +
           line(3,
                family == kNoFamily ? "-" : kShapeFamilies[static_cast<std::size_t>(family)].id) +
           line(4, std::string(HintWords(hints, 4).view())) + line(5, lines.empty() ? "-" : lines) +
           line(6, hints.shownWait == 0 ? "-" : std::to_string(hints.shownWait));
}

}  // namespace zelkon
