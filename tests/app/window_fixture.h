// The window as a player starts it, for tests that drive it: settings in a directory of their
// own, the application's own start, the frame on screen. A test class derives from it beside
// QObject, so its test functions read frame(), view() and press() as the player's own steps.
#pragma once

#include <memory>

#include <QAction>
#include <QApplication>
#include <QTest>

#include "app/main_frame.h"
#include "app/zelkon_app.h"
#include "quiz/explanation_panel.h"
#include "quiz/zelkon_view.h"
#include "temp_settings.h"

namespace zelkon::test {

class WindowFixture {
protected:
    TemporarySettings m_settings;
    std::unique_ptr<CZelkonApp> m_app;

    CMainFrame& frame() { return *m_app->mainFrame(); }
    CZelkonView& view() { return *frame().GetActiveView(); }
    ExplanationPanel& panel() { return frame().explanationPanel(); }
    QAction& command(int id) { return *frame().action(id); }

    // The start a player makes: check the result with QVERIFY's own early return in mind (a
    // failed start leaves m_app without a frame).
    void start() {
        m_app = std::make_unique<CZelkonApp>();
        QVERIFY(m_app->InitInstance());
        QVERIFY(QTest::qWaitForWindowExposed(&frame()));
    }
    void stop() { m_app.reset(); }

    // A key as the window system delivers it: to the focus widget, or to the window without one.
    void press(Qt::Key key) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr ? focus : &frame(), key);
    }
};

}  // namespace zelkon::test
