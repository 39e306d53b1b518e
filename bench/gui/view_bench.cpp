// Repaint of the quiz form, and "次へ" (deal and repaint), on the offscreen platform.
#include <benchmark/benchmark.h>
#include <chrono>

#include <QApplication>

#include "quiz/zelkon_view.h"

namespace {

zelkon::CZelkonView* g_view = nullptr;

void Repaint(benchmark::State& state) {
    g_view->okButton().click();  // answered: bands, marks and the text all drawn
    for (auto _ : state) {
        g_view->repaint();
    }
    g_view->okButton().click();
}
BENCHMARK(Repaint)->Unit(benchmark::kMicrosecond);

void NextProblem(benchmark::State& state) {
    for (auto _ : state) {
        g_view->numberButton(3).click();
        g_view->okButton().click();
        g_view->repaint();
        // Only the press of "次へ" is timed: the deal, the reset of the form and its repaint.
        const auto start = std::chrono::steady_clock::now();
        g_view->OnBnClickedOkNext();
        g_view->repaint();
        const auto stop = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    }
}
BENCHMARK(NextProblem)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication qtApp(argc, argv);
    zelkon::CZelkonView view;
    view.show();
    QApplication::processEvents();
    g_view = &view;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
