// Answering with the explanation panel open: from the Enter key to the painted window, panel
// included, on the offscreen platform.
#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>

#include <QApplication>
#include <QKeyEvent>

#include "app/main_frame.h"
#include "frame_bench_main.h"
#include "quiz/explanation_panel.h"
#include "quiz/zelkon_view.h"

namespace {

zelkon::CMainFrame* g_frame = nullptr;

void SendKey(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
}

double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Wall time from the key to the painted window; "cpu_us", the processor time of that span
// alone, tells what it costs where other programs do not compete for the processor.
void Answer(benchmark::State& state, bool panelOpen) {
    zelkon::CZelkonView& view = *g_frame->GetActiveView();
    g_frame->setExplanationPanelOpen(panelOpen);
    double cpu = 0;
    for (auto _ : state) {
        if (view.quiz().answered()) {
            SendKey(&view, Qt::Key_Return);
        }
        SendKey(&view, Qt::Key_2);
        SendKey(&view, Qt::Key_5);
        g_frame->repaint();
        const double cpuStart = ThreadSeconds();
        const auto start = std::chrono::steady_clock::now();
        SendKey(&view, Qt::Key_Return);
        g_frame->repaint();
        const auto stop = std::chrono::steady_clock::now();
        cpu += ThreadSeconds() - cpuStart;
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    }
    state.counters["cpu_us"] =
        benchmark::Counter(cpu * 1e6 / static_cast<double>(state.iterations()));
    g_frame->setExplanationPanelOpen(true);
}
BENCHMARK_CAPTURE(Answer, WithPanel, true)->UseManualTime()->Unit(benchmark::kMicrosecond);
// The same answer with the panel closed, for comparison.
BENCHMARK_CAPTURE(Answer, WithoutPanel, false)->UseManualTime()->Unit(benchmark::kMicrosecond);

void OpenOtherReadings(benchmark::State& state) {
    zelkon::CZelkonView& view = *g_frame->GetActiveView();
    view.LoadProblem({1, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9});
    SendKey(&view, Qt::Key_Return);
    zelkon::ExplanationPanel& panel = g_frame->explanationPanel();
    for (auto _ : state) {
        panel.toggleOtherReadings(0);
        g_frame->repaint();
    }
}
BENCHMARK(OpenOtherReadings)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char* argv[]) {
    return RunFrameBenchmarks(argc, argv, g_frame);
}
