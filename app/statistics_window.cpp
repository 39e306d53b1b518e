#include "statistics_window.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCache>
#include <QChart>
#include <QChartView>
#include <QDate>
#include <QEvent>
#include <QFontMetrics>
#include <QGraphicsItemGroup>
#include <QGraphicsLayout>
#include <QGraphicsLineItem>
#include <QGraphicsObject>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHorizontalBarSeries>
#include <QImage>
#include <QKeyEvent>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPaintEngine>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionGraphicsItem>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <QValueAxis>

namespace zelkon {

namespace {

// The count axis's ticks before nice numbers are applied (Qt Charts' own default).
constexpr int kDayCountTicks = 5;
// The daily rate's points, in pixels across.
constexpr int kAccuracyMarkerSize = 7;
// Where a family count's item keeps the width of its text.
constexpr int kCountWidthKey = 0;
// The families' column beside the 1000 pixels the other charts had.
constexpr int kWindowWidth = 1400;
constexpr int kWindowHeight = 820;
// Pixels between a bar's label and the count beside it, and after the count.
constexpr int kCountMargin = 8;
// The window manager's frame is known only once shown: room kept for a title bar and borders.
constexpr int kFrameAllowance = 48;

double Percent(std::int64_t part, std::int64_t whole) {
    return whole == 0 ? 0.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole);
}

// The screen's picture a widget's painter draws into one to one at a whole device pixel ratio,
// or nothing (a scaled render, a printer): a picture made in the screen's format and ratio then
// copies onto it exactly.
const QImage* OneToOneScreen(const QPainter* painter) {
    const QPaintDevice* device = painter->paintEngine()->paintDevice();
    const qreal ratio = device->devicePixelRatio();
    const QTransform toDevice = painter->deviceTransform();
    if (device->devType() != QInternal::Image || ratio != std::round(ratio) ||
        toDevice.type() > QTransform::TxScale || toDevice.m11() != ratio ||
        toDevice.m22() != ratio || toDevice.dx() != std::round(toDevice.dx()) ||
        toDevice.dy() != std::round(toDevice.dy())) {
        return nullptr;
    }
    return static_cast<const QImage*>(device);
}

// A chart view that draws the chart's still parts, its background and the axes' lines, from a
// picture. Qt Charts strokes every grid line twice (once to find its bounds) for each bar an
// answer changes, and the day chart's whole plot at each answer; the lines move only when the
// chart is laid out again. The scene is told the lines paint nothing, and the view draws them
// under everything else, in the scene's own order: only lines that no earlier item overlaps are
// taken, so every pixel comes out as the scene draws it. A scaled render or a printer gets them
// drawn directly.
class StillPartsView : public QChartView {
public:
    using QChartView::QChartView;

    // Follows the changes of the axes' lines (call once the axes are attached). A changed pen
    // repaints the view; a change of place is looked for by settle().
    void watchAxes() {
        const auto moved = [this] { m_mayHaveMoved = true; };
        const auto restyled = [this] {
            m_parts.reset();
            viewport()->update();
        };
        connect(chart(), &QChart::plotAreaChanged, this, moved);
        for (QAbstractAxis* axis : chart()->axes()) {
            connect(axis, &QAbstractAxis::visibleChanged, this, restyled);
            connect(axis, &QAbstractAxis::lineVisibleChanged, this, restyled);
            connect(axis, &QAbstractAxis::linePenChanged, this, restyled);
            connect(axis, &QAbstractAxis::gridVisibleChanged, this, restyled);
            connect(axis, &QAbstractAxis::gridLinePenChanged, this, restyled);
            connect(axis, &QAbstractAxis::gridLineColorChanged, this, restyled);
            connect(axis, &QAbstractAxis::minorGridVisibleChanged, this, restyled);
            connect(axis, &QAbstractAxis::minorGridLinePenChanged, this, restyled);
            if (auto* values = qobject_cast<QValueAxis*>(axis)) {
                connect(values, &QValueAxis::tickCountChanged, this, moved);
                connect(values, &QValueAxis::minorTickCountChanged, this, moved);
            } else if (auto* names = qobject_cast<QBarCategoryAxis*>(axis)) {
                connect(names, &QBarCategoryAxis::countChanged, this, moved);
            }
        }
    }

