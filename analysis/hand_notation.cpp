#include "hand_notation.h"

#include <algorithm>

namespace zelkon {

namespace {

SuitKind SuitOfLetter(char32_t letter) {
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

// Why a character is no tile, most helpful first: near misses get a fault of their own.
HandFault FaultOfCharacter(std::size_t length, char32_t code) {
    if (length == 0) {
        return HandFault::StrayByte;
    }
    if (code == '0') {
        return HandFault::ZeroDigit;
    }
    if (code == 'M' || code == 'P' || code == 'S') {
        return HandFault::CapitalSuit;
    }
    if (code >= 0xFF10 && code <= 0xFF19) {
        return HandFault::WideDigit;
    }
    return HandFault::NotATile;
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

// The separators (Zs, Zl, Zp): line breaks, and spaces, which show as nothing.
constexpr std::array<CodeRange, 8> kSeparatorRanges{{
    {0x0020, 0x0020},
    {0x00A0, 0x00A0},
    {0x1680, 0x1680},
    {0x2000, 0x200A},
    {0x2028, 0x2029},
    {0x202F, 0x202F},
    {0x205F, 0x205F},
    {0x3000, 0x3000},
}};

// Surrogates (never a character of their own) and the private-use areas: no font is sure to
// draw them.
constexpr std::array<CodeRange, 4> kPrivateRanges{{
    {0xD800, 0xDFFF},
    {0xE000, 0xF8FF},
    {0xF0000, 0xFFFFD},
    {0x100000, 0x10FFFD},
}};

template <std::size_t N>
bool inRanges(const std::array<CodeRange, N>& ranges, char32_t code) {
    return std::any_of(ranges.begin(), ranges.end(),
                       [code](const CodeRange& r) { return code >= r.first && code <= r.last; });
}

// What a text field's trimming takes off: the separators, tab to carriage return, and NEL.
bool IsBlank(char32_t code) {
    return (code >= '\t' && code <= '\r') || code == 0x85 || inRanges(kSeparatorRanges, code);
}

}  // namespace

Hand13 HandNotation::hand13() const {
    Hand13 hand{};
    std::copy_n(tiles.begin(), hand.size(), hand.begin());
    return hand;
}

TileHand HandNotation::tileHand() const {
    TileHand hand;
    hand.tiles = tiles;
    hand.count = count;
    return hand;
}

TileHand HandNotation::typedHand() const {
    TileHand hand;
    hand.tiles = typed;
    hand.count = count;
    return hand;
}

Hand14 HandNotation::hand14() const {
    return tiles;
}

bool HandNotation::holds(TileNumber number) const {
    return std::find(tiles.begin(), tiles.begin() + count, number) != tiles.begin() + count;
}

std::size_t DecodeUtf8(std::string_view text, std::size_t at, char32_t& code) {
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
    // Overlong forms and surrogates would let a character pass under another's bytes.
    if (value < lowest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return 0;
    }
    code = value;
    return length;
}

HandNotationFault ParseHandNotation(std::string_view text, HandNotation& hand, HandSizes sizes) {
    hand = HandNotation{};
    HandNotationFault fault;
    if (text.empty()) {
        fault.code = HandFault::Empty;
        return fault;
    }
    std::array<std::int32_t, kNumberSlots> copies{};
    std::int32_t digits = 0;
    std::int32_t position = 0;
    std::int32_t suitPosition = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        ++position;
        char32_t code = 0;
        const std::size_t length = DecodeUtf8(text, at, code);
        const auto markCharacter = [&](HandFault kind) {
            fault.code = kind;
            fault.position = position;
            fault.byteOffset = static_cast<std::int32_t>(at);
            fault.byteLength = length == 0 ? 1 : static_cast<std::int32_t>(length);
            fault.character = length == 0 ? static_cast<unsigned char>(text[at]) : code;
            fault.suit = hand.suit;
            fault.suitPosition = suitPosition;
            return fault;
        };
        if (length == 1 && code >= '1' && code <= '9') {
            if (hand.suit != kNoSuit) {
                return markCharacter(HandFault::DigitAfterSuit);
            }
            const auto number = static_cast<TileNumber>(code - '0');
            // Digits past the fourteenth are only counted: the count fault names them.
            if (digits < static_cast<std::int32_t>(hand.tiles.size())) {
                hand.tiles[static_cast<std::size_t>(digits)] = number;
            }
            ++digits;
            ++copies[static_cast<std::size_t>(number)];
        } else if (length == 1 && SuitOfLetter(code) != kNoSuit) {
            if (hand.suit != kNoSuit) {
                return markCharacter(HandFault::TwoSuits);
            }
            hand.suit = SuitOfLetter(code);
            suitPosition = position;
        } else {
            return markCharacter(FaultOfCharacter(length, code));
        }
        at += length == 0 ? 1 : length;
    }
    if (digits > 14 || (sizes >> digits & 1u) == 0) {
        fault.code = HandFault::TileCount;
        fault.count = digits;
        return fault;
    }
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        if (copies[static_cast<std::size_t>(n)] > 4) {
            fault.code = HandFault::FifthCopy;
            fault.count = copies[static_cast<std::size_t>(n)];
            fault.number = n;
            return fault;
        }
    }
    hand.count = digits;
    hand.typed = hand.tiles;
    if (digits == 14) {
        SortHand(hand.tiles);
    } else if (digits == 13) {
        Hand13 sorted = hand.hand13();
        SortHand(sorted);
        std::copy(sorted.begin(), sorted.end(), hand.tiles.begin());
    } else {
        std::sort(hand.tiles.begin(), hand.tiles.begin() + digits);
    }
    return fault;
}

HandNotationFault ReadTypedHand(std::string_view text, HandSizes sizes, HandNotation& hand) {
    // The first and past the last character that is no blank, and the characters before it.
    std::size_t begin = text.size();
    std::size_t end = 0;
    std::int32_t lead = 0;
    for (std::size_t at = 0; at < text.size();) {
        char32_t code = 0;
        const std::size_t length = DecodeUtf8(text, at, code);
        const std::size_t next = at + (length == 0 ? 1 : length);
        if (length == 0 || !IsBlank(code)) {
            begin = std::min(begin, at);
            end = next;
        } else if (begin == text.size()) {
            ++lead;
        }
        at = next;
    }
    const std::string_view trimmed =
        begin < end ? text.substr(begin, end - begin) : std::string_view();
    HandNotationFault fault = ParseHandNotation(trimmed, hand, sizes | sizes << 1);
    if (fault.code == HandFault::None && (sizes >> hand.count & 1u) == 0) {
        fault.code = HandFault::TileCount;
        fault.count = hand.count;
    }
    if (fault.position > 0) {
        fault.position += lead;
        fault.byteOffset += static_cast<std::int32_t>(begin);
    }
    if (fault.suitPosition > 0) {
        fault.suitPosition += lead;
    }
    return fault;
}

char SuitLetter(SuitKind suit) {
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

HandText SpellHand(const Hand13& hand, SuitKind suit) {
    TileHand tiles = TileHandOf(hand);
    std::sort(tiles.tiles.begin(), tiles.tiles.begin() + 13);
    return SpellHand(tiles, suit);
}

HandText SpellHand(const HandNotation& hand) {
    return SpellHand(hand.tileHand(), hand.suit);
}

HandText SpellHand(const TileHand& hand, SuitKind suit) {
    HandText text;
    const auto count = std::clamp(hand.count, 0, static_cast<std::int32_t>(hand.tiles.size()));
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        text.chars[static_cast<std::size_t>(text.length++)] =
            static_cast<char>('0' + hand.tiles[i]);
    }
    if (const char letter = SuitLetter(suit); letter != '\0') {
        text.chars[static_cast<std::size_t>(text.length++)] = letter;
    }
    return text;
}

bool IsInvisibleCharacter(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code <= 0x9F) || inRanges(kFormatRanges, code) ||
           inRanges(kSeparatorRanges, code) || IsPrivateCharacter(code);
}

bool IsPrivateCharacter(char32_t code) {
    return inRanges(kPrivateRanges, code);
}

}  // namespace zelkon
