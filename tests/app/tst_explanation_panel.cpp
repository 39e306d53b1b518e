// The 解説 panel in the window: its rows after an answer, worked out here again from the
// problem, its place beside the form, and what the window is with the panel off.
#include <algorithm>

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
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
#include "tests/quiz/seeded_draws.h"
#include "tests/support/hand_strings.h"
#include "window_fixture.h"

using namespace zelkon;

namespace {

struct ExpectedRow {
    TileNumber number;
    RowSign sign;
    int readings;  // distinct readings of a wait; -1 where it does not apply
    bool fifthCopy;
};

// Readings told apart by the tiles each role takes, counted per number, and the wait shape.
int DistinctReadings(const Hand14& won, const DecompositionTable& table, std::int32_t count) {
    QSet<QString> seen;
    for (std::int32_t i = 0; i < count; ++i) {
        const Decomposition& record = table[static_cast<std::size_t>(i)];
        QStringList parts{QString::number(static_cast<int>(record.waitShape))};
        for (std::size_t p = 0; p < won.size(); ++p) {
            const TileRole role = record.roles[p];
            if (role != TileRole::RunMiddle && role != TileRole::RunHigh) {
                parts << QStringLiteral("%1:%2").arg(won[p]).arg(
                    role == TileRole::SevenPairsPair ? 5 : static_cast<int>(role));
            }
        }
        parts.sort();
        seen.insert(parts.join(QLatin1Char(' ')));
    }
    return static_cast<int>(seen.size());
}

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
            row.readings = DistinctReadings(fourteen, table, count);
        } else if (picked) {
            row.sign = RowSign::Cross;
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

class TestExplanationPanel : public QObject, test::WindowFixture {
    Q_OBJECT

private:
    QAction& explain() { return *frame().action(ID_PRACTICE_EXPLAIN); }

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
    void cleanup() { stop(); }

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
                QCOMPARE(row.shown, why.distinct[static_cast<std::size_t>(why.bestDistinct)]);
                QVERIFY(row.waitText.endsWith(QStringLiteral("を待つ")));
                QVERIFY(row.verdict.startsWith(row.sign == RowSign::Circle
                                                   ? QStringLiteral("正解：")
                                                   : QStringLiteral("見逃し：")));
            } else if (why.verdict == Verdict::FifthCopy) {
                QVERIFY(row.verdict.startsWith(QStringLiteral("待ちではない：手に4枚（")));
                QCOMPARE(row.shown >= 0, why.readingCount > 0);
            } else {
                QCOMPARE(why.verdict, Verdict::NoReading);
                QCOMPARE(
                    row.verdict,
                    QStringLiteral("待ちではない：どう分けても%1枚余る").arg(why.leftoverCount));
                QCOMPARE(row.shown, -1);
            }
            QCOMPARE(panel.otherReadingsLink(static_cast<int>(i)) == nullptr, row.others == 0);
            // The verdict is drawn whole, on as many lines as it needs.
            const QRect verdict = panel.verdictRect(static_cast<int>(i));
            QVERIFY(verdict.right() < panel.rowsWidget().width());
            QVERIFY(
                QFontMetrics(panel.rowsWidget().font())
                    .boundingRect(QRect(0, 0, verdict.width(), 1000), Qt::TextWordWrap, row.verdict)
                    .height() <= verdict.height());
        }
        // The next question takes every row away before anything of it is answered.
        QTest::keyClick(&view(), Qt::Key_Return);
        QVERIFY(panel.rows().empty());
    }

    void summaryFirstThenTheWaitAsItStandsInTheHand_data() {
        QTest::addColumn<QString>("hand");
        QTest::addColumn<QString>("picks");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QStringList>("verdicts");
        QTest::addColumn<QStringList>("waitTexts");
        // A fifth 6 read 24 ways is three readings; the 4 completes 5-6 from below.
        QTest::newRow("fifth copies and waits")
            << "5555666677778"
            << "48"
            << "待ち3種：4・8・9　見逃し：9"
            << QStringList{QStringLiteral("正解：両面待ち　タンヤオ（1翻）"),
                           QStringLiteral("待ちではない：手に4枚（形だけなら単騎待ち）"),
                           QStringLiteral("待ちではない：手に4枚（形だけなら嵌張待ち）"),
                           QStringLiteral("待ちではない：手に4枚（形だけなら両面待ち）"),
                           QStringLiteral("正解：両面待ち　平和・タンヤオ・二盃口（5翻）"),
                           QStringLiteral("見逃し：両面待ち　役なし")}
            << QStringList{QStringLiteral("が4・7を待つ"),
                           QString(),
                           QString(),
                           QString(),
                           QStringLiteral("が5・8を待つ"),
                           QStringLiteral("が6・9を待つ")};
        // No wait and no pick: the summary says so and the fifth copies still show.
        QTest::newRow("no wait, no picks")
            << "1111222244557"
            << ""
            << "聴牌していません"
            << QStringList{QStringLiteral(
                               "待ちではない：手に4枚（5枚目があっても和了形にならない）"),
                           QStringLiteral(
                               "待ちではない：手に4枚（5枚目があっても和了形にならない）")}
            << QStringList{QString(), QString()};
        QTest::newRow("no wait, a wrong pick")
            << "1111222244557"
            << "3"
            << "聴牌していません　待ちでない牌の選択：3"
            << QStringList{QStringLiteral(
                               "待ちではない：手に4枚（5枚目があっても和了形にならない）"),
                           QStringLiteral(
                               "待ちではない：手に4枚（5枚目があっても和了形にならない）"),
                           QStringLiteral("待ちではない：どう分けても3枚余る")}
            << QStringList{QString(), QString(), QString()};
        // Nine gates is 役満, not 13翻; 1 completes 2-3, the later of two readings.
        QTest::newRow("every wait right")
            << "1112345678999"
            << "123456789"
            << "待ち9種：1・2・3・4・5・6・7・8・9　完全正解"
            << QStringList{QStringLiteral("正解：両面待ち　九連宝燈（役満）")}
            << QStringList{QStringLiteral("が1・4を待つ")};
        // A dual pair wait names both pairs' numbers.
        QTest::newRow("dual pair")
            << "1113335557799"
            << "7"
            << "待ち2種：7・9　見逃し：9"
            << QStringList{QStringLiteral("正解：双碰待ち　トイトイ・三暗刻（4翻）")}
            << QStringList{QStringLiteral("が7・9を待つ")};
    }
    void summaryFirstThenTheWaitAsItStandsInTheHand() {
        QFETCH(QString, hand);
        QFETCH(QString, picks);
        QFETCH(QString, summary);
        QFETCH(QStringList, verdicts);
        QFETCH(QStringList, waitTexts);
        explain().trigger();
        ExplanationPanel& panel = frame().explanationPanel();
        QVERIFY(!panel.answerShown());
        answer(hand.toLatin1().constData(), picks.toLatin1().constData());
        QVERIFY(panel.answerShown());
        QCOMPARE(panel.headerLines().value(0), summary);
        QVERIFY(panel.rows().size() >= static_cast<std::size_t>(verdicts.size()));
        for (qsizetype i = 0; i < verdicts.size(); ++i) {
            QCOMPARE(panel.rows()[static_cast<std::size_t>(i)].verdict, verdicts[i]);
            QCOMPARE(panel.rows()[static_cast<std::size_t>(i)].waitText, waitTexts[i]);
        }
    }

    void tilesAreLargeAndNumberedAtRatioOne() {
        frame().action(ID_SUIT_SOUZU)->trigger();
        explain().trigger();
        answer("4445556668889", "");
        ExplanationPanel& panel = frame().explanationPanel();
        const QRect tile = panel.firstTileRect(0);
        QVERIFY2(tile.width() >= 20 && tile.height() >= 36,
                 qPrintable(QStringLiteral("%1 x %2").arg(tile.width()).arg(tile.height())));
        // Under each tile its number, in the text colour, on the panel's background.
        const QImage image =
            panel.rowsWidget().grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect label(tile.left(), tile.bottom() + 2, tile.width(), 10);
        int ink = 0;
        for (int y = label.top(); y <= label.bottom(); ++y) {
            for (int x = label.left(); x <= label.right(); ++x) {
                ink += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
            }
        }
        QVERIFY2(ink >= 5, qPrintable(QString::number(ink)));
    }

    void windowGrowsWithTheRowsWithinTheScreen() {
        explain().trigger();
        const QRect form = view().geometry();
        const QSize open(450 + ExplanationPanel::kWidth, 341);
        QCOMPARE(frame().size(), open);
        answer("1112345678999", "");
        ExplanationPanel& panel = frame().explanationPanel();
        const int available = frame().screen()->availableGeometry().height();
        QVERIFY(frame().height() > open.height());
        QVERIFY(frame().frameGeometry().height() <= available);
        QCOMPARE(frame().minimumSize(), frame().maximumSize());
        QCOMPARE(view().geometry(), form);
        QCOMPARE(panel.geometry(), QRect(form.right() + 1, form.top(), ExplanationPanel::kWidth,
                                         frame().height() - form.top()));
        // Nine rows need more than the screen: the panel scrolls the rest.
        QVERIFY(panel.wantedHeight() > panel.height());
        QVERIFY(panel.scrollArea().verticalScrollBar()->isVisible());
        // A short explanation takes less; the next question gives back the form's height.
        QTest::keyClick(&view(), Qt::Key_Return);
        QCOMPARE(frame().size(), open);
        answer("2233445566778", "9");
        QVERIFY(frame().height() > open.height());
        QCOMPARE(panel.height(), panel.wantedHeight());
        explain().trigger();
        QCOMPARE(frame().size(), QSize(450, 341));
        QCOMPARE(view().geometry(), form);
    }

    void otherReadingsOpenAndCloseOnAClick() {
        explain().trigger();
        answer("1112345678999", "");
        ExplanationPanel& panel = frame().explanationPanel();
        QVERIFY(panel.rows().front().others > 0);
        QWidget& rows = panel.rowsWidget();
        const int closedHeight = rows.minimumHeight();
        QAbstractButton* link = panel.otherReadingsLink(0);
        QVERIFY(rows.rect().contains(link->geometry()));
        QCOMPARE(link->text(), QStringLiteral("ほかの読み方（%1）").arg(panel.rows()[0].others));
        QTest::mouseClick(link, Qt::LeftButton);
        QVERIFY(panel.rows().front().expanded);
        QVERIFY(rows.minimumHeight() > closedHeight);
        QVERIFY(!panel.rows()[1].expanded);
        QTest::mouseClick(&rows, Qt::LeftButton, {}, link->geometry().center());
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
        stop();
        QCOMPARE(m_settings.files(), QStringList());
        start();

        explain().trigger();
        QCOMPARE(m_settings.files(), QStringList{QStringLiteral("zelkon/zelkon.conf")});
        stop();
        start();
        QVERIFY(explain().isChecked());
        QVERIFY(frame().explanationPanelOpen());
        QCOMPARE(frame().size(), QSize(450 + ExplanationPanel::kWidth, 341));
        // Suit and sort start at their defaults on every run all the same.
        QCOMPARE(frame().suitMode(), 3);
        QCOMPARE(static_cast<int>(frame().sortMode()), 1);

        explain().trigger();
        stop();
        start();
        QVERIFY(!explain().isChecked());
        QCOMPARE(frame().size(), QSize(450, 341));
    }

    void settingsReadAsQtWritesThem_data() {
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("open");
        QTest::newRow("true") << "true" << true;
        QTest::newRow("1") << "1" << true;
        QTest::newRow("TRUE") << "TRUE" << true;
        QTest::newRow("false") << "false" << false;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("no bool") << "yes" << false;
    }
    void settingsReadAsQtWritesThem() {
        stop();
        QDir(m_settings.path()).mkpath(QStringLiteral("zelkon"));
        QFile file(m_settings.path() + QStringLiteral("/zelkon/zelkon.conf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QFETCH(QString, written);
        file.write(QStringLiteral("[practice]\nexplain=%1\n").arg(written).toUtf8());
        file.close();
        start();
        QFETCH(bool, open);
        QCOMPARE(explain().isChecked(), open);
        QCOMPARE(frame().explanationPanelOpen(), open);
        // Choosing what the file says already is no change and writes nothing.
        QSignalSpy changed(&frame().practiceSettings(), &PracticeSettings::changed);
        frame().practiceSettings().setBool(QString::fromLatin1(kExplainKey), open);
        QCOMPARE(changed.count(), written == QStringLiteral("yes") ? 1 : 0);
    }

    void settingsKeepOtherFeaturesValues() {
        PracticeSettings& settings = frame().practiceSettings();
        QSignalSpy changed(&settings, &PracticeSettings::changed);
        QCOMPARE(settings.intValue(QStringLiteral("practice/band"), 7), 7);
        settings.setInt(QStringLiteral("practice/band"), 2);
        settings.setInt(QStringLiteral("practice/band"), 2);
        QCOMPARE(changed.count(), 1);
        QVERIFY(settings.storageOk());
        stop();
        start();
        QCOMPARE(frame().practiceSettings().intValue(QStringLiteral("practice/band"), 7), 2);
        QVERIFY(!frame().practiceSettings().boolValue(QString::fromLatin1(kExplainKey), false));
    }
};

QTEST_MAIN(TestExplanationPanel)
#include "tst_explanation_panel.moc"
