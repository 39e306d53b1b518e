#include "hand_notation.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace zelkon {

namespace {

// Code points that would steer a terminal, break the line, or hide what the text holds: the
// invisible ones but the space, which shows between quotes, and private use, which a terminal
// draws as a box.
bool isUnsafe(char32_t code) {
    return code != U' ' && IsInvisibleCharacter(code) && !IsPrivateCharacter(code);
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

const char* suitWord(SuitKind suit, Language language) {
    return suit >= 0 && suit < static_cast<SuitKind>(kSuitTerms.size())
               ? kSuitTerms[static_cast<std::size_t>(suit)].in(language)
               : "";
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
