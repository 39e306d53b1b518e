// Short hands, families, the ladder and hints in the window: the 出題 items and their settings,
// a short hand on the board (pixels, keys), the panel's core line, the H key and the ヒント button.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "analysis/tile_hand.h"
#include "app/command_ids.h"
#include "app/main_frame.h"
#include "app/practice_runs.h"
#include "app/zelkon_app.h"
#include "quiz/explanation_panel.h"
#include "quiz/zelkon_view.h"
#include "res/tile_art.h"
#include "tests/quiz/seeded_draws.h"
#include "tests/support/hand_strings.h"
#include "window_fixture.h"

using namespace zelkon;

namespace {

QStringList Texts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* a : menu->actions()) {
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    return texts;
}

}  // namespace

class TestShortHands : public QObject, test::WindowFixture {
    Q_OBJECT

private:
    PracticeRuns& runs() { return *frame().practiceRuns(); }
    const QuizLogic& quiz() { return view().quiz(); }
    QAction& hint() { return *frame().action(ID_PRACTICE_HINT); }

    // Picks exactly the waits, by keys, and answers.
    void answerRight() {
        for (TileNumber n = 1; n <= 9; ++n) {
            if (quiz().isWait(n)) {
                press(static_cast<Qt::Key>(Qt::Key_0 + n));
            }
        }
        press(Qt::Key_Return);
        QVERIFY(quiz().answered());
        QVERIFY(quiz().fullyRight());
    }

private slots:
    void init() {
        m_settings.wipe();
        test::UseSeededDraws(314);
        start();
    }
    void cleanup() { stop(); }

    void itemsStandAfterTheBandsAndKeepTheirSettingsFromTheFirstChange() {
        const QStringList deal = Texts(runs().dealMenu());
        QCOMPARE(deal.mid(deal.indexOf(QStringLiteral("苦手な形(&W)"))),
                 (QStringList{QStringLiteral("苦手な形(&W)"), QStringLiteral("-"),
                              QStringLiteral("枚数(&N)"), QStringLiteral("形(&F)"),
                              QStringLiteral("段階練習(&L)")}));
        QCOMPARE(Texts(runs().sizeMenu()),
                 (QStringList{QStringLiteral("4枚"), QStringLiteral("7枚"), QStringLiteral("10枚"),
                              QStringLiteral("13枚")}));
        QVERIFY(runs().sizeAction(3)->isChecked());
        const QStringList forms = Texts(runs().familyMenu());
        QCOMPARE(forms.size(), kFamilyCount + 1);
        QCOMPARE(forms.first(), QStringLiteral("すべての形"));
        QCOMPARE(forms.at(8), QStringLiteral("竜巻"));
        QVERIFY(runs().familyAction(0)->isChecked());
        QVERIFY(!runs().ladderAction()->isChecked());
        const QStringList practice = Texts(frame().practiceMenu());
        QCOMPARE(practice.mid(0, 3),
                 (QStringList{QStringLiteral("解説を表示(&E)"), QStringLiteral("ヒント(&H)"),
                              QStringLiteral("-")}));
        QCOMPARE(hint().shortcut(), QKeySequence(Qt::Key_H));
        QVERIFY(!hint().isEnabled());

        // The checked items again are no change; the defaults write nothing.
        runs().sizeAction(3)->trigger();
        runs().familyAction(0)->trigger();
        QCOMPARE(m_settings.files(), QStringList());
        QCOMPARE(runs().statusText(), QStringLiteral("出題：すべての手"));

        runs().sizeAction(1)->trigger();
        QCOMPARE(m_settings.files(), QStringList{QStringLiteral("zelkon/zelkon.conf")});
        QCOMPARE(runs().statusText(), QStringLiteral("出題：7枚"));
        runs().familyAction(FamilyIndexOf("happou") + 1)->trigger();
        QCOMPARE(runs().statusText(), QStringLiteral("出題：8面張　10枚"));
        runs().ladderAction()->trigger();
        QVERIFY(!runs().sizeMenu()->isEnabled());
        QCOMPARE(runs().statusText(), QStringLiteral("段階練習：8面張　10枚"));

        // A new run starts as this one was left.
        stop();
        start();
        QVERIFY(runs().sizeAction(1)->isChecked());
        QVERIFY(runs().familyAction(FamilyIndexOf("happou") + 1)->isChecked());
        QVERIFY(runs().ladderAction()->isChecked());
        frame().OnFileReset();
        QCOMPARE(quiz().tileCount(), 10);
        QCOMPARE(runs().dealer().lastFamily(), FamilyIndexOf("happou"));
    }

