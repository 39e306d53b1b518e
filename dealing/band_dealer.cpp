#include "band_dealer.h"

#include <algorithm>
#include <bit>

#include "analysis/tile_hand.h"
#include "analysis/wait_finder.h"
#include "complete_hand_generator.h"
#include "problem_dealer.h"
#include "random_source.h"

namespace zelkon {

namespace {

// Copies per number 1..9 of a hand.
using Copies = std::array<std::int32_t, kNumberSlots>;

constexpr std::int32_t kHandCount = 93'600;  // 13-tile hands, at most four of a number

// ways[n][s]: the ways numbers n..9, at most four copies each, make s tiles.
constexpr std::array<std::array<std::int32_t, 14>, kNumberSlots + 1> kWays = [] {
    std::array<std::array<std::int32_t, 14>, kNumberSlots + 1> ways{};
    ways[kNumberSlots][0] = 1;
    for (std::size_t n = kMaxTile; n >= kMinTile; --n) {
        for (std::size_t s = 0; s < 14; ++s) {
            for (std::size_t c = 0; c <= 4 && c <= s; ++c) {
                ways[n][s] += ways[n + 1][s - c];
            }
        }
    }
    return ways;
}();

// Hands ranked by their copies, number 1 first: a dense index for the tables below.
std::int32_t RankOf(const Copies& copies) {
    std::int32_t rank = 0;
    std::size_t left = 13;
    for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
        const auto held = static_cast<std::size_t>(copies[n]);
        for (std::size_t c = 0; c < held; ++c) {
            rank += kWays[n + 1][left - c];
        }
        left -= held;
    }
    return rank;
}

Hand13 HandOfRank(std::int32_t rank) {
    Hand13 hand{};
    std::size_t left = 13;
    std::size_t p = 0;
    for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
        std::size_t held = 0;
        while (rank >= kWays[n + 1][left - held]) {
            rank -= kWays[n + 1][left - held];
            ++held;
        }
        left -= held;
        for (std::size_t c = 0; c < held; ++c) {
            hand[p++] = static_cast<TileNumber>(n);
        }
    }
    return hand;
}

// The meld pool by kind: triplets of 1..9 (one copy each), then runs from 1..7 (four each).
constexpr std::size_t kMeldKinds = 16;
constexpr std::size_t kMelds = 4;

constexpr bool IsTriplet(std::size_t kind) {
    return kind < 9;
}

void AddMeld(Copies& copies, std::size_t kind) {
    if (IsTriplet(kind)) {
        copies[kind + 1] += 3;
    } else {
        for (std::size_t n = kind - 8; n <= kind - 6; ++n) {
            ++copies[n];
        }
    }
}

// Melds placed so far, kinds ascending; the order they were placed in does not change what
// the scan can place next, so each set is one state.
struct MeldSet {
    std::array<std::size_t, kMelds> kinds;
    std::size_t size;
};

// The chance that the scan places kind next. Fifty passes of 37 swaps leave the pool as good as
// uniformly shuffled, so every copy that still fits is equally likely to come first: any copy
// scanned and skipped earlier did not fit then and cannot fit now, as counts only grow.
double ChanceOfNext(TileNumber pair, const MeldSet& placed, std::size_t kind) {
    Copies copies{};
    copies[static_cast<std::size_t>(pair)] = 2;
    std::array<std::int32_t, kMeldKinds> used{};
    for (std::size_t i = 0; i < placed.size; ++i) {
        AddMeld(copies, placed.kinds[i]);
        ++used[placed.kinds[i]];
    }
    std::int32_t fitting = 0;
    std::int32_t wanted = 0;
    for (std::size_t k = 0; k < kMeldKinds; ++k) {
        const bool fits = IsTriplet(k)
                              ? copies[k + 1] + 3 <= 4
                              : copies[k - 8] < 4 && copies[k - 7] < 4 && copies[k - 6] < 4;
        const std::int32_t left = fits ? (IsTriplet(k) ? 1 : 4) - used[k] : 0;
        fitting += left;
        wanted += k == kind ? left : 0;
    }
    return fitting > 0 ? static_cast<double>(wanted) / fitting : 0.0;
}

