// タイムアタック in the window: starts and abandons runs, keeps the status line going, shows the
// result once the tenth answer is painted.
#pragma once

#include <chrono>
#include <functional>
#include <optional>

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include "quiz/timed_run.h"

class QWidget;

namespace zelkon {

class CZelkonView;
class PracticeDealer;

class TimedRunController : public QObject {
    Q_OBJECT

public:
    // Returns true to abandon the run.
    using Confirm = std::function<bool()>;
    // Given a finished run, returns the best time to show, if records keep one.
    using BestTimeHook =
        std::function<std::optional<std::chrono::nanoseconds>(const TimedRunResult&)>;

    // The status line is refreshed this often while a run lasts.
    static constexpr int kRefreshMs = 50;

    TimedRunController(CZelkonView& view, PracticeDealer& dealer, QWidget& window, QObject* parent);
    ~TimedRunController() override;

    // Not owned; must outlive the controller.
    void setClock(const RunClock& clock) { m_run.setClock(clock); }
    void setConfirm(Confirm confirm) { m_confirm = std::move(confirm); }
    void setBestTimeHook(BestTimeHook hook) { m_bestTime = std::move(hook); }
    // The way of dealing the best time belongs to, as the result names it ("待ち3〜4種").
    void setDealName(std::function<QString()> name) { m_dealName = std::move(name); }

    // The menu item: starts a run, or offers to abandon the one under way.
    void OnTimedRun();
    // True when no run is under way or the player agreed to abandon it.
    bool confirmAbandon();

    bool running() const { return m_run.running(); }
    const TimedRun& run() const { return m_run; }
    QString statusText() const;
    // The open result dialog, if any.
    QMessageBox* resultDialog() const { return m_result; }

signals:
    void runningChanged(bool running);
    // The run's line changed: problem number or tenths of a second.
    void statusChanged(const QString& text);
    void finished(const TimedRunResult& result);

private:
    void Start();
    void Abandon();
    void OnQuestionShown();
    void OnAnswered();
    void RefreshStatus();
    void ShowResult();

    QPointer<CZelkonView> m_view;
    PracticeDealer& m_dealer;
    QWidget& m_window;
    SteadyRunClock m_steady;
    TimedRun m_run{m_steady};
    Confirm m_confirm;
    BestTimeHook m_bestTime;
    std::function<QString()> m_dealName;
    QTimer m_refresh;
    QString m_shownStatus;
    QPointer<QMessageBox> m_result;
};

}  // namespace zelkon
