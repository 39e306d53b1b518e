#include "records_schema.h"

#include <array>
#include <fstream>
#include <string_view>

#include "analysis/wait_shapes.h"
#include "record_rows.h"
#include "sqlite_database.h"

namespace zelkon {

namespace fs = std::filesystem;

namespace {

// Every table as a new file has it. An upgrade that brings a table or column in uses the same
// text, so an upgraded file and a new one cannot differ.
constexpr std::string_view kAnswersColumns = R"sql(
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
  fully_right INTEGER NOT NULL)sql";

std::string shapeColumn(const char* name) {
    return std::string(name) + " TEXT NOT NULL DEFAULT ''";
}

// Version 4's columns: every answer before it was of 13 tiles and had no hints.
constexpr std::array<std::string_view, 3> kSizeColumns = {"tiles INTEGER NOT NULL DEFAULT 13",
                                                          "family TEXT NOT NULL DEFAULT '-'",
                                                          "hints INTEGER NOT NULL DEFAULT 0"};

constexpr std::string_view kCardsTable = R"sql(
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
void upgradeFrom1(SqliteDatabase& database, const UpgradeProgress& progress) {
    for (const char* column : kShapeColumns) {
        database.execute("ALTER TABLE answers ADD COLUMN " + shapeColumn(column));
    }
    database.execute(kCardsTable);

    const std::int64_t total = database.queryInt64("SELECT count(*) FROM answers");
    SqliteStatement setShapes = database.prepare(
        "UPDATE answers SET two_sided = ?2, edge = ?3, closed = ?4, dual_pair = ?5, single = ?6 "
        "WHERE id = ?1");
    SqliteStatement rows = database.prepare(
        "SELECT id, hand, fully_right, answered_at FROM answers ORDER BY answered_at, id");
    CardBook cards(database);
    std::int64_t done = 0;
    while (rows.step()) {
        if (progress && ++done % 1024 == 0) {
            progress(done, total);
        }
        const std::optional<Hand13> hand = HandFromText(rows.text(1));
        if (!hand) {
            continue;
        }
        Hand13 sorted = *hand;
        SortHand(sorted);
        std::array<std::uint8_t, kNumberSlots> shapes{};
        WaitShapesOf(sorted, shapes);
        setShapes.bind(1, rows.int64(0));
        const std::array<std::string, kWaitShapeCount> texts = ShapeColumnTexts(shapes);
        for (std::size_t s = 0; s < texts.size(); ++s) {
            setShapes.bind(static_cast<int>(s) + 2, texts[s]);
        }
        setShapes.run();
        cards.grade(sorted, rows.int64(2) != 0, rows.int64(3));
    }
    if (progress) {
        progress(total, total);
    }
}

// Version 2 kept no timed runs; earlier runs are lost to it, so the table starts empty.
void upgradeFrom2(SqliteDatabase& database, const UpgradeProgress&) {
    database.execute(kTimedRunsTable);
}

// Version 3 kept no size, family or hints: every answer was of 13 tiles without hints, dealt
// without a family, so each row takes its smallest core's family. Row by row: an UPDATE by hand
// would scan the whole table once for every hand (hours at 200,000 answers), and the smallest
// core costs about a microsecond.
void upgradeFrom3(SqliteDatabase& database, const UpgradeProgress& progress) {
    for (const std::string_view column : kSizeColumns) {
        database.execute("ALTER TABLE answers ADD COLUMN " + std::string(column));
    }
    const std::int64_t total = database.queryInt64("SELECT count(*) FROM answers");
    SqliteStatement setFamily = database.prepare("UPDATE answers SET family = ?2 WHERE id = ?1");
    SqliteStatement rows = database.prepare("SELECT id, hand FROM answers");
    const std::string_view none = FamilyWord(kNoFamily);
    std::int64_t done = 0;
    while (rows.step()) {
        if (progress && ++done % 1024 == 0) {
            progress(done, total);
        }
        const std::optional<Hand13> tiles = HandFromText(rows.text(1));
        if (!tiles) {
            continue;
        }
        const std::string_view family = FamilyWord(CoreFamilyOf(TileHandOf(*tiles)));
        // The column's default already says none.
        if (family != none) {
            setFamily.bind(1, rows.int64(0)).bind(2, family);
            setFamily.run();
        }
    }
    if (progress) {
        progress(total, total);
    }
}

// The one upgrade path: kUpgrades[v - 1] lifts a file of version v to v + 1. A new version adds
// its step here, its columns or tables to CreateSchema, and raises kRecordsSchemaVersion.
using Upgrade = void (*)(SqliteDatabase&, const UpgradeProgress&);
constexpr std::array<Upgrade, kRecordsSchemaVersion - 1> kUpgrades = {upgradeFrom1, upgradeFrom2,
                                                                      upgradeFrom3};

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

bool tableExists(SqliteDatabase& database, std::string_view name) {
    SqliteStatement query =
        database.prepare("SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ?1");
    query.bind(1, name);
    return query.step();
}

}  // namespace

