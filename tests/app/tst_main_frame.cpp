#include <QAction>
#include <QFile>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include "app/about_dlg.h"
#include "app/command_ids.h"
#include "app/main_frame.h"
#include "app/zelkon_app.h"
#include "dealing/problem_dealer.h"
#include "quiz/zelkon_view.h"
#include "tests/quiz/known_hands.h"
#include "tests/quiz/seeded_draws.h"
#include "window_fixture.h"

using namespace zelkon;

namespace {

struct Snapshot {
    Problem problem;
    SuitKind suit;
    std::string answer;
    bool answered;
    std::array<bool, 10> picks;

    static Snapshot of(const QuizLogic& quiz) {
        Snapshot s{
            quiz.problem(), quiz.suitKind(), std::string(quiz.answerText()), quiz.answered(), {}};
        for (TileNumber n = 1; n <= 9; ++n) {
            s.picks[static_cast<std::size_t>(n)] = quiz.selected(n);
        }
        return s;
    }
    bool operator==(const Snapshot& o) const {
        return problem.sortedHand == o.problem.sortedHand &&
               problem.dealOrder == o.problem.dealOrder && suit == o.suit && answer == o.answer &&
               answered == o.answered && picks == o.picks;
    }
};

QStringList Texts(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* a : actions) {
        texts << a->text();
    }
    return texts;
}

}  // namespace

class TestMainFrame : public QObject, test::WindowFixture {
    Q_OBJECT

private:
    void checkGroup(std::initializer_list<int> ids, int checkedId) {
        for (const int id : ids) {
            QCOMPARE(command(id).isChecked(), id == checkedId);
        }
    }

private slots:
    void init() {
        test::UseSeededDraws(777);
        start();
    }
    void cleanup() { stop(); }

