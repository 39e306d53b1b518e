#include <array>
#include <atomic>
#include <cstdio>
#include <gtest/gtest.h>
#include <set>
#include <signal.h>
#include <sqlite3.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "analysis/wait_shapes.h"
#include "records/record_rows.h"
#include "records/records_store.h"
#include "records/sqlite_database.h"
#include "records/statistics.h"
#include "records_fixture.h"

namespace zelkon {
namespace {

namespace fs = std::filesystem;
using testing::FileBytes;
using testing::GeneratedAnswers;
using testing::TempDir;

constexpr UnixMillis kEnd = 1'767'607'200'000;  // 2026-01-05 10:00 UTC

std::unique_ptr<RecordsStore> mustOpen(const fs::path& path, OpenMode mode) {
    OpenedRecords opened = RecordsStore::open(path, mode);
    EXPECT_TRUE(opened.status.ok()) << opened.status.message;
    return std::move(opened.store);
}

std::int64_t rowCount(const fs::path& path) {
    SqliteDatabase database(path, SQLITE_OPEN_READONLY);
    return database.queryInt64("SELECT count(*) FROM answers");
}

// Opened as the next window opens the file: a commit cut short by a kill is rolled back first.
std::set<double> storedSeconds(const fs::path& path) {
    SqliteDatabase database(path, SQLITE_OPEN_READWRITE);
    SqliteStatement rows = database.prepare("SELECT seconds FROM answers");
    std::set<double> seconds;
    while (rows.step()) {
        seconds.insert(rows.real(0));
    }
    return seconds;
}

AnswerRecord taggedAnswer(int tag) {
    return MakeAnswerRecord({1, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9}, kSuitPinzu, DealKind::Plain,
                            RecordedBand::None, NumberBit(tag % 9 + 1), tag, kEnd + tag);
}

std::set<std::string> folderListing(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

TEST(RecordsPath, followsXdgDataHomeThenHome) {
    struct Case {
        const char* xdg;
        const char* home;
        std::optional<fs::path> expected;
    };
    const Case cases[] = {
        {"/data", "/home/a", fs::path("/data/zelkon/records.sqlite3")},
        {nullptr, "/home/a", fs::path("/home/a/.local/share/zelkon/records.sqlite3")},
        {"", "/home/a", fs::path("/home/a/.local/share/zelkon/records.sqlite3")},
        {"relative/data", "/home/a", fs::path("/home/a/.local/share/zelkon/records.sqlite3")},
        {nullptr, nullptr, std::nullopt},
        {nullptr, "", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DefaultRecordsPathFrom(c.xdg, c.home), c.expected)
            << (c.xdg ? c.xdg : "(unset)") << " " << (c.home ? c.home : "(unset)");
    }
}

TEST(RecordsStore, createsTheFileOnlyWhenAsked) {
    TempDir dir;
    const fs::path path = dir.path() / "deep" / "zelkon" / "records.sqlite3";
    const OpenedRecords missing = RecordsStore::open(path, OpenMode::ExistingOnly);
    EXPECT_EQ(missing.status.error, RecordsError::NotFound);
    EXPECT_EQ(missing.store, nullptr);
    EXPECT_FALSE(fs::exists(dir.path() / "deep"));

    mustOpen(path, OpenMode::CreateIfMissing);
    ASSERT_TRUE(fs::exists(path));
    SqliteDatabase database(path, SQLITE_OPEN_READONLY);
    EXPECT_EQ(database.queryInt64("PRAGMA application_id"), kRecordsApplicationId);
    EXPECT_EQ(database.queryInt64("PRAGMA user_version"), kRecordsSchemaVersion);
    EXPECT_EQ(database.queryText("PRAGMA journal_mode"), "delete");
    EXPECT_NE(mustOpen(path, OpenMode::ExistingOnly), nullptr);
}

TEST(RecordsStore, takesAnEmptyFileLeftByACutShortCreation) {
    TempDir dir;
    const fs::path path = dir.path() / "records.sqlite3";
    std::ofstream(path).close();
    auto store = mustOpen(path, OpenMode::ExistingOnly);
    ASSERT_NE(store, nullptr);
    EXPECT_TRUE(store->addAnswer(taggedAnswer(1)).ok());
    EXPECT_EQ(rowCount(path), 1);
}

TEST(RecordsStore, storesARowAsPlayersReadIt) {
    TempDir dir;
    const fs::path path = dir.path() / "records.sqlite3";
    auto store = mustOpen(path, OpenMode::CreateIfMissing);
    // 1112345678999 waits on every number; picking only 5 misses eight of them.
    const AnswerRecord answer =
        MakeAnswerRecord({9, 1, 5, 1, 2, 9, 3, 4, 1, 6, 7, 8, 9}, kSuitSouzu, DealKind::Band,
                         RecordedBand::FiveOrMore, NumberBit(5), 12.5, kEnd);
    ASSERT_TRUE(store->addAnswer(answer).ok());
    SqliteDatabase database(path, SQLITE_OPEN_READONLY);
    SqliteStatement row = database.prepare(
        "SELECT answered_at, hand, suit, dealt, band, picks, waits, wait_count, seconds, "
        "fully_right, two_sided, edge, closed, dual_pair, single FROM answers");
    ASSERT_TRUE(row.step());
    EXPECT_EQ(row.int64(0), kEnd);
    const std::array<std::string_view, 6> expected = {"1112345678999", "s", "band", "5+", "5",
                                                      "123456789"};
    for (int column = 1; column <= 6; ++column) {
        EXPECT_EQ(row.text(column), expected[static_cast<std::size_t>(column - 1)]) << column;
    }
    EXPECT_EQ(row.int64(7), 9);
    EXPECT_EQ(row.real(8), 12.5);
    EXPECT_EQ(row.int64(9), 0);
    std::array<std::uint8_t, kNumberSlots> shapes{};
    WaitShapesOf(answer.hand, shapes);
    for (int s = 0; s < 5; ++s) {
        NumberSet reached = 0;
        for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
            if (((shapes[static_cast<std::size_t>(n)] >> s) & 1) != 0) {
                reached = static_cast<NumberSet>(reached | NumberBit(n));
            }
        }
        EXPECT_EQ(row.text(10 + s), NumberSetText(reached)) << "shape " << s;
    }
}

// The words players query by (docs/records.md), each kind and band written and read back.
TEST(RecordsStore, storesEveryDealKindAndBandAsItsWord) {
    const struct {
        DealKind kind;
        RecordedBand band;
        const char* dealt;
        const char* banded;  // nullptr: NULL
    } cases[] = {{DealKind::Plain, RecordedBand::None, "plain", nullptr},
                 {DealKind::Band, RecordedBand::OneToTwo, "band", "1-2"},
                 {DealKind::WeakShapes, RecordedBand::None, "weak", nullptr},
                 {DealKind::Review, RecordedBand::None, "review", nullptr},
                 {DealKind::Entered, RecordedBand::None, "entered", nullptr},
                 {DealKind::TimedRun, RecordedBand::ThreeToFour, "timed", "3-4"},
                 {DealKind::TimedRun, RecordedBand::FiveOrMore, "timed", "5+"}};
    TempDir dir;
    const fs::path path = dir.path() / "records.sqlite3";
    auto store = mustOpen(path, OpenMode::CreateIfMissing);
    for (const auto& c : cases) {
        ASSERT_TRUE(store
                        ->addAnswer(MakeAnswerRecord({1, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9},
                                                     kSuitManzu, c.kind, c.band, 0, 1, kEnd))
                        .ok());
    }
    SqliteDatabase database(path, SQLITE_OPEN_READONLY);
    SqliteStatement rows = database.prepare("SELECT dealt, band FROM answers ORDER BY id");
    for (const auto& c : cases) {
        ASSERT_TRUE(rows.step());
        EXPECT_EQ(rows.text(0), c.dealt);
        EXPECT_EQ(rows.isNull(1), c.banded == nullptr) << c.dealt;
        if (c.banded != nullptr) {
            EXPECT_EQ(rows.text(1), c.banded);
        }
    }
}

// What went wrong, as the window words it for a player: damage, a version that is no version, a
// disk that takes no file at all.
TEST(RecordsStore, namesEachFaultForWhatItIs) {
    TempDir dir;
    const fs::path damaged = dir.path() / "damaged.sqlite3";
    ASSERT_TRUE(mustOpen(damaged, OpenMode::CreateIfMissing)
                    ->addAnswers(GeneratedAnswers(400, 3, kEnd))
                    .ok());
    {
        std::fstream file(damaged, std::ios::binary | std::ios::in | std::ios::out);
        // Every page but the first, where the header and the schema are.
        file.seekp(4096);
        const std::string garbage(static_cast<std::size_t>(fs::file_size(damaged)) - 4096, '\x5a');
        file.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
    }
    OpenedRecords opened = RecordsStore::open(damaged, OpenMode::ExistingOnly);
    RecordsError error = opened.status.error;
    if (opened.status.ok()) {
        error = ComputeStatistics(*opened.store, kEnd, 0).status.error;
    }
    EXPECT_EQ(error, RecordsError::Corrupt);

    const fs::path unversioned = dir.path() / "unversioned.sqlite3";
    mustOpen(unversioned, OpenMode::CreateIfMissing);
    SqliteDatabase(unversioned, SQLITE_OPEN_READWRITE).execute("PRAGMA user_version = -1");
    const OpenedRecords minusOne = RecordsStore::open(unversioned, OpenMode::ExistingOnly);
    EXPECT_EQ(minusOne.status.error, RecordsError::NotOurs);
    EXPECT_EQ(minusOne.status.message.find("4294967295"), std::string::npos)
        << minusOne.status.message;

    // No byte may be written: the file cannot even be made (as on a full disk).
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit none{0, 0};
        setrlimit(RLIMIT_FSIZE, &none);
        const OpenedRecords full =
            RecordsStore::open(dir.path() / "new" / "records.sqlite3", OpenMode::CreateIfMissing);
        _exit(static_cast<int>(full.status.error));
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(RecordsError::DiskFull));
}

// Files that are not ours: every byte and the folder's listing must stay as they were.
TEST(RecordsStore, leavesForeignAndNewerFilesUntouched) {
    struct Case {
        const char* name;
        RecordsError expected;
        void (*make)(const fs::path&);
    };
    const Case cases[] = {
        {"text", RecordsError::NotOurs,
         [](const fs::path& p) { std::ofstream(p) << "my notes\nanswers: 12\n"; }},
        {"short binary", RecordsError::NotOurs,
         [](const fs::path& p) { std::ofstream(p, std::ios::binary) << "SQLite format 3"; }},
        {"other application's database", RecordsError::NotOurs,
         [](const fs::path& p) {
             SqliteDatabase db(p, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
             db.execute(
                 "PRAGMA application_id = 42; CREATE TABLE notes (x);"
                 "INSERT INTO notes VALUES (1)");
         }},
        {"tables like ours, no application id", RecordsError::NotOurs,
         [](const fs::path& p) {
             SqliteDatabase db(p, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
             db.execute("PRAGMA user_version = 2; CREATE TABLE answers (x)");
         }},
        {"newer version", RecordsError::Newer,
         [](const fs::path& p) {
             { RecordsStore::open(p, OpenMode::CreateIfMissing); }
             SqliteDatabase db(p, SQLITE_OPEN_READWRITE);
             db.execute("PRAGMA journal_mode = DELETE; PRAGMA user_version = " +
                        std::to_string(kRecordsSchemaVersion + 1));
         }},
    };
    for (const Case& c : cases) {
        for (const OpenMode mode : {OpenMode::ExistingOnly, OpenMode::CreateIfMissing}) {
            TempDir dir;
            const fs::path path = dir.path() / "records.sqlite3";
            c.make(path);
            const std::string before = FileBytes(path);
            const auto listing = folderListing(dir.path());
            const OpenedRecords opened = RecordsStore::open(path, mode);
            EXPECT_EQ(opened.status.error, c.expected) << c.name << ": " << opened.status.message;
            EXPECT_FALSE(opened.status.message.empty()) << c.name;
            EXPECT_EQ(opened.store, nullptr) << c.name;
            EXPECT_EQ(FileBytes(path), before) << c.name;
            EXPECT_EQ(folderListing(dir.path()), listing) << c.name;
        }
    }
}

// Runs open in a child that cannot write the folder (as nobody when the tests run as root, since
// root ignores permissions) and returns the RecordsError it got.
int openWithoutWriteAccess(const fs::path& path) {
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(100);
        }
        const OpenedRecords opened = RecordsStore::open(path, OpenMode::CreateIfMissing);
        _exit(static_cast<int>(opened.status.error));
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(RecordsStore, reportsAReadOnlyFolder) {
    TempDir dir;
    const fs::path folder = dir.path() / "zelkon";
    fs::create_directory(folder);
    const fs::path existing = folder / "records.sqlite3";
    mustOpen(existing, OpenMode::CreateIfMissing)->addAnswer(taggedAnswer(1));
    fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::others_read |
                                    fs::perms::others_exec | fs::perms::group_read |
                                    fs::perms::group_exec);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                fs::perms::others_exec | fs::perms::group_read |
                                fs::perms::group_exec);
    fs::permissions(existing, fs::perms::all);
    const std::string before = FileBytes(existing);

    EXPECT_EQ(openWithoutWriteAccess(folder / "other.sqlite3"),
              static_cast<int>(RecordsError::CannotCreate));
    EXPECT_EQ(openWithoutWriteAccess(folder / "sub" / "records.sqlite3"),
              static_cast<int>(RecordsError::CannotCreate));
    EXPECT_EQ(openWithoutWriteAccess(existing), static_cast<int>(RecordsError::ReadOnly));
    EXPECT_EQ(FileBytes(existing), before);
    // A writable folder but a read-only file.
    fs::permissions(folder, fs::perms::all);
    fs::permissions(existing,
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(openWithoutWriteAccess(existing), static_cast<int>(RecordsError::ReadOnly));
    EXPECT_EQ(FileBytes(existing), before);
    fs::permissions(folder, fs::perms::owner_all);
}

TEST(RecordsStore, reportsAFullDiskOncePerSpell) {
    TempDir dir;
    const fs::path path = dir.path() / "records.sqlite3";
    auto store = mustOpen(path, OpenMode::CreateIfMissing);
    const std::int64_t pages = store->database().queryInt64("PRAGMA page_count");
    store->database().execute("PRAGMA max_page_count = " + std::to_string(pages));
    std::vector<RecordsStatus> statuses;
    for (int i = 0; i < 400 && statuses.size() < 3; ++i) {
        RecordsStatus status = store->addAnswer(taggedAnswer(i));
        if (!status.ok()) {
            statuses.push_back(status);
        }
    }
    ASSERT_EQ(statuses.size(), 3u);
    EXPECT_EQ(statuses[0].error, RecordsError::DiskFull);
    EXPECT_FALSE(statuses[0].repeated);
    EXPECT_TRUE(statuses[1].repeated);
    EXPECT_TRUE(statuses[2].repeated);
    const std::int64_t kept = rowCount(path);

    store->database().execute("PRAGMA max_page_count = 100000");
    EXPECT_TRUE(store->addAnswer(taggedAnswer(1000)).ok());
    EXPECT_EQ(rowCount(path), kept + 1);
    store->database().execute("PRAGMA max_page_count = " +
                              std::to_string(store->database().queryInt64("PRAGMA page_count")));
    for (int i = 0; i < 400; ++i) {
        RecordsStatus status = store->addAnswer(taggedAnswer(i));
        if (!status.ok()) {
            EXPECT_FALSE(status.repeated) << "a new spell is reported again";
            break;
        }
    }
    // A run that cannot be kept is a failure of the same spell, not a silent loss.
    RecordsStatus runStatus;
    for (int i = 0; i < 2000 && runStatus.ok(); ++i) {
        runStatus = store->addTimedRun({kEnd + i, RecordedBand::None, 40'000 + i, 10, 0, 0});
    }
    EXPECT_EQ(runStatus.error, RecordsError::DiskFull);
    EXPECT_TRUE(store->addAnswer(taggedAnswer(5)).repeated);
}

TEST(RecordsStore, aKilledWriterLosesNoCommittedAnswer) {
    TempDir dir;
    const fs::path path = dir.path() / "records.sqlite3";
    mustOpen(path, OpenMode::CreateIfMissing);
    constexpr int kReported = 60;
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        OpenedRecords opened = RecordsStore::open(path, OpenMode::ExistingOnly);
        for (int i = 0; opened.store; ++i) {
            if (!opened.store->addAnswer(taggedAnswer(i)).ok() ||
                write(pipeEnds[1], &i, sizeof i) != sizeof i) {
                break;
            }
        }
        _exit(1);
    }
    close(pipeEnds[1]);
    int last = -1;
    for (int i = 0; i < kReported; ++i) {
        ASSERT_EQ(read(pipeEnds[0], &last, sizeof last), static_cast<ssize_t>(sizeof last));
    }
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(pipeEnds[0]);
    ASSERT_TRUE(WIFSIGNALED(status));

    // A reader before any window: the commit cut short may have left its journal hot.
    {
        OpenedRecords reader = RecordsStore::open(path, OpenMode::ReadOnly);
        ASSERT_TRUE(reader.status.ok()) << reader.status.message;
        EXPECT_GE(ComputeStatistics(*reader.store, kEnd, 0).figures.problems, last + 1);
    }
    const std::set<double> seconds = storedSeconds(path);
    for (int i = 0; i <= last; ++i) {
        EXPECT_EQ(seconds.count(i), 1u) << "answer " << i << " was committed, then lost";
    }
    EXPECT_NE(mustOpen(path, OpenMode::ExistingOnly), nullptr);
}

TEST(RecordsStore, twoWritersLoseNoRow) {
    TempDir dir;
    const fs::path path = dir.path() / "records.sqlite3";
    constexpr int kEach = 150;
    // SQLite's lock is no queue: a writer committing back to back, each commit synced, can hold
    // it for longer than the busy timeout on a loaded disk while the other's retries keep missing
    // the moments between. Windows answer at a player's pace; here each writer keeps at most
    // kAhead answers ahead of the other, so the two still write at once but neither starves.
    constexpr int kAhead = 4;
    void* shared = mmap(nullptr, 2 * sizeof(std::atomic<int>), PROT_READ | PROT_WRITE,
                        MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(shared, MAP_FAILED);
    auto* written = new (shared) std::atomic<int>[2] { 0, 0 };
    std::array<pid_t, 2> children{};
    for (int w = 0; w < 2; ++w) {
        children[static_cast<std::size_t>(w)] = fork();
        if (children[static_cast<std::size_t>(w)] == 0) {
            // Both create the file at once: the second must wait, not fail or make a second schema.
            OpenedRecords opened = RecordsStore::open(path, OpenMode::CreateIfMissing);
            int failures = opened.store ? 0 : 1;
            const std::atomic<int>& other = written[1 - w];
            for (int i = 0; opened.store && i < kEach; ++i) {
                while (i - other.load() > kAhead) {
                    usleep(1000);
                }
                failures += opened.store->addAnswer(taggedAnswer(w * 1000 + i)).ok() ? 0 : 1;
                written[w].store(i + 1);
            }
            // A writer that stops early holds the other back no more.
            written[w].store(kEach + kAhead);
            _exit(failures == 0 ? 0 : 1);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    munmap(shared, 2 * sizeof(std::atomic<int>));
    // And two connections in one process, interleaved.
    auto first = mustOpen(path, OpenMode::ExistingOnly);
    auto second = mustOpen(path, OpenMode::ExistingOnly);
    for (int i = 0; i < 20; ++i) {
        EXPECT_TRUE((i % 2 ? first : second)->addAnswer(taggedAnswer(5000 + i)).ok());
    }
    const std::set<double> seconds = storedSeconds(path);
    EXPECT_EQ(rowCount(path), 2 * kEach + 20);
    for (int w = 0; w < 2; ++w) {
        for (int i = 0; i < kEach; ++i) {
            EXPECT_EQ(seconds.count(w * 1000 + i), 1u);
        }
    }
}

// Statements kept for the next answer: a borrower done in the middle of a read leaves no lock on
// the file, a second borrower of a text in use gets a statement of its own, and the next one
// starts from the first row.
TEST(SqliteDatabase, reusedStatementsLeaveNoReadOpen) {
    TempDir dir;
    const fs::path path = dir.path() / "records.sqlite3";
    auto store = mustOpen(path, OpenMode::CreateIfMissing);
    ASSERT_TRUE(store->addAnswers(GeneratedAnswers(50, 1, NowUnixMillis())).ok());
    SqliteDatabase& database = store->database();
    constexpr std::string_view kIds = "SELECT id FROM answers ORDER BY id";
    {
        ReusedStatement outer = database.reuse(kIds);
        ASSERT_TRUE(outer->step());
        ASSERT_TRUE(outer->step());
        ReusedStatement inner = database.reuse(kIds);
        ASSERT_TRUE(inner->step());
        EXPECT_NE(&*outer, &*inner);
        EXPECT_EQ(outer->int64(0), 2);
        EXPECT_EQ(inner->int64(0), 1);
    }
    SqliteDatabase writer(path, SQLITE_OPEN_READWRITE);
    EXPECT_NO_THROW(writer.execute("BEGIN EXCLUSIVE; COMMIT"));
    ReusedStatement again = database.reuse(kIds);
    ASSERT_TRUE(again->step());
    EXPECT_EQ(again->int64(0), 1);
}

// Each earlier version as that program wrote it. A new schema version adds its file here.
struct OldVersion {
    int version;
    const char* schema;
    // ?1 at, ?2 hand, ?3 picks, ?4 waits, ?5 wait count, ?6 seconds, ?7 right; from version 2
    // ?8..?12 the shape columns.
    const char* insert;
    const char* afterRows;  // what that program derived from the rows, or nullptr
};
const std::array<OldVersion, kRecordsSchemaVersion - 1> kOldVersions = {{
    {1,
     "CREATE TABLE answers (id INTEGER PRIMARY KEY, answered_at INTEGER NOT NULL, hand TEXT NOT "
     "NULL, suit TEXT NOT NULL, dealt TEXT NOT NULL, band TEXT, picks TEXT NOT NULL, waits TEXT "
     "NOT NULL, wait_count INTEGER NOT NULL, seconds REAL NOT NULL, fully_right INTEGER NOT "
     "NULL); CREATE INDEX answers_by_time ON answers (answered_at);",
     "INSERT INTO answers (answered_at, hand, suit, dealt, band, picks, waits, wait_count, "
     "seconds, fully_right) VALUES (?1, ?2, 'm', 'plain', NULL, ?3, ?4, ?5, ?6, ?7)",
     nullptr},
    {2,
     "CREATE TABLE answers (id INTEGER PRIMARY KEY, answered_at INTEGER NOT NULL, hand TEXT NOT "
     "NULL, suit TEXT NOT NULL, dealt TEXT NOT NULL, band TEXT, picks TEXT NOT NULL, waits TEXT "
     "NOT NULL, wait_count INTEGER NOT NULL, seconds REAL NOT NULL, fully_right INTEGER NOT "
     "NULL, two_sided TEXT NOT NULL DEFAULT '', edge TEXT NOT NULL DEFAULT '', closed TEXT NOT "
     "NULL DEFAULT '', dual_pair TEXT NOT NULL DEFAULT '', single TEXT NOT NULL DEFAULT ''); "
     "CREATE INDEX answers_by_time ON answers (answered_at); CREATE TABLE cards (hand TEXT "
     "PRIMARY KEY, stability REAL NOT NULL, difficulty REAL NOT NULL, reviews INTEGER NOT NULL, "
     "lapses INTEGER NOT NULL, last_review INTEGER NOT NULL, due INTEGER NOT NULL); CREATE INDEX "
     "cards_by_due ON cards (due);",
     "INSERT INTO answers (answered_at, hand, suit, dealt, band, picks, waits, wait_count, "
     "seconds, fully_right, two_sided, edge, closed, dual_pair, single) VALUES (?1, ?2, 'm', "
     "'timed', '3-4', ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12)",
     "INSERT INTO cards SELECT hand, 1, 5, count(*), count(*) - 1, max(answered_at), "
     "max(answered_at) + 86400000 FROM answers WHERE NOT fully_right GROUP BY hand"},
    {3,
     "CREATE TABLE answers (id INTEGER PRIMARY KEY, answered_at INTEGER NOT NULL, hand TEXT NOT "
     "NULL, suit TEXT NOT NULL, dealt TEXT NOT NULL, band TEXT, picks TEXT NOT NULL, waits TEXT "
     "NOT NULL, wait_count INTEGER NOT NULL, seconds REAL NOT NULL, fully_right INTEGER NOT "
     "NULL, two_sided TEXT NOT NULL DEFAULT '', edge TEXT NOT NULL DEFAULT '', closed TEXT NOT "
     "NULL DEFAULT '', dual_pair TEXT NOT NULL DEFAULT '', single TEXT NOT NULL DEFAULT ''); "
     "CREATE INDEX answers_by_time ON answers (answered_at); CREATE TABLE cards (hand TEXT "
     "PRIMARY KEY, stability REAL NOT NULL, difficulty REAL NOT NULL, reviews INTEGER NOT NULL, "
     "lapses INTEGER NOT NULL, last_review INTEGER NOT NULL, due INTEGER NOT NULL); CREATE INDEX "
     "cards_by_due ON cards (due); CREATE TABLE timed_runs (id INTEGER PRIMARY KEY, finished_at "
     "INTEGER NOT NULL, band TEXT, total_millis INTEGER NOT NULL, fully_right INTEGER NOT NULL, "
     "waits_missed INTEGER NOT NULL, wrong_picks INTEGER NOT NULL);",
     "INSERT INTO answers (answered_at, hand, suit, dealt, band, picks, waits, wait_count, "
     "seconds, fully_right, two_sided, edge, closed, dual_pair, single) VALUES (?1, ?2, 's', "
     "'band', '5+', ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12)",
     "INSERT INTO cards SELECT hand, 1, 5, count(*), count(*) - 1, max(answered_at), "
     "max(answered_at) + 86400000 FROM answers WHERE NOT fully_right GROUP BY hand"},
}};

NumberSet shapeWaits(const AnswerRecord& answer, int shape) {
    NumberSet reached = 0;
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        if (((answer.waitShapes[static_cast<std::size_t>(n)] >> shape) & 1) != 0) {
            reached = static_cast<NumberSet>(reached | NumberBit(n));
        }
    }
    return reached;
}

TEST(RecordsStore, upgradesEveryEarlierVersionInPlace) {
    const std::vector<AnswerRecord> answers = GeneratedAnswers(300, 7, kEnd);
    for (const OldVersion& old : kOldVersions) {
        TempDir dir;
        const fs::path path = dir.path() / "records.sqlite3";
        {
            SqliteDatabase db(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
            db.execute("PRAGMA journal_mode = WAL");
            db.execute(old.schema);
            db.execute("PRAGMA application_id = " + std::to_string(kRecordsApplicationId) +
                       "; PRAGMA user_version = " + std::to_string(old.version));
            SqliteStatement insert = db.prepare(old.insert);
            for (const AnswerRecord& a : answers) {
                insert.bind(1, a.answeredAt)
                    .bind(2, HandDigits(a.hand))
                    .bind(3, NumberSetText(a.picks))
                    .bind(4, NumberSetText(a.waits))
                    .bind(5, std::int64_t{std::popcount(a.waits)})
                    .bind(6, a.seconds)
                    .bind(7, std::int64_t{a.fullyRight});
                for (int shape = 0; old.version >= 2 && shape < 5; ++shape) {
                    insert.bind(8 + shape, NumberSetText(shapeWaits(a, shape)));
                }
                insert.run();
            }
            if (old.afterRows != nullptr) {
                db.execute(old.afterRows);
            }
        }
        auto store = mustOpen(path, OpenMode::ExistingOnly);
        ASSERT_NE(store, nullptr) << "version " << old.version;
        SqliteDatabase& db = store->database();
        EXPECT_EQ(db.queryInt64("PRAGMA user_version"), kRecordsSchemaVersion);
        EXPECT_EQ(db.queryInt64("SELECT count(*) FROM answers"),
                  static_cast<std::int64_t>(answers.size()));

        // The shapes are worked out again per row and must match what a new answer stores.
        SqliteStatement rows = db.prepare(
            "SELECT two_sided, edge, closed, dual_pair, single FROM answers ORDER BY id");
        for (const AnswerRecord& a : answers) {
            ASSERT_TRUE(rows.step());
            for (int s = 0; s < 5; ++s) {
                EXPECT_EQ(NumberSetFromText(rows.text(s)), shapeWaits(a, s));
            }
        }
        // Version 4's columns: 13 tiles, no hints, and each hand's smallest core's family.
        SqliteStatement sizes = db.prepare("SELECT tiles, family, hints FROM answers ORDER BY id");
        int named = 0;
        for (const AnswerRecord& a : answers) {
            ASSERT_TRUE(sizes.step());
            EXPECT_EQ(sizes.int64(0), 13);
            const char* family = FamilyWord(CoreFamilyOf(TileHandOf(a.hand)));
            EXPECT_EQ(sizes.text(1), family) << HandDigits(a.hand);
            named += std::string_view(family) != "-" ? 1 : 0;
            EXPECT_EQ(sizes.int64(2), 0);
        }
        EXPECT_GT(named, 0);
        // A card for every hand ever missed, and none other.
        std::set<std::string> missed;
        for (const AnswerRecord& a : answers) {
            if (!a.fullyRight) {
                missed.insert(HandDigits(a.hand));
            }
        }
        SqliteStatement cards = db.prepare("SELECT hand FROM cards ORDER BY hand");
        std::set<std::string> carded;
        while (cards.step()) {
            carded.insert(std::string(cards.text(0)));
        }
        EXPECT_EQ(carded, missed);

        store->addAnswer(answers.front());
        EXPECT_EQ(db.queryInt64("SELECT count(*) FROM answers"),
                  static_cast<std::int64_t>(answers.size()) + 1);

        // Runs start empty and are then kept as in a new file.
        EXPECT_EQ(db.queryInt64("SELECT count(*) FROM timed_runs"), 0);
        EXPECT_FALSE(BestTimedRun(*store, RecordedBand::ThreeToFour).totalMillis);
        EXPECT_TRUE(store->addTimedRun({kEnd, RecordedBand::ThreeToFour, 42'100, 9, 1, 0}).ok());
        EXPECT_EQ(BestTimedRun(*store, RecordedBand::ThreeToFour).totalMillis, 42'100);
    }
}

// The best of a band is the least total of its runs alone, checked after every run against a
// running minimum kept per band; every-hand runs (NULL band) form a band of their own.
TEST(RecordsStore, keepsTheBestTimedRunOfEachBand) {
    constexpr std::array<RecordedBand, 4> kBands = {RecordedBand::None, RecordedBand::OneToTwo,
                                                    RecordedBand::ThreeToFour,
                                                    RecordedBand::FiveOrMore};
    TempDir dir;
    const fs::path path = dir.path() / "records.sqlite3";
    auto store = mustOpen(path, OpenMode::CreateIfMissing);
    ASSERT_NE(store, nullptr);
    for (const RecordedBand band : kBands) {
        EXPECT_FALSE(BestTimedRun(*store, band).totalMillis);
    }
    std::mt19937 random(11);
    std::array<std::optional<std::int64_t>, kBands.size()> least{};
    for (int i = 0; i < 200; ++i) {
        const std::size_t b = random() % kBands.size();
        const TimedRunRecord run{kEnd + i,
                                 kBands[b],
                                 static_cast<std::int64_t>(5'000 + random() % 600'000),
                                 static_cast<int>(random() % 11),
                                 static_cast<int>(random() % 30),
                                 static_cast<int>(random() % 30)};
        ASSERT_TRUE(store->addTimedRun(run).ok());
        least[b] = least[b] ? std::min(*least[b], run.totalMillis) : run.totalMillis;
        for (std::size_t k = 0; k < kBands.size(); ++k) {
            const BestRunOutcome best = BestTimedRun(*store, kBands[k]);
            ASSERT_TRUE(best.status.ok()) << best.status.message;
            ASSERT_EQ(best.totalMillis, least[k]) << "run " << i << ", band " << k;
        }
    }
}

}  // namespace
}  // namespace zelkon
