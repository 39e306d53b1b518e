// The 成績 window's module, found and checked as the program finds it, and the window a player
// sees: the rate day by day, bars below 100 %, within the screen, Esc.
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineSeries>
#include <QListWidget>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>

#include "app/statistics_module.h"

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
