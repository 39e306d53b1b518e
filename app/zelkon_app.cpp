#include "zelkon_app.h"

#include <QAction>
#include <QApplication>

#include "about_dlg.h"
#include "command_ids.h"
#include "main_frame.h"
#include "quiz/zelkon_view.h"

namespace zelkon {

CZelkonApp::CZelkonApp() = default;

CZelkonApp::~CZelkonApp() = default;

bool CZelkonApp::InitInstance() {
    QCoreApplication::setApplicationName(QStringLiteral("Zelkon"));
    // The window system appends the display name to titles that lack it; the title already is it.
    QGuiApplication::setApplicationDisplayName(QString::fromUtf8(kFrameTitle));
    QGuiApplication::setDesktopFileName(QStringLiteral("zelkon"));

    if (!m_doc.OnNewDocument()) {
        return false;
    }
    m_pMainWnd = std::make_unique<CMainFrame>();
    CMainFrame& frame = *m_pMainWnd;
    QObject::connect(frame.action(ID_APP_ABOUT), &QAction::triggered, [this] { OnAppAbout(); });
    QObject::connect(frame.action(ID_FILE_NEW), &QAction::triggered, [this] { OnFileNew(); });
    QObject::connect(frame.action(ID_FILE_OPEN), &QAction::triggered, [this] { OnFileOpen(); });

    // The view deals its first problem while it is created, before any setting is read.
    frame.SetView(new CZelkonView(&frame));
    frame.show();
    return true;
}

void CZelkonApp::OnAppAbout() {
    CAboutDlg about;
    about.exec();
}

void CZelkonApp::OnFileNew() {}

void CZelkonApp::OnFileOpen() {}

}  // namespace zelkon
