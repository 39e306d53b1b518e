#include "statistics_window.h"

#include <algorithm>

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDate>
#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <QValueAxis>

namespace zelkon {

namespace {

constexpr int kWindowWidth = 1000;
constexpr int kWindowHeight = 820;
// The window manager's frame is known only once shown: room kept for a title bar and borders.
constexpr int kFrameAllowance = 48;

double Percent(std::int64_t part, std::int64_t whole) {
    return whole == 0 ? 0.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole);
}

// One bar of a rate chart: the percentage and the count it is taken over.
struct Rate {
    double percent;
    std::int64_t count;
};

QChart* NewChart(QGridLayout* grid, int row, int column, int columns, const QString& objectName) {
    auto* chart = new QChart;
    chart->setObjectName(objectName);
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto* view = new QChartView(chart);
    view->setObjectName(objectName);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(240, 150);
    grid->addWidget(view, row, column, 1, columns);
    return chart;
}

void Clear(QChart* chart) {
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
}

QValueAxis* PercentAxis(const QString& title) {
    auto* axis = new QValueAxis;
    axis->setRange(0, 100);
    axis->setLabelFormat(QStringLiteral("%d%"));
    axis->setTitleText(title);
    return axis;
}

// Bars of one rate per category, with the count under each category name.
void ShowRates(QChart* chart, const QString& title, const QString& barName,
               const QStringList& names, const QList<Rate>& figures, const QString& countUnit) {
    // Counts go to the axis title: a second line under each category would be cut short.
    Clear(chart);
    chart->setTitle(title);
    auto* rates = new QBarSet(barName);
    rates->setLabelColor(Qt::black);
    QStringList counts;
    for (qsizetype i = 0; i < names.size(); ++i) {
        rates->append(figures[i].percent);
        counts << QString::number(figures[i].count);
    }
    auto* series = new QBarSeries;
    series->append(rates);
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    series->setLabelsFormat(QStringLiteral("@value%"));
    // Two figures: three overlap their neighbours' in a window of laptop width.
    series->setLabelsPrecision(2);
    chart->addSeries(series);
    auto* x = new QBarCategoryAxis;
    x->append(names);
    x->setTitleText(countUnit + QStringLiteral(" ") + counts.join(QStringLiteral(" / ")));
    QFont small = x->titleFont();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    x->setTitleFont(small);
    x->setLabelsFont(small);
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    QValueAxis* y = PercentAxis(QString());
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
    chart->legend()->setVisible(false);
}

}  // namespace

StatisticsWindow::StatisticsWindow(const StatisticsPage& page, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("statistics"));
    // Within the screen's available area (a 1366 x 768 laptop has some 700 pixels of height).
    const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect available =
        screen != nullptr ? screen->availableGeometry() : QRect(0, 0, kWindowWidth, kWindowHeight);
    resize(std::min(kWindowWidth, available.width() - kFrameAllowance / 3),
           std::min(kWindowHeight, available.height() - kFrameAllowance));
    move(available.x() + (available.width() - width()) / 2,
         available.y() + std::max(0, (available.height() - height() - kFrameAllowance) / 2));

    m_empty.setAlignment(Qt::AlignCenter);
    m_empty.setObjectName(QStringLiteral("emptyState"));

    auto* grid = new QGridLayout(&m_content);
    m_summary.setObjectName(QStringLiteral("summary"));
    grid->addWidget(&m_summary, 0, 0, 1, 2);
    m_waits = NewChart(grid, 1, 0, 1, QStringLiteral("byWaits"));
    m_shapes = NewChart(grid, 1, 1, 1, QStringLiteral("byShape"));
    m_days = NewChart(grid, 2, 0, 2, QStringLiteral("byDay"));

    auto* mistakesBox = new QWidget;
    auto* mistakesLayout = new QVBoxLayout(mistakesBox);
    mistakesLayout->setContentsMargins(0, 0, 0, 0);
    m_mistakesHeading = new QLabel;
    mistakesLayout->addWidget(m_mistakesHeading);
    m_mistakes.setObjectName(QStringLiteral("mistakes"));
    mistakesLayout->addWidget(&m_mistakes);
    grid->addWidget(mistakesBox, 3, 0, 1, 2);
    grid->setRowStretch(1, 3);
    grid->setRowStretch(2, 3);
    grid->setRowStretch(3, 2);
    connect(&m_mistakes, &QListWidget::itemDoubleClicked, this,
            &StatisticsWindow::onMistakeActivated);

    m_pages.addWidget(&m_empty);
    m_pages.addWidget(&m_content);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(&m_pages);

    retranslate();
    setPage(page);
}

void StatisticsWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
    }
    QWidget::changeEvent(event);
}

void StatisticsWindow::retranslate() {
    setWindowTitle(tr(kStatisticsTitle));
    m_mistakesHeading->setText(tr("最近間違えた問題（ダブルクリックでもう一度出題）"));
}

// Members go before their parents: each leaves its parent as it is destroyed.
StatisticsWindow::~StatisticsWindow() = default;

