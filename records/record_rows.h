// Conversions between the records' rows and their C++ values, shared inside the library.
#pragma once

#include <exception>
#include <optional>
#include <string_view>

#include "answer_record.h"
#include "review.h"
#include "sqlite_database.h"
#include "statistics.h"

namespace zelkon {

// Digits of a hand column; nothing unless exactly 13 digits 1..9.
std::optional<Hand13> HandFromText(std::string_view text);
// Digits 1..9 of a picks, waits or shape column; other characters are skipped.
NumberSet NumberSetFromText(std::string_view text);

char StoredSuitLetter(SuitKind suit);
SuitKind SuitFromLetter(std::string_view letter);

// The card of a hand, inside the caller's transaction.
std::optional<ReviewCard> LoadCard(SqliteDatabase& database, std::string_view handText);
void SaveCard(SqliteDatabase& database, const ReviewCard& card);

// Adds one answer to the shape tallies; the row holds the five shape columns from firstColumn on.
void AddShapeTallies(std::array<RateFigure, kWaitShapeCount>& byShape, NumberSet picks,
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

}  // namespace zelkon
