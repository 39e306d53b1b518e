// The player's records database: one SQLite file, created only on request, one row per answer.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>

#include "answer_record.h"
#include "records_schema.h"
#include "records_status.h"

namespace zelkon {

class SqliteDatabase;

// $XDG_DATA_HOME/zelkon/records.sqlite3 when XDG_DATA_HOME is an absolute path, else
// $HOME/.local/share/zelkon/records.sqlite3; nothing when neither is usable.
std::optional<std::filesystem::path> DefaultRecordsPath();
// The same rule on given values (nullptr for an unset variable), for tests.
std::optional<std::filesystem::path> DefaultRecordsPathFrom(const char* xdgDataHome,
                                                            const char* home);

enum class OpenMode {
    ExistingOnly,     // a missing file is RecordsError::NotFound; nothing is created
    CreateIfMissing,  // makes the folders and the file (the player turned recording on)
    // For readers (zelkon-cli stats): writes nothing, ever, into the file or beside it, and reads
    // on a read-only folder or file system whatever journal the file was left with. A file that
    // SQLite could only read by writing (a WAL log, a journal, an older schema) is read from a
    // private copy. A missing file is RecordsError::NotFound; an empty one reads as no answers.
    ReadOnly,
};

class RecordsStore;

// A finished タイムアタック run as the records keep it.
struct TimedRunRecord {
    UnixMillis finishedAt = 0;
    RecordedBand band = RecordedBand::None;  // the band the ten were dealt in
    std::int64_t totalMillis = 0;
    int fullyRight = 0;
    int waitsMissed = 0;
    int wrongPicks = 0;
};

struct BestRunOutcome {
    std::optional<std::int64_t> totalMillis;  // nothing when no run of the band is kept
    RecordsStatus status;
};

struct OpenedRecords {
    std::unique_ptr<RecordsStore> store;  // null unless status.ok()
    RecordsStatus status;
};

class RecordsStore {
public:
    // Never throws. A file that is not ours or is newer is neither written nor deleted. A file of
    // zero bytes is taken as ours (SQLite leaves one when a creation is cut short). Opening
    // upgrades an older schema in place, in one transaction.
    // progress, when given, follows an upgrade that rewrites the answers.
    static OpenedRecords open(const std::filesystem::path& path, OpenMode mode,
                              const UpgradeProgress& progress = {});

    ~RecordsStore();
    RecordsStore(const RecordsStore&) = delete;
    RecordsStore& operator=(const RecordsStore&) = delete;

    // Appends the row and updates the hand's review card (wrong: Again, creating the card; fully
    // right: Good, when the hand has a card) in one transaction. Returns once it is committed:
    // a program killed afterwards keeps it. Another writer is waited for up to the busy timeout.
    RecordsStatus addAnswer(const AnswerRecord& answer);
    // Many answers in one transaction, in order (imports, generated test data): all or none.
    RecordsStatus addAnswers(std::span<const AnswerRecord> answers);

    // Appends a finished run, committed before it returns; failures count with addAnswer's for
    // RecordsStatus::repeated.
    RecordsStatus addTimedRun(const TimedRunRecord& run);

    const std::filesystem::path& path() const { return m_path; }

    // For statistics, review and weak shapes in this library; not for the window.
    SqliteDatabase& database() { return *m_database; }

private:
    RecordsStore(std::filesystem::path path, std::unique_ptr<SqliteDatabase> database);
    static OpenedRecords openForWriting(const std::filesystem::path& path, OpenMode mode,
                                        bool exists, const UpgradeProgress& progress);
    static OpenedRecords openForReading(const std::filesystem::path& path, bool empty,
                                        const UpgradeProgress& progress);
    void checkpointIfInWal();
    RecordsStatus write(std::span<const AnswerRecord> answers);
    RecordsStatus noteWrite(RecordsStatus status);

    std::filesystem::path m_path;
    std::unique_ptr<SqliteDatabase> m_database;
    bool m_lastWriteFailed = false;
    bool m_inWal = false;
    std::filesystem::path m_scratch;  // the private copy's folder of a ReadOnly store
};

// The least total time of the runs kept for the band. Reads only.
BestRunOutcome BestTimedRun(RecordsStore& store, RecordedBand band);

}  // namespace zelkon
