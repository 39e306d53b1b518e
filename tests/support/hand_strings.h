// Hands written as digit strings ("11234455667789") in tests, and the answers of a problem as
// strings, so that tables of known hands read like the hands themselves.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "analysis/pattern_table.h"
#include "analysis/problem.h"
#include "analysis/tile_hand.h"

namespace zelkon::tests {

// Throws on a typo in a table rather than analysing a hand nobody meant.
template <std::size_t N>
std::array<TileNumber, N> HandOf(std::string_view digits) {
    if (digits.size() != N) {
        throw std::invalid_argument("hand of wrong length: " + std::string(digits));
    }
    std::array<TileNumber, N> hand{};
    for (std::size_t i = 0; i < N; ++i) {
        if (digits[i] < '0' || digits[i] > '9') {
            throw std::invalid_argument("not a digit in hand: " + std::string(digits));
        }
        hand[i] = digits[i] - '0';
    }
    return hand;
}

// A hand of any size, 4 to 14 digits.
inline TileHand TilesOf(std::string_view digits) {
    if (digits.size() > kMaxHandTiles) {
        throw std::invalid_argument("hand too long: " + std::string(digits));
    }
    TileHand hand;
    for (const char c : digits) {
        hand.tiles[static_cast<std::size_t>(hand.count++)] = c - '0';
    }
    return hand;
}

inline Hand13 Hand13Of(std::string_view digits) {
    return HandOf<13>(digits);
}
inline Hand14 Hand14Of(std::string_view digits) {
    return HandOf<14>(digits);
}

// Tiles outside 0..9 show as '?', so a broken hand still prints as something.
template <std::size_t N>
std::string DigitsOf(const std::array<TileNumber, N>& hand) {
    std::string digits;
    for (const TileNumber tile : hand) {
        digits += tile >= 0 && tile <= 9 ? static_cast<char>('0' + tile) : '?';
    }
    return digits;
}

// A hand of any size as its digits, "3334555".
inline std::string DigitsOf(const TileHand& hand) {
    std::string digits;
    for (std::int32_t i = 0; i < hand.count; ++i) {
        digits += static_cast<char>('0' + hand.tiles[static_cast<std::size_t>(i)]);
    }
    return digits;
}

// The 13 tiles with one more, sorted: the hand that a wait completes.
inline Hand14 WithTile(const Hand13& hand, TileNumber tile) {
    Hand14 full{};
    for (std::size_t i = 0; i < hand.size(); ++i) {
        full[i] = hand[i];
    }
    full[13] = tile;
    SortHand(full);
    return full;
}

// The waits of a problem as ascending digits, "147".
inline std::string WaitsOf(const Problem& problem) {
    std::string waits;
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        if (problem.isWait[static_cast<std::size_t>(n)] != 0) {
            waits += static_cast<char>('0' + n);
        }
    }
    return waits;
}

// The names of the set slots 0..10, in table order, joined by spaces; "" for none.
inline std::string PatternNamesOf(const std::int32_t* flags) {
    std::string names;
    for (std::size_t k = 0; k < PatternTable.size(); ++k) {
        if (flags[k] != 0) {
            if (!names.empty()) {
                names += ' ';
            }
            names += PatternTable[k].name;
        }
    }
    return names;
}

inline std::string PatternNamesOf(const PatternFlags& flags) {
    return PatternNamesOf(flags.data());
}

}  // namespace zelkon::tests