    void aShortHandStandsCentredAtTheUsualSizeAndTakesTheKeys() {
        runs().sizeAction(0)->trigger();
        frame().OnFileReset();
        QCOMPARE(quiz().tileCount(), 4);
        const QImage image = view().grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QPixmap tile =
            LoadTileBitmap(TileBitmapId(quiz().displayTile(0), quiz().suitKind()), 1);
        // The tile row's span of non-board pixels, halfway down the tiles.
        const int y = kTileRowY + tile.height() / 2;
        int left = -1;
        int right = -1;
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xffffff) != (kBoardColor & 0xffffff)) {
                left = left < 0 ? x : left;
                right = x;
            }
        }
        QCOMPARE(right - left + 1, 4 * tile.width());
        QVERIFY2(qAbs(left - (image.width() - 1 - right)) <= 1,
                 qPrintable(QStringLiteral("%1 %2").arg(left).arg(right)));
        const QImage first = image.copy(left, kTileRowY, tile.width(), tile.height());
        QCOMPARE(first, tile.toImage().convertToFormat(QImage::Format_RGB32));

        frame().setFocus();
        press(Qt::Key_1);
        QVERIFY(quiz().selected(1));
        press(Qt::Key_1);
        answerRight();
        QVERIFY(
            view().answerBox().toPlainText().startsWith(QStringLiteral("＜待ち牌と複合役＞\n  [")));
        QVERIFY(!view().answerBox().toPlainText().contains(QStringLiteral("なし")));
        press(Qt::Key_Return);
        QVERIFY(!quiz().answered());
        QCOMPARE(quiz().tileCount(), 4);
    }

    void thePanelNamesTheSmallestCoreOfEachAnsweredHand() {
        frame().action(ID_PRACTICE_EXPLAIN)->trigger();
        QVERIFY(view().LoadTiles(tests::TilesOf("3334555")));
        press(Qt::Key_Return);
        QCOMPARE(panel().headerLines().value(1), QStringLiteral("残りは竜巻の形"));
        for (const ExplanationRow& row : panel().rows()) {
            QVERIFY2(!row.verdict.contains(QStringLiteral("役")), qPrintable(row.verdict));
        }
        QVERIFY(view().LoadTiles(tests::TilesOf("1233344555789")));
        press(Qt::Key_Return);
        QCOMPARE(panel().headerLines().value(1),
                 QStringLiteral("123・789を外すと、残りは3344555　残りは連続4面の形"));
    }

    void hintsComeOneAPressOnlyWhileThePanelIsOpenAndTheQuestionUnanswered() {
        QVERIFY(view().LoadTiles(tests::TilesOf("1233344555789")));
        const QImage board = view().grab().toImage();
        frame().setFocus();
        press(Qt::Key_H);
        QCOMPARE(quiz().hintsUsed(), 0);

        frame().action(ID_PRACTICE_EXPLAIN)->trigger();
        QVERIFY(hint().isEnabled());
        QVERIFY(panel().hintButton().isEnabled());
        QCOMPARE(panel().handCopyRect(), QRect());
        press(Qt::Key_H);
        QCOMPARE(panel().hintLines(), QStringList{QStringLiteral("4種待ち")});
        QTest::mouseClick(&panel().hintButton(), Qt::LeftButton);
        QCOMPARE(quiz().hintsUsed(), 2);
        QCOMPARE(panel().hintLines().value(1), QStringLiteral("123・789を外すと、残りは3344555"));
        QVERIFY(panel().handCopyRect().isValid());
        // Hints show in the panel only: the board stays as it was.
        QCOMPARE(view().grab().toImage(), board);
        // The button keeps no focus: the keys stay with the quiz.
        press(Qt::Key_2);
        QVERIFY(quiz().selected(2));
        for (int i = 0; i < 6; ++i) {
            press(Qt::Key_H);
        }
        QCOMPARE(quiz().hintsUsed(), 6);
        QCOMPARE(panel().hintLines().size(), 6);
        QVERIFY(!hint().isEnabled());
        press(Qt::Key_2);
        press(Qt::Key_Return);
        // After the answer the hints stay as words above the rows; no more come.
        QVERIFY(!hint().isEnabled());
        QVERIFY(!panel().hintButton().isEnabled());
        QVERIFY(panel().headerLines().contains(QStringLiteral("4種待ち")));
        press(Qt::Key_H);
        QCOMPARE(quiz().hintsUsed(), 6);

        // A new question starts without hints; a timed run allows none.
        press(Qt::Key_Return);
        QVERIFY(panel().hintLines().isEmpty());
        QVERIFY(hint().isEnabled());
        runs().timedRunAction()->trigger();
        QVERIFY(runs().timedRun().running());
        QVERIFY(!hint().isEnabled());
        press(Qt::Key_H);
        QCOMPARE(quiz().hintsUsed(), 0);
        // Closing the panel takes the key away again.
        runs().timedRun().setConfirm([] { return true; });
        runs().timedRun().confirmAbandon();
        frame().action(ID_PRACTICE_EXPLAIN)->trigger();
        QVERIFY(!hint().isEnabled());
    }

    void theLadderClimbsAfterThreeFullyRightAnswersAndSaysWhereItStands() {
        frame().action(ID_PRACTICE_EXPLAIN)->trigger();
        runs().familyAction(FamilyIndexOf("tatsumaki") + 1)->trigger();
        runs().ladderAction()->trigger();
        QCOMPARE(panel().statusLine(), QStringLiteral("段階練習：竜巻　7枚"));
        frame().OnFileReset();
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(quiz().tileCount(), 7);
            answerRight();
            press(Qt::Key_Return);
        }
        QCOMPARE(panel().statusLine(), QStringLiteral("段階練習：竜巻　10枚"));
        QCOMPARE(quiz().tileCount(), 10);
        // A hand loaded past the ladder is none of its problems.
        QVERIFY(view().LoadTiles(tests::TilesOf("2345")));
        press(Qt::Key_Return);
        press(Qt::Key_Return);
        press(Qt::Key_Return);
        press(Qt::Key_Return);
        QCOMPARE(panel().statusLine(), QStringLiteral("段階練習：竜巻　10枚"));
    }
};

QTEST_MAIN(TestShortHands)
#include "tst_short_hands.moc"
