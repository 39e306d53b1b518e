// The 成績 window's module, found and checked as the program finds it, and the window a player
// sees: the rate day by day, bars below 100 %, within the screen, Esc; figures changed in place
// as a fresh window would draw them; families and hints from real records.
#include <algorithm>
#include <functional>
#include <map>
#include <vector>

#include <QAbstractEventDispatcher>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGraphicsSimpleTextItem>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QMainWindow>
#include <QScreen>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>

#include "app/practice_runs.h"
#include "app/records_feature.h"
#include "app/statistics_module.h"
#include "dealing/band_dealer.h"
#include "dealing/family_dealer.h"
#include "dealing/random_source.h"
#include "quiz/zelkon_view.h"
#include "records/record_rows.h"
#include "records/records_store.h"

using namespace zelkon;

namespace {

// Days with problems (index into the last 30 days) and one with none between them.
StatisticsPage PageWithDays(std::initializer_list<std::pair<int, int>> days) {
    StatisticsPage page;
    for (const auto& [index, problems] : days) {
        DayFigure& day = page.figures.days[static_cast<std::size_t>(index)];
        day.problems = problems;
        day.fullyRight = problems / 2;
        page.figures.problems += problems;
        page.figures.fullyRight += day.fullyRight;
    }
    for (int i = 0; i < kStatisticsDays; ++i) {
        page.figures.days[static_cast<std::size_t>(i)].day = 20'000 + i;
    }
    for (int s = 0; s < kWaitShapeCount; ++s) {
        page.shapeNames << QStringLiteral("形%1").arg(s);
    }
    page.mistakeTexts << QStringLiteral("12/9 14:05　1112345678999m　選んだ牌：5　待ち：123456789");
    return page;
}

// Each chart as the screen showed it right after the first frame that painted it, with the
// events run pass by pass until none is left: a chart whose figures move its lines must show
// them whole in that frame, not a frame later.
std::map<QString, QImage> FirstFramesOfCharts(QWidget& window) {
    class Painted : public QObject {
    public:
        QSet<QObject*> widgets;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint) {
                widgets.insert(watched);
            }
            return false;
        }
    };
    Painted painted;
    const QList<QChartView*> views = window.findChildren<QChartView*>();
    for (QChartView* view : views) {
        view->viewport()->installEventFilter(&painted);
    }
    std::map<QString, QImage> frames;
    bool more = true;
    while (more) {
        more = QAbstractEventDispatcher::instance()->processEvents(QEventLoop::AllEvents);
        for (QChartView* view : views) {
            if (painted.widgets.contains(view->viewport()) &&
                !frames.contains(view->objectName())) {
                frames[view->objectName()] =
                    window.screen()
                        ->grabWindow(window.winId())
                        .toImage()
                        .copy(QRect(view->mapTo(&window, QPoint()), view->size()));
            }
        }
    }
    return frames;
}

QChart* ChartOf(QWidget& window, const char* name) {
    return window.findChild<QChartView*>(QLatin1String(name))->chart();
}

QList<QLineSeries*> AccuracyLines(QWidget& window) {
    QList<QLineSeries*> lines;
    for (QAbstractSeries* series :
         window.findChild<QChartView*>(QStringLiteral("byDay"))->chart()->series()) {
        if (auto* line = qobject_cast<QLineSeries*>(series)) {
            lines << line;
        }
    }
    return lines;
}

}  // namespace

class TestStatisticsWindow : public QObject {
    Q_OBJECT

    StatisticsModule m_module;

private slots:
    void initTestCase() {
        QVERIFY2(m_module.load(StatisticsModuleFolders(QCoreApplication::applicationDirPath())),
                 qPrintable(m_module.error()));
    }

