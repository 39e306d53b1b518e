#include "wait_in_hand.h"

namespace zelkon {

WaitInHand WaitInHandOf(const ExplainedReading& reading, TileNumber winning) {
    WaitInHand wait;
    const Block& won = reading.blocks[static_cast<std::size_t>(reading.winningBlock)];
    switch (won.kind) {
        case BlockKind::Run: {
            auto& part = wait.groups[0];
            std::int32_t size = 0;
            for (TileNumber t = won.first; t < won.first + 3; ++t) {
                if (t != winning && size < 2) {
                    part[static_cast<std::size_t>(size++)] = t;
                }
            }
            wait.groupSizes[0] = size;
            wait.groupCount = 1;
            const TileNumber low = part[0];
            const TileNumber high = part[1];
            if (high - low == 2) {
                wait.on[static_cast<std::size_t>(wait.onCount++)] = low + 1;
            } else {
                if (low > kMinTile) {
                    wait.on[static_cast<std::size_t>(wait.onCount++)] = low - 1;
                }
                if (high < kMaxTile) {
                    wait.on[static_cast<std::size_t>(wait.onCount++)] = high + 1;
                }
            }
            break;
        }
        case BlockKind::Triplet: {
            // The pair of the 13 tiles that is not this triplet's two.
            TileNumber pair = 0;
            for (std::int32_t b = 0; b < reading.blockCount; ++b) {
                const Block& block = reading.blocks[static_cast<std::size_t>(b)];
                if (block.kind == BlockKind::Pair) {
                    pair = block.first;
                }
            }
            const bool pairFirst = pair != 0 && pair < winning;
            const TileNumber numbers[2] = {pairFirst ? pair : winning, pairFirst ? winning : pair};
            for (const TileNumber n : numbers) {
                if (n != 0) {
                    const auto g = static_cast<std::size_t>(wait.groupCount++);
                    wait.groups[g] = {n, n};
                    wait.groupSizes[g] = 2;
                    wait.on[static_cast<std::size_t>(wait.onCount++)] = n;
                }
            }
            break;
        }
        case BlockKind::Pair:
            wait.groups[0] = {winning, 0};
            wait.groupSizes[0] = 1;
            wait.groupCount = 1;
            wait.on[0] = winning;
            wait.onCount = 1;
            break;
    }
    return wait;
}

}  // namespace zelkon
