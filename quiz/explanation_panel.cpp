#include "explanation_panel.h"

#include <array>
#include <span>

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <QScrollBar>
#include <QVBoxLayout>

#include "analysis/pattern_table.h"
#include "dialog_units.h"
#include "res/tile_art.h"
#include "window_language.h"
#include "zelkon_view.h"

namespace zelkon {

namespace {

constexpr int kPanelPointSize = 9;
constexpr int kMargin = 6;
constexpr int kSignSize = 12;
constexpr int kNumberX = kMargin + kSignSize + 4;
constexpr int kVerdictX = kNumberX + 12;
constexpr int kTilesX = 20;
constexpr int kBlockGap = 4;
constexpr int kLeftoverGap = 10;
constexpr int kRowGap = 8;
constexpr QRgb kLeftoverColor = qRgb(128, 128, 128);
constexpr QRgb kNeutralColor = qRgb(128, 128, 128);

// "平和・タンヤオ（2翻）", or "役なし".
QString ValueText(const ExplainedReading& reading) {
    QStringList names;
    for (std::size_t k = 0; k < PatternTable.size(); ++k) {
        if (reading.patterns[k] != 0) {
            names << UiTerm(kPatternTerms[k]);
        }
    }
    if (names.isEmpty()) {
        return ExplanationPanel::tr("役なし");
    }
    return names.join(ExplanationPanel::tr("・")) +
           ExplanationPanel::tr("（%1翻）").arg(reading.han);
}

QString ReadingCaption(const ExplainedReading& reading) {
    return ExplanationPanel::tr("%1待ち　%2")
        .arg(UiShapeName(reading.waitShape), ValueText(reading));
}

QString VerdictText(const NumberExplanation& number, std::int32_t shown, bool picked) {
    switch (number.verdict) {
        case Verdict::Wait:
            return (picked ? ExplanationPanel::tr("正解：%1") : ExplanationPanel::tr("見逃し：%1"))
                .arg(ReadingCaption(number.readings[static_cast<std::size_t>(shown)]));
        case Verdict::FifthCopy:
            if (shown < 0) {
                return ExplanationPanel::tr("5枚目はない：手に4枚、形も和了にならない");
            }
            return ExplanationPanel::tr("5枚目はない：手に4枚、形だけの%1待ち")
                .arg(UiShapeName(number.readings[static_cast<std::size_t>(shown)].waitShape));
        case Verdict::NoReading:
            break;
    }
    return ExplanationPanel::tr("待ちではない：%1枚余る").arg(number.leftoverCount);
}

int BlockSize(BlockKind kind) {
    return kind == BlockKind::Pair ? 2 : 3;
}

TileNumber BlockTile(const Block& block, int i) {
    return block.kind == BlockKind::Run ? block.first + i : block.first;
}

// What one line of small tiles shows: blocks with gaps, one of them outlined, then the tiles
// left over, set apart.
struct TileLine {
    std::span<const Block> blocks;
    int outlined = -1;
    std::span<const TileNumber> leftover;
    std::span<const TileNumber> plain;  // one group, not outlined
};

// A fifth copy with no reading shows the four copies the hand holds.
constexpr std::array<std::array<TileNumber, 4>, kNumberSlots> kFourCopies{{{0, 0, 0, 0},
                                                                           {1, 1, 1, 1},
                                                                           {2, 2, 2, 2},
                                                                           {3, 3, 3, 3},
                                                                           {4, 4, 4, 4},
                                                                           {5, 5, 5, 5},
                                                                           {6, 6, 6, 6},
                                                                           {7, 7, 7, 7},
                                                                           {8, 8, 8, 8},
                                                                           {9, 9, 9, 9}}};

}  // namespace

class ExplanationRowsView : public QWidget {
public:
    explicit ExplanationRowsView(ExplanationPanel& panel) : m_panel(panel) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    void relayout() {
        const QFontMetrics metrics(font());
        m_lineHeight = metrics.height();
        m_tileHeight = TileSize().height();
        m_geometry.clear();
        int y = kMargin;
        for (const ExplanationRow& row : m_panel.m_rows) {
            RowGeometry g{};
            g.top = y;
            y += m_lineHeight + 2 + m_tileHeight + 6;
            if (row.others > 0) {
                const QString link = LinkText(row);
                g.link = QRect(kTilesX, y, metrics.horizontalAdvance(link), m_lineHeight);
                y += m_lineHeight;
                if (row.expanded) {
                    y += row.others * (m_lineHeight + m_tileHeight + 6);
                }
            }
            y += kRowGap;
            m_geometry.push_back(g);
        }
        setMinimumHeight(y);
        updateGeometry();
        update();
    }

