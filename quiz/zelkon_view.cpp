#include "zelkon_view.h"

#include <QApplication>
#include <QEvent>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLayout>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QPixmap>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>

#include "analysis/pattern_table.h"
#include "dialog_units.h"
#include "quiz_settings.h"
#include "res/tile_art.h"
#include "window_language.h"

namespace zelkon {

namespace {

constexpr int kFormPointSize = 12;
constexpr int kFormWidthDlu = 200;
constexpr int kFormHeightDlu = 161;
constexpr int kBandMargin = 3;
constexpr int kMarkPenWidth = 3;
// The home platform's edit box keeps about this much space inside its border.
constexpr int kAnswerMargin = 2;

// Settings of a form that no frame holds: the frame's defaults.
constexpr std::int32_t kDefaultSuitMode = kSuitModeRandom;
constexpr std::uint8_t kDefaultSortMode = 1;

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CZelkonView::CZelkonView(QWidget* parent) : QWidget(parent) {
    PreCreateWindow();

    setFont(FormFont(kFormPointSize));
    const DialogUnits units(kFormPointSize, logicalDpiY());
    m_formSize = units.rect(0, 0, kFormWidthDlu, kFormHeightDlu).size();
    setFixedSize(m_formSize);
    setAttribute(Qt::WA_OpaquePaintEvent);

    // Creation order is the tab order: numbers 1 to 9, OK, the answer box.
    for (int i = 0; i < 9; ++i) {
        QPushButton& button = m_btnNumber[static_cast<std::size_t>(i)];
        button.setParent(this);
        button.setText(QString::number(i + 1));
        button.setObjectName(QStringLiteral("num%1").arg(i + 1));
        button.setGeometry(units.rect(6 + 16 * i, 53, 12, 15));
    }
    m_btnOk.setParent(this);
    m_btnOk.setText(QStringLiteral("OK"));
    m_btnOk.setObjectName(QStringLiteral("okNext"));
    m_btnOk.setGeometry(units.rect(156, 53, 37, 15));

    m_editAnswer.setParent(this);
    m_editAnswer.setObjectName(QStringLiteral("answer"));
    m_editAnswer.setGeometry(units.rect(0, 76, 200, 85));
    m_editAnswer.setReadOnly(true);
    m_editAnswer.setAcceptRichText(false);
    m_editAnswer.document()->setDocumentMargin(kAnswerMargin);
    m_editAnswer.setLineWrapMode(QTextEdit::NoWrap);
    m_editAnswer.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_editAnswer.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_editAnswer.setFocusPolicy(Qt::StrongFocus);
    // Read-only boxes hide their caret; with keyboard selection it shows where focus is.
    m_editAnswer.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    for (QPushButton* button : findChildren<QPushButton*>()) {
        // The board never shows through a button: on the home platform the form clips it.
        button->setAutoFillBackground(true);
        button->setAutoDefault(false);
    }

    OnCtlColor();
    DoDataExchange();
    SyncAnswerBox();
}

CZelkonView::~CZelkonView() = default;

void CZelkonView::PreCreateWindow() {
    // The question exists before the controls, and before any setting of the frame is read.
    m_quiz.SetUp();
    m_quiz.SetLanguage(UiLanguage());
}

void CZelkonView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange && m_quiz.language() != UiLanguage()) {
        m_quiz.SetLanguage(UiLanguage());
        ShowQuestionState();
    }
    QWidget::changeEvent(event);
}