void CreateSchema(SqliteDatabase& database) {
    std::string answers = "CREATE TABLE answers (" + std::string(kAnswersColumns);
    for (const char* column : kShapeColumns) {
        answers += ",\n  " + shapeColumn(column);
    }
    for (const std::string_view column : kSizeColumns) {
        answers += ",\n  " + std::string(column);
    }
    answers += "\n);\nCREATE INDEX answers_by_time ON answers (answered_at);";
    database.execute(answers);
    database.execute(kCardsTable);
    database.execute(kTimedRunsTable);
    database.execute("PRAGMA application_id = " + std::to_string(kRecordsApplicationId));
    database.execute("PRAGMA user_version = " + std::to_string(kRecordsSchemaVersion));
}

void CreateHelpIndexes(SqliteDatabase& database) {
    // Due cards in the order they are dealt, without sorting every due card.
    database.execute("CREATE INDEX IF NOT EXISTS cards_by_due_hand ON cards (due, hand)");
}

RecordsStatus CheckHeader(const fs::path& path) {
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
    // user_version is signed: a file edited to -1 has no version, it is not "newer".
    const auto version = static_cast<std::int32_t>(bigEndian(60));
    if (version < 0) {
        return failure(RecordsError::NotOurs,
                       where + " has no valid schema version (" + std::to_string(version) + ")");
    }
    if (version > kRecordsSchemaVersion) {
        return newer(where, version);
    }
    return {};
}

RecordsStatus PrepareSchema(SqliteDatabase& database, const std::string& where, bool writable,
                            const UpgradeProgress& progress) {
    if (database.queryInt64("PRAGMA page_count") == 0) {
        if (!writable) {
            return failure(RecordsError::ReadOnly, "cannot write " + where);
        }
        SqliteTransaction transaction(database, SqliteTransaction::Kind::Write);
        // Another window may have made it while this one waited for the lock. (Inside the
        // transaction page_count already counts the first page.)
        if (database.queryInt64("SELECT count(*) FROM sqlite_schema") == 0 &&
            database.queryInt64("PRAGMA application_id") == 0) {
            CreateSchema(database);
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
        if (!writable) {
            return failure(RecordsError::ReadOnly,
                           "cannot upgrade " + where + ": the file cannot be written");
        }
        // Every page of the answers is rewritten: a cache that holds them all spills (and syncs
        // the journal) once instead of at every few thousand rows.
        const std::int64_t cache = database.queryInt64("PRAGMA cache_size");
        database.execute("PRAGMA cache_size = -262144");
        SqliteTransaction transaction(database, SqliteTransaction::Kind::Write);
        version = database.queryInt64("PRAGMA user_version");
        for (; version < kRecordsSchemaVersion; ++version) {
            kUpgrades[static_cast<std::size_t>(version - 1)](database, progress);
        }
        database.execute("PRAGMA user_version = " + std::to_string(kRecordsSchemaVersion));
        transaction.commit();
        database.execute("PRAGMA cache_size = " + std::to_string(cache));
    }
    return {};
}

}  // namespace zelkon
