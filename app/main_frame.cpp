#include "main_frame.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QList>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPen>
#include <QScreen>
#include <QTimer>

#include "command_ids.h"
#include "practice_runs.h"
#include "practice_settings.h"
#include "quiz/explanation_panel.h"
#include "quiz/window_language.h"
#include "quiz/zelkon_view.h"
#include "records_feature.h"
#include "res/tile_art.h"

namespace zelkon {

namespace {

constexpr int kSuitGroup[] = {ID_SUIT_MANZU, ID_SUIT_SOUZU, ID_SUIT_PINZU, ID_SUIT_RANDOM};
constexpr int kSortGroup[] = {ID_SORT_ON, ID_SORT_OFF};

struct Accelerator {
    int commandId;
    QKeySequence keys[2];
};

}  // namespace

// A frame just inside the widget that has the focus. Drawn outside it, as QFocusFrame does, the
// form's edges would cut most of the answer box's frame away.
class FocusRing : public QWidget {
public:
    explicit FocusRing(QWidget* target) : QWidget(target) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        target->installEventFilter(this);
        setGeometry(target->rect());
        raise();
        show();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize && watched == parentWidget()) {
            setGeometry(parentWidget()->rect());
        }
        return QWidget::eventFilter(watched, event);
    }

    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter p(this);
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
};

CMainFrame::CMainFrame(QWidget* parent)
    : QMainWindow(parent), m_practiceSettings(new PracticeSettings(this)) {
    PreCreateWindow();
    OnCreate();
}

// The application's focus signal outlives the frame's own part of the destruction: hiding the
// children in ~QWidget would otherwise call back into a frame that is no longer one.
CMainFrame::~CMainFrame() {
    disconnect(m_focusWatch);
}

void CMainFrame::PreCreateWindow() {
    // Caption, system menu and minimise only: no maximise button and no sizing border.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    SetUiText(this, staticMetaObject, kFrameTitle, UiTextRole::WindowTitle);
}

