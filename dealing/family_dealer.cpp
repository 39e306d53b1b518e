#include "family_dealer.h"

#include <array>

#include "random_source.h"

namespace zelkon {

namespace {

constexpr int kMeldKinds = 16;
constexpr int kSizes = 4;
constexpr int kMaxExtraMelds = 4;
// Proposals tried before counting through the fitting multisets in order; the two together stay
// uniform. The rarest fit (a lone tile with four melds) takes one proposal in 64, so the count
// is nearly never reached.
constexpr int kProposals = 512;

// Triplets of 1..9, then runs from 1..7.
TileCounts MeldOf(int kind) {
    TileCounts meld{};
    if (kind < 9) {
        meld[static_cast<std::size_t>(kind + 1)] = 3;
    } else {
        const auto low = static_cast<std::size_t>(kind - 8);
        meld[low] = meld[low + 1] = meld[low + 2] = 1;
    }
    return meld;
}

// multisets[k][from]: multisets of k melds drawn from kinds from..15.
constexpr std::array<std::array<std::int32_t, kMeldKinds + 1>, kMaxExtraMelds + 1> kMultisets = [] {
    std::array<std::array<std::int32_t, kMeldKinds + 1>, kMaxExtraMelds + 1> ways{};
    for (std::size_t from = 0; from <= kMeldKinds; ++from) {
        ways[0][from] = 1;
    }
    for (std::size_t k = 1; k <= kMaxExtraMelds; ++k) {
        for (std::size_t from = kMeldKinds; from-- > 0;) {
            ways[k][from] = ways[k - 1][from] + ways[k][from + 1];
        }
    }
    return ways;
}();

// The rank-th multiset of k melds in ascending order of kinds.
std::array<int, kMaxExtraMelds> UnrankMelds(int k, std::int32_t rank) {
    std::array<int, kMaxExtraMelds> kinds{};
    int from = 0;
    for (int i = 0; i < k; ++i) {
        const auto left = static_cast<std::size_t>(k - i - 1);
        while (rank >= kMultisets[left][static_cast<std::size_t>(from)]) {
            rank -= kMultisets[left][static_cast<std::size_t>(from)];
            ++from;
        }
        kinds[static_cast<std::size_t>(i)] = from;
    }
    return kinds;
}

// The hand of form plus the melds, when it holds at most four of a number and its waits are the
// form's (judged with the hand) and not none.
bool Fits(const TileCounts& form, const std::array<int, kMaxExtraMelds>& kinds, int k,
          TileCounts& hand) {
    hand = form;
    for (int i = 0; i < k; ++i) {
        const TileCounts meld = MeldOf(kinds[static_cast<std::size_t>(i)]);
        for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
            hand[n] += meld[n];
            if (hand[n] > 4) {
                return false;
            }
        }
    }
    const NumberSet waits = WaitsOfCounts(hand);
    return waits != 0 && waits == WaitsOfCounts(form, hand);
}

// Forms kept as base-5 keys of their copies: a form table a family, not a size, and small.
struct FormTable {
    bool built = false;
    std::int32_t count = 0;
    std::array<std::uint32_t, kMaxFamilyForms> keys{};
};

struct SizeTable {
    bool built = false;
    std::array<std::int32_t, kMaxFamilyForms> fitting{};  // multisets that fit each form
    std::int32_t usable = 0;                              // forms with at least one
};

std::array<FormTable, kFamilyCount> formTables;
std::array<std::array<SizeTable, kSizes>, kFamilyCount> sizeTables;

const FormTable& FormsFor(FamilyIndex family) {
    FormTable& table = formTables[static_cast<std::size_t>(family)];
    if (!table.built) {
        table.built = true;
        FamilyForms forms;
        table.count = FormsOfFamily(family, forms);
        for (std::int32_t f = 0; f < table.count; ++f) {
            table.keys[static_cast<std::size_t>(f)] = CountsKey(forms[static_cast<std::size_t>(f)]);
        }
    }
    return table;
}

int SizeSlot(std::int32_t tiles) {
    return (tiles - 4) / 3;
}

// null for an unknown family or size, or a size below the core's.
const SizeTable* TableFor(FamilyIndex family, std::int32_t tiles) {
    if (family < 0 || family >= kFamilyCount || !IsWaitingSize(tiles) ||
        tiles < FamilyCoreSize(family)) {
        return nullptr;
    }
    SizeTable& table =
        sizeTables[static_cast<std::size_t>(family)][static_cast<std::size_t>(SizeSlot(tiles))];
    if (table.built) {
        return &table;
    }
    table.built = true;
    const FormTable& forms = FormsFor(family);
    const int k = (tiles - FamilyCoreSize(family)) / 3;
    const std::int32_t multisets = kMultisets[static_cast<std::size_t>(k)][0];
    TileCounts hand{};
    for (std::int32_t f = 0; f < forms.count; ++f) {
        const TileCounts form = CountsOfKey(forms.keys[static_cast<std::size_t>(f)]);
        std::int32_t& fitting = table.fitting[static_cast<std::size_t>(f)];
        for (std::int32_t r = 0; r < multisets; ++r) {
            fitting += Fits(form, UnrankMelds(k, r), k, hand) ? 1 : 0;
        }
        table.usable += fitting > 0 ? 1 : 0;
    }
    return &table;
}

}  // namespace

bool FamilyHasHand(FamilyIndex family, std::int32_t tiles) {
    const SizeTable* table = TableFor(family, tiles);
    return table != nullptr && table->usable > 0;
}

bool DealFamilyHand(FamilyIndex family, std::int32_t tiles, TileHand& hand) {
    const SizeTable* table = TableFor(family, tiles);
    if (table == nullptr || table->usable == 0) {
        return false;
    }
    std::int32_t pick = Draw() % table->usable;
    std::size_t f = 0;
    for (;; ++f) {
        if (table->fitting[f] > 0 && pick-- == 0) {
            break;
        }
    }
    const TileCounts form = CountsOfKey(formTables[static_cast<std::size_t>(family)].keys[f]);
    const int k = (tiles - FamilyCoreSize(family)) / 3;
    const std::int32_t multisets = kMultisets[static_cast<std::size_t>(k)][0];
    TileCounts counts{};
    for (int proposal = 0; proposal < kProposals; ++proposal) {
        if (Fits(form, UnrankMelds(k, Draw() % multisets), k, counts)) {
            hand = TileHandOf(counts);
            return true;
        }
    }
    std::int32_t rank = Draw() % table->fitting[f];
    for (std::int32_t r = 0; r < multisets; ++r) {
        if (Fits(form, UnrankMelds(k, r), k, counts) && rank-- == 0) {
            break;
        }
    }
    hand = TileHandOf(counts);
    return true;
}

}  // namespace zelkon
