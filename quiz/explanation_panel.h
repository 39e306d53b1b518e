// The 解説 panel beside the form: a status line, then after the answer one row per number that
// is a wait, a wrong pick or a fifth copy, with the readings drawn in small tiles.
#pragma once

#include <memory>
#include <vector>

#include <QLabel>
#include <QScrollArea>
#include <QString>
#include <QWidget>

#include "analysis/explanation.h"
#include "quiz_logic.h"

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
    std::int32_t shown;   // index of the reading drawn, or -1 (a split, or four copies)
    std::int32_t others;  // readings behind "ほかの読み方(N)"
    bool expanded;
};

class ExplanationRowsView;

class ExplanationPanel : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 310;
    // Small tiles are the board's art rendered at this fraction of its size, at device pixels.
    static constexpr qreal kTileScale = 0.5;

    explicit ExplanationPanel(QWidget* parent = nullptr);
    ~ExplanationPanel() override;

    // One line at the top that other features fill (a timed run, the band, the review count);
    // an empty text hides it.
    void setStatusLine(const QString& text);
    QString statusLine() const { return m_status.text(); }

    // Explains the answered question of quiz; its picks decide the rows and their signs.
    void showAnswer(const QuizLogic& quiz);
    // A new question is on screen: nothing of an answer shows.
    void clearAnswer();

    const std::vector<ExplanationRow>& rows() const { return m_rows; }
    const HandExplanation& explanation() const { return *m_explanation; }
    SuitKind suit() const { return m_suit; }
    // Opens or closes the other readings of a row, as a click on its "ほかの読み方(N)" does.
    void toggleOtherReadings(int row);
    // Where a row's "ほかの読み方(N)" sits in rowsWidget() coordinates; empty without others.
    QRect otherReadingsLink(int row) const;
    QWidget& rowsWidget();
    // The device-pixel rectangle of the first tile drawn for a row, in rowsWidget() pixels.
    QRect firstTileRect(int row) const;

private:
    friend class ExplanationRowsView;

    QLabel m_status;
    QScrollArea m_scroll;
    ExplanationRowsView* m_view;  // owned by m_scroll
    std::unique_ptr<HandExplanation> m_explanation;
    std::vector<ExplanationRow> m_rows;
    SuitKind m_suit = kSuitManzu;
};

}  // namespace zelkon
