#include "records_store.h"

#include <array>
#include <cstdlib>
#include <fstream>
#include <sqlite3.h>
#include <string>
#include <system_error>

#include "analysis/wait_shapes.h"
#include "record_rows.h"
#include "review.h"
#include "sqlite_database.h"

namespace zelkon {

namespace fs = std::filesystem;

namespace {

// Long enough for another window's one-row transaction, short enough not to freeze the quiz.
constexpr int kBusyTimeoutMillis = 2000;

// Shape columns in WaitShape order; each holds the waits that shape reaches.
constexpr std::array<const char*, 5> kShapeColumns = {"two_sided", "edge", "closed", "dual_pair",
                                                      "single"};

constexpr std::array<const char*, 6> kDealWords = {"plain",  "band",    "weak",
                                                   "review", "entered", "timed"};

const char* bandWord(RecordedBand band) {
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

// The current schema (with kTimedRunsTable), made in one transaction with the application id and
// user_version.
constexpr std::string_view kSchema = R"sql(
CREATE TABLE answers (
  id          INTEGER PRIMARY KEY,
  answered_at INTEGER NOT NULL,
  hand        TEXT NOT NULL,
  suit        TEXT NOT NULL,
  dealt       TEXT NOT NULL,
  band        TEXT,
  picks       TEXT NOT NULL,
  waits       TEXT NOT NULL,
  wait_count  INTEGER NOT NULL,
  seconds     REAL NOT NULL,
  fully_right INTEGER NOT NULL,
  two_sided   TEXT NOT NULL DEFAULT '',
  edge        TEXT NOT NULL DEFAULT '',
  closed      TEXT NOT NULL DEFAULT '',
  dual_pair   TEXT NOT NULL DEFAULT '',
  single      TEXT NOT NULL DEFAULT ''
);
CREATE INDEX answers_by_time ON answers (answered_at);
CREATE TABLE cards (
  hand        TEXT PRIMARY KEY,
  stability   REAL NOT NULL,
  difficulty  REAL NOT NULL,
  reviews     INTEGER NOT NULL,
  lapses      INTEGER NOT NULL,
  last_review INTEGER NOT NULL,
  due         INTEGER NOT NULL
);
CREATE INDEX cards_by_due ON cards (due);
)sql";

// Part of the current schema, apart so that the upgrade makes exactly the table a new file has.
constexpr std::string_view kTimedRunsTable = R"sql(
CREATE TABLE timed_runs (
  id           INTEGER PRIMARY KEY,
  finished_at  INTEGER NOT NULL,
  band         TEXT,
  total_millis INTEGER NOT NULL,
  fully_right  INTEGER NOT NULL,
  waits_missed INTEGER NOT NULL,
  wrong_picks  INTEGER NOT NULL
);
)sql";

// Version 1 kept answers without their wait shapes and had no review cards: the shapes are
// worked out from each hand, and the cards replayed from the answers in the order given.
void upgradeFrom1(SqliteDatabase& database) {
    for (const char* column : kShapeColumns) {
        database.execute(std::string("ALTER TABLE answers ADD COLUMN ") + column +
                         " TEXT NOT NULL DEFAULT ''");
    }
    database.execute(
        "CREATE TABLE cards (hand TEXT PRIMARY KEY, stability REAL NOT NULL, difficulty REAL NOT "
        "NULL, reviews INTEGER NOT NULL, lapses INTEGER NOT NULL, last_review INTEGER NOT NULL, "
        "due INTEGER NOT NULL);"
        "CREATE INDEX cards_by_due ON cards (due);");

    SqliteStatement setShapes = database.prepare(
        "UPDATE answers SET two_sided = ?2, edge = ?3, closed = ?4, dual_pair = ?5, single = ?6 "
        "WHERE id = ?1");
    SqliteStatement rows = database.prepare(
        "SELECT id, hand, fully_right, answered_at FROM answers ORDER BY answered_at, id");
    while (rows.step()) {
        const std::optional<Hand13> hand = HandFromText(rows.text(1));
        if (!hand) {
            continue;
        }
        std::array<std::uint8_t, kNumberSlots> shapes{};
        WaitShapesOf(*hand, shapes);
        setShapes.bind(1, rows.int64(0));
        for (std::size_t s = 0; s < kShapeColumns.size(); ++s) {
            NumberSet reached = 0;
            for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
                if ((shapes[static_cast<std::size_t>(n)] & (1u << s)) != 0) {
                    reached = static_cast<NumberSet>(reached | NumberBit(n));
                }
            }
            setShapes.bind(static_cast<int>(s) + 2, NumberSetText(reached));
        }
        setShapes.run();

        const bool right = rows.int64(2) != 0;
        const std::string handText = HandDigits(*hand);
        std::optional<ReviewCard> card = LoadCard(database, handText);
        if (card || !right) {
            SaveCard(database,
                     ScheduleReview(card, *hand, right ? ReviewGrade::Good : ReviewGrade::Again,
                                    rows.int64(3)));
        }
    }
}

