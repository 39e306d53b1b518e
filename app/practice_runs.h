// The practice commands that change what is dealt: the 出題 bands, タイムアタック, and typing a
// hand in or copying it out. One per frame; it is the view's problem source.
#pragma once

#include <array>

#include <QObject>
#include <QPointer>
#include <QString>

#include "hand_entry_dialog.h"
#include "quiz/practice_dealer.h"
#include "timed_run_controller.h"

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

namespace zelkon {

class CZelkonView;

// The practice setting that holds the index of the band item.
inline constexpr const char* kBandKey = "practice/band";

// The four band items in menu order; their index is what the settings store.
inline constexpr int kBandItems = 4;
WaitBand BandAt(int index);
// -1 for a band that has no item.
int BandIndex(WaitBand band);

class PracticeRuns : public QObject {
    Q_OBJECT

public:
    // Becomes view's problem source; window parents the dialogs.
    PracticeRuns(CZelkonView& view, QWidget& window);
    ~PracticeRuns() override;

    // Appends "出題(&D)" ▸ bands, "タイムアタック(&T)", "問題を入力(&I)..." and "問題をコピー(&C)".
    void addTo(QMenu& practice);

    // Further ways of dealing ("苦手な形(&W)") go last into this menu and this group.
    QMenu* dealMenu() const { return m_dealMenu; }
    QActionGroup* dealGroup() const { return m_dealGroup; }
    QAction* bandAction(int index) const { return m_bandActions[static_cast<std::size_t>(index)]; }
    QAction* timedRunAction() const { return m_timedRunAction; }
    QAction* enterAction() const { return m_enterAction; }
    QAction* copyAction() const { return m_copyAction; }

    PracticeDealer& dealer() { return m_dealer; }
    TimedRunController& timedRun() { return *m_timedRun; }
    // The open entry dialog, if any.
    HandEntryDialog* entryDialog() const { return m_entry; }

    // Checks the band's item and deals in it from the next problem; emits nothing, so that
    // restoring a saved band writes no setting.
    void setBand(WaitBand band);
    // What the panel's status line says: the run while one lasts, else the band (すべての手
    // included) or the text of setDealStatus, then the text of setExtraStatus.
    QString statusText() const;
    // The way of dealing in force: a band's name ("待ち3〜4種", "すべての手") or 苦手な形.
    QString dealName() const;
    // Text for the way of dealing when no band item is checked (weak shapes), or empty.
    void setDealStatus(const QString& text);
    // Text after the way of dealing (the review cards due), or empty.
    void setExtraStatus(const QString& text);

    // The reset command asks this first: false keeps the timed run and the problem on screen.
    bool confirmLeavingRun() { return m_timedRun->confirmAbandon(); }

    void OnBand(int index);
    void OnEnterProblem();
    void OnCopyProblem();

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

    QPointer<CZelkonView> m_view;  // the frame deletes it before this
    QWidget& m_window;
    PracticeDealer m_dealer;
    TimedRunController* m_timedRun;  // a child of this
    QMenu* m_dealMenu = nullptr;
    QActionGroup* m_dealGroup = nullptr;
    std::array<QAction*, kBandItems> m_bandActions{};
    QAction* m_timedRunAction = nullptr;
    QAction* m_enterAction = nullptr;
    QAction* m_copyAction = nullptr;
    QAction* m_abandonKey = nullptr;  // Esc, enabled while a run lasts
    QPointer<HandEntryDialog> m_entry;
    QString m_dealStatus;
    QString m_extraStatus;
};

}  // namespace zelkon