void CMainFrame::OnCreate() {
    QMenu* file = AddMenu(menuBar(), QT_TR_NOOP("ファイル(&F)"));
    connect(AddCommand(file, QT_TR_NOOP("リセット(&R)"), ID_FILE_RESET, false), &QAction::triggered,
            this, &CMainFrame::OnFileReset);
    connect(AddCommand(file, QT_TR_NOOP("アプリケーションの終了(&X)"), ID_APP_EXIT, false),
            &QAction::triggered, this, &QWidget::close);

    QMenu* settingsMenu = AddMenu(menuBar(), QT_TR_NOOP("設定(&C)"));
    QMenu* suit = AddMenu(settingsMenu, QT_TR_NOOP("牌の種類(&P)"));
    connect(AddCommand(suit, QT_TR_NOOP("ランダム"), ID_SUIT_RANDOM, true), &QAction::triggered,
            this, &CMainFrame::OnSuitRandom);
    connect(AddCommand(suit, QT_TR_NOOP("マンズ"), ID_SUIT_MANZU, true), &QAction::triggered, this,
            &CMainFrame::OnSuitManzu);
    connect(AddCommand(suit, QT_TR_NOOP("ソウズ"), ID_SUIT_SOUZU, true), &QAction::triggered, this,
            &CMainFrame::OnSuitSouzu);
    connect(AddCommand(suit, QT_TR_NOOP("ピンズ"), ID_SUIT_PINZU, true), &QAction::triggered, this,
            &CMainFrame::OnSuitPinzu);
    QMenu* sort = AddMenu(settingsMenu, QT_TR_NOOP("理牌(&R)"));
    connect(AddCommand(sort, QT_TR_NOOP("する"), ID_SORT_ON, true), &QAction::triggered, this,
            &CMainFrame::OnSortOn);
    connect(AddCommand(sort, QT_TR_NOOP("しない"), ID_SORT_OFF, true), &QAction::triggered, this,
            &CMainFrame::OnSortOff);

    CreatePracticeMenu();

    // Until Tab is first used the window is drawn as it always was; from then on a frame follows
    // the focus, whichever widget holds it (a button's own frame is faint, the answer box has
    // none of its own).
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this,
                           [this](QWidget*, QWidget* now) { ShowFocusFrame(now); });

    QMenu* help = AddMenu(menuBar(), QT_TR_NOOP("ヘルプ(&H)"));
    AddCommand(help, QT_TR_NOOP("バージョン情報 Zelkon(&A)..."), ID_APP_ABOUT, false);

    // The menu's initial marks match the defaults of m_nSuitMode and m_bSortMode.
    CheckMenuItem(ID_SUIT_RANDOM, true);
    CheckMenuItem(ID_SORT_ON, true);

    // The standard accelerators: their commands have no handler here and leave the quiz alone.
    const Accelerator accelerators[] = {
        {ID_FILE_NEW, {QKeySequence(Qt::CTRL | Qt::Key_N), {}}},
        {ID_FILE_OPEN, {QKeySequence(Qt::CTRL | Qt::Key_O), {}}},
        {ID_FILE_SAVE, {QKeySequence(Qt::CTRL | Qt::Key_S), {}}},
        {ID_EDIT_UNDO,
         {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)}},
        {ID_EDIT_CUT,
         {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)}},
        {ID_EDIT_COPY,
         {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}},
        {ID_EDIT_PASTE,
         {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}},
        {ID_NEXT_PANE, {QKeySequence(Qt::Key_F6), {}}},
        {ID_PREV_PANE, {QKeySequence(Qt::SHIFT | Qt::Key_F6), {}}},
    };
    for (const Accelerator& accelerator : accelerators) {
        QAction* command = AddCommand(this, nullptr, accelerator.commandId, false);
        QList<QKeySequence> keys{accelerator.keys[0]};
        if (!accelerator.keys[1].isEmpty()) {
            keys.append(accelerator.keys[1]);
        }
        command->setShortcuts(keys);
        command->setShortcutContext(Qt::WindowShortcut);
    }
}

QMenu* CMainFrame::AddMenu(QWidget* owner, const char* source) {
    auto* menu = new QMenu(owner);
    SetUiText(menu->menuAction(), staticMetaObject, source);
    if (auto* bar = qobject_cast<QMenuBar*>(owner)) {
        bar->addMenu(menu);
    } else {
        static_cast<QMenu*>(owner)->addMenu(menu);
    }
    return menu;
}

QAction* CMainFrame::AddCommand(QWidget* owner, const char* source, int commandId, bool checkable) {
    auto* command = new QAction(owner);
    if (source != nullptr) {
        SetUiText(command, staticMetaObject, source);
    }
    command->setData(commandId);
    command->setCheckable(checkable);
    owner->addAction(command);
    m_actions.insert(commandId, command);
    return command;
}

void CMainFrame::CreatePracticeMenu() {
    m_practiceMenu = AddMenu(menuBar(), QT_TR_NOOP("練習(&P)"));
    QAction* explain =
        AddCommand(m_practiceMenu, QT_TR_NOOP("解説を表示(&E)"), ID_PRACTICE_EXPLAIN, true);
    explain->setChecked(m_practiceSettings->boolValue(QString::fromLatin1(kExplainKey), false));
    // toggled, not triggered: only a real change is remembered.
    connect(explain, &QAction::toggled, this, &CMainFrame::OnPracticeExplain);
    // H is no key of the quiz; while the item is disabled the key does nothing at all.
    QAction* hint = AddCommand(m_practiceMenu, QT_TR_NOOP("ヒント(&H)"), ID_PRACTICE_HINT, false);
    hint->setShortcut(QKeySequence(Qt::Key_H));
    hint->setShortcutContext(Qt::WindowShortcut);
    hint->setEnabled(false);
    connect(hint, &QAction::triggered, this, &CMainFrame::OnPracticeHint);
}