    // After new figures: lays the chart out now rather than at its queued layout, and if the
    // still parts moved, repaints the whole view in the frame that shows the figures (the scene
    // repaints no line it was told paints nothing, wherever it went).
    void settle() {
        if (!m_mayHaveMoved) {
            return;
        }
        m_mayHaveMoved = false;
        if (QGraphicsLayout* layout = chart()->layout()) {
            layout->activate();
        }
        if (noteParts(stillParts())) {
            viewport()->update();
        }
    }

protected:
    void drawBackground(QPainter* painter, const QRectF& rect) override {
        const QList<QGraphicsItem*> still = stillParts();
        const bool seen = m_parts.has_value();
        // Moved where this paint does not reach, unseen by settle(): drawn again whole.
        if (noteParts(still) && seen &&
            !rect.contains(mapToScene(viewport()->rect()).boundingRect())) {
            QMetaObject::invokeMethod(viewport(), qOverload<>(&QWidget::update),
                                      Qt::QueuedConnection);
        }
        const QBrush fill = fillBrush();
        const QImage* screen = OneToOneScreen(painter);
        if (screen == nullptr || !painter->worldTransform().isIdentity() ||
            !viewport()->autoFillBackground() || !fill.isOpaque()) {
            QChartView::drawBackground(painter, rect);
            Paint(painter, still, painter->worldTransform(), viewport(), rect);
            return;
        }
        const qreal ratio = screen->devicePixelRatio();
        if (m_picture.format() != screen->format() || m_picture.devicePixelRatio() != ratio) {
            m_picture = QImage(viewport()->size() * ratio, screen->format());
            m_picture.setDevicePixelRatio(ratio);
            QPainter picture(&m_picture);
            picture.fillRect(QRect(QPoint(), viewport()->size()), fill);
            picture.setRenderHints(painter->renderHints());
            QChartView::drawBackground(&picture, sceneRect());
            Paint(&picture, still, QTransform(), viewport(), sceneRect());
        }
        painter->save();
        painter->setCompositionMode(QPainter::CompositionMode_Source);
        painter->drawImage(QPointF(), m_picture);
        painter->restore();
    }

private:
    // Marks the lines the view draws; the scene's own flag alone could not tell them apart.
    static constexpr int kStillPartKey = 1;

    static bool DrawnApart(const QGraphicsItem* item) {
        if (item->effectiveOpacity() != 1 || item->isSelected() ||
            (item->flags() & QGraphicsItem::ItemIgnoresTransformations)) {
            return false;
        }
        for (const QGraphicsItem* up = item; up != nullptr; up = up->parentItem()) {
            if (up->graphicsEffect() != nullptr ||
                (up != item && (up->flags() & QGraphicsItem::ItemClipsChildrenToShape))) {
                return false;
            }
        }
        return true;
    }

    // Where a line draws, without the stroke its bounds would cost, with room for antialiasing.
    static QRectF LineArea(const QGraphicsLineItem* line) {
        const qreal margin = line->pen().widthF() / 2 + 2;
        return line->sceneTransform()
            .mapRect(QRectF(line->line().p1(), line->line().p2()).normalized())
            .adjusted(-margin, -margin, margin, margin);
    }

    // The items that reach into exposed (in the scene), as the scene would draw them.
    static void Paint(QPainter* painter, const QList<QGraphicsItem*>& items, const QTransform& view,
                      QWidget* widget, const QRectF& exposed) {
        for (QGraphicsItem* item : items) {
            const auto* line = qgraphicsitem_cast<const QGraphicsLineItem*>(item);
            const QRectF area =
                line != nullptr ? LineArea(line) : item->sceneBoundingRect().adjusted(-2, -2, 2, 2);
            if (!area.intersects(exposed)) {
                continue;
            }
            painter->save();
            painter->setWorldTransform(item->sceneTransform() * view);
            QStyleOptionGraphicsItem option;
            option.state = item->isEnabled() ? QStyle::State_Enabled : QStyle::State_None;
            option.exposedRect = item->sceneTransform().inverted().mapRect(area);
            option.rect = option.exposedRect.toAlignedRect();
            item->paint(painter, &option, widget);
            painter->restore();
        }
    }

