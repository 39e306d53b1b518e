// The eleven scoring patterns, their tests and the choice of the best reading.
#pragma once

#include <array>
#include <cstdint>

#include "decomposition.h"
#include "problem.h"
#include "vocabulary.h"

namespace zelkon {

struct PatternRow {
    const char* name;  // UTF-8
    std::int32_t han;
};

using PatternPredicate = std::int32_t (*)(const Hand14& hand, const Decomposition& reading);

// Row k belongs to slot k of PatternFlags.
inline constexpr std::array<PatternRow, kPatternCount> PatternTable{{
    {kPatternTerms[0].ja, 1},
    {kPatternTerms[1].ja, 1},
    {kPatternTerms[2].ja, 1},
    {kPatternTerms[3].ja, 2},
    {kPatternTerms[4].ja, 2},
    {kPatternTerms[5].ja, 2},
    {kPatternTerms[6].ja, 2},
    {kPatternTerms[7].ja, 3},
    {kPatternTerms[8].ja, 3},
    {kPatternTerms[9].ja, 13},
    {kPatternTerms[10].ja, 13},
}};

// The name of row slot (0 to 10) in language.
constexpr const char* PatternName(int slot, Language language) {
    return kPatternTerms[static_cast<std::size_t>(slot)].in(language);
}

std::int32_t IsPinfu(const Hand14& hand, const Decomposition& reading);
std::int32_t IsTanyao(const Hand14& hand, const Decomposition& reading);
std::int32_t IsIipeikou(const Hand14& hand, const Decomposition& reading);
std::int32_t IsChiitoitsu(const Hand14& hand, const Decomposition& reading);
std::int32_t IsIttsu(const Hand14& hand, const Decomposition& reading);
std::int32_t IsToitoi(const Hand14& hand, const Decomposition& reading);
std::int32_t IsSanankou(const Hand14& hand, const Decomposition& reading);
std::int32_t IsRyanpeikou(const Hand14& hand, const Decomposition& reading);
std::int32_t IsJunchan(const Hand14& hand, const Decomposition& reading);
std::int32_t IsSuuankouTanki(const Hand14& hand, const Decomposition& reading);
std::int32_t IsChuuren(const Hand14& hand, const Decomposition& reading);

// In row order, beside the table rows they decide.
extern const std::array<PatternPredicate, kPatternCount> PatternPredicates;

// Fills slots 0 to 10 of reading.patterns; a limit hand (slot 9 or 10) clears slots 0 to 8.
void EvaluatePatterns(const Hand14& hand, Decomposition& reading);

// Sum of han over the set slots 0 to 10.
std::int32_t HanTotal(const PatternFlags& flags);

// Preconditions as EnumerateDecompositions. Returns 1 and copies slots 0 to 10 of the best
// reading into result[0..10]; returns 0 and leaves result untouched when there is no reading.
// Among equal sums the later record wins.
std::int32_t EvaluateWinningHand(const Hand14& hand, TileNumber winningTile, std::int32_t* result);

// As EvaluateWinningHand, but keeps the evaluated table for callers that show every reading.
// Returns the best index, or -1 when there is no reading; count receives the number of records.
std::int32_t EvaluateReadings(const Hand14& hand, TileNumber winningTile, DecompositionTable& table,
                              std::int32_t& count);

// As EvaluateReadings over EnumerateFifthCopyDecompositions, with the same choice of the best.
std::int32_t EvaluateFifthCopyReadings(const Hand14& hand, TileNumber winningTile,
                                       DecompositionTable& table, std::int32_t& count);

}  // namespace zelkon
