// The keyboard with the 解説 panel open: a click anywhere in the panel leaves Enter and 1 to 9
// with the quiz, Tab reaches the panel's links and Space opens them, and focus frames show only
// once Tab is used.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QWheelEvent>

#include "app/command_ids.h"
#include "app/hand_entry_dialog.h"
#include "app/main_frame.h"
#include "app/practice_runs.h"
#include "app/zelkon_app.h"
#include "quiz/explanation_panel.h"
#include "quiz/zelkon_view.h"
#include "tests/quiz/seeded_draws.h"
#include "tests/support/hand_strings.h"
#include "window_fixture.h"

using namespace zelkon;

class TestPanelKeys : public QObject, test::WindowFixture {
    Q_OBJECT

private:
    // Every wait of 1112345678999: nine rows, each with more than one reading for most.
    void answerNineGates() {
        view().LoadProblem(tests::Hand13Of("1112345678999"));
        press(Qt::Key_Return);
        QVERIFY(view().quiz().answered());
        QCOMPARE(panel().rows().size(), std::size_t{9});
    }

    // Picks 2 and 5 by keys and answers: the quiz got every key.
    void answerByKeysAfter(const char* what) {
        QVERIFY2(!view().quiz().answered(), what);
        press(Qt::Key_2);
        press(Qt::Key_5);
        QVERIFY2(view().quiz().selected(2) && view().quiz().selected(5), what);
        press(Qt::Key_5);
        QVERIFY2(!view().quiz().selected(5), what);
        press(Qt::Key_Return);
        QVERIFY2(view().quiz().answered(), what);
        QVERIFY2(!panel().isAncestorOf(QApplication::focusWidget()), what);
    }

private slots:
    void init() {
        test::UseSeededDraws(99);
        m_settings.wipe();
        start();
        frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame()));
        frame().action(ID_PRACTICE_EXPLAIN)->trigger();
    }
    void cleanup() { stop(); }

    void keysReachTheQuizWhateverWasClickedInThePanel() {
        answerNineGates();
        QScrollBar& bar = *panel().scrollArea().verticalScrollBar();
        QVERIFY(bar.isVisible());

        // A row.
        QTest::mouseClick(&panel().rowsWidget(), Qt::LeftButton, {}, QPoint(40, 30));
        press(Qt::Key_Return);
        answerByKeysAfter("a click on a row");
        answerNineGates();

        // A link: it opens, and keeps no focus.
        QAbstractButton* link = panel().otherReadingsLink(0);
        QVERIFY(link != nullptr);
        QTest::mouseClick(link, Qt::LeftButton);
        QVERIFY(panel().rows().front().expanded);
        QVERIFY(!link->hasFocus());
        press(Qt::Key_Return);
        answerByKeysAfter("a click on a link");
        answerNineGates();

        // The wheel scrolls, and so does a click on the scroll bar below its handle. (A sent wheel
        // event does not travel up from the rows as the window system's does.)
        QWidget* viewport = panel().scrollArea().viewport();
        QTRY_VERIFY(bar.maximum() > 0);
        QWheelEvent wheel(QPointF(50, 50), viewport->mapToGlobal(QPointF(50, 50)), {},
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &wheel);
        QVERIFY(bar.value() > 0);
        const int wheeled = bar.value();
        QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(bar.width() / 2, bar.height() - 20));
        QVERIFY(bar.value() > wheeled);
        press(Qt::Key_Return);
        answerByKeysAfter("a click on the scroll bar");

        // A hand typed into 問題を入力 afterwards is answered by keys too.
        frame().practiceRuns()->enterAction()->trigger();
        HandEntryDialog* dialog = frame().practiceRuns()->entryDialog();
        QVERIFY(dialog != nullptr);
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QTest::keyClicks(&dialog->edit(), QStringLiteral("2233445566778"));
        QTest::keyClick(&dialog->edit(), Qt::Key_Return);
        QTRY_COMPARE(QApplication::activeWindow(), &frame());
        QCOMPARE(view().quiz().problem().sortedHand, tests::Hand13Of("2233445566778"));
        answerByKeysAfter("a typed hand");
    }

    void tabReachesTheLinksAndSpaceOpensThem() {
        answerNineGates();
        QAbstractButton* link = nullptr;
        for (int i = 0; i < 20 && link == nullptr; ++i) {
            press(Qt::Key_Tab);
            link = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
            if (link != nullptr && !panel().isAncestorOf(link)) {
                link = nullptr;
            }
        }
        QVERIFY(link != nullptr);
        QCOMPARE(link, panel().otherReadingsLink(0));
        press(Qt::Key_Space);
        QVERIFY(panel().rows().front().expanded);
        QVERIFY(link->hasFocus());
        // The next link is in view once Tab reaches it.
        press(Qt::Key_Tab);
        QAbstractButton* next = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
        QVERIFY(next != nullptr && next != link && panel().isAncestorOf(next));
        const QRect shown = panel().scrollArea().viewport()->rect();
        QVERIFY(shown.contains(next->mapTo(panel().scrollArea().viewport(), QPoint(0, 0))));
        // Digits and Enter from a focused link still go to the quiz, never to the link.
        press(Qt::Key_Return);
        answerByKeysAfter("keys from a focused link");
    }

    void focusFramesShowOnlyOnceTabIsUsed() {
        view().LoadProblem(tests::Hand13Of("1112345678999"));
        // Keys that move the focus without Tab leave the window as it was drawn.
        const QImage untouched = frame().grab().toImage();
        press(Qt::Key_2);
        press(Qt::Key_2);
        QVERIFY(view().numberButton(2).hasFocus());
        QCOMPARE(frame().grab().toImage(), untouched);
        press(Qt::Key_1);
        press(Qt::Key_Return);
        const QImage start = frame().grab().toImage();
        // Every stop: 次へ, the answer box, the panel's links; the widget's edge changes.
        QSet<QWidget*> seen;
        for (int i = 0; i < 14; ++i) {
            press(Qt::Key_Tab);
            QWidget* focus = QApplication::focusWidget();
            QVERIFY(focus != nullptr);
            seen.insert(focus);
            const QImage now = frame().grab().toImage();
            const QRect at(focus->mapTo(&frame(), QPoint(0, 0)), focus->size());
            const QRect ring = at.adjusted(0, 1, 0, 0);
            int changed = 0;
            for (int x = ring.left(); x <= ring.right(); ++x) {
                changed += now.pixel(x, ring.top()) != start.pixel(x, ring.top()) ? 1 : 0;
            }
            QVERIFY2(changed > at.width() / 2, qPrintable(focus->objectName()));
        }
        QVERIFY(seen.contains(&view().okButton()));
        QVERIFY(seen.contains(&view().answerBox()));
        QVERIFY(seen.contains(panel().otherReadingsLink(0)));
    }
};

QTEST_MAIN(TestPanelKeys)
#include "tst_panel_keys.moc"
