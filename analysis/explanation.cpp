#include "explanation.h"

#include <algorithm>

#include "pattern_table.h"
#include "short_readings.h"
#include "tile_counts.h"
#include "wait_finder.h"

namespace zelkon {

namespace {

// Pair before triplet before run at one number, as BlockKind counts.
bool ComesBefore(const Block& a, const Block& b) {
    return a.first != b.first ? a.first < b.first : a.kind < b.kind;
}

template <std::size_t N>
void SortBlocks(std::array<Block, N>& blocks, std::int32_t count) {
    for (std::int32_t i = 1; i < count; ++i) {
        const Block moving = blocks[static_cast<std::size_t>(i)];
        std::int32_t j = i;
        for (; j > 0 && ComesBefore(moving, blocks[static_cast<std::size_t>(j - 1)]); --j) {
            blocks[static_cast<std::size_t>(j)] = blocks[static_cast<std::size_t>(j - 1)];
        }
        blocks[static_cast<std::size_t>(j)] = moving;
    }
}

// The rank-th distinct role of winningTile in roles, in ascending role order: the role that a
// record stands for among the records of its reading.
TileRole RoleOfRank(const Hand14& hand, const RoleList& roles, TileNumber winningTile,
                    std::int32_t rank) {
    std::array<bool, kRoleSlots> played{};
    for (std::size_t p = 0; p < hand.size(); ++p) {
        if (hand[p] == winningTile) {
            played[Slot(roles[p])] = true;
        }
    }
    TileRole last = TileRole::Free;
    for (std::size_t role = 1; role < played.size(); ++role) {
        if (played[role]) {
            last = static_cast<TileRole>(role);
            if (rank-- == 0) {
                break;
            }
        }
    }
    return last;
}

void FillReading(const Hand14& hand, const Decomposition& record, TileRole winningRole,
                 TileNumber winningTile, ExplainedReading& out) {
    std::int32_t count = 0;
    std::array<int, kNumberSlots> tripletTiles{};
    for (std::size_t p = 0; p < hand.size(); ++p) {
        const TileRole role = record.roles[p];
        const bool continuesPair = p > 0 && record.roles[p - 1] == role && hand[p - 1] == hand[p];
        switch (role) {
            case TileRole::Pair:
            case TileRole::SevenPairsPair:
                if (!continuesPair && count < kMaxBlocks) {
                    out.blocks[static_cast<std::size_t>(count++)] = {BlockKind::Pair, hand[p]};
                }
                break;
            case TileRole::Triplet:
                if (tripletTiles[static_cast<std::size_t>(hand[p])]++ % 3 == 0 &&
                    count < kMaxBlocks) {
                    out.blocks[static_cast<std::size_t>(count++)] = {BlockKind::Triplet, hand[p]};
                }
                break;
            case TileRole::RunLow:
                if (count < kMaxBlocks) {
                    out.blocks[static_cast<std::size_t>(count++)] = {BlockKind::Run, hand[p]};
                }
                break;
            case TileRole::Free:
            case TileRole::RunMiddle:
            case TileRole::RunHigh:
                break;
        }
    }
    SortBlocks(out.blocks, count);
    out.blockCount = count;

    Block target{BlockKind::Pair, winningTile};
    if (winningRole == TileRole::Triplet) {
        target.kind = BlockKind::Triplet;
    } else if (winningRole == TileRole::RunLow || winningRole == TileRole::RunMiddle ||
               winningRole == TileRole::RunHigh) {
        target = {BlockKind::Run, winningTile - (static_cast<TileNumber>(winningRole) -
                                                 static_cast<TileNumber>(TileRole::RunLow))};
    }
    out.winningBlock = -1;
    for (std::int32_t b = 0; b < count && out.winningBlock < 0; ++b) {
        const Block& block = out.blocks[static_cast<std::size_t>(b)];
        if (block.kind == target.kind && block.first == target.first) {
            out.winningBlock = b;
        }
    }
    out.waitShape = record.waitShape;
    for (std::size_t k = 0; k < kPatternCount; ++k) {
        out.patterns[k] = record.patterns[k];
    }
    out.han = HanTotal(record.patterns);
}

// Keeps the first record of each reading, in table order, and finds best's among them.
void FindDistinct(NumberExplanation& out) {
    out.distinctCount = 0;
    out.bestDistinct = -1;
    for (std::int32_t i = 0; i < out.readingCount; ++i) {
        const ExplainedReading& reading = out.readings[static_cast<std::size_t>(i)];
        std::int32_t place = 0;
        while (place < out.distinctCount &&
               !SameReading(out.readings[static_cast<std::size_t>(
                                out.distinct[static_cast<std::size_t>(place)])],
                            reading)) {
            ++place;
        }
        if (place == out.distinctCount) {
            out.distinct[static_cast<std::size_t>(out.distinctCount++)] = i;
        }
        if (i == out.best) {
            out.bestDistinct = place;
        }
    }
}

void FillReadings(const Hand14& hand, TileNumber winningTile, const DecompositionTable& table,
                  std::int32_t count, std::int32_t best, NumberExplanation& out) {
    out.readingCount = count < kMaxExplainedReadings ? count : kMaxExplainedReadings;
    out.best = best;
    std::int32_t groupStart = 0;
    for (std::int32_t i = 0; i < out.readingCount; ++i) {
        const Decomposition& record = table[static_cast<std::size_t>(i)];
        if (i > 0 && table[static_cast<std::size_t>(i - 1)].roles != record.roles) {
            groupStart = i;
        }
        const TileRole role = RoleOfRank(hand, record.roles, winningTile, i - groupStart);
        FillReading(hand, record, role, winningTile, out.readings[static_cast<std::size_t>(i)]);
    }
    FindDistinct(out);
}

// Backtracking over the lowest tile still to place, on an explicit stack of steps. At one
// number the options only go up (runs, triplets, the pair, then the rest left over), so each
// split is met once.
class SplitSearch {
public:
    // meldLimit: the melds a complete hand of these tiles holds, four for fourteen.
    SplitSearch(const TileCounts& counts, int meldLimit)
        : m_counts(counts), m_meldLimit(meldLimit) {
        for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
            m_remaining += m_counts[n];
        }
    }