    // The chart's lines and its background in the order the scene draws them, each taken while
    // no item drawn before it overlaps it; the scene is told to leave those out.
    QList<QGraphicsItem*> stillParts() {
        QList<QGraphicsItem*> still;
        QList<QGraphicsItem*> before;  // drawn by the scene ahead of lines still to come
        QList<QRectF> beforeAreas;     // worked out only once a line comes after them
        QGraphicsItem* const root = chart();
        const auto overlapsBefore = [&](const QRectF& area) {
            for (qsizetype i = 0; i < before.size(); ++i) {
                if (i == beforeAreas.size()) {
                    const QGraphicsItem* item = before[i];
                    beforeAreas << (item->type() == QGraphicsLineItem::Type
                                        ? LineArea(static_cast<const QGraphicsLineItem*>(item))
                                        : item->sceneBoundingRect().adjusted(-2, -2, 2, 2));
                }
                if (beforeAreas[i].intersects(area)) {
                    return true;
                }
            }
            return false;
        };
        const auto visit = [&](QGraphicsItem* item) {
            const bool isLine = item->type() == QGraphicsLineItem::Type;
            // The chart's background, under all else.
            const bool isBackground = !isLine && item->type() == QGraphicsRectItem::Type &&
                                      item->parentItem() == root && item->zValue() < 0 &&
                                      before.isEmpty();
            if (!isLine && !isBackground) {
                if (!(item->flags() & QGraphicsItem::ItemHasNoContents) && item != root &&
                    item->type() != QGraphicsItemGroup::Type) {
                    before << item;  // groups and the chart itself paint nothing of their own
                }
                return;
            }
            const bool taken = item->data(kStillPartKey).toBool();
            if (!taken && (item->flags() & QGraphicsItem::ItemHasNoContents)) {
                return;
            }
            const bool isStill =
                DrawnApart(item) &&
                (isBackground || !overlapsBefore(LineArea(static_cast<QGraphicsLineItem*>(item))));
            if (isStill) {
                still << item;
            } else {
                before << item;
            }
            if (isStill != taken) {
                item->setFlag(QGraphicsItem::ItemHasNoContents, isStill);
                item->setData(kStillPartKey, isStill);
            }
        };
        // Depth first as the scene draws: children stacked behind their parent, the parent, then
        // the other children, each list already in stacking order.
        QList<std::pair<QGraphicsItem*, bool>> pending{{root, false}};
        while (!pending.isEmpty()) {
            auto [item, childrenPlaced] = pending.takeLast();
            if (childrenPlaced) {
                visit(item);
                continue;
            }
            if (!item->isVisible()) {
                continue;
            }
            // The series and what is drawn after them (the legend) hold no line of an axis.
            if (const QGraphicsObject* object = item->toGraphicsObject();
                object != nullptr && object->inherits("ChartItem")) {
                break;
            }
            const QList<QGraphicsItem*> children = item->childItems();
            qsizetype behind = 0;
            while (behind < children.size() &&
                   (children[behind]->flags() & QGraphicsItem::ItemStacksBehindParent)) {
                ++behind;
            }
            for (qsizetype i = children.size(); i-- > behind;) {
                pending.append({children[i], false});
            }
            pending.append({item, true});
            for (qsizetype i = behind; i-- > 0;) {
                pending.append({children[i], false});
            }
        }
        return still;
    }

    // What the still parts look like, but for the device they are drawn on.
    struct Part {
        const QGraphicsItem* item = nullptr;
        QTransform at;
        QRectF shape;  // the line's ends as a rectangle's corners, or the rectangle
        QPen pen;
        QBrush brush;
        bool operator==(const Part&) const = default;
    };
    struct Parts {
        QSize size;
        QBrush fill;
        QPainter::RenderHints hints;
        qreal roundness = 0;
        QList<Part> parts;
        bool operator==(const Parts&) const = default;
    };

    // What the viewport is filled with before the scene draws.
    QBrush fillBrush() const { return viewport()->palette().brush(viewport()->backgroundRole()); }

    // Keeps what the still parts look like now; true when that changed, the picture dropped.
    bool noteParts(const QList<QGraphicsItem*>& still) {
        Parts parts = partsOf(still);
        if (parts == m_parts) {
            return false;
        }
        m_parts = std::move(parts);
        m_picture = QImage();
        return true;
    }

    Parts partsOf(const QList<QGraphicsItem*>& still) const {
        Parts parts{
            viewport()->size(), fillBrush(), renderHints(), chart()->backgroundRoundness(), {}};
        parts.parts.reserve(still.size());
        for (const QGraphicsItem* item : still) {
            Part part{item, item->sceneTransform(), {}, {}, {}};
            if (const auto* line = qgraphicsitem_cast<const QGraphicsLineItem*>(item)) {
                part.shape = QRectF(line->line().p1(), line->line().p2());
                part.pen = line->pen();
            } else if (const auto* rect = qgraphicsitem_cast<const QGraphicsRectItem*>(item)) {
                part.shape = rect->rect();
                part.pen = rect->pen();
                part.brush = rect->brush();
            }
            parts.parts << part;
        }
        return parts;
    }

