#include "shape_family.h"

#include <algorithm>

#include "tile_hand.h"

namespace zelkon {

namespace {

// A partial or a fixed form as the catalogue places it: copies from its lowest number on.
struct Pattern {
    std::array<int, kMaxTile> counts{};
    int length = 0;
    int low = 0;
    std::array<TileNumber, kMaxTile> waits{};
    int waitCount = 0;
};

Pattern PatternOf(std::string_view digits, std::string_view waits) {
    Pattern pattern;
    TileCounts counts{};
    for (const char c : digits) {
        ++counts[static_cast<std::size_t>(c - '0')];
    }
    const int low = digits.empty() ? 1 : *std::min_element(digits.begin(), digits.end()) - '0';
    const int high = digits.empty() ? 0 : *std::max_element(digits.begin(), digits.end()) - '0';
    pattern.low = low;
    pattern.length = high - low + 1;
    for (int i = 0; i < pattern.length; ++i) {
        pattern.counts[static_cast<std::size_t>(i)] = counts[static_cast<std::size_t>(low + i)];
    }
    for (const char c : waits) {
        pattern.waits[static_cast<std::size_t>(pattern.waitCount++)] = c - '0';
    }
    return pattern;
}

const std::array<Pattern, kFamilyCount>& Patterns() {
    static const std::array<Pattern, kFamilyCount> patterns = [] {
        std::array<Pattern, kFamilyCount> built{};
        for (std::size_t f = 0; f < built.size(); ++f) {
            built[f] = PatternOf(kShapeFamilies[f].partial, kShapeFamilies[f].partialWaits);
        }
        return built;
    }();
    return patterns;
}

// The edge loss of counts as a placement of pattern, or -1 when it is none (or one the placement
// rule forbids). The unmirrored reading is tried first.
int PlacementLoss(const TileCounts& counts, const Pattern& pattern, Placement placement) {
    int low = 0;
    int high = 0;
    for (int n = kMinTile; n <= kMaxTile; ++n) {
        if (counts[static_cast<std::size_t>(n)] > 0) {
            low = low == 0 ? n : low;
            high = n;
        }
    }
    if (low == 0 || high - low + 1 != pattern.length) {
        return -1;
    }
    for (const bool mirrored : {false, true}) {
        bool same = true;
        for (int i = 0; i < pattern.length && same; ++i) {
            const int at = mirrored ? pattern.length - 1 - i : i;
            same = counts[static_cast<std::size_t>(low + i)] ==
                   pattern.counts[static_cast<std::size_t>(at)];
        }
        // Where the catalogue's placement lands: as written, or mirrored by x -> 10 - x.
        const int home = mirrored ? 10 - (pattern.low + pattern.length - 1) : pattern.low;
        if (!same || (placement == Placement::EndsOnly && low != home)) {
            continue;
        }
        int loss = 0;
        for (int w = 0; w < pattern.waitCount; ++w) {
            const TileNumber base = pattern.waits[static_cast<std::size_t>(w)];
            const int placed = (mirrored ? 10 - base : base) + (low - home);
            loss += placed < kMinTile || placed > kMaxTile ? 1 : 0;
        }
        if (placement == Placement::KeepWaits && loss > 0) {
            continue;
        }
        return loss;
    }
    return -1;
}

bool HasRegularReading(const TileCounts& counts) {
    for (std::size_t p = kMinTile; p <= kMaxTile; ++p) {
        if (counts[p] >= 2 && SplitsAroundPair(counts, p)) {
            return true;
        }
    }
    return false;
}

bool IsSevenPairsOnly(const TileCounts& counts) {
    const TileNumber lone = SevenPairsWait(counts);
    if (lone == 0 || WaitsOfCounts(counts) != NumberBit(lone)) {
        return false;
    }
    TileCounts won = counts;
    ++won[static_cast<std::size_t>(lone)];
    return !HasRegularReading(won);
}

// The edge loss of core as a form of family, or -1 when it is none.
int FormLoss(const TileCounts& core, FamilyIndex family) {
    const ShapeFamily& entry = kShapeFamilies[static_cast<std::size_t>(family)];
    const Pattern& pattern = Patterns()[static_cast<std::size_t>(family)];
    if (TileTotal(core) != FamilyCoreSize(family)) {
        return -1;
    }
    switch (entry.kind) {
        case FamilyKind::FixedForm:
            return PlacementLoss(core, pattern, entry.placement);
        case FamilyKind::SevenPairsOnly:
            return IsSevenPairsOnly(core) ? 0 : -1;
        case FamilyKind::PairApart:
            break;
    }
    if (!entry.withPair) {
        return PlacementLoss(core, pattern, entry.placement);
    }
    // Exactly two of the pair's number: the partial holds none of it.
    for (std::size_t p = kMinTile; p <= kMaxTile; ++p) {
        if (core[p] != 2) {
            continue;
        }
        TileCounts partial = core;
        partial[p] = 0;
        const int loss = PlacementLoss(partial, pattern, entry.placement);
        if (loss >= 0) {
            return loss;
        }
    }
    return -1;
}

bool DigitsBefore(const TileCounts& a, const TileCounts& b) {
    const TileHand x = TileHandOf(a);
    const TileHand y = TileHandOf(b);
    return std::lexicographical_compare(x.tiles.begin(), x.tiles.begin() + x.count, y.tiles.begin(),
                                        y.tiles.begin() + y.count);
}

// Keeps forms ascending and distinct; candidates of another first fit are dropped.
void AddForm(const TileCounts& candidate, FamilyIndex family, FamilyForms& forms,
             std::int32_t& count) {
    for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
        if (candidate[n] > 4) {
            return;
        }
    }
    if (count >= kMaxFamilyForms || FitFamily(candidate).family != family) {
        return;
    }
    auto at = static_cast<std::size_t>(count);
    while (at > 0 && DigitsBefore(candidate, forms[at - 1])) {
        --at;
    }
    if (at > 0 && forms[at - 1] == candidate) {
        return;
    }
    for (auto i = static_cast<std::size_t>(count); i > at; --i) {
        forms[i] = forms[i - 1];
    }
    forms[at] = candidate;
    ++count;
}

}  // namespace