    // floor: no split can leave fewer, so the search may stop on reaching it.
    void Run(int floor, NumberExplanation& out) {
        m_bestLeft = m_remaining + 1;
        std::int32_t depth = 0;
        bool descend = true;
        for (;;) {
            if (descend) {
                const std::size_t n = LowestNumber();
                if (n == 0) {
                    if (m_left < m_bestLeft) {
                        Keep(depth, out);
                        if (m_bestLeft <= floor) {
                            break;
                        }
                    }
                    descend = false;
                } else if (m_left + Overflow() >= m_bestLeft) {
                    descend = false;
                } else {
                    const Step& previous =
                        m_steps[static_cast<std::size_t>(depth > 0 ? depth - 1 : 0)];
                    int option = depth > 0 && previous.number == n ? previous.option : kRun;
                    while (!Apply(option, n)) {
                        ++option;
                    }
                    m_steps[static_cast<std::size_t>(depth++)] = {n, option, m_lastLeft};
                    continue;
                }
            }
            // Back to the deepest step that has an option left.
            bool moved = false;
            while (depth > 0 && !moved) {
                Step& step = m_steps[static_cast<std::size_t>(depth - 1)];
                Undo(step);
                for (int option = step.option + 1; option <= kLeave && !moved; ++option) {
                    if (Apply(option, step.number)) {
                        step.option = option;
                        step.leftTiles = m_lastLeft;
                        moved = true;
                    }
                }
                if (!moved) {
                    --depth;
                }
            }
            if (!moved) {
                break;
            }
            descend = true;
        }
    }

private:
    enum Option : int { kRun = 0, kTriplet = 1, kPair = 2, kLeave = 3 };

    struct Step {
        std::size_t number;
        int option;
        int leftTiles;  // kLeave: how many tiles it left over
    };

    std::size_t LowestNumber() const {
        for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
            if (m_counts[n] > 0) {
                return n;
            }
        }
        return 0;
    }

    // Tiles that must be left over whatever comes next: more than the open blocks can take.
    int Overflow() const {
        const int room = 3 * (m_meldLimit - m_melds) + (m_pair ? 0 : 2);
        return m_remaining > room ? m_remaining - room : 0;
    }

