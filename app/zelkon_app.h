// The application: start-up creates the document, the frame and the view, and shows the window.
#pragma once

#include <memory>

#include <QTranslator>

#include "zelkon_doc.h"

namespace zelkon {

class CMainFrame;

// Lives beside the QApplication that main() creates first; owns the one document and frame.
class CZelkonApp {
public:
    CZelkonApp();
    ~CZelkonApp();
    CZelkonApp(const CZelkonApp&) = delete;
    CZelkonApp& operator=(const CZelkonApp&) = delete;

    // Returns false when the window could not be set up; nothing is shown then.
    bool InitInstance();

    CMainFrame* mainFrame() const { return m_pMainWnd.get(); }
    CZelkonDoc& document() { return m_doc; }

    void OnAppAbout();
    // The standard document commands reuse the one frame and view and never deal.
    void OnFileNew();
    void OnFileOpen();

private:
    CZelkonDoc m_doc;
    // Qt's own texts (standard menus and dialogs) in Japanese, as the rest of the window.
    QTranslator m_qtTexts;
    std::unique_ptr<CMainFrame> m_pMainWnd;
};

}  // namespace zelkon