// The chance of each hand in plain dealing, and the hands that can be dealt ordered by wait
// count, so that a band is one stretch of a cumulative table.
class BandTable {
public:
    BandTable() {
        for (TileNumber pair = kMinTile; pair <= kMaxTile; ++pair) {
            AddHandsWithPair(pair);
        }
        std::array<std::int32_t, kNumberSlots + 1> perCount{};
        for (std::int32_t rank = 0; rank < kHandCount; ++rank) {
            const auto r = static_cast<std::size_t>(rank);
            m_waits[r] = m_chance[r] > 0 ? static_cast<std::uint8_t>(CountWaits(HandOfRank(rank)))
                                         : std::uint8_t{0};
            ++perCount[m_waits[r]];
        }
        // Hands that plain dealing never gives (wait count 0 here) stay out of every band.
        m_first[0] = 0;
        m_first[1] = 0;
        for (std::size_t c = 1; c <= kMaxTile; ++c) {
            m_first[c + 1] = m_first[c] + perCount[c];
        }
        std::array<std::int32_t, kNumberSlots + 1> next = m_first;
        for (std::int32_t rank = 0; rank < kHandCount; ++rank) {
            const std::uint8_t waits = m_waits[static_cast<std::size_t>(rank)];
            if (waits > 0) {
                m_order[static_cast<std::size_t>(next[waits]++)] = rank;
            }
        }
        m_cumulative[0] = 0;
        for (std::int32_t i = 0; i < m_first[kNumberSlots]; ++i) {
            const auto slot = static_cast<std::size_t>(i);
            m_cumulative[slot + 1] =
                m_cumulative[slot] + m_chance[static_cast<std::size_t>(m_order[slot])];
        }
    }

    double Chance(const Copies& copies) const {
        return m_chance[static_cast<std::size_t>(RankOf(copies))];
    }

    double Share(std::int32_t fewest, std::int32_t most) const {
        return At(End(most)) - At(Begin(fewest));
    }

    // u in [0, 1) picks a hand of the band, each as likely as in plain dealing.
    Hand13 Pick(std::int32_t fewest, std::int32_t most, double u) const {
        const std::int32_t begin = Begin(fewest);
        const std::int32_t end = End(most);
        const double target = At(begin) + u * (At(end) - At(begin));
        // The first hand whose stretch ends beyond target; rounding at the top keeps the last.
        const auto from = m_cumulative.begin() + begin + 1;
        const auto to = m_cumulative.begin() + end + 1;
        auto found = std::upper_bound(from, to, target);
        if (found == to) {
            --found;
        }
        const auto index = static_cast<std::size_t>(found - m_cumulative.begin() - 1);
        return HandOfRank(m_order[index]);
    }

private:
    std::int32_t Begin(std::int32_t fewest) const {
        return m_first[static_cast<std::size_t>(fewest)];
    }
    std::int32_t End(std::int32_t most) const {
        return m_first[static_cast<std::size_t>(most) + 1];
    }
    double At(std::int32_t index) const { return m_cumulative[static_cast<std::size_t>(index)]; }

    // Every set of four melds with its chance, summed over the orders that place it; then each
    // of the fourteen positions dropped alike.
    void AddHandsWithPair(TileNumber pair) {
        std::array<double, kMeldKinds> one{};
        std::array<std::array<double, kMeldKinds>, kMeldKinds> two{};
        std::array<std::array<std::array<double, kMeldKinds>, kMeldKinds>, kMeldKinds> three{};
        // Level by level: a set's chance needs every set one meld smaller.
        const MeldSet none{{}, 0};
        for (std::size_t a = 0; a < kMeldKinds; ++a) {
            one[a] = ChanceOfNext(pair, none, a) / kMaxTile;
        }
        for (std::size_t a = 0; a < kMeldKinds; ++a) {
            for (std::size_t b = a; b < kMeldKinds; ++b) {
                two[a][b] = Through(
                    MeldSet{{a, b}, 2}, [&](const MeldSet& before) { return one[before.kinds[0]]; },
                    pair);
            }
        }
        for (std::size_t a = 0; a < kMeldKinds; ++a) {
            for (std::size_t b = a; b < kMeldKinds; ++b) {
                for (std::size_t c = b; c < kMeldKinds; ++c) {
                    three[a][b][c] = Through(
                        MeldSet{{a, b, c}, 3},
                        [&](const MeldSet& before) {
                            return two[before.kinds[0]][before.kinds[1]];
                        },
                        pair);
                }
            }
        }
        for (std::size_t a = 0; a < kMeldKinds; ++a) {
            for (std::size_t b = a; b < kMeldKinds; ++b) {
                for (std::size_t c = b; c < kMeldKinds; ++c) {
                    for (std::size_t d = c; d < kMeldKinds; ++d) {
                        const MeldSet four{{a, b, c, d}, 4};
                        const double chance = Through(
                            four,
                            [&](const MeldSet& before) {
                                return three[before.kinds[0]][before.kinds[1]][before.kinds[2]];
                            },
                            pair);
                        if (chance > 0) {
                            AddDrops(pair, four, chance);
                        }
                    }
                }
            }
        }
    }