    bool Apply(int option, std::size_t n) {
        switch (option) {
            case kRun:
                if (m_melds == m_meldLimit || n + 2 > kMaxTile || m_counts[n + 1] == 0 ||
                    m_counts[n + 2] == 0) {
                    return false;
                }
                --m_counts[n];
                --m_counts[n + 1];
                --m_counts[n + 2];
                m_remaining -= 3;
                ++m_melds;
                Push({BlockKind::Run, static_cast<TileNumber>(n)});
                return true;
            case kTriplet:
                if (m_melds == m_meldLimit || m_counts[n] < 3) {
                    return false;
                }
                m_counts[n] -= 3;
                m_remaining -= 3;
                ++m_melds;
                Push({BlockKind::Triplet, static_cast<TileNumber>(n)});
                return true;
            case kPair:
                if (m_pair || m_counts[n] < 2) {
                    return false;
                }
                m_counts[n] -= 2;
                m_remaining -= 2;
                m_pair = true;
                Push({BlockKind::Pair, static_cast<TileNumber>(n)});
                return true;
            default:
                m_lastLeft = m_counts[n];
                m_left += m_lastLeft;
                m_remaining -= m_lastLeft;
                m_counts[n] = 0;
                return true;
        }
    }

    void Undo(const Step& step) {
        const std::size_t n = step.number;
        switch (step.option) {
            case kRun:
                ++m_counts[n];
                ++m_counts[n + 1];
                ++m_counts[n + 2];
                m_remaining += 3;
                --m_melds;
                --m_blockCount;
                break;
            case kTriplet:
                m_counts[n] += 3;
                m_remaining += 3;
                --m_melds;
                --m_blockCount;
                break;
            case kPair:
                m_counts[n] += 2;
                m_remaining += 2;
                m_pair = false;
                --m_blockCount;
                break;
            default:
                m_counts[n] += step.leftTiles;
                m_remaining += step.leftTiles;
                m_left -= step.leftTiles;
                break;
        }
    }

    void Push(const Block& block) { m_blocks[static_cast<std::size_t>(m_blockCount++)] = block; }

    void Keep(std::int32_t depth, NumberExplanation& out) {
        m_bestLeft = m_left;
        out.split = m_blocks;
        out.splitCount = m_blockCount;
        SortBlocks(out.split, out.splitCount);
        out.leftoverCount = 0;
        for (std::int32_t d = 0; d < depth; ++d) {
            const Step& step = m_steps[static_cast<std::size_t>(d)];
            for (int c = 0; step.option == kLeave && c < step.leftTiles; ++c) {
                out.leftover[static_cast<std::size_t>(out.leftoverCount++)] =
                    static_cast<TileNumber>(step.number);
            }
        }
    }

    TileCounts m_counts;
    int m_meldLimit;
    int m_remaining = 0;
    int m_left = 0;
    int m_lastLeft = 0;
    int m_melds = 0;
    bool m_pair = false;
    int m_bestLeft = 0;
    std::array<Block, kMaxSplitBlocks> m_blocks{};
    std::int32_t m_blockCount = 0;
    // Every step places at least one tile.
    std::array<Step, 14> m_steps{};
};

void ClearNumber(NumberExplanation& out) {
    out.verdict = Verdict::NoReading;
    out.readingCount = 0;
    out.best = -1;
    out.distinctCount = 0;
    out.bestDistinct = -1;
    out.splitCount = 0;
    out.leftoverCount = 0;
}

// Number n of the ascending 13-tile hand whose copies are counts; number starts cleared.
void ExplainNumber13(const Hand13& hand, const TileCounts& counts, TileNumber n,
                     DecompositionTable& table, NumberExplanation& number) {
    const auto slot = static_cast<std::size_t>(n);
    Hand14 won{};
    std::size_t q = 0;
    for (; q < hand.size() && hand[q] <= n; ++q) {
        won[q] = hand[q];
    }
    won[q] = n;
    for (; q < hand.size(); ++q) {
        won[q + 1] = hand[q];
    }

    std::int32_t count = 0;
    if (counts[slot] == 4) {
        number.verdict = Verdict::FifthCopy;
        const std::int32_t best = EvaluateFifthCopyReadings(won, n, table, count);
        FillReadings(won, n, table, count, best, number);
        return;
    }
    // The lookup settles most numbers without an enumeration.
    if (IsCompleteHand(won) != 0) {
        const std::int32_t best = EvaluateReadings(won, n, table, count);
        if (best >= 0) {
            number.verdict = Verdict::Wait;
            FillReadings(won, n, table, count, best, number);
            return;
        }
    }
    TileCounts all = counts;
    ++all[slot];
    // Fourteen tiles that are not complete leave at least two: one short of four melds.
    SplitSearch(all, 4).Run(2, number);
}

