// The 解説 panel in the window: its rows after an answer, worked out here again from the
// problem, its place beside the form, and what the window is with the panel off.
#include <algorithm>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

#include "analysis/pattern_table.h"
#include "app/command_ids.h"
#include "app/main_frame.h"
#include "app/practice_settings.h"
#include "app/zelkon_app.h"
#include "quiz/explanation_panel.h"
#include "quiz/zelkon_view.h"
#include "res/tile_art.h"
#include "temp_settings.h"
#include "tests/quiz/seeded_draws.h"
#include "tests/support/hand_strings.h"

using namespace zelkon;

namespace {

struct ExpectedRow {
    TileNumber number;
    RowSign sign;
    int readings;  // of a wait, as the scoring counts them; -1 where it does not apply
    bool fifthCopy;
};

// Which numbers get a row and with what sign, from the problem's waits, the tiles in hand and
// the picks alone.
std::vector<ExpectedRow> ExpectedRows(const QuizLogic& quiz) {
    const Problem& problem = quiz.problem();
    std::vector<ExpectedRow> rows;
    for (TileNumber n = 1; n <= 9; ++n) {
        const bool wait = problem.isWait[static_cast<std::size_t>(n)] == 1;
        const bool picked = quiz.selected(n);
        const auto copies = std::count(problem.sortedHand.begin(), problem.sortedHand.end(), n);
        if (!wait && !picked && copies < 4) {
            continue;
        }
        ExpectedRow row{n, RowSign::Neutral, -1, copies == 4};
        if (wait) {
            row.sign = picked ? RowSign::Circle : RowSign::Cross;
            Hand14 fourteen{};
            std::copy(problem.sortedHand.begin(), problem.sortedHand.end(), fourteen.begin());
            fourteen[13] = n;
            SortHand(fourteen);
            DecompositionTable table{};
            std::int32_t count = 0;
            EvaluateReadings(fourteen, n, table, count);
            row.readings = count;
        } else if (picked) {
            row.sign = RowSign::Cross;
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

class TestExplanationPanel : public QObject {
    Q_OBJECT

private:
    test::TemporarySettings m_settings;
    std::unique_ptr<CZelkonApp> m_app;

    CMainFrame& frame() { return *m_app->mainFrame(); }
    CZelkonView& view() { return *frame().GetActiveView(); }
    QAction& explain() { return *frame().action(ID_PRACTICE_EXPLAIN); }

    void start() {
        m_app = std::make_unique<CZelkonApp>();
        QVERIFY(m_app->InitInstance());
        QVERIFY(QTest::qWaitForWindowExposed(&frame()));
    }

    void answer(const char* hand, const char* picks) {
        view().LoadProblem(tests::Hand13Of(hand));
        for (const char* p = picks; *p != '\0'; ++p) {
            QTest::keyClick(&view(), static_cast<char>(*p));
        }
        QTest::keyClick(&view(), Qt::Key_Return);
        QVERIFY(view().quiz().answered());
    }

private slots:
    void init() {
        test::UseSeededDraws(2024);
        m_settings.wipe();
        start();
    }
    void cleanup() { m_app.reset(); }

    void menuSitsBetweenSettingsAndHelpWithTheItemOff() {
        const QList<QAction*> top = frame().menuBar()->actions();
        QCOMPARE(top.size(), 4);
        QCOMPARE(top[2]->text(), QStringLiteral("練習(&P)"));
        QCOMPARE(top[2]->menu(), frame().practiceMenu());
        QCOMPARE(frame().practiceMenu()->actions().first(), &explain());
        QCOMPARE(explain().text(), QStringLiteral("解説を表示(&E)"));
        QVERIFY(explain().isCheckable());
        QVERIFY(!explain().isChecked());
        QVERIFY(explain().shortcut().isEmpty());
    }

    void rowsAfterAnAnswer_data() {
        QTest::addColumn<QString>("hand");
        QTest::addColumn<QString>("picks");
        QTest::newRow("no picks, three waits") << "2233445566778"
                                               << "";
        QTest::newRow("all picks, three waits") << "2233445566778"
                                                << "123456789";
        QTest::newRow("all picks, nine gates") << "1112345678999"
                                               << "123456789";
        QTest::newRow("fifth copy complete in shape, picked") << "1111234567789"
                                                              << "14";
        QTest::newRow("fifth copy complete in shape, not picked") << "1111234567789"
                                                                  << "7";
        QTest::newRow("fifth copy not complete, picked") << "1111245678999"
                                                         << "1";
        QTest::newRow("fifth copy not complete, not picked") << "1111245678999"
                                                             << "";
        QTest::newRow("wrong picks only") << "1111245678999"
                                          << "2589";
    }
    void rowsAfterAnAnswer() {
        QFETCH(QString, hand);
        QFETCH(QString, picks);
        explain().trigger();
        ExplanationPanel& panel = frame().explanationPanel();
        QVERIFY(panel.rows().empty());
        answer(hand.toLatin1().constData(), picks.toLatin1().constData());

        const std::vector<ExpectedRow> expected = ExpectedRows(view().quiz());
        QCOMPARE(panel.rows().size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const ExplanationRow& row = panel.rows()[i];
            const NumberExplanation& why =
                panel.explanation().numbers[static_cast<std::size_t>(row.number)];
            QCOMPARE(row.number, expected[i].number);
            QCOMPARE(row.sign, expected[i].sign);
            QCOMPARE(why.verdict == Verdict::FifthCopy, expected[i].fifthCopy);
            QVERIFY(!row.verdict.isEmpty());
            QVERIFY(!row.expanded);
            if (expected[i].readings >= 0) {
                QCOMPARE(why.verdict, Verdict::Wait);
                QCOMPARE(row.others, expected[i].readings - 1);
                QCOMPARE(row.shown, why.best);
                QVERIFY(row.verdict.startsWith(row.sign == RowSign::Circle
                                                   ? QStringLiteral("正解：")
                                                   : QStringLiteral("見逃し：")));
            } else if (why.verdict == Verdict::FifthCopy) {
                QVERIFY(row.verdict.startsWith(QStringLiteral("5枚目はない")));
                QCOMPARE(row.shown >= 0, why.readingCount > 0);
            } else {
                QCOMPARE(why.verdict, Verdict::NoReading);
                QCOMPARE(row.verdict,
                         QStringLiteral("待ちではない：%1枚余る").arg(why.leftoverCount));
                QCOMPARE(row.shown, -1);
            }
            QCOMPARE(panel.otherReadingsLink(static_cast<int>(i)).isEmpty(), row.others == 0);
        }
        // The next question takes every row away before anything of it is answered.
        QTest::keyClick(&view(), Qt::Key_Return);
        QVERIFY(panel.rows().empty());
    }

    void otherReadingsOpenAndCloseOnAClick() {
        explain().trigger();
        answer("1112345678999", "");
        ExplanationPanel& panel = frame().explanationPanel();
        QVERIFY(panel.rows().front().others > 0);
        QWidget& rows = panel.rowsWidget();
        const int closedHeight = rows.minimumHeight();
        const QRect link = panel.otherReadingsLink(0);
        QVERIFY(rows.rect().contains(link));
        QTest::mouseClick(&rows, Qt::LeftButton, {}, link.center());
        QVERIFY(panel.rows().front().expanded);
        QVERIFY(rows.minimumHeight() > closedHeight);
        QVERIFY(!panel.rows()[1].expanded);
        QTest::mouseClick(&rows, Qt::LeftButton, {}, panel.otherReadingsLink(0).center());
        QVERIFY(!panel.rows().front().expanded);
        QCOMPARE(rows.minimumHeight(), closedHeight);
    }

    void panelWidensTheWindowAndOffGivesItBack() {
        const QSize plain = frame().size();
        QCOMPARE(plain, QSize(450, 341));
        const QRect form = view().geometry();
        for (int round = 0; round < 2; ++round) {
            explain().trigger();
            QVERIFY(frame().explanationPanelOpen());
            QCOMPARE(frame().size(),
                     QSize(plain.width() + ExplanationPanel::kWidth, plain.height()));
            QCOMPARE(frame().minimumSize(), frame().maximumSize());
            QCOMPARE(view().geometry(), form);
            const QRect panel = frame().explanationPanel().geometry();
            QCOMPARE(panel,
                     QRect(form.right() + 1, form.top(), ExplanationPanel::kWidth, form.height()));
            explain().trigger();
            QVERIFY(!frame().explanationPanelOpen());
            QCOMPARE(frame().size(), plain);
            QCOMPARE(view().geometry(), form);
            QVERIFY(!frame().explanationPanel().isVisible());
        }
    }

    void formPixelsStayTheSameWithThePanelOn() {
        answer("2233445566778", "25");
        const QImage off = frame().grab(view().geometry()).toImage();
        explain().trigger();
        QTest::qWait(0);
        QCOMPARE(frame().grab(view().geometry()).toImage(), off);
        QCOMPARE(frame().explanationPanel().rows().size(), std::size_t{3});
    }

    void panelOffDoesNoWorkForIt() {
        answer("2233445566778", "5");
        QVERIFY(frame().findChild<ExplanationPanel*>() == nullptr);
        explain().trigger();
        explain().trigger();
        // Closed again, neither a new question nor an answer reaches it.
        const ExplanationPanel& panel = frame().explanationPanel();
        const std::size_t rows = panel.rows().size();
        QTest::keyClick(&view(), Qt::Key_Return);
        answer("1112345678999", "1");
        QCOMPARE(panel.rows().size(), rows);
        QCOMPARE(panel.explanation().hand, tests::Hand13Of("2233445566778"));
    }

    void openingOnAnAnsweredQuestionExplainsIt() {
        answer("1111234567789", "");
        explain().trigger();
        QCOMPARE(frame().explanationPanel().rows().size(), std::size_t{3});
    }

    void statusLineShowsOnlyWithText() {
        explain().trigger();
        ExplanationPanel& panel = frame().explanationPanel();
        // The frame fills the line with the way of dealing; start from none.
        panel.setStatusLine(QString());
        QTest::qWait(0);
        const int top = panel.rowsWidget().mapTo(&panel, QPoint(0, 0)).y();
        panel.setStatusLine(QStringLiteral("3 / 10  0:42.1"));
        QCOMPARE(panel.statusLine(), QStringLiteral("3 / 10  0:42.1"));
        QTRY_VERIFY(panel.rowsWidget().mapTo(&panel, QPoint(0, 0)).y() > top);
        panel.setStatusLine(QString());
        QTRY_COMPARE(panel.rowsWidget().mapTo(&panel, QPoint(0, 0)).y(), top);
    }

    void tilesFollowTheSuitCrispAtTheRatio_data() {
        QTest::addColumn<int>("suitCommand");
        QTest::addColumn<int>("suit");
        QTest::newRow("マンズ") << ID_SUIT_MANZU << kSuitManzu;
        QTest::newRow("ピンズ") << ID_SUIT_PINZU << kSuitPinzu;
        QTest::newRow("ソウズ") << ID_SUIT_SOUZU << kSuitSouzu;
    }
    void tilesFollowTheSuitCrispAtTheRatio() {
        QFETCH(int, suitCommand);
        QFETCH(int, suit);
        frame().action(suitCommand)->trigger();
        explain().trigger();
        answer("2233445566778", "");
        ExplanationPanel& panel = frame().explanationPanel();
        QCOMPARE(panel.suit(), suit);
        const qreal ratio = panel.devicePixelRatioF();
        const QImage image =
            panel.rowsWidget().grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(image.devicePixelRatio(), ratio);
        // The best reading of 2 starts with its pair of 2s.
        const ExplanationRow& row = panel.rows().front();
        const ExplainedReading& best =
            panel.explanation().numbers[2].readings[static_cast<std::size_t>(row.shown)];
        const QPixmap tile = LoadTileBitmap(TileBitmapId(best.blocks[0].first, suit),
                                            ratio * ExplanationPanel::kTileScale);
        const QRect at = panel.firstTileRect(0);
        QCOMPARE(at.size(), tile.size());
        QImage drawn = image.copy(at);
        drawn.setDevicePixelRatio(1);
        QImage art = tile.toImage().convertToFormat(QImage::Format_RGB32);
        art.setDevicePixelRatio(1);
        QCOMPARE(drawn, art);
    }

    void settingIsWrittenOnlyOnceChangedAndThenRemembered() {
        // Answering, the suit and sort settings and the About box write nothing.
        answer("2233445566778", "25");
        frame().action(ID_SUIT_MANZU)->trigger();
        frame().action(ID_SORT_OFF)->trigger();
        QCOMPARE(m_settings.files(), QStringList());
        m_app.reset();
        QCOMPARE(m_settings.files(), QStringList());
        start();

        explain().trigger();
        QCOMPARE(m_settings.files(), QStringList{QStringLiteral("zelkon/zelkon.conf")});
        m_app.reset();
        start();
        QVERIFY(explain().isChecked());
        QVERIFY(frame().explanationPanelOpen());
        QCOMPARE(frame().size(), QSize(450 + ExplanationPanel::kWidth, 341));
        // Suit and sort start at their defaults on every run all the same.
        QCOMPARE(frame().suitMode(), 3);
        QCOMPARE(static_cast<int>(frame().sortMode()), 1);

        explain().trigger();
        m_app.reset();
        start();
        QVERIFY(!explain().isChecked());
        QCOMPARE(frame().size(), QSize(450, 341));
    }

    void settingsKeepOtherFeaturesValues() {
        PracticeSettings& settings = frame().practiceSettings();
        QSignalSpy changed(&settings, &PracticeSettings::changed);
        QCOMPARE(settings.intValue(QStringLiteral("practice/band"), 7), 7);
        settings.setInt(QStringLiteral("practice/band"), 2);
        settings.setInt(QStringLiteral("practice/band"), 2);
        QCOMPARE(changed.count(), 1);
        QVERIFY(settings.storageOk());
        m_app.reset();
        start();
        QCOMPARE(frame().practiceSettings().intValue(QStringLiteral("practice/band"), 7), 2);
        QVERIFY(!frame().practiceSettings().boolValue(QString::fromLatin1(kExplainKey), false));
    }
};

QTEST_MAIN(TestExplanationPanel)
#include "tst_explanation_panel.moc"
