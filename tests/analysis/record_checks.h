// Checks on the records that EnumerateDecompositions appends, shared by the tables of known hands
// and the walk over every hand.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "analysis/decomposition.h"
#include "support/hand_strings.h"

namespace zelkon::tests {

inline std::size_t Index(TileNumber n) {
    return static_cast<std::size_t>(n);
}
inline std::size_t Index(TileRole role) {
    return static_cast<std::size_t>(role);
}

// One letter per role, position by position: "PPLMHLMLHMHLMH".
inline char RoleLetter(TileRole role) {
    switch (role) {
        case TileRole::Free:
            return '.';
        case TileRole::Triplet:
            return 'T';
        case TileRole::RunLow:
            return 'L';
        case TileRole::RunMiddle:
            return 'M';
        case TileRole::RunHigh:
            return 'H';
        case TileRole::Pair:
            return 'P';
        case TileRole::SevenPairsPair:
            return 'S';
    }
    return '?';
}

inline std::string RoleLetters(const RoleList& roles) {
    std::string letters;
    for (const TileRole role : roles) {
        letters += RoleLetter(role);
    }
    return letters;
}

// A second method: the shape is read off the tiles the block held before the winning tile came,
// as a player reads it, not off the role. Two alike wait for a third; two with one between wait
// in the gap; two in a row wait on both sides unless the row touches 1 or 9; one waits alone.
inline WaitShape ExpectedShape(TileRole role, TileNumber winningTile) {
    const int w = winningTile;
    int first = 0;
    int second = 0;
    switch (role) {
        case TileRole::Triplet:
            first = second = w;
            break;
        case TileRole::RunLow:
            first = w + 1;
            second = w + 2;
            break;
        case TileRole::RunMiddle:
            first = w - 1;
            second = w + 1;
            break;
        case TileRole::RunHigh:
            first = w - 2;
            second = w - 1;
            break;
        default:
            return WaitShape::Single;
    }
    switch (second - first) {
        case 0:
            return WaitShape::DualPair;
        case 2:
            return WaitShape::Closed;
        default:
            return first == 1 || second == 9 ? WaitShape::Edge : WaitShape::TwoSided;
    }
}

// A table whose every byte is junk, so records that keep stale fields show.
inline std::unique_ptr<DecompositionTable> JunkTable() {
    auto table = std::make_unique<DecompositionTable>();
    std::memset(static_cast<void*>(table.get()), 0x5a, sizeof(DecompositionTable));
    return table;
}

// The roles really read the hand as a pair and four melds, or as seven different pairs.
inline ::testing::AssertionResult RolesReadTheHand(const Hand14& hand, const RoleList& roles) {
    std::array<int, 12> pairTiles{};
    std::array<int, 12> sevenPairTiles{};
    std::array<int, 12> triplets{};
    std::array<int, 12> low{};
    std::array<int, 12> middle{};
    std::array<int, 12> high{};
    for (std::size_t p = 0; p < hand.size(); ++p) {
        const std::size_t n = Index(hand[p]);
        switch (roles[p]) {
            case TileRole::Pair:
                ++pairTiles[n];
                break;
            case TileRole::SevenPairsPair:
                ++sevenPairTiles[n];
                break;
            case TileRole::Triplet:
                ++triplets[n];
                break;
            case TileRole::RunLow:
                ++low[n];
                break;
            case TileRole::RunMiddle:
                ++middle[n];
                break;
            case TileRole::RunHigh:
                ++high[n];
                break;
            default:
                return ::testing::AssertionFailure() << "position " << p << " has no role";
        }
    }
    int pairNumbers = 0;
    int sevenPairNumbers = 0;
    for (std::size_t n = 1; n <= 9; ++n) {
        if (pairTiles[n] != 0 && pairTiles[n] != 2) {
            return ::testing::AssertionFailure() << "pair tiles of two numbers";
        }
        pairNumbers += pairTiles[n] == 2 ? 1 : 0;
        if (sevenPairTiles[n] != 0 && (sevenPairTiles[n] != 2 || pairTiles[n] != 0)) {
            return ::testing::AssertionFailure() << "seven pairs not of different numbers";
        }
        sevenPairNumbers += sevenPairTiles[n] == 2 ? 1 : 0;
        if (triplets[n] % 3 != 0) {
            return ::testing::AssertionFailure() << "triplet tiles of " << n << " not in threes";
        }
        const int runsEndingHere = n >= 3 ? low[n - 2] : 0;
        const int runsThroughHere = n >= 2 ? low[n - 1] : 0;
        if (high[n] != runsEndingHere || middle[n] != runsThroughHere) {
            return ::testing::AssertionFailure() << "runs do not hold consecutive numbers at " << n;
        }
    }
    if (low[8] != 0 || low[9] != 0) {
        return ::testing::AssertionFailure() << "a run starts above 7";
    }
    if (pairNumbers != 1 || (sevenPairNumbers != 0 && sevenPairNumbers != 6)) {
        return ::testing::AssertionFailure() << "not one pair and melds or seven pairs";
    }
    return ::testing::AssertionSuccess();
}

// Every invariant of the records of one enumeration, and that the records of one reading stand
// together with one shape per distinct role of the winning number, in ascending role order.
inline ::testing::AssertionResult RecordsHoldTheirInvariants(const Hand14& hand,
                                                             TileNumber winningTile,
                                                             const DecompositionTable& table,
                                                             int count) {
    const std::string where = DigitsOf(hand) + " with " + std::to_string(winningTile);
    int terminals = 0;
    for (const TileNumber tile : hand) {
        terminals += tile == 1 || tile == 9 ? 1 : 0;
    }
    std::vector<std::string> readings;
    int i = 0;
    while (i < count) {
        const Decomposition& first = table[static_cast<std::size_t>(i)];
        const std::string letters = RoleLetters(first.roles);
        for (const std::string& earlier : readings) {
            if (earlier == letters) {
                return ::testing::AssertionFailure()
                       << where << ": reading " << letters << " recorded apart twice";
            }
        }
        readings.push_back(letters);
        auto rolesRead = RolesReadTheHand(hand, first.roles);
        if (!rolesRead) {
            return rolesRead << " in " << where << " record " << i << " " << letters;
        }

        std::array<bool, kRoleSlots> winnerRoles{};
        for (std::size_t p = 0; p < hand.size(); ++p) {
            if (hand[p] == winningTile) {
                winnerRoles[Index(first.roles[p])] = true;
            }
        }
        std::vector<WaitShape> shapes;
        for (std::size_t r = 0; r < winnerRoles.size(); ++r) {
            if (winnerRoles[r]) {
                shapes.push_back(ExpectedShape(static_cast<TileRole>(r), winningTile));
            }
        }
        if (shapes.empty()) {
            return ::testing::AssertionFailure() << where << ": winning tile not in the hand";
        }

        for (std::size_t s = 0; s < shapes.size(); ++s, ++i) {
            if (i >= count) {
                return ::testing::AssertionFailure()
                       << where << ": reading " << letters << " lacks the record of role " << s + 1
                       << " of the winning number";
            }
            const Decomposition& record = table[static_cast<std::size_t>(i)];
            const auto& rc = record.roleCount;
            std::array<std::int32_t, kRoleSlots> recount{};
            for (const TileRole role : record.roles) {
                ++recount[Index(role)];
            }
            std::int32_t sum = 0;
            for (const std::int32_t c : rc) {
                sum += c;
            }
            const std::int32_t melds = rc[Index(TileRole::Triplet)] + rc[Index(TileRole::RunLow)] +
                                       rc[Index(TileRole::RunMiddle)] +
                                       rc[Index(TileRole::RunHigh)];
            const std::int32_t sevenPairs = rc[Index(TileRole::SevenPairsPair)];
            bool patternsClear = true;
            for (const std::int32_t slot : record.patterns) {
                patternsClear = patternsClear && slot == 0;
            }
            const char* fault = nullptr;
            if (RoleLetters(record.roles) != letters) {
                fault = "roles differ from the other records of the reading";
            } else if (rc != recount) {
                fault = "roleCount does not count the roles";
            } else if (sum != 14 || rc[Index(TileRole::Free)] != 0 || rc[7] != 0) {
                fault = "roleCount does not sum to 14 over roles 1..6";
            } else if (rc[Index(TileRole::Pair)] != 2) {
                fault = "roleCount[Pair] is not 2";
            } else if (rc[Index(TileRole::Triplet)] % 3 != 0) {
                fault = "roleCount[Triplet] is not a multiple of 3";
            } else if (rc[Index(TileRole::RunLow)] != rc[Index(TileRole::RunMiddle)] ||
                       rc[Index(TileRole::RunLow)] != rc[Index(TileRole::RunHigh)]) {
                fault = "run roles differ in number";
            } else if (!((sevenPairs == 12 && melds == 0) || sevenPairs == 0)) {
                fault = "seven-pairs roles mixed with melds";
            } else if (record.terminalCount != terminals) {
                fault = "terminalCount is not the count of 1s and 9s";
            } else if (!patternsClear) {
                fault = "patterns not all zero when appended";
            } else if (record.waitShape != shapes[s]) {
                fault = "wait shape is not the one of the winning number's role";
            }
            if (fault != nullptr) {
                return ::testing::AssertionFailure()
                       << where << " record " << i << " " << letters << ": " << fault;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace zelkon::tests
