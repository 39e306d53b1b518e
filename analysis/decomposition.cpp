#include "decomposition.h"

#include "tile_counts.h"

namespace zelkon {

std::int32_t decompositionCount = 0;

namespace {

constexpr int kCandidateCapacity = 14;
constexpr int kWorkStackCapacity = 256;

// Receives the records of a hand that would overflow the table; never read.
Decomposition overflowRecord;

// Fills counts on the way.
bool MeetsInputConditions(const Hand14& hand, TileNumber winningTile, int maxCopies,
                          TileCounts& counts) {
    if (winningTile < kMinTile || winningTile > kMaxTile) {
        return false;
    }
    for (std::size_t p = 0; p < hand.size(); ++p) {
        if (hand[p] < kMinTile || hand[p] > kMaxTile || (p > 0 && hand[p] < hand[p - 1])) {
            return false;
        }
        if (++counts[static_cast<std::size_t>(hand[p])] > maxCopies) {
            return false;
        }
    }
    return counts[static_cast<std::size_t>(winningTile)] > 0;
}

RoleList AllFree() {
    RoleList roles;
    roles.fill(TileRole::Free);
    return roles;
}

}  // namespace

WaitShape ShapeOfRole(TileRole role, TileNumber winningTile) {
    switch (role) {
        case TileRole::Triplet:
            return WaitShape::DualPair;
        case TileRole::RunLow:
            return winningTile == 7 ? WaitShape::Edge : WaitShape::TwoSided;
        case TileRole::RunMiddle:
            return WaitShape::Closed;
        case TileRole::RunHigh:
            return winningTile == 3 ? WaitShape::Edge : WaitShape::TwoSided;
        case TileRole::Free:
        case TileRole::Pair:
        case TileRole::SevenPairsPair:
            break;
    }
    return WaitShape::Single;
}

std::int32_t GroupFreeTiles(FreeGroupList& groups, const Hand14& hand, const RoleList& roles) {
    std::size_t current = 0;
    groups[0].number = 0;
    for (std::size_t p = 0; p < hand.size(); ++p) {
        if (roles[p] != TileRole::Free) {
            continue;
        }
        if (groups[current].number == 0) {
            groups[current] = {hand[p], 1, static_cast<std::int32_t>(p)};
        } else if (groups[current].number == hand[p]) {
            ++groups[current].count;
        } else {
            ++current;
            groups[current] = {hand[p], 1, static_cast<std::int32_t>(p)};
        }
    }
    if (groups[0].number == 0) {
        return 0;
    }
    // Fourteen tiles make at most fourteen groups, so the end mark always has room.
    groups[current + 1].number = 0;
    return static_cast<std::int32_t>(current + 1);
}

Decomposition& AppendDecomposition(const Hand14& hand, const RoleList& roles,
                                   DecompositionTable& table) {
    Decomposition& record = decompositionCount < kDecompositionCapacity
                                ? table[static_cast<std::size_t>(decompositionCount++)]
                                : overflowRecord;
    record.roles = roles;
    record.roleCount.fill(0);
    record.terminalCount = 0;
    for (std::size_t p = 0; p < hand.size(); ++p) {
        ++record.roleCount[Slot(roles[p])];
        if (hand[p] == kMinTile || hand[p] == kMaxTile) {
            ++record.terminalCount;
        }
    }
    record.patterns.fill(0);
    return record;
}

std::int32_t RecordDecomposition(const Hand14& hand, const RoleList& roles, TileNumber winningTile,
                                 DecompositionTable& table) {
    Decomposition* record = &AppendDecomposition(hand, roles, table);
    std::array<bool, kRoleSlots> played{};
    for (std::size_t p = 0; p < hand.size(); ++p) {
        if (hand[p] == winningTile) {
            played[Slot(roles[p])] = true;
        }
    }
    bool first = true;
    for (std::size_t role = 0; role < played.size(); ++role) {
        if (!played[role]) {
            continue;
        }
        if (!first) {
            record = &AppendDecomposition(hand, roles, table);
        }
        first = false;
        record->waitShape = ShapeOfRole(static_cast<TileRole>(role), winningTile);
    }
    return decompositionCount;
}

namespace {

std::int32_t Enumerate(const Hand14& hand, TileNumber winningTile, int maxCopies,
                       DecompositionTable& table) {
    decompositionCount = 0;
    std::int32_t result = -1;
    TileCounts counts{};
    if (!MeetsInputConditions(hand, winningTile, maxCopies, counts)) {
        return result;
    }

    // Of four or five equal tiles the first two and the last two are both tried as the pair, so
    // the Free tiles of a number always stand together.
    std::array<std::int32_t, kCandidateCapacity> candidates{};
    std::size_t candidateCount = 0;
    for (std::size_t p = 0; p < hand.size();) {
        std::size_t end = p + 1;
        while (end < hand.size() && hand[end] == hand[p]) {
            ++end;
        }
        if (end - p >= 2) {
            candidates[candidateCount++] = static_cast<std::int32_t>(p);
        }
        if (end - p >= 4) {
            candidates[candidateCount++] = static_cast<std::int32_t>(end - 2);
        }
        p = end;
    }

    const bool sevenPairsPossible = IsSevenPairs(counts);
    const std::size_t pairClass = LowestPossiblePair(counts) % 3;
    FreeGroupList groups;
    RoleList spare;
    std::array<RoleList, kWorkStackCapacity> stack;
    for (std::size_t i = 0; i < candidateCount; ++i) {
        const auto c = static_cast<std::size_t>(candidates[i]);
        stack[0] = AllFree();
        stack[0][c] = stack[0][c + 1] = TileRole::Pair;

        // Seven different pairs, none of them the pair's number; the counts rule out most hands
        // before the groups are built, with the same outcome.
        const std::int32_t groupCount =
            sevenPairsPossible ? GroupFreeTiles(groups, hand, stack[0]) : 0;
        bool sevenPairs = groupCount >= 6;
        for (std::size_t g = 0; sevenPairs && groups[g].number != 0; ++g) {
            sevenPairs = groups[g].count == 2 && groups[g].number != hand[c];
        }
        if (sevenPairs) {
            spare = stack[0];
            for (std::size_t g = 0; groups[g].number != 0; ++g) {
                const auto first = static_cast<std::size_t>(groups[g].firstIndex);
                spare[first] = spare[first + 1] = TileRole::SevenPairsPair;
            }
            result = RecordDecomposition(hand, spare, winningTile, table);
        }

        // A pair that leaves no melds would search in vain; skipping it changes no record.
        const auto pair = static_cast<std::size_t>(hand[c]);
        if (pair % 3 != pairClass || !SplitsAroundPair(counts, pair)) {
            continue;
        }

        // Depth first on an explicit stack: the run child sits above the triplet child, so it is
        // searched to the end first.
        std::size_t depth = 0;
        for (;;) {
            RoleList& top = stack[depth];
            const std::int32_t free = GroupFreeTiles(groups, hand, top);
            if (groups[0].number == 0) {
                result = RecordDecomposition(hand, top, winningTile, table);
            } else {
                const FreeGroup& low = groups[0];
                // The triplet child keeps this slot; the unchanged state moves up for the run.
                if (low.count >= 3 && depth + 1 < kWorkStackCapacity) {
                    stack[depth + 1] = top;
                    const auto first = static_cast<std::size_t>(low.firstIndex);
                    top[first] = top[first + 1] = top[first + 2] = TileRole::Triplet;
                    ++depth;
                }
                if (free >= 3 && groups[1].number == low.number + 1 &&
                    groups[2].number == low.number + 2 && depth + 1 < kWorkStackCapacity) {
                    RoleList& run = stack[depth];
                    run[static_cast<std::size_t>(groups[0].firstIndex)] = TileRole::RunLow;
                    run[static_cast<std::size_t>(groups[1].firstIndex)] = TileRole::RunMiddle;
                    run[static_cast<std::size_t>(groups[2].firstIndex)] = TileRole::RunHigh;
                    ++depth;
                }
            }
            if (depth == 0) {
                break;
            }
            --depth;
        }
    }
    return result;
}

}  // namespace

std::int32_t EnumerateDecompositions(const Hand14& hand, TileNumber winningTile,
                                     DecompositionTable& table) {
    return Enumerate(hand, winningTile, 4, table);
}

std::int32_t EnumerateFifthCopyDecompositions(const Hand14& hand, TileNumber winningTile,
                                              DecompositionTable& table) {
    return Enumerate(hand, winningTile, 5, table);
}

}  // namespace zelkon