void CMainFrame::OnPracticeHint() {
    CZelkonView* view = GetActiveView();
    UpdateHintAction();
    if (view == nullptr || !action(ID_PRACTICE_HINT)->isEnabled() || !view->UseHint()) {
        return;
    }
    explanationPanel().showHints(view->quiz());
    UpdateHintAction();
}

void CMainFrame::UpdateHintAction() {
    const CZelkonView* view = GetActiveView();
    const bool running = m_practiceRuns != nullptr && m_practiceRuns->timedRun().running();
    const bool open = m_panelOpen && view != nullptr && !view->quiz().answered() && !running &&
                      view->quiz().hintsUsed() < kHintCount;
    action(ID_PRACTICE_HINT)->setEnabled(open);
    if (m_panel != nullptr) {
        m_panel->hintButton().setEnabled(open);
    }
}

void CMainFrame::CreateLanguageMenu() {
    m_practiceMenu->addSeparator();
    QMenu* languages = AddMenu(m_practiceMenu, QT_TR_NOOP("言語(&L)"));
    auto* group = new QActionGroup(languages);
    const Language saved = savedLanguage();
    for (const Language language : {Language::Japanese, Language::English}) {
        const bool english = language == Language::English;
        // Each language is named in itself, in either language.
        auto* item = new QAction(
            english ? QStringLiteral("English(&N)") : QStringLiteral("日本語(&J)"), languages);
        item->setData(english ? ID_LANGUAGE_ENGLISH : ID_LANGUAGE_JAPANESE);
        item->setCheckable(true);
        item->setChecked(language == saved);
        group->addAction(item);
        languages->addAction(item);
        m_actions.insert(item->data().toInt(), item);
        connect(item, &QAction::triggered, this, [this, language] { OnLanguage(language); });
    }
}

Language CMainFrame::savedLanguage() const {
    Language language = Language::Japanese;
    // Anything but the two codes is no choice at all.
    ParseLanguageCode(
        m_practiceSettings->stringValue(QString::fromLatin1(kLanguageKey), QString()).toStdString(),
        language);
    return language;
}

void CMainFrame::OnLanguage(Language language) {
    m_practiceSettings->setString(QString::fromLatin1(kLanguageKey),
                                  QString::fromLatin1(LanguageCode(language)));
    emit languageChosen(language);
}

void CMainFrame::OnPracticeExplain(bool checked) {
    m_practiceSettings->setBool(QString::fromLatin1(kExplainKey), checked);
    setExplanationPanelOpen(checked);
}

void CMainFrame::SetView(CZelkonView* view) {
    setCentralWidget(view);
    view->installEventFilter(this);
    view->OnInitialUpdate();
    SetUpPracticeRuns(*view);
    // One fixed layout: the client area below the menu bar is exactly the form.
    m_formFrameSize = size();
    setFixedSize(m_formFrameSize);
    if (action(ID_PRACTICE_EXPLAIN)->isChecked()) {
        setExplanationPanelOpen(true);
    }
}

