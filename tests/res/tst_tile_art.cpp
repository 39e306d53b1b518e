#include <cmath>
#include <functional>
#include <limits>

#include <QColor>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QSvgRenderer>
#include <QTest>

#include "res/tile_art.h"
#include "res/tile_render.h"

namespace {

struct TileSource {
    int id;
    QString file;
};

QList<TileSource> allTiles() {
    QList<TileSource> tiles;
    const struct {
        const char* suit;
        int first;
    } suits[] = {{"manzu", 173}, {"pinzu", 183}, {"souzu", 192}};
    for (const auto& suit : suits) {
        for (int n = 1; n <= 9; ++n) {
            tiles.append({suit.first + n - 1,
                          QStringLiteral("%1_%2.svg").arg(QLatin1String(suit.suit)).arg(n)});
        }
    }
    return tiles;
}

QImage tileImage(int id) {
    return zelkon::LoadTileBitmap(id, 1.0).toImage().convertToFormat(QImage::Format_RGB32);
}

int countPixels(const QImage& image, const QRect& area, const std::function<bool(QColor)>& test) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += test(image.pixelColor(x, y)) ? 1 : 0;
        }
    }
    return count;
}

bool isLight(QColor c) {
    return qGray(c.rgb()) > 205 && c.hsvSaturation() < 60;
}
bool isDark(QColor c) {
    return qGray(c.rgb()) < 70;
}
bool isRed(QColor c) {
    return c.red() > 150 && c.green() < 90 && c.blue() < 90;
}

// Inside the edge and below the back strip; upper and lower part of the characters' face.
const QRect kFace(2, 8, 28, 48);
const QRect kUpperFace(2, 8, 28, 21);
const QRect kLowerFace(2, 31, 28, 25);

}  // namespace

