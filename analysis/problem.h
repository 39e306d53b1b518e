// Tiles, hands and the record of one dealt question.
#pragma once

#include <array>
#include <cstdint>

namespace zelkon {

// A tile is its number alone, 1 to 9; the suit belongs to the whole problem.
using TileNumber = std::int32_t;

inline constexpr TileNumber kMinTile = 1;
inline constexpr TileNumber kMaxTile = 9;

// Arrays over tile numbers leave index 0 empty.
inline constexpr int kNumberSlots = 10;

using Hand13 = std::array<TileNumber, 13>;
using Hand14 = std::array<TileNumber, 14>;

// Bit n (1..9) set for number n; bit 0 is never set.
using NumberSet = std::uint16_t;

constexpr NumberSet NumberBit(TileNumber n) {
    return static_cast<NumberSet>(1u << static_cast<unsigned>(n));
}

// The suit in which a problem is drawn; it changes only the tile images.
using SuitKind = std::int32_t;
inline constexpr SuitKind kSuitManzu = 0;  // characters
inline constexpr SuitKind kSuitPinzu = 1;  // circles
inline constexpr SuitKind kSuitSouzu = 2;  // bamboo

inline constexpr int kPatternCount = 11;
inline constexpr int kPatternSlots = 49;

// Slot k belongs to row k of the pattern table; slots 11 to 48 are room only.
using PatternFlags = std::array<std::int32_t, kPatternSlots>;

struct Problem {
    Hand13 sortedHand;
    Hand13 dealOrder;
    std::array<std::uint8_t, kNumberSlots> isWait;
    // Meaningful only where isWait is 1; other blocks keep what an earlier deal left.
    std::array<PatternFlags, kNumberSlots> patterns;
};

// The standard sort with the comparison "first minus second" that every analysed hand goes through.
template <std::size_t N>
void SortHand(std::array<TileNumber, N>& hand);

}  // namespace zelkon

#include <algorithm>

template <std::size_t N>
void zelkon::SortHand(std::array<TileNumber, N>& hand) {
    std::sort(hand.begin(), hand.end(), [](TileNumber a, TileNumber b) { return a - b < 0; });
}