    std::optional<Parts> m_parts;
    bool m_mayHaveMoved = false;
    QImage m_picture;  // of m_parts, in the screen's format and ratio
};

QChart* NewChart(QGridLayout* grid, int row, int column, int rows, int columns,
                 const QString& objectName) {
    auto* chart = new QChart;
    chart->setObjectName(objectName);
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto* view = new StillPartsView(chart);
    view->setObjectName(objectName);
    view->setRenderHint(QPainter::Antialiasing);
    // Three columns still fit a screen 640 pixels wide (1280 at a ratio of 2).
    view->setMinimumSize(190, 150);
    grid->addWidget(view, row, column, rows, columns);
    return chart;
}

// The chart's items of a class Qt Charts keeps private.
QList<QGraphicsItem*> ItemsOfClass(QChart* chart, const char* className) {
    QList<QGraphicsItem*> found;
    QList<QGraphicsItem*> items = chart->childItems();
    while (!items.isEmpty()) {
        QGraphicsItem* item = items.takeLast();
        const QGraphicsObject* object = item->toGraphicsObject();
        if (object != nullptr && object->inherits(className)) {
            found << item;
        }
        items << item->childItems();
    }
    return found;
}

// The item that holds a series' bars paints nothing itself, yet each changed value repaints its
// whole plot area through it (grid, every bar and label): marked empty, the view repaints only
// the bars and labels that changed. Found by class, as Qt Charts keeps it private.
void RepaintOnlyChangedBars(QChart* chart) {
    for (QGraphicsItem* item : ItemsOfClass(chart, "AbstractBarChartItem")) {
        item->setFlag(QGraphicsItem::ItemHasNoContents);
    }
}

// The list lays out and paints every row again when a line changes (each answer that is missed
// moves every line down one row), and a row's size and picture each cost text layouts of its
// line. Both are kept by text, the one thing that differs between rows. A row in a plain state
// is painted once, onto the list's own background in the screen's own format, and then copied:
// the same pixels as painting it there.
class MistakeRows : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        forgetIfChanged(option, QImage::Format_Invalid);
        const QString text = index.data(Qt::DisplayRole).toString();
        if (const QSize* found = m_sizes.object(text)) {
            return *found;
        }
        const QSize size = QStyledItemDelegate::sizeHint(option, index);
        m_sizes.insert(text, new QSize(size));
        return size;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QImage* screen = OneToOneScreen(painter);
        const QBrush base = option.palette.brush(QPalette::Base);
        const auto shown =
            QStyle::State_Selected | QStyle::State_MouseOver | QStyle::State_HasFocus;
        if (screen == nullptr || option.widget == nullptr || (option.state & shown) ||
            base.style() != Qt::SolidPattern || !base.isOpaque() ||
            !painter->transform().isIdentity() || !KeepsResolution(option.widget->logicalDpiX()) ||
            !KeepsResolution(option.widget->logicalDpiY())) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const qreal ratio = screen->devicePixelRatio();
        forgetIfChanged(option, screen->format());
        const QString key =
            index.data(Qt::DisplayRole).toString() + QStringLiteral("|%1|%2|%3|%4")
                                                         .arg(option.rect.width())
                                                         .arg(option.rect.height())
                                                         .arg(static_cast<int>(option.state))
                                                         .arg(ratio);
        if (const QImage* found = m_rows.object(key)) {
            painter->drawImage(option.rect.topLeft(), *found);
            return;
        }
        QImage row(option.rect.size() * ratio, screen->format());
        row.setDevicePixelRatio(ratio);
        // Text is sized by the device's resolution: the list's own.
        row.setDotsPerMeterX(DotsPerMeter(option.widget->logicalDpiX()));
        row.setDotsPerMeterY(DotsPerMeter(option.widget->logicalDpiY()));
        row.fill(base.color());
        QPainter rowPainter(&row);
        rowPainter.setRenderHints(painter->renderHints());
        QStyleOptionViewItem at = option;
        at.rect.moveTo(0, 0);
        QStyledItemDelegate::paint(&rowPainter, at, index);
        rowPainter.end();
        painter->drawImage(option.rect.topLeft(), row);
        const qsizetype bytes = row.sizeInBytes();
        m_rows.insert(key, new QImage(std::move(row)), bytes);
    }

private:
    // Sizes kept: the list shows kLatestMistakes lines, a few more pass by in a session.
    static constexpr qsizetype kKept = 200;
    // Pictures kept: the twenty rows of a list as wide as a 4K screen, at a ratio of 2.
    static constexpr qsizetype kKeptRowBytes = 16 << 20;
    static constexpr double kInchInMeters = 0.0254;

    static int DotsPerMeter(int dpi) { return qRound(dpi / kInchInMeters); }
    // Whether a picture can carry the list's resolution: QImage keeps it as dots per meter.
    static bool KeepsResolution(int dpi) {
        return qRound(DotsPerMeter(dpi) * kInchInMeters) == dpi;
    }

    void forgetIfChanged(const QStyleOptionViewItem& option, QImage::Format format) const {
        const QStyle* style = option.widget != nullptr ? option.widget->style() : nullptr;
        if (option.fontMetrics != m_metrics || style != m_style ||
            option.palette.cacheKey() != m_palette) {
            m_sizes.clear();
            m_rows.clear();
            m_metrics = option.fontMetrics;
            m_style = style;
            m_palette = option.palette.cacheKey();
        }
        if (format != QImage::Format_Invalid && format != m_format) {
            m_rows.clear();
            m_format = format;
        }
    }

    mutable QFontMetrics m_metrics{QFont()};
    mutable const QStyle* m_style = nullptr;
    mutable qint64 m_palette = 0;
    mutable QImage::Format m_format = QImage::Format_Invalid;
    mutable QCache<QString, QSize> m_sizes{kKept};
    mutable QCache<QString, QImage> m_rows{kKeptRowBytes};
};

QValueAxis* PercentAxis() {
    auto* axis = new QValueAxis;
    axis->setRange(0, 100);
    axis->setLabelFormat(QStringLiteral("%d%"));
    return axis;
}

// Each setter leaves an equal value alone: a chart lays itself out again on every change.
void SetTitle(QChart* chart, const QString& title) {
    if (chart->title() != title) {
        chart->setTitle(title);
    }
}

void SetTitle(QAbstractAxis* axis, const QString& title) {
    if (axis->titleText() != title) {
        axis->setTitleText(title);
    }
}

