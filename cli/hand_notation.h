// The hand notation of the command line: 13 or 14 digits 1-9 in any order, then at most one
// suit letter m, p or s ("1112345678999", "1112345678999p").
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/problem.h"

namespace zelkon {

inline constexpr SuitKind kNoSuit = -1;

struct HandNotation {
    Hand14 tiles{};  // ascending; entries from count on are 0
    int count = 0;   // 13 or 14
    SuitKind suit = kNoSuit;

    Hand13 hand13() const;
    Hand14 hand14() const;
    bool holds(TileNumber number) const;
};

// On a fault returns nothing and sets error to one line that names the hand and the fault.
std::optional<HandNotation> parseHand(std::string_view text, std::string& error);

// The digits ascending, then the suit letter if one was given.
std::string spellHand(const HandNotation& hand);

// The menu word of a suit ("ピンズ"), or "" for kNoSuit.
const char* suitWord(SuitKind suit);

// Characters (or stray bytes) of a text that escapeText keeps.
inline constexpr std::size_t kEscapedCharacters = 64;

// Text from the command line made safe to print: valid printable UTF-8 stays; quotes, backslashes,
// control, format and separator characters (but the space) and stray bytes become escapes. A
// longer text is cut after kEscapedCharacters, marked "…[N bytes]" with N its whole length.
std::string escapeText(std::string_view text);

}  // namespace zelkon