void CZelkonView::DoDataExchange() {
    connect(&m_btnNumber[0], &QPushButton::clicked, this, &CZelkonView::OnBnClickedNum1);
    connect(&m_btnNumber[1], &QPushButton::clicked, this, &CZelkonView::OnBnClickedNum2);
    connect(&m_btnNumber[2], &QPushButton::clicked, this, &CZelkonView::OnBnClickedNum3);
    connect(&m_btnNumber[3], &QPushButton::clicked, this, &CZelkonView::OnBnClickedNum4);
    connect(&m_btnNumber[4], &QPushButton::clicked, this, &CZelkonView::OnBnClickedNum5);
    connect(&m_btnNumber[5], &QPushButton::clicked, this, &CZelkonView::OnBnClickedNum6);
    connect(&m_btnNumber[6], &QPushButton::clicked, this, &CZelkonView::OnBnClickedNum7);
    connect(&m_btnNumber[7], &QPushButton::clicked, this, &CZelkonView::OnBnClickedNum8);
    connect(&m_btnNumber[8], &QPushButton::clicked, this, &CZelkonView::OnBnClickedNum9);
    connect(&m_btnOk, &QPushButton::clicked, this, &CZelkonView::OnBnClickedOkNext);

    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

void CZelkonView::OnCtlColor() {
    // Only the form's own background is green; the controls keep their colours. A child
    // inherits every role its palette does not resolve, so each one resolves all of them.
    QPalette board = palette();
    board.setColor(QPalette::Window, QColor(kBoardColor));
    setPalette(board);
    for (QWidget* child : findChildren<QWidget*>()) {
        QPalette own = QApplication::palette(child);
        own.setResolveMask(~QPalette::ResolveMask{0});
        child->setPalette(own);
    }
}

void CZelkonView::OnInitialUpdate() {
    QWidget* frame = window();
    if (frame == this) {
        return;
    }
    if (frame->layout() != nullptr) {
        frame->layout()->activate();
    }
    frame->resize(frame->sizeHint());
}

const QuizSettings* CZelkonView::settings() const {
    for (const QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (const auto* found = dynamic_cast<const QuizSettings*>(w)) {
            return found;
        }
    }
    return nullptr;
}

std::int32_t CZelkonView::suitMode() const {
    const QuizSettings* frame = settings();
    return frame != nullptr ? frame->suitMode() : kDefaultSuitMode;
}

std::uint8_t CZelkonView::sortMode() const {
    const QuizSettings* frame = settings();
    return frame != nullptr ? frame->sortMode() : kDefaultSortMode;
}

void CZelkonView::NewProblem() {
    m_quiz.NewProblem(suitMode(), sortMode(), m_source);
    ShowNewQuestion();
}

void CZelkonView::LoadProblem(const Hand13& hand) {
    m_quiz.LoadProblem(hand, suitMode(), sortMode());
    ShowNewQuestion();
}

bool CZelkonView::LoadTiles(const TileHand& hand) {
    if (!m_quiz.LoadTiles(hand, suitMode(), sortMode())) {
        return false;
    }
    ShowNewQuestion();
    return true;
}

void CZelkonView::EnterProblem(const TileHand& displayOrder, SuitKind suit) {
    // Under ランダム a hand typed without a suit keeps the one on screen rather than draw one.
    std::int32_t mode = suit >= 0 ? suit : suitMode();
    if (mode == kSuitModeRandom) {
        mode = m_quiz.suitKind();
    }
    if (m_quiz.EnterTiles(displayOrder, mode, sortMode())) {
        ShowNewQuestion();
    }
}

void CZelkonView::ShowNewQuestion() {
    ShowQuestionState();
    update();
    emit questionShown();
}

void CZelkonView::ShowQuestionState() {
    const bool open = !m_quiz.answered();
    for (QPushButton& button : m_btnNumber) {
        button.setEnabled(open);
    }
    m_btnOk.setText(open ? QStringLiteral("OK") : tr("次へ"));
    SyncAnswerBox();
    m_editAnswer.setToolTip(open ? QString() : JapaneseNamesOfTheAnswer());
}

QString CZelkonView::JapaneseNamesOfTheAnswer() const {
    // A learner of the English names meets their Japanese here; the Japanese window needs none.
    // Patterns belong to 13 tiles: a short hand's answer names none.
    QStringList lines;
    if (m_quiz.tileCount() != 13) {
        return {};
    }
    for (int k = 0; k < kPatternCount; ++k) {
        const Term& name = kPatternTerms[static_cast<std::size_t>(k)];
        const QString japanese = JapaneseBeside(name);
        bool shown = false;
        for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
            const auto i = static_cast<std::size_t>(n);
            shown = shown || (m_quiz.problem().isWait[i] == 1 &&
                              m_quiz.problem().patterns[i][static_cast<std::size_t>(k)] != 0);
        }
        if (shown && !japanese.isEmpty()) {
            lines << UiTerm(name) + QStringLiteral(": ") + japanese;
        }
    }
    return lines.join(QLatin1Char('\n'));
}

