// The main of benchmarks that time the whole window with its explanation panel open.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "app/main_frame.h"
#include "quiz/zelkon_view.h"

// Builds the window, hands it to the benchmarks through frame, and runs them.
inline int RunFrameBenchmarks(int argc, char* argv[], zelkon::CMainFrame*& frame) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The frame reads the practice settings; a benchmark must not see or touch the player's.
    QTemporaryDir settingsHome;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsHome.path());
    QApplication qtApp(argc, argv);
    zelkon::CMainFrame window;
    window.SetView(new zelkon::CZelkonView(&window));
    window.setExplanationPanelOpen(true);
    window.show();
    QApplication::processEvents();
    frame = &window;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    frame = nullptr;
    return 0;
}