    static QString LinkText(const ExplanationRow& row) {
        return ExplanationPanel::tr("ほかの読み方(%1)").arg(row.others);
    }

    QRect link(int row) const {
        return row >= 0 && row < static_cast<int>(m_geometry.size())
                   ? m_geometry[static_cast<std::size_t>(row)].link
                   : QRect();
    }

    QRect firstTile(int row) const {
        const qreal ratio = devicePixelRatioF();
        const int top = m_geometry[static_cast<std::size_t>(row)].top + m_lineHeight + 2;
        const QPixmap tile = SmallTile(1, ratio);
        return QRect(QPoint(qRound(kTilesX * ratio), qRound(top * ratio)), tile.size());
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        const QRect area = event->rect();
        const qreal ratio = devicePixelRatioF();
        takeTiles(ratio);
        QPainter p(this);
        p.fillRect(area, palette().color(QPalette::Window));
        p.setFont(font());
        if (m_panel.m_rows.empty()) {
            p.setPen(palette().color(QPalette::Disabled, QPalette::WindowText));
            p.drawText(QRect(kMargin, kMargin, width() - 2 * kMargin, m_lineHeight),
                       Qt::AlignLeft | Qt::AlignVCenter,
                       ExplanationPanel::tr("解答すると解説が出ます"));
        }
        for (std::size_t i = 0; i < m_panel.m_rows.size(); ++i) {
            const RowGeometry& g = m_geometry[i];
            if (g.top > area.bottom() + 1) {
                break;
            }
            if (i + 1 < m_geometry.size() && m_geometry[i + 1].top <= area.top()) {
                continue;
            }
            paintRow(p, m_panel.m_rows[i], g, ratio);
        }
    }

    void mousePressEvent(QMouseEvent* event) override {
        for (std::size_t i = 0; i < m_geometry.size(); ++i) {
            if (m_geometry[i].link.contains(event->position().toPoint())) {
                m_panel.toggleOtherReadings(static_cast<int>(i));
                return;
            }
        }
        QWidget::mousePressEvent(event);
    }

private:
    struct RowGeometry {
        int top;
        QRect link;
    };

    // In logical pixels: the size at ratio 1.
    static QSize TileSize() { return SmallTile(1, 1.0).size(); }

    static QPixmap SmallTile(TileNumber number, qreal ratio) {
        return LoadTileBitmap(TileBitmapId(number, kSuitManzu),
                              ratio * ExplanationPanel::kTileScale);
    }

    void paintRow(QPainter& p, const ExplanationRow& row, const RowGeometry& g, qreal ratio) const {
        const NumberExplanation& number =
            m_panel.m_explanation->numbers[static_cast<std::size_t>(row.number)];
        p.save();
        paintSign(p, row.sign,
                  QRect(kMargin, g.top + (m_lineHeight - kSignSize) / 2, kSignSize, kSignSize));
        p.setPen(palette().color(QPalette::WindowText));
        QFont bold = font();
        bold.setBold(true);
        p.setFont(bold);
        p.drawText(QRect(kNumberX, g.top, kVerdictX - kNumberX, m_lineHeight), Qt::AlignVCenter,
                   QString::number(row.number));
        p.setFont(font());
        const int verdictWidth = width() - kVerdictX - kMargin;
        p.drawText(QRect(kVerdictX, g.top, verdictWidth, m_lineHeight), Qt::AlignVCenter,
                   QFontMetrics(font()).elidedText(row.verdict, Qt::ElideRight, verdictWidth));
        p.restore();

        int y = g.top + m_lineHeight + 2;
        paintTiles(p, lineOf(number, row.number, row.shown), y, ratio);
        if (row.others == 0) {
            return;
        }
        p.save();
        QFont underlined = font();
        underlined.setUnderline(true);
        p.setFont(underlined);
        p.setPen(palette().color(QPalette::Link));
        p.drawText(g.link, Qt::AlignVCenter, ExplanationRowsView::LinkText(row));
        p.restore();
        if (!row.expanded) {
            return;
        }
        y = g.link.bottom() + 1;
        for (std::int32_t r = 0; r < number.readingCount; ++r) {
            if (r == row.shown) {
                continue;
            }
            const ExplainedReading& reading = number.readings[static_cast<std::size_t>(r)];
            p.save();
            p.setPen(palette().color(QPalette::WindowText));
            p.drawText(QRect(kTilesX, y, width() - kTilesX - kMargin, m_lineHeight),
                       Qt::AlignVCenter, ReadingCaption(reading));
            p.restore();
            y += m_lineHeight;
            paintTiles(p, readingLine(reading), y, ratio);
            y += m_tileHeight + 6;
        }
    }

