// The window's side of the records: the 成績を記録する / 復習 / 成績... / 苦手な形 items, one row
// committed per answer before its marks are painted, and the figures the dealer and panel ask for.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QAction>
#include <QElapsedTimer>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QThread>

#include "analysis/problem.h"
#include "dealing/band_dealer.h"
#include "quiz/timed_run.h"
#include "records/answer_record.h"
#include "records/records_status.h"
#include "records/statistics.h"
#include "records/weak_shapes.h"
#include "statistics_module.h"
#include "statistics_window.h"

class QWidget;

namespace zelkon {

class CZelkonView;
class PracticeRuns;
class PracticeSettings;
class RecordsStore;

// Settings of the records items, beside the practice settings.
inline constexpr const char* kRecordKey = "records/record";
inline constexpr const char* kReviewKey = "records/review";
inline constexpr const char* kWeakShapesKey = "records/weakShapes";

// How the problem on screen came to be, as the dealer tells it.
struct DealInfo {
    DealKind kind = DealKind::Plain;
    WaitBand band = kAllHands;       // the band in force for band dealing and timed runs
    FamilyIndex family = kNoFamily;  // the family dealt in, if any
};

// Files up to this many answers are counted at opening on the window's thread (some 20 ms).
inline constexpr std::int64_t kTallyOnThisThreadRows = 20'000;

class RecordsFeature : public QObject {
    Q_OBJECT

public:
    // window: parent of the messages and the statistics window. Opens no file.
    RecordsFeature(CZelkonView& view, QWidget* window);
    ~RecordsFeature() override;

    // "成績を記録する(&R)", "復習(&V)", "成績(&S)...", "苦手な形(&W)": owned here, placed by the
    // frame. Their triggered() signals come only from the player, so the frame saves settings on
    // them.
    QAction* recordAction() { return &m_record; }
    QAction* reviewAction() { return &m_review; }
    QAction* statisticsAction() { return &m_statistics; }
    QAction* weakShapesAction() { return &m_weakShapes; }

    // Puts the items into the 練習 menu (after a separator) and 苦手な形 last into the 出題 group,
    // becomes the dealer's due-card hook and the timed run's best-time hook, and restores and
    // remembers its settings.
    void attach(QMenu& practice, PracticeRuns& runs, PracticeSettings& settings);

    // The saved settings at start-up. The database is opened only once the form has been painted,
    // so that recording costs the start-up nothing the player sees.
    void restore(bool recording, bool review);

    // Tests and the benchmark: a file instead of DefaultRecordsPath().
    void setRecordsPath(std::filesystem::path path) { m_path = std::move(path); }

    // Where the dealer says the problem on screen came from; asked when it is answered (a typed
    // hand is noted as such only once it is on screen).
    void setDealInfoSource(std::function<DealInfo()> source) { m_dealInfo = std::move(source); }

    // True while the store is open (recording on and the file usable).
    bool recording() const { return m_store != nullptr; }
    bool reviewing() const { return recording() && m_review.isChecked(); }
    // The figures are counted (the first count of a large file runs on a thread of its own).
    bool figuresReady() const { return m_tallyReady; }
    RecordsStore* store() { return m_store.get(); }

    // The dealer's hooks. dueCard: the most overdue card when review is on, else nothing.
    std::optional<TileHand> dueCard();
    // The dealer's due-card hook: the due card's hand, of any size.
    bool dealDueCard(TileHand& hand);
    // The weakest shape once some shape has kWeakShapeMinimumWaits waits, as of the last answer.
    std::optional<WeakShape> weakestShape() const { return m_weakTarget.shape; }
    // The weakest shape and family, and which 苦手な形 aims at.
    const WeakTarget& weakTarget() const { return m_weakTarget; }
    std::int64_t dueCount() const { return m_dueCount; }
    // What the panel's status line shows of the records: "復習 3問" while review is on, else "".
    QString statusText() const;
    // The window's language changed: the status texts and an open 成績 window follow.
    void retranslate();
    // The dealer's filter for weak-shape dealing (context: this feature): the hand has a wait
    // reached by the weakest shape. Any hand passes while there is no weakest shape.
    static bool FitsWeakShape(const Hand13& hand, const void* context);
    // "出題：苦手な形（嵌張待ち）" or "出題：苦手な形（竜巻）", or "" with nothing to aim at.
    QString weakShapeText() const;

    // Opens the 成績 window, or brings it up to date and raises it.
    void openStatistics();
    // The open 成績 window (a StatisticsWindow of the module), or nullptr.
    QWidget* statisticsWindow() const { return m_statisticsWindow; }

    // Turns recording on (creating the file) or off, as the menu item does.
    void setRecording(bool on);

signals:
    // The due count, the weakest shape or the review switch changed: the status line is stale.
    void statusChanged();
    // Weak-shape dealing was chosen but the records can no longer name a shape (recording off):
    // the frame puts dealing back to every hand.
    void weakShapesUnavailable();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    // Connected by name to the window of the module.
    void onRetry(int mistake);

private:
    bool openStore();
    // An answer or a run before the deferred open: the open cannot wait for the paint.
    void openIfPending();
    void closeStore();
    // Keeps the run and looks up the best of its band for the result dialog.
    void onRunFinished(const TimedRunResult& result);
    void onQuestionShown();
    void onAnswered();
    void refreshFigures();
    void scheduleRefresh();
    void updateActions();
    // Shows text to the player without blocking the quiz.
    void tell(const QString& text);
    // Loads the window's module on first use; false (the player told) when it cannot be found.
    bool loadStatisticsModule();
    StatisticsPage makePage(const Statistics& figures);
    // The page of the tally as it stands ("counting" while the first count runs); nothing when
    // the figures cannot be read (the player told when tellFailure).
    std::optional<StatisticsPage> currentPage(bool tellFailure = false);
    void startTally();
    void adoptTally(const std::shared_ptr<RecordsTally>& tally, std::uint64_t generation);
    void waitForTally();
    void onWeakShapes(bool chosen);
    void applyWeakShapes();
    // Points the dealer at the weakest shape or family; m_runs is set.
    void aimWeakShapes();

    CZelkonView& m_view;
    QWidget* m_window;
    QAction m_record;
    QAction m_review;
    QAction m_statistics;
    QAction m_weakShapes;

    std::optional<std::filesystem::path> m_path;
    std::unique_ptr<RecordsStore> m_store;
    // Start-up with recording on: the open waits for the first paint.
    bool m_openPending = false;
    bool m_refreshPending = false;
    bool m_retryPending = false;

    PracticeRuns* m_runs = nullptr;
    PracticeSettings* m_settings = nullptr;
    // Weak-shape dealing saved as chosen: applied once the records name a shape.
    bool m_weakShapesRestore = false;

    std::function<DealInfo()> m_dealInfo;
    // The question on screen came from the 成績 window's list.
    bool m_shownRetry = false;
    QElapsedTimer m_shownAt;

    // The best time of the last finished run's band, this run included; nothing unless recorded.
    std::optional<std::chrono::nanoseconds> m_runBest;

    std::int64_t m_dueCount = 0;
    WeakTarget m_weakTarget;
    // Counted once at opening, then only the rows each answer adds.
    RecordsTally m_tally;
    bool m_tallyReady = false;
    std::unique_ptr<QThread> m_tallyWorker;
    // Counts each open store, so that a count of a store since closed is dropped.
    std::uint64_t m_storeGeneration = 0;
    QPointer<QWidget> m_statisticsWindow;
    // The hands behind the window's list of mistakes, in its order.
    std::vector<TileHand> m_mistakeHands;
    StatisticsModule m_module;
};

}  // namespace zelkon
