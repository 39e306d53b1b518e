#include "records_store.h"

#include <array>
#include <bit>
#include <cstdlib>
#include <fstream>
#include <sqlite3.h>
#include <stdlib.h>
#include <string>
#include <system_error>
#include <unistd.h>

#include "record_rows.h"
#include "records_schema.h"
#include "review.h"
#include "sqlite_database.h"

namespace zelkon {

namespace fs = std::filesystem;

namespace {

// Long enough for another window's one-row transaction, or a run of them: each is synced to the
// disk (some 20 ms on a busy one), and SQLite's lock is no queue. A player never waits this long
// but behind a program that holds the file.
constexpr int kBusyTimeoutMillis = 5000;

RecordsStatus failure(RecordsError error, std::string message) {
    return {error, std::move(message), false};
}

// A rollback journal, so that the records file itself holds every committed answer and a plain
// copy of it is whole. A file in WAL mode from an earlier version is checkpointed into it here.
// Returns false when another connection keeps the file in WAL mode (an earlier version's window
// still open); each commit is then checkpointed instead. NORMAL syncs the journal before the
// file is written, so a commit survives a killed program and a power cut cannot tear the file on
// the file systems in use; FULL's extra sync of the journal's header cost 10 ms more per answer.
bool useRollbackJournal(SqliteDatabase& database) {
    database.execute("PRAGMA synchronous = NORMAL");
    try {
        return database.queryText("PRAGMA journal_mode = DELETE") == "delete";
    } catch (const SqliteError&) {
        return false;
    }
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

RecordsStore::~RecordsStore() {
    m_database.reset();
    if (!m_scratch.empty()) {
        std::error_code error;
        fs::remove_all(m_scratch, error);
    }
}

namespace {

// A file SQLite could only read by writing beside it: left in WAL mode by an earlier version
// (its log and index beside it), or with a journal that may be hot.
bool needsWritesToRead(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    char header[20] = {};
    file.read(header, sizeof header);
    std::error_code error;
    return header[18] == 2 || fs::exists(fs::path(path.string() + "-wal"), error) ||
           fs::exists(fs::path(path.string() + "-journal"), error);
}

// A folder of our own under the temporary folder, or an empty path.
fs::path makeScratchFolder() {
    std::error_code error;
    std::string pattern = (fs::temp_directory_path(error) / "zelkon-read-XXXXXX").string();
    if (error || ::mkdtemp(pattern.data()) == nullptr) {
        return {};
    }
    return pattern;
}

}  // namespace

OpenedRecords RecordsStore::open(const fs::path& path, OpenMode mode,
                                 const UpgradeProgress& progress) {
    OpenedRecords opened;
    const std::string where = path.string();
    const RecordsStatus thrown = GuardedStatus([&] {
        std::error_code error;
        const fs::file_status status = fs::status(path, error);
        if (error && status.type() != fs::file_type::not_found) {
            opened.status = failure(RecordsError::Failed, where + ": " + error.message());
            return;
        }
        const bool exists = fs::exists(status);
        if (!exists) {
            if (mode != OpenMode::CreateIfMissing) {
                opened.status = failure(RecordsError::NotFound, "no records at " + where);
                return;
            }
            if (path.has_parent_path()) {
                fs::create_directories(path.parent_path(), error);
                if (error) {
                    opened.status =
                        failure(RecordsError::CannotCreate,
                                "cannot create the folder of " + where + ": " + error.message());
                    return;
                }
            }
        } else if (!fs::is_regular_file(status)) {
            opened.status = failure(RecordsError::NotOurs, where + " is not a file");
            return;
        }
        const bool empty = exists && fs::file_size(path, error) == 0 && !error;
        if (exists && !empty) {
            RecordsStatus header = CheckHeader(path);
            if (!header.ok()) {
                opened.status = std::move(header);
                return;
            }
        }
        opened = mode == OpenMode::ReadOnly ? openForReading(path, empty, progress)
                                            : openForWriting(path, mode, exists, progress);
    });
    if (!thrown.ok()) {
        opened.status = thrown;
    }
    if (opened.status.error == RecordsError::ReadOnly && mode == OpenMode::CreateIfMissing &&
        !fs::exists(path)) {
        opened.status.error = RecordsError::CannotCreate;
    }
    if (!opened.status.ok()) {
        opened.store.reset();
    }
    return opened;
}

OpenedRecords RecordsStore::openForWriting(const fs::path& path, OpenMode mode, bool exists,
                                           const UpgradeProgress& progress) {
    OpenedRecords opened;
    const std::string where = path.string();
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
    // The journal is made beside the file at each commit: a folder that cannot take it makes
    // every write fail.
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const bool writable = !database->isReadOnly() && ::access(folder.c_str(), W_OK) == 0;
    opened.status = PrepareSchema(*database, where, writable, progress);
    if (opened.status.ok() && mode == OpenMode::CreateIfMissing && !writable) {
        // Recording into a file that cannot take an answer would fail on every answer.
        opened.status = failure(RecordsError::ReadOnly, "cannot write " + where);
    }
    bool inWal = false;
    if (opened.status.ok() && writable) {
        try {
            CreateHelpIndexes(*database);
        } catch (const SqliteError&) {
            // Another writer held the file: the figures read the same without, only slower.
        }
        inWal = !useRollbackJournal(*database);
    }
    if (opened.status.ok()) {
        opened.store.reset(new RecordsStore(path, std::move(database)));
        opened.store->m_inWal = inWal;
    }
    return opened;
}

OpenedRecords RecordsStore::openForReading(const fs::path& path, bool empty,
                                           const UpgradeProgress& progress) {
    OpenedRecords opened;
    const std::string where = path.string();
    if (empty) {
        // An empty file is a creation cut short: no answers yet, and nothing to write into it.
        auto database = std::make_unique<SqliteDatabase>(
            ":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_MEMORY);
        CreateSchema(*database);
        opened.store.reset(new RecordsStore(path, std::move(database)));
        return opened;
    }
    if (!needsWritesToRead(path)) {
        auto database = std::make_unique<SqliteDatabase>(path, SQLITE_OPEN_READONLY);
        sqlite3_busy_timeout(database->handle(), kBusyTimeoutMillis);
        try {
            opened.status = PrepareSchema(*database, where, false, progress);
            if (opened.status.ok()) {
                opened.store.reset(new RecordsStore(path, std::move(database)));
                return opened;
            }
            if (opened.status.error != RecordsError::ReadOnly) {
                return opened;  // not ours, newer: nothing a copy would change
            }
        } catch (const SqliteError&) {
            // A journal that turned hot meanwhile, a lock that cannot be taken: read a copy.
        }
    }
    // The copy may be rolled back, replayed and upgraded as SQLite likes; the player's file is
    // only read.
    fs::path scratch = makeScratchFolder();
    if (scratch.empty()) {
        opened.status = failure(RecordsError::Failed,
                                "cannot read " + where + ": no temporary folder to read it in");
        return opened;
    }
    const fs::path copy = scratch / "records.sqlite3";
    std::error_code error;
    for (const char* suffix : {"", "-journal", "-wal"}) {
        const fs::path from(where + suffix);
        if (fs::exists(from, error)) {
            const fs::path to(copy.string() + suffix);
            fs::copy_file(from, to, error);
            if (!error) {
                fs::permissions(to, fs::perms::owner_read | fs::perms::owner_write, error);
            }
            if (error) {
                fs::remove_all(scratch, error);
                opened.status =
                    failure(RecordsError::Failed, "cannot read " + from.string() + ": " +
                                                      std::error_code(error).message());
                return opened;
            }
        }
    }
    auto database = std::make_unique<SqliteDatabase>(copy, SQLITE_OPEN_READWRITE);
    opened.status = PrepareSchema(*database, where, true, progress);
    if (opened.status.ok()) {
        opened.store.reset(new RecordsStore(path, std::move(database)));
        opened.store->m_scratch = scratch;
    } else {
        database.reset();
        fs::remove_all(scratch, error);
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
        checkpointIfInWal();
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

void RecordsStore::checkpointIfInWal() {
    if (m_inWal) {
        // Best effort: a reader of an older snapshot may hold part of the log back.
        sqlite3_wal_checkpoint_v2(m_database->handle(), nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr,
                                  nullptr);
    }
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
        ReusedStatement insert = database.reuse(
            "INSERT INTO answers (answered_at, hand, suit, dealt, band, picks, waits, wait_count, "
            "seconds, fully_right, two_sided, edge, closed, dual_pair, single, tiles, family, "
            "hints) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, "
            "?17, ?18)");
        CardBook cards(database);
        for (const AnswerRecord& answer : answers) {
            const char suit[2] = {SuitLetter(answer.suit), '\0'};
            const std::string hand = RecordHandDigits(answer);
            insert->bind(1, answer.answeredAt)
                .bind(2, hand)
                .bind(3, std::string_view(suit))
                .bind(4, std::string_view(DealWord(answer.dealt)));
            if (const char* band = BandWord(answer.band)) {
                insert->bind(5, std::string_view(band));
            } else {
                insert->bindNull(5);
            }
            insert->bind(6, NumberSetText(answer.picks))
                .bind(7, NumberSetText(answer.waits))
                .bind(8, std::int64_t{std::popcount(answer.waits)})
                .bind(9, answer.seconds)
                .bind(10, std::int64_t{answer.fullyRight ? 1 : 0});
            const std::array<std::string, kWaitShapeCount> shapes =
                ShapeColumnTexts(answer.waitShapes);
            for (std::size_t s = 0; s < shapes.size(); ++s) {
                insert->bind(static_cast<int>(s) + 11, shapes[s]);
            }
            insert->bind(16, std::int64_t{answer.tiles})
                .bind(17, std::string_view(FamilyWord(answer.family)))
                .bind(18, std::int64_t{answer.hints});
            insert->run();
            cards.grade(answer, hand);
        }
        transaction.commit();
        checkpointIfInWal();
    }));
}

}  // namespace zelkon