    static TileLine readingLine(const ExplainedReading& reading) {
        return TileLine{std::span<const Block>(reading.blocks.data(),
                                               static_cast<std::size_t>(reading.blockCount)),
                        reading.winningBlock,
                        {},
                        {}};
    }

    static TileLine lineOf(const NumberExplanation& number, TileNumber n, std::int32_t shown) {
        if (shown >= 0) {
            return readingLine(number.readings[static_cast<std::size_t>(shown)]);
        }
        if (number.verdict == Verdict::FifthCopy) {
            return TileLine{{}, -1, {}, kFourCopies[static_cast<std::size_t>(n)]};
        }
        return TileLine{std::span<const Block>(number.split.data(),
                                               static_cast<std::size_t>(number.splitCount)),
                        -1,
                        std::span<const TileNumber>(number.leftover.data(),
                                                    static_cast<std::size_t>(number.leftoverCount)),
                        {}};
    }

    // Tiles go 1:1 into device pixels, each its own width from the last, as on the board: each
    // lands on a whole device pixel and carries the widget's ratio, so it is copied, not scaled.
    void paintTiles(QPainter& p, const TileLine& line, int y, qreal ratio) const {
        const int top = qRound(y * ratio);
        const int gap = qRound(kBlockGap * ratio);
        int x = qRound(kTilesX * ratio);
        const auto place = [&](TileNumber n) {
            const QPixmap& tile = m_tiles[static_cast<std::size_t>(n)];
            p.drawPixmap(QPointF(x / ratio, top / ratio), tile);
            x += tile.width();
        };
        // An outline a little outside the tiles it surrounds, given in device pixels.
        const auto outline = [&](int left, const QPen& pen) {
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF((left - 1) / ratio - 0.75, (top - 1) / ratio - 0.75,
                              (x - left + 2) / ratio + 1.5,
                              (m_tileDeviceHeight + 2) / ratio + 1.5));
        };
        for (std::size_t b = 0; b < line.blocks.size(); ++b) {
            const Block& block = line.blocks[b];
            const int left = x;
            for (int i = 0; i < BlockSize(block.kind); ++i) {
                place(BlockTile(block, i));
            }
            if (static_cast<int>(b) == line.outlined) {
                outline(left, QPen(QColor(kCircleColor), 1.5));
            }
            x += gap;
        }
        for (const TileNumber n : line.plain) {
            place(n);
        }
        if (line.leftover.empty()) {
            return;
        }
        x += qRound((kLeftoverGap - kBlockGap) * ratio);
        const int left = x;
        for (const TileNumber n : line.leftover) {
            place(n);
        }
        outline(left, QPen(QColor(kLeftoverColor), 1, Qt::DashLine));
    }

