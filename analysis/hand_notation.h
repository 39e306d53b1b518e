// The written form of a hand: 13 or 14 digits 1-9 in any order (or a short hand's 4, 7 or 10, one
// more when won, where the reader allows them), then at most one suit letter m, p or s
// ("1112345678999", "9991112345678p"). Faults come back as codes with their details, so that
// each front end words them in its own language.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "problem.h"
#include "tile_hand.h"

namespace zelkon {

inline constexpr SuitKind kNoSuit = -1;

struct HandNotation {
    Hand14 tiles{};  // ascending; entries from count on are 0
    Hand14 typed{};  // the digits in the order written; entries from count on are 0
    int count = 0;   // one of the sizes the reader allowed
    SuitKind suit = kNoSuit;

    Hand13 hand13() const;
    TileHand tileHand() const;
    TileHand typedHand() const;  // in the order written
    Hand14 hand14() const;
    bool holds(TileNumber number) const;
};

enum class HandFault : std::int32_t {
    None,
    Empty,           // no character at all
    ZeroDigit,       // '0' at position
    CapitalSuit,     // 'M', 'P' or 'S' at position
    WideDigit,       // a full-width digit U+FF10..U+FF19 at position
    NotATile,        // any other character at position
    StrayByte,       // a byte at position that starts no well-formed UTF-8 character
    DigitAfterSuit,  // a digit at position after the suit letter at suitPosition
    TwoSuits,        // a second suit letter at position; the first at suitPosition
    TileCount,       // count digits, not a size the reader allows
    FifthCopy,       // count copies of number, more than four
};

// What a front end needs to name a fault. Positions count characters from 1; fields that a fault
// does not mention stay at their defaults.
struct HandNotationFault {
    HandFault code = HandFault::None;
    std::int32_t position = 0;
    std::int32_t byteOffset = 0;  // the character at position: where it starts in the text,
    std::int32_t byteLength = 0;  // its length in bytes (1 for a stray byte)
    char32_t character = 0;       // its code point; a stray byte's value
    SuitKind suit = kNoSuit;      // DigitAfterSuit, TwoSuits: the suit letter read first
    std::int32_t suitPosition = 0;
    std::int32_t count = 0;
    TileNumber number = 0;
};

// The sizes a reader accepts: bit c set for hands of c tiles.
using HandSizes = std::uint32_t;
inline constexpr HandSizes kQuizHandSizes = 1u << 13 | 1u << 14;
inline constexpr HandSizes kWaitingHandSizes = 1u << 4 | 1u << 7 | 1u << 10 | 1u << 13;
inline constexpr HandSizes kEveryHandSize =
    kQuizHandSizes | 1u << 4 | 1u << 5 | 1u << 7 | 1u << 8 | 1u << 10 | 1u << 11;

// Reads text into hand. hand is meaningful only when the result's code is HandFault::None; the
// first fault in reading order is reported, the counts only once every character is read.
// sizes: kQuizHandSizes (13 or 14) unless given.
HandNotationFault ParseHandNotation(std::string_view text, HandNotation& hand,
                                    HandSizes sizes = kQuizHandSizes);

// A hand as a player types or pastes it (問題を入力, a link): blanks around it are no fault, and
// positions still count from the first character given. A hand of one tile more than a size in
// sizes is read too, then refused by its count, so that the fault names the sizes taken.
HandNotationFault ReadTypedHand(std::string_view text, HandSizes sizes, HandNotation& hand);

// Length of the well-formed UTF-8 character at text[at], or 0 for a byte that starts none; code
// receives its code point. at < text.size().
std::size_t DecodeUtf8(std::string_view text, std::size_t at, char32_t& code);

// The one rule, for the window and the command line, of what a fault cannot show as itself:
// controls, format characters (bidi marks among them), separators (the space included),
// surrogates and private use. They would vanish from a message, break its line, reorder it
// around them or draw as nothing in particular.
bool IsInvisibleCharacter(char32_t code);
// Surrogates and private use: invisible, but steering no terminal.
bool IsPrivateCharacter(char32_t code);

// 'm', 'p' or 's'; '\0' for kNoSuit.
char SuitLetter(SuitKind suit);

// A hand written out: at most 14 digits and a suit letter.
struct HandText {
    std::array<char, 15> chars{};
    std::int32_t length = 0;

    std::string_view view() const { return {chars.data(), static_cast<std::size_t>(length)}; }
};

// The tiles ascending, then the suit letter unless suit is kNoSuit: the form ParseHandNotation
// reads back to the same hand and suit. Tiles outside 1..9 are the caller's fault.
HandText SpellHand(const Hand13& hand, SuitKind suit);
HandText SpellHand(const HandNotation& hand);
// The tiles in their own order, then the suit letter unless suit is none of the three.
HandText SpellHand(const TileHand& hand, SuitKind suit);

}  // namespace zelkon
