// The practice commands that change what is dealt: the 出題 bands, タイムアタック, and typing a
// hand in or copying it out. One per frame; it is the view's problem source.
#pragma once

#include <array>

#include <QObject>
#include <QPointer>
#include <QString>

#include "hand_entry_dialog.h"
#include "quiz/deal_status.h"
#include "quiz/practice_dealer.h"
#include "timed_run_controller.h"

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

namespace zelkon {

class CZelkonView;
class PracticeSettings;

// The practice setting that holds the index of the band item.
inline constexpr const char* kBandKey = "practice/band";

// The practice settings of 枚数, 形 and 段階練習, and where the ladder stands.
inline constexpr const char* kTilesKey = "practice/tiles";
inline constexpr const char* kFamilyKey = "practice/family";  // a family id, "" for every form
inline constexpr const char* kLadderKey = "practice/ladder";
inline constexpr const char* kLadderAtKey = "practice/ladderAt";  // the family id of the step
inline constexpr const char* kLadderTilesKey = "practice/ladderTiles";

// The sizes of 枚数 in menu order.
inline constexpr std::array<std::int32_t, 4> kSizeItems = {4, 7, 10, 13};

class PracticeRuns : public QObject {
    Q_OBJECT

public:
    // Becomes view's problem source; window parents the dialogs.
    PracticeRuns(CZelkonView& view, QWidget& window);
    ~PracticeRuns() override;

    // Appends "出題(&D)" ▸ bands, "タイムアタック(&T)", "問題を入力(&I)..." and "問題をコピー(&C)".
    void addTo(QMenu& practice);

    // Further ways of dealing ("苦手な形(&W)") go into this menu before shapeItemsStart() and
    // into this group.
    QMenu* dealMenu() const { return m_dealMenu; }
    // The separator before "枚数(&N)"; nullptr before addTo.
    QAction* shapeItemsStart() const { return m_shapeSeparator; }
    QMenu* sizeMenu() const { return m_sizeMenu; }
    QMenu* familyMenu() const { return m_familyMenu; }
    // sizeAction(i) deals kSizeItems[i] tiles; familyAction(0) every form, (f + 1) family f.
    QAction* sizeAction(int index) const;
    QAction* familyAction(int index) const;
    QAction* ladderAction() const { return m_ladderAction; }
    QActionGroup* dealGroup() const { return m_dealGroup; }
    QAction* bandAction(int index) const { return m_bandActions[static_cast<std::size_t>(index)]; }
    QAction* timedRunAction() const { return m_timedRunAction; }
    QAction* enterAction() const { return m_enterAction; }
    QAction* copyAction() const { return m_copyAction; }

    PracticeDealer& dealer() { return m_dealer; }
    TimedRunController& timedRun() { return *m_timedRun; }
    // The open entry dialog, if any.
    HandEntryDialog* entryDialog() const { return m_entry; }

    // Restores 枚数, 形 and 段階練習 (and the ladder's step) from settings and keeps every later
    // change of the player's there; nothing is written before one.
    void keepShapeSettings(PracticeSettings& settings);

    // Checks the band's item and deals in it from the next problem; emits nothing, so that
    // restoring a saved band writes no setting.
    void setBand(WaitBand band);
    // What the panel's status line says: the run while one lasts, else the band (すべての手
    // included) or the text of setDealStatus, then the text of setExtraStatus.
    QString statusText() const;
    // The family's name as the window shows it.
    static QString familyName(FamilyIndex family);
    // The way of dealing in force: a band's name ("待ち3〜4種", "すべての手") or 苦手な形.
    QString dealName() const;
    // Text for the way of dealing when no band item is checked (weak shapes), or empty.
    void setDealStatus(const QString& text);
    // Text after the way of dealing (the review cards due), or empty.
    void setExtraStatus(const QString& text);

    // The reset command asks this first: false keeps the timed run and the problem on screen.
    bool confirmLeavingRun() { return m_timedRun->confirmAbandon(); }

    void OnBand(int index);
    void OnSize(int index);
    void OnFamily(int index);
    void OnLadder(bool on);
    void OnEnterProblem();
    void OnCopyProblem();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // The status line's text changed, or may have: the panel's setter takes it.
    void statusChanged(const QString& text);
    // The player chose a band other than the one in force; the settings remember it.
    void bandChosen(int index);
    // A typed hand is on screen.
    void problemEntered();

private:
    void RefreshStatus();
    void OnRunningChanged(bool running);
    void ApplyEntry();
    void AddShapeItems();
    // The ladder hears of each answer to one of its problems.
    void OnAnswered();
    void SaveLadderStep();
    // The part of the status line for sizes and families, or "" for the quiz's 13 tiles.

    QPointer<CZelkonView> m_view;  // the frame deletes it before this
    QWidget& m_window;
    PracticeDealer m_dealer;
    TimedRunController* m_timedRun;  // a child of this
    QMenu* m_dealMenu = nullptr;
    QActionGroup* m_dealGroup = nullptr;
    std::array<QAction*, kBandItems> m_bandActions{};
    QAction* m_shapeSeparator = nullptr;
    QMenu* m_sizeMenu = nullptr;
    QMenu* m_familyMenu = nullptr;
    std::array<QAction*, kSizeItems.size()> m_sizeActions{};
    std::array<QAction*, kFamilyCount + 1> m_familyActions{};
    QAction* m_ladderAction = nullptr;
    PracticeSettings* m_settings = nullptr;
    QAction* m_timedRunAction = nullptr;
    QAction* m_enterAction = nullptr;
    QAction* m_copyAction = nullptr;
    QAction* m_abandonKey = nullptr;  // Esc, enabled while a run lasts
    QPointer<HandEntryDialog> m_entry;
    // The problem on screen is the ladder's: dealt by it, not typed, loaded or reviewed.
    QString m_dealStatus;
    QString m_extraStatus;
};

}  // namespace zelkon