    void windowIsFixedAndTitled() {
        QCOMPARE(frame().windowTitle(), QStringLiteral("カルデナ"));
        QVERIFY(!frame().windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(frame().windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QCOMPARE(frame().minimumSize(), frame().maximumSize());
        QTRY_VERIFY(!frame().windowIcon().isNull());
        // The client area below the menu bar is the form, nothing more.
        const QRect form = view().geometry();
        QCOMPARE(form.size(), view().sizeHint());
        QCOMPARE(form.top(), frame().menuBar()->geometry().bottom() + 1);
        QCOMPARE(frame().size(), QSize(form.width(), form.bottom() + 1));
        frame().resize(frame().width() + 50, frame().height() + 50);
        QCOMPARE(frame().size(), QSize(form.width(), form.bottom() + 1));
    }

    void menusHaveTheirTextsOrderAndMarks() {
        const QList<QAction*> top = frame().menuBar()->actions();
        QCOMPARE(Texts(top),
                 (QStringList{QStringLiteral("ファイル(&F)"), QStringLiteral("設定(&C)"),
                              QStringLiteral("練習(&P)"), QStringLiteral("ヘルプ(&H)")}));
        QCOMPARE(Texts(top[0]->menu()->actions()),
                 (QStringList{QStringLiteral("リセット(&R)"),
                              QStringLiteral("アプリケーションの終了(&X)")}));
        const QList<QAction*> settings = top[1]->menu()->actions();
        QCOMPARE(Texts(settings),
                 (QStringList{QStringLiteral("牌の種類(&P)"), QStringLiteral("理牌(&R)")}));
        QCOMPARE(Texts(settings[0]->menu()->actions()),
                 (QStringList{QStringLiteral("ランダム"), QStringLiteral("マンズ"),
                              QStringLiteral("ソウズ"), QStringLiteral("ピンズ")}));
        QCOMPARE(Texts(settings[1]->menu()->actions()),
                 (QStringList{QStringLiteral("する"), QStringLiteral("しない")}));
        QCOMPARE(Texts(top[3]->menu()->actions()),
                 (QStringList{QStringLiteral("バージョン情報 Zelkon(&A)...")}));
        QCOMPARE(settings[0]->menu()->actions()[0], &command(ID_SUIT_RANDOM));
        QCOMPARE(settings[0]->menu()->actions()[2], &command(ID_SUIT_SOUZU));
        for (QMenu* menu : frame().menuBar()->findChildren<QMenu*>()) {
            // The practice menu has separators and items enabled by state; its own tests check it.
            if (menu == frame().practiceMenu() || menu->parent() == frame().practiceMenu()) {
                continue;
            }
            for (const QAction* a : menu->actions()) {
                // Only the practice menu is divided into groups.
                QVERIFY(!a->isSeparator() || menu == frame().practiceMenu());
                QVERIFY(a->isEnabled());
            }
        }
        checkGroup({ID_SUIT_MANZU, ID_SUIT_SOUZU, ID_SUIT_PINZU, ID_SUIT_RANDOM}, ID_SUIT_RANDOM);
        checkGroup({ID_SORT_ON, ID_SORT_OFF}, ID_SORT_ON);
        QCOMPARE(frame().suitMode(), 3);
        QCOMPARE(frame().sortMode(), 1);
    }

    void settingCommandsMarkTheirItemAndSetTheirValue_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("suitMode");
        QTest::addColumn<int>("sortMode");
        QTest::newRow("マンズ") << ID_SUIT_MANZU << 0 << 1;
        QTest::newRow("ソウズ sets 2") << ID_SUIT_SOUZU << 2 << 1;
        QTest::newRow("ピンズ sets 1") << ID_SUIT_PINZU << 1 << 1;
        QTest::newRow("ランダム") << ID_SUIT_RANDOM << 3 << 1;
        QTest::newRow("しない") << ID_SORT_OFF << 3 << 0;
        QTest::newRow("する") << ID_SORT_ON << 3 << 1;
    }
    void settingCommandsMarkTheirItemAndSetTheirValue() {
        QFETCH(int, id);
        QFETCH(int, suitMode);
        QFETCH(int, sortMode);
        const bool suitGroup = id <= ID_SUIT_RANDOM;
        // Start away from the default, then choose the item twice: the second time it is checked.
        command(suitGroup ? ID_SUIT_PINZU : ID_SORT_OFF).trigger();
        command(suitGroup ? ID_SORT_ON : ID_SUIT_RANDOM).trigger();
        const Snapshot before = Snapshot::of(view().quiz());
        for (int round = 0; round < 2; ++round) {
            command(id).trigger();
            QCOMPARE(frame().suitMode(), suitMode);
            QCOMPARE(static_cast<int>(frame().sortMode()), sortMode);
            if (suitGroup) {
                checkGroup({ID_SUIT_MANZU, ID_SUIT_SOUZU, ID_SUIT_PINZU, ID_SUIT_RANDOM}, id);
            } else {
                checkGroup({ID_SORT_ON, ID_SORT_OFF}, id);
            }
        }
        QVERIFY(Snapshot::of(view().quiz()) == before);
    }

    void settingsShowFirstInTheNextProblem() {
        const SuitKind firstSuit = view().quiz().suitKind();
        QVERIFY(view().quiz().sortTiles());
        const SuitKind other = (firstSuit + 1) % 3;
        const int ids[] = {ID_SUIT_MANZU, ID_SUIT_PINZU, ID_SUIT_SOUZU};
        command(ids[other]).trigger();
        command(ID_SORT_OFF).trigger();
        const QImage board = view().grab().toImage();
        QCOMPARE(view().quiz().suitKind(), firstSuit);
        QVERIFY(view().quiz().sortTiles());

        const long draws = test::Draws().count;
        command(ID_FILE_RESET).trigger();
        // A fixed suit draws no suit number.
        QCOMPARE(test::Draws().count - draws, static_cast<long>(kDealDraws));
        QCOMPARE(view().quiz().suitKind(), other);
        QVERIFY(!view().quiz().sortTiles());
        for (int k = 0; k < 13; ++k) {
            QCOMPARE(view().quiz().displayTile(k),
                     view().quiz().problem().dealOrder[static_cast<std::size_t>(k)]);
        }
        QVERIFY(view().grab().toImage() != board);
    }

    void resetDealsAnewInBothStates() {
        view().LoadProblem(test::kKnownHands[2].hand);
        QTest::mouseClick(&view().numberButton(3), Qt::LeftButton);
        command(ID_FILE_RESET).trigger();
        QVERIFY(view().quiz().problem().sortedHand != test::kKnownHands[2].hand);
        QVERIFY(!view().quiz().selected(3));
        QVERIFY(!view().quiz().answered());

        QTest::mouseClick(&view().numberButton(3), Qt::LeftButton);
        QTest::mouseClick(&view().okButton(), Qt::LeftButton);
        QVERIFY(view().quiz().answered());
        const long draws = test::Draws().count;
        command(ID_FILE_RESET).trigger();
        QCOMPARE(test::Draws().count - draws, static_cast<long>(kDealDraws + 1));
        QVERIFY(!view().quiz().answered());
        QVERIFY(!view().quiz().selected(3));
        QCOMPARE(view().okButton().text(), QStringLiteral("OK"));
        QVERIFY(view().numberButton(3).isEnabled());
        QCOMPARE(view().answerBox().toPlainText(), QStringLiteral("何待ち？"));
    }

    void standardAcceleratorsLeaveTheQuizAlone_data() {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<int>("id");
        QTest::newRow("Ctrl+N") << QKeySequence(Qt::CTRL | Qt::Key_N) << ID_FILE_NEW;
        QTest::newRow("Ctrl+O") << QKeySequence(Qt::CTRL | Qt::Key_O) << ID_FILE_OPEN;
        QTest::newRow("Ctrl+S") << QKeySequence(Qt::CTRL | Qt::Key_S) << ID_FILE_SAVE;
        QTest::newRow("Ctrl+Z") << QKeySequence(Qt::CTRL | Qt::Key_Z) << ID_EDIT_UNDO;
        QTest::newRow("Ctrl+X") << QKeySequence(Qt::CTRL | Qt::Key_X) << ID_EDIT_CUT;
        QTest::newRow("Ctrl+C") << QKeySequence(Qt::CTRL | Qt::Key_C) << ID_EDIT_COPY;
        QTest::newRow("Ctrl+V") << QKeySequence(Qt::CTRL | Qt::Key_V) << ID_EDIT_PASTE;
        QTest::newRow("Alt+Backspace") << QKeySequence(Qt::ALT | Qt::Key_Backspace) << ID_EDIT_UNDO;
        QTest::newRow("Shift+Delete") << QKeySequence(Qt::SHIFT | Qt::Key_Delete) << ID_EDIT_CUT;
        QTest::newRow("Ctrl+Insert") << QKeySequence(Qt::CTRL | Qt::Key_Insert) << ID_EDIT_COPY;
        QTest::newRow("Shift+Insert") << QKeySequence(Qt::SHIFT | Qt::Key_Insert) << ID_EDIT_PASTE;
        QTest::newRow("F6") << QKeySequence(Qt::Key_F6) << ID_NEXT_PANE;
        QTest::newRow("Shift+F6") << QKeySequence(Qt::SHIFT | Qt::Key_F6) << ID_PREV_PANE;
    }
    void standardAcceleratorsLeaveTheQuizAlone() {
        QFETCH(QKeySequence, keys);
        QFETCH(int, id);
        QVERIFY(command(id).shortcuts().contains(keys));
        QTest::mouseClick(&view().numberButton(2), Qt::LeftButton);
        for (int round = 0; round < 2; ++round) {
            const Snapshot before = Snapshot::of(view().quiz());
            const long draws = test::Draws().count;
            QTest::keySequence(&frame(), keys);
            command(id).trigger();
            QVERIFY(Snapshot::of(view().quiz()) == before);
            QCOMPARE(test::Draws().count, draws);
            QTest::mouseClick(&view().okButton(), Qt::LeftButton);
        }
    }

    void aboutCommandShowsTheAboutBoxModally() {
        QString caption;
        QTimer::singleShot(0, [&caption] {
            if (auto* about = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget())) {
                caption = about->windowTitle();
                about->okButton().click();
            }
        });
        const Snapshot before = Snapshot::of(view().quiz());
        command(ID_APP_ABOUT).trigger();
        QCOMPARE(caption, QStringLiteral("バージョン情報"));
        QVERIFY(Snapshot::of(view().quiz()) == before);
    }

    // Qt's own texts come in Japanese, as the window's: the answer box's context menu.
    void standardMenusReadInJapanese() {
        const QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        if (!QFile::exists(translations + QStringLiteral("/qtbase_ja.qm"))) {
            QSKIP("Qt's Japanese translations (qt6-translations-l10n) are not installed");
        }
        std::unique_ptr<QMenu> menu(view().answerBox().createStandardContextMenu());
        QStringList texts = Texts(menu->actions());
        texts.removeAll(QString());
        QVERIFY(!texts.isEmpty());
        for (const QString& text : texts) {
            QVERIFY2(
                !text.contains(QStringLiteral("Copy")) && !text.contains(QStringLiteral("Select")),
                qPrintable(text));
        }
        QVERIFY(texts.join(QString()).contains(QStringLiteral("コピー")));
    }

    void exitClosesTheWindow() {
        command(ID_APP_EXIT).trigger();
        QVERIFY(!frame().isVisible());
    }
};

QTEST_MAIN(TestMainFrame)
#include "tst_main_frame.moc"