// Number n of a short hand of tiles tiles whose copies are counts and waits waits; number starts
// cleared.
void ExplainShortNumber(const TileCounts& counts, std::int32_t tiles, NumberSet waits, TileNumber n,
                        NumberExplanation& number) {
    const auto slot = static_cast<std::size_t>(n);
    TileCounts won = counts;
    ++won[slot];
    if (counts[slot] == 4 || (waits & NumberBit(n)) != 0) {
        number.verdict = counts[slot] == 4 ? Verdict::FifthCopy : Verdict::Wait;
        number.readingCount = ShortReadings(won, n, number.readings);
        number.best = number.readingCount - 1;
        FindDistinct(number);
        return;
    }
    // Tiles that are not complete leave at least two, as at fourteen.
    SplitSearch(won, (tiles - 1) / 3).Run(2, number);
}

}  // namespace

bool SameReading(const ExplainedReading& a, const ExplainedReading& b) {
    if (a.waitShape != b.waitShape || a.blockCount != b.blockCount) {
        return false;
    }
    // Blocks stand in one fixed order, so equal readings list them alike.
    for (std::int32_t i = 0; i < a.blockCount; ++i) {
        const Block& x = a.blocks[static_cast<std::size_t>(i)];
        const Block& y = b.blocks[static_cast<std::size_t>(i)];
        if (x.kind != y.kind || x.first != y.first) {
            return false;
        }
    }
    return true;
}

bool ExplainHand(const Hand13& hand, HandExplanation& out) {
    out.hand = hand;
    out.tileCount = 13;
    for (NumberExplanation& number : out.numbers) {
        ClearNumber(number);
    }
    TileCounts counts{};
    for (const TileNumber tile : hand) {
        if (tile < kMinTile || tile > kMaxTile || ++counts[static_cast<std::size_t>(tile)] > 4) {
            return false;
        }
    }
    std::size_t p = 0;
    for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
        for (int c = 0; c < counts[n]; ++c) {
            out.hand[p++] = static_cast<TileNumber>(n);
        }
    }

    DecompositionTable table;
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        ExplainNumber13(out.hand, counts, n, table, out.numbers[static_cast<std::size_t>(n)]);
    }
    return true;
}

bool ExplainTiles(const TileHand& hand, HandExplanation& out) {
    TileCounts counts{};
    const bool valid = IsWaitingSize(hand.count) && CountTiles(hand, counts);
    if (valid && hand.count == 13) {
        Hand13 tiles{};
        std::copy_n(hand.tiles.begin(), tiles.size(), tiles.begin());
        return ExplainHand(tiles, out);
    }
    out.hand.fill(0);
    out.tileCount = valid ? hand.count : 0;
    for (NumberExplanation& number : out.numbers) {
        ClearNumber(number);
    }
    if (!valid) {
        return false;
    }
    const TileHand sorted = TileHandOf(counts);
    std::copy_n(sorted.tiles.begin(), static_cast<std::size_t>(sorted.count), out.hand.begin());
    const NumberSet waits = WaitsOfCounts(counts);
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        ExplainShortNumber(counts, hand.count, waits, n, out.numbers[static_cast<std::size_t>(n)]);
    }
    return true;
}

bool ExplainNumber(const TileHand& hand, TileNumber n, NumberExplanation& out) {
    ClearNumber(out);
    TileCounts counts{};
    if (!IsWaitingSize(hand.count) || !CountTiles(hand, counts) || n < kMinTile || n > kMaxTile) {
        return false;
    }
    if (hand.count == 13) {
        const TileHand sorted = TileHandOf(counts);
        Hand13 tiles{};
        std::copy_n(sorted.tiles.begin(), tiles.size(), tiles.begin());
        DecompositionTable table;
        ExplainNumber13(tiles, counts, n, table, out);
    } else {
        ExplainShortNumber(counts, hand.count, WaitsOfCounts(counts), n, out);
    }
    return true;
}

}  // namespace zelkon