void CZelkonView::SyncAnswerBox() {
    if (m_shownAnswer == m_quiz.answerText()) {
        return;
    }
    m_shownAnswer = m_quiz.answerText();
    // The box keeps lines, not line-end bytes; a CR left in would show as a stray glyph.
    QString text = FromUtf8(m_shownAnswer);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(QLatin1Char('\n'))) {
        text.chop(1);
    }
    m_editAnswer.setPlainText(text);
    // Lines as tall as the font's pixel size and no margin, as the home platform's edit box
    // spaces them: ten lines, the longest answer, then fit the box.
    QTextCursor all(m_editAnswer.document());
    all.select(QTextCursor::Document);
    QTextBlockFormat lines;
    lines.setLineHeight(QFontInfo(font()).pixelSize(), QTextBlockFormat::FixedHeight);
    all.mergeBlockFormat(lines);
}

void CZelkonView::OnBnClickedNum(TileNumber number) {
    m_quiz.Toggle(number);
    update();
}

void CZelkonView::OnBnClickedNum1() {
    OnBnClickedNum(1);
}
void CZelkonView::OnBnClickedNum2() {
    OnBnClickedNum(2);
}
void CZelkonView::OnBnClickedNum3() {
    OnBnClickedNum(3);
}
void CZelkonView::OnBnClickedNum4() {
    OnBnClickedNum(4);
}
void CZelkonView::OnBnClickedNum5() {
    OnBnClickedNum(5);
}
void CZelkonView::OnBnClickedNum6() {
    OnBnClickedNum(6);
}
void CZelkonView::OnBnClickedNum7() {
    OnBnClickedNum(7);
}
void CZelkonView::OnBnClickedNum8() {
    OnBnClickedNum(8);
}
void CZelkonView::OnBnClickedNum9() {
    OnBnClickedNum(9);
}

void CZelkonView::OnBnClickedOkNext() {
    if (m_quiz.answered()) {
        NewProblem();
        return;
    }
    m_quiz.Answer();
    ShowQuestionState();
    emit answered();
    update();
}

QPushButton& CZelkonView::numberButton(TileNumber number) {
    return m_btnNumber[static_cast<std::size_t>(number - 1)];
}

QRect CZelkonView::buttonRect(TileNumber number) const {
    return m_btnNumber[static_cast<std::size_t>(number - 1)].geometry();
}

QRect CZelkonView::markBox(const QRect& button) {
    return QRect(button.x() + 5, button.y() - 24, button.width() - 10, button.height() - 14);
}

void CZelkonView::paintEvent(QPaintEvent* /*event*/) {
    OnPaint();
}

