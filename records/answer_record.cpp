#include "answer_record.h"

#include <algorithm>
#include <chrono>

#include "analysis/hand_notation.h"
#include "analysis/hints.h"
#include "analysis/short_readings.h"
#include "analysis/smallest_core.h"
#include "analysis/wait_shapes.h"

namespace zelkon {

namespace {

// What every record holds beside its hand; its wait shapes are set already, its waits follow.
void FillAnswer(AnswerRecord& record, SuitKind suit, DealKind dealt, RecordedBand band,
                NumberSet picks, double seconds, UnixMillis answeredAt) {
    record.answeredAt = answeredAt;
    record.suit = suit;
    record.dealt = dealt;
    record.band = band;
    record.picks = static_cast<NumberSet>(picks & 0x3FEu);
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        if (record.waitShapes[static_cast<std::size_t>(n)] != 0) {
            record.waits = static_cast<NumberSet>(record.waits | NumberBit(n));
        }
    }
    record.seconds = seconds;
    record.fullyRight = record.picks == record.waits;
}

}  // namespace

AnswerRecord MakeAnswerRecord(const Hand13& hand, SuitKind suit, DealKind dealt, RecordedBand band,
                              NumberSet picks, double seconds, UnixMillis answeredAt) {
    AnswerRecord record;
    record.hand = hand;
    SortHand(record.hand);
    WaitShapesOf(record.hand, record.waitShapes);
    FillAnswer(record, suit, dealt, band, picks, seconds, answeredAt);
    return record;
}

AnswerRecord MakeAnswerRecord(const TileHand& hand, SuitKind suit, DealKind dealt,
                              RecordedBand band, NumberSet picks, double seconds,
                              UnixMillis answeredAt, FamilyIndex dealtFamily, std::int32_t hints) {
    TileCounts counts{};
    const bool valid = IsWaitingSize(hand.count) && CountTiles(hand, counts);
    const TileHand sorted = valid ? TileHandOf(counts) : hand;
    AnswerRecord record;
    if (valid && hand.count == 13) {
        Hand13 tiles{};
        std::copy_n(sorted.tiles.begin(), tiles.size(), tiles.begin());
        record = MakeAnswerRecord(tiles, suit, dealt, band, picks, seconds, answeredAt);
    } else {
        record.tiles = sorted.count;
        record.shortHand = sorted;
        if (valid) {
            WaitShapesOfHand(sorted, record.waitShapes);
        }
        FillAnswer(record, suit, dealt, band, picks, seconds, answeredAt);
    }
    record.family = dealtFamily != kNoFamily ? dealtFamily
                    : valid                  ? CoreFamilyOf(sorted)
                                             : kNoFamily;
    record.hints = hints < 0 ? 0 : hints > kHintCount ? kHintCount : hints;
    return record;
}

FamilyIndex CoreFamilyOf(const TileHand& hand) {
    TileCounts counts{};
    SmallestCore core;
    if (!CountTiles(hand, counts) || !FindSmallestCore(counts, core)) {
        return kNoFamily;
    }
    return core.family.family;
}

std::string RecordHandDigits(const AnswerRecord& record) {
    if (record.tiles == 13) {
        Hand13 hand = record.hand;
        SortHand(hand);
        return HandDigits(hand);
    }
    return TileDigits(record.shortHand);
}

TileHand StoredTiles(const Hand13& hand, std::int32_t tiles, const TileHand& shortHand) {
    return tiles != 13 ? shortHand : TileHandOf(hand);
}

void SplitStoredTiles(const TileHand& stored, Hand13& hand, std::int32_t& tiles,
                      TileHand& shortHand) {
    tiles = stored.count;
    if (stored.count == 13) {
        std::copy_n(stored.tiles.begin(), hand.size(), hand.begin());
    } else {
        shortHand = stored;
    }
}

std::string TileDigits(const TileHand& tiles) {
    return std::string(SpellHand(tiles, kNoSuit).view());
}

UnixMillis NowUnixMillis() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::string HandDigits(const Hand13& hand) {
    return std::string(SpellHand(hand, kNoSuit).view());
}

std::string NumberSetText(NumberSet set) {
    std::string text;
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        if ((set & NumberBit(n)) != 0) {
            text += static_cast<char>('0' + n);
        }
    }
    return text;
}

}  // namespace zelkon
