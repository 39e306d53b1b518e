// The records at the size of a keen player's years: 100,000 answers. The statistics window
// must open in under 200 ms; an answer must be recorded well inside the 5 ms before its marks.
#include <benchmark/benchmark.h>
#include <memory>

#include "records/records_fixture.h"  // tests/records
#include "records/records_store.h"
#include "records/review.h"
#include "records/statistics.h"
#include "records/weak_shapes.h"

namespace {

using namespace zelkon;

constexpr UnixMillis kNow = 1'767'607'200'000;
constexpr int kRows = 100'000;

// Built once per run: dealing and inserting 100,000 rows takes seconds.
class Records {
public:
    Records() {
        const std::vector<AnswerRecord> answers = testing::GeneratedAnswers(kRows, 2026, kNow);
        OpenedRecords opened =
            RecordsStore::open(m_dir.path() / "records.sqlite3", OpenMode::CreateIfMissing);
        m_store = std::move(opened.store);
        if (!m_store || !m_store->addAnswers(answers).ok()) {
            std::abort();
        }
    }
    RecordsStore& store() { return *m_store; }
    const std::filesystem::path& folder() const { return m_dir.path(); }

private:
    testing::TempDir m_dir;
    std::unique_ptr<RecordsStore> m_store;
};

Records& records() {
    static Records shared;
    return shared;
}

// What the window does on opening: a fresh connection, then every figure.
void BM_OpenAndComputeStatistics(benchmark::State& state) {
    const std::filesystem::path path = records().store().path();
    for (auto _ : state) {
        OpenedRecords opened = RecordsStore::open(path, OpenMode::ExistingOnly);
        StatisticsOutcome outcome = ComputeStatistics(*opened.store, kNow, 9 * 3600);
        benchmark::DoNotOptimize(outcome.figures.problems);
    }
}
BENCHMARK(BM_OpenAndComputeStatistics)->Unit(benchmark::kMillisecond);

void BM_WeakestShape(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(WeakestShape(records().store()).weakest);
    }
}
BENCHMARK(BM_WeakestShape)->Unit(benchmark::kMillisecond);

void BM_DueCountAndFirstCard(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(DueCount(records().store(), kNow).count);
        benchmark::DoNotOptimize(DueCards(records().store(), kNow, 1).cards.size());
    }
}
BENCHMARK(BM_DueCountAndFirstCard)->Unit(benchmark::kMicrosecond);

// One answer as the window records it: the row, the card, the commit.
void BM_AddAnswer(benchmark::State& state) {
    const std::vector<AnswerRecord> answers = testing::GeneratedAnswers(1000, 7, kNow);
    OpenedRecords opened =
        RecordsStore::open(records().folder() / "answers.sqlite3", OpenMode::CreateIfMissing);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(opened.store->addAnswer(answers[i++ % answers.size()]).ok());
    }
}
BENCHMARK(BM_AddAnswer)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
