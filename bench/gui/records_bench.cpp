// The records in the window: opening the 成績 window over 100,000 answers (goal: under 200 ms),
// and an answer with recording on from Enter to its paint (goal: under 5 ms).
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QTemporaryDir>

#include "app/records_feature.h"
#include "dealing/problem_dealer.h"
#include "quiz/zelkon_view.h"
#include "records/records_fixture.h"  // tests/records
#include "records/records_store.h"

namespace {

using namespace zelkon;

constexpr int kGeneratedAnswers = 100'000;

// One database for the process, of the answers the records benchmark and tests generate.
const std::filesystem::path& GeneratedRecords() {
    static QTemporaryDir dir;
    static const std::filesystem::path path = [] {
        const std::filesystem::path file =
            std::filesystem::path(dir.path().toStdString()) / "records.sqlite3";
        OpenedRecords opened = RecordsStore::open(file, OpenMode::CreateIfMissing);
        if (!opened.store ||
            !opened.store
                 ->addAnswers(testing::GeneratedAnswers(kGeneratedAnswers, 2026, NowUnixMillis()))
                 .ok()) {
            std::abort();
        }
        return file;
    }();
    return path;
}

void BM_OpenStatisticsWindow(benchmark::State& state) {
    const std::filesystem::path& file = GeneratedRecords();
    QMainWindow frame;
    auto* view = new CZelkonView(&frame);
    frame.setCentralWidget(view);
    RecordsFeature records(*view, &frame);
    records.setRecordsPath(file);
    records.setRecording(true);
    for (auto _ : state) {
        // From the menu item to the window painted, the figures read afresh each time.
        records.openStatistics();
        QWidget* window = records.statisticsWindow();
        window->repaint();
        QApplication::processEvents();
        state.PauseTiming();
        delete window;
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["answers"] = kGeneratedAnswers;
}
BENCHMARK(BM_OpenStatisticsWindow)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_AnswerWithRecordingOn(benchmark::State& state) {
    QTemporaryDir dir;
    QMainWindow frame;
    auto* view = new CZelkonView(&frame);
    frame.setCentralWidget(view);
    frame.show();
    RecordsFeature records(*view, &frame);
    records.setRecordsPath(std::filesystem::path(dir.path().toStdString()) / "records.sqlite3");
    records.setRecording(true);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    for (auto _ : state) {
        // Enter answers; the row is committed, then the marks are painted.
        QApplication::sendEvent(view, &enter);
        view->repaint();
        state.PauseTiming();
        QApplication::sendEvent(view, &enter);  // 次へ
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AnswerWithRecordingOn)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
