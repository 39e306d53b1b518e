#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QGuiApplication>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>

#include "analysis/hand_notation.h"
#include "analysis/wait_finder.h"
#include "app/command_ids.h"
#include "app/hand_entry_dialog.h"
#include "app/main_frame.h"
#include "app/practice_runs.h"
#include "app/practice_settings.h"
#include "app/zelkon_app.h"
#include "cli/report.h"
#include "dealing/band_dealer.h"
#include "dealing/problem_dealer.h"
#include "quiz/explanation_panel.h"
#include "quiz/zelkon_view.h"
#include "tests/quiz/seeded_draws.h"
#include "window_fixture.h"

using namespace zelkon;
using namespace std::chrono_literals;

namespace {

struct FakeClock : RunClock {
    std::chrono::nanoseconds time = 1000s;
    std::chrono::nanoseconds now() const override { return time; }
};

int WaitCount(const Problem& p) {
    int waits = 0;
    for (std::size_t n = 1; n <= 9; ++n) {
        waits += p.isWait[n] != 0 ? 1 : 0;
    }
    return waits;
}

// The answer box's text as the command line reports the hand: each "[n]" line without its han.
std::string AnswerFromReport(const std::string& digits) {
    HandNotation hand;
    if (ParseHandNotation(digits, hand).code != HandFault::None) {
        return "unreadable " + digits;
    }
    const std::string report = waitsReport(hand);
    std::string answer = "＜待ち牌と複合役＞\r\n";
    std::size_t at = 0;
    while (at < report.size()) {
        const std::size_t end = report.find('\n', at);
        std::string line = report.substr(at, end - at);
        at = end == std::string::npos ? report.size() : end + 1;
        if (!line.starts_with("  [")) {
            continue;
        }
        line.erase(line.rfind(" ("));
        if (line.ends_with("なし ")) {
            line.pop_back();
        } else {
            line += ' ';
        }
        answer += line + "\r\n";
    }
    return answer;
}

QString Status(PracticeRuns& runs) {
    return runs.statusText();
}

}  // namespace

class TestPracticeRuns : public QObject, test::WindowFixture {
    Q_OBJECT

private:
    FakeClock m_clock;
    QString m_statusLine;
    int m_confirmations = 0;
    bool m_agree = false;

    PracticeRuns& runs() { return *frame().practiceRuns(); }
    QuizLogic const& quiz() { return view().quiz(); }

    void pick(TileNumber n) { QTest::mouseClick(&view().numberButton(n), Qt::LeftButton); }
    void ok() { QTest::mouseClick(&view().okButton(), Qt::LeftButton); }

    HandEntryDialog& openEntry() {
        runs().enterAction()->trigger();
        return *runs().entryDialog();
    }

    // Types text into a fresh entry dialog and accepts it.
    void enter(const QString& text) {
        HandEntryDialog& dialog = openEntry();
        dialog.edit().setText(text);
        QVERIFY2(dialog.okButton().isEnabled(), qPrintable(dialog.faultLabel().text()));
        QTest::mouseClick(&dialog.okButton(), Qt::LeftButton);
    }

private slots:
    void init() {
        m_settings.wipe();
        test::UseSeededDraws(4242);
        start();
        m_clock = FakeClock{};
        m_confirmations = 0;
        m_agree = false;
        runs().timedRun().setClock(m_clock);
        runs().timedRun().setConfirm([this] {
            ++m_confirmations;
            return m_agree;
        });
        m_statusLine = runs().statusText();
        connect(&runs(), &PracticeRuns::statusChanged, this,
                [this](const QString& text) { m_statusLine = text; });
    }
    void cleanup() { stop(); }

    void practiceItemsStandInOrderAndTakeNoKey() {
        QMenu* practice = frame().practiceMenu();
        QVERIFY(practice != nullptr);
        QStringList texts;
        for (const QAction* a : practice->actions()) {
            texts << a->text();
        }
        QVERIFY(texts.join(u'|').contains(
            QStringLiteral("出題(&D)|タイムアタック(&T)|問題を入力(&I)...|問題をコピー(&C)")));
        QStringList bands;
        // The sizes and forms after them are one-of groups of their own (tst_short_hands).
        for (const QAction* a : runs().dealGroup()->actions()) {
            bands << a->text();
            QCOMPARE(a->isChecked(), a == runs().bandAction(0));
        }
        QCOMPARE(bands,
                 (QStringList{QStringLiteral("すべての手(&A)"), QStringLiteral("待ち1〜2種(&1)"),
                              QStringLiteral("待ち3〜4種(&3)"), QStringLiteral("待ち5種以上(&5)"),
                              QStringLiteral("苦手な形(&W)")}));
        QVERIFY(runs().dealGroup()->isExclusive());
        QList<QMenu*> menus{practice};
        menus += practice->findChildren<QMenu*>();
        for (const QMenu* menu : menus) {
            for (const QAction* a : menu->actions()) {
                // H, no key of the quiz, is the one key: ヒント.
                QVERIFY2(a->shortcuts().isEmpty() || a == frame().action(ID_PRACTICE_HINT),
                         qPrintable(a->text()));
            }
        }
        // すべての手 is named too, so the panel's rows keep their place when the band changes.
        QCOMPARE(m_statusLine, QStringLiteral("出題：すべての手"));
    }