FamilyIndex FamilyIndexOf(std::string_view id) {
    for (std::size_t f = 0; f < kShapeFamilies.size(); ++f) {
        if (id == kShapeFamilies[f].id) {
            return static_cast<FamilyIndex>(f);
        }
    }
    return kNoFamily;
}

std::int32_t FamilyCoreSize(FamilyIndex family) {
    return static_cast<std::int32_t>(
        std::string_view(kShapeFamilies[static_cast<std::size_t>(family)].core).size());
}

FamilyFit FitFamily(const TileCounts& core) {
    for (FamilyIndex f = 0; f < kFamilyCount; ++f) {
        const int loss = FormLoss(core, f);
        if (loss >= 0) {
            return {f, loss};
        }
    }
    return {};
}

std::int32_t FormsOfFamily(FamilyIndex family, FamilyForms& forms) {
    std::int32_t count = 0;
    if (family < 0 || family >= kFamilyCount) {
        return 0;
    }
    const ShapeFamily& entry = kShapeFamilies[static_cast<std::size_t>(family)];
    if (entry.kind == FamilyKind::SevenPairsOnly) {
        for (std::uint32_t pairs = 0; pairs < 1u << kMaxTile; ++pairs) {
            for (std::size_t lone = kMinTile; lone <= kMaxTile; ++lone) {
                TileCounts candidate{};
                for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
                    candidate[n] = (pairs >> (n - 1) & 1u) != 0 ? 2 : 0;
                }
                if (candidate[lone] == 0 && TileTotal(candidate) == 12) {
                    candidate[lone] = 1;
                    AddForm(candidate, family, forms, count);
                }
            }
        }
        return count;
    }
    const Pattern& pattern = Patterns()[static_cast<std::size_t>(family)];
    for (int low = kMinTile; low + pattern.length - 1 <= kMaxTile; ++low) {
        for (const bool mirrored : {false, true}) {
            TileCounts placed{};
            for (int i = 0; i < pattern.length; ++i) {
                const int at = mirrored ? pattern.length - 1 - i : i;
                placed[static_cast<std::size_t>(low + i)] =
                    pattern.counts[static_cast<std::size_t>(at)];
            }
            if (entry.kind == FamilyKind::FixedForm || !entry.withPair) {
                AddForm(placed, family, forms, count);
                continue;
            }
            for (std::size_t p = kMinTile; p <= kMaxTile; ++p) {
                if (placed[p] == 0) {
                    TileCounts candidate = placed;
                    candidate[p] = 2;
                    AddForm(candidate, family, forms, count);
                }
            }
        }
    }
    return count;
}

}  // namespace zelkon
