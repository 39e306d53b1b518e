// The titles the window manager shows: read back from the X server where there is one, since Qt
// may add to a title on its way there.
#include <QGuiApplication>
#include <QTest>

#include "app/about_dlg.h"
#include "app/main_frame.h"
#include "app/zelkon_app.h"
#include "temp_settings.h"

#ifdef ZELKON_HAVE_XCB
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>
#endif

using namespace zelkon;

namespace {

#ifdef ZELKON_HAVE_XCB
xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}
#endif

// The _NET_WM_NAME of a shown window, or a null string where no X server holds it.
QString NetWmName(const QWidget& window) {
#ifdef ZELKON_HAVE_XCB
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr) {
        return {};
    }
    xcb_connection_t* connection = x11->connection();
    const xcb_get_property_cookie_t cookie = xcb_get_property(
        connection, 0, static_cast<xcb_window_t>(window.winId()), Atom(connection, "_NET_WM_NAME"),
        Atom(connection, "UTF8_STRING"), 0, 1024);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (!reply) {
        return QStringLiteral("(no reply)");
    }
    return QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(reply.get())),
                             xcb_get_property_value_length(reply.get()));
#else
    Q_UNUSED(window);
    return {};
#endif
}

}  // namespace

class TestWindowTitles : public QObject {
    Q_OBJECT

private:
    test::TemporarySettings m_settings;

private slots:
    void titlesAreExactlyTheirCaptions() {
        CZelkonApp app;
        QVERIFY(app.InitInstance());
        CMainFrame& frame = *app.mainFrame();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        CAboutDlg about(&frame);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QCOMPARE(frame.windowTitle(), QStringLiteral("カルデナ"));
        QCOMPARE(about.windowTitle(), QStringLiteral("バージョン情報"));
        if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
            QSKIP("the titles the window manager shows need an X server (run under xvfb-run)");
        }
        QCOMPARE(NetWmName(frame), QStringLiteral("カルデナ"));
        QCOMPARE(NetWmName(about), QStringLiteral("バージョン情報"));
    }
};

QTEST_MAIN(TestWindowTitles)
#include "tst_window_titles.moc"
