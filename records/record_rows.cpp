#include "record_rows.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <sqlite3.h>

namespace zelkon {

namespace {

RecordsStatus failure(RecordsError error, std::string message) {
    return {error, std::move(message), false};
}

}  // namespace

RecordsStatus StatusFromSqlite(const SqliteError& error) {
    // A full disk may come as an I/O error (a file created on a full disk): errno tells.
    const int system = error.systemErrno();
    if (system == ENOSPC || system == EDQUOT || system == EFBIG) {
        return failure(RecordsError::DiskFull, error.what());
    }
    switch (error.primaryCode()) {
        case SQLITE_FULL:
            return failure(RecordsError::DiskFull, error.what());
        case SQLITE_READONLY:
        case SQLITE_CANTOPEN:
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return failure(RecordsError::ReadOnly, error.what());
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return failure(RecordsError::Busy, error.what());
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            // The header was ours (CheckHeader), so the rest is damage.
            return failure(RecordsError::Corrupt, error.what());
        default:
            return failure(RecordsError::Failed, error.what());
    }
}

std::optional<Hand13> HandFromText(std::string_view text) {
    if (text.size() != 13) {
        return std::nullopt;
    }
    Hand13 hand{};
    std::array<int, kNumberSlots> copies{};
    for (std::size_t i = 0; i < 13; ++i) {
        if (text[i] < '1' || text[i] > '9') {
            return std::nullopt;
        }
        hand[i] = text[i] - '0';
        // A player may edit the file; a fifth copy is no hand the quiz can show.
        if (++copies[static_cast<std::size_t>(hand[i])] > 4) {
            return std::nullopt;
        }
    }
    return hand;
}

std::optional<TileHand> TileHandFromText(std::string_view text) {
    if (!IsWaitingSize(static_cast<std::int32_t>(text.size()))) {
        return std::nullopt;
    }
    TileHand hand;
    for (const char c : text) {
        if (c < '1' || c > '9') {
            return std::nullopt;
        }
        hand.tiles[static_cast<std::size_t>(hand.count++)] = c - '0';
    }
    TileCounts counts{};
    if (!CountTiles(hand, counts)) {
        return std::nullopt;
    }
    return TileHandOf(counts);
}

const char* FamilyWord(FamilyIndex family) {
    return family >= 0 && family < kFamilyCount
               ? kShapeFamilies[static_cast<std::size_t>(family)].id
               : "-";
}

FamilyIndex FamilyFromWord(std::string_view word) {
    return FamilyIndexOf(word);
}

NumberSet NumberSetFromText(std::string_view text) {
    NumberSet set = 0;
    for (const char c : text) {
        if (c >= '1' && c <= '9') {
            set = static_cast<NumberSet>(set | NumberBit(c - '0'));
        }
    }
    return set;
}

SuitKind SuitFromLetter(std::string_view letter) {
    return letter == "p" ? kSuitPinzu : letter == "s" ? kSuitSouzu : kSuitManzu;
}

const char* DealWord(DealKind kind) {
    switch (kind) {
        case DealKind::Plain:
            return "plain";
        case DealKind::Band:
            return "band";
        case DealKind::WeakShapes:
            return "weak";
        case DealKind::Review:
            return "review";
        case DealKind::Entered:
            return "entered";
        case DealKind::TimedRun:
            return "timed";
        case DealKind::Family:
            return "family";
    }
    return "plain";
}

const char* BandWord(RecordedBand band) {
    switch (band) {
        case RecordedBand::OneToTwo:
            return "1-2";
        case RecordedBand::ThreeToFour:
            return "3-4";
        case RecordedBand::FiveOrMore:
            return "5+";
        case RecordedBand::None:
            break;
    }
    return nullptr;
}

std::array<std::string, kWaitShapeCount> ShapeColumnTexts(
    const std::array<std::uint8_t, kNumberSlots>& waitShapes) {
    std::array<std::string, kWaitShapeCount> texts;
    for (int s = 0; s < kWaitShapeCount; ++s) {
        NumberSet reached = 0;
        for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
            if ((waitShapes[static_cast<std::size_t>(n)] & ShapeBit(static_cast<WaitShape>(s))) !=
                0) {
                reached = static_cast<NumberSet>(reached | NumberBit(n));
            }
        }
        texts[static_cast<std::size_t>(s)] = NumberSetText(reached);
    }
    return texts;
}

void AddShapeTallies(std::array<ShapeFigure, kWaitShapeCount>& byShape, NumberSet picks,
                     const SqliteStatement& row, int firstColumn) {
    for (int s = 0; s < kWaitShapeCount; ++s) {
        const NumberSet reached = NumberSetFromText(row.text(firstColumn + s));
        ShapeFigure& figure = byShape[static_cast<std::size_t>(s)];
        figure.seen += std::popcount(reached);
        figure.missed += std::popcount(static_cast<NumberSet>(reached & ~picks));
    }
}

}  // namespace zelkon
