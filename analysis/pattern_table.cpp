#include "pattern_table.h"

namespace zelkon {

namespace {

std::int32_t Runs(const Decomposition& reading) {
    return reading.roleCount[Slot(TileRole::RunLow)];
}

std::int32_t Triplets(const Decomposition& reading) {
    return reading.roleCount[Slot(TileRole::Triplet)] / 3;
}

}  // namespace

std::int32_t IsPinfu(const Hand14&, const Decomposition& reading) {
    return reading.waitShape == WaitShape::TwoSided && Runs(reading) == 4 ? 1 : 0;
}

std::int32_t IsTanyao(const Hand14&, const Decomposition& reading) {
    return reading.terminalCount == 0 ? 1 : 0;
}

std::int32_t IsIipeikou(const Hand14& hand, const Decomposition& reading) {
    if (Runs(reading) < 2 || IsRyanpeikou(hand, reading) != 0) {
        return 0;
    }
    // Runs take the first Free tile of each number, so neighbouring RunLow tiles are equal runs.
    for (std::size_t j = 0; j + 1 < reading.roles.size(); ++j) {
        if (reading.roles[j] == TileRole::RunLow && reading.roles[j + 1] == TileRole::RunLow) {
            return 1;
        }
    }
    return 0;
}

std::int32_t IsChiitoitsu(const Hand14&, const Decomposition& reading) {
    return reading.roleCount[Slot(TileRole::SevenPairsPair)] == 12 ? 1 : 0;
}

std::int32_t IsIttsu(const Hand14& hand, const Decomposition& reading) {
    if (Runs(reading) < 3) {
        return 0;
    }
    bool from1 = false;
    bool from4 = false;
    bool from7 = false;
    for (std::size_t p = 0; p < hand.size(); ++p) {
        if (reading.roles[p] == TileRole::RunLow) {
            from1 = from1 || hand[p] == 1;
            from4 = from4 || hand[p] == 4;
            from7 = from7 || hand[p] == 7;
        }
    }
    return from1 && from4 && from7 ? 1 : 0;
}

std::int32_t IsToitoi(const Hand14&, const Decomposition& reading) {
    return Triplets(reading) >= 4 ? 1 : 0;
}

std::int32_t IsSanankou(const Hand14&, const Decomposition& reading) {
    const std::int32_t triplets = Triplets(reading);
    return triplets >= 4 || (triplets == 3 && reading.waitShape != WaitShape::DualPair) ? 1 : 0;
}

std::int32_t IsRyanpeikou(const Hand14&, const Decomposition& reading) {
    if (Runs(reading) < 4) {
        return 0;
    }
    int couples = 0;
    for (std::size_t j = 0; j < reading.roles.size();) {
        if (reading.roles[j] != TileRole::RunLow) {
            ++j;
            continue;
        }
        if (j + 1 >= reading.roles.size() || reading.roles[j + 1] != TileRole::RunLow) {
            return 0;
        }
        ++couples;
        j += 2;
    }
    return couples == 2 ? 1 : 0;
}

std::int32_t IsJunchan(const Hand14& hand, const Decomposition& reading) {
    if (Runs(reading) < 1) {
        return 0;
    }
    for (std::size_t p = 0; p < hand.size(); ++p) {
        const TileRole role = reading.roles[p];
        if (role == TileRole::RunMiddle || role == TileRole::RunHigh) {
            continue;
        }
        const bool outer =
            role == TileRole::RunLow ? hand[p] == 1 || hand[p] == 7 : hand[p] == 1 || hand[p] == 9;
        if (!outer) {
            return 0;
        }
    }
    return 1;
}

std::int32_t IsSuuankouTanki(const Hand14&, const Decomposition& reading) {
    return Triplets(reading) == 4 && reading.waitShape == WaitShape::Single ? 1 : 0;
}

std::int32_t IsChuuren(const Hand14& hand, const Decomposition&) {
    // The hand is ascending: three 1s and three 9s show at its ends, which settles most hands.
    if (hand[2] != 1 || hand[11] != 9) {
        return 0;
    }
    std::array<int, kNumberSlots> counts{};
    for (const TileNumber tile : hand) {
        if (tile < kMinTile || tile > kMaxTile) {
            return 0;
        }
        ++counts[static_cast<std::size_t>(tile)];
    }
    if (counts[1] < 3 || counts[9] < 3) {
        return 0;
    }
    for (int n = kMinTile; n <= kMaxTile; ++n) {
        if (counts[static_cast<std::size_t>(n)] == 0) {
            return 0;
        }
    }
    return 1;
}

const std::array<PatternPredicate, kPatternCount> PatternPredicates{
    IsPinfu,    IsTanyao,     IsIipeikou, IsChiitoitsu,    IsIttsu,   IsToitoi,
    IsSanankou, IsRyanpeikou, IsJunchan,  IsSuuankouTanki, IsChuuren,
};

void EvaluatePatterns(const Hand14& hand, Decomposition& reading) {
    for (std::size_t k = 0; k < PatternPredicates.size(); ++k) {
        reading.patterns[k] = PatternPredicates[k](hand, reading);
    }
    if (reading.patterns[9] != 0 || reading.patterns[10] != 0) {
        for (std::size_t k = 0; k < 9; ++k) {
            reading.patterns[k] = 0;
        }
    }
}

std::int32_t HanTotal(const PatternFlags& flags) {
    std::int32_t sum = 0;
    for (std::size_t k = 0; k < PatternTable.size(); ++k) {
        if (flags[k] != 0) {
            sum += PatternTable[k].han;
        }
    }
    return sum;
}

namespace {

// Scores the count records of table and returns the best, or -1 when count is negative.
std::int32_t ScoreReadings(const Hand14& hand, DecompositionTable& table, std::int32_t& count) {
    if (count < 0) {
        count = 0;
        return -1;
    }
    std::int32_t best = 0;
    std::int32_t bestSum = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        Decomposition& reading = table[static_cast<std::size_t>(i)];
        EvaluatePatterns(hand, reading);
        // Ties go to the later record; players see which reading that is.
        const std::int32_t sum = HanTotal(reading.patterns);
        if (sum >= bestSum) {
            bestSum = sum;
            best = i;
        }
    }
    return best;
}

}  // namespace

std::int32_t EvaluateReadings(const Hand14& hand, TileNumber winningTile, DecompositionTable& table,
                              std::int32_t& count) {
    count = EnumerateDecompositions(hand, winningTile, table);
    return ScoreReadings(hand, table, count);
}

std::int32_t EvaluateFifthCopyReadings(const Hand14& hand, TileNumber winningTile,
                                       DecompositionTable& table, std::int32_t& count) {
    count = EnumerateFifthCopyDecompositions(hand, winningTile, table);
    return ScoreReadings(hand, table, count);
}

std::int32_t EvaluateWinningHand(const Hand14& hand, TileNumber winningTile, std::int32_t* result) {
    DecompositionTable table;
    std::int32_t count = 0;
    const std::int32_t best = EvaluateReadings(hand, winningTile, table, count);
    if (best < 0) {
        return 0;
    }
    const PatternFlags& flags = table[static_cast<std::size_t>(best)].patterns;
    for (std::size_t k = 0; k < kPatternCount; ++k) {
        result[k] = flags[k];
    }
    return 1;
}

}  // namespace zelkon
