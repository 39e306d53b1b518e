#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sqlite3.h>
#include <string>
#include <vector>

#include <QAction>
#include <QActionGroup>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "analysis/wait_shapes.h"
#include "app/command_ids.h"
#include "app/main_frame.h"
#include "app/practice_runs.h"
#include "app/records_feature.h"
#include "app/records_texts.h"
#include "app/zelkon_app.h"
#include "dealing/problem_dealer.h"
#include "quiz/explanation_panel.h"
#include "quiz/practice_dealer.h"
#include "quiz/timed_run.h"
#include "quiz/zelkon_view.h"
#include "records/records_store.h"
#include "tests/quiz/seeded_draws.h"

using namespace zelkon;
namespace fs = std::filesystem;

namespace {

constexpr UnixMillis kDay = 24LL * 60 * 60 * 1000;

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Rows of the answers table through a connection of the test's own, as a player's sqlite3 sees
// them.
struct Row {
    std::string hand, suit, dealt, picks, waits;
    int fullyRight;
    std::string band;
};

std::vector<Row> ReadRows(const fs::path& path) {
    std::vector<Row> rows;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return rows;
    }
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(
        db, "SELECT hand, suit, dealt, picks, waits, fully_right, band FROM answers ORDER BY id",
        -1, &select, nullptr);
    const auto text = [select](int column) {
        const unsigned char* value = sqlite3_column_text(select, column);
        return value == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(value));
    };
    while (select != nullptr && sqlite3_step(select) == SQLITE_ROW) {
        rows.push_back(
            {text(0), text(1), text(2), text(3), text(4), sqlite3_column_int(select, 5), text(6)});
    }
    sqlite3_finalize(select);
    sqlite3_close(db);
    return rows;
}

void WriteSqlite(const fs::path& path, const char* sql) {
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    QCOMPARE(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

std::string Digits(const std::array<std::uint8_t, kNumberSlots>& isWait, bool picked(TileNumber)) {
    std::string digits;
    for (TileNumber n = 1; n <= 9; ++n) {
        if (isWait[static_cast<std::size_t>(n)] != 0 && picked(n)) {
            digits += static_cast<char>('0' + n);
        }
    }
    return digits;
}

std::string HandString(const Hand13& hand) {
    std::string s;
    for (const TileNumber t : hand) {
        s += static_cast<char>('0' + t);
    }
    return s;
}

// Every timed run kept, oldest first, as "3-4 42000" (band "-" for every hand).
std::vector<std::string> ReadRuns(const fs::path& path) {
    std::vector<std::string> runs;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_exec(
            db, "SELECT coalesce(band, '-') || ' ' || total_millis FROM timed_runs ORDER BY id",
            [](void* out, int, char** values, char**) {
                static_cast<std::vector<std::string>*>(out)->emplace_back(values[0]);
                return 0;
            },
            &runs, nullptr);
    }
    sqlite3_close(db);
    return runs;
}

struct FakeClock : RunClock {
    std::chrono::nanoseconds time = std::chrono::seconds(1000);
    std::chrono::nanoseconds now() const override { return time; }
};

int OpenMessages() {
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("recordsMessage") && w->isVisible()) {
            ++count;
        }
    }
    return count;
}

// Counts the view's paints, so a test can tell what was true before the marks went up.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

