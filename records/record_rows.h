// Conversions between the records' rows and their C++ values, shared inside the library.
#pragma once

#include <array>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/hand_notation.h"
#include "analysis/wait_shapes.h"
#include "answer_record.h"
#include "review.h"
#include "sqlite_database.h"
#include "statistics.h"

namespace zelkon {

// Digits of a hand column; nothing unless exactly 13 digits 1..9.
std::optional<Hand13> HandFromText(std::string_view text);
// Digits of a hand column of 4, 7, 10 or 13 tiles; nothing for anything else.
std::optional<TileHand> TileHandFromText(std::string_view text);
// The family column's word: the family's id, "-" for kNoFamily; and back (kNoFamily for "-" or
// an id this program does not know).
const char* FamilyWord(FamilyIndex family);
FamilyIndex FamilyFromWord(std::string_view word);
// Digits 1..9 of a picks, waits or shape column; other characters are skipped.
NumberSet NumberSetFromText(std::string_view text);

// Stored suits are m, p or s; the letters are the hand notation's (SuitLetter).
SuitKind SuitFromLetter(std::string_view letter);

// The stored words of the dealt and band columns (docs/records.md); nullptr for RecordedBand::None,
// which is stored as NULL.
const char* DealWord(DealKind kind);
const char* BandWord(RecordedBand band);

// The shape columns in WaitShape order, and what each holds for an answer: the waits that shape
// reaches, as ascending digits.
inline constexpr std::array<const char*, kWaitShapeCount> kShapeColumns = {
    "two_sided", "edge", "closed", "dual_pair", "single"};
std::array<std::string, kWaitShapeCount> ShapeColumnTexts(
    const std::array<std::uint8_t, kNumberSlots>& waitShapes);

// The review cards inside the caller's transaction, its statements prepared once.
class CardBook {
public:
    explicit CardBook(SqliteDatabase& database);
    std::optional<ReviewCard> load(std::string_view handText);
    void save(const ReviewCard& card);
    // The review rule of one answer: a miss grades Again (making the card), a fully right answer
    // grades Good when the hand has a card.
    void grade(const Hand13& sortedHand, bool fullyRight, UnixMillis at);
    // The same with hints and for any size: fully right after hints 1 to 5 grades Hard, after
    // the sixth Again, and either makes the card as a miss does. handText: the answer's hand
    // column (RecordHandDigits).
    void grade(const AnswerRecord& answer, std::string_view handText);

private:
    ReusedStatement m_load;
    ReusedStatement m_save;
};

// Adds one answer to the shape tallies; the row holds the five shape columns from firstColumn on.
void AddShapeTallies(std::array<ShapeFigure, kWaitShapeCount>& byShape, NumberSet picks,
                     const SqliteStatement& row, int firstColumn);

RecordsStatus StatusFromSqlite(const SqliteError& error);

// Runs body(outcome) and turns any exception into outcome.status, the rest of outcome cleared,
// so that none reaches a caller of the library.
template <typename Outcome, typename Body>
Outcome Guarded(Body body) noexcept {
    Outcome outcome;
    try {
        body(outcome);
    } catch (const SqliteError& error) {
        outcome = Outcome{};
        outcome.status = StatusFromSqlite(error);
    } catch (const std::exception& error) {
        outcome = Outcome{};
        outcome.status = {RecordsError::Failed, error.what()};
    } catch (...) {
        outcome = Outcome{};
        outcome.status = {RecordsError::Failed, "unexpected failure"};
    }
    return outcome;
}

// The same for a body that yields nothing but its status.
template <typename Body>
RecordsStatus GuardedStatus(Body body) noexcept {
    struct Outcome {
        RecordsStatus status;
    };
    return Guarded<Outcome>([&](Outcome&) { body(); }).status;
}

}  // namespace zelkon
