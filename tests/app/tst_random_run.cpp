#include <algorithm>
#include <array>
#include <random>
#include <string>

#include <QAction>
#include <QKeyEvent>
#include <QTest>

#include "analysis/pattern_table.h"
#include "app/command_ids.h"
#include "app/main_frame.h"
#include "app/zelkon_app.h"
#include "quiz/zelkon_view.h"
#include "tests/quiz/seeded_draws.h"
#include "window_fixture.h"

using namespace zelkon;

namespace {

constexpr int kSteps = 5000;

// Built here on its own, from the problem's waits and flags, to check the view's text.
std::string ExpectedAnswer(const Problem& p) {
    std::string text = "＜待ち牌と複合役＞\r\n";
    for (std::size_t n = 1; n <= 9; ++n) {
        if (p.isWait[n] != 1) {
            continue;
        }
        text += "  [" + std::to_string(n) + "]   ";
        std::string names;
        for (std::size_t k = 0; k < PatternTable.size(); ++k) {
            if (p.patterns[n][k] != 0) {
                names += std::string(PatternTable[k].name) + "  ";
            }
        }
        text += names.empty() ? "なし" : names;
        text += "\r\n";
    }
    return text;
}

void SendKey(QWidget* target, int key, Qt::KeyboardModifiers mods) {
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods);
    QCoreApplication::sendEvent(target, &release);
}

}  // namespace

class TestRandomRun : public QObject, test::WindowFixture {
    Q_OBJECT

private:
    // What the player has done, kept apart from the view.
    struct Model {
        bool answered = false;
        std::array<bool, 10> picks{};
        std::int32_t suitMode = 3;
        std::uint8_t sortMode = 1;
        long deals = 0;
    };

    Model m_model;

    void dealt() {
        m_model.answered = false;
        m_model.picks.fill(false);
        ++m_model.deals;
        QVERIFY(view().quiz().sortTiles() == (m_model.sortMode == 1));
        if (m_model.suitMode != 3) {
            QCOMPARE(view().quiz().suitKind(), m_model.suitMode);
        }
    }

    void okOrEnter() {
        if (m_model.answered) {
            dealt();
        } else {
            m_model.answered = true;
        }
    }

    void checkInvariants(int step) {
        const QuizLogic& quiz = view().quiz();
        const Problem& p = quiz.problem();
        QVERIFY2(quiz.answered() == m_model.answered, qPrintable(QString::number(step)));
        QVERIFY(std::is_sorted(p.sortedHand.begin(), p.sortedHand.end()));
        std::array<int, 10> counts{};
        for (const TileNumber t : p.sortedHand) {
            QVERIFY(t >= 1 && t <= 9);
            ++counts[static_cast<std::size_t>(t)];
        }
        for (const TileNumber t : p.dealOrder) {
            --counts[static_cast<std::size_t>(t)];
        }
        int waits = 0;
        for (std::size_t n = 1; n <= 9; ++n) {
            QCOMPARE(counts[n], 0);
            waits += p.isWait[n];
        }
        QVERIFY(waits >= 1);
        for (int k = 0; k < 13; ++k) {
            const auto i = static_cast<std::size_t>(k);
            QCOMPARE(quiz.displayTile(k), quiz.sortTiles() ? p.sortedHand[i] : p.dealOrder[i]);
        }
        QVERIFY(quiz.suitKind() >= 0 && quiz.suitKind() <= 2);
        QVERIFY(view().okButton().isEnabled());
        for (TileNumber n = 1; n <= 9; ++n) {
            const auto i = static_cast<std::size_t>(n);
            QCOMPARE(quiz.selected(n), m_model.picks[i]);
            QCOMPARE(view().numberButton(n).isEnabled(), !m_model.answered);
            MarkKind expected = MarkKind::MarkNone;
            if (m_model.answered && p.isWait[i] == 1) {
                expected = m_model.picks[i] ? MarkKind::MarkCircle : MarkKind::MarkCross;
            } else if (m_model.answered && m_model.picks[i]) {
                expected = MarkKind::MarkCross;
            }
            QCOMPARE(quiz.mark(n), expected);
        }
        if (m_model.answered) {
            QCOMPARE(view().okButton().text(), QStringLiteral("次へ"));
            QCOMPARE(std::string(quiz.answerText()), ExpectedAnswer(p));
        } else {
            QCOMPARE(view().okButton().text(), QStringLiteral("OK"));
            QCOMPARE(std::string(quiz.answerText()), std::string("何待ち？"));
            QCOMPARE(view().answerBox().toPlainText(), QStringLiteral("何待ち？"));
        }
    }

private slots:
    void init() {
        test::UseSeededDraws(31337);
        start();
        m_model = Model{};
    }
    void cleanup() { stop(); }

