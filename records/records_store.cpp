#include "records_store.h"

#include <array>
#include <bit>
#include <cstdlib>
#include <sqlite3.h>
#include <string>
#include <system_error>

#include "record_rows.h"
#include "records_schema.h"
#include "review.h"
#include "sqlite_database.h"

namespace zelkon {

namespace fs = std::filesystem;

namespace {

// Long enough for another window's one-row transaction, short enough not to freeze the quiz.
constexpr int kBusyTimeoutMillis = 2000;

RecordsStatus failure(RecordsError error, std::string message) {
    return {error, std::move(message), false};
}

// WAL lets a second window read and write beside this one. NORMAL syncs at checkpoints: a commit
// is in the WAL file before it returns, so a killed program keeps it; only a crash of the whole
// system may lose the last answers.
RecordsStatus setJournal(SqliteDatabase& database, const std::string& where) {
    if (database.queryText("PRAGMA journal_mode = WAL") != "wal") {
        return failure(RecordsError::ReadOnly, "cannot use a write-ahead log beside " + where);
    }
    database.execute("PRAGMA synchronous = NORMAL");
    return {};
}

}  // namespace

std::optional<fs::path> DefaultRecordsPathFrom(const char* xdgDataHome, const char* home) {
    // A relative XDG_DATA_HOME is invalid and must be ignored.
    if (xdgDataHome != nullptr && fs::path(xdgDataHome).is_absolute()) {
        return fs::path(xdgDataHome) / "zelkon" / "records.sqlite3";
    }
    if (home != nullptr && fs::path(home).is_absolute()) {
        return fs::path(home) / ".local" / "share" / "zelkon" / "records.sqlite3";
    }
    return std::nullopt;
}

std::optional<fs::path> DefaultRecordsPath() {
    return DefaultRecordsPathFrom(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

RecordsStore::RecordsStore(fs::path path, std::unique_ptr<SqliteDatabase> database)
    : m_path(std::move(path)), m_database(std::move(database)) {}

RecordsStore::~RecordsStore() = default;

OpenedRecords RecordsStore::open(const fs::path& path, OpenMode mode,
                                 const UpgradeProgress& progress) {
    OpenedRecords opened;
    const std::string where = path.string();
    try {
        std::error_code error;
        const fs::file_status status = fs::status(path, error);
        if (error && status.type() != fs::file_type::not_found) {
            opened.status = failure(RecordsError::Failed, where + ": " + error.message());
            return opened;
        }
        const bool exists = fs::exists(status);
        if (!exists) {
            if (mode == OpenMode::ExistingOnly) {
                opened.status = failure(RecordsError::NotFound, "no records at " + where);
                return opened;
            }
            if (path.has_parent_path()) {
                fs::create_directories(path.parent_path(), error);
                if (error) {
                    opened.status =
                        failure(RecordsError::CannotCreate,
                                "cannot create the folder of " + where + ": " + error.message());
                    return opened;
                }
            }
        } else if (!fs::is_regular_file(status)) {
            opened.status = failure(RecordsError::NotOurs, where + " is not a file");
            return opened;
        } else if (fs::file_size(path, error) != 0 || error) {
            RecordsStatus header = CheckHeader(path);
            if (!header.ok()) {
                opened.status = std::move(header);
                return opened;
            }
        }

        std::unique_ptr<SqliteDatabase> database;
        try {
            database = std::make_unique<SqliteDatabase>(
                path, SQLITE_OPEN_READWRITE | (exists ? 0 : SQLITE_OPEN_CREATE));
        } catch (const SqliteError& sqliteError) {
            opened.status =
                failure(exists ? StatusFromSqlite(sqliteError).error : RecordsError::CannotCreate,
                        sqliteError.what());
            return opened;
        }
        sqlite3_busy_timeout(database->handle(), kBusyTimeoutMillis);
        const bool writable = !database->isReadOnly();
        RecordsStatus prepared = PrepareSchema(*database, where, writable, progress);
        if (prepared.ok() && mode == OpenMode::CreateIfMissing && !writable) {
            // Recording into a file that cannot take an answer would fail on every answer.
            prepared = failure(RecordsError::ReadOnly, "cannot write " + where);
        }
        if (prepared.ok() && writable) {
            prepared = setJournal(*database, where);
        }
        if (!prepared.ok()) {
            opened.status = std::move(prepared);
            return opened;
        }
        opened.store.reset(new RecordsStore(path, std::move(database)));
    } catch (const SqliteError& sqliteError) {
        opened.status = StatusFromSqlite(sqliteError);
        if (opened.status.error == RecordsError::ReadOnly && !fs::exists(path)) {
            opened.status.error = RecordsError::CannotCreate;
        }
    } catch (const std::exception& other) {
        opened.status = failure(RecordsError::Failed, where + ": " + other.what());
    }
    return opened;
}

RecordsStatus RecordsStore::addAnswer(const AnswerRecord& answer) {
    return write(std::span<const AnswerRecord>(&answer, 1));
}

RecordsStatus RecordsStore::addAnswers(std::span<const AnswerRecord> answers) {
    return write(answers);
}

RecordsStatus RecordsStore::addTimedRun(const TimedRunRecord& run) {
    return noteWrite(GuardedStatus([&] {
        SqliteStatement insert = m_database->prepare(
            "INSERT INTO timed_runs (finished_at, band, total_millis, fully_right, waits_missed, "
            "wrong_picks) VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
        insert.bind(1, run.finishedAt);
        if (const char* band = BandWord(run.band)) {
            insert.bind(2, std::string_view(band));
        } else {
            insert.bindNull(2);
        }
        insert.bind(3, run.totalMillis)
            .bind(4, std::int64_t{run.fullyRight})
            .bind(5, std::int64_t{run.waitsMissed})
            .bind(6, std::int64_t{run.wrongPicks});
        // One statement outside a transaction is committed when it returns.
        insert.run();
    }));
}

BestRunOutcome BestTimedRun(RecordsStore& store, RecordedBand band) {
    return Guarded<BestRunOutcome>([&](BestRunOutcome& outcome) {
        // IS, not =: every-hand runs keep a NULL band.
        SqliteStatement query =
            store.database().prepare("SELECT min(total_millis) FROM timed_runs WHERE band IS ?1");
        if (const char* word = BandWord(band)) {
            query.bind(1, std::string_view(word));
        } else {
            query.bindNull(1);
        }
        if (query.step() && !query.isNull(0)) {
            outcome.totalMillis = query.int64(0);
        }
    });
}

RecordsStatus RecordsStore::noteWrite(RecordsStatus status) {
    status.repeated = !status.ok() && m_lastWriteFailed;
    m_lastWriteFailed = !status.ok();
    return status;
}

RecordsStatus RecordsStore::write(std::span<const AnswerRecord> answers) {
    return noteWrite(GuardedStatus([&] {
        SqliteDatabase& database = *m_database;
        SqliteTransaction transaction(database, SqliteTransaction::Kind::Write);
        SqliteStatement insert = database.prepare(
            "INSERT INTO answers (answered_at, hand, suit, dealt, band, picks, waits, wait_count, "
            "seconds, fully_right, two_sided, edge, closed, dual_pair, single, tiles, family, "
            "hints) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, "
            "?17, ?18)");
        CardBook cards(database);
        for (const AnswerRecord& answer : answers) {
            const char suit[2] = {SuitLetter(answer.suit), '\0'};
            insert.bind(1, answer.answeredAt)
                .bind(2, RecordHandDigits(answer))
                .bind(3, std::string_view(suit))
                .bind(4, std::string_view(DealWord(answer.dealt)));
            if (const char* band = BandWord(answer.band)) {
                insert.bind(5, std::string_view(band));
            } else {
                insert.bindNull(5);
            }
            insert.bind(6, NumberSetText(answer.picks))
                .bind(7, NumberSetText(answer.waits))
                .bind(8, std::int64_t{std::popcount(answer.waits)})
                .bind(9, answer.seconds)
                .bind(10, std::int64_t{answer.fullyRight ? 1 : 0});
            const std::array<std::string, kWaitShapeCount> shapes =
                ShapeColumnTexts(answer.waitShapes);
            for (std::size_t s = 0; s < shapes.size(); ++s) {
                insert.bind(static_cast<int>(s) + 11, shapes[s]);
            }
            insert.bind(16, std::int64_t{answer.tiles})
                .bind(17, std::string_view(FamilyWord(answer.family)))
                .bind(18, std::int64_t{answer.hints});
            insert.run();
            AnswerRecord sorted = answer;
            SortHand(sorted.hand);
            cards.grade(sorted);
        }
        transaction.commit();
    }));
}

}  // namespace zelkon