void SetCategories(QBarCategoryAxis* axis, const QStringList& names) {
    if (axis->categories() != names) {
        axis->setCategories(names);
    }
}

void SetValues(QBarSet* set, const QList<qreal>& values) {
    if (set->count() != values.size()) {
        set->remove(0, set->count());
        set->append(values);
        return;
    }
    for (int i = 0; i < set->count(); ++i) {
        if (set->at(i) != values[i]) {
            set->replace(i, values[i]);
        }
    }
}

// Rates as labels of two figures: three overlap their neighbours' in a window of laptop width.
// Labels are written %g-style, so a rate that rounds to 100 needs three ("1e+02" otherwise).
void SetLabelPrecision(QAbstractBarSeries* series, const QList<qreal>& percents) {
    const bool hundred = std::any_of(percents.begin(), percents.end(),
                                     [](qreal percent) { return percent >= 99.5; });
    const int precision = hundred ? 3 : 2;
    if (series->labelsPrecision() != precision) {
        series->setLabelsPrecision(precision);
    }
}

// The day of the month of each day (the title names the months); names must differ, so a day
// number seen twice (a short February) gets an invisible mark.
QStringList DayNames(const Statistics& figures) {
    QStringList names;
    for (const DayFigure& day : figures.days) {
        QString name = QString::number(QDate(1970, 1, 1).addDays(day.day).day());
        while (names.contains(name)) {
            name += QChar(0x200B);
        }
        names << name;
    }
    return names;
}

// The points of the daily rate: one run of points per run of days with problems, since a day
// without any has no rate to join across, and a run of one day is its point alone.
QList<QList<QPointF>> AccuracyRuns(const Statistics& figures) {
    QList<QList<QPointF>> runs;
    bool inRun = false;
    for (int i = 0; i < kStatisticsDays; ++i) {
        const DayFigure& day = figures.days[static_cast<std::size_t>(i)];
        if (day.problems == 0) {
            inRun = false;
            continue;
        }
        if (!inRun) {
            runs.append(QList<QPointF>());
            inRun = true;
        }
        runs.back().append(QPointF(i, Percent(day.fullyRight, day.problems)));
    }
    return runs;
}

}  // namespace

StatisticsWindow::RateChart StatisticsWindow::NewRateChart(QChart* chart, bool horizontal) {
    RateChart rate;
    rate.chart = chart;
    rate.rates = new QBarSet(QString());
    rate.rates->setLabelColor(Qt::black);
    rate.series = horizontal ? static_cast<QAbstractBarSeries*>(new QHorizontalBarSeries)
                             : static_cast<QAbstractBarSeries*>(new QBarSeries);
    rate.series->append(rate.rates);
    rate.series->setLabelsVisible(true);
    rate.series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    rate.series->setLabelsFormat(QStringLiteral("@value%"));
    rate.series->setLabelsPrecision(2);
    chart->addSeries(rate.series);
    rate.names = new QBarCategoryAxis;
    QFont small = rate.names->titleFont();
    // The names beside horizontal bars get at most 40 % of the chart's width.
    small.setPointSizeF(small.pointSizeF() * (horizontal ? 0.75 : 0.8));
    rate.names->setTitleFont(small);
    rate.names->setLabelsFont(small);
    chart->addAxis(rate.names, horizontal ? Qt::AlignLeft : Qt::AlignBottom);
    rate.series->attachAxis(rate.names);
    if (!horizontal) {
        rate.counts = new QGraphicsSimpleTextItem(chart);
        rate.counts->setFont(small);
        rate.counts->setBrush(rate.names->titleBrush());
        rate.names->setTitleBrush(Qt::transparent);
    }
    QValueAxis* percent = PercentAxis();
    chart->addAxis(percent, horizontal ? Qt::AlignBottom : Qt::AlignLeft);
    rate.series->attachAxis(percent);
    chart->legend()->setVisible(false);
    RepaintOnlyChangedBars(chart);
    return rate;
}

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
    // On a narrow screen the line wraps rather than widen the window past it.
    m_summary.setWordWrap(true);
    grid->addWidget(&m_summary, 0, 0, 1, 3);
    m_waits = NewRateChart(NewChart(grid, 1, 0, 1, 1, QStringLiteral("byWaits")), false);
    m_shapes = NewRateChart(NewChart(grid, 1, 1, 1, 1, QStringLiteral("byShape")), false);
    connect(m_waits.chart, &QChart::plotAreaChanged, this, [this] { PlaceCounts(m_waits); });
    connect(m_shapes.chart, &QChart::plotAreaChanged, this, [this] { PlaceCounts(m_shapes); });
    // Some twenty families with their names beside the bars: a column of its own, full height.
    m_families = NewRateChart(NewChart(grid, 1, 2, 3, 1, QStringLiteral("byFamily")), true);
    connect(m_families.chart, &QChart::plotAreaChanged, this, &StatisticsWindow::placeFamilyCounts);
    m_days = NewChart(grid, 2, 0, 1, 2, QStringLiteral("byDay"));

    m_dayProblems = new QBarSet(QString());
    auto* bars = new QBarSeries;
    bars->append(m_dayProblems);
    m_days->addSeries(bars);
    RepaintOnlyChangedBars(m_days);
    m_dayNames = new QBarCategoryAxis;
    QFont dayFont = m_dayNames->labelsFont();
    dayFont.setPointSizeF(dayFont.pointSizeF() * 0.75);
    m_dayNames->setLabelsFont(dayFont);
    m_days->addAxis(m_dayNames, Qt::AlignBottom);
    bars->attachAxis(m_dayNames);
    m_dayCount = new QValueAxis;
    m_dayCount->setObjectName(QStringLiteral("problemCount"));
    m_dayCount->setLabelFormat(QStringLiteral("%d"));
    m_days->addAxis(m_dayCount, Qt::AlignLeft);
    bars->attachAxis(m_dayCount);
    m_dayRate = PercentAxis();
    m_days->addAxis(m_dayRate, Qt::AlignRight);
    m_days->legend()->setVisible(true);

    auto* mistakesBox = new QWidget;
    auto* mistakesLayout = new QVBoxLayout(mistakesBox);
    mistakesLayout->setContentsMargins(0, 0, 0, 0);
    m_mistakesHeading = new QLabel;
    mistakesLayout->addWidget(m_mistakesHeading);
    m_mistakes.setObjectName(QStringLiteral("mistakes"));
    m_mistakes.setItemDelegate(new MistakeRows(&m_mistakes));
    mistakesLayout->addWidget(&m_mistakes);
    grid->addWidget(mistakesBox, 3, 0, 1, 2);
    grid->setRowStretch(1, 3);
    grid->setRowStretch(2, 3);
    grid->setRowStretch(3, 2);
    // The first two columns keep the width they had before the families came.
    grid->setColumnStretch(0, 5);
    grid->setColumnStretch(1, 5);
    grid->setColumnStretch(2, 5);
    connect(&m_mistakes, &QListWidget::itemDoubleClicked, this,
            &StatisticsWindow::onMistakeActivated);

    m_pages.addWidget(&m_empty);
    m_pages.addWidget(&m_content);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(&m_pages);

    m_views = findChildren<QChartView*>();
    for (QChartView* view : m_views) {
        static_cast<StillPartsView*>(view)->watchAxes();
    }
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

