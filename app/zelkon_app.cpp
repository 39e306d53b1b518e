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
    // No display name: Qt would append it to every title the window system shows, the About
    // box's included.
    QGuiApplication::setDesktopFileName(QStringLiteral("zelkon"));

    if (!m_doc.OnNewDocument()) {
        return false;
    }
    m_pMainWnd = std::make_unique<CMainFrame>();
    CMainFrame& frame = *m_pMainWnd;
    QObject::connect(frame.action(ID_APP_ABOUT), &QAction::triggered, [this] { OnAppAbout(); });
    QObject::connect(frame.action(ID_FILE_NEW), &QAction::triggered, [this] { OnFileNew(); });
    QObject::connect(frame.action(ID_FILE_OPEN), &QAction::triggered, [this] { OnFileOpen(); });
    QObject::connect(&frame, &CMainFrame::languageChosen, &m_translations,
                     &WindowTranslations::apply);

    // The view deals its first problem while it is created, before any setting is read.
    frame.SetView(new CZelkonView(&frame));
    if (frame.savedLanguage() != Language::Japanese) {
        m_translations.apply(frame.savedLanguage());
    }
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
