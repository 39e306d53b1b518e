#include "explanation_panel.h"

#include <array>
#include <functional>

#include <QAbstractButton>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <QScrollBar>
#include <QToolTip>
#include <QVBoxLayout>

#include "analysis/explanation_text.h"
#include "analysis/hint_text.h"
#include "analysis/wait_in_hand.h"
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
constexpr int kTilesX = 14;
constexpr int kBlockGap = 4;
constexpr int kLeftoverGap = 10;
constexpr int kLineGap = 3;
constexpr int kRowGap = 10;
constexpr QRgb kLeftoverColor = qRgb(128, 128, 128);
constexpr QRgb kNeutralColor = qRgb(128, 128, 128);
// Set-aside melds in the hand's copy: the panel's background laid over them at this opacity.
constexpr float kGreyedOpacity = 0.6f;

// Looked up at each use: the language may change while the program runs.
QString ItemGap() {
    return QString::fromUtf8(ExplanationPhrasesFor(UiLanguage()).itemGap);
}

QString SummaryText(const HandExplanation& explanation, const QuizLogic& quiz) {
    const SummaryItems summary = SummaryWords(explanation, quiz.picks(), UiLanguage());
    QStringList items;
    for (std::int32_t i = 0; i < summary.count; ++i) {
        items << QString::fromUtf8(summary.items[static_cast<std::size_t>(i)].view());
    }
    return items.join(ItemGap());
}

// The core's styles, and one of the hints'.
enum class GroupStyle {
    Plain = static_cast<int>(TileGroupStyle::Plain),
    Outlined = static_cast<int>(TileGroupStyle::Outlined),
    Leftover = static_cast<int>(TileGroupStyle::Leftover),
    Greyed,  // a meld a hint sets aside
};

// Tiles drawn side by side; groups stand apart by a gap.
struct DrawnGroup {
    std::array<TileNumber, 13> tiles{};
    int count = 0;
    GroupStyle style = GroupStyle::Plain;
};

using DrawnLine = std::vector<DrawnGroup>;

DrawnGroup GroupOf(const TileGroup& core, GroupStyle style) {
    DrawnGroup group;
    for (std::int32_t i = 0; i < core.count; ++i) {
        group.tiles[static_cast<std::size_t>(group.count++)] =
            core.tiles[static_cast<std::size_t>(i)];
    }
    group.style = style;
    return group;
}

DrawnLine LineOf(const TileLine& core) {
    DrawnLine line;
    for (std::int32_t g = 0; g < core.count; ++g) {
        const TileGroup& group = core.groups[static_cast<std::size_t>(g)];
        line.push_back(GroupOf(group, static_cast<GroupStyle>(group.style)));
    }
    return line;
}

// Hint 2's copy of the hand: the set-aside melds greyed and the core, each group where its
// lowest tile puts it.
DrawnLine HandCopyLine(const SmallestCore& core) {
    DrawnLine line;
    DrawnGroup rest;
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        for (int c = 0; c < core.core[static_cast<std::size_t>(n)]; ++c) {
            rest.tiles[static_cast<std::size_t>(rest.count++)] = n;
        }
    }
    bool restPlaced = rest.count == 0;
    for (std::int32_t b = 0; b < core.setAsideCount; ++b) {
        const Block& meld = core.setAside[static_cast<std::size_t>(b)];
        if (!restPlaced && rest.tiles[0] < meld.first) {
            line.push_back(rest);
            restPlaced = true;
        }
        line.push_back(GroupOf(BlockGroup(meld), GroupStyle::Greyed));
    }
    if (!restPlaced) {
        line.push_back(rest);
    }
    return line;
}

// The smallest core and its family, as hints 2 and 3 word them: 「123・789を外すと、残りは
// 3344555　残りは連続4面の形」.
QString CoreText(const Hints& hints) {
    return QString::fromUtf8(CoreWords(hints, UiLanguage()).view());
}

