// The records at 1,000,000 answers. Goals: an answer (its commit and the figures after it) and a
// deal under 5 ms; the figures the 成績 window opens with under 200 ms; an upgrade of a
// version-1 file that shows its progress. The first count runs on a thread of its own.
#include <benchmark/benchmark.h>
#include <memory>
#include <sqlite3.h>

#include "records/records_fixture.h"  // tests/records
#include "records/records_store.h"
#include "records/review.h"
#include "records/sqlite_database.h"
#include "records/statistics.h"
#include "records/weak_shapes.h"

namespace {

using namespace zelkon;

constexpr UnixMillis kNow = 1'767'607'200'000;
constexpr int kRows = 1'000'000;
constexpr int kVersion1Rows = 200'000;

// Built once per run: dealing and inserting a million rows takes a minute.
class Records {
public:
    Records() {
        OpenedRecords opened =
            RecordsStore::open(m_dir.path() / "records.sqlite3", OpenMode::CreateIfMissing);
        m_store = std::move(opened.store);
        for (int part = 0; part < 10; ++part) {
            const std::vector<AnswerRecord> answers =
                testing::GeneratedAnswers(kRows / 10, 2026u + static_cast<unsigned>(part), kNow);
            if (!m_store || !m_store->addAnswers(answers).ok()) {
                std::abort();
            }
        }
        if (!m_tally.update(*m_store).ok()) {
            std::abort();
        }
    }
    RecordsStore& store() { return *m_store; }
    RecordsTally& tally() { return m_tally; }
    const std::filesystem::path& folder() const { return m_dir.path(); }

private:
    testing::TempDir m_dir;
    std::unique_ptr<RecordsStore> m_store;
    RecordsTally m_tally;
};

Records& records() {
    static Records shared;
    return shared;
}

// The window's worker: every answer counted from the first row, on a connection of its own.
void BM_FirstCount(benchmark::State& state) {
    const std::filesystem::path path = records().store().path();
    for (auto _ : state) {
        OpenedRecords opened = RecordsStore::open(path, OpenMode::ReadOnly);
        RecordsTally tally;
        benchmark::DoNotOptimize(tally.update(*opened.store).ok());
    }
    state.counters["answers"] = kRows;
}
BENCHMARK(BM_FirstCount)->Unit(benchmark::kMillisecond)->Iterations(3);

// What the 成績 window reads when it opens with the count in: the rows since, the 30 days, the
// median and the latest mistakes.
void BM_FiguresToOpenTheWindow(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(records().tally().update(records().store()).ok());
        benchmark::DoNotOptimize(
            records().tally().figures(records().store(), kNow, 9 * 3600).figures.problems);
    }
}
BENCHMARK(BM_FiguresToOpenTheWindow)->Unit(benchmark::kMillisecond);

// One answer with review on and the 成績 window open: the commit with its card (left out of the
// time with argument 0: it is mostly the disk's sync), then what the window reads after it (the
// new row, due count, weakest shape, the figures).
void BM_AnswerAndFigures(benchmark::State& state) {
    const std::vector<AnswerRecord> answers = testing::GeneratedAnswers(1000, 7, kNow);
    std::size_t i = 0;
    for (auto _ : state) {
        RecordsStore& store = records().store();
        RecordsTally& tally = records().tally();
        if (state.range(0) == 0) {
            state.PauseTiming();
        }
        benchmark::DoNotOptimize(store.addAnswer(answers[i++ % answers.size()]).ok());
        if (state.range(0) == 0) {
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(tally.update(store).ok());
        benchmark::DoNotOptimize(tally.dueCount(kNow));
        benchmark::DoNotOptimize(WeakestShapeOf(tally.byShape()));
        benchmark::DoNotOptimize(tally.figures(store, kNow, 9 * 3600).figures.problems);
    }
}
BENCHMARK(BM_AnswerAndFigures)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// A deal with review on: the most overdue card.
void BM_DealADueCard(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(DueCards(records().store(), kNow + 400LL * 86'400'000, 1).cards);
    }
    state.counters["due"] =
        static_cast<double>(records().tally().dueCount(kNow + 400LL * 86'400'000));
}
BENCHMARK(BM_DealADueCard)->Unit(benchmark::kMicrosecond);

// One answer's commit in a small file, by how the rollback journal is synced: FULL (the journal
// and the file, as the window records), NORMAL, and OFF (no fsync at all).
void BM_CommitOneAnswer(benchmark::State& state) {
    static constexpr const char* kSync[] = {"OFF", "NORMAL", "FULL"};
    const char* sync = kSync[state.range(0)];
    const std::vector<AnswerRecord> answers = testing::GeneratedAnswers(1000, 7, kNow);
    testing::TempDir dir;
    OpenedRecords opened =
        RecordsStore::open(dir.path() / "records.sqlite3", OpenMode::CreateIfMissing);
    opened.store->database().execute(std::string("PRAGMA synchronous = ") + sync);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(opened.store->addAnswer(answers[i++ % answers.size()]).ok());
    }
    state.SetLabel(sync);
}
BENCHMARK(BM_CommitOneAnswer)->Arg(2)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A version-1 file of 200,000 answers upgraded in place: shapes and cards for every row.
void BM_UpgradeVersion1(benchmark::State& state) {
    const std::vector<AnswerRecord> answers = testing::GeneratedAnswers(kVersion1Rows, 9, kNow);
    std::int64_t reports = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const auto path = records().folder() / "version1.sqlite3";
        std::filesystem::remove(path);
        {
            SqliteDatabase db(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
            db.execute(
                "CREATE TABLE answers (id INTEGER PRIMARY KEY, answered_at INTEGER NOT NULL, hand "
                "TEXT NOT NULL, suit TEXT NOT NULL, dealt TEXT NOT NULL, band TEXT, picks TEXT NOT "
                "NULL, waits TEXT NOT NULL, wait_count INTEGER NOT NULL, seconds REAL NOT NULL, "
                "fully_right INTEGER NOT NULL); CREATE INDEX answers_by_time ON answers "
                "(answered_at); PRAGMA application_id = 1514949454; PRAGMA user_version = 1; "
                "BEGIN");
            SqliteStatement insert = db.prepare(
                "INSERT INTO answers (answered_at, hand, suit, dealt, picks, waits, wait_count, "
                "seconds, fully_right) VALUES (?1, ?2, 'm', 'plain', ?3, ?4, 1, 1.5, ?5)");
            for (const AnswerRecord& a : answers) {
                insert.bind(1, a.answeredAt)
                    .bind(2, HandDigits(a.hand))
                    .bind(3, NumberSetText(a.picks))
                    .bind(4, NumberSetText(a.waits))
                    .bind(5, std::int64_t{a.fullyRight});
                insert.run();
            }
            db.execute("COMMIT");
        }
        state.ResumeTiming();
        OpenedRecords opened = RecordsStore::open(
            path, OpenMode::ExistingOnly, [&reports](std::int64_t, std::int64_t) { ++reports; });
        benchmark::DoNotOptimize(opened.status.ok());
    }
    state.counters["progress reports"] =
        static_cast<double>(reports) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_UpgradeVersion1)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