class TestRecordsFeature : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<CZelkonApp> m_app;

    fs::path dataDir() const { return fs::path(m_home->path().toStdString()) / "data"; }
    fs::path configDir() const { return fs::path(m_home->path().toStdString()) / "config"; }
    fs::path recordsFile() const { return dataDir() / "zelkon" / "records.sqlite3"; }

    CMainFrame& frame() { return *m_app->mainFrame(); }
    CZelkonView& view() { return *frame().GetActiveView(); }
    RecordsFeature& records() { return *frame().records(); }
    PracticeRuns& runs() { return *frame().practiceRuns(); }

    void start() {
        m_app = std::make_unique<CZelkonApp>();
        QVERIFY(m_app->InitInstance());
        QVERIFY(QTest::qWaitForWindowExposed(&frame()));
    }

    void saveSettings(bool record, bool review) {
        QSettings settings(QStringLiteral("zelkon"), QStringLiteral("zelkon"));
        settings.setValue(QString::fromLatin1(kRecordKey), record);
        settings.setValue(QString::fromLatin1(kReviewKey), review);
    }

    // Picks the given numbers (a digit string), answers, and returns the problem answered.
    Problem answer(const char* picks) {
        for (const char* p = picks; *p != '\0'; ++p) {
            view().numberButton(*p - '0').click();
        }
        view().okButton().click();
        return view().quiz().problem();
    }
    Problem answerAllWaits() {
        std::string picks;
        for (TileNumber n = 1; n <= 9; ++n) {
            if (view().quiz().problem().isWait[static_cast<std::size_t>(n)] != 0) {
                picks += static_cast<char>('0' + n);
            }
        }
        return answer(picks.c_str());
    }
    void next() { view().okButton().click(); }

    // Starts recording over the file as it stands and opens 成績: its list of mistakes, or
    // nullptr when either fails.
    QListWidget* openMistakesList() {
        saveSettings(true, false);
        start();
        if (!QTest::qWaitFor([this] { return records().recording(); })) {
            return nullptr;
        }
        records().statisticsAction()->trigger();
        if (!QTest::qWaitForWindowExposed(records().statisticsWindow())) {
            return nullptr;
        }
        return records().statisticsWindow()->findChild<QListWidget*>(QStringLiteral("mistakes"));
    }

    // A timed run in the band of item bandItem, every problem answered right after each on the
    // clock; text gets the result dialog's text, and the dialog is closed.
    void timedRun(FakeClock& clock, int bandItem, std::chrono::milliseconds each, QString& text) {
        runs().timedRun().setClock(clock);
        runs().bandAction(bandItem)->trigger();
        runs().timedRunAction()->trigger();
        for (int k = 0; k < TimedRun::kProblems; ++k) {
            clock.time += each;
            answerAllWaits();
            if (k + 1 < TimedRun::kProblems) {
                next();
            }
        }
        QTRY_VERIFY(runs().timedRun().resultDialog() != nullptr);
        text = runs().timedRun().resultDialog()->text();
        runs().timedRun().resultDialog()->accept();
        next();
    }

    static std::vector<Hand13> DealtHands(int count) {
        std::vector<Hand13> hands;
        Problem problem{};
        for (int i = 0; i < count; ++i) {
            DealProblem(problem);
            hands.push_back(problem.sortedHand);
        }
        return hands;
    }