void CMainFrame::SetUpPracticeRuns(CZelkonView& view) {
    m_practiceMenu->addSeparator();
    m_practiceRuns = new PracticeRuns(view, *this);
    m_practiceRuns->addTo(*m_practiceMenu);
    m_records = new RecordsFeature(view, this);
    m_records->attach(*m_practiceMenu, *m_practiceRuns, *m_practiceSettings);
    connect(m_records, &RecordsFeature::statusChanged, this,
            [this] { m_practiceRuns->setExtraStatus(m_records->statusText()); });
    CreateLanguageMenu();
    const QString bandKey = QString::fromLatin1(kBandKey);
    m_practiceRuns->setBand(BandAt(m_practiceSettings->intValue(bandKey, 0)));
    m_practiceRuns->keepShapeSettings(*m_practiceSettings);
    connect(m_practiceRuns, &PracticeRuns::bandChosen, this,
            [this, bandKey](int index) { m_practiceSettings->setInt(bandKey, index); });
    // The panel is made on first use; until then the line waits in statusText().
    connect(m_practiceRuns, &PracticeRuns::statusChanged, this, [this](const QString& text) {
        if (m_panel != nullptr) {
            m_panel->setStatusLine(text);
        }
    });
    // A run shows its clock in the panel. A panel opened for it closes after it: when abandoned
    // at once, when finished with the next problem, so the tenth answer stays explained.
    connect(&m_practiceRuns->timedRun(), &TimedRunController::runningChanged, this,
            [this](bool running) {
                if (running && !m_panelOpen) {
                    m_panelForRun = true;
                    setExplanationPanelOpen(true);
                } else if (!running && !m_practiceRuns->timedRun().run().finished()) {
                    ClosePanelOpenedForRun();
                }
            });
    connect(&view, &CZelkonView::questionShown, this, [this] {
        if (!m_practiceRuns->timedRun().running()) {
            ClosePanelOpenedForRun();
        }
        UpdateHintAction();
    });
    connect(&view, &CZelkonView::answered, this, &CMainFrame::UpdateHintAction);
    connect(&m_practiceRuns->timedRun(), &TimedRunController::runningChanged, this,
            &CMainFrame::UpdateHintAction);
}

void CMainFrame::ClosePanelOpenedForRun() {
    if (!m_panelForRun) {
        return;
    }
    m_panelForRun = false;
    if (!action(ID_PRACTICE_EXPLAIN)->isChecked()) {
        setExplanationPanelOpen(false);
    }
}

ExplanationPanel& CMainFrame::explanationPanel() {
    if (m_panel == nullptr) {
        m_panel = new ExplanationPanel(this);
        m_panel->hide();
        if (m_practiceRuns != nullptr) {
            m_panel->setStatusLine(m_practiceRuns->statusText());
        }
    }
    return *m_panel;
}

void CMainFrame::setExplanationPanelOpen(bool open) {
    CZelkonView* view = GetActiveView();
    if (open == m_panelOpen || view == nullptr) {
        return;
    }
    m_panelOpen = open;
    ExplanationPanel& panel = explanationPanel();
    if (!open) {
        // Closed, the quiz does no work for the panel.
        disconnect(view, nullptr, &panel, nullptr);
        disconnect(&panel, nullptr, this, nullptr);
        panel.hide();
        setFixedSize(m_formFrameSize);
        UpdateHintAction();
        return;
    }
    connect(&panel, &ExplanationPanel::hintRequested, this, &CMainFrame::OnPracticeHint);
    connect(view, &CZelkonView::answered, &panel,
            [&panel, view] { panel.showAnswer(view->quiz()); });
    connect(view, &CZelkonView::questionShown, &panel, &ExplanationPanel::clearAnswer);
    connect(&panel, &ExplanationPanel::wantedHeightChanged, this, &CMainFrame::FitPanel);
    if (view->quiz().answered()) {
        panel.showAnswer(view->quiz());
    } else {
        panel.clearAnswer();
        if (view->quiz().hintsUsed() > 0) {
            panel.showHints(view->quiz());
        }
    }
    FitPanel();
    panel.show();
    UpdateHintAction();
}

void CMainFrame::changeEvent(QEvent* event) {
    // Fixed texts follow by themselves; those built from the state are built again.
    if (event->type() == QEvent::LanguageChange && GetActiveView() != nullptr) {
        if (m_panelOpen && GetActiveView()->quiz().answered()) {
            m_panel->showAnswer(GetActiveView()->quiz());
        }
        if (m_records != nullptr) {
            m_records->retranslate();  // its statusChanged sets the status line's extra text
        }
    }
    QMainWindow::changeEvent(event);
}