    // Installed: only the lib folder beside bin. In a build tree: that tree's, found by its
    // CMakeCache.txt above the program, never compiled in.
    void theModuleIsLookedForBesideTheProgramThenInItsBuildTree() {
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("usr/bin")));
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("build/tests/app")));
        QFile cache(root.filePath(QStringLiteral("build/CMakeCache.txt")));
        QVERIFY(cache.open(QIODevice::WriteOnly));
        const QString installed = root.filePath(QStringLiteral("usr/bin"));
        const QStringList forInstalled = StatisticsModuleFolders(installed);
        QCOMPARE(forInstalled.size(), 1);
        QVERIFY(forInstalled.front().startsWith(root.filePath(QStringLiteral("usr/lib"))));
        QVERIFY(forInstalled.front().endsWith(QStringLiteral("/zelkon")));
        for (const char* program : {"build/app", "build/tests/app"}) {
            const QStringList folders =
                StatisticsModuleFolders(root.filePath(QString::fromLatin1(program)));
            QCOMPARE(folders.size(), 2);
            QVERIFY(folders.back().startsWith(root.filePath(QStringLiteral("build/lib"))));
        }
        // The folders this test runs from find the module the build made.
        QVERIFY(m_module.loaded());
    }

    // A stale module (another interface) is refused before any entry point is called; the
    // lookup goes on to the next folder.
    void aModuleOfAnotherInterfaceIsRefused() {
        const QString stale = QCoreApplication::applicationDirPath() + QStringLiteral("/stale");
        StatisticsModule alone;
        QVERIFY(!alone.load({stale}));
        QVERIFY2(alone.error().contains(QStringLiteral("version 65536")),
                 qPrintable(alone.error()));
        StatisticsModule next;
        QVERIFY(next.load(QStringList{stale} +
                          StatisticsModuleFolders(QCoreApplication::applicationDirPath())));
        const StatisticsPage page = PageWithDays({{29, 4}});
        std::unique_ptr<QWidget> window(next.create(page, nullptr));
        QVERIFY(window != nullptr);
    }

    // One day of problems still shows its rate, as a point; a day without any is no part of
    // a line; the tallest bar stays below the 100 % line.
    void theRateIsDrawnDayByDayAndTheBarsStayBelowIt() {
        const struct {
            std::initializer_list<std::pair<int, int>> days;
            int lines;
        } cases[] = {
            {{{29, 1}}, 1}, {{{3, 5}, {4, 2}, {7, 9}, {29, 40}}, 3}, {{{0, 8}, {1, 8}}, 1}};
        for (const auto& c : cases) {
            const StatisticsPage page = PageWithDays(c.days);
            std::unique_ptr<QWidget> window(m_module.create(page, nullptr));
            const QList<QLineSeries*> lines = AccuracyLines(*window);
            QCOMPARE(lines.size(), c.lines);
            int points = 0;
            for (QLineSeries* line : lines) {
                QVERIFY(line->pointsVisible());
                QCOMPARE(line->color(), lines.front()->color());
                const QList<QPointF> at = line->points();
                for (qsizetype i = 1; i < at.size(); ++i) {
                    QCOMPARE(at[i].x() - at[i - 1].x(), 1.0);
                }
                points += static_cast<int>(at.size());
            }
            QCOMPARE(points, static_cast<int>(c.days.size()));
            int most = 0;
            for (const auto& [index, problems] : c.days) {
                most = std::max(most, problems);
            }
            const auto* count = window->findChild<QChartView*>(QStringLiteral("byDay"))
                                    ->chart()
                                    ->findChild<QValueAxis*>(QStringLiteral("problemCount"));
            QVERIFY(count != nullptr);
            QVERIFY2(count->max() > most, qPrintable(QString::number(count->max())));
        }
    }

    // Today growing answer by answer as the tallest day, shown in place: the count axis keeps the
    // scale a fresh window gives at every height, across each step of its nice numbers.
    void theCountAxisGrowsAsAFreshWindowScalesIt() {
        const auto countAxis = [](QWidget& window) {
            return window.findChild<QChartView*>(QStringLiteral("byDay"))
                ->chart()
                ->findChild<QValueAxis*>(QStringLiteral("problemCount"));
        };
        StatisticsPage page = PageWithDays({{10, 3}, {29, 1}});
        std::unique_ptr<QWidget> shown(m_module.create(page, nullptr));
        std::vector<int> heights;
        for (int most = 2; most <= 130; ++most) {
            heights.push_back(most);
        }
        heights.insert(heights.end(),
                       {399, 400, 401, 799, 800, 801, 9'999, 10'000, 16'999, 17'000, 123'456});
        for (const int most : heights) {
            DayFigure& today = page.figures.days[kStatisticsDays - 1];
            page.figures.problems += most - today.problems;
            today.problems = most;
            m_module.show(shown.get(), page);
            std::unique_ptr<QWidget> fresh(m_module.create(page, nullptr));
            const QValueAxis* inPlace = countAxis(*shown);
            const QValueAxis* expected = countAxis(*fresh);
            const QString scale = QStringLiteral("%1: %2-%3 in %4 ticks, fresh %5-%6 in %7")
                                      .arg(most)
                                      .arg(inPlace->min())
                                      .arg(inPlace->max())
                                      .arg(inPlace->tickCount())
                                      .arg(expected->min())
                                      .arg(expected->max())
                                      .arg(expected->tickCount());
            QVERIFY2(inPlace->min() == expected->min() && inPlace->max() == expected->max() &&
                         inPlace->tickCount() == expected->tickCount(),
                     qPrintable(scale));
            QVERIFY2(inPlace->max() > most, qPrintable(scale));
        }
    }

    // Each page shown in place draws the window a fresh one draws, on screen too, while its
    // charts keep their series: more answers, a new day, a family first seen, fewer mistakes, a
    // rate of 100 %, a full list of mistakes moved down a row.
    void figuresChangedInPlaceDrawWhatAFreshWindowDraws() {
        StatisticsPage page = PageWithDays({{27, 4}});
        for (int f = 0; f < kFamilyCount; ++f) {
            page.familyNames << QStringLiteral("形%1").arg(f);
        }
        std::unique_ptr<QWidget> shown(m_module.create(page, nullptr));
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
        QAbstractSeries* waitBars = ChartOf(*shown, "byWaits")->series().value(0);
        QAbstractSeries* dayBars = ChartOf(*shown, "byDay")->series().value(0);
        const auto step = [&page](int day, int problems, int right, int waits, int family) {
            DayFigure& figure = page.figures.days[static_cast<std::size_t>(day)];
            figure.problems += problems;
            figure.fullyRight += right;
            page.figures.problems += problems;
            page.figures.fullyRight += right;
            page.figures.byWaits[static_cast<std::size_t>(waits)].problems += problems;
            page.figures.byWaits[static_cast<std::size_t>(waits)].fullyRight += right;
            page.figures.byShape[1].seen += problems;
            page.figures.byShape[1].missed += problems - right;
            page.figures.byFamily[static_cast<std::size_t>(family)].problems += problems;
            page.figures.byFamily[static_cast<std::size_t>(family)].fullyRight += right;
        };
        const std::function<void()> changes[] = {
            [&] { step(27, 1, 1, 3, 7); },
            [&] { step(27, 3, 1, 3, 7); },
            [&] {
                step(29, 2, 0, 5, 0);
                page.figures.hinted = 1;
            },
            [&] { step(28, 5, 5, 2, 15); },
            [&] { page.mistakeTexts.clear(); },
            [&] {
                page.mistakeTexts << QStringLiteral("a") << QStringLiteral("b");
                step(29, 40, 2, 9, 22);
            },
            // A full list, then a miss: every line moves down a row, the last one goes.
            [&] {
                for (int i = 0; i < 20; ++i) {
                    page.mistakeTexts
                        << QStringLiteral(
                               "12/%1 14:05　1112345678999m　選んだ牌：5　待ち：123456789")
                               .arg(i + 1);
                }
            },
            [&] {
                page.mistakeTexts.prepend(
                    QStringLiteral("12/9 15:00　1122334455667m　選んだ牌：36　待ち：147"));
                page.mistakeTexts.removeLast();
                step(29, 1, 0, 3, 7);
            },
        };
        int changeNumber = 0;
        for (const auto& change : changes) {
            change();
            m_module.show(shown.get(), page);
            const std::map<QString, QImage> firstFrames = FirstFramesOfCharts(*shown);
            std::unique_ptr<QWidget> fresh(m_module.create(page, nullptr));
            fresh->show();
            QVERIFY(QTest::qWaitForWindowExposed(fresh.get()));
            QCOMPARE(shown->size(), fresh->size());
            const QImage expected = fresh->grab().toImage();
            QVERIFY2(shown->grab().toImage() == expected,
                     qPrintable(QStringLiteral("change %1").arg(changeNumber)));
            // grab() paints the whole window afresh; the screen holds only what was repainted.
            while (QAbstractEventDispatcher::instance()->processEvents(QEventLoop::AllEvents)) {
            }
            const QImage onScreen = shown->screen()->grabWindow(shown->winId()).toImage();
            QVERIFY2(onScreen.convertToFormat(expected.format()) == expected,
                     qPrintable(QStringLiteral("change %1 on screen").arg(changeNumber)));
            for (const auto& [name, frame] : firstFrames) {
                const auto* view = shown->findChild<QChartView*>(name);
                const QRect area(view->mapTo(shown.get(), QPoint()), view->size());
                QVERIFY2(frame.convertToFormat(expected.format()) == expected.copy(area),
                         qPrintable(QStringLiteral("change %1, first frame of %2")
                                        .arg(changeNumber)
                                        .arg(name)));
            }
            ++changeNumber;
        }
        QCOMPARE(ChartOf(*shown, "byWaits")->series().value(0), waitBars);
        QCOMPARE(ChartOf(*shown, "byDay")->series().value(0), dayBars);
    }

    // Records of short hands, families and hints, counted as the window counts them and read
    // again here from the answers written: only the families seen, the catalogue's first at the
    // top, a hinted answer never fully right; an answer given with the window open is in it.
    void familiesAndHintsOfTheRecordsShowInTheWindow() {
        QTemporaryDir home;
        const std::filesystem::path file =
            std::filesystem::path(home.path().toStdString()) / "records.sqlite3";
        const FamilyIndex tatsumaki = FamilyIndexOf("tatsumaki");
        const FamilyIndex kanchan = FamilyIndexOf("kanchan");
        const FamilyIndex nobetan = FamilyIndexOf("nobetan");
        struct Dealt {
            FamilyIndex family;
            int tiles;
            bool allWaits;
            int hints;
        };
        const Dealt dealt[] = {
            {tatsumaki, 7, true, 0}, {tatsumaki, 10, true, 2}, {tatsumaki, 13, false, 0},
            {kanchan, 4, true, 0},   {kanchan, 4, true, 0},    {kanchan, 7, true, 6},
            {nobetan, 4, false, 1},  {nobetan, 13, true, 0},
        };
        std::array<int, kFamilyCount> seen{};
        std::array<int, kFamilyCount> right{};
        int hinted = 0;
        {
            SeedDraws(77);
            OpenedRecords opened = RecordsStore::open(file, OpenMode::CreateIfMissing);
            QVERIFY(opened.store != nullptr);
            for (const Dealt& d : dealt) {
                TileHand hand;
                QVERIFY(DealFamilyHand(d.family, d.tiles, hand));
                const NumberSet waits =
                    MakeAnswerRecord(hand, kSuitSouzu, DealKind::Family, RecordedBand::None, 0, 1,
                                     NowUnixMillis(), d.family, 0)
                        .waits;
                QVERIFY(waits != 0);
                const NumberSet picks = d.allWaits ? waits : NumberBit(kMinTile);
                QVERIFY(opened.store
                            ->addAnswer(MakeAnswerRecord(hand, kSuitSouzu, DealKind::Family,
                                                         RecordedBand::None, picks, 3,
                                                         NowUnixMillis(), d.family, d.hints))
                            .ok());
                ++seen[static_cast<std::size_t>(d.family)];
                right[static_cast<std::size_t>(d.family)] += picks == waits && d.hints == 0 ? 1 : 0;
                hinted += d.hints > 0 ? 1 : 0;
            }
        }
        QMainWindow frame;
        auto* view = new CZelkonView(&frame);
        frame.setCentralWidget(view);
        frame.show();
        RecordsFeature records(*view, &frame);
        records.setRecordsPath(file);
        records.setRecording(true);
        QTRY_VERIFY(records.figuresReady());
        records.openStatistics();
        QWidget* window = records.statisticsWindow();
        QVERIFY(window != nullptr);

        const auto expectFigures = [&](int problems) {
            QStringList names;
            QStringList counts;
            QList<qreal> rates;
            for (int f = kFamilyCount - 1; f >= 0; --f) {
                const auto slot = static_cast<std::size_t>(f);
                if (seen[slot] > 0) {
                    names << PracticeRuns::familyName(f);
                    counts << QStringLiteral("%1問").arg(seen[slot]);
                    rates << 100.0 * right[slot] / seen[slot];
                }
            }
            QChart* chart = ChartOf(*window, "byFamily");
            auto* bars = qobject_cast<QHorizontalBarSeries*>(chart->series().value(0));
            QVERIFY(bars != nullptr);
            auto* axis = qobject_cast<QBarCategoryAxis*>(bars->attachedAxes().value(0));
            QVERIFY(axis != nullptr);
            QCOMPARE(axis->categories(), names);
            // Each count beside its bar, right of the plot.
            QStringList shownCounts;
            QList<qreal> heights;
            for (QGraphicsItem* item : chart->childItems()) {
                if (auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(item)) {
                    QVERIFY(text->pos().x() > chart->plotArea().right());
                    shownCounts << text->text();
                    heights << text->pos().y();
                }
            }
            QCOMPARE(shownCounts, counts);
            QVERIFY(std::is_sorted(heights.rbegin(), heights.rend()));
            QBarSet* set = bars->barSets().value(0);
            QCOMPARE(set->count(), rates.size());
            for (int i = 0; i < set->count(); ++i) {
                QCOMPARE(set->at(i), rates[i]);
            }
            const QString summary = window->findChild<QLabel*>(QStringLiteral("summary"))->text();
            QVERIFY2(summary.contains(QStringLiteral("秒　ヒントを使った問題 %1問（%2%）")
                                          .arg(hinted)
                                          .arg(100.0 * hinted / problems, 0, 'f', 1)),
                     qPrintable(summary));
        };
        expectFigures(static_cast<int>(std::size(dealt)));

        // A 13-tile answer: its family is its smallest core's.
        const Problem answered = view->quiz().problem();
        view->okButton().click();
        const FamilyIndex family = CoreFamilyOf(TileHandOf(answered.sortedHand));
        if (family != kNoFamily) {
            ++seen[static_cast<std::size_t>(family)];
            right[static_cast<std::size_t>(family)] += CountWaits(answered.sortedHand) == 0;
        }
        QTRY_VERIFY(window->findChild<QLabel*>(QStringLiteral("summary"))
                        ->text()
                        .startsWith(QStringLiteral("問題数 9問")));
        expectFigures(static_cast<int>(std::size(dealt)) + 1);
    }

    void theWindowOpensWithinTheScreenAndEscClosesIt() {
        const StatisticsPage page = PageWithDays({{28, 3}, {29, 5}});
        std::unique_ptr<QWidget> window(m_module.create(page, nullptr));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const QRect available = window->screen()->availableGeometry();
        QVERIFY2(available.contains(window->frameGeometry()),
                 qPrintable(QStringLiteral("%1x%2 in %3x%4")
                                .arg(window->frameGeometry().width())
                                .arg(window->frameGeometry().height())
                                .arg(available.width())
                                .arg(available.height())));
        // From the list too, where the focus sits after a double click.
        window->findChild<QListWidget*>(QStringLiteral("mistakes"))->setFocus();
        QTest::keyClick(
            QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : window.get(),
            Qt::Key_Escape);
        QVERIFY(!window->isVisible());
    }
};

QTEST_MAIN(TestStatisticsWindow)
#include "tst_statistics_window.moc"
