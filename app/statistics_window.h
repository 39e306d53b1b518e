// The 成績 window: charts of the records' figures and the latest mistakes, which can be retried.
// It is built as a module of its own and loaded when first opened (StatisticsModule), so that
// Qt Charts and the OpenGL libraries under it cost the quiz's start-up nothing.
#pragma once

#include <cstdint>

#include <QLabel>
#include <QListWidget>
#include <QRectF>
#include <QStackedWidget>
#include <QStringList>
#include <QWidget>
#include <QtGlobal>

#include "records/statistics.h"

class QAbstractBarSeries;
class QBarCategoryAxis;
class QBarSet;
class QGraphicsSimpleTextItem;
class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;

namespace zelkon {

inline constexpr const char* kStatisticsTitle =
    QT_TRANSLATE_NOOP("zelkon::StatisticsWindow", "成績");
inline constexpr const char* kNoRecordsText = QT_TRANSLATE_NOOP(
    "zelkon::StatisticsWindow", "まだ記録がありません。問題に答えると、ここに成績が表示されます。");
inline constexpr const char* kCountingText =
    QT_TRANSLATE_NOOP("zelkon::StatisticsWindow", "成績を集計しています…");

// What the window shows, with every text worked out by the caller: the module links Qt alone.
struct StatisticsPage {
    Statistics figures;
    QStringList shapeNames;    // kWaitShapeCount names, in WaitShape order
    QStringList familyNames;   // kFamilyCount names, in catalogue order
    QStringList mistakeTexts;  // one line per figures.latestMistakes
    bool counting = false;     // the first count of a large file is still running
};

// Child object names, for the tests: the chart views "byWaits", "byShape", "byFamily", "byDay",
// the list "mistakes", the labels "summary" and "emptyState".
class StatisticsWindow : public QWidget {
    Q_OBJECT

public:
    // A window of its own (parent only keeps it alive and above the quiz).
    explicit StatisticsWindow(const StatisticsPage& page, QWidget* parent = nullptr);
    ~StatisticsWindow() override;

    // Shows new figures in place, as after more answers: only what changed is set, since
    // building a chart anew costs milliseconds an answer would wait for.
    void setPage(const StatisticsPage& page);

protected:
    // Esc closes the window, as it closes a dialog.
    void keyPressEvent(QKeyEvent* event) override;

signals:
    // The player double-clicked line `mistake` of the list (an index into latestMistakes).
    void retryRequested(int mistake);

protected:
    // The fixed texts follow the language; the page's own come with the next setPage.
    void changeEvent(QEvent* event) override;

private:
    // A chart of one rate per category; the counts go with the category names.
    struct RateChart {
        QChart* chart = nullptr;
        QAbstractBarSeries* series = nullptr;
        QBarSet* rates = nullptr;
        QBarCategoryAxis* names = nullptr;
        QGraphicsSimpleTextItem* counts = nullptr;  // vertical bars: the counts under the names
    };
    static RateChart NewRateChart(QChart* chart, bool horizontal);
    static void ShowRates(RateChart& chart, const QString& title, const QString& barName,
                          const QStringList& names, const QList<qreal>& percents,
                          const QString& countUnit, const QString& countTitle);
    static void PlaceCounts(RateChart& chart);

    void onMistakeActivated(QListWidgetItem* item);
    void retranslate();
    void showDays(const Statistics& figures);
    void repaintAccuracyBand(bool made);
    void showMistakes(const QStringList& texts);
    void showFamilyCounts(const QStringList& counts);
    int familyCountOffset() const;
    void placeFamilyCounts();

    QStackedWidget m_pages;
    QLabel m_empty;
    QWidget m_content;
    QLabel m_summary;
    QListWidget m_mistakes;
    QLabel* m_mistakesHeading;  // owned by the layout's box
    // Owned by their views and charts.
    RateChart m_waits;
    RateChart m_shapes;
    RateChart m_families;
    QList<QGraphicsSimpleTextItem*> m_familyCounts;  // owned by the chart, bottom row first
    QChart* m_days = nullptr;
    QBarSet* m_dayProblems = nullptr;
    QBarCategoryAxis* m_dayNames = nullptr;
    QValueAxis* m_dayCount = nullptr;
    QValueAxis* m_dayRate = nullptr;
    std::int64_t m_dayMost = -1;     // the tallest bar the count axis is scaled to
    QList<QLineSeries*> m_accuracy;  // one line per run of days with problems
    QRectF m_accuracyBand;           // where the lines were last repainted, in the scene
    QList<QChartView*> m_views;      // the four charts' views, owned by the layout
};

// The module's entry points, resolved by name once it is loaded. The version names the layout of
// StatisticsPage and the entry points' meaning: raise it with any change to either.
inline constexpr std::uint32_t kStatisticsModuleInterface = 4;
inline constexpr std::uint32_t kStatisticsModuleVersion =
    kStatisticsModuleInterface << 16 | static_cast<std::uint32_t>(sizeof(StatisticsPage) & 0xffff);
using StatisticsModuleVersionFunction = std::uint32_t (*)();
inline constexpr const char* kStatisticsModuleVersionSymbol = "zelkonStatisticsModuleVersion";
using CreateStatisticsWindowFunction = QWidget* (*)(const StatisticsPage* page, QWidget* parent);
using ShowStatisticsFunction = void (*)(QWidget* window, const StatisticsPage* page);
inline constexpr const char* kCreateStatisticsWindowSymbol = "zelkonStatisticsWindow";
inline constexpr const char* kShowStatisticsSymbol = "zelkonShowStatistics";
// The module's file name without its suffix.
inline constexpr const char* kStatisticsModuleName = "zelkon_statistics";

}  // namespace zelkon
