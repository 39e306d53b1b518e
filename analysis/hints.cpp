#include "hints.h"

#include <bit>

#include "short_readings.h"

namespace zelkon {

namespace {

SujiLines LinesOf(NumberSet numbers) {
    SujiLines lines = 0;
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        if ((numbers & NumberBit(n)) != 0) {
            lines |= LineBit(n);
        }
    }
    return lines;
}

}  // namespace

bool ComputeHints(const TileHand& hand, Hints& out) {
    TileCounts counts{};
    if (!IsWaitingSize(hand.count) || !CountTiles(hand, counts)) {
        return false;
    }
    out = Hints{};
    out.hand = TileHandOf(counts);
    FindSmallestCore(counts, out.core);
    out.waits = out.core.waits;
    out.waitCount = std::popcount(static_cast<unsigned>(out.waits));

    const TileCounts& core = out.core.core;
    bool handTriplet = false;
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        const auto slot = static_cast<std::size_t>(n);
        handTriplet = handTriplet || counts[slot] >= 3;
        if (core[slot] < 3) {
            continue;
        }
        TileCounts meld = core;
        meld[slot] -= 3;
        TileCounts pair = core;
        pair[slot] -= 2;
        out.triplets[static_cast<std::size_t>(out.tripletCount++)] = {
            n, WaitsOfCounts(meld, counts), MeldOnlyWaitsOfCounts(pair, counts)};
    }
    if (out.tripletCount > 0) {
        out.fourth = FourthHint::CoreTriplets;
    } else if (!handTriplet) {
        out.fourth = FourthHint::CountLines;
        out.evenCount = hand.count % 2 == 0;
        std::array<int, 3> perLine{};
        for (std::size_t n = kMinTile; n <= kMaxTile; ++n) {
            perLine[(n - 1) % 3] += counts[n];
        }
        for (std::size_t line = 0; line < perLine.size(); ++line) {
            if ((perLine[line] % 2 == 0) == out.evenCount) {
                out.countLines |= static_cast<SujiLines>(1u << line);
            }
        }
    } else {
        out.fourth = FourthHint::CoreShapes;
        // The shapes of every reading of every wait of the core.
        std::array<std::uint8_t, kNumberSlots> shapes{};
        ShortWaitShapes(core, out.waits, shapes);
        for (const std::uint8_t bits : shapes) {
            out.coreShapes |= bits;
        }
    }

    out.waitLines = LinesOf(out.waits);
    if (out.waits != 0) {
        out.shownWait = std::countr_zero(static_cast<unsigned>(out.waits));
        NumberExplanation number;
        ExplainNumber(out.hand, out.shownWait, number);
        if (number.best >= 0) {
            out.shownReading = number.readings[static_cast<std::size_t>(number.best)];
        }
    }
    return true;
}

}  // namespace zelkon
