#include "smallest_core.h"

namespace zelkon {

namespace {

constexpr int kMeldKinds = 16;
constexpr int kNone = kMeldKinds;

// Meld kinds in the order of their digits: 111 123 222 234 ... 789 888 999. Enumerating kinds in
// this order meets the listing that reads first before any other of the same tiles.
constexpr std::array<Block, kMeldKinds> kMelds = [] {
    std::array<Block, kMeldKinds> melds{};
    std::size_t k = 0;
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        melds[k++] = {BlockKind::Triplet, n};
        if (n + 2 <= kMaxTile) {
            melds[k++] = {BlockKind::Run, n};
        }
    }
    return melds;
}();

// Takes meld kind out of counts; false (counts unchanged) when the tiles are not there.
bool TakeMeld(TileCounts& counts, int kind) {
    const Block& meld = kMelds[static_cast<std::size_t>(kind)];
    const auto n = static_cast<std::size_t>(meld.first);
    if (meld.kind == BlockKind::Triplet) {
        if (counts[n] < 3) {
            return false;
        }
        counts[n] -= 3;
        return true;
    }
    if (counts[n] < 1 || counts[n + 1] < 1 || counts[n + 2] < 1) {
        return false;
    }
    --counts[n];
    --counts[n + 1];
    --counts[n + 2];
    return true;
}

// Whether core a ranks before core b of the same size: family (none last), then digits.
bool RanksBefore(const FamilyFit& fitA, const TileCounts& a, const FamilyFit& fitB,
                 const TileCounts& b) {
    const FamilyIndex rankA = fitA.family == kNoFamily ? kFamilyCount : fitA.family;
    const FamilyIndex rankB = fitB.family == kNoFamily ? kFamilyCount : fitB.family;
    if (rankA != rankB) {
        return rankA < rankB;
    }
    // Same size: the digit strings compare as the counts do from number 1 up, more copies of a
    // low number first.
    for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
        if (a[n] != b[n]) {
            return a[n] > b[n];
        }
    }
    return false;
}

}  // namespace

bool FindSmallestCore(const TileCounts& hand, SmallestCore& out) {
    const std::int32_t total = TileTotal(hand);
    TileCounts check{};
    if (!IsWaitingSize(total) || !CountTiles(TileHandOf(hand), check) || check != hand) {
        return false;
    }
    SmallestCore best;
    best.core = hand;
    best.coreSize = total;
    best.waits = WaitsOfCounts(hand);
    best.family = FitFamily(hand);
    if (best.waits == 0) {
        out = best;
        return true;
    }
    const int most = (total - 1) / 3;
    // a <= b <= c <= d with kNone last: every multiset of up to most melds once, in the order
    // their listings read.
    std::array<int, kMaxSetAside> kinds{};
    for (kinds[0] = 0; kinds[0] <= kNone; ++kinds[0]) {
        TileCounts afterA = hand;
        if (kinds[0] == kNone || !TakeMeld(afterA, kinds[0])) {
            continue;
        }
        for (kinds[1] = kinds[0]; kinds[1] <= kNone; ++kinds[1]) {
            TileCounts afterB = afterA;
            if (kinds[1] != kNone && (most < 2 || !TakeMeld(afterB, kinds[1]))) {
                continue;
            }
            for (kinds[2] = kinds[1]; kinds[2] <= kNone; ++kinds[2]) {
                TileCounts afterC = afterB;
                if (kinds[2] != kNone && (most < 3 || !TakeMeld(afterC, kinds[2]))) {
                    continue;
                }
                for (kinds[3] = kinds[2]; kinds[3] <= kNone; ++kinds[3]) {
                    TileCounts core = afterC;
                    if (kinds[3] != kNone && (most < 4 || !TakeMeld(core, kinds[3]))) {
                        continue;
                    }
                    int taken = 0;
                    while (taken < kMaxSetAside &&
                           kinds[static_cast<std::size_t>(taken)] != kNone) {
                        ++taken;
                    }
                    const std::int32_t size = total - 3 * taken;
                    if (size > best.coreSize || WaitsOfCounts(core, hand) != best.waits) {
                        continue;
                    }
                    const FamilyFit fit = FitFamily(core);
                    if (size == best.coreSize && !RanksBefore(fit, core, best.family, best.core)) {
                        continue;
                    }
                    best.core = core;
                    best.coreSize = size;
                    best.family = fit;
                    best.setAsideCount = taken;
                    for (int i = 0; i < taken; ++i) {
                        best.setAside[static_cast<std::size_t>(i)] =
                            kMelds[static_cast<std::size_t>(kinds[static_cast<std::size_t>(i)])];
                    }
                }
            }
        }
    }
    out = best;
    return true;
}

}  // namespace zelkon
