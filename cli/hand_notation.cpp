#include "hand_notation.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace zelkon {

namespace {

// Length of the well-formed UTF-8 sequence at text[at], or 0 for a stray byte; code receives
// the code point.
std::size_t decodeUtf8(std::string_view text, std::size_t at, char32_t& code) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t value = 0;
    char32_t lowest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1Fu;
        lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0Fu;
        lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07u;
        lowest = 0x10000;
    } else {
        return 0;
    }
    if (text.size() - at < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0u) != 0x80u) {
            return 0;
        }
        value = (value << 6) | (next & 0x3Fu);
    }
    if (value < lowest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return 0;
    }
    code = value;
    return length;
}

struct CodeRange {
    char32_t first;
    char32_t last;
};

// Every format character (general category Cf) of Unicode 15.1: invisible, and some reorder the
// text around them.
constexpr std::array<CodeRange, 21> kFormatRanges{{
    {0x00AD, 0x00AD},   {0x0600, 0x0605},   {0x061C, 0x061C},   {0x06DD, 0x06DD},
    {0x070F, 0x070F},   {0x0890, 0x0891},   {0x08E2, 0x08E2},   {0x180E, 0x180E},
    {0x200B, 0x200F},   {0x202A, 0x202E},   {0x2060, 0x2064},   {0x2066, 0x206F},
    {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD}, {0x110CD, 0x110CD},
    {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001},
    {0xE0020, 0xE007F},
}};

// The separators (Zs, Zl, Zp) other than the ASCII space: line breaks, or spaces that look like
// one but are not.
constexpr std::array<CodeRange, 7> kSeparatorRanges{{
    {0x00A0, 0x00A0},
    {0x1680, 0x1680},
    {0x2000, 0x200A},
    {0x2028, 0x2029},
    {0x202F, 0x202F},
    {0x205F, 0x205F},
    {0x3000, 0x3000},
}};

template <std::size_t N>
bool inRanges(const std::array<CodeRange, N>& ranges, char32_t code) {
    return std::any_of(ranges.begin(), ranges.end(),
                       [code](const CodeRange& r) { return code >= r.first && code <= r.last; });
}

// Code points that would steer a terminal, break the line, or hide what the text holds.
bool isUnsafe(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code <= 0x9F) || inRanges(kFormatRanges, code) ||
           inRanges(kSeparatorRanges, code);
}

void appendHexByte(std::string& out, unsigned char byte) {
    std::array<char, 8> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "\\x%02X", static_cast<unsigned>(byte));
    out += buffer.data();
}

std::string hexOf(char32_t code) {
    std::array<char, 16> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%04X", static_cast<unsigned>(code));
    return buffer.data();
}

// How a fault names the character at text[at] that spans length bytes (0: a stray byte).
std::string nameCharacter(std::string_view text, std::size_t at, std::size_t length,
                          char32_t code) {
    std::string name;
    if (length == 0) {
        name = "byte ";
        appendHexByte(name, static_cast<unsigned char>(text[at]));
        return name;
    }
    const std::string_view character = text.substr(at, length);
    if (code == '\'') {
        return "'\\''";
    }
    name = "'";
    name += isUnsafe(code) ? escapeText(character) : std::string(character);
    name += "'";
    if (code >= 0x80) {
        name += " (U+" + hexOf(code) + ")";
    }
    return name;
}

const char* hintFor(char32_t code) {
    if (code == '0') {
        return "tile numbers run from 1 to 9";
    }
    if (code == 'M' || code == 'P' || code == 'S') {
        return "suit letters are lower case: m, p or s";
    }
    if (code >= 0xFF10 && code <= 0xFF19) {
        return "write tile numbers as ASCII digits 1 to 9";
    }
    return "a hand is digits 1 to 9, then at most one suit letter m, p or s";
}

SuitKind suitOfLetter(char letter) {
    switch (letter) {
        case 'm':
            return kSuitManzu;
        case 'p':
            return kSuitPinzu;
        case 's':
            return kSuitSouzu;
        default:
            return kNoSuit;
    }
}

char letterOfSuit(SuitKind suit) {
    switch (suit) {
        case kSuitManzu:
            return 'm';
        case kSuitPinzu:
            return 'p';
        case kSuitSouzu:
            return 's';
        default:
            return '\0';
    }
}

}  // namespace

Hand13 HandNotation::hand13() const {
    Hand13 hand{};
    for (std::size_t i = 0; i < hand.size(); ++i) {
        hand[i] = tiles[i];
    }
    return hand;
}

