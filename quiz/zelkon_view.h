// The quiz form: tile row, number buttons, OK / next button and the answer box.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include <QKeyEvent>
#include <QPushButton>
#include <QString>
#include <QTextEdit>
#include <QWidget>

#include "quiz_logic.h"
#include "res/tile_art.h"

namespace zelkon {

class QuizSettings;

inline constexpr QRgb kBoardColor = qRgb(0, 200, 0);
inline constexpr QRgb kBandColor = qRgb(255, 0, 0);
inline constexpr QRgb kCircleColor = qRgb(255, 0, 0);
inline constexpr QRgb kCrossColor = qRgb(0, 0, 100);

inline constexpr int kTileRowX = 10;
inline constexpr int kTileRowY = 10;

class CZelkonView : public QWidget {
    Q_OBJECT

public:
    // Sets up the first question (seeded by the time of day) before any setting is read.
    explicit CZelkonView(QWidget* parent = nullptr);
    ~CZelkonView() override;

    // Fits the window that holds the form around it.
    void OnInitialUpdate();

    void NewProblem();
    // As NewProblem with a given hand (13 tiles ascending) instead of a dealt one.
    void LoadProblem(const Hand13& hand);
    // A hand of 4, 7, 10 or 13 tiles (a review card, a mistake shown again); false for others.
    bool LoadTiles(const TileHand& hand);
    // A hand a player typed, in its typed order; suit 0 to 2, or negative for the frame's setting
    // (under ランダム, the suit on screen).
    void EnterProblem(const TileHand& displayOrder, SuitKind suit);

    void OnBnClickedNum1();
    void OnBnClickedNum2();
    void OnBnClickedNum3();
    void OnBnClickedNum4();
    void OnBnClickedNum5();
    void OnBnClickedNum6();
    void OnBnClickedNum7();
    void OnBnClickedNum8();
    void OnBnClickedNum9();
    void OnBnClickedOkNext();

    // Enter and the digits 1 to 9 pressed anywhere else in the window (the panel) reach the quiz
    // through this, as they do on the form; returns true when the key is consumed.
    bool takeKey(const QKeyEvent& key) { return PreTranslateMessage(key); }

    // One more hint for the question on screen (QuizLogic::UseHint).
    bool UseHint() { return m_quiz.UseHint(); }

    // Not owned; nullptr deals plainly. Takes effect from the next problem.
    void setProblemSource(ProblemSource* source) { m_source = source; }

    const QuizLogic& quiz() const { return m_quiz; }
    QPushButton& numberButton(TileNumber number);
    QPushButton& okButton() { return m_btnOk; }
    QTextEdit& answerBox() { return m_editAnswer; }

    // Board rectangle of number button n in form coordinates; right and bottom just outside.
    QRect buttonRect(TileNumber number) const;
    static QRect markBox(const QRect& button);

    QSize sizeHint() const override { return m_formSize; }

signals:
    // A new question is on screen: dealt, loaded, or reset.
    void questionShown();
    // The question was just answered; marks and text are set but not yet painted, so whatever
    // a listener commits here is safe before the player sees the result.
    void answered();

protected:
    void paintEvent(QPaintEvent* event) override;
    // The answer box and the button follow the window's language at once.
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PreCreateWindow();
    void OnPaint();
    void DoDataExchange();
    void OnCtlColor();
    // Returns true when the key is consumed.
    bool PreTranslateMessage(const QKeyEvent& key);
    void OnBnClickedNum(TileNumber number);
    void ShowQuestionState();
    void SyncAnswerBox();
    // "pinfu: 平和", a line for each pattern of the answer; empty in Japanese.
    QString JapaneseNamesOfTheAnswer() const;
    const QuizSettings* settings() const;
    // The frame's settings, or its defaults for a form that no frame holds.
    std::int32_t suitMode() const;
    std::uint8_t sortMode() const;
    void ShowNewQuestion();

    QuizLogic m_quiz;
    QTextEdit m_editAnswer;
    std::array<QPushButton, 9> m_btnNumber;
    QPushButton m_btnOk;
    QSize m_formSize;
    ProblemSource* m_source = nullptr;
    // What the answer box holds, so a paint re-sets its text only on a change.
    std::string m_shownAnswer;
};

}  // namespace zelkon