class TstTileArt : public QObject {
    Q_OBJECT

private slots:
    void everyTileHasItsSizeAtEachRatio_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<qreal>("ratio");
        for (const TileSource& tile : allTiles()) {
            // 1.4999999 follows 1.5 and rounds to a smaller size: a cache keyed by a rounded
            // ratio would hand it the larger image.
            for (qreal ratio : {1.0, 1.25, 1.5, 2.0, 1.4999999, 1.75, 3.0}) {
                QTest::addRow("%d@%.9g", tile.id, ratio) << tile.id << ratio;
            }
        }
    }
    void everyTileHasItsSizeAtEachRatio() {
        QFETCH(int, id);
        QFETCH(qreal, ratio);
        const QPixmap pixmap = zelkon::LoadTileBitmap(id, ratio);
        QVERIFY(!pixmap.isNull());
        QCOMPARE(pixmap.devicePixelRatio(), ratio);
        QCOMPARE(pixmap.size(), QSize(static_cast<int>(std::lround(33 * ratio)),
                                      static_cast<int>(std::lround(59 * ratio))));
        QCOMPARE(pixmap.deviceIndependentSize().toSize(), QSize(33, 59));
    }

    void idsWithoutImageGiveNull_data() {
        QTest::addColumn<int>("id");
        for (int id : {182, 172, 201, 0, -173, 1, std::numeric_limits<int>::min(),
                       std::numeric_limits<int>::max()}) {
            QTest::addRow("%d", id) << id;
        }
    }
    void idsWithoutImageGiveNull() {
        QFETCH(int, id);
        QVERIFY(zelkon::LoadTileBitmap(id, 1.0).isNull());
    }

    void unusableRatiosGiveNull_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("zero") << 0.0;
        QTest::newRow("negative") << -1.0;
        QTest::newRow("not a number") << std::numeric_limits<qreal>::quiet_NaN();
        QTest::newRow("huge") << 1e9;
    }
    void unusableRatiosGiveNull() {
        QFETCH(qreal, ratio);
        QVERIFY(zelkon::LoadTileBitmap(173, ratio).isNull());
    }

    // Catches a tile compiled in under the wrong id, and a build-time rendering that differs from
    // rendering the source at run time.
    void eachIdShowsItsNamedSource_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("file");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<bool>("prerendered");
        const struct {
            qreal ratio;
            bool prerendered;
        } ratios[] = {{0.5, true}, {0.625, true}, {0.75, true},  {1.0, true},  {1.25, true},
                      {1.5, true}, {2.0, true},   {1.75, false}, {3.0, false}, {0.875, false}};
        for (const TileSource& tile : allTiles()) {
            for (const auto& r : ratios) {
                QTest::addRow("%d@%g", tile.id, r.ratio)
                    << tile.id << tile.file << r.ratio << r.prerendered;
            }
        }
    }
    void eachIdShowsItsNamedSource() {
        QFETCH(int, id);
        QFETCH(QString, file);
        QFETCH(qreal, ratio);
        QFETCH(bool, prerendered);
        QCOMPARE(QFile::exists(zelkon::PrerenderedTilePath(id, ratio)), prerendered);
        QSvgRenderer source(QStringLiteral(ZELKON_TILE_SOURCES "/") + file);
        QVERIFY(source.isValid());
        const QSize size(static_cast<int>(std::lround(33 * ratio)),
                         static_cast<int>(std::lround(59 * ratio)));
        QImage expected(size, QImage::Format_ARGB32_Premultiplied);
        expected.fill(Qt::transparent);
        {
            QPainter painter(&expected);
            painter.setRenderHint(QPainter::Antialiasing);
            source.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
        }
        QPixmapCache::clear();
        const QImage loaded = zelkon::LoadTileBitmap(id, ratio).toImage().convertToFormat(
            QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(loaded.size(), expected.size());
        QVERIFY(loaded == expected);
    }

    void tilesHaveALightFaceUnderAColouredStrip_data() {
        QTest::addColumn<int>("id");
        for (const TileSource& tile : allTiles()) {
            QTest::addRow("%d", tile.id) << tile.id;
        }
    }
    void tilesHaveALightFaceUnderAColouredStrip() {
        QFETCH(int, id);
        const QImage image = tileImage(id);
        const int face = countPixels(image, kFace, isLight);
        QVERIFY2(face * 10 >= kFace.width() * kFace.height() * 3,
                 qPrintable(QStringLiteral("light pixels: %1").arg(face)));
        for (int x = 4; x <= 28; ++x) {
            const QColor strip = image.pixelColor(x, 2);
            QVERIFY2(strip.hsvSaturation() > 100 && strip.value() > 150,
                     qPrintable(QStringLiteral("x %1: %2").arg(x).arg(strip.name())));
        }
    }

    void charactersShowADarkNumeralOverARedMan_data() {
        QTest::addColumn<int>("id");
        for (int id = 173; id <= 181; ++id) {
            QTest::addRow("%d", id) << id;
        }
    }
    void charactersShowADarkNumeralOverARedMan() {
        QFETCH(int, id);
        const QImage image = tileImage(id);
        QVERIFY(countPixels(image, kUpperFace, isDark) >= 15);
        QCOMPARE(countPixels(image, kUpperFace, isRed), 0);
        QVERIFY(countPixels(image, kLowerFace, isRed) >= 60);
        QCOMPARE(countPixels(image, kLowerFace, isDark), 0);
    }

    void noTwoTilesLookAlike() {
        const QList<TileSource> tiles = allTiles();
        for (qsizetype i = 0; i < tiles.size(); ++i) {
            const QImage a = tileImage(tiles[i].id);
            for (qsizetype j = i + 1; j < tiles.size(); ++j) {
                QVERIFY2(a != tileImage(tiles[j].id),
                         qPrintable(QStringLiteral("%1 and %2").arg(tiles[i].id).arg(tiles[j].id)));
            }
        }
    }

    void aRenderedTileIsKeptPerRatio() {
        QPixmapCache::clear();
        const QPixmap first = zelkon::LoadTileBitmap(190, 1.5);
        QCOMPARE(zelkon::LoadTileBitmap(190, 1.5).cacheKey(), first.cacheKey());
        QVERIFY(zelkon::LoadTileBitmap(190, 2.0).cacheKey() != first.cacheKey());
        QPixmapCache::clear();
        QVERIFY(zelkon::LoadTileBitmap(190, 1.5).toImage() == first.toImage());
    }

    void iconComesInEverySize() {
        const QIcon icon = zelkon::ApplicationIcon();
        QVERIFY(!icon.isNull());
        for (int size : {16, 32, 48, 256}) {
            QVERIFY2(icon.availableSizes().contains(QSize(size, size)),
                     qPrintable(QString::number(size)));
            const QImage image = icon.pixmap(QSize(size, size)).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            QVERIFY(qAlpha(image.pixel(size / 2, size / 2)) == 255);
        }
    }
};

QTEST_MAIN(TstTileArt)
#include "tst_tile_art.moc"
