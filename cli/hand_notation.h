// The hand notation on the command line, with its faults in English ("1112345678999p").
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/hand_notation.h"
#include "analysis/vocabulary.h"

namespace zelkon {

// Any size of hand, short or won. On a fault returns nothing and sets error to one line that
// names the hand and the fault.
std::optional<HandNotation> parseHand(std::string_view text, std::string& error);

// The line parseHand gives for fault, which ParseHandNotation reported for text.
std::string describeHandFault(std::string_view text, const HandNotationFault& fault);

// The menu word of a suit ("ピンズ", "pinzu"), or "" for kNoSuit.
const char* suitWord(SuitKind suit, Language language = Language::Japanese);

// Characters (or stray bytes) of a text that escapeText keeps.
inline constexpr std::size_t kEscapedCharacters = 64;

// Text from the command line made safe to print: valid printable UTF-8 stays; quotes, backslashes,
// control, format and separator characters (but the space) and stray bytes become escapes. A
// longer text is cut after most characters, marked "…[N bytes]" with N its whole length.
std::string escapeText(std::string_view text, std::size_t most = kEscapedCharacters);

}  // namespace zelkon