void CMainFrame::FitPanel() {
    CZelkonView* view = GetActiveView();
    if (!m_panelOpen || view == nullptr || m_panel == nullptr) {
        return;
    }
    // Beside the form, never over it: the form's own layout does not move. Below the form the
    // window grows with the panel, within the screen; beyond that the panel scrolls.
    const QRect form = view->geometry();
    int height = qMax(form.height(), m_panel->wantedHeight());
    QRect available;
    if (const QScreen* shown = screen()) {
        available = shown->availableGeometry();
        const int decoration = frameGeometry().height() - geometry().height();
        height = qMin(height, available.height() - decoration - form.top());
        height = qMax(height, form.height());
    }
    setFixedSize(m_formFrameSize + QSize(ExplanationPanel::kWidth, height - form.height()));
    m_panel->setGeometry(form.right() + 1, form.top(), ExplanationPanel::kWidth, height);
    // A window that grew past the bottom of the screen moves up into it.
    if (isVisible() && available.isValid() && frameGeometry().bottom() > available.bottom()) {
        move(x(), qMax(available.top(), y() - (frameGeometry().bottom() - available.bottom())));
    }
}

void CMainFrame::keyPressEvent(QKeyEvent* event) {
    if (CZelkonView* view = GetActiveView(); view != nullptr && view->takeKey(*event)) {
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_practiceRuns != nullptr && !m_practiceRuns->confirmLeavingRun()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void CMainFrame::ShowFocusFrame(QWidget* focus) {
    // The ring is a child of the widget it frames and may go with it (a panel link).
    delete m_focusRing.data();
    if (focus != nullptr && focus->window() == this && testAttribute(Qt::WA_KeyboardFocusChange)) {
        m_focusRing = new FocusRing(focus);
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched == centralWidget()) {
        // The icon's images cost a fifth of the start-up and show nowhere inside the window:
        // they are loaded once the first picture of the form is up.
        watched->removeEventFilter(this);
        QTimer::singleShot(0, this, [this] { setWindowIcon(ApplicationIcon()); });
    }
    return QMainWindow::eventFilter(watched, event);
}

CZelkonView* CMainFrame::GetActiveView() const {
    return qobject_cast<CZelkonView*>(centralWidget());
}

void CMainFrame::CheckMenuItem(int commandId, bool checked) {
    if (QAction* item = action(commandId)) {
        item->setChecked(checked);
    }
}

void CMainFrame::CheckGroup(std::span<const int> ids, int chosen) {
    // Marks are set for the whole group, in ascending id order, whatever they were.
    for (const int id : ids) {
        CheckMenuItem(id, id == chosen);
    }
}

void CMainFrame::OnSuitManzu() {
    CheckGroup(kSuitGroup, ID_SUIT_MANZU);
    m_nSuitMode = 0;
}

void CMainFrame::OnSuitSouzu() {
    CheckGroup(kSuitGroup, ID_SUIT_SOUZU);
    m_nSuitMode = 2;
}

void CMainFrame::OnSuitPinzu() {
    CheckGroup(kSuitGroup, ID_SUIT_PINZU);
    m_nSuitMode = 1;
}

void CMainFrame::OnSuitRandom() {
    CheckGroup(kSuitGroup, ID_SUIT_RANDOM);
    m_nSuitMode = 3;
}

void CMainFrame::OnFileReset() {
    // Reset during a timed run abandons it, once the player agrees.
    if (m_practiceRuns != nullptr && !m_practiceRuns->confirmLeavingRun()) {
        return;
    }
    if (CZelkonView* view = GetActiveView()) {
        view->NewProblem();
    }
}

void CMainFrame::OnSortOn() {
    CheckGroup(kSortGroup, ID_SORT_ON);
    m_bSortMode = 1;
}

void CMainFrame::OnSortOff() {
    CheckGroup(kSortGroup, ID_SORT_OFF);
    m_bSortMode = 0;
}

}  // namespace zelkon
