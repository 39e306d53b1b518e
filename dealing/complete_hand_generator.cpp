#include "complete_hand_generator.h"

#include <algorithm>

#include "random_source.h"

namespace zelkon {

namespace {

constexpr int kShufflePasses = 50;

using MeldPool = std::array<std::int32_t, kMeldPoolSize>;

MeldPool FreshPool() {
    constexpr std::array<std::int32_t, 7> runs{123, 234, 345, 456, 567, 678, 789};
    MeldPool pool{};
    std::size_t i = 0;
    for (std::int32_t n = kMinTile; n <= kMaxTile; ++n) {
        pool[i++] = 111 * n;
    }
    for (int copy = 0; copy < 4; ++copy) {
        for (const std::int32_t run : runs) {
            pool[i++] = run;
        }
    }
    return pool;
}

// A draw reduced to 0..bound-1, as every use of the generator reduces it.
std::size_t DrawBelow(int bound) {
    return static_cast<std::size_t>(Draw() % bound);
}

// A complete hand of Melds melds and a pair, one tile dropped; every size draws alike, so a short
// hand comes from the same meld pool as the quiz's.
template <std::size_t Melds>
void Build(std::array<TileNumber, 3 * Melds + 1>& hand) {
    constexpr std::size_t kMeldSlots = 3 * Melds + 2;
    MeldPool pool = FreshPool();
    std::array<std::int32_t, kNumberSlots> counts{};
    std::array<TileNumber, kMeldSlots> working{};

    // Not Fisher-Yates: a dealt seed must give the same hands as it always has.
    for (int pass = 0; pass < kShufflePasses; ++pass) {
        for (std::size_t i = 0; i < pool.size(); ++i) {
            std::swap(pool[i], pool[DrawBelow(kMeldPoolSize)]);
        }
    }

    const auto pair = static_cast<TileNumber>(DrawBelow(9)) + 1;
    working[0] = working[1] = pair;
    counts[static_cast<std::size_t>(pair)] += 2;

    // The melds always fit before the pool runs out, so the scan needs no fallback.
    std::size_t k = 2;
    for (std::size_t i = 0; i < pool.size() && k < kMeldSlots; ++i) {
        const std::int32_t code = pool[i];
        const auto u = static_cast<std::size_t>(code % 10);
        const auto t = static_cast<std::size_t>(code % 100 / 10);
        const auto h = static_cast<std::size_t>(code / 100);
        if (u == t && t == h) {
            if (counts[u] + 3 > 4) {
                continue;
            }
            working[k] = working[k + 1] = working[k + 2] = static_cast<TileNumber>(u);
            counts[u] += 3;
        } else {
            if (counts[u] + 1 > 4 || counts[t] + 1 > 4 || counts[h] + 1 > 4) {
                continue;
            }
            working[k] = static_cast<TileNumber>(u);
            working[k + 1] = static_cast<TileNumber>(t);
            working[k + 2] = static_cast<TileNumber>(h);
            ++counts[u];
            ++counts[t];
            ++counts[h];
        }
        k += 3;
    }

    SortHand(working);
    const std::size_t dropped = DrawBelow(static_cast<int>(kMeldSlots));
    std::size_t out = 0;
    for (std::size_t p = 0; p < working.size(); ++p) {
        if (p != dropped) {
            hand[out++] = working[p];
        }
    }
}

}  // namespace

void BuildCompleteHand(Hand13& hand) {
    Build<4>(hand);
}

bool BuildShortCompleteHand(std::int32_t tiles, TileHand& hand) {
    hand = TileHand{};
    switch (tiles) {
        case 4: {
            std::array<TileNumber, 4> built{};
            Build<1>(built);
            std::copy(built.begin(), built.end(), hand.tiles.begin());
            break;
        }
        case 7: {
            std::array<TileNumber, 7> built{};
            Build<2>(built);
            std::copy(built.begin(), built.end(), hand.tiles.begin());
            break;
        }
        case 10: {
            std::array<TileNumber, 10> built{};
            Build<3>(built);
            std::copy(built.begin(), built.end(), hand.tiles.begin());
            break;
        }
        default:
            return false;
    }
    hand.count = tiles;
    return true;
}

}  // namespace zelkon
