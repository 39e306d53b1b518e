#include "answer_record.h"

#include <chrono>

#include "analysis/hand_notation.h"
#include "analysis/wait_shapes.h"

namespace zelkon {

AnswerRecord MakeAnswerRecord(const Hand13& hand, SuitKind suit, DealKind dealt, RecordedBand band,
                              NumberSet picks, double seconds, UnixMillis answeredAt) {
    AnswerRecord record;
    record.answeredAt = answeredAt;
    record.hand = hand;
    SortHand(record.hand);
    record.suit = suit;
    record.dealt = dealt;
    record.band = band;
    record.picks = static_cast<NumberSet>(picks & 0x3FEu);
    WaitShapesOf(record.hand, record.waitShapes);
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        if (record.waitShapes[static_cast<std::size_t>(n)] != 0) {
            record.waits = static_cast<NumberSet>(record.waits | NumberBit(n));
        }
    }
    record.seconds = seconds;
    record.fullyRight = record.picks == record.waits;
    return record;
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
