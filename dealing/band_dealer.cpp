#include "band_dealer.h"

#include <algorithm>

#include "analysis/wait_finder.h"
#include "complete_hand_generator.h"
#include "problem_dealer.h"

namespace zelkon {

namespace {

bool HasWaitCountIn(const Hand13& hand, const void* context) {
    const auto& band = *static_cast<const WaitBand*>(context);
    const std::int32_t waits = CountWaits(hand);
    return waits >= band.fewest && waits <= band.most;
}

}  // namespace

std::int32_t CountWaits(const Hand13& hand) {
    std::array<std::int32_t, kNumberSlots> copies{};
    for (const TileNumber tile : hand) {
        if (tile < kMinTile || tile > kMaxTile) {
            return 0;
        }
        ++copies[static_cast<std::size_t>(tile)];
    }
    Hand14 won{};
    std::copy(hand.begin(), hand.end(), won.begin());
    std::int32_t waits = 0;
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        // FindWaits never counts a fifth copy, even where the counts would read complete.
        if (copies[static_cast<std::size_t>(n)] >= 4) {
            continue;
        }
        won[13] = n;
        waits += IsCompleteHand(won);
    }
    return waits;
}

void DealProblemWhere(Problem& problem, HandFilter fits, const void* context) {
    Hand13 hand{};
    for (std::int32_t tries = 0; tries < kMaxDealTries; ++tries) {
        BuildCompleteHand(hand);
        if (fits(hand, context)) {
            break;
        }
    }
    FillProblem(hand, problem);
}

void DealProblemInBand(Problem& problem, WaitBand band) {
    band.fewest = std::max(band.fewest, std::int32_t{1});
    band.most = std::min(band.most, std::int32_t{9});
    // Every hand has one to nine waits, so these bands reject nothing: plain dealing, unchanged.
    if (band.fewest > band.most || (band.fewest == 1 && band.most == 9)) {
        DealProblem(problem);
        return;
    }
    DealProblemWhere(problem, HasWaitCountIn, &band);
}

}  // namespace zelkon
