#include "practice_runs.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

#include "analysis/hand_notation.h"
#include "hand_entry_dialog.h"
#include "quiz/zelkon_view.h"

namespace zelkon {

namespace {

struct BandItem {
    WaitBand band;
    const char* text;
    const char* name;
};

const std::array<BandItem, kBandItems> kBands{{
    {kAllHands, "すべての手(&A)", "すべての手"},
    {kBandOneTwo, "待ち1〜2種(&1)", "待ち1〜2種"},
    {kBandThreeFour, "待ち3〜4種(&3)", "待ち3〜4種"},
    {kBandFivePlus, "待ち5種以上(&5)", "待ち5種以上"},
}};

}  // namespace

WaitBand BandAt(int index) {
    return index >= 0 && index < kBandItems ? kBands[static_cast<std::size_t>(index)].band
                                            : kAllHands;
}

int BandIndex(WaitBand band) {
    for (int i = 0; i < kBandItems; ++i) {
        const WaitBand& item = kBands[static_cast<std::size_t>(i)].band;
        if (item.fewest == band.fewest && item.most == band.most) {
            return i;
        }
    }
    return -1;
}

PracticeRuns::PracticeRuns(CZelkonView& view, QWidget& window)
    : QObject(&window),
      m_view(&view),
      m_window(window),
      m_timedRun(new TimedRunController(view, m_dealer, window, this)) {
    view.setProblemSource(&m_dealer);
    m_timedRun->setDealName([this] { return dealName(); });
    connect(m_timedRun, &TimedRunController::statusChanged, this, &PracticeRuns::RefreshStatus);
    connect(m_timedRun, &TimedRunController::runningChanged, this, &PracticeRuns::OnRunningChanged);
}

PracticeRuns::~PracticeRuns() {
    if (m_view != nullptr) {
        m_view->setProblemSource(nullptr);
    }
}

void PracticeRuns::addTo(QMenu& practice) {
    m_dealMenu = practice.addMenu(QStringLiteral("出題(&D)"));
    m_dealGroup = new QActionGroup(m_dealMenu);
    for (int i = 0; i < kBandItems; ++i) {
        QAction* item =
            m_dealMenu->addAction(QString::fromUtf8(kBands[static_cast<std::size_t>(i)].text));
        item->setCheckable(true);
        item->setChecked(i == BandIndex(m_dealer.band()));
        m_dealGroup->addAction(item);
        m_bandActions[static_cast<std::size_t>(i)] = item;
        connect(item, &QAction::triggered, this, [this, i] { OnBand(i); });
    }
    m_timedRunAction = practice.addAction(QStringLiteral("タイムアタック(&T)"));
    connect(m_timedRunAction, &QAction::triggered, m_timedRun, &TimedRunController::OnTimedRun);
    m_enterAction = practice.addAction(QStringLiteral("問題を入力(&I)..."));
    connect(m_enterAction, &QAction::triggered, this, &PracticeRuns::OnEnterProblem);
    m_copyAction = practice.addAction(QStringLiteral("問題をコピー(&C)"));
    connect(m_copyAction, &QAction::triggered, this, &PracticeRuns::OnCopyProblem);
    // Esc is no key of the quiz: during a run it offers to abandon it, as the menu item does.
    m_abandonKey = new QAction(&m_window);
    m_abandonKey->setShortcut(QKeySequence(Qt::Key_Escape));
    m_abandonKey->setShortcutContext(Qt::WindowShortcut);
    m_abandonKey->setEnabled(m_timedRun->running());
    m_window.addAction(m_abandonKey);
    connect(m_abandonKey, &QAction::triggered, m_timedRun, &TimedRunController::confirmAbandon);
}

void PracticeRuns::setBand(WaitBand band) {
    m_dealer.setBand(band);
    m_dealStatus.clear();
    const int index = BandIndex(band);
    if (index >= 0 && m_bandActions[static_cast<std::size_t>(index)] != nullptr) {
        m_bandActions[static_cast<std::size_t>(index)]->setChecked(true);
    }
    RefreshStatus();
}

void PracticeRuns::OnBand(int index) {
    // Choosing the checked item again is no change, and must write no setting.
    const bool changed = m_dealer.weakShapes() || BandIndex(m_dealer.band()) != index;
    setBand(BandAt(index));
    if (changed) {
        emit bandChosen(index);
    }
}

void PracticeRuns::setDealStatus(const QString& text) {
    m_dealStatus = text;
    RefreshStatus();
}

QString PracticeRuns::dealName() const {
    if (m_dealer.weakShapes()) {
        return QStringLiteral("苦手な形");
    }
    const int index = BandIndex(m_dealer.band());
    return index >= 0 ? QString::fromUtf8(kBands[static_cast<std::size_t>(index)].name) : QString();
}

QString PracticeRuns::statusText() const {
    if (m_timedRun->running()) {
        return m_timedRun->statusText();
    }
    // すべての手 is named too, so that the line and the rows under it stay where they are
    // whichever band is chosen.
    QString deal = m_dealStatus;
    if (deal.isEmpty() && !dealName().isEmpty()) {
        deal = QStringLiteral("出題：") + dealName();
    }
    if (deal.isEmpty() || m_extraStatus.isEmpty()) {
        return deal + m_extraStatus;
    }
    return deal + QStringLiteral("\u3000") + m_extraStatus;
}

void PracticeRuns::setExtraStatus(const QString& text) {
    m_extraStatus = text;
    RefreshStatus();
}

void PracticeRuns::RefreshStatus() {
    emit statusChanged(statusText());
}

void PracticeRuns::OnRunningChanged(bool running) {
    // A run keeps its way of dealing, and a typed hand would not be one of the ten.
    if (m_dealMenu != nullptr) {
        m_dealMenu->setEnabled(!running);
    }
    if (m_enterAction != nullptr) {
        m_enterAction->setEnabled(!running);
    }
    if (m_abandonKey != nullptr) {
        m_abandonKey->setEnabled(running);
    }
    RefreshStatus();
}

void PracticeRuns::OnEnterProblem() {
    // An accepted dialog lingers until the event loop deletes it; only an open one is reused.
    if (m_entry != nullptr && m_entry->isVisible()) {
        m_entry->raise();
        m_entry->activateWindow();
        return;
    }
    m_entry = new HandEntryDialog(&m_window);
    m_entry->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_entry, &QDialog::accepted, this, &PracticeRuns::ApplyEntry);
    m_entry->open();
}

void PracticeRuns::ApplyEntry() {
    if (m_entry == nullptr) {
        return;
    }
    const std::optional<EnteredHand> hand = m_entry->hand();
    if (!hand || m_view == nullptr) {
        return;
    }
    // Noted first: listeners of questionShown read how the problem came.
    m_dealer.noteEntered();
    m_view->EnterProblem(hand->displayOrder, hand->suit);
    emit problemEntered();
}

void PracticeRuns::OnCopyProblem() {
    if (m_view == nullptr) {
        return;
    }
    const QuizLogic& quiz = m_view->quiz();
    const HandText text = SpellHand(quiz.problem().sortedHand, quiz.suitKind());
    QGuiApplication::clipboard()->setText(
        QString::fromLatin1(text.view().data(), static_cast<qsizetype>(text.view().size())));
}

}  // namespace zelkon