void StatisticsWindow::ShowRates(RateChart& chart, const QString& title, const QString& barName,
                                 const QStringList& names, const QList<qreal>& percents,
                                 const QString& countUnit, const QString& countTitle) {
    SetTitle(chart.chart, title);
    if (chart.rates->label() != barName) {
        chart.rates->setLabel(barName);
    }
    SetCategories(chart.names, names);
    SetLabelPrecision(chart.series, percents);
    SetValues(chart.rates, percents);
    if (chart.counts == nullptr) {
        SetTitle(chart.names, countTitle);
        return;
    }
    // The axis keeps a title of the same height that never changes, drawn in no colour, and the
    // counts stand over it as an item of their own: a changed title would lay out the whole chart
    // again at every answer.
    SetTitle(chart.names, countUnit);
    if (chart.counts->text() != countTitle) {
        chart.counts->setText(countTitle);
    }
    PlaceCounts(chart);
}

// Over the axis title's item, which the chart places at each layout: found by its text once the
// chart has been laid out.
void StatisticsWindow::PlaceCounts(RateChart& chart) {
    QGraphicsItem* title = chart.counts->parentItem();
    if (title == chart.chart) {
        QList<QGraphicsItem*> items = chart.chart->childItems();
        while (!items.isEmpty()) {
            QGraphicsItem* item = items.takeLast();
            auto* text = dynamic_cast<QGraphicsTextItem*>(item);
            if (text != nullptr && text->toPlainText() == chart.names->titleText()) {
                title = text;
                chart.counts->setParentItem(text);
                break;
            }
            items << item->childItems();
        }
        if (title == chart.chart) {
            return;
        }
    }
    const QRectF around = title->boundingRect();
    const QRectF own = chart.counts->boundingRect();
    const QPointF at(std::round(around.center().x() - own.width() / 2),
                     std::round(around.center().y() - own.height() / 2));
    if (chart.counts->pos() != at) {
        chart.counts->setPos(at);
    }
}

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
            .arg(Percent(figures.fullyRight, figures.problems), 0, 'f', 1)
            .arg(median) +
        StatisticsWindow::tr("　ヒントを使った問題 %1問（%2%）")
            .arg(figures.hinted)
            .arg(Percent(figures.hinted, figures.problems), 0, 'f', 1));

    // Counts go under the category names: a second line under each would be cut short.
    const auto countTitle = [](const QString& unit, const QStringList& counts) {
        return unit + QStringLiteral(" ") + counts.join(QStringLiteral(" / "));
    };

    QStringList waitNames;
    QList<qreal> waitRates;
    QStringList waitCounts;
    for (int k = 1; k <= 9; ++k) {
        waitNames << tr("%1種").arg(k);
        const ProblemFigure& figure = figures.byWaits[static_cast<std::size_t>(k)];
        waitRates << Percent(figure.fullyRight, figure.problems);
        waitCounts << QString::number(figure.problems);
    }
    ShowRates(m_waits, StatisticsWindow::tr("待ちの種類数ごとの完全正解率"),
              StatisticsWindow::tr("完全正解率"), waitNames, waitRates,
              StatisticsWindow::tr("問題数"),
              countTitle(StatisticsWindow::tr("問題数"), waitCounts));

    QStringList shapeNames;
    QList<qreal> shapeRates;
    QStringList shapeCounts;
    for (int s = 0; s < kWaitShapeCount; ++s) {
        shapeNames << page.shapeNames.value(s);
        const ShapeFigure& figure = figures.byShape[static_cast<std::size_t>(s)];
        shapeRates << Percent(figure.missed, figure.seen);
        shapeCounts << QString::number(figure.seen);
    }
    ShowRates(m_shapes, StatisticsWindow::tr("待ちの形ごとの見逃し率"),
              StatisticsWindow::tr("見逃し率"), shapeNames, shapeRates,
              StatisticsWindow::tr("対象の待ち（延べ）"),
              countTitle(StatisticsWindow::tr("対象の待ち（延べ）"), shapeCounts));

    // Families seen, the catalogue's first at the top (horizontal bars run from the bottom).
    QStringList familyNames;
    QList<qreal> familyRates;
    QStringList familyCounts;
    for (int f = kFamilyCount - 1; f >= 0; --f) {
        const ProblemFigure& figure = figures.byFamily[static_cast<std::size_t>(f)];
        if (figure.problems > 0) {
            familyNames << page.familyNames.value(f);
            familyRates << Percent(figure.fullyRight, figure.problems);
            familyCounts << StatisticsWindow::tr("%1問").arg(figure.problems);
        }
    }
    ShowRates(m_families, StatisticsWindow::tr("形ごとの完全正解率"),
              StatisticsWindow::tr("完全正解率"), familyNames, familyRates, QString(), QString());
    showFamilyCounts(familyCounts);

    showDays(figures);
    showMistakes(page.mistakeTexts);
    for (QChartView* view : m_views) {
        static_cast<StillPartsView*>(view)->settle();
    }
}

