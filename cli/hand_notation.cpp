#include "hand_notation.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace zelkon {

namespace {

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

const char* hintFor(HandFault code) {
    switch (code) {
        case HandFault::ZeroDigit:
            return "tile numbers run from 1 to 9";
        case HandFault::CapitalSuit:
            return "suit letters are lower case: m, p or s";
        case HandFault::WideDigit:
            return "write tile numbers as ASCII digits 1 to 9";
        default:
            return "a hand is digits 1 to 9, then at most one suit letter m, p or s";
    }
}

std::string atPosition(std::int32_t position) {
    return " at position " + std::to_string(position);
}

}  // namespace

std::string describeHandFault(std::string_view text, const HandNotationFault& fault) {
    const std::string named = "hand \"" + escapeText(text) + "\": ";
    const auto offset = static_cast<std::size_t>(fault.byteOffset);
    switch (fault.code) {
        case HandFault::None:
            return "";
        case HandFault::Empty:
            return named + "empty; a hand is 4, 7, 10 or 13 digits 1 to 9, or one more when won";
        case HandFault::ZeroDigit:
        case HandFault::CapitalSuit:
        case HandFault::WideDigit:
        case HandFault::NotATile:
        case HandFault::StrayByte: {
            const std::size_t length =
                fault.code == HandFault::StrayByte ? 0 : static_cast<std::size_t>(fault.byteLength);
            return named + nameCharacter(text, offset, length, fault.character) +
                   atPosition(fault.position) + " is not a tile (" + hintFor(fault.code) + ")";
        }
        case HandFault::DigitAfterSuit:
            return named + "suit letter '" + SuitLetter(fault.suit) + "'" +
                   atPosition(fault.suitPosition) + " must come last";
        case HandFault::TwoSuits:
            return named + "two suit letters, '" + SuitLetter(fault.suit) + "'" +
                   atPosition(fault.suitPosition) + " and '" + static_cast<char>(fault.character) +
                   "'" + atPosition(fault.position);
        case HandFault::TileCount:
            return named + std::to_string(fault.count) + (fault.count == 1 ? " tile" : " tiles") +
                   "; a hand has 4, 7, 10 or 13, or one more when won";
        case HandFault::FifthCopy:
            return named + std::to_string(fault.count) + " tiles of " +
                   std::to_string(fault.number) + ", but there are only four of each number";
    }
    return named + "not a hand";
}

std::optional<HandNotation> parseHand(std::string_view text, std::string& error) {
    HandNotation hand;
    const HandNotationFault fault = ParseHandNotation(text, hand, kEveryHandSize);
    if (fault.code != HandFault::None) {
        error = describeHandFault(text, fault);
        return std::nullopt;
    }
    return hand;
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

std::string escapeText(std::string_view text, std::size_t most) {
    std::string out;
    std::size_t at = 0;
    std::size_t shown = 0;
    while (at < text.size()) {
        if (shown++ == most) {
            out += "…[";
            out += std::to_string(text.size());
            out += " bytes]";
            break;
        }
        char32_t code = 0;
        // Read as the hand parser reads it, so a fault and its escaped text agree.
        const std::size_t length = DecodeUtf8(text, at, code);
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