void StatisticsWindow::setPage(const StatisticsPage& page) {
    const Statistics& figures = page.figures;
    if (page.counting || figures.problems == 0) {
        // A chart of nothing reads as a broken chart.
        m_empty.setText(tr(page.counting ? kCountingText : kNoRecordsText));
        m_pages.setCurrentWidget(&m_empty);
        m_mistakes.clear();
        return;
    }
    m_pages.setCurrentWidget(&m_content);

    QString median = QStringLiteral("—");
    if (figures.medianSeconds) {
        median = QString::number(*figures.medianSeconds, 'f', 1);
    }
    m_summary.setText(
        StatisticsWindow::tr("問題数 %1問　完全正解 %2問（%3%）　1問の所要時間（中央値）%4秒")
            .arg(figures.problems)
            .arg(figures.fullyRight)
            .arg(100.0 * static_cast<double>(figures.fullyRight) /
                     static_cast<double>(figures.problems),
                 0, 'f', 1)
            .arg(median));

    QStringList waitNames;
    QList<Rate> waitFigures;
    for (int k = 1; k <= 9; ++k) {
        waitNames << tr("%1種").arg(k);
        const ProblemFigure& figure = figures.byWaits[static_cast<std::size_t>(k)];
        waitFigures << Rate{Percent(figure.fullyRight, figure.problems), figure.problems};
    }
    ShowRates(m_waits, StatisticsWindow::tr("待ちの種類数ごとの完全正解率"),
              StatisticsWindow::tr("完全正解率"), waitNames, waitFigures,
              StatisticsWindow::tr("問題数"));

    QStringList shapeNames;
    QList<Rate> shapeFigures;
    for (int s = 0; s < kWaitShapeCount; ++s) {
        shapeNames << page.shapeNames.value(s);
        const ShapeFigure& figure = figures.byShape[static_cast<std::size_t>(s)];
        shapeFigures << Rate{Percent(figure.missed, figure.seen), figure.seen};
    }
    ShowRates(m_shapes, StatisticsWindow::tr("待ちの形ごとの見逃し率"),
              StatisticsWindow::tr("見逃し率"), shapeNames, shapeFigures,
              StatisticsWindow::tr("対象の待ち（延べ）"));

    Clear(m_days);
    const auto dayText = [&figures](std::size_t i) {
        return QDate(1970, 1, 1).addDays(figures.days[i].day).toString(QStringLiteral("M/d"));
    };
    m_days->setTitle(StatisticsWindow::tr("日ごとの問題数と完全正解率（%1〜%2）")
                         .arg(dayText(0), dayText(kStatisticsDays - 1)));
    auto* problems = new QBarSet(StatisticsWindow::tr("問題数"));
    // One line per run of days with problems: a day without any has no rate to join across,
    // and a run of one day is its point alone.
    QList<QLineSeries*> accuracy;
    QLineSeries* run = nullptr;
    QStringList dayNames;
    std::int64_t most = 0;
    for (int i = 0; i < kStatisticsDays; ++i) {
        const DayFigure& day = figures.days[static_cast<std::size_t>(i)];
        problems->append(static_cast<qreal>(day.problems));
        most = std::max(most, day.problems);
        if (day.problems == 0) {
            run = nullptr;
        } else {
            if (run == nullptr) {
                run = new QLineSeries;
                run->setObjectName(QStringLiteral("accuracy"));
                run->setPointsVisible(true);
                run->setMarkerSize(7);
                accuracy << run;
            }
            run->append(
                i, 100.0 * static_cast<double>(day.fullyRight) / static_cast<double>(day.problems));
        }
        // The day of the month (the title names the months); names must differ, so a day
        // number seen twice (a short February) gets an invisible mark.
        const QDate date = QDate(1970, 1, 1).addDays(day.day);
        QString name = QString::number(date.day());
        while (dayNames.contains(name)) {
            name += QChar(0x200B);
        }
        dayNames << name;
    }
    auto* bars = new QBarSeries;
    bars->append(problems);
    m_days->addSeries(bars);
    for (QLineSeries* line : accuracy) {
        m_days->addSeries(line);
    }
    auto* x = new QBarCategoryAxis;
    x->append(dayNames);
    QFont dayFont = x->labelsFont();
    dayFont.setPointSizeF(dayFont.pointSizeF() * 0.75);
    x->setLabelsFont(dayFont);
    m_days->addAxis(x, Qt::AlignBottom);
    bars->attachAxis(x);
    auto* count = new QValueAxis;
    count->setObjectName(QStringLiteral("problemCount"));
    // A quarter above the tallest bar, so that no bar reaches the line of 100 %.
    count->setRange(0, 1.25 * static_cast<qreal>(std::max<std::int64_t>(most, 1)));
    count->setLabelFormat(QStringLiteral("%d"));
    count->applyNiceNumbers();
    m_days->addAxis(count, Qt::AlignLeft);
    bars->attachAxis(count);
    QValueAxis* rate = PercentAxis(QString());
    m_days->addAxis(rate, Qt::AlignRight);
    for (QLineSeries* line : accuracy) {
        line->attachAxis(x);
        line->attachAxis(rate);
        // The runs are one line to the reader: one colour, one entry in the legend.
        if (line != accuracy.front()) {
            line->setColor(accuracy.front()->color());
            for (QLegendMarker* marker : m_days->legend()->markers(line)) {
                marker->setVisible(false);
            }
        }
    }
    if (!accuracy.isEmpty()) {
        accuracy.front()->setName(StatisticsWindow::tr("完全正解率"));
    }
    m_days->legend()->setVisible(true);

    m_mistakes.clear();
    m_mistakes.addItems(page.mistakeTexts);
}

void StatisticsWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void StatisticsWindow::onMistakeActivated(QListWidgetItem* item) {
    emit retryRequested(m_mistakes.row(item));
}

extern "C" Q_DECL_EXPORT std::uint32_t zelkonStatisticsModuleVersion() {
    return kStatisticsModuleVersion;
}

extern "C" Q_DECL_EXPORT QWidget* zelkonStatisticsWindow(const StatisticsPage* page,
                                                         QWidget* parent) {
    return new StatisticsWindow(*page, parent);
}

extern "C" Q_DECL_EXPORT void zelkonShowStatistics(QWidget* window, const StatisticsPage* page) {
    if (auto* statistics = qobject_cast<StatisticsWindow*>(window)) {
        statistics->setPage(*page);
    }
}

}  // namespace zelkon