// The counts stand in the chart's right margin, past room for a bar's label of 100 %. They are
// items of their own: a changed axis label would lay out the whole chart again, some 2 ms with
// twenty names, at every answer.
void StatisticsWindow::showFamilyCounts(const QStringList& counts) {
    QChart* chart = m_families.chart;
    while (m_familyCounts.size() > counts.size()) {
        delete m_familyCounts.takeLast();
    }
    const QFont font = m_families.names->labelsFont();
    const QFontMetrics metrics(font);
    int widest = 0;
    for (qsizetype i = 0; i < counts.size(); ++i) {
        if (i == m_familyCounts.size()) {
            auto* item = new QGraphicsSimpleTextItem(chart);
            item->setFont(font);
            item->setBrush(m_families.names->labelsBrush());
            m_familyCounts << item;
        }
        QGraphicsSimpleTextItem* item = m_familyCounts[i];
        if (item->text() != counts[i]) {
            item->setText(counts[i]);
            // Measured once per text: each measure is a text layout, twenty at every answer.
            item->setData(kCountWidthKey, metrics.horizontalAdvance(counts[i]));
        }
        widest = std::max(widest, item->data(kCountWidthKey).toInt());
    }
    QMargins margins = chart->margins();
    const int right = familyCountOffset() + widest + kCountMargin;
    if (margins.right() != right) {
        margins.setRight(right);
        chart->setMargins(margins);
    }
    placeFamilyCounts();
}

int StatisticsWindow::familyCountOffset() const {
    return QFontMetrics(m_families.rates->labelFont()).horizontalAdvance(QStringLiteral("100%")) +
           kCountMargin;
}

void StatisticsWindow::placeFamilyCounts() {
    const QRectF plot = m_families.chart->plotArea();
    const auto rows = static_cast<qreal>(m_familyCounts.size());
    const int offset = familyCountOffset();
    for (qsizetype i = 0; i < m_familyCounts.size(); ++i) {
        QGraphicsSimpleTextItem* item = m_familyCounts[i];
        const qreal middle = plot.bottom() - (static_cast<qreal>(i) + 0.5) * plot.height() / rows;
        const QPointF at(std::round(plot.right() + offset),
                         std::round(middle - item->boundingRect().height() / 2));
        if (item->pos() != at) {
            item->setPos(at);
        }
    }
}

