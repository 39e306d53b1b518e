// The records in the window at 1,000,000 answers: opening the 成績 window (goal: under 200 ms),
// an answer with review on and the window open, from Enter to its paint and the figures redrawn
// after it, and the deal that follows (goal: each under 5 ms). Paints per answer are counted.
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QPaintEvent>
#include <QTemporaryDir>

#include "app/records_feature.h"
#include "dealing/problem_dealer.h"
#include "quiz/zelkon_view.h"
#include "records/records_fixture.h"  // tests/records
#include "records/records_store.h"

namespace {

using namespace zelkon;

constexpr int kGeneratedAnswers = 1'000'000;

// One database for the process, of the answers the records benchmark and tests generate.
const std::filesystem::path& GeneratedRecords() {
    static QTemporaryDir dir;
    static const std::filesystem::path path = [] {
        const std::filesystem::path file =
            std::filesystem::path(dir.path().toStdString()) / "records.sqlite3";
        OpenedRecords opened = RecordsStore::open(file, OpenMode::CreateIfMissing);
        for (unsigned part = 0; part < 10; ++part) {
            if (!opened.store || !opened.store
                                      ->addAnswers(testing::GeneratedAnswers(
                                          kGeneratedAnswers / 10, 2026 + part, NowUnixMillis()))
                                      .ok()) {
                std::abort();
            }
        }
        return file;
    }();
    return path;
}

// Answers given a second ago, enough to make today the tallest day (some 17,000 answers fall on
// each of the 60 days): once per process.
void AddTodaysAnswers(const std::filesystem::path& file) {
    static const bool added = [&file] {
        constexpr int kTodaysAnswers = 20'000;
        std::vector<AnswerRecord> answers =
            testing::GeneratedAnswers(kTodaysAnswers, 2036, NowUnixMillis());
        const UnixMillis now = NowUnixMillis() - 1000;
        for (AnswerRecord& answer : answers) {
            answer.answeredAt = now;
        }
        OpenedRecords opened = RecordsStore::open(file, OpenMode::ExistingOnly);
        return opened.store && opened.store->addAnswers(answers).ok();
    }();
    if (!added) {
        std::abort();
    }
}

// Until nothing is left to do: the figures come after the view's paint and the charts' repaint
// after the figures, each queued, so one pass of the loop would leave them out.
void ProcessUntilIdle() {
    while (QAbstractEventDispatcher::instance()->processEvents(QEventLoop::AllEvents)) {
    }
}

// Paints of the 成績 window's widgets while counting: how much of the window an answer redraws.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* window) : m_window(window) {}
    bool counting = false;
    std::int64_t paints = 0;
    std::int64_t pixels = 0;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (counting && event->type() == QEvent::Paint) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->window() == m_window) {
                ++paints;
                const QRect painted = static_cast<QPaintEvent*>(event)->region().boundingRect();
                pixels += std::int64_t{painted.width()} * painted.height();
            }
        }
        return false;
    }

private:
    QWidget* m_window;
};

// The first count runs on its own thread once recording starts; the window opens after it.
void WaitForTheFirstCount(RecordsFeature& records) {
    while (!records.figuresReady()) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
}

void BM_OpenStatisticsWindow(benchmark::State& state) {
    const std::filesystem::path& file = GeneratedRecords();
    QMainWindow frame;
    auto* view = new CZelkonView(&frame);
    frame.setCentralWidget(view);
    RecordsFeature records(*view, &frame);
    records.setRecordsPath(file);
    records.setRecording(true);
    WaitForTheFirstCount(records);
    for (auto _ : state) {
        // From the menu item to the window painted, the figures read afresh each time.
        records.openStatistics();
        QWidget* window = records.statisticsWindow();
        window->repaint();
        // The charts lay out and repaint from queued events: all of them belong to the opening.
        ProcessUntilIdle();
        state.PauseTiming();
        delete window;
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["answers"] = kGeneratedAnswers;
}
BENCHMARK(BM_OpenStatisticsWindow)->Unit(benchmark::kMillisecond)->Iterations(10);

// Recording into the 1,000,000 answers with review on and the 成績 window open. Argument 1
// times the answer: Enter, the commit, the marks painted, then the figures and charts redrawn
// after the paint. Argument 0 times the deal that follows (a due card looked up first).
// Argument 2 times the answer with the window closed: what the window's part is. Argument 3
// times it with today the tallest of the 30 days, as on a day of practice: each answer then
// raises the day chart's count axis. It runs last, as it adds a day's answers to the file.
void BM_AnswerAndDealAtAMillion(benchmark::State& state) {
    const std::filesystem::path& file = GeneratedRecords();
    if (state.range(0) == 3) {
        AddTodaysAnswers(file);
    }
    QMainWindow frame;
    auto* view = new CZelkonView(&frame);
    frame.setCentralWidget(view);
    frame.show();
    RecordsFeature records(*view, &frame);
    records.setRecordsPath(file);
    records.setRecording(true);
    records.reviewAction()->setChecked(true);
    WaitForTheFirstCount(records);
    if (state.range(0) != 2) {
        records.openStatistics();
    }
    ProcessUntilIdle();
    PaintCounter counter(records.statisticsWindow());
    if (records.statisticsWindow() != nullptr) {
        QApplication::instance()->installEventFilter(&counter);
    }
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    const bool answer = state.range(0) != 0;
    for (auto _ : state) {
        if (!answer) {
            state.PauseTiming();
        }
        counter.counting = answer;
        QApplication::sendEvent(view, &enter);
        view->repaint();
        ProcessUntilIdle();
        counter.counting = false;
        if (answer) {
            state.PauseTiming();
        } else {
            state.ResumeTiming();
        }
        QApplication::sendEvent(view, &enter);  // 次へ
        view->repaint();
        ProcessUntilIdle();
        if (answer) {
            state.ResumeTiming();
        }
    }
    if (answer && records.statisticsWindow() != nullptr) {
        const auto iterations = static_cast<double>(state.iterations());
        state.counters["window_paints"] = static_cast<double>(counter.paints) / iterations;
        state.counters["window_kpixels"] = static_cast<double>(counter.pixels) / iterations / 1000;
    }
    const char* const labels[] = {"deal", "answer", "answer, window closed",
                                  "answer, today the tallest day"};
    state.SetLabel(labels[state.range(0)]);
}
BENCHMARK(BM_AnswerAndDealAtAMillion)
    ->Arg(1)
    ->Arg(0)
    ->Arg(2)
    ->Arg(3)
    ->Unit(benchmark::kMillisecond);

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
