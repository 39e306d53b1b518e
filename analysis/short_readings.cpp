#include "short_readings.h"

#include "wait_shapes.h"

namespace zelkon {

namespace {

// Blocks stand in the explanation's order: by first tile, then pair, triplet, run.
void AppendRecords(std::int32_t pair, std::uint32_t triplets, const TileCounts& runs,
                   TileNumber winningTile,
                   std::array<ExplainedReading, kMaxExplainedReadings>& readings,
                   std::int32_t& written) {
    ExplainedReading reading{};
    std::int32_t b = 0;
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        const auto slot = static_cast<std::size_t>(n);
        if (n == pair) {
            reading.blocks[static_cast<std::size_t>(b++)] = {BlockKind::Pair, n};
        }
        if ((triplets >> slot & 1u) != 0) {
            reading.blocks[static_cast<std::size_t>(b++)] = {BlockKind::Triplet, n};
        }
        for (int r = 0; r < runs[slot]; ++r) {
            reading.blocks[static_cast<std::size_t>(b++)] = {BlockKind::Run, n};
        }
    }
    reading.blockCount = b;
    const auto w = static_cast<std::size_t>(winningTile);
    // The roles in TileRole order: triplet, low, middle and high tile of a run, pair.
    const std::array<Block, 5> targets{{{BlockKind::Triplet, winningTile},
                                        {BlockKind::Run, winningTile},
                                        {BlockKind::Run, winningTile - 1},
                                        {BlockKind::Run, winningTile - 2},
                                        {BlockKind::Pair, winningTile}}};
    const std::array<bool, 5> plays{(triplets >> w & 1u) != 0, runs[w] > 0,
                                    w >= 2 && runs[w - 1] > 0, w >= 3 && runs[w - 2] > 0,
                                    pair == winningTile};
    const std::array<TileRole, 5> roles{TileRole::Triplet, TileRole::RunLow, TileRole::RunMiddle,
                                        TileRole::RunHigh, TileRole::Pair};
    for (std::size_t r = 0; r < roles.size(); ++r) {
        if (!plays[r] || written >= kMaxExplainedReadings) {
            continue;
        }
        ExplainedReading& record = readings[static_cast<std::size_t>(written++)];
        record = reading;
        record.waitShape = ShapeOfRole(roles[r], winningTile);
        record.winningBlock = -1;
        for (std::int32_t i = 0; i < b && record.winningBlock < 0; ++i) {
            const Block& block = record.blocks[static_cast<std::size_t>(i)];
            if (block.kind == targets[r].kind && block.first == targets[r].first) {
                record.winningBlock = i;
            }
        }
    }
}

}  // namespace

std::int32_t ShortReadings(const TileCounts& counts, TileNumber winningTile,
                           std::array<ExplainedReading, kMaxExplainedReadings>& readings) {
    const std::int32_t total = TileTotal(counts);
    if (total % 3 != 2 || total > 11 || winningTile < kMinTile || winningTile > kMaxTile ||
        counts[static_cast<std::size_t>(winningTile)] < 1) {
        return 0;
    }
    for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
        if (counts[n] < 0 || counts[n] > (n == static_cast<std::size_t>(winningTile) ? 5 : 4)) {
            return 0;
        }
    }
    std::int32_t written = 0;
    for (std::int32_t pair = kMinTile; pair <= kMaxTile; ++pair) {
        TileCounts rest = counts;
        rest[static_cast<std::size_t>(pair)] -= 2;
        if (rest[static_cast<std::size_t>(pair)] < 0) {
            continue;
        }
        std::uint32_t candidates = 0;
        for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
            candidates |= rest[n] >= 3 ? 1u << n : 0u;
        }
        // Every subset of the numbers that can stand as a triplet, ascending: the copies left at
        // each number must then all open runs, so a subset gives one reading or none.
        std::uint32_t triplets = 0;
        for (;;) {
            TileCounts left = rest;
            TileCounts runs{};
            bool fits = true;
            for (std::size_t n = kMinTile; n <= kMaxTile && fits; ++n) {
                // Runs from lower numbers may have taken the copies a triplet needs.
                if ((triplets >> n & 1u) != 0) {
                    left[n] -= 3;
                }
                runs[n] = left[n];
                fits = left[n] == 0 || (left[n] > 0 && n + 2 <= kMaxTile &&
                                        left[n + 1] >= left[n] && left[n + 2] >= left[n]);
                if (fits && left[n] > 0) {
                    left[n + 1] -= left[n];
                    left[n + 2] -= left[n];
                }
            }
            if (fits) {
                AppendRecords(pair, triplets, runs, winningTile, readings, written);
            }
            if (triplets == candidates) {
                break;
            }
            triplets = (triplets - candidates) & candidates;
        }
    }
    return written;
}

void ShortWaitShapes(const TileCounts& counts, NumberSet waits,
                     std::array<std::uint8_t, kNumberSlots>& shapes) {
    shapes.fill(0);
    std::array<ExplainedReading, kMaxExplainedReadings> readings;
    for (TileNumber w = kMinTile; w <= kMaxTile; ++w) {
        if ((waits & NumberBit(w)) == 0) {
            continue;
        }
        TileCounts won = counts;
        ++won[static_cast<std::size_t>(w)];
        const std::int32_t count = ShortReadings(won, w, readings);
        for (std::int32_t i = 0; i < count; ++i) {
            shapes[static_cast<std::size_t>(w)] |=
                ShapeBit(readings[static_cast<std::size_t>(i)].waitShape);
        }
    }
}

bool WaitShapesOfHand(const TileHand& hand, std::array<std::uint8_t, kNumberSlots>& shapes) {
    shapes.fill(0);
    TileCounts counts{};
    if (!IsWaitingSize(hand.count) || !CountTiles(hand, counts)) {
        return false;
    }
    if (hand.count == 13) {
        Hand13 tiles{};
        for (std::size_t i = 0; i < tiles.size(); ++i) {
            tiles[i] = hand.tiles[i];
        }
        WaitShapesOf(tiles, shapes);
        return true;
    }
    ShortWaitShapes(counts, WaitsOfCounts(counts), shapes);
    return true;
}

}  // namespace zelkon
