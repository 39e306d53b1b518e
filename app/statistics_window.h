// The 成績 window: charts of the records' figures and the latest mistakes, which can be retried.
#pragma once

#include <QLabel>
#include <QListWidget>
#include <QStackedWidget>
#include <QWidget>

#include "analysis/problem.h"
#include "records/statistics.h"

class QChart;
class QChartView;

namespace zelkon {

inline constexpr const char* kStatisticsTitle = "成績";
inline constexpr const char* kNoRecordsText =
    "まだ記録がありません。問題に答えると、ここに成績が表示されます。";

class StatisticsWindow : public QWidget {
    Q_OBJECT

public:
    // A window of its own (parent only keeps it alive and centred over the quiz).
    explicit StatisticsWindow(const Statistics& figures, QWidget* parent = nullptr);
    ~StatisticsWindow() override;

    // Shows new figures in place, as after more answers.
    void setFigures(const Statistics& figures);

    bool showsEmptyState() const;
    QChart* waitsChart() const { return m_waits; }
    QChart* shapesChart() const { return m_shapes; }
    QChart* daysChart() const { return m_days; }
    const QLabel& summary() const { return m_summary; }
    QListWidget& mistakes() { return m_mistakes; }

signals:
    // The player double-clicked a mistake: make hand (ascending) the current problem.
    void retryRequested(const zelkon::Hand13& hand);

private:
    void onMistakeActivated(QListWidgetItem* item);

    QStackedWidget m_pages;
    QLabel m_empty;
    QWidget m_content;
    QLabel m_summary;
    QListWidget m_mistakes;
    // Owned by their views.
    QChart* m_waits = nullptr;
    QChart* m_shapes = nullptr;
    QChart* m_days = nullptr;
};

// "12/9 14:05  1112345678999m  選んだ 258  待ち 2589": one row of the mistakes list.
QString MistakeText(const Mistake& mistake);

}  // namespace zelkon