// Version 2 kept no timed runs; earlier runs are lost to it, so the table starts empty.
void upgradeFrom2(SqliteDatabase& database) {
    database.execute(kTimedRunsTable);
}

using Upgrade = void (*)(SqliteDatabase&);
// upgrades[v] lifts a file of version v + 1 to version v + 2.
constexpr std::array<Upgrade, kRecordsSchemaVersion - 1> kUpgrades = {upgradeFrom1, upgradeFrom2};

RecordsStatus failure(RecordsError error, std::string message) {
    return {error, std::move(message), false};
}

RecordsStatus notOurs(const std::string& where) {
    return failure(RecordsError::NotOurs, where + " is not a Zelkon records database");
}

RecordsStatus newer(const std::string& where, std::int64_t version) {
    return failure(RecordsError::Newer, where + " was written by a newer version (schema " +
                                            std::to_string(version) + ", this program knows " +
                                            std::to_string(kRecordsSchemaVersion) + ")");
}

// Judges a file from its first 100 bytes, before SQLite opens it: SQLite would roll back a hot
// journal or checkpoint a log of a file that is not ours, and that is writing it.
RecordsStatus checkHeader(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::array<unsigned char, 100> header{};
    file.read(reinterpret_cast<char*>(header.data()), header.size());
    const auto bigEndian = [&header](std::size_t at) {
        return (std::uint32_t{header[at]} << 24) | (std::uint32_t{header[at + 1]} << 16) |
               (std::uint32_t{header[at + 2]} << 8) | std::uint32_t{header[at + 3]};
    };
    const std::string where = path.string();
    if (file.gcount() != 100 || std::string_view(reinterpret_cast<const char*>(header.data()),
                                                 16) != std::string_view("SQLite format 3\0", 16)) {
        return failure(RecordsError::NotOurs, where + " is not a SQLite database");
    }
    if (bigEndian(68) != static_cast<std::uint32_t>(kRecordsApplicationId)) {
        return notOurs(where);
    }
    if (const std::uint32_t version = bigEndian(60);
        version > static_cast<std::uint32_t>(kRecordsSchemaVersion)) {
        return newer(where, version);
    }
    return {};
}

bool tableExists(SqliteDatabase& database, std::string_view name) {
    SqliteStatement query =
        database.prepare("SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ?1");
    query.bind(1, name);
    return query.step();
}

// Checks that the open file is ours, making the schema in an empty file and upgrading an older
// one. Returns a failure without writing anything when the file is not ours or newer.
RecordsStatus prepareSchema(SqliteDatabase& database, const fs::path& path, OpenMode mode) {
    const std::string where = path.string();
    if (database.queryInt64("PRAGMA page_count") == 0) {
        if (database.isReadOnly()) {
            return failure(RecordsError::ReadOnly, "cannot write " + where);
        }
        SqliteTransaction transaction(database, SqliteTransaction::Kind::Write);
        // Another window may have made it while this one waited for the lock. (Inside the
        // transaction page_count already counts the first page.)
        if (database.queryInt64("SELECT count(*) FROM sqlite_schema") == 0 &&
            database.queryInt64("PRAGMA application_id") == 0) {
            database.execute(kSchema);
            database.execute(kTimedRunsTable);
            database.execute("PRAGMA application_id = " + std::to_string(kRecordsApplicationId));
            database.execute("PRAGMA user_version = " + std::to_string(kRecordsSchemaVersion));
        }
        transaction.commit();
    }
    if (database.queryInt64("PRAGMA application_id") != kRecordsApplicationId ||
        !tableExists(database, "answers")) {
        return notOurs(where);
    }
    std::int64_t version = database.queryInt64("PRAGMA user_version");
    if (version > kRecordsSchemaVersion) {
        return newer(where, version);
    }
    if (version < 1) {
        return failure(RecordsError::NotOurs, where + " has no schema version");
    }
    if (version < kRecordsSchemaVersion) {
        if (database.isReadOnly()) {
            return failure(RecordsError::ReadOnly,
                           "cannot upgrade " + where + ": the file cannot be written");
        }
        SqliteTransaction transaction(database, SqliteTransaction::Kind::Write);
        version = database.queryInt64("PRAGMA user_version");
        for (; version < kRecordsSchemaVersion; ++version) {
            kUpgrades[static_cast<std::size_t>(version - 1)](database);
        }
        database.execute("PRAGMA user_version = " + std::to_string(kRecordsSchemaVersion));
        transaction.commit();
    }
    if (database.isReadOnly() && mode == OpenMode::CreateIfMissing) {
        // Recording into a file that cannot take an answer would fail on every answer.
        return failure(RecordsError::ReadOnly, "cannot write " + where);
    }
    if (!database.isReadOnly()) {
        // WAL lets a second window read and write beside this one. NORMAL syncs at checkpoints:
        // a commit is in the WAL file before it returns, so a killed program keeps it; only a
        // crash of the whole system may lose the last answers.
        if (database.queryText("PRAGMA journal_mode = WAL") != "wal") {
            return failure(RecordsError::ReadOnly, "cannot use a write-ahead log beside " + where);
        }
        database.execute("PRAGMA synchronous = NORMAL");
    }
    return {};
}

}  // namespace