Hand14 HandNotation::hand14() const {
    return tiles;
}

bool HandNotation::holds(TileNumber number) const {
    for (int i = 0; i < count; ++i) {
        if (tiles[static_cast<std::size_t>(i)] == number) {
            return true;
        }
    }
    return false;
}

std::optional<HandNotation> parseHand(std::string_view text, std::string& error) {
    const std::string named = "hand \"" + escapeText(text) + "\": ";
    if (text.empty()) {
        error = named + "empty; a hand is 13 or 14 digits 1 to 9";
        return std::nullopt;
    }
    HandNotation hand;
    std::array<int, kNumberSlots> copies{};
    int digits = 0;
    int position = 0;
    int suitPosition = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        ++position;
        char32_t code = 0;
        const std::size_t length = decodeUtf8(text, at, code);
        const char c = text[at];
        if (length == 1 && c >= '1' && c <= '9') {
            if (hand.suit != kNoSuit) {
                error = named + "suit letter '" + letterOfSuit(hand.suit) + "' at position " +
                        std::to_string(suitPosition) + " must come last";
                return std::nullopt;
            }
            const TileNumber number = c - '0';
            if (digits < static_cast<int>(hand.tiles.size())) {
                hand.tiles[static_cast<std::size_t>(digits)] = number;
            }
            ++digits;
            ++copies[static_cast<std::size_t>(number)];
        } else if (length == 1 && suitOfLetter(c) != kNoSuit) {
            if (hand.suit != kNoSuit) {
                error = named + "two suit letters, '" + letterOfSuit(hand.suit) + "' at position " +
                        std::to_string(suitPosition) + " and '" + c + "' at position " +
                        std::to_string(position);
                return std::nullopt;
            }
            hand.suit = suitOfLetter(c);
            suitPosition = position;
        } else {
            error = named + nameCharacter(text, at, length, code) + " at position " +
                    std::to_string(position) + " is not a tile (" +
                    (length == 0 ? hintFor(0) : hintFor(code)) + ")";
            return std::nullopt;
        }
        at += length == 0 ? 1 : length;
    }
    if (digits != 13 && digits != 14) {
        error = named + std::to_string(digits) + (digits == 1 ? " tile" : " tiles") +
                "; a hand has 13 or 14";
        return std::nullopt;
    }
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        const int held = copies[static_cast<std::size_t>(n)];
        if (held > 4) {
            error = named + std::to_string(held) + " tiles of " + std::to_string(n) +
                    ", but there are only four of each number";
            return std::nullopt;
        }
    }
    hand.count = digits;
    if (digits == 14) {
        SortHand(hand.tiles);
    } else {
        Hand13 sorted = hand.hand13();
        SortHand(sorted);
        std::copy(sorted.begin(), sorted.end(), hand.tiles.begin());
    }
    return hand;
}

std::string spellHand(const HandNotation& hand) {
    std::string text;
    for (int i = 0; i < hand.count; ++i) {
        text += static_cast<char>('0' + hand.tiles[static_cast<std::size_t>(i)]);
    }
    if (hand.suit != kNoSuit) {
        text += letterOfSuit(hand.suit);
    }
    return text;
}

const char* suitWord(SuitKind suit) {
    switch (suit) {
        case kSuitManzu:
            return "マンズ";
        case kSuitPinzu:
            return "ピンズ";
        case kSuitSouzu:
            return "ソウズ";
        default:
            return "";
    }
}

std::string escapeText(std::string_view text) {
    std::string out;
    std::size_t at = 0;
    std::size_t shown = 0;
    while (at < text.size()) {
        if (shown++ == kEscapedCharacters) {
            out += "…[";
            out += std::to_string(text.size());
            out += " bytes]";
            break;
        }
        char32_t code = 0;
        const std::size_t length = decodeUtf8(text, at, code);
        if (length == 0) {
            appendHexByte(out, static_cast<unsigned char>(text[at]));
            ++at;
            continue;
        }
        if (code == '"' || code == '\\') {
            out += '\\';
            out += static_cast<char>(code);
        } else if (code == '\t') {
            out += "\\t";
        } else if (code == '\n') {
            out += "\\n";
        } else if (code == '\r') {
            out += "\\r";
        } else if (code < 0x80 && isUnsafe(code)) {
            appendHexByte(out, static_cast<unsigned char>(code));
        } else if (isUnsafe(code)) {
            out += "\\u{" + hexOf(code) + "}";
        } else {
            out += text.substr(at, length);
        }
        at += length;
    }
    return out;
}

}  // namespace zelkon