void CZelkonView::OnPaint() {
    SyncAnswerBox();

    const qreal ratio = devicePixelRatioF();
    QPixmap board(size() * ratio);
    {
        QPainter p(&board);
        p.fillRect(board.rect(), QColor(kBoardColor));

        // Tiles go 1:1 into device pixels, each its own width from the last, so that at a
        // fractional ratio they neither blur nor open a gap between them.
        const int tiles = m_quiz.tileCount();
        QPoint at(qRound(kTileRowX * ratio), qRound(kTileRowY * ratio));
        if (tiles != 13) {
            // A short hand stands centred on the board, its tiles as large as ever.
            int row = 0;
            for (int k = 0; k < tiles; ++k) {
                row += LoadTileBitmap(TileBitmapId(m_quiz.displayTile(k), m_quiz.suitKind()), ratio)
                           .width();
            }
            at.setX((board.width() - row) / 2);
        }
        for (int k = 0; k < tiles; ++k) {
            const QPixmap tile =
                LoadTileBitmap(TileBitmapId(m_quiz.displayTile(k), m_quiz.suitKind()), ratio);
            p.drawPixmap(QRect(at, tile.size()), tile, tile.rect());
            at.rx() += tile.width();
        }

        p.scale(ratio, ratio);

        for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
            if (m_quiz.selected(n)) {
                const QRect r = buttonRect(n);
                p.fillRect(r.adjusted(-kBandMargin, -kBandMargin, kBandMargin, kBandMargin),
                           QColor(kBandColor));
            }
        }

        if (m_quiz.answered()) {
            for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
                const QRect box = markBox(buttonRect(n));
                switch (m_quiz.mark(n)) {
                    case MarkKind::MarkCircle:
                        p.setPen(QPen(QColor(kCircleColor), kMarkPenWidth));
                        p.setBrush(Qt::NoBrush);
                        // Inscribed as the home platform does it: right and bottom edges excluded.
                        p.drawEllipse(box.adjusted(0, 0, -1, -1));
                        break;
                    case MarkKind::MarkCross: {
                        p.setPen(QPen(QColor(kCrossColor), kMarkPenWidth));
                        const int left = box.x() + 1;
                        const int right = box.x() + box.width() - 1;
                        const int top = box.y();
                        const int bottom = box.y() + box.height();
                        p.drawLine(left, top, right, bottom);
                        p.drawLine(right, top, left, bottom);
                        break;
                    }
                    case MarkKind::MarkNone:
                        break;
                }
            }
        }
    }
    board.setDevicePixelRatio(ratio);
    QPainter(this).drawPixmap(0, 0, board);
}

bool CZelkonView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && PreTranslateMessage(*static_cast<QKeyEvent*>(event))) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

namespace {

// X11 and Wayland key codes of the digit row 1 to 9 (evdev codes plus 8).
constexpr quint32 kDigitRowCode1 = 10;
constexpr quint32 kDigitRowCode9 = 18;

// The digit keys of the main keyboard, 1 to 9, or 0. Shift does not matter: the window system
// names the shifted symbol (Shift+1 is "!"), so the key's position decides then.
TileNumber DigitRowNumber(const QKeyEvent& key) {
    if (key.modifiers().testFlag(Qt::KeypadModifier)) {
        return 0;
    }
    if (key.key() >= Qt::Key_1 && key.key() <= Qt::Key_9) {
        return key.key() - Qt::Key_0;
    }
    const quint32 code = key.nativeScanCode();
    if (code >= kDigitRowCode1 && code <= kDigitRowCode9) {
        return static_cast<TileNumber>(code - kDigitRowCode1) + 1;
    }
    return 0;
}

}  // namespace

bool CZelkonView::PreTranslateMessage(const QKeyEvent& key) {
    // Alt combinations are system keys there (menu mnemonics here); keypad digits have codes
    // of their own. Auto-repeated presses act like any other.
    const Qt::KeyboardModifiers mods = key.modifiers();
    if (mods.testFlag(Qt::AltModifier)) {
        return false;
    }
    const int code = key.key();
    if (code == Qt::Key_Return || code == Qt::Key_Enter) {
        m_btnOk.setFocus(Qt::OtherFocusReason);
        OnBnClickedOkNext();
        return true;
    }
    if (const TileNumber n = DigitRowNumber(key); n != 0) {
        QPushButton& button = numberButton(n);
        if (button.isEnabled()) {
            button.setFocus(Qt::OtherFocusReason);
            OnBnClickedNum(n);
        }
        return true;
    }
    return false;
}

}  // namespace zelkon
