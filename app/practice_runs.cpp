#include "practice_runs.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

#include "analysis/hand_notation.h"
#include "hand_entry_dialog.h"
#include "practice_settings.h"
#include "quiz/deal_status.h"
#include "quiz/window_language.h"
#include "quiz/zelkon_view.h"

namespace zelkon {

namespace {

// The 出題 items in kBandTable's order.
const std::array<const char*, kBandItems> kBandTexts{
    QT_TRANSLATE_NOOP("zelkon::PracticeRuns", "すべての手(&A)"),
    QT_TRANSLATE_NOOP("zelkon::PracticeRuns", "待ち1〜2種(&1)"),
    QT_TRANSLATE_NOOP("zelkon::PracticeRuns", "待ち3〜4種(&3)"),
    QT_TRANSLATE_NOOP("zelkon::PracticeRuns", "待ち5種以上(&5)"),
};

}  // namespace

PracticeRuns::PracticeRuns(CZelkonView& view, QWidget& window)
    : QObject(&window),
      m_view(&view),
      m_window(window),
      m_timedRun(new TimedRunController(view, m_dealer, window, this)) {
    view.setProblemSource(&m_dealer);
    m_timedRun->setDealName([this] { return dealName(); });
    connect(m_timedRun, &TimedRunController::statusChanged, this, &PracticeRuns::RefreshStatus);
    connect(m_timedRun, &TimedRunController::runningChanged, this, &PracticeRuns::OnRunningChanged);
    connect(&view, &CZelkonView::questionShown, this, [this] { m_dealer.noteShown(); });
    connect(&view, &CZelkonView::answered, this, &PracticeRuns::OnAnswered);
}

PracticeRuns::~PracticeRuns() {
    if (m_view != nullptr) {
        m_view->setProblemSource(nullptr);
    }
}

void PracticeRuns::addTo(QMenu& practice) {
    m_dealMenu = practice.addMenu(QString());
    SetUiText(m_dealMenu->menuAction(), staticMetaObject, QT_TR_NOOP("出題(&D)"));
    m_dealGroup = new QActionGroup(m_dealMenu);
    for (int i = 0; i < kBandItems; ++i) {
        QAction* item = m_dealMenu->addAction(QString());
        SetUiText(item, staticMetaObject, kBandTexts[static_cast<std::size_t>(i)]);
        item->setCheckable(true);
        item->setChecked(i == BandIndex(m_dealer.band()));
        m_dealGroup->addAction(item);
        m_bandActions[static_cast<std::size_t>(i)] = item;
        connect(item, &QAction::triggered, this, [this, i] { OnBand(i); });
    }
    AddShapeItems();
    m_timedRunAction = practice.addAction(QString());
    SetUiText(m_timedRunAction, staticMetaObject, QT_TR_NOOP("タイムアタック(&T)"));
    connect(m_timedRunAction, &QAction::triggered, m_timedRun, &TimedRunController::OnTimedRun);
    m_enterAction = practice.addAction(QString());
    SetUiText(m_enterAction, staticMetaObject, QT_TR_NOOP("問題を入力(&I)..."));
    connect(m_enterAction, &QAction::triggered, this, &PracticeRuns::OnEnterProblem);
    m_copyAction = practice.addAction(QString());
    SetUiText(m_copyAction, staticMetaObject, QT_TR_NOOP("問題をコピー(&C)"));
    connect(m_copyAction, &QAction::triggered, this, &PracticeRuns::OnCopyProblem);
    // Esc is no key of the quiz: during a run it offers to abandon it, as the menu item does.
    m_abandonKey = new QAction(&m_window);
    m_abandonKey->setShortcut(QKeySequence(Qt::Key_Escape));
    m_abandonKey->setShortcutContext(Qt::WindowShortcut);
    m_abandonKey->setEnabled(m_timedRun->running());
    m_window.addAction(m_abandonKey);
    connect(m_abandonKey, &QAction::triggered, m_timedRun, &TimedRunController::confirmAbandon);
}

void PracticeRuns::AddShapeItems() {
    m_shapeSeparator = m_dealMenu->addSeparator();
    m_sizeMenu = m_dealMenu->addMenu(QString());
    SetUiText(m_sizeMenu->menuAction(), staticMetaObject, QT_TR_NOOP("枚数(&N)"));
    auto* sizes = new QActionGroup(m_sizeMenu);
    for (std::size_t i = 0; i < kSizeItems.size(); ++i) {
        static constexpr const char* kSizeTexts[] = {QT_TR_NOOP("4枚"), QT_TR_NOOP("7枚"),
                                                     QT_TR_NOOP("10枚"), QT_TR_NOOP("13枚")};
        QAction* item = m_sizeMenu->addAction(QString());
        SetUiText(item, staticMetaObject, kSizeTexts[i]);
        item->setCheckable(true);
        item->setChecked(kSizeItems[i] == m_dealer.tiles());
        sizes->addAction(item);
        m_sizeActions[i] = item;
        connect(item, &QAction::triggered, this, [this, i] { OnSize(static_cast<int>(i)); });
    }
    m_familyMenu = m_dealMenu->addMenu(QString());
    SetUiText(m_familyMenu->menuAction(), staticMetaObject, QT_TR_NOOP("形(&F)"));
    m_familyMenu->installEventFilter(this);
    auto* families = new QActionGroup(m_familyMenu);
    for (int i = 0; i <= kFamilyCount; ++i) {
        QAction* item = m_familyMenu->addAction(familyName(i - 1));
        if (i == 0) {
            SetUiText(item, staticMetaObject, QT_TR_NOOP("すべての形"));
        }
        item->setCheckable(true);
        item->setChecked(i - 1 == m_dealer.family());
        families->addAction(item);
        m_familyActions[static_cast<std::size_t>(i)] = item;
        connect(item, &QAction::triggered, this, [this, i] { OnFamily(i); });
    }
    m_ladderAction = m_dealMenu->addAction(QString());
    SetUiText(m_ladderAction, staticMetaObject, QT_TR_NOOP("段階練習(&L)"));
    m_ladderAction->setCheckable(true);
    m_ladderAction->setChecked(m_dealer.ladderOn());
    connect(m_ladderAction, &QAction::triggered, this, &PracticeRuns::OnLadder);
}

QAction* PracticeRuns::sizeAction(int index) const {
    return index >= 0 && index < static_cast<int>(m_sizeActions.size())
               ? m_sizeActions[static_cast<std::size_t>(index)]
               : nullptr;
}

QAction* PracticeRuns::familyAction(int index) const {
    return index >= 0 && index < static_cast<int>(m_familyActions.size())
               ? m_familyActions[static_cast<std::size_t>(index)]
               : nullptr;
}

QString PracticeRuns::familyName(FamilyIndex family) {
    if (family < 0 || family >= kFamilyCount) {
        return QString();
    }
    // The catalogue's names are Japanese; another language shows the family's id.
    return QString::fromUtf8(FamilyNameInSentence(family, UiLanguage()));
}

bool PracticeRuns::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_familyMenu && event->type() == QEvent::LanguageChange) {
        for (int f = 0; f < kFamilyCount; ++f) {
            m_familyActions[static_cast<std::size_t>(f + 1)]->setText(familyName(f));
        }
        RefreshStatus();
    }
    return QObject::eventFilter(watched, event);
}