// The wait as it stands in the hand, drawn as tile groups with 「が1・4を待つ」 beside them.
DrawnLine WaitingTiles(const ExplainedReading& reading, TileNumber n, QString& text) {
    const WaitInHand wait = WaitInHandOf(reading, n);
    DrawnLine line;
    for (std::int32_t g = 0; g < wait.groupCount; ++g) {
        DrawnGroup group;
        const std::size_t at = static_cast<std::size_t>(g);
        for (std::int32_t i = 0; i < wait.groupSizes[at]; ++i) {
            group.tiles[static_cast<std::size_t>(group.count++)] =
                wait.groups[at][static_cast<std::size_t>(i)];
        }
        line.push_back(group);
    }
    text = QString::fromUtf8(WaitsOnWords(wait, UiLanguage()).view());
    return line;
}

// "ほかの読み方（N）": a link that Tab reaches and Space opens. A click never takes the focus,
// and every other key goes on to the window, so Enter and 1 to 9 reach the quiz.
class ReadingsLink : public QAbstractButton {
public:
    ReadingsLink(QWidget* parent, std::function<void(QWidget*)> focused)
        : QAbstractButton(parent), m_focused(std::move(focused)) {
        setFocusPolicy(Qt::TabFocus);
        setCursor(Qt::PointingHandCursor);
    }

    QSize sizeHint() const override {
        const QFontMetrics metrics(font());
        return {metrics.horizontalAdvance(text()) + 4, metrics.height() + 2};
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter p(this);
        QFont underlined = font();
        underlined.setUnderline(true);
        p.setFont(underlined);
        p.setPen(palette().color(QPalette::Link));
        // The window frames whatever has the focus once Tab is used.
        p.drawText(rect().adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, text());
    }

    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
            if (!event->isAutoRepeat()) {
                click();
            }
            return;
        }
        event->ignore();
    }

    void keyReleaseEvent(QKeyEvent* event) override {
        if (event->key() != Qt::Key_Space) {
            event->ignore();
        }
    }

    void focusInEvent(QFocusEvent* event) override {
        QAbstractButton::focusInEvent(event);
        m_focused(this);
    }

private:
    std::function<void(QWidget*)> m_focused;
};

}  // namespace