RecordsStatus StatusFromSqlite(const SqliteError& error) {
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
        case SQLITE_NOTADB:
            return failure(RecordsError::NotOurs, error.what());
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

OpenedRecords RecordsStore::open(const fs::path& path, OpenMode mode) {
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
            RecordsStatus header = checkHeader(path);
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
        RecordsStatus prepared = prepareSchema(*database, path, mode);
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
    RecordsStatus status;
    try {
        SqliteStatement insert = m_database->prepare(
            "INSERT INTO timed_runs (finished_at, band, total_millis, fully_right, waits_missed, "
            "wrong_picks) VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
        insert.bind(1, run.finishedAt);
        if (const char* band = bandWord(run.band)) {
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
    } catch (const SqliteError& error) {
        status = StatusFromSqlite(error);
    } catch (const std::exception& error) {
        status = failure(RecordsError::Failed, error.what());
    }
    return noteWrite(std::move(status));
}

BestRunOutcome BestTimedRun(RecordsStore& store, RecordedBand band) {
    return Guarded<BestRunOutcome>([&](BestRunOutcome& outcome) {
        // IS, not =: every-hand runs keep a NULL band.
        SqliteStatement query =
            store.database().prepare("SELECT min(total_millis) FROM timed_runs WHERE band IS ?1");
        if (const char* word = bandWord(band)) {
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
    RecordsStatus status;
    try {
        SqliteDatabase& database = *m_database;
        SqliteTransaction transaction(database, SqliteTransaction::Kind::Write);
        SqliteStatement insert = database.prepare(
            "INSERT INTO answers (answered_at, hand, suit, dealt, band, picks, waits, wait_count, "
            "seconds, fully_right, two_sided, edge, closed, dual_pair, single) "
            "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15)");
        for (const AnswerRecord& answer : answers) {
            Hand13 hand = answer.hand;
            SortHand(hand);
            const std::string handText = HandDigits(hand);
            const char suit[2] = {SuitLetter(answer.suit), '\0'};
            insert.bind(1, answer.answeredAt)
                .bind(2, handText)
                .bind(3, std::string_view(suit))
                .bind(4, std::string_view(kDealWords[static_cast<std::size_t>(answer.dealt)]));
            if (const char* band = bandWord(answer.band)) {
                insert.bind(5, std::string_view(band));
            } else {
                insert.bindNull(5);
            }
            int waitCount = 0;
            for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
                waitCount += (answer.waits & NumberBit(n)) != 0 ? 1 : 0;
            }
            insert.bind(6, NumberSetText(answer.picks))
                .bind(7, NumberSetText(answer.waits))
                .bind(8, std::int64_t{waitCount})
                .bind(9, answer.seconds)
                .bind(10, std::int64_t{answer.fullyRight ? 1 : 0});
            for (std::size_t s = 0; s < kShapeColumns.size(); ++s) {
                NumberSet reached = 0;
                for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
                    if ((answer.waitShapes[static_cast<std::size_t>(n)] & (1u << s)) != 0) {
                        reached = static_cast<NumberSet>(reached | NumberBit(n));
                    }
                }
                insert.bind(static_cast<int>(s) + 11, NumberSetText(reached));
            }
            insert.run();

            std::optional<ReviewCard> card = LoadCard(database, handText);
            if (card || !answer.fullyRight) {
                SaveCard(database,
                         ScheduleReview(card, hand,
                                        answer.fullyRight ? ReviewGrade::Good : ReviewGrade::Again,
                                        answer.answeredAt));
            }
        }
        transaction.commit();
    } catch (const SqliteError& error) {
        status = StatusFromSqlite(error);
    } catch (const std::exception& error) {
        status = failure(RecordsError::Failed, error.what());
    }
    return noteWrite(std::move(status));
}

}  // namespace zelkon