void PracticeRuns::keepShapeSettings(PracticeSettings& settings) {
    m_settings = &settings;
    const int tiles = settings.intValue(QString::fromLatin1(kTilesKey), 13);
    m_dealer.setTiles(tiles);
    const QByteArray id = settings.stringValue(QString::fromLatin1(kFamilyKey), QString()).toUtf8();
    m_dealer.setFamily(
        FamilyIndexOf(std::string_view(id.constData(), static_cast<std::size_t>(id.size()))));
    const bool ladder = settings.boolValue(QString::fromLatin1(kLadderKey), false);
    if (ladder) {
        const QByteArray at =
            settings.stringValue(QString::fromLatin1(kLadderAtKey), QString()).toUtf8();
        m_dealer.restoreLadder(
            FamilyIndexOf(std::string_view(at.constData(), static_cast<std::size_t>(at.size()))),
            settings.intValue(QString::fromLatin1(kLadderTilesKey), 0));
    } else {
        m_dealer.setLadderOn(false);
    }
    for (std::size_t i = 0; i < kSizeItems.size(); ++i) {
        if (m_sizeActions[i] != nullptr) {
            m_sizeActions[i]->setChecked(kSizeItems[i] == m_dealer.tiles());
        }
    }
    if (QAction* item = familyAction(m_dealer.family() + 1)) {
        item->setChecked(true);
    }
    if (m_ladderAction != nullptr) {
        m_ladderAction->setChecked(ladder);
    }
    if (m_sizeMenu != nullptr) {
        m_sizeMenu->setEnabled(!ladder);
    }
    RefreshStatus();
}