    void bandsFromTheMenuDealWithinTheBand_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("fewest");
        QTest::addColumn<int>("most");
        QTest::addColumn<QString>("status");
        QTest::newRow("1-2") << 1 << 1 << 2 << QStringLiteral("出題：待ち1〜2種");
        QTest::newRow("3-4") << 2 << 3 << 4 << QStringLiteral("出題：待ち3〜4種");
        QTest::newRow("5+") << 3 << 5 << 9 << QStringLiteral("出題：待ち5種以上");
    }
    void bandsFromTheMenuDealWithinTheBand() {
        QFETCH(int, index);
        QFETCH(int, fewest);
        QFETCH(int, most);
        QFETCH(QString, status);
        const Problem before = quiz().problem();
        int chosen = -1;
        connect(&runs(), &PracticeRuns::bandChosen, this, [&chosen](int i) { chosen = i; });
        runs().bandAction(0)->trigger();
        QCOMPARE(chosen, -1);
        runs().bandAction(index)->trigger();
        QCOMPARE(chosen, index);
        QCOMPARE(m_statusLine, status);
        // The problem on screen stays; the band applies from the next one.
        QCOMPARE(quiz().problem().dealOrder, before.dealOrder);
        for (int i = 0; i < 150; ++i) {
            if (i % 2 == 0) {
                frame().OnFileReset();
            } else {
                ok();
                ok();
            }
            const int waits = WaitCount(quiz().problem());
            QVERIFY2(waits >= fewest && waits <= most, qPrintable(QString::number(waits)));
            QCOMPARE(runs().dealer().lastDeal(), DealKind::Band);
        }
    }

    void bandIsRememberedFromTheFirstChange() {
        runs().bandAction(0)->trigger();
        frame().OnFileReset();
        QVERIFY(m_settings.files().isEmpty());
        runs().bandAction(3)->trigger();
        QVERIFY(!m_settings.files().isEmpty());

        stop();
        start();
        QVERIFY(runs().bandAction(3)->isChecked());
        frame().OnFileReset();
        QVERIFY(WaitCount(quiz().problem()) >= 5);
    }

    void panelNamesTheBandAndARunOpensIt() {
        runs().bandAction(1)->trigger();
        QVERIFY(!frame().explanationPanelOpen());
        const QSize plain = frame().size();
        m_clock.time = 1000s;
        runs().timedRun().setClock(m_clock);
        runs().timedRunAction()->trigger();
        QVERIFY(frame().explanationPanelOpen());
        QCOMPARE(frame().explanationPanel().statusLine(),
                 QStringLiteral("タイムアタック\u30001 / 10問\u30000:00.0"));
        m_agree = true;
        runs().timedRunAction()->trigger();
        // Opened for the run, closed after it: the window is the plain form again.
        QVERIFY(!frame().explanationPanelOpen());
        QCOMPARE(frame().size(), plain);

        // Finished, the run leaves the tenth answer explained until the next problem.
        runs().timedRunAction()->trigger();
        for (int k = 0; k < 10; ++k) {
            ok();
            if (k < 9) {
                ok();
            }
        }
        QVERIFY(!runs().timedRun().running());
        QVERIFY(frame().explanationPanelOpen());
        QVERIFY(!frame().explanationPanel().rows().empty());
        QTRY_VERIFY(runs().timedRun().resultDialog() != nullptr);
        runs().timedRun().resultDialog()->accept();
        ok();
        QVERIFY(!frame().explanationPanelOpen());
        QCOMPARE(frame().size(), plain);

        frame().action(ID_PRACTICE_EXPLAIN)->trigger();
        QCOMPARE(frame().explanationPanel().statusLine(), QStringLiteral("出題：待ち1〜2種"));
        runs().bandAction(0)->trigger();
        QCOMPARE(frame().explanationPanel().statusLine(), QStringLiteral("出題：すべての手"));
        runs().timedRunAction()->trigger();
        m_agree = true;
        runs().timedRunAction()->trigger();
        // The player's own panel stays open.
        QVERIFY(frame().explanationPanelOpen());
    }

    void allHandsDrawsExactlyAsThePlainQuiz() {
        runs().bandAction(3)->trigger();
        frame().OnFileReset();
        runs().bandAction(0)->trigger();
        frame().OnSuitPinzu();
        frame().OnSortOff();
        // The same draws fed to a plain quiz without any source give the same problems.
        test::UseSeededDraws(99);
        for (int i = 0; i < 30; ++i) {
            frame().OnFileReset();
        }
        const long draws = test::Draws().count;
        const Problem shown = quiz().problem();
        test::UseSeededDraws(99);
        QuizLogic plain;
        for (int i = 0; i < 30; ++i) {
            plain.NewProblem(1, 0);
        }
        QCOMPARE(test::Draws().count, draws);
        QCOMPARE(draws, 30L * kDealDraws);
        QCOMPARE(shown.dealOrder, plain.problem().dealOrder);
        QCOMPARE(shown.isWait, plain.problem().isWait);
        QCOMPARE(runs().dealer().lastDeal(), DealKind::Plain);
    }

    void dealerAsksForReviewFirstButNotInARun() {
        PracticeDealer& dealer = runs().dealer();
        int asked = 0;
        const Hand13 card{2, 3, 4, 5, 6, 7, 8, 8, 8, 9, 9, 9, 9};
        dealer.setDueCardHook([&asked, &card](Problem& p) {
            ++asked;
            if (asked > 2) {
                return false;
            }
            p.sortedHand = p.dealOrder = card;
            FindWaits(card, p);
            return true;
        });
        const long draws = test::Draws().count;
        frame().OnSuitManzu();
        frame().OnFileReset();
        QCOMPARE(dealer.lastDeal(), DealKind::Review);
        QCOMPARE(quiz().problem().sortedHand, card);
        QCOMPARE(test::Draws().count, draws);
        runs().timedRunAction()->trigger();
        QCOMPARE(asked, 1);
        QCOMPARE(dealer.lastDeal(), DealKind::TimedRun);
        m_agree = true;
        runs().timedRunAction()->trigger();
        frame().OnFileReset();
        QCOMPARE(asked, 2);
        QCOMPARE(dealer.lastDeal(), DealKind::Review);
        frame().OnFileReset();
        QCOMPARE(dealer.lastDeal(), DealKind::Plain);
        dealer.setDueCardHook({});
    }

    void weakShapesDealAmongTheHandsTheFilterKeeps() {
        PracticeDealer& dealer = runs().dealer();
        runs().bandAction(1)->trigger();
        // Hands holding no 5 at all: about one deal in five.
        const HandFilter noFive = [](const Hand13& hand, const void* context) {
            return std::count(hand.begin(), hand.end(), *static_cast<const int*>(context)) == 0;
        };
        static const int five = 5;
        dealer.setWeakShapes(noFive, &five);
        runs().setDealStatus(QStringLiteral("出題: 苦手な形（嵌張）"));
        QCOMPARE(m_statusLine, QStringLiteral("出題: 苦手な形（嵌張）"));
        runs().setExtraStatus(QStringLiteral("復習 3"));
        QCOMPARE(m_statusLine, QStringLiteral("出題: 苦手な形（嵌張）\u3000復習 3"));
        runs().timedRunAction()->trigger();
        QCOMPARE(m_statusLine, QStringLiteral("タイムアタック\u30001 / 10問\u30000:00.0"));
        m_agree = true;
        runs().timedRunAction()->trigger();
        runs().setExtraStatus(QString());
        for (int i = 0; i < 40; ++i) {
            frame().OnFileReset();
            QCOMPARE(dealer.lastDeal(), DealKind::WeakShapes);
            const Hand13& hand = quiz().problem().sortedHand;
            QCOMPARE(std::count(hand.begin(), hand.end(), 5), 0);
        }
        // A band item ends it.
        runs().bandAction(0)->trigger();
        QVERIFY(!dealer.weakShapes());
        QCOMPARE(m_statusLine, QStringLiteral("出題：すべての手"));
        frame().OnFileReset();
        QCOMPARE(dealer.lastDeal(), DealKind::Plain);
    }

    void runCountsOnlyAnsweredProblems() {
        // Straight on the run's logic: a problem replaced unanswered is not one of the ten, and
        // nothing counts before the first display or after the tenth answer.
        TimedRun run(m_clock);
        QuizLogic q;
        q.SetUp();
        run.Answered(q);
        QVERIFY(!run.running());
        run.Start();
        run.Answered(q);
        QCOMPARE(run.result().problems, 0);
        run.QuestionShown();
        run.QuestionShown();
        QCOMPARE(run.current(), 1);
        for (int k = 1; k <= 10; ++k) {
            m_clock.time += 1s;
            q.Answer();
            run.Answered(q);
            run.Answered(q);
            q.NewProblem(0, 1);
            run.QuestionShown();
        }
        QVERIFY(run.finished());
        QCOMPARE(run.result().problems, 10);
        QCOMPARE(run.result().time, std::chrono::nanoseconds(10s));
        m_clock.time += 5s;
        QCOMPARE(run.elapsed(), std::chrono::nanoseconds(10s));
        QCOMPARE(QString::fromStdString(run.StatusText()),
                 QStringLiteral("タイムアタック\u300010 / 10問\u30000:10.0"));
    }

    void runTimeIsCutToTenths_data() {
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64{0} << QStringLiteral("0:00.0");
        QTest::newRow("cut, not rounded") << qint64{42199} << QStringLiteral("0:42.1");
        QTest::newRow("just under a minute") << qint64{59999} << QStringLiteral("0:59.9");
        QTest::newRow("a minute") << qint64{60000} << QStringLiteral("1:00.0");
        QTest::newRow("an hour") << qint64{3600000} << QStringLiteral("60:00.0");
        QTest::newRow("clock went back") << qint64{-5} << QStringLiteral("0:00.0");
    }
    void runTimeIsCutToTenths() {
        QFETCH(qint64, ms);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(RunTimeText(std::chrono::milliseconds(ms))), text);
    }

    // The core words the run's line in both languages; the window shows it in its own.
    void runStatusFollowsTheWindowsLanguage() {
        runs().timedRunAction()->trigger();
        m_clock.time += std::chrono::milliseconds(42199);
        QCOMPARE(runs().statusText(), QStringLiteral("タイムアタック\u30001 / 10問\u30000:42.1"));
        frame().action(ID_LANGUAGE_ENGLISH)->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(runs().statusText(), QStringLiteral("Time attack  1 / 10  0:42.1"));
        frame().action(ID_LANGUAGE_JAPANESE)->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(runs().statusText(), QStringLiteral("タイムアタック\u30001 / 10問\u30000:42.1"));
    }

    void scriptedRunGivesItsFigures() {
        runs().bandAction(2)->trigger();
        runs().timedRunAction()->trigger();
        QVERIFY(runs().timedRun().running());
        QVERIFY(!runs().dealMenu()->isEnabled());
        QVERIFY(!runs().enterAction()->isEnabled());
        QCOMPARE(m_statusLine, QStringLiteral("タイムアタック\u30001 / 10問\u30000:00.0"));

        // Per problem: 'e' every wait, 'm' all but the lowest, 'x' waits and one more, '-' none.
        const char script[] = "eemx-exmee";
        int right = 0;
        int missed = 0;
        int wrong = 0;
        std::chrono::nanoseconds total{};
        for (int k = 0; k < 10; ++k) {
            QCOMPARE(runs().dealer().lastDeal(), DealKind::TimedRun);
            const Problem p = quiz().problem();
            const int waits = WaitCount(p);
            QVERIFY(waits >= 3 && waits <= 4);
            const auto step = std::chrono::milliseconds(1000 + 337 * k);
            m_clock.time += step;
            total += step;
            TileNumber lowest = 0;
            TileNumber firstOther = 0;
            for (TileNumber n = 9; n >= 1; --n) {
                if (p.isWait[static_cast<std::size_t>(n)] != 0) {
                    lowest = n;
                } else {
                    firstOther = n;
                }
            }
            const char how = script[k];
            for (TileNumber n = 1; n <= 9; ++n) {
                const bool wait = p.isWait[static_cast<std::size_t>(n)] != 0;
                if ((how == 'e' || how == 'x') && wait) {
                    pick(n);
                }
                if (how == 'm' && wait && n != lowest) {
                    pick(n);
                }
            }
            if (how == 'x') {
                pick(firstOther);
            }
            right += how == 'e' ? 1 : 0;
            missed += how == 'm' ? 1 : how == '-' ? waits : 0;
            wrong += how == 'x' ? 1 : 0;
            ok();
            if (k < 9) {
                QVERIFY(Status(runs()).contains(QStringLiteral("\u3000%1 / 10問").arg(k + 1)));
                // Time spent on the answered problem before 次へ counts too.
                m_clock.time += 500ms;
                total += 500ms;
                QTest::keyClick(&view(), Qt::Key_Return);
            }
        }
        QVERIFY(!runs().timedRun().running());
        const TimedRunResult& result = runs().timedRun().run().result();
        QCOMPARE(result.problems, 10);
        QCOMPARE(result.fullyRight, right);
        QCOMPARE(result.waitsMissed, missed);
        QCOMPARE(result.wrongPicks, wrong);
        QCOMPARE(result.time, total);
        QVERIFY(runs().dealMenu()->isEnabled());
        QCOMPARE(m_statusLine, QStringLiteral("出題：待ち3〜4種"));

        QTRY_VERIFY(runs().timedRun().resultDialog() != nullptr);
        const QString text = runs().timedRun().resultDialog()->text();
        QVERIFY2(
            text.contains(QStringLiteral("タイム　") + QString::fromStdString(RunTimeText(total))),
            qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("完全正解　%1 / 10問").arg(right)));
        QVERIFY(text.contains(QStringLiteral("見逃した待ち　延べ%1種").arg(missed)));
        QVERIFY(text.contains(QStringLiteral("待ちでない牌の選択　延べ%1種").arg(wrong)));
        // Without records there is no best time.
        QVERIFY(!text.contains(QStringLiteral("最高記録")));
        // The run is over: the next problem is an ordinary one of the band.
        runs().timedRun().resultDialog()->accept();
        ok();
        QCOMPARE(runs().dealer().lastDeal(), DealKind::Band);
    }

    void bestTimeShowsWhereAHookGivesOne() {
        runs().timedRun().setBestTimeHook(
            [](const TimedRunResult&) { return std::optional<std::chrono::nanoseconds>(61s); });
        runs().timedRunAction()->trigger();
        for (int k = 0; k < 10; ++k) {
            ok();
            if (k < 9) {
                ok();
            }
        }
        QTRY_VERIFY(runs().timedRun().resultDialog() != nullptr);
        QVERIFY(
            runs().timedRun().resultDialog()->text().contains(QStringLiteral("最高記録　1:01.0")));
    }

    void statusLineRunsWithTheClock() {
        runs().timedRunAction()->trigger();
        m_clock.time += 2345ms;
        QTRY_COMPARE_WITH_TIMEOUT(m_statusLine,
                                  QStringLiteral("タイムアタック\u30001 / 10問\u30000:02.3"), 1000);
        ok();
        ok();
        m_clock.time += 40s;
        QTRY_COMPARE_WITH_TIMEOUT(m_statusLine,
                                  QStringLiteral("タイムアタック\u30002 / 10問\u30000:42.3"), 1000);
    }

    void abandoningAsksFirst() {
        runs().timedRunAction()->trigger();
        ok();
        ok();
        const Problem shown = quiz().problem();
        const long draws = test::Draws().count;

        // Refused: the run and the problem stay.
        runs().timedRunAction()->trigger();
        frame().OnFileReset();
        QCOMPARE(m_confirmations, 2);
        QVERIFY(runs().timedRun().running());
        QCOMPARE(quiz().problem().dealOrder, shown.dealOrder);
        QCOMPARE(test::Draws().count, draws);

        // The menu item again: the run ends, the problem stays.
        m_agree = true;
        runs().timedRunAction()->trigger();
        QVERIFY(!runs().timedRun().running());
        QCOMPARE(quiz().problem().dealOrder, shown.dealOrder);
        QCOMPARE(m_statusLine, QStringLiteral("出題：すべての手"));
        QVERIFY(runs().enterAction()->isEnabled());
        QCOMPARE(runs().timedRun().resultDialog(), nullptr);

        // Reset during a run: the run ends and a new problem comes, plainly dealt.
        runs().timedRunAction()->trigger();
        frame().OnFileReset();
        QCOMPARE(m_confirmations, 4);
        QVERIFY(!runs().timedRun().running());
        QCOMPARE(runs().dealer().lastDeal(), DealKind::Plain);
        // No confirmation without a run.
        frame().OnFileReset();
        QCOMPARE(m_confirmations, 4);
    }

    void quittingOrEscapeDuringARunAsksAsResetDoes() {
        frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame()));
        // No run: Esc does nothing and the window closes without a question.
        QTest::keyClick(&view().okButton(), Qt::Key_Escape);
        QCOMPARE(m_confirmations, 0);
        runs().timedRunAction()->trigger();
        QVERIFY(!frame().close());
        QCOMPARE(m_confirmations, 1);
        QVERIFY(frame().isVisible());
        QVERIFY(runs().timedRun().running());
        QTest::keyClick(&view().okButton(), Qt::Key_Escape);
        QCOMPARE(m_confirmations, 2);
        QVERIFY(runs().timedRun().running());
        m_agree = true;
        QTest::keyClick(&view().answerBox(), Qt::Key_Escape);
        QCOMPARE(m_confirmations, 3);
        QVERIFY(!runs().timedRun().running());
        QTest::keyClick(&view().okButton(), Qt::Key_Escape);
        QCOMPARE(m_confirmations, 3);
        runs().timedRunAction()->trigger();
        QVERIFY(frame().close());
        QCOMPARE(m_confirmations, 4);
    }

    void everyFaultIsNamedAndKeepsOkDisabled_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fault");
        // An empty field is no fault yet; the prompt says what to type.
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("blank") << QStringLiteral("   ")
                               << QStringLiteral(
                                      "手牌を数字1〜9の4・7・10・13個のどれかで入力してください。");
        QTest::newRow("zero") << QStringLiteral("1112345678909")
                              << QStringLiteral(
                                     "12文字目の「0」は牌ではありません。数字は1〜9です。");
        QTest::newRow("capital suit")
            << QStringLiteral("1112345678999P")
            << QStringLiteral("14文字目の「P」は大文字です。牌の種類は小文字のm・p・sで書きます。");
        QTest::newRow("wide digit")
            << QStringLiteral("１112345678999")
            << QStringLiteral("1文字目の「１」は全角です。半角の数字1〜9で書きます。");
        QTest::newRow("not a tile")
            << QStringLiteral(" 11123x45678999")
            << QStringLiteral(
                   "7文字目の「x」は牌ではありません。使えるのは数字1〜9と、"
                   "最後に付けるm・p・sのどれか1文字だけです。");
        QTest::newRow("inner blank")
            << QStringLiteral("111 2345678999")
            << QStringLiteral(
                   "4文字目の空白は牌ではありません。使えるのは数字1〜9と、"
                   "最後に付けるm・p・sのどれか1文字だけです。");
        QTest::newRow("wide blank")
            << QStringLiteral("111\u30002345678999")
            << QStringLiteral(
                   "4文字目の全角の空白は牌ではありません。使えるのは数字1〜9と、"
                   "最後に付けるm・p・sのどれか1文字だけです。");
        // Invisible characters by their code, so that none hides or reorders the message.
        for (const char16_t code : {u'\u061C', u'\u200B', u'\u202E', u'\u2028', u'\uE000'}) {
            const QString hex =
                QStringLiteral("%1").arg(uint{code}, 4, 16, QLatin1Char('0')).toUpper();
            QTest::newRow(qPrintable(QStringLiteral("U+") + hex))
                << QStringLiteral("111") + QChar(code) + QStringLiteral("2345678999")
                << QStringLiteral("4文字目のU+") + hex +
                       QStringLiteral(
                           "は牌ではありません。使えるのは数字1〜9と、最後に付けるm・p・s"
                           "のどれか1文字だけです。");
        }
        QTest::newRow("digit after suit")
            << QStringLiteral("111234567899s9")
            << QStringLiteral("13文字目の牌の種類「s」は数字のあと、最後に書きます。");
        QTest::newRow("two suits")
            << QStringLiteral("1112345678999pm")
            << QStringLiteral("牌の種類は1つだけです（14文字目「p」と15文字目「m」）。");
        QTest::newRow("twelve")
            << QStringLiteral("111234567899")
            << QStringLiteral("牌が12枚あります。4・7・10・13枚のどれかで入力してください。");
        QTest::newRow("fourteen")
            << QStringLiteral("11123456789999")
            << QStringLiteral("牌が14枚あります。4・7・10・13枚のどれかで入力してください。");
        QTest::newRow("fifth copy") << QStringLiteral("1111123456789p")
                                    << QStringLiteral("1が5枚あります。同じ牌は4枚までです。");
    }
    void everyFaultIsNamedAndKeepsOkDisabled() {
        QFETCH(QString, text);
        QFETCH(QString, fault);
        HandEntryDialog& dialog = openEntry();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("問題を入力"));
        dialog.edit().setText(QStringLiteral("1112345678999"));
        QVERIFY(dialog.okButton().isEnabled());
        QVERIFY(dialog.faultLabel().text().isEmpty());
        dialog.edit().setText(text);
        QCOMPARE(dialog.faultLabel().text(), fault);
        QVERIFY(!dialog.okButton().isEnabled());
        // Nothing is cut off, however many lines the fault takes.
        for (const QLabel* label : {&dialog.promptLabel(), &dialog.faultLabel()}) {
            QVERIFY(label->height() >= label->heightForWidth(label->width()));
        }
        QVERIFY(dialog.height() >= dialog.layout()->totalHeightForWidth(dialog.width()));
        // Enter does not get past a disabled OK.
        const Problem before = quiz().problem();
        QTest::keyClick(&dialog.edit(), Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(quiz().problem().dealOrder, before.dealOrder);
    }

    void everyFaultCodeHasItsOwnMessage() {
        QStringList seen;
        for (int code = static_cast<int>(HandFault::Empty);
             code <= static_cast<int>(HandFault::FifthCopy); ++code) {
            HandNotationFault fault;
            fault.code = static_cast<HandFault>(code);
            fault.position = 3;
            fault.character = U'x';
            fault.suit = kSuitPinzu;
            fault.suitPosition = 2;
            fault.count = 5;
            fault.number = 7;
            const QString message = FaultMessage(fault);
            QVERIFY2(!message.isEmpty() && !seen.contains(message), qPrintable(message));
            seen << message;
        }
        QVERIFY(FaultMessage(HandNotationFault{}).isEmpty());
    }

    void enteredHandAnswersAsTheCommandLine_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("nine gates") << QStringLiteral("9991112345678");
        QTest::newRow("pinfu, circles") << QStringLiteral("8273645546372p");
        QTest::newRow("no wait") << QStringLiteral("1111222255559");
        QTest::newRow("fifth copy only") << QStringLiteral("1111234567899s");
        QTest::newRow("seven pairs") << QStringLiteral("1133557799224m");
        // Dealt hands, typed as a player would copy them off the board.
        test::UseSeededDraws(5);
        for (int i = 0; i < 12; ++i) {
            Problem p{};
            DealProblem(p);
            QString typed;
            for (const TileNumber t : p.dealOrder) {
                typed += QChar(u'0' + t);
            }
            QTest::newRow(qPrintable(typed)) << typed;
        }
    }
    void enteredHandAnswersAsTheCommandLine() {
        QFETCH(QString, typed);
        frame().OnSortOff();
        frame().OnSuitSouzu();
        pick(5);
        DealKind kindWhenShown = DealKind::Plain;
        const QMetaObject::Connection watch =
            connect(&view(), &CZelkonView::questionShown, this,
                    [this, &kindWhenShown] { kindWhenShown = runs().dealer().lastDeal(); });
        enter(typed);
        disconnect(watch);
        QCOMPARE(kindWhenShown, DealKind::Entered);
        QVERIFY(runs().entryDialog() == nullptr || !runs().entryDialog()->isVisible());
        QVERIFY(!quiz().answered());
        QVERIFY(!quiz().selected(5));
        QCOMPARE(runs().dealer().lastDeal(), DealKind::Entered);
        const QString digits = typed.left(13);
        for (int k = 0; k < 13; ++k) {
            QCOMPARE(quiz().displayTile(k), digits.at(k).digitValue());
        }
        const SuitKind expectedSuit = typed.endsWith(u'p')   ? kSuitPinzu
                                      : typed.endsWith(u'm') ? kSuitManzu
                                                             : kSuitSouzu;
        QCOMPARE(quiz().suitKind(), expectedSuit);
        ok();
        QCOMPARE(std::string(quiz().answerText()), AnswerFromReport(digits.toStdString()));
    }

    void typedShortHandIsPlayedAtItsSizeThenTheDealGoesOn() {
        frame().OnSuitSouzu();
        // Sorted, it is drawn as the same hand loaded from the dealer would be: centred.
        QVERIFY(view().LoadTiles(TileHand{{3, 3, 3, 4, 5, 5, 5}, 7}));
        const QImage loaded = view().grab().toImage();
        const long draws = test::Draws().count;
        enter(QStringLiteral("5534353s"));
        QCOMPARE(test::Draws().count, draws);
        QCOMPARE(quiz().tileCount(), 7);
        QCOMPARE(runs().dealer().lastDeal(), DealKind::Entered);
        QCOMPARE(view().grab().toImage(), loaded);

        frame().OnSortOff();
        enter(QStringLiteral("5534353"));
        const QString typed = QStringLiteral("5534353");
        for (int k = 0; k < typed.size(); ++k) {
            QCOMPARE(quiz().displayTile(k), typed.at(k).digitValue());
        }
        // Answered by keys, as any problem; the box names each wait's shapes, as a dealt one.
        QuizLogic dealt;
        QVERIFY(dealt.LoadTiles(TileHand{{3, 3, 3, 4, 5, 5, 5}, 7}, kSuitSouzu, 0));
        for (const Qt::Key key : {Qt::Key_2, Qt::Key_4, Qt::Key_6}) {
            QTest::keyClick(&frame(), key);
            dealt.Toggle(key - Qt::Key_0);
        }
        QTest::keyClick(&frame(), Qt::Key_Return);
        dealt.Answer();
        QVERIFY(quiz().answered());
        QCOMPARE(quiz().answerText(), dealt.answerText());
        QCOMPARE(quiz().mark(3), MarkKind::MarkCross);
        QCOMPARE(quiz().mark(4), MarkKind::MarkCircle);
        // 次へ deals as 出題 says: 13 tiles by default.
        QTest::keyClick(&frame(), Qt::Key_Return);
        QCOMPARE(quiz().tileCount(), 13);
        QVERIFY(!quiz().answered());

        // Every waiting size is taken; a won hand is no problem.
        for (const char* hand : {"2345", "1112345", "1112345678"}) {
            enter(QString::fromLatin1(hand));
            QCOMPARE(quiz().tileCount(), static_cast<int>(std::strlen(hand)));
        }
        HandEntryDialog& dialog = openEntry();
        dialog.edit().setText(QStringLiteral("23456"));
        QVERIFY(!dialog.okButton().isEnabled());
        QCOMPARE(dialog.faultLabel().text(),
                 QStringLiteral("牌が5枚あります。4・7・10・13枚のどれかで入力してください。"));
        dialog.reject();
    }

    void enteredHandWithoutSuitKeepsTheSuitOnScreen() {
        // Under ランダム too: a hand typed without a letter is the suit the player is looking at.
        for (int round = 0; round < 6; ++round) {
            frame().OnFileReset();
            const SuitKind shown = quiz().suitKind();
            const long draws = test::Draws().count;
            enter(QStringLiteral("1112345678999"));
            QCOMPARE(test::Draws().count, draws);
            QCOMPARE(quiz().suitKind(), shown);
        }
        // Sorting on: the board shows the hand sorted whatever the typed order.
        enter(QStringLiteral("9991112345678m"));
        QCOMPARE(quiz().suitKind(), kSuitManzu);
        QCOMPARE(quiz().displayTile(0), 1);
    }

    void handPastedFromAChatIsRead() {
        // A copied line often brings its line end or blanks around it.
        QGuiApplication::clipboard()->setText(QStringLiteral(" 1112345678999p\n"));
        HandEntryDialog& dialog = openEntry();
        QTest::keySequence(&dialog.edit(), QKeySequence::Paste);
        QVERIFY2(dialog.okButton().isEnabled(), qPrintable(dialog.faultLabel().text()));
        QTest::keyClick(&dialog.edit(), Qt::Key_Return);
        QCOMPARE(quiz().problem().sortedHand, (Hand13{1, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9}));
        QCOMPARE(quiz().suitKind(), kSuitPinzu);
    }

    void copyThenPasteRoundTrips() {
        for (int i = 0; i < 12; ++i) {
            frame().OnFileReset();
            const Problem dealt = quiz().problem();
            const SuitKind suit = quiz().suitKind();
            runs().copyAction()->trigger();
            const QString copied = QGuiApplication::clipboard()->text();
            QCOMPARE(copied.size(), 14);
            QVERIFY(std::is_sorted(copied.begin(), copied.begin() + 13));
            QCOMPARE(copied.back(), QChar(QLatin1Char("mps"[suit])));

            HandEntryDialog& dialog = openEntry();
            dialog.edit().setFocus();
            QTest::keySequence(&dialog.edit(), QKeySequence::Paste);
            QCOMPARE(dialog.edit().text(), copied);
            QTest::mouseClick(&dialog.okButton(), Qt::LeftButton);
            QCOMPARE(quiz().problem().sortedHand, dealt.sortedHand);
            QCOMPARE(quiz().problem().dealOrder, dealt.sortedHand);
            QCOMPARE(quiz().problem().isWait, dealt.isWait);
            QCOMPARE(quiz().suitKind(), suit);
        }
    }
};

QTEST_MAIN(TestPracticeRuns)
#include "tst_practice_runs.moc"