    void thousandsOfRandomStepsKeepTheQuestionConsistent() {
        std::mt19937 rng(20260101u);
        const int settingIds[] = {ID_SUIT_MANZU,  ID_SUIT_SOUZU, ID_SUIT_PINZU,
                                  ID_SUIT_RANDOM, ID_SORT_ON,    ID_SORT_OFF};
        const int acceleratorIds[] = {ID_FILE_NEW,   ID_FILE_OPEN, ID_FILE_SAVE,
                                      ID_EDIT_UNDO,  ID_EDIT_CUT,  ID_EDIT_COPY,
                                      ID_EDIT_PASTE, ID_NEXT_PANE, ID_PREV_PANE};
        for (int step = 0; step < kSteps; ++step) {
            QWidget* focus = frame().focusWidget() != nullptr ? frame().focusWidget() : &view();
            const int n = static_cast<int>(rng() % 9) + 1;
            const auto i = static_cast<std::size_t>(n);
            switch (rng() % 12) {
                case 0:
                case 1:
                case 2:
                    QTest::mouseClick(&view().numberButton(n), Qt::LeftButton);
                    if (!m_model.answered) {
                        m_model.picks[i] = !m_model.picks[i];
                    }
                    break;
                case 3:
                case 4:
                    SendKey(focus, Qt::Key_0 + n, Qt::NoModifier);
                    if (!m_model.answered) {
                        m_model.picks[i] = !m_model.picks[i];
                    }
                    break;
                case 5:
                    SendKey(focus, Qt::Key_0 + n, Qt::KeypadModifier);
                    break;
                case 6:
                    SendKey(focus, rng() % 2 == 0 ? Qt::Key_Return : Qt::Key_Enter, Qt::NoModifier);
                    okOrEnter();
                    break;
                case 7:
                    QTest::mouseClick(&view().okButton(), Qt::LeftButton);
                    okOrEnter();
                    break;
                case 8: {
                    const int id = settingIds[rng() % 6];
                    frame().action(id)->trigger();
                    if (id == ID_SORT_ON || id == ID_SORT_OFF) {
                        m_model.sortMode = id == ID_SORT_ON ? 1 : 0;
                    } else {
                        m_model.suitMode = id == ID_SUIT_MANZU   ? 0
                                           : id == ID_SUIT_SOUZU ? 2
                                           : id == ID_SUIT_PINZU ? 1
                                                                 : 3;
                    }
                    QCOMPARE(frame().suitMode(), m_model.suitMode);
                    QCOMPARE(frame().sortMode(), m_model.sortMode);
                    break;
                }
                case 9:
                    frame().action(ID_FILE_RESET)->trigger();
                    dealt();
                    break;
                case 10:
                    frame().action(acceleratorIds[rng() % 9])->trigger();
                    break;
                default:
                    SendKey(focus, Qt::Key_Tab, Qt::NoModifier);
                    break;
            }
            checkInvariants(step);
            if (QTest::currentTestFailed()) {
                QFAIL(qPrintable(QStringLiteral("at step %1").arg(step)));
            }
            if (step % 100 == 0) {
                QVERIFY(!view().grab().isNull());
            }
        }
        QVERIFY(m_model.deals > 100);
    }
};

QTEST_MAIN(TestRandomRun)
#include "tst_random_run.moc"