    // The small tiles of the panel's suit at ratio, re-tagged with the ratio itself so that the
    // painter copies them one for one.
    void takeTiles(qreal ratio) {
        if (m_tilesSuit == m_panel.m_suit && m_tilesRatio == ratio) {
            return;
        }
        for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
            QPixmap tile = LoadTileBitmap(TileBitmapId(n, m_panel.m_suit),
                                          ratio * ExplanationPanel::kTileScale);
            tile.setDevicePixelRatio(ratio);
            m_tiles[static_cast<std::size_t>(n)] = tile;
            m_tileDeviceHeight = tile.height();
        }
        m_tilesSuit = m_panel.m_suit;
        m_tilesRatio = ratio;
    }

    static void paintSign(QPainter& p, RowSign sign, const QRect& box) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(Qt::NoBrush);
        switch (sign) {
            case RowSign::Circle:
                p.setPen(QPen(QColor(kCircleColor), 2));
                p.drawEllipse(QRectF(box).adjusted(1, 1, -1, -1));
                break;
            case RowSign::Cross:
                p.setPen(QPen(QColor(kCrossColor), 2));
                p.drawLine(QPointF(box.left() + 1, box.top() + 1),
                           QPointF(box.right(), box.bottom()));
                p.drawLine(QPointF(box.right(), box.top() + 1),
                           QPointF(box.left() + 1, box.bottom()));
                break;
            case RowSign::Neutral:
                p.setPen(QPen(QColor(kNeutralColor), 2));
                p.drawLine(QPointF(box.left() + 1, box.center().y() + 0.5),
                           QPointF(box.right(), box.center().y() + 0.5));
                break;
        }
        p.setRenderHint(QPainter::Antialiasing, false);
    }

    ExplanationPanel& m_panel;
    std::vector<RowGeometry> m_geometry;
    int m_lineHeight = 0;
    int m_tileHeight = 0;
    std::array<QPixmap, kNumberSlots> m_tiles;
    SuitKind m_tilesSuit = -1;
    qreal m_tilesRatio = 0;
    int m_tileDeviceHeight = 0;
};

ExplanationPanel::ExplanationPanel(QWidget* parent)
    : QWidget(parent),
      m_view(new ExplanationRowsView(*this)),
      m_explanation(std::make_unique<HandExplanation>()) {
    setFont(FormFont(kPanelPointSize));
    m_status.setTextFormat(Qt::PlainText);
    m_status.setContentsMargins(kMargin, 2, kMargin, 2);
    m_status.hide();
    m_scroll.setFrameShape(QFrame::NoFrame);
    m_scroll.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll.setWidgetResizable(true);
    m_scroll.setWidget(m_view);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(&m_status);
    column->addWidget(&m_scroll, 1);
    m_view->relayout();
}

ExplanationPanel::~ExplanationPanel() {
    // The scroll area would delete the view after the rows it reads are gone.
    delete m_scroll.takeWidget();
}

void ExplanationPanel::setStatusLine(const QString& text) {
    m_status.setText(text);
    m_status.setVisible(!text.isEmpty());
}

void ExplanationPanel::showAnswer(const QuizLogic& quiz) {
    ExplainHand(quiz.problem().sortedHand, *m_explanation);
    m_suit = quiz.suitKind();
    m_rows.clear();
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        const NumberExplanation& number = m_explanation->numbers[static_cast<std::size_t>(n)];
        const bool picked = quiz.selected(n);
        if (number.verdict == Verdict::NoReading && !picked) {
            continue;
        }
        ExplanationRow row{};
        row.number = n;
        switch (quiz.mark(n)) {
            case MarkKind::MarkCircle:
                row.sign = RowSign::Circle;
                break;
            case MarkKind::MarkCross:
                row.sign = RowSign::Cross;
                break;
            case MarkKind::MarkNone:
                row.sign = RowSign::Neutral;
                break;
        }
        if (number.readingCount > 0) {
            row.shown = number.best >= 0 && number.best < number.readingCount ? number.best : 0;
            row.others = number.readingCount - 1;
        } else {
            row.shown = -1;
        }
        row.verdict = VerdictText(number, row.shown, picked);
        m_rows.push_back(row);
    }
    m_scroll.verticalScrollBar()->setValue(0);
    m_view->relayout();
}

void ExplanationPanel::clearAnswer() {
    if (m_rows.empty()) {
        return;
    }
    m_rows.clear();
    m_view->relayout();
}

void ExplanationPanel::toggleOtherReadings(int row) {
    if (row < 0 || row >= static_cast<int>(m_rows.size()) ||
        m_rows[static_cast<std::size_t>(row)].others == 0) {
        return;
    }
    m_rows[static_cast<std::size_t>(row)].expanded =
        !m_rows[static_cast<std::size_t>(row)].expanded;
    m_view->relayout();
}

QRect ExplanationPanel::otherReadingsLink(int row) const {
    return m_view->link(row);
}

QWidget& ExplanationPanel::rowsWidget() {
    return *m_view;
}

QRect ExplanationPanel::firstTileRect(int row) const {
    return m_view->firstTile(row);
}

}  // namespace zelkon
