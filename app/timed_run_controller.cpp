#include "timed_run_controller.h"

#include <QMessageBox>
#include <QWidget>

#include "quiz/practice_dealer.h"
#include "quiz/window_language.h"
#include "quiz/zelkon_view.h"

namespace zelkon {

namespace {

QString TimeText(std::chrono::nanoseconds time) {
    return QString::fromStdString(RunTimeText(time));
}

}  // namespace

TimedRunController::TimedRunController(CZelkonView& view, PracticeDealer& dealer, QWidget& window,
                                       QObject* parent)
    : QObject(parent), m_view(&view), m_dealer(dealer), m_window(window) {
    m_confirm = [this] {
        return QMessageBox::question(
                   &m_window, tr("タイムアタック"), tr("タイムアタックを中止しますか？"),
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    };
    m_refresh.setInterval(kRefreshMs);
    connect(&m_refresh, &QTimer::timeout, this, &TimedRunController::RefreshStatus);
    connect(m_view, &CZelkonView::questionShown, this, &TimedRunController::OnQuestionShown);
    connect(m_view, &CZelkonView::answered, this, &TimedRunController::OnAnswered);
}

TimedRunController::~TimedRunController() {
    delete m_result.data();
}

void TimedRunController::OnTimedRun() {
    if (m_run.running()) {
        confirmAbandon();
        return;
    }
    Start();
}

bool TimedRunController::confirmAbandon() {
    if (!m_run.running()) {
        return true;
    }
    if (!m_confirm()) {
        return false;
    }
    Abandon();
    return true;
}

void TimedRunController::Start() {
    delete m_result.data();
    m_run.Start();
    m_dealer.setTimedRun(true);
    emit runningChanged(true);
    // The first of the ten replaces whatever is on screen; its display starts the clock.
    m_view->NewProblem();
    m_refresh.start();
    RefreshStatus();
}

void TimedRunController::Abandon() {
    m_run.Abandon();
    m_dealer.setTimedRun(false);
    m_refresh.stop();
    m_shownStatus.clear();
    emit runningChanged(false);
}

void TimedRunController::OnQuestionShown() {
    m_run.QuestionShown();
    RefreshStatus();
}

void TimedRunController::OnAnswered() {
    if (!m_run.running()) {
        return;
    }
    m_run.Answered(m_view->quiz());
    if (!m_run.finished()) {
        return;
    }
    m_refresh.stop();
    m_dealer.setTimedRun(false);
    m_shownStatus.clear();
    emit finished(m_run.result());
    emit runningChanged(false);
    // The marks of the tenth answer are painted before the dialog covers them.
    QTimer::singleShot(0, this, &TimedRunController::ShowResult);
}

QString TimedRunController::statusText() const {
    if (!m_run.running()) {
        return {};
    }
    return QString::fromStdString(m_run.StatusText(UiLanguage()));
}

void TimedRunController::RefreshStatus() {
    const QString text = statusText();
    if (text == m_shownStatus) {
        return;
    }
    m_shownStatus = text;
    emit statusChanged(text);
}

void TimedRunController::ShowResult() {
    const TimedRunResult& result = m_run.result();
    QString text = TimedRunController::tr(
                       "タイム\u3000%1\n完全正解\u3000%2 / %3問\n見逃した待ち\u3000延べ%4種\n"
                       "待ちでない牌の選択\u3000延べ%5種")
                       .arg(TimeText(result.time))
                       .arg(result.fullyRight)
                       .arg(result.problems)
                       .arg(result.waitsMissed)
                       .arg(result.wrongPicks);
    if (m_bestTime) {
        if (const auto best = m_bestTime(result)) {
            const QString deal = m_dealName ? m_dealName() : QString();
            text += QLatin1Char('\n') +
                    (deal.isEmpty() ? TimedRunController::tr("最高記録")
                                    : TimedRunController::tr("「%1」の最高記録").arg(deal)) +
                    TimedRunController::tr("\u3000") + TimeText(*best);
            // The best includes this run: equal means this run set it.
            if (*best >= result.time) {
                text += TimedRunController::tr("（新記録）");
            }
        }
    }
    delete m_result.data();
    m_result = new QMessageBox(QMessageBox::Information, tr("タイムアタック"), text,
                               QMessageBox::Ok, &m_window);
    m_result->setObjectName(QStringLiteral("timedRunResult"));
    m_result->setAttribute(Qt::WA_DeleteOnClose);
    m_result->open();
}

}  // namespace zelkon