class ExplanationRowsView : public QWidget {
public:
    explicit ExplanationRowsView(ExplanationPanel& panel) : m_panel(panel) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::NoFocus);
    }

    // New rows: one link for each row that has other readings.
    void rebuild() {
        for (ReadingsLink* link : m_links) {
            delete link;
        }
        m_links.clear();
        for (std::size_t i = 0; i < m_panel.m_rows.size(); ++i) {
            const ExplanationRow& row = m_panel.m_rows[i];
            ReadingsLink* link = nullptr;
            if (row.others > 0) {
                link = new ReadingsLink(this, [this](QWidget* w) {
                    m_panel.m_scroll.ensureWidgetVisible(w, 0, kMargin);
                });
                link->setText(ExplanationPanel::tr("ほかの読み方（%1）").arg(row.others));
                const int index = static_cast<int>(i);
                connect(link, &QAbstractButton::clicked, this,
                        [this, index] { m_panel.toggleOtherReadings(index); });
                link->show();
            }
            m_links.push_back(link);
        }
        relayout();
    }

    void relayout() {
        const QFontMetrics metrics(font());
        m_lineHeight = metrics.height();
        m_tileHeight = TileSize().height();
        m_tileLineHeight = m_tileHeight + 1 + m_lineHeight;
        const int textWidth = qMax(1, width() - kMargin - kMargin);
        m_layoutWidth = width();
        m_headerHeights.clear();
        m_packedHeader.clear();
        m_geometry.clear();
        int y = kMargin;
        m_hintTops.clear();
        m_handCopyTop = -1;
        m_readingTop = -1;
        if (!m_panel.m_answered && m_panel.m_hintLines.isEmpty()) {
            y += wrappedHeight(placeholderText(), textWidth);
        }
        if (!m_panel.m_answered) {
            for (qsizetype i = 0; i < m_panel.m_hintLines.size(); ++i) {
                m_hintTops.push_back(y);
                y += wrappedHeight(m_panel.m_hintLines[i], textWidth) + kLineGap;
                if (i == 1) {
                    m_handCopyTop = y;
                    y += m_tileLineHeight + kLineGap;
                } else if (i == 5 && m_panel.m_hints->shownWait != 0) {
                    m_readingTop = y;
                    y += m_tileLineHeight + kLineGap;
                }
            }
        }
        for (const QString& line : m_panel.m_header) {
            m_packedHeader << packItems(line, textWidth, m_packedHeader.isEmpty());
            const int h =
                wrappedHeight(m_packedHeader.back(), textWidth, m_packedHeader.size() == 1);
            m_headerHeights.push_back(h);
            y += h + kLineGap;
        }
        if (!m_panel.m_header.isEmpty()) {
            y += kRowGap - kLineGap;
        }
        for (std::size_t i = 0; i < m_panel.m_rows.size(); ++i) {
            const ExplanationRow& row = m_panel.m_rows[i];
            RowGeometry g;
            g.top = y;
            g.verdict = packItems(row.verdict, verdictWidth(), false);
            g.verdictHeight = qMax(m_lineHeight, wrappedHeight(g.verdict, verdictWidth()));
            y += g.verdictHeight + kLineGap;
            g.tilesTop = y;
            y += m_tileLineHeight + kLineGap;
            if (!row.waitText.isEmpty()) {
                g.waitTop = y;
                y += m_tileLineHeight + kLineGap;
            }
            if (ReadingsLink* link = m_links[i]) {
                const QSize hint = link->sizeHint();
                if (g.waitTop >= 0) {
                    // At the right of the wait line, which leaves room for it.
                    link->setGeometry(width() - kMargin - hint.width(),
                                      g.waitTop + (m_tileHeight - hint.height()) / 2, hint.width(),
                                      hint.height());
                } else {
                    link->setGeometry(kTilesX - 2, y, hint.width(), hint.height());
                    y += hint.height();
                }
                g.othersTop = y + kLineGap;
                if (row.expanded) {
                    y += kLineGap + row.others * (m_lineHeight + m_tileLineHeight + kLineGap);
                }
            }
            y += kRowGap;
            m_geometry.push_back(g);
        }
        setMinimumHeight(y);
        updateGeometry();
        update();
    }

    QRect firstTile(int row) const {
        const qreal ratio = devicePixelRatioF();
        const int top = m_geometry[static_cast<std::size_t>(row)].tilesTop;
        const QPixmap tile =
            LoadTileBitmap(TileBitmapId(1, kSuitManzu), ratio * ExplanationPanel::kTileScale);
        return QRect(QPoint(qRound(kTilesX * ratio), qRound(top * ratio)), tile.size());
    }

    QRect verdict(int row) const {
        const RowGeometry& g = m_geometry[static_cast<std::size_t>(row)];
        return QRect(kVerdictX, g.top, verdictWidth(), g.verdictHeight);
    }

    QRect handCopy() const {
        if (m_handCopyTop < 0) {
            return QRect();
        }
        return QRect(kTilesX, m_handCopyTop, width() - kTilesX - kMargin, m_tileLineHeight);
    }

    ReadingsLink* link(int row) const {
        return row >= 0 && row < static_cast<int>(m_links.size())
                   ? m_links[static_cast<std::size_t>(row)]
                   : nullptr;
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        // Wrapped lines change height with the width: a scroll bar coming or going.
        if (width() != m_layoutWidth) {
            const int before = minimumHeight();
            relayout();
            if (minimumHeight() != before) {
                emit m_panel.wantedHeightChanged();
            }
        }
    }

    void paintEvent(QPaintEvent* event) override {
        const QRect area = event->rect();
        const qreal ratio = devicePixelRatioF();
        takeTiles(ratio);
        QPainter p(this);
        p.fillRect(area, palette().color(QPalette::Window));
        p.setFont(font());
        const int textWidth = width() - kMargin - kMargin;
        int y = kMargin;
        if (!m_panel.m_answered && m_panel.m_hintLines.isEmpty()) {
            p.setPen(palette().color(QPalette::Disabled, QPalette::WindowText));
            p.drawText(QRect(kMargin, y, textWidth, height()), Qt::TextWordWrap, placeholderText());
        }
        if (!m_panel.m_answered) {
            p.setPen(palette().color(QPalette::WindowText));
            for (std::size_t i = 0; i < m_hintTops.size(); ++i) {
                p.drawText(QRect(kMargin, m_hintTops[i], textWidth, height()), Qt::TextWordWrap,
                           m_panel.m_hintLines[static_cast<qsizetype>(i)]);
            }
            if (m_handCopyTop >= 0) {
                paintTiles(p, HandCopyLine(m_panel.m_hints->core), m_handCopyTop, ratio);
            }
            if (m_readingTop >= 0) {
                paintTiles(p, LineOf(ReadingTiles(m_panel.m_hints->shownReading)), m_readingTop,
                           ratio);
            }
        }
        p.setPen(palette().color(QPalette::WindowText));
        for (qsizetype i = 0; i < m_panel.m_header.size(); ++i) {
            const int h = m_headerHeights[static_cast<std::size_t>(i)];
            QFont strong = font();
            strong.setBold(i == 0);
            p.setFont(strong);
            p.drawText(QRect(kMargin, y, textWidth, h), Qt::TextWordWrap, m_packedHeader[i]);
            y += h + kLineGap;
        }
        p.setFont(font());
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

    // In English a verdict's shape and patterns show their Japanese, for a learner of both.
    bool event(QEvent* event) override {
        if (event->type() != QEvent::ToolTip) {
            return QWidget::event(event);
        }
        const auto* help = static_cast<QHelpEvent*>(event);
        for (std::size_t i = 0; i < m_panel.m_rows.size() && i < m_geometry.size(); ++i) {
            const ExplanationRow& row = m_panel.m_rows[i];
            if (row.shown >= 0 && verdict(static_cast<int>(i)).contains(help->pos())) {
                const ExplainedReading& reading =
                    m_panel.m_explanation->numbers[static_cast<std::size_t>(row.number)]
                        .readings[static_cast<std::size_t>(row.shown)];
                QStringList lines;
                const Term& shape = kWaitShapeTerms[static_cast<std::size_t>(reading.waitShape)];
                lines << UiTerm(shape) + QStringLiteral(": ") + JapaneseBeside(shape);
                for (std::size_t k = 0; k < kPatternTerms.size(); ++k) {
                    if (reading.patterns[k] != 0) {
                        lines << UiTerm(kPatternTerms[k]) + QStringLiteral(": ") +
                                     JapaneseBeside(kPatternTerms[k]);
                    }
                }
                if (!JapaneseBeside(shape).isEmpty()) {
                    QToolTip::showText(help->globalPos(), lines.join(QLatin1Char('\n')), this);
                    return true;
                }
            }
        }
        QToolTip::hideText();
        event->ignore();
        return true;
    }

    void mousePressEvent(QMouseEvent* event) override {
        for (std::size_t i = 0; i < m_links.size(); ++i) {
            if (m_links[i] != nullptr &&
                m_links[i]->geometry().contains(event->position().toPoint())) {
                m_panel.toggleOtherReadings(static_cast<int>(i));
                return;
            }
        }
        QWidget::mousePressEvent(event);
    }

private:
    struct RowGeometry {
        int top = 0;
        QString verdict;  // the row's, with its line breaks
        int verdictHeight = 0;
        int tilesTop = 0;
        int waitTop = -1;   // -1 without a wait line
        int othersTop = 0;  // where the other readings start once opened
    };

    static QString placeholderText() {
        return ExplanationPanel::tr("解答すると、ここに解説が表示されます");
    }

    // In logical pixels: the size at ratio 1.
    static QSize TileSize() {
        return LoadTileBitmap(TileBitmapId(1, kSuitManzu), ExplanationPanel::kTileScale).size();
    }

    int verdictWidth() const { return qMax(1, width() - kVerdictX - kMargin); }

    int wrappedHeight(const QString& text, int width, bool bold = false) const {
        QFont measured = font();
        measured.setBold(bold);
        return QFontMetrics(measured)
            .boundingRect(QRect(0, 0, width, 10000), Qt::TextWordWrap, text)
            .height();
    }

    // Line breaks where a reader expects them: at a U+3000 between items (which goes) or before
    // a "（" (which stays), rather than inside a word; a piece wider than the line still wraps.
    QString packItems(const QString& text, int width, bool bold) const {
        QFont measured = font();
        measured.setBold(bold);
        const QFontMetrics metrics(measured);
        // The gap between items is the language's own: U+3000, or spaces in English.
        const QString gap = ItemGap();
        QStringList pieces;  // each but the first starts with its break: the gap or "（"
        qsizetype start = 0;
        for (qsizetype i = 1; i < text.size(); ++i) {
            if (QStringView(text).mid(i).startsWith(gap) || text.at(i) == QChar(u'（')) {
                pieces << text.mid(start, i - start);
                start = i;
            }
        }
        pieces << text.mid(start);
        QString packed;
        QString line;
        for (const QString& piece : pieces) {
            if (!line.isEmpty() && metrics.horizontalAdvance(line + piece) > width) {
                packed += line + QLatin1Char('\n');
                line = piece.startsWith(gap) ? piece.mid(gap.size()) : piece;
            } else {
                line += piece;
            }
        }
        return packed + line;
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
        p.drawText(QRect(kVerdictX, g.top, verdictWidth(), g.verdictHeight), Qt::TextWordWrap,
                   g.verdict);
        p.restore();

        paintTiles(p, LineOf(RowTiles(number, row.number)), g.tilesTop, ratio);
        if (g.waitTop >= 0) {
            QString text;
            const DrawnLine waiting = WaitingTiles(
                number.readings[static_cast<std::size_t>(row.shown)], row.number, text);
            const int right = paintTiles(p, waiting, g.waitTop, ratio);
            p.save();
            p.setPen(palette().color(QPalette::WindowText));
            p.drawText(QRect(right + 2, g.waitTop, width() - right - 2 - kMargin, m_tileHeight),
                       Qt::AlignVCenter, text);
            p.restore();
        }
        if (!row.expanded || row.others == 0) {
            return;
        }
        int y = g.othersTop;
        const OtherRecords others = OtherRecordsOf(number);
        for (std::int32_t i = 0; i < others.count; ++i) {
            const std::int32_t record = others.records[static_cast<std::size_t>(i)];
            p.save();
            p.setPen(palette().color(QPalette::WindowText));
            p.drawText(
                QRect(kTilesX, y, width() - kTilesX - kMargin, m_lineHeight), Qt::AlignVCenter,
                QString::fromUtf8(
                    CaptionWords(*m_panel.m_explanation, row.number, record, UiLanguage()).view()));
            p.restore();
            y += m_lineHeight;
            paintTiles(p, LineOf(ReadingTiles(number.readings[static_cast<std::size_t>(record)])),
                       y, ratio);
            y += m_tileLineHeight + kLineGap;
        }
    }

    // Tiles go 1:1 into device pixels, each its own width from the last, as on the board: each
    // lands on a whole device pixel and carries the widget's ratio, so it is copied, not scaled.
    // Each tile's number stands under it. Returns the logical x after the last tile.
    int paintTiles(QPainter& p, const DrawnLine& line, int y, qreal ratio) const {
        const int top = qRound(y * ratio);
        const int gap = qRound(kBlockGap * ratio);
        int x = qRound(kTilesX * ratio);
        const int labelTop = y + m_tileHeight + 1;
        p.save();
        const auto place = [&](TileNumber n) {
            const QPixmap& tile = m_tiles[static_cast<std::size_t>(n)];
            p.drawPixmap(QPointF(x / ratio, top / ratio), tile);
            p.setPen(palette().color(QPalette::WindowText));
            p.drawText(QRectF(x / ratio, labelTop, tile.width() / ratio, m_lineHeight),
                       Qt::AlignHCenter | Qt::AlignTop, QString::number(n));
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
        bool leftoverSeen = false;
        for (std::size_t i = 0; i < line.size(); ++i) {
            const DrawnGroup& group = line[i];
            if (group.style == GroupStyle::Leftover && !leftoverSeen) {
                x += qRound((kLeftoverGap - kBlockGap) * ratio);
                leftoverSeen = true;
            }
            const int left = x;
            for (int t = 0; t < group.count; ++t) {
                place(group.tiles[static_cast<std::size_t>(t)]);
            }
            const bool joinsNext = group.style == GroupStyle::Leftover && i + 1 < line.size() &&
                                   line[i + 1].style == GroupStyle::Leftover;
            if (group.style == GroupStyle::Greyed) {
                QColor veil = palette().color(QPalette::Window);
                veil.setAlphaF(kGreyedOpacity);
                p.fillRect(QRectF(left / ratio, top / ratio, (x - left) / ratio,
                                  m_tileDeviceHeight / ratio + 1 + m_lineHeight),
                           veil);
            }
            if (group.style == GroupStyle::Outlined) {
                outline(left, QPen(QColor(kCircleColor), 1.5));
            } else if (group.style == GroupStyle::Leftover) {
                outline(left, QPen(QColor(kLeftoverColor), 1, Qt::DashLine));
            }
            if (!joinsNext) {
                x += gap;
            }
        }
        p.restore();
        return qRound(x / ratio);
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
    std::vector<int> m_headerHeights;
    QStringList m_packedHeader;          // m_panel.m_header, its items packed into lines
    std::vector<ReadingsLink*> m_links;  // children; nullptr for a row without others
    std::vector<int> m_hintTops;
    int m_handCopyTop = -1;  // hint 2's tiles, or -1
    int m_readingTop = -1;   // hint 6's tiles, or -1
    int m_layoutWidth = -1;
    int m_lineHeight = 0;
    int m_tileHeight = 0;
    int m_tileLineHeight = 0;
    std::array<QPixmap, kNumberSlots> m_tiles;
    SuitKind m_tilesSuit = -1;
    qreal m_tilesRatio = 0;
    int m_tileDeviceHeight = 0;
};

ExplanationPanel::ExplanationPanel(QWidget* parent)
    : QWidget(parent),
      m_view(new ExplanationRowsView(*this)),
      m_explanation(std::make_unique<HandExplanation>()),
      m_hints(std::make_unique<Hints>()) {
    setFont(FormFont(kPanelPointSize));
    // A click anywhere here leaves the keyboard with the quiz; only the links take the focus,
    // and only from Tab.
    setFocusPolicy(Qt::NoFocus);
    m_status.setTextFormat(Qt::PlainText);
    m_status.setContentsMargins(kMargin, 2, kMargin, 2);
    m_status.setFocusPolicy(Qt::NoFocus);
    m_status.hide();
    // A click leaves the keyboard with the quiz, as everywhere in the panel.
    SetUiText(&m_hintButton, staticMetaObject, QT_TR_NOOP("ヒント"));
    m_hintButton.setObjectName(QStringLiteral("hint"));
    m_hintButton.setFocusPolicy(Qt::NoFocus);
    m_hintButton.setAutoDefault(false);
    connect(&m_hintButton, &QPushButton::clicked, this, &ExplanationPanel::hintRequested);
    // Under the rows: before the answer, right below the hints it brings.
    auto* bottom = new QHBoxLayout(&m_hintRow);
    bottom->setContentsMargins(kMargin, 0, kMargin, kMargin);
    bottom->addStretch(1);
    bottom->addWidget(&m_hintButton);
    m_scroll.setFrameShape(QFrame::NoFrame);
    m_scroll.setFocusPolicy(Qt::NoFocus);
    m_scroll.viewport()->setFocusPolicy(Qt::NoFocus);
    m_scroll.verticalScrollBar()->setFocusPolicy(Qt::NoFocus);
    m_scroll.horizontalScrollBar()->setFocusPolicy(Qt::NoFocus);
    m_scroll.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll.setWidgetResizable(true);
    m_scroll.setWidget(m_view);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(&m_status);
    column->addWidget(&m_scroll, 1);
    column->addWidget(&m_hintRow);
    m_view->rebuild();
}

ExplanationPanel::~ExplanationPanel() {
    // The scroll area would delete the view after the rows it reads are gone.
    delete m_scroll.takeWidget();
}

void ExplanationPanel::setStatusLine(const QString& text) {
    const bool wasVisible = !m_status.text().isEmpty();
    m_status.setText(text);
    m_status.setVisible(!text.isEmpty());
    if (wasVisible != !text.isEmpty()) {
        emit wantedHeightChanged();
    }
}

int ExplanationPanel::wantedHeight() const {
    const int status = m_status.text().isEmpty() ? 0 : m_status.sizeHint().height();
    return status + m_view->minimumHeight() + m_hintRow.sizeHint().height();
}

void ExplanationPanel::showAnswer(const QuizLogic& quiz) {
    ExplainTiles(quiz.sortedTiles(), *m_explanation);
    m_suit = quiz.suitKind();
    m_answered = true;
    m_header = QStringList{SummaryText(*m_explanation, quiz)};
    ComputeHints(quiz.sortedTiles(), *m_hints);
    // Hints 2 and 3 already named the core. The core words them in Japanese only so far.
    if (quiz.hintsUsed() < 3 && UiLanguage() == Language::Japanese) {
        m_header << CoreText(*m_hints);
    }
    for (int level = 1; level <= quiz.hintsUsed(); ++level) {
        m_header << QString::fromUtf8(HintWords(*m_hints, level).view());
    }
    m_hintLines.clear();
    m_rows.clear();
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        const NumberExplanation& number = m_explanation->numbers[static_cast<std::size_t>(n)];
        const bool picked = quiz.selected(n);
        if (!HasRow(number, picked)) {
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
        row.shown = ShownRecord(number);
        row.others = OtherRecordsOf(number).count;
        row.verdict =
            QString::fromUtf8(VerdictWords(*m_explanation, n, picked, UiLanguage()).view());
        if (number.verdict == Verdict::Wait) {
            WaitingTiles(number.readings[static_cast<std::size_t>(row.shown)], n, row.waitText);
        }
        m_rows.push_back(row);
    }
    m_scroll.verticalScrollBar()->setValue(0);
    m_view->rebuild();
    emit wantedHeightChanged();
}

void ExplanationPanel::clearAnswer() {
    if (!m_answered && m_hintLines.isEmpty()) {
        return;
    }
    m_answered = false;
    m_hintLines.clear();
    m_header.clear();
    m_rows.clear();
    m_view->rebuild();
    emit wantedHeightChanged();
}

void ExplanationPanel::showHints(const QuizLogic& quiz) {
    if (quiz.answered()) {
        return;
    }
    ComputeHints(quiz.sortedTiles(), *m_hints);
    m_suit = quiz.suitKind();
    m_hintLines.clear();
    for (int level = 1; level <= quiz.hintsUsed(); ++level) {
        m_hintLines << QString::fromUtf8(HintWords(*m_hints, level).view());
    }
    m_view->rebuild();
    emit wantedHeightChanged();
}

QRect ExplanationPanel::handCopyRect() const {
    return m_view->handCopy();
}

void ExplanationPanel::toggleOtherReadings(int row) {
    if (row < 0 || row >= static_cast<int>(m_rows.size()) ||
        m_rows[static_cast<std::size_t>(row)].others == 0) {
        return;
    }
    m_rows[static_cast<std::size_t>(row)].expanded =
        !m_rows[static_cast<std::size_t>(row)].expanded;
    m_view->relayout();
    emit wantedHeightChanged();
}

QAbstractButton* ExplanationPanel::otherReadingsLink(int row) const {
    return m_view->link(row);
}

QWidget& ExplanationPanel::rowsWidget() {
    return *m_view;
}

QRect ExplanationPanel::firstTileRect(int row) const {
    return m_view->firstTile(row);
}

QRect ExplanationPanel::verdictRect(int row) const {
    return m_view->verdict(row);
}

}  // namespace zelkon