    // The chance of reaching set: over each distinct kind placed last, the chance of the set
    // without it (from earlier) times the chance of placing it then.
    template <typename Earlier>
    static double Through(const MeldSet& set, Earlier earlier, TileNumber pair) {
        double chance = 0;
        for (std::size_t last = 0; last < set.size; ++last) {
            if (last > 0 && set.kinds[last] == set.kinds[last - 1]) {
                continue;
            }
            MeldSet before{{}, set.size - 1};
            for (std::size_t i = 0, j = 0; i < set.size; ++i) {
                if (i != last) {
                    before.kinds[j++] = set.kinds[i];
                }
            }
            const double reach = earlier(before);
            if (reach > 0) {
                chance += reach * ChanceOfNext(pair, before, set.kinds[last]);
            }
        }
        return chance;
    }

    void AddDrops(TileNumber pair, const MeldSet& melds, double chance) {
        Copies copies{};
        copies[static_cast<std::size_t>(pair)] = 2;
        for (const std::size_t kind : melds.kinds) {
            AddMeld(copies, kind);
        }
        for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
            if (copies[n] > 0) {
                Copies left = copies;
                --left[n];
                m_chance[static_cast<std::size_t>(RankOf(left))] += chance * copies[n] / 14.0;
            }
        }
    }

    std::array<double, kHandCount> m_chance{};
    std::array<std::uint8_t, kHandCount> m_waits{};
    std::array<std::int32_t, kHandCount> m_order{};
    std::array<double, kHandCount + 1> m_cumulative{};
    std::array<std::int32_t, kNumberSlots + 1> m_first{};  // m_order index of each wait count
};

// Built on the first band deal (tens of milliseconds); 1.9 MB that plain dealing never touches.
const BandTable& Bands() {
    static const BandTable table;
    return table;
}

// Sixty random bits: two draws of thirty each, exact whatever the generator's RAND_MAX >= 2^30.
double DrawUnit() {
    constexpr int kBits = 1 << 30;
    const auto high = static_cast<double>(Draw() % kBits);
    const auto low = static_cast<double>(Draw() % kBits);
    return (high * kBits + low) / (static_cast<double>(kBits) * kBits);
}

}  // namespace

std::int32_t CountWaits(const Hand13& hand) {
    TileCounts counts{};
    for (const TileNumber tile : hand) {
        if (tile < kMinTile || tile > kMaxTile) {
            return 0;
        }
        ++counts[static_cast<std::size_t>(tile)];
    }
    // As FindWaits, a fifth copy is never counted.
    return std::popcount(WaitsOfCounts(counts));
}

void DealProblemWhere(Problem& problem, HandFilter fits, const void* context,
                      std::int32_t maxTries) {
    Hand13 hand{};
    // At least one hand, so that problem is always a whole question.
    for (std::int32_t tries = 0; tries < std::max(maxTries, std::int32_t{1}); ++tries) {
        BuildCompleteHand(hand);
        if (fits(hand, context)) {
            break;
        }
    }
    FillProblem(hand, problem);
}

double PlainShare(WaitBand band) {
    band.fewest = std::max(band.fewest, std::int32_t{1});
    band.most = std::min(band.most, std::int32_t{9});
    return band.fewest > band.most ? 0.0 : Bands().Share(band.fewest, band.most);
}

double PlainChance(const Hand13& hand) {
    Copies copies{};
    for (const TileNumber tile : hand) {
        if (tile < kMinTile || tile > kMaxTile) {
            return 0.0;
        }
        ++copies[static_cast<std::size_t>(tile)];
    }
    if (*std::max_element(copies.begin(), copies.end()) > 4) {
        return 0.0;
    }
    return Bands().Chance(copies);
}

void DealProblemInBand(Problem& problem, WaitBand band) {
    band.fewest = std::max(band.fewest, std::int32_t{1});
    band.most = std::min(band.most, std::int32_t{9});
    if (band.fewest > band.most || HoldsAllHands(band)) {
        DealProblem(problem);
        return;
    }
    FillProblem(Bands().Pick(band.fewest, band.most, DrawUnit()), problem);
}

}  // namespace zelkon