void StatisticsWindow::showDays(const Statistics& figures) {
    const auto dayText = [&figures](std::size_t i) {
        return QDate(1970, 1, 1).addDays(figures.days[i].day).toString(QStringLiteral("M/d"));
    };
    SetTitle(m_days, StatisticsWindow::tr("日ごとの問題数と完全正解率（%1〜%2）")
                         .arg(dayText(0), dayText(kStatisticsDays - 1)));
    const QString problemsName = StatisticsWindow::tr("問題数");
    if (m_dayProblems->label() != problemsName) {
        m_dayProblems->setLabel(problemsName);
    }
    QList<qreal> problems;
    std::int64_t most = 0;
    for (const DayFigure& day : figures.days) {
        problems << static_cast<qreal>(day.problems);
        most = std::max(most, day.problems);
    }
    SetCategories(m_dayNames, DayNames(figures));
    SetValues(m_dayProblems, problems);
    if (most != m_dayMost) {
        m_dayMost = most;
        // A quarter above the tallest bar, so that no bar reaches the line of 100 %.
        // Nice numbers change the tick count too, and start from it: from the same count each
        // time, a taller day gives the scale a fresh window gives (not 0–100 for 43 problems).
        // Worked out on an axis of no chart: each change to the chart's own lays the chart out
        // again, at every answer while today is the tallest day, though the scale rarely moves.
        QValueAxis scale;
        scale.setTickCount(kDayCountTicks);
        scale.setRange(0, 1.25 * static_cast<qreal>(std::max<std::int64_t>(most, 1)));
        scale.applyNiceNumbers();
        if (m_dayCount->tickCount() != scale.tickCount()) {
            m_dayCount->setTickCount(scale.tickCount());
        }
        if (m_dayCount->min() != scale.min() || m_dayCount->max() != scale.max()) {
            m_dayCount->setRange(scale.min(), scale.max());
        }
    }

    const QList<QList<QPointF>> runs = AccuracyRuns(figures);
    bool sameRuns = runs.size() == m_accuracy.size();
    for (qsizetype r = 0; sameRuns && r < runs.size(); ++r) {
        const QList<QPointF> points = m_accuracy[r]->points();
        sameRuns = points.size() == runs[r].size() && points.front().x() == runs[r].front().x();
    }
    if (sameRuns) {
        bool moved = false;
        for (qsizetype r = 0; r < runs.size(); ++r) {
            for (qsizetype i = 0; i < runs[r].size(); ++i) {
                if (m_accuracy[r]->at(static_cast<int>(i)) != runs[r][i]) {
                    m_accuracy[r]->replace(static_cast<int>(i), runs[r][i]);
                    moved = true;
                }
            }
        }
        if (moved) {
            repaintAccuracyBand(false);
        }
    } else {
        // A new day with problems, or the days moved on: the runs are made again.
        for (QLineSeries* line : m_accuracy) {
            m_days->removeSeries(line);
            delete line;
        }
        m_accuracy.clear();
        for (const QList<QPointF>& points : runs) {
            auto* line = new QLineSeries;
            line->setObjectName(QStringLiteral("accuracy"));
            line->setPointsVisible(true);
            line->setMarkerSize(kAccuracyMarkerSize);
            line->append(points);
            m_accuracy << line;
            m_days->addSeries(line);
            line->attachAxis(m_dayNames);
            line->attachAxis(m_dayRate);
        }
        repaintAccuracyBand(true);
        // The runs are one line to the reader: one colour, one entry in the legend.
        for (QLineSeries* line : m_accuracy) {
            if (line != m_accuracy.front()) {
                line->setColor(m_accuracy.front()->color());
                for (QLegendMarker* marker : m_days->legend()->markers(line)) {
                    marker->setVisible(false);
                }
            }
        }
    }
    if (!m_accuracy.isEmpty() && m_accuracy.front()->name() != StatisticsWindow::tr("完全正解率")) {
        m_accuracy.front()->setName(StatisticsWindow::tr("完全正解率"));
    }
}

// The scene repaints a line that moved within the line's own bounds, which its points' markers
// reach past: the band the lines lie in is repainted, as it was and as it is now. New lines are
// placed only at the chart's next layout, so the whole plot stands for them until then.
void StatisticsWindow::repaintAccuracyBand(bool made) {
    constexpr qreal kRim = kAccuracyMarkerSize + 2;
    QRectF band;
    if (made) {
        band = m_days->plotArea();
    } else {
        for (const QGraphicsItem* line : ItemsOfClass(m_days, "LineChartItem")) {
            band |= line->sceneBoundingRect();
        }
    }
    band.adjust(-kRim, -kRim, kRim, kRim);
    m_days->scene()->update(band | m_accuracyBand);
    m_accuracyBand = band;
}

void StatisticsWindow::showMistakes(const QStringList& texts) {
    // Item by item, so that an answer that adds no mistake changes nothing in the list.
    while (m_mistakes.count() > texts.size()) {
        delete m_mistakes.takeItem(m_mistakes.count() - 1);
    }
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (i < m_mistakes.count()) {
            QListWidgetItem* item = m_mistakes.item(static_cast<int>(i));
            if (item->text() != texts[i]) {
                item->setText(texts[i]);
            }
        } else {
            m_mistakes.addItem(texts[i]);
        }
    }
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
