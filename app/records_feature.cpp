#include "records_feature.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>

#include "analysis/hand_notation.h"
#include "dealing/problem_dealer.h"
#include "practice_runs.h"
#include "practice_settings.h"
#include "quiz/window_language.h"
#include "quiz/zelkon_view.h"
#include "records/answer_record.h"
#include "records/records_store.h"
#include "records/review.h"
#include "records/statistics.h"
#include "records_texts.h"
#include "statistics_window.h"

namespace zelkon {

namespace {

// Figures are refreshed after the paint that follows an answer; this bounds the wait when no
// paint comes (a hidden window).
constexpr int kRefreshFallbackMs = 200;

// The 出題 menu's bands, whose order RecordedBand follows: すべての手 records no band.
static_assert(static_cast<int>(RecordedBand::FiveOrMore) == kBandItems - 1);
RecordedBand Recorded(WaitBand band) {
    const int index = BandIndex(band);
    return index > 0 ? static_cast<RecordedBand>(index) : RecordedBand::None;
}

}  // namespace

RecordsFeature::RecordsFeature(CZelkonView& view, QWidget* window)
    : QObject(window), m_view(view), m_window(window) {
    SetUiText(&m_record, staticMetaObject, QT_TR_NOOP("成績を記録する(&R)"));
    SetUiText(&m_review, staticMetaObject, QT_TR_NOOP("復習(&V)"));
    SetUiText(&m_statistics, staticMetaObject, QT_TR_NOOP("成績(&S)..."));
    SetUiText(&m_weakShapes, staticMetaObject, QT_TR_NOOP("苦手な形(&W)"));
    m_record.setCheckable(true);
    m_review.setCheckable(true);
    m_weakShapes.setCheckable(true);
    updateActions();

    connect(&m_record, &QAction::triggered, this, &RecordsFeature::setRecording);
    connect(&m_review, &QAction::triggered, this, [this] { refreshFigures(); });
    connect(&m_statistics, &QAction::triggered, this, &RecordsFeature::openStatistics);
    connect(&m_weakShapes, &QAction::toggled, this, &RecordsFeature::onWeakShapes);

    // Direct: the row must be committed inside answered(), before the marks are painted.
    connect(&m_view, &CZelkonView::questionShown, this, &RecordsFeature::onQuestionShown,
            Qt::DirectConnection);
    connect(&m_view, &CZelkonView::answered, this, &RecordsFeature::onAnswered,
            Qt::DirectConnection);
    m_view.installEventFilter(this);
    // The first problem is dealt while the view is created, before anyone could listen.
    m_shownAt.start();
}

// The view and the statistics window are the frame's children and may be gone by now; Qt drops
// the event filter and the connections of a destroyed object by itself.
RecordsFeature::~RecordsFeature() {
    waitForTally();
}

void RecordsFeature::attach(QMenu& practice, PracticeRuns& runs, PracticeSettings& settings) {
    m_runs = &runs;
    m_settings = &settings;
    practice.addSeparator();
    practice.addAction(&m_record);
    practice.addAction(&m_review);
    practice.addAction(&m_statistics);
    if (runs.dealMenu() != nullptr) {
        runs.dealMenu()->insertAction(runs.shapeItemsStart(), &m_weakShapes);
        runs.dealGroup()->addAction(&m_weakShapes);
    }
    PracticeDealer& dealer = runs.dealer();
    dealer.setDueHandHook([this](TileHand& hand) { return dealDueCard(hand); });
    setDealInfoSource([&dealer] {
        return DealInfo{dealer.lastDeal(), dealer.band(), dealer.lastFamily()};
    });
    TimedRunController& timedRun = runs.timedRun();
    connect(&timedRun, &TimedRunController::finished, this, &RecordsFeature::onRunFinished);
    timedRun.setBestTimeHook([this](const TimedRunResult&) { return m_runBest; });

    // triggered, not toggled: only the player's changes are remembered.
    connect(&m_record, &QAction::triggered, this,
            [this] { m_settings->setBool(QString::fromLatin1(kRecordKey), recording()); });
    connect(&m_review, &QAction::triggered, this,
            [this](bool on) { m_settings->setBool(QString::fromLatin1(kReviewKey), on); });
    connect(&m_weakShapes, &QAction::triggered, this,
            [this] { m_settings->setBool(QString::fromLatin1(kWeakShapesKey), true); });
    connect(&runs, &PracticeRuns::bandChosen, this, [this] {
        m_weakShapesRestore = false;
        m_settings->setBool(QString::fromLatin1(kWeakShapesKey), false);
    });
    connect(this, &RecordsFeature::weakShapesUnavailable, this, [this] {
        // Back to every hand, without counting it as the player's choice.
        m_runs->setBand(kAllHands);
        m_runs->setDealStatus(QString());
    });

    m_weakShapesRestore = settings.boolValue(QString::fromLatin1(kWeakShapesKey), false);
    restore(settings.boolValue(QString::fromLatin1(kRecordKey), false),
            settings.boolValue(QString::fromLatin1(kReviewKey), false));
}

void RecordsFeature::onWeakShapes(bool chosen) {
    m_weakShapesRestore = false;
    if (m_runs == nullptr) {
        emit statusChanged();
        return;
    }
    if (chosen) {
        aimWeakShapes();
    }
    m_runs->setDealStatus(chosen ? weakShapeText() : QString());
    emit statusChanged();
}

void RecordsFeature::applyWeakShapes() {
    if (m_weakShapesRestore && m_weakShapes.isEnabled() && !m_weakShapes.isChecked()) {
        m_weakShapesRestore = false;
        m_weakShapes.setChecked(true);
    }
    if (m_weakShapes.isChecked() && m_runs != nullptr) {
        // The weakest shape or family may have moved with the last answer.
        aimWeakShapes();
        m_runs->setDealStatus(weakShapeText());
    }
}

void RecordsFeature::aimWeakShapes() {
    if (m_weakTarget.atFamily) {
        m_runs->dealer().setWeakFamily(m_weakTarget.family->family);
    } else {
        m_runs->dealer().setWeakShapes(&RecordsFeature::FitsWeakShape, this);
    }
}

void RecordsFeature::restore(bool recording, bool review) {
    m_record.setChecked(recording);
    m_review.setChecked(review);
    m_openPending = recording;
    updateActions();
}

bool RecordsFeature::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_view && event->type() == QEvent::Paint) {
        if (m_openPending || m_refreshPending) {
            // Queued: the picture goes up first.
            QTimer::singleShot(0, this, [this] {
                openIfPending();
                if (m_refreshPending) {
                    refreshFigures();
                }
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

void RecordsFeature::setRecording(bool on) {
    m_openPending = false;
    if (on && !openStore()) {
        m_record.setChecked(false);
    } else if (!on) {
        closeStore();
    }
    m_record.setChecked(recording());
    updateActions();
}

bool RecordsFeature::openStore() {
    if (m_store) {
        return true;
    }
    const std::optional<std::filesystem::path> path = m_path ? m_path : DefaultRecordsPath();
    if (!path) {
        tell(NoRecordsFolderText());
        return false;
    }
    // An upgrade rewrites every answer (seconds for a large file): the player sees it move. The
    // box appears only once the first thousand rows are done, so a small file shows nothing.
    QPointer<QProgressDialog> progressBox;
    const auto progress = [this, &progressBox](std::int64_t done, std::int64_t total) {
        if (progressBox == nullptr) {
            if (done >= total) {
                return;
            }
            progressBox = new QProgressDialog(UpgradeProgressText(), QString(), 0, 1000, m_window);
            progressBox->setObjectName(QStringLiteral("upgradeProgress"));
            progressBox->setWindowModality(Qt::WindowModal);
            progressBox->setMinimumDuration(0);
            progressBox->setAutoClose(false);
            progressBox->show();
        }
        progressBox->setValue(total > 0 ? static_cast<int>(done * 1000 / total) : 1000);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    OpenedRecords opened = RecordsStore::open(*path, OpenMode::CreateIfMissing, progress);
    delete progressBox.data();
    if (!opened.status.ok()) {
        tell(RecordsFailureText(opened.status, *path));
        return false;
    }
    m_store = std::move(opened.store);
    startTally();
    refreshFigures();
    return true;
}

void RecordsFeature::startTally() {
    m_tally = RecordsTally{};
    m_tallyReady = false;
    ++m_storeGeneration;
    const std::optional<std::int64_t> rows = LastAnswerRow(*m_store);
    if (!rows || *rows <= kTallyOnThisThreadRows) {
        m_tallyReady = true;  // counted by the refresh that follows, in a few milliseconds
        return;
    }
    // A large file is counted on a thread of its own, with a connection of its own, while the
    // quiz goes on; answers given meanwhile are added once the count is in.
    waitForTally();
    const std::filesystem::path path = m_store->path();
    const std::uint64_t generation = m_storeGeneration;
    m_tallyWorker.reset(QThread::create([this, path, generation] {
        auto tally = std::make_shared<RecordsTally>();
        const OpenedRecords reader = RecordsStore::open(path, OpenMode::ReadOnly);
        if (!reader.status.ok() || !tally->update(*reader.store).ok()) {
            tally.reset();
        }
        QMetaObject::invokeMethod(
            this, [this, tally, generation] { adoptTally(tally, generation); },
            Qt::QueuedConnection);
    }));
    m_tallyWorker->start(QThread::LowPriority);
}

void RecordsFeature::adoptTally(const std::shared_ptr<RecordsTally>& tally,
                                std::uint64_t generation) {
    if (generation != m_storeGeneration || !m_store) {
        return;
    }
    // Without the thread's count, the refresh counts from the first row here instead.
    m_tally = tally ? std::move(*tally) : RecordsTally{};
    m_tallyReady = true;
    refreshFigures();
}

void RecordsFeature::waitForTally() {
    if (m_tallyWorker) {
        m_tallyWorker->wait();
        m_tallyWorker.reset();
    }
}

void RecordsFeature::closeStore() {
    delete m_statisticsWindow.data();
    waitForTally();
    m_store.reset();
    ++m_storeGeneration;
    m_refreshPending = false;
    m_dueCount = 0;
    m_weakTarget = WeakTarget{};
    m_tally = RecordsTally{};
    m_tallyReady = false;
    updateActions();
    emit statusChanged();
}

void RecordsFeature::updateActions() {
    const bool open = recording();
    m_review.setEnabled(open);
    m_statistics.setEnabled(open);
    const bool hadWeakShapes = m_weakShapes.isChecked();
    m_weakShapes.setEnabled(open && m_weakTarget.any());
    if (hadWeakShapes && !m_weakShapes.isEnabled()) {
        emit weakShapesUnavailable();
    }
}

void RecordsFeature::onQuestionShown() {
    m_shownAt.start();
    m_shownRetry = m_retryPending;
    m_retryPending = false;
}

void RecordsFeature::onAnswered() {
    const double seconds = static_cast<double>(m_shownAt.nsecsElapsed()) / 1e9;
    openIfPending();
    if (!m_store) {
        return;
    }
    // Asked now, not when shown: a typed hand is noted as such only after it is on screen.
    DealInfo deal = m_dealInfo ? m_dealInfo() : DealInfo{};
    if (m_shownRetry) {
        deal = DealInfo{DealKind::Entered, kAllHands};
    }
    const QuizLogic& quiz = m_view.quiz();
    const AnswerRecord row =
        MakeAnswerRecord(quiz.sortedTiles(), quiz.suitKind(), deal.kind, Recorded(deal.band),
                         quiz.picks(), seconds, NowUnixMillis(), deal.family, quiz.hintsUsed());
    const RecordsStatus status = m_store->addAnswer(row);
    if (!status.ok() && !status.repeated) {
        // A read-only or full disk: said once per spell of failures; the quiz goes on.
        tell(RecordsFailureText(status, m_store->path(), RecordsMoment::Writing));
    }
    scheduleRefresh();
}

void RecordsFeature::openIfPending() {
    if (!m_openPending) {
        return;
    }
    m_openPending = false;
    if (!openStore()) {
        m_record.setChecked(false);
    }
    updateActions();
}

void RecordsFeature::onRunFinished(const TimedRunResult& result) {
    m_runBest.reset();
    openIfPending();
    if (!m_store) {
        return;
    }
    using std::chrono::duration_cast;
    using std::chrono::milliseconds;
    TimedRunRecord run;
    run.finishedAt = NowUnixMillis();
    // The dealer still holds the run's band: the 出題 menu is locked while a run lasts.
    run.band = Recorded(m_runs->dealer().band());
    run.totalMillis = duration_cast<milliseconds>(result.time).count();
    run.fullyRight = result.fullyRight;
    run.waitsMissed = result.waitsMissed;
    run.wrongPicks = result.wrongPicks;
    const RecordsStatus status = m_store->addTimedRun(run);
    if (!status.ok()) {
        // Without this run kept, the stored best would not be the best including it.
        if (!status.repeated) {
            tell(RecordsFailureText(status, m_store->path(), RecordsMoment::Writing));
        }
        return;
    }
    const BestRunOutcome best = BestTimedRun(*m_store, run.band);
    if (best.status.ok() && best.totalMillis) {
        m_runBest = milliseconds(*best.totalMillis);
    }
}

void RecordsFeature::scheduleRefresh() {
    m_refreshPending = true;
    QTimer::singleShot(kRefreshFallbackMs, this, [this] {
        if (m_refreshPending) {
            refreshFigures();
        }
    });
}

void RecordsFeature::refreshFigures() {
    m_refreshPending = false;
    if (!m_store) {
        return;
    }
    if (m_tallyReady) {
        // Only the rows added since the last answer are read.
        const bool read = m_tally.update(*m_store).ok();
        m_dueCount = read ? m_tally.dueCount(NowUnixMillis()) : 0;
        m_weakTarget = read ? WeakTargetOf(m_tally.byShape(), m_tally.byFamily()) : WeakTarget{};
    }
    updateActions();
    applyWeakShapes();
    if (m_statisticsWindow != nullptr && m_statisticsWindow->isVisible()) {
        std::optional<StatisticsPage> page = currentPage();
        if (page) {
            m_module.show(m_statisticsWindow, *page);
        }
    }
    emit statusChanged();
}

std::optional<TileHand> RecordsFeature::dueCard() {
    if (!reviewing()) {
        return std::nullopt;
    }
    const DueCardsOutcome due = DueCards(*m_store, NowUnixMillis(), 1);
    if (!due.status.ok() || due.cards.empty()) {
        return std::nullopt;
    }
    const ReviewCard& card = due.cards.front();
    return StoredTiles(card.hand, card.tiles, card.shortHand);
}

bool RecordsFeature::dealDueCard(TileHand& hand) {
    const std::optional<TileHand> card = dueCard();
    if (!card) {
        return false;
    }
    hand = *card;
    return true;
}

void RecordsFeature::retranslate() {
    if (m_weakShapes.isChecked() && m_runs != nullptr) {
        m_runs->setDealStatus(weakShapeText());
    }
    emit statusChanged();
    if (m_statisticsWindow != nullptr && m_statisticsWindow->isVisible()) {
        openStatistics();
    }
}

QString RecordsFeature::statusText() const {
    return reviewing() ? ReviewStatusText(m_dueCount) : QString();
}

QString RecordsFeature::weakShapeText() const {
    if (m_weakTarget.atFamily) {
        return WeakFamilyStatusText(m_weakTarget.family->family);
    }
    return m_weakTarget.shape ? WeakShapeStatusText(m_weakTarget.shape->shape) : QString();
}

bool RecordsFeature::FitsWeakShape(const Hand13& hand, const void* context) {
    const auto* feature = static_cast<const RecordsFeature*>(context);
    return !feature->m_weakTarget.shape ||
           HasWaitReachedBy(hand, feature->m_weakTarget.shape->shape);
}

void RecordsFeature::openStatistics() {
    if (!m_store || !loadStatisticsModule()) {
        return;
    }
    if (m_tallyReady) {
        // A failure here shows in the figures' own read below.
        m_tally.update(*m_store);
    }
    std::optional<StatisticsPage> shown = currentPage(true);
    if (!shown) {
        return;
    }
    const StatisticsPage& page = *shown;
    if (m_statisticsWindow == nullptr) {
        m_statisticsWindow = m_module.create(page, m_window);
        // By name: the window's class lives in the module.
        connect(m_statisticsWindow, SIGNAL(retryRequested(int)), this, SLOT(onRetry(int)));
    } else {
        m_module.show(m_statisticsWindow, page);
    }
    m_statisticsWindow->show();
    m_statisticsWindow->raise();
    m_statisticsWindow->activateWindow();
}

bool RecordsFeature::loadStatisticsModule() {
    if (m_module.load(StatisticsModuleFolders(QCoreApplication::applicationDirPath()))) {
        return true;
    }
    tell(StatisticsUnavailableText(m_module.error()));
    return false;
}

std::optional<StatisticsPage> RecordsFeature::currentPage(bool tellFailure) {
    if (!m_tallyReady) {
        StatisticsPage counting = makePage(Statistics{});
        counting.counting = true;
        return counting;
    }
    const StatisticsOutcome figures =
        m_tally.figures(*m_store, NowUnixMillis(), QDateTime::currentDateTime().offsetFromUtc());
    if (!figures.status.ok()) {
        if (tellFailure) {
            tell(RecordsFailureText(figures.status, m_store->path()));
        }
        return std::nullopt;
    }
    return makePage(figures.figures);
}

StatisticsPage RecordsFeature::makePage(const Statistics& figures) {
    StatisticsPage page{figures, {}, {}, {}, false};
    for (int s = 0; s < kWaitShapeCount; ++s) {
        page.shapeNames << UiShapeName(static_cast<WaitShape>(s));
    }
    for (FamilyIndex f = 0; f < kFamilyCount; ++f) {
        page.familyNames << PracticeRuns::familyName(f);
    }
    m_mistakeHands.clear();
    for (const Mistake& mistake : figures.latestMistakes) {
        page.mistakeTexts << MistakeText(mistake);
        m_mistakeHands.push_back(StoredTiles(mistake.hand, mistake.tiles, mistake.shortHand));
    }
    return page;
}

void RecordsFeature::onRetry(int mistake) {
    if (mistake < 0 || static_cast<std::size_t>(mistake) >= m_mistakeHands.size()) {
        return;
    }
    // A timed run keeps its ten dealt problems, as it refuses a typed hand.
    if (m_runs != nullptr && m_runs->timedRun().running()) {
        return;
    }
    m_retryPending = true;
    m_view.LoadTiles(m_mistakeHands[static_cast<std::size_t>(mistake)]);
    m_retryPending = false;
    if (m_window != nullptr) {
        m_window->raise();
        m_window->activateWindow();
    }
}

void RecordsFeature::tell(const QString& text) {
    auto* box = new QMessageBox(QMessageBox::Warning,
                                m_window != nullptr ? m_window->windowTitle() : QString(), text,
                                QMessageBox::Ok, m_window);
    box->setObjectName(QStringLiteral("recordsMessage"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Window-modal without a nested loop: the answer's paint is not held up behind it.
    box->open();
}

}  // namespace zelkon
