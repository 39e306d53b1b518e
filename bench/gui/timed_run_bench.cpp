// A timed run's cost to the quiz: one tick of the status line (at least ten a second), and "次へ"
// with and without a run under way, on the offscreen platform.
#include <benchmark/benchmark.h>
#include <chrono>

#include <QApplication>

#include "app/main_frame.h"
#include "app/practice_runs.h"
#include "frame_bench_main.h"
#include "quiz/explanation_panel.h"
#include "quiz/zelkon_view.h"

namespace {

using namespace std::chrono_literals;

zelkon::CMainFrame* g_frame = nullptr;

// Moves a tenth of a second per reading, so every tick has a new text to show.
struct TickingClock : zelkon::RunClock {
    mutable std::chrono::nanoseconds time{};
    std::chrono::nanoseconds now() const override { return time += 100ms; }
};

void StatusTick(benchmark::State& state) {
    zelkon::PracticeRuns& runs = *g_frame->practiceRuns();
    TickingClock clock;
    runs.timedRun().setClock(clock);
    runs.timedRunAction()->trigger();
    QApplication::processEvents();
    zelkon::ExplanationPanel& panel = g_frame->explanationPanel();
    for (auto _ : state) {
        // What the refresh timer's tick does, then the paint of what changed.
        panel.setStatusLine(runs.statusText());
        QApplication::processEvents();
    }
    runs.timedRun().setConfirm([] { return true; });
    runs.timedRunAction()->trigger();
    QApplication::processEvents();
}
BENCHMARK(StatusTick)->Unit(benchmark::kMicrosecond);

// Argument 1: inside a run (clock, tally, status line), 0: outside.
void NextProblem(benchmark::State& state) {
    zelkon::PracticeRuns& runs = *g_frame->practiceRuns();
    zelkon::CZelkonView& view = *g_frame->GetActiveView();
    zelkon::SteadyRunClock clock;
    runs.timedRun().setClock(clock);
    runs.timedRun().setConfirm([] { return true; });
    for (auto _ : state) {
        if (state.range(0) == 1 && !runs.timedRun().running()) {
            runs.timedRunAction()->trigger();
        }
        view.okButton().click();
        g_frame->repaint();
        const auto start = std::chrono::steady_clock::now();
        view.OnBnClickedOkNext();
        g_frame->repaint();
        const auto stop = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    }
    if (runs.timedRun().running()) {
        runs.timedRunAction()->trigger();
    }
    QApplication::processEvents();
}
BENCHMARK(NextProblem)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char* argv[]) {
    return RunFrameBenchmarks(argc, argv, g_frame);
}
