// The 解説 panel beside the form: a status line, then after the answer a summary line and one row
// per number that is a wait, a wrong pick or a fifth copy, with the readings drawn in tiles.
#pragma once

#include <memory>
#include <vector>

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "analysis/explanation.h"
#include "analysis/hints.h"
#include "quiz_logic.h"

class QAbstractButton;

namespace zelkon {

// The sign beside a row's number: the board's circle and cross, or a neutral sign for a fifth
// copy the player did not pick.
enum class RowSign {
    Circle,
    Cross,
    Neutral,
};

struct ExplanationRow {
    TileNumber number;
    RowSign sign;
    QString verdict;
    std::int32_t shown;   // index into the readings of the one drawn, or -1 (a split, four copies)
    std::int32_t others;  // distinct readings behind "ほかの読み方（N）"
    bool expanded;
    QString waitText;  // a wait: what the waiting tiles wait on, "が1・4を待つ"; else empty
};

class ExplanationRowsView;

class ExplanationPanel : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 360;
    // The board's art rendered at this fraction of its size, at device pixels: 21 × 37 at ratio
    // 1, each tile with its number under it.
    static constexpr qreal kTileScale = 0.625;

    explicit ExplanationPanel(QWidget* parent = nullptr);
    ~ExplanationPanel() override;

    // One line at the top that other features fill (a timed run, the band, the review count);
    // an empty text hides it.
    void setStatusLine(const QString& text);
    QString statusLine() const { return m_status.text(); }

    // Explains the answered question of quiz; its picks decide the summary, the rows and their
    // signs.
    void showAnswer(const QuizLogic& quiz);
    // A new question is on screen: nothing of an answer shows, nor any hint.
    void clearAnswer();
    // The hints quiz has used so far, before its answer: their words above where the rows will
    // be, hint 2 with a small copy of the hand (the set-aside melds greyed), hint 6 with its
    // reading in tiles.
    void showHints(const QuizLogic& quiz);
    // Hint lines on show, in order (before the answer).
    const QStringList& hintLines() const { return m_hintLines; }
    // "ヒント": asks for one more hint; the frame enables it.
    QPushButton& hintButton() { return m_hintButton; }
    // Where the small copy of the hand (hint 2) starts, in rowsWidget() coordinates; empty
    // without one.
    QRect handCopyRect() const;
    bool answerShown() const { return m_answered; }

    // Paragraphs above the rows once answered, each wrapped: the summary first. Later parts of
    // the explanation (hints) go after it.
    const QStringList& headerLines() const { return m_header; }
    const std::vector<ExplanationRow>& rows() const { return m_rows; }
    const HandExplanation& explanation() const { return *m_explanation; }
    SuitKind suit() const { return m_suit; }
    // Opens or closes the other readings of a row, as its "ほかの読み方（N）" does.
    void toggleOtherReadings(int row);
    // A row's "ほかの読み方（N）": reached by Tab, opened by a click or Space; nullptr without
    // others.
    QAbstractButton* otherReadingsLink(int row) const;
    QWidget& rowsWidget();
    QScrollArea& scrollArea() { return m_scroll; }
    // The device-pixel rectangle of the first tile drawn for a row, in rowsWidget() pixels.
    QRect firstTileRect(int row) const;
    // Where a row's verdict is drawn, wrapped, in rowsWidget() coordinates.
    QRect verdictRect(int row) const;
    // The height that shows the status line and everything below it without scrolling.
    int wantedHeight() const;

signals:
    void wantedHeightChanged();
    void hintRequested();

private:
    friend class ExplanationRowsView;

    QLabel m_status;
    QWidget m_hintRow;
    QPushButton m_hintButton;
    QScrollArea m_scroll;
    ExplanationRowsView* m_view;  // owned by m_scroll
    std::unique_ptr<HandExplanation> m_explanation;
    bool m_answered = false;
    QStringList m_header;
    std::vector<ExplanationRow> m_rows;
    SuitKind m_suit = kSuitManzu;
    std::unique_ptr<Hints> m_hints;
    QStringList m_hintLines;
};

}  // namespace zelkon