private slots:
    void init() {
        m_home = std::make_unique<QTemporaryDir>();
        QVERIFY(m_home->isValid());
        // Never the real home: every file of this run goes under the temporary folder.
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dataDir().string()));
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(configDir().string()));
        // QSettings reads XDG_CONFIG_HOME once per process.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(configDir().string()));
        test::UseSeededDraws(4242);
    }
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String("recordsMessage")) {
                delete w;
            }
        }
        m_app.reset();
        m_home.reset();
    }

    void nothingIsWrittenUntilRecordingIsTurnedOn() {
        start();
        QVERIFY(!records().reviewAction()->isEnabled());
        QVERIFY(!records().statisticsAction()->isEnabled());
        QVERIFY(!records().weakShapesAction()->isEnabled());
        for (int i = 0; i < 3; ++i) {
            answer("5");
            next();
        }
        QTest::qWait(50);
        QVERIFY(!fs::exists(dataDir()));
        QVERIFY(!fs::exists(configDir()));

        records().recordAction()->trigger();
        QVERIFY(records().recording());
        QVERIFY(fs::exists(recordsFile()));
        QVERIFY(records().reviewAction()->isEnabled());
        QVERIFY(records().statisticsAction()->isEnabled());
        QVERIFY(ReadRows(recordsFile()).empty());
        QSettings settings(QStringLiteral("zelkon"), QStringLiteral("zelkon"));
        QCOMPARE(settings.value(QString::fromLatin1(kRecordKey)).toBool(), true);

        records().recordAction()->trigger();
        QVERIFY(!records().recording());
        QVERIFY(!records().reviewAction()->isEnabled());
        answer("");
        QVERIFY(ReadRows(recordsFile()).empty());
    }

    void eachAnswerRecordsTheBandItWasDealtIn() {
        start();
        records().recordAction()->trigger();
        QVERIFY(records().recording());
        const char* const bands[kBandItems] = {"", "1-2", "3-4", "5+"};
        for (int i = 0; i < kBandItems; ++i) {
            runs().bandAction(i)->trigger();
            frame().OnFileReset();
            answer("");
            const Row row = ReadRows(recordsFile()).back();
            QCOMPARE(row.band, std::string(bands[i]));
            QCOMPARE(row.dealt, std::string(i == 0 ? "plain" : "band"));
        }
    }

    void eachAnswerIsCommittedBeforeItsMarksArePainted() {
        start();
        records().recordAction()->trigger();
        QVERIFY(records().recording());
        PaintCounter counter;
        view().installEventFilter(&counter);
        std::vector<Row> seen;
        int paintsAtAnswer = -1;
        // Connected after the feature: runs in the same emission, right after its commit.
        connect(&view(), &CZelkonView::answered, this, [&] {
            paintsAtAnswer = counter.paints;
            seen = ReadRows(recordsFile());
        });

        struct Case {
            const char* picks;  // "*" picks every wait
        };
        const Case cases[] = {{""}, {"*"}, {"19"}, {"*"}, {"123456789"}};
        std::size_t expectedRows = 0;
        for (const Case& c : cases) {
            counter.paints = 0;
            const Problem problem =
                std::string(c.picks) == "*" ? answerAllWaits() : answer(c.picks);
            ++expectedRows;
            QCOMPARE(paintsAtAnswer, 0);
            QCOMPARE(seen.size(), expectedRows);
            const Row& row = seen.back();
            QCOMPARE(row.hand, HandString(problem.sortedHand));
            QCOMPARE(row.waits, Digits(problem.isWait, [](TileNumber) { return true; }));
            std::string picks;
            for (TileNumber n = 1; n <= 9; ++n) {
                if (view().quiz().selected(n)) {
                    picks += static_cast<char>('0' + n);
                }
            }
            QCOMPARE(row.picks, picks);
            QCOMPARE(row.fullyRight, picks == row.waits ? 1 : 0);
            QCOMPARE(row.dealt, std::string("plain"));
            QCOMPARE(row.suit, std::string(1, "mps"[view().quiz().suitKind()]));
            next();
        }
        view().removeEventFilter(&counter);
    }

    void unusableFilesAreToldOnceAndLeftUntouched_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("text") << 0;
        QTest::newRow("another program's database") << 1;
        QTest::newRow("newer records") << 2;
    }
    void unusableFilesAreToldOnceAndLeftUntouched() {
        QFETCH(int, kind);
        fs::create_directories(recordsFile().parent_path());
        if (kind == 0) {
            std::ofstream(recordsFile(), std::ios::binary) << "name,score\nsomeone,12\n";
        } else if (kind == 1) {
            WriteSqlite(recordsFile(),
                        "CREATE TABLE scores (name TEXT, score INTEGER);"
                        "INSERT INTO scores VALUES ('someone', 12);");
        } else {
            const std::string sql =
                "PRAGMA application_id = " + std::to_string(kRecordsApplicationId) +
                "; PRAGMA user_version = " + std::to_string(kRecordsSchemaVersion + 1) +
                "; CREATE TABLE answers (id INTEGER PRIMARY KEY, future TEXT);";
            WriteSqlite(recordsFile(), sql.c_str());
        }
        const std::string before = ReadBytes(recordsFile());

        start();
        records().recordAction()->trigger();
        QVERIFY(!records().recording());
        QVERIFY(!records().recordAction()->isChecked());
        QVERIFY(!records().reviewAction()->isEnabled());
        QCOMPARE(OpenMessages(), 1);
        // The quiz goes on, and says nothing more.
        const Hand13 first = view().quiz().problem().sortedHand;
        for (int i = 0; i < 3; ++i) {
            answer("2");
            next();
        }
        QVERIFY(view().quiz().problem().sortedHand != first);
        QCOMPARE(OpenMessages(), 1);
        QCOMPARE(ReadBytes(recordsFile()), before);
        int entries = 0;
        for ([[maybe_unused]] const auto& entry :
             fs::directory_iterator(recordsFile().parent_path())) {
            ++entries;
        }
        QCOMPARE(entries, 1);
    }

    void anUnwritablePlaceIsToldOnceAndTheQuizGoesOn() {
        // A file where the folder should be: no user, root included, can create the records.
        fs::create_directories(dataDir());
        std::ofstream(dataDir() / "zelkon") << "in the way";
        start();
        records().recordAction()->trigger();
        QVERIFY(!records().recording());
        QCOMPARE(OpenMessages(), 1);
        answer("");
        QVERIFY(view().quiz().answered());
        next();
        QVERIFY(!view().quiz().answered());
        QCOMPARE(OpenMessages(), 1);
        QVERIFY(fs::is_regular_file(dataDir() / "zelkon"));
    }

    void startUpWithRecordingOnOpensOnlyAfterTheFirstPaint() {
        saveSettings(true, false);
        m_app = std::make_unique<CZelkonApp>();
        QVERIFY(m_app->InitInstance());
        QVERIFY(records().recordAction()->isChecked());
        QVERIFY(!records().recording());
        QVERIFY(!fs::exists(recordsFile()));
        QVERIFY(QTest::qWaitForWindowExposed(&frame()));
        QTRY_VERIFY(records().recording());
        QVERIFY(fs::exists(recordsFile()));
        answer("3");
        QCOMPARE(ReadRows(recordsFile()).size(), std::size_t{1});
    }

    void reviewDealsTheDueCardFirst_data() {
        QTest::addColumn<bool>("review");
        QTest::newRow("review on") << true;
        QTest::newRow("review off") << false;
    }
    void reviewDealsTheDueCardFirst() {
        QFETCH(bool, review);
        const Hand13 missed{1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9, 5};
        Hand13 sorted = missed;
        SortHand(sorted);
        {
            OpenedRecords opened = RecordsStore::open(recordsFile(), OpenMode::CreateIfMissing);
            QVERIFY(opened.status.ok());
            // Missed three days ago: the card's first interval has passed.
            const UnixMillis then = NowUnixMillis() - 3 * kDay;
            QVERIFY(opened.store
                        ->addAnswer(MakeAnswerRecord(missed, kSuitManzu, DealKind::Plain,
                                                     RecordedBand::None, NumberBit(1), 9, then))
                        .ok());
        }
        saveSettings(true, review);
        start();
        QTRY_VERIFY(records().recording());
        QCOMPARE(records().reviewAction()->isChecked(), review);
        QCOMPARE(records().dueCount(), std::int64_t{1});
        // The card's suit is the one set now, not the one it was missed in.
        frame().OnSuitSouzu();
        frame().OnFileReset();
        QCOMPARE(view().quiz().problem().sortedHand == sorted, review);
        QCOMPARE(runs().dealer().lastDeal() == DealKind::Review, review);
        QCOMPARE(view().quiz().suitKind(), kSuitSouzu);
        if (!review) {
            return;
        }
        QCOMPARE(records().statusText(), QStringLiteral("復習 1問"));
        frame().action(ID_PRACTICE_EXPLAIN)->trigger();
        QVERIFY(frame().explanationPanel().statusLine().endsWith(QStringLiteral("復習 1問")));
        answerAllWaits();
        QTRY_COMPARE(records().dueCount(), std::int64_t{0});
        QCOMPARE(records().statusText(), QStringLiteral("復習 0問"));
        QVERIFY(frame().explanationPanel().statusLine().endsWith(QStringLiteral("復習 0問")));
        QCOMPARE(ReadRows(recordsFile()).back().dealt, std::string("review"));
        next();
        QVERIFY(runs().dealer().lastDeal() != DealKind::Review);
    }

    void statisticsShowAnEmptyStateThenTheFigures() {
        start();
        records().recordAction()->trigger();
        records().statisticsAction()->trigger();
        QWidget* window = records().statisticsWindow();
        QVERIFY(window != nullptr);
        QVERIFY(window->isVisible());
        const auto shows = [window](const char* name) {
            const auto* child = window->findChild<QWidget*>(QLatin1String(name));
            return child != nullptr && child->isVisible();
        };
        QVERIFY(shows("emptyState"));
        QVERIFY(!shows("byWaits"));

        // Answers while the window is open bring it up to date.
        std::vector<Problem> answered;
        std::vector<bool> right;
        for (int i = 0; i < 12; ++i) {
            const bool all = i % 3 == 0;
            answered.push_back(all ? answerAllWaits() : answer("5"));
            right.push_back(all ||
                            Digits(answered.back().isWait, [](TileNumber) { return true; }) == "5");
            next();
        }
        QTRY_VERIFY(!shows("emptyState"));
        QVERIFY(shows("byWaits") && shows("byShape") && shows("byDay") && shows("mistakes"));
        const auto chart = [window](const char* name) {
            return window->findChild<QChartView*>(QLatin1String(name))->chart();
        };

        // Fully right by number of waits, counted again from the problems themselves.
        std::array<int, 10> total{}, hits{};
        for (std::size_t i = 0; i < answered.size(); ++i) {
            int waits = 0;
            for (std::size_t n = 1; n <= 9; ++n) {
                waits += answered[i].isWait[n];
            }
            ++total[static_cast<std::size_t>(waits)];
            hits[static_cast<std::size_t>(waits)] += right[i] ? 1 : 0;
        }
        const auto* bars = qobject_cast<QBarSeries*>(chart("byWaits")->series().value(0));
        QVERIFY(bars != nullptr);
        const QBarSet* rates = bars->barSets().value(0);
        QCOMPARE(rates->count(), 9);
        for (int k = 1; k <= 9; ++k) {
            const std::size_t slot = static_cast<std::size_t>(k);
            const double expected = total[slot] == 0 ? 0.0 : 100.0 * hits[slot] / total[slot];
            QCOMPARE(rates->at(k - 1), expected);
        }
        // Missed waits by shape: every shape that reaches a wait counts it once.
        std::array<int, 5> shapeSeen{}, shapeMissed{};
        for (std::size_t i = 0; i < answered.size(); ++i) {
            std::array<std::uint8_t, kNumberSlots> shapes{};
            WaitShapesOf(answered[i].sortedHand, shapes);
            for (std::size_t n = 1; n <= 9; ++n) {
                const bool picked = i % 3 == 0 ? answered[i].isWait[n] != 0 : n == 5;
                for (std::size_t shape = 0; shape < shapeSeen.size(); ++shape) {
                    if ((static_cast<unsigned>(shapes[n]) & (1u << shape)) != 0) {
                        ++shapeSeen[shape];
                        shapeMissed[shape] += picked ? 0 : 1;
                    }
                }
            }
        }
        const auto* shapeBars = qobject_cast<QBarSeries*>(chart("byShape")->series().value(0));
        QVERIFY(shapeBars != nullptr);
        for (std::size_t shape = 0; shape < shapeSeen.size(); ++shape) {
            const double expected =
                shapeSeen[shape] == 0 ? 0.0 : 100.0 * shapeMissed[shape] / shapeSeen[shape];
            QCOMPARE(shapeBars->barSets().value(0)->at(static_cast<int>(shape)), expected);
        }
        const auto* days = qobject_cast<QBarSeries*>(chart("byDay")->series().value(0));
        QVERIFY(days != nullptr);
        QCOMPARE(days->barSets().value(0)->sum(), 12.0);
        QVERIFY(window->findChild<QLabel*>(QStringLiteral("summary"))
                    ->text()
                    .contains(QStringLiteral("問題数 12問")));
    }

    void doubleClickingAMistakeMakesItTheProblem() {
        const Hand13 missed{2, 3, 4, 4, 5, 6, 6, 7, 8, 8, 8, 9, 9};
        {
            OpenedRecords opened = RecordsStore::open(recordsFile(), OpenMode::CreateIfMissing);
            QVERIFY(opened.status.ok());
            QVERIFY(opened.store
                        ->addAnswer(MakeAnswerRecord(missed, kSuitPinzu, DealKind::Plain,
                                                     RecordedBand::None, 0, 5, NowUnixMillis()))
                        .ok());
        }
        QListWidget* const mistakes = openMistakesList();
        QVERIFY(mistakes != nullptr);
        QListWidget& list = *mistakes;
        QCOMPARE(list.count(), 1);
        QVERIFY(list.item(0)->text().contains(QStringLiteral("2344566788899p")));
        answer("1");  // the question on screen is left answered; the retry replaces it
        const QRect item = list.visualItemRect(list.item(0));
        // The item view takes a double click only after the press that selects it.
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, item.center());
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, item.center());
        QCOMPARE(view().quiz().problem().sortedHand, missed);
        QVERIFY(!view().quiz().answered());
        answer("");
        QCOMPARE(ReadRows(recordsFile()).back().dealt, std::string("entered"));

        // A timed run keeps its ten dealt problems: a chosen hand would not be one of them.
        runs().timedRunAction()->trigger();
        QVERIFY(runs().timedRun().running());
        const Hand13 dealt = view().quiz().problem().sortedHand;
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, item.center());
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, item.center());
        QCOMPARE(view().quiz().problem().sortedHand, dealt);
        QVERIFY(runs().timedRun().run().StatusText().find("1 / 10問") != std::string::npos);
    }

    void aShortHandMissedIsListedAndComesBackAtItsSize() {
        {
            OpenedRecords opened = RecordsStore::open(recordsFile(), OpenMode::CreateIfMissing);
            QVERIFY(opened.status.ok());
            const TileHand missed{{5, 5, 5, 4, 3, 3, 3}, 7};
            QVERIFY(opened.store
                        ->addAnswer(MakeAnswerRecord(missed, kSuitSouzu, DealKind::Plain,
                                                     RecordedBand::None, 0, 5, NowUnixMillis(),
                                                     kNoFamily, 0))
                        .ok());
        }
        QListWidget* const mistakes = openMistakesList();
        QVERIFY(mistakes != nullptr);
        QListWidget& list = *mistakes;
        QCOMPARE(list.count(), 1);
        QVERIFY2(list.item(0)->text().contains(QStringLiteral("3334555s")),
                 qPrintable(list.item(0)->text()));
        const QRect item = list.visualItemRect(list.item(0));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, item.center());
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, item.center());
        QCOMPARE(view().quiz().tileCount(), 7);
        QCOMPARE(view().quiz().sortedTiles().tiles, (TileHand{{3, 3, 3, 4, 5, 5, 5}, 7}.tiles));
        answer("23456");
        QVERIFY(view().quiz().fullyRight());
        const Row row = ReadRows(recordsFile()).back();
        QCOMPARE(row.hand, std::string("3334555"));
        QCOMPARE(row.dealt, std::string("entered"));
        QCOMPARE(row.fullyRight, 1);
    }

    void weakShapeDealingIsRememberedAndComesBackOnceTheRecordsAreOpen() {
        {
            OpenedRecords opened = RecordsStore::open(recordsFile(), OpenMode::CreateIfMissing);
            QVERIFY(opened.status.ok());
            for (const Hand13& hand : DealtHands(60)) {
                QVERIFY(opened.store
                            ->addAnswer(MakeAnswerRecord(hand, kSuitManzu, DealKind::Plain,
                                                         RecordedBand::None, 0, 4, NowUnixMillis()))
                            .ok());
            }
        }
        QSettings settings(QStringLiteral("zelkon"), QStringLiteral("zelkon"));
        settings.setValue(QString::fromLatin1(kRecordKey), true);
        settings.setValue(QString::fromLatin1(kWeakShapesKey), true);
        settings.sync();
        start();
        QVERIFY(!runs().dealer().weakShapes());
        QTRY_VERIFY(records().weakShapesAction()->isChecked());
        QVERIFY(runs().dealer().weakShapes());
        // Choosing a band again is remembered too.
        runs().bandAction(2)->trigger();
        QVERIFY(!records().weakShapesAction()->isChecked());
        QVERIFY(!runs().dealer().weakShapes());
        settings.sync();
        QCOMPARE(settings.value(QString::fromLatin1(kWeakShapesKey)).toBool(), false);
    }

    void timedRunsShowTheBestOfTheirBandOnlyWhileRecording() {
        start();
        FakeClock clock;
        const QString bestLabel = QStringLiteral("の最高記録　");
        QString text;
        timedRun(clock, 2, std::chrono::milliseconds(2000), text);
        QVERIFY2(!text.contains(bestLabel), qPrintable(text));
        QVERIFY(!fs::exists(dataDir()));

        records().recordAction()->trigger();
        QVERIFY(records().recording());
        struct Case {
            int bandItem;  // 0 every hand, 1 "1-2", 2 "3-4", 3 "5+"
            int eachMillis;
            const char* best;  // including this run
        };
        // Times differ by more than a tenth, so a run taken for another band's would show.
        const Case cases[] = {
            {2, 4210, "0:42.1"}, {2, 5000, "0:42.1"}, {1, 6000, "1:00.0"},
            {2, 3100, "0:31.0"}, {0, 9999, "1:39.9"}, {1, 7000, "1:00.0"},
        };
        std::vector<std::string> kept;
        for (const Case& c : cases) {
            timedRun(clock, c.bandItem, std::chrono::milliseconds(c.eachMillis), text);
            QVERIFY2(text.contains(bestLabel + QString::fromLatin1(c.best)), qPrintable(text));
            QCOMPARE(text.count(bestLabel), 1);
            const char* bands[] = {"-", "1-2", "3-4", "5+"};
            kept.push_back(std::string(bands[c.bandItem]) + ' ' +
                           std::to_string(c.eachMillis * TimedRun::kProblems));
            QCOMPARE(ReadRuns(recordsFile()), kept);
        }

        records().recordAction()->trigger();
        QVERIFY(!records().recording());
        timedRun(clock, 2, std::chrono::milliseconds(1000), text);
        QVERIFY2(!text.contains(bestLabel), qPrintable(text));
        QCOMPARE(ReadRuns(recordsFile()), kept);
    }

    void weakShapesOpenAtThirtyWaitsOfAShape() {
        start();
        records().recordAction()->trigger();
        // Tallied here from the hands with the shapes' own finder, missed all.
        std::array<int, 5> seen{};
        bool opened = false;
        int answers = 0;
        for (const Hand13& hand : DealtHands(200)) {
            view().LoadProblem(hand);
            answer("");
            std::array<std::uint8_t, kNumberSlots> shapes{};
            WaitShapesOf(hand, shapes);
            for (std::size_t n = 1; n <= 9; ++n) {
                for (std::size_t s = 0; s < seen.size(); ++s) {
                    seen[s] += (static_cast<unsigned>(shapes[n]) & (1u << s)) != 0 ? 1 : 0;
                }
            }
            ++answers;
            const bool expected = *std::max_element(seen.begin(), seen.end()) >= 30;
            QTRY_COMPARE(records().weakShapesAction()->isEnabled(), expected);
            next();
            if (expected) {
                opened = true;
                break;
            }
        }
        QVERIFY(opened);
        QVERIFY(answers > 1);

        records().weakShapesAction()->trigger();
        QVERIFY(records().weakShapesAction()->isChecked());
        QVERIFY(runs().dealer().weakShapes());
        const std::optional<WeakShape> weakest = records().weakestShape();
        QVERIFY(weakest.has_value());
        QVERIFY(weakest->seen >= 30);
        QVERIFY(runs().statusText().contains(QString::fromUtf8(WaitShapeName(weakest->shape))));
        for (int i = 0; i < 20; ++i) {
            answer("");
            next();
            QCOMPARE(runs().dealer().lastDeal(), DealKind::WeakShapes);
            std::array<std::uint8_t, kNumberSlots> shapes{};
            WaitShapesOf(view().quiz().problem().sortedHand, shapes);
            bool reached = false;
            for (const std::uint8_t bits : shapes) {
                reached = reached || (bits & ShapeBit(weakest->shape)) != 0;
            }
            QVERIFY(reached);
        }
        // Recording off: no shape to aim at, so dealing goes back to every hand.
        records().recordAction()->trigger();
        QVERIFY(!records().weakShapesAction()->isEnabled());
        QVERIFY(!runs().dealer().weakShapes());
        QVERIFY(runs().bandAction(0)->isChecked());
    }

    void weakShapesAimAtAWeakerFamilyAndNameIt() {
        // Every wait picked, each after a hint: no shape is missed, the family always is.
        const FamilyIndex ryantan = FamilyIndexOf("ryantan");
        {
            OpenedRecords opened = RecordsStore::open(recordsFile(), OpenMode::CreateIfMissing);
            QVERIFY(opened.status.ok());
            for (int i = 0; i < kWeakFamilyMinimumHands; ++i) {
                const AnswerRecord answer =
                    MakeAnswerRecord(TileHand{{3, 3, 3, 4}, 4}, kSuitManzu, DealKind::Family,
                                     RecordedBand::None, NumberBit(2) | NumberBit(4) | NumberBit(5),
                                     4, NowUnixMillis() - 100 + i, ryantan, 1);
                QVERIFY(opened.store->addAnswer(answer).ok());
            }
        }
        saveSettings(true, false);
        start();
        QTRY_VERIFY(records().weakShapesAction()->isEnabled());
        QVERIFY(records().weakTarget().atFamily);
        records().weakShapesAction()->trigger();
        QCOMPARE(runs().statusText(),
                 QStringLiteral("出題：苦手な形（暗刻+隣（リャンタン））　13枚"));
        for (int i = 0; i < 5; ++i) {
            answer("");
            next();
            QCOMPARE(runs().dealer().lastDeal(), DealKind::WeakShapes);
            QCOMPARE(runs().dealer().lastFamily(), ryantan);
            QCOMPARE(view().quiz().tileCount(), 13);
        }
        QCOMPARE(ReadRows(recordsFile()).back().dealt, std::string("weak"));
        // Recording off: nothing to aim at, every hand again.
        records().recordAction()->trigger();
        QVERIFY(!runs().dealer().weakShapes());
        answer("");
        next();
        QCOMPARE(runs().dealer().lastFamily(), kNoFamily);
    }

    // While the window records, a plain copy of the one file holds every answer marked so far.
    void aCopyTakenWhileTheWindowRecordsHoldsEveryAnswer() {
        saveSettings(true, false);
        start();
        QTRY_VERIFY(records().recording());
        const fs::path copy = dataDir() / "copy.sqlite3";
        for (std::size_t i = 1; i <= 5; ++i) {
            answer("5");
            fs::copy_file(recordsFile(), copy, fs::copy_options::overwrite_existing);
            QCOMPARE(ReadRows(copy).size(), i);
            next();
        }
        QVERIFY(!fs::exists(recordsFile().string() + "-wal"));
    }

    // An older file is upgraded in place at opening, with a progress box while it takes long.
    void anUpgradeShowsItsProgress() {
        fs::create_directories(recordsFile().parent_path());
        WriteSqlite(recordsFile(),
                    "CREATE TABLE answers (id INTEGER PRIMARY KEY, answered_at INTEGER NOT NULL, "
                    "hand TEXT NOT NULL, suit TEXT NOT NULL, dealt TEXT NOT NULL, band TEXT, picks "
                    "TEXT NOT NULL, waits TEXT NOT NULL, wait_count INTEGER NOT NULL, seconds REAL "
                    "NOT NULL, fully_right INTEGER NOT NULL); PRAGMA application_id = 1514949454; "
                    "PRAGMA user_version = 1; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i "
                    "+ 1 FROM n WHERE i < 5000) INSERT INTO answers (answered_at, hand, suit, "
                    "dealt, picks, waits, wait_count, seconds, fully_right) SELECT i, "
                    "'1112345678999', 'm', 'plain', '5', '123456789', 9, 2.5, 0 FROM n;");
        saveSettings(false, false);
        start();
        int progressSeen = 0;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&progressSeen] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                progressSeen +=
                    w->objectName() == QLatin1String("upgradeProgress") && w->isVisible();
            }
        });
        watch.start(0);
        records().recordAction()->trigger();
        watch.stop();
        QVERIFY(records().recording());
        QVERIFY(progressSeen > 0);
        for (QWidget* w : QApplication::topLevelWidgets()) {
            QVERIFY(w->objectName() != QLatin1String("upgradeProgress"));
        }
        QCOMPARE(ReadRows(recordsFile()).size(), std::size_t{5000});
    }

    // Each fault in a player's words: no word of SQLite's, the file named in 「」, and while
    // recording goes on, when it resumes.
    void faultsAreToldInAPlayersWords() {
        const fs::path path = fs::path("/home/player") / std::string(300, 'x') / "records.sqlite3";
        for (const RecordsError error :
             {RecordsError::NotFound, RecordsError::NotOurs, RecordsError::Newer,
              RecordsError::CannotCreate, RecordsError::ReadOnly, RecordsError::DiskFull,
              RecordsError::Busy, RecordsError::Corrupt, RecordsError::Failed}) {
            const RecordsStatus status{
                error, "PRAGMA page_count: database disk image is malformed (SQLite)", false};
            for (const RecordsMoment moment : {RecordsMoment::Opening, RecordsMoment::Writing}) {
                const QString text = RecordsFailureText(status, path, moment);
                const QString what = QStringLiteral("error %1, moment %2: %3")
                                         .arg(static_cast<int>(error))
                                         .arg(static_cast<int>(moment))
                                         .arg(text);
                for (const char* word : {"PRAGMA", "malformed", "SQLite", "disk I/O", "database"}) {
                    QVERIFY2(!text.contains(QLatin1String(word)), qPrintable(what));
                }
                QVERIFY2(text.contains(QStringLiteral("「/home/player/xxx")), qPrintable(what));
                QVERIFY2(text.size() < 300, qPrintable(what));
                QVERIFY2(text.endsWith(QChar(0x3002)), qPrintable(what));
                if (moment == RecordsMoment::Writing && error != RecordsError::Corrupt) {
                    QVERIFY2(text.contains(QStringLiteral("次の解答から")), qPrintable(what));
                }
            }
        }
    }
};

QTEST_MAIN(TestRecordsFeature)
#include "tst_records_feature.moc"
