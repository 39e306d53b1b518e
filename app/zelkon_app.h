// The application: start-up creates the document, the frame and the view, and shows the window.
#pragma once

#include <memory>

#include "window_translations.h"
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
    // Japanese, Qt's own texts included, until the player chooses English.
    WindowTranslations m_translations;
    std::unique_ptr<CMainFrame> m_pMainWnd;
};

}  // namespace zelkon
