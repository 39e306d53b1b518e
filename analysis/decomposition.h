// Every reading of a sorted 14-tile hand, one record per role of the winning number.
#pragma once

#include <array>
#include <cstdint>

#include "problem.h"
#include "vocabulary.h"

namespace zelkon {

enum class TileRole : std::int32_t {
    Free = 0,
    Triplet = 1,
    RunLow = 2,
    RunMiddle = 3,
    RunHigh = 4,
    Pair = 5,
    SevenPairsPair = 6,
};

enum class WaitShape : std::int32_t {
    TwoSided = 0,
    Edge = 1,
    Closed = 2,
    DualPair = 3,
    Single = 4,
};

// The shapes' names, the one spelling every window, report and record uses.
constexpr const char* WaitShapeName(WaitShape shape, Language language = Language::Japanese) {
    const auto i = static_cast<std::size_t>(shape);
    return i < kWaitShapeTerms.size() ? kWaitShapeTerms[i].in(language) : "?";
}

inline constexpr int kRoleSlots = 8;

constexpr std::size_t Slot(TileRole role) {
    return static_cast<std::size_t>(role);
}

using RoleList = std::array<TileRole, 14>;

struct Decomposition {
    RoleList roles;
    std::array<std::int32_t, kRoleSlots> roleCount;  // indexed by TileRole
    PatternFlags patterns;                           // all 0 when appended
    WaitShape waitShape;
    std::int32_t terminalCount;
};

inline constexpr int kDecompositionCapacity = 32;
using DecompositionTable = std::array<Decomposition, kDecompositionCapacity>;

// One entry per number holding Free tiles, ascending; number 0 ends the list.
struct FreeGroup {
    TileNumber number;
    std::int32_t count;
    std::int32_t firstIndex;
};

inline constexpr int kFreeGroupCapacity = 15;
using FreeGroupList = std::array<FreeGroup, kFreeGroupCapacity>;

// Fill count of the table being filled; reset by every enumeration, so the analysis is not
// re-entrant.
extern std::int32_t decompositionCount;

// Preconditions: hand ascending, every tile 1..9, no number more than four times, winningTile in
// the hand. A hand that breaks them gets -1 and no record. Otherwise returns the number of records
// appended (1 to 20), or -1 when the hand has no reading. Record order is observable: ties between
// equal readings go to the later record.
std::int32_t EnumerateDecompositions(const Hand14& hand, TileNumber winningTile,
                                     DecompositionTable& table);

// As EnumerateDecompositions, but one number may stand five times: what a fifth copy of a tile
// would complete, for explaining why it is no wait. The quiz never calls it.
std::int32_t EnumerateFifthCopyDecompositions(const Hand14& hand, TileNumber winningTile,
                                              DecompositionTable& table);

// Appends one record per distinct role of winningTile in the complete reading roles, in
// ascending role order; returns decompositionCount afterwards.
std::int32_t RecordDecomposition(const Hand14& hand, const RoleList& roles, TileNumber winningTile,
                                 DecompositionTable& table);

// Fills every field but waitShape. Once the table is full, further records land in a scratch
// record that is never counted, so nothing is written outside the table.
Decomposition& AppendDecomposition(const Hand14& hand, const RoleList& roles,
                                   DecompositionTable& table);

// Writes the group list of the Free tiles of roles and returns the entries before the end mark.
std::int32_t GroupFreeTiles(FreeGroupList& groups, const Hand14& hand, const RoleList& roles);

// The wait shape implied by winningTile playing role; role is never Free in a recorded reading.
WaitShape ShapeOfRole(TileRole role, TileNumber winningTile);

}  // namespace zelkon
