// The main window, fixed in size but for the explanation panel beside the form: menus, the two
// settings with their check marks, the reset command.
#pragma once

#include <cstdint>
#include <span>

#include <QAction>
#include <QHash>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QtGlobal>

#include "analysis/vocabulary.h"
#include "quiz/quiz_settings.h"

namespace zelkon {

class CZelkonView;
class ExplanationPanel;
class FocusRing;
class PracticeSettings;
class PracticeRuns;
class RecordsFeature;

inline constexpr const char* kFrameTitle = QT_TRANSLATE_NOOP("zelkon::CMainFrame", "カルデナ");
// "ja" or "en"; anything else, or nothing, is Japanese.
inline constexpr const char* kLanguageKey = "ui/language";

class CMainFrame : public QMainWindow, public QuizSettings {
    Q_OBJECT

public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Makes view the frame's only view and fits the frame around it.
    void SetView(CZelkonView* view);
    CZelkonView* GetActiveView() const;

    std::int32_t suitMode() const override { return m_nSuitMode; }
    std::uint8_t sortMode() const override { return m_bSortMode; }

    // "練習(&P)": practice features append their items to it.
    QMenu* practiceMenu() const { return m_practiceMenu; }
    // Bands, timed runs, typed hands; made with the view.
    PracticeRuns* practiceRuns() const { return m_practiceRuns; }
    // Recording, review, statistics and weak shapes; made with the view.
    RecordsFeature* records() const { return m_records; }
    // Remembered between runs from the first change on.
    PracticeSettings& practiceSettings() const { return *m_practiceSettings; }
    // The panel beside the form, made on first use; it shows only while open.
    ExplanationPanel& explanationPanel();
    // Widens the window by the panel, the form keeping its place and size, and lets it grow as
    // tall as the panel's rows need, up to the screen's available height; closing gives back the
    // form's own size. Takes effect at once, also on an answered question.
    void setExplanationPanelOpen(bool open);
    bool explanationPanelOpen() const { return m_panelOpen; }

    // The menu item or accelerator command of id, or nullptr.
    QAction* action(int commandId) const { return m_actions.value(commandId, nullptr); }

    void OnSuitManzu();
    void OnSuitSouzu();
    void OnSuitPinzu();
    void OnSuitRandom();
    void OnFileReset();
    void OnSortOn();
    void OnSortOff();
    void OnPracticeExplain(bool checked);
    // One more hint in the panel; nothing unless the panel is open, the question unanswered and
    // no timed run on.
    void OnPracticeHint();
    // Remembers the choice; the application's translations apply it.
    void OnLanguage(Language language);

    // What an earlier run chose in 練習 ▸ 言語; Japanese when nothing was.
    Language savedLanguage() const;

signals:
    void languageChosen(Language language);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Enter and 1 to 9 that nothing else took (the panel, a window without focus) go to the quiz.
    void keyPressEvent(QKeyEvent* event) override;
    // Quitting during a timed run asks first, as the reset command does.
    void closeEvent(QCloseEvent* event) override;

private:
    void PreCreateWindow();
    void OnCreate();
    // source: the Japanese text, marked with QT_TR_NOOP; nullptr for a command without one.
    QMenu* AddMenu(QWidget* owner, const char* source);
    QAction* AddCommand(QWidget* owner, const char* source, int commandId, bool checkable);
    void CheckMenuItem(int commandId, bool checked);
    void CheckGroup(std::span<const int> ids, int chosen);
    void CreatePracticeMenu();
    void CreateLanguageMenu();
    void SetUpPracticeRuns(CZelkonView& view);
    void ClosePanelOpenedForRun();
    void FitPanel();
    void UpdateHintAction();
    void ShowFocusFrame(QWidget* focus);

    std::int32_t m_nSuitMode = 3;
    std::uint8_t m_bSortMode = 1;
    // Not owning: menus and the frame own their actions.
    QHash<int, QAction*> m_actions;
    QMenu* m_practiceMenu = nullptr;
    PracticeRuns* m_practiceRuns = nullptr;  // a child
    bool m_panelForRun = false;              // opened by a timed run, not by the player
    PracticeSettings* m_practiceSettings;    // a child
    ExplanationPanel* m_panel = nullptr;     // a child, once made
    bool m_panelOpen = false;
    QSize m_formFrameSize;
    RecordsFeature* m_records = nullptr;  // a child
    QMetaObject::Connection m_focusWatch;
    QPointer<FocusRing> m_focusRing;  // a child of the focus widget, once Tab is first used
};

}  // namespace zelkon
