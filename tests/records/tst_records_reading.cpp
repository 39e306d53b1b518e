// The one file a player sees holds every committed answer, and a reader writes nothing, ever.
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

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

std::int64_t problemsRead(const fs::path& path) {
    OpenedRecords opened = RecordsStore::open(path, OpenMode::ReadOnly);
    if (!opened.status.ok()) {
        ADD_FAILURE() << opened.status.message;
        return -1;
    }
    const StatisticsOutcome outcome = ComputeStatistics(*opened.store, kEnd, 0);
    EXPECT_TRUE(outcome.status.ok()) << outcome.status.message;
    return outcome.figures.problems;
}

std::map<std::string, std::string> folderBytes(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        files[entry.path().filename().string()] = FileBytes(entry.path());
    }
    return files;
}

// Copies the answers once more in WAL mode and dies, as an earlier version killed mid-run: the
// copies are committed in the log beside the file, not in the file.
void leaveInWal(const fs::path& path) {
    const pid_t child = fork();
    if (child == 0) {
        SqliteDatabase database(path, SQLITE_OPEN_READWRITE);
        database.execute("PRAGMA journal_mode = WAL; PRAGMA wal_autocheckpoint = 0");
        database.execute(
            "INSERT INTO answers (answered_at, hand, suit, dealt, band, picks, waits, wait_count, "
            "seconds, fully_right) SELECT answered_at + 1, hand, suit, dealt, band, picks, waits, "
            "wait_count, seconds, fully_right FROM answers");
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(fs::exists(path.string() + "-wal"));
}

TEST(RecordsFile, aPlainCopyHoldsEveryCommittedAnswerAtOnce) {
    TempDir dir;
    const fs::path path = dir.path() / "records.sqlite3";
    const fs::path copy = dir.path() / "copy.sqlite3";
    OpenedRecords window = RecordsStore::open(path, OpenMode::CreateIfMissing);
    ASSERT_TRUE(window.status.ok()) << window.status.message;
    // A second window reading beside the first holds up no commit.
    OpenedRecords reader = RecordsStore::open(path, OpenMode::ReadOnly);
    ASSERT_TRUE(reader.status.ok()) << reader.status.message;
    const std::vector<AnswerRecord> answers = GeneratedAnswers(20, 3, kEnd);
    for (std::size_t i = 0; i < answers.size(); ++i) {
        ASSERT_TRUE(window.store->addAnswer(answers[i]).ok());
        ASSERT_TRUE(ComputeStatistics(*reader.store, kEnd, 0).status.ok());
        fs::copy_file(path, copy, fs::copy_options::overwrite_existing);
        ASSERT_EQ(problemsRead(copy), static_cast<std::int64_t>(i + 1));
    }
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        names.insert(entry.path().filename().string());
    }
    EXPECT_EQ(names, (std::set<std::string>{"copy.sqlite3", "records.sqlite3"}));
}

TEST(RecordsFile, aFileLeftInWalModeComesOverWhole) {
    TempDir dir;
    const fs::path path = dir.path() / "records.sqlite3";
    ASSERT_TRUE(RecordsStore::open(path, OpenMode::CreateIfMissing)
                    .store->addAnswers(GeneratedAnswers(20, 5, kEnd))
                    .ok());
    leaveInWal(path);
    EXPECT_EQ(problemsRead(path), 40);

    OpenedRecords window = RecordsStore::open(path, OpenMode::ExistingOnly);
    ASSERT_TRUE(window.status.ok()) << window.status.message;
    EXPECT_EQ(window.store->database().queryText("PRAGMA journal_mode"), "delete");
    EXPECT_FALSE(fs::exists(path.string() + "-wal"));
    const fs::path copy = dir.path() / "copy.sqlite3";
    fs::copy_file(path, copy);
    EXPECT_EQ(problemsRead(copy), 40);
}

enum class Kind { Empty, Current, LeftInWal, LeftInWalWithoutIndex, Version1 };

void makeRecords(Kind kind, const fs::path& path) {
    if (kind == Kind::Empty) {
        std::ofstream(path, std::ios::binary);
        return;
    }
    ASSERT_TRUE(RecordsStore::open(path, OpenMode::CreateIfMissing)
                    .store->addAnswers(GeneratedAnswers(20, 9, kEnd))
                    .ok());
    if (kind == Kind::LeftInWal || kind == Kind::LeftInWalWithoutIndex) {
        leaveInWal(path);
    }
    if (kind == Kind::LeftInWalWithoutIndex) {
        fs::remove(path.string() + "-shm");
    }
    if (kind == Kind::Version1) {
        SqliteDatabase database(path, SQLITE_OPEN_READWRITE);
        for (const char* column :
             {"two_sided", "edge", "closed", "dual_pair", "single", "tiles", "family", "hints"}) {
            database.execute(std::string("ALTER TABLE answers DROP COLUMN ") + column);
        }
        database.execute("DROP TABLE cards; DROP TABLE timed_runs; PRAGMA user_version = 1");
    }
}

// Every kind of file, read where nothing can be written (the folder and the file read-only, a
// user who is not root), then compared byte for byte, the files beside it included.
TEST(RecordsFile, aReaderReadsWithoutWriteAccessAndWritesNothing) {
    const struct {
        Kind kind;
        const char* name;
        std::int64_t problems;
    } cases[] = {{Kind::Empty, "empty", 0},
                 {Kind::Current, "current", 20},
                 {Kind::LeftInWal, "left in WAL mode", 40},
                 {Kind::LeftInWalWithoutIndex, "left in WAL mode, no -shm", 40},
                 {Kind::Version1, "version 1", 20}};
    for (const auto& c : cases) {
        TempDir dir;
        const fs::path folder = dir.path() / "zelkon";
        fs::create_directory(folder);
        const fs::path path = folder / "records.sqlite3";
        makeRecords(c.kind, path);
        const std::map<std::string, std::string> before = folderBytes(folder);
        const fs::perms readable =
            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
        const fs::perms enterable =
            fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
        fs::permissions(dir.path(), readable | enterable);
        fs::permissions(folder, readable | enterable);
        for (const auto& entry : fs::directory_iterator(folder)) {
            fs::permissions(entry.path(), readable);
        }
        const pid_t child = fork();
        if (child == 0) {
            if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
                _exit(100);
            }
            OpenedRecords opened = RecordsStore::open(path, OpenMode::ReadOnly);
            if (!opened.status.ok()) {
                std::fprintf(stderr, "%s\n", opened.status.message.c_str());
                _exit(101);
            }
            const StatisticsOutcome outcome = ComputeStatistics(*opened.store, kEnd, 0);
            _exit(!outcome.status.ok() ? 102 : outcome.figures.problems == c.problems ? 0 : 103);
        }
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << c.name << ": " << WEXITSTATUS(status);
        fs::permissions(folder, fs::perms::owner_all);
        EXPECT_EQ(folderBytes(folder), before) << c.name;

        // And with write access, as a player's own reader runs.
        EXPECT_EQ(problemsRead(path), c.problems) << c.name;
        EXPECT_EQ(folderBytes(folder), before) << c.name;
    }
}

}  // namespace
}  // namespace zelkon