void PracticeRuns::OnSize(int index) {
    const std::int32_t tiles = kSizeItems[static_cast<std::size_t>(index)];
    if (tiles == m_dealer.tiles()) {
        return;
    }
    m_dealer.setTiles(tiles);
    if (m_settings != nullptr) {
        m_settings->setInt(QString::fromLatin1(kTilesKey), tiles);
    }
    RefreshStatus();
}

void PracticeRuns::OnFamily(int index) {
    const FamilyIndex family = index - 1;
    if (family == m_dealer.family()) {
        return;
    }
    m_dealer.setFamily(family);
    if (m_settings != nullptr) {
        m_settings->setString(
            QString::fromLatin1(kFamilyKey),
            family == kNoFamily
                ? QString()
                : QString::fromLatin1(kShapeFamilies[static_cast<std::size_t>(family)].id));
        SaveLadderStep();
    }
    RefreshStatus();
}

void PracticeRuns::OnLadder(bool on) {
    m_dealer.setLadderOn(on);
    if (m_sizeMenu != nullptr) {
        m_sizeMenu->setEnabled(!on);
    }
    if (m_settings != nullptr) {
        m_settings->setBool(QString::fromLatin1(kLadderKey), on);
        SaveLadderStep();
    }
    RefreshStatus();
}

void PracticeRuns::SaveLadderStep() {
    if (m_settings == nullptr || !m_dealer.ladderOn()) {
        return;
    }
    const Ladder& ladder = m_dealer.ladder();
    m_settings->setString(
        QString::fromLatin1(kLadderAtKey),
        QString::fromLatin1(kShapeFamilies[static_cast<std::size_t>(ladder.family())].id));
    m_settings->setInt(QString::fromLatin1(kLadderTilesKey), ladder.tiles());
}

void PracticeRuns::OnAnswered() {
    if (m_view != nullptr && m_dealer.RecordAnswer(m_view->quiz())) {
        SaveLadderStep();
        RefreshStatus();
    }
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
    return QString::fromUtf8(DealName(m_dealer, UiLanguage()).view());
}

QString PracticeRuns::statusText() const {
    if (m_timedRun->running()) {
        return m_timedRun->statusText();
    }
    const QByteArray records = m_dealStatus.toUtf8();
    const std::string_view words(records.constData(), static_cast<std::size_t>(records.size()));
    const QString deal = QString::fromUtf8(DealStatusWords(m_dealer, words, UiLanguage()).view());
    if (deal.isEmpty() || m_extraStatus.isEmpty()) {
        return deal + m_extraStatus;
    }
    return deal + tr("\u3000") + m_extraStatus;
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
    const HandText text = SpellHand(quiz.sortedTiles(), quiz.suitKind());
    QGuiApplication::clipboard()->setText(QString::fromLatin1(text.view()));
}

}  // namespace zelkon
