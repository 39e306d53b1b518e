// Draws every tile at 1×, at 1× magnified and at 3×, plus the icon sizes, into one PNG to look at;
// prints what rendering the 27 tiles costs without and with the cache.
#include <chrono>
#include <cstdio>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>

#include "res/tile_art.h"

namespace {

constexpr int kIds[27] = {173, 174, 175, 176, 177, 178, 179, 180, 181, 183, 184, 185, 186, 187,
                          188, 189, 190, 191, 192, 193, 194, 195, 196, 197, 198, 199, 200};

double renderAllMs(qreal dpr) {
    const auto start = std::chrono::steady_clock::now();
    for (int id : kIds) {
        if (zelkon::LoadTileBitmap(id, dpr).isNull()) {
            std::fprintf(stderr, "tile %d is missing\n", id);
        }
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("tiles.png");

    for (qreal dpr : {1.0, 2.0}) {
        QPixmapCache::clear();
        const double uncached = renderAllMs(dpr);
        double cached = 0;
        constexpr int kRounds = 100;
        for (int round = 0; round < kRounds; ++round) {
            cached += renderAllMs(dpr);
        }
        std::printf("dpr %.0f: 27 tiles uncached %.2f ms, cached %.4f ms\n", dpr, uncached,
                    cached / kRounds);
    }

    constexpr int kGap = 12;
    const int width = 2 * kGap + 9 * 33 * 3;
    const int height = kGap * 6 + 3 * 59 + 2 * 3 * 3 * 59 + 256;
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor(0, 200, 0));
    QPainter painter(&sheet);
    int y = kGap;
    for (int row = 0; row < 3; ++row) {
        for (int k = 0; k < 9; ++k) {
            painter.drawPixmap(QPoint(kGap + 33 * k, y + 59 * row),
                               zelkon::LoadTileBitmap(kIds[row * 9 + k], 1.0));
        }
    }
    y += 3 * 59 + kGap;
    for (int row = 0; row < 3; ++row) {
        for (int k = 0; k < 9; ++k) {
            const QImage one = zelkon::LoadTileBitmap(kIds[row * 9 + k], 1.0).toImage();
            painter.drawImage(QPoint(kGap + 99 * k, y + 177 * row), one.scaled(99, 177));
        }
    }
    y += 3 * 177 + kGap;
    for (int row = 0; row < 3; ++row) {
        for (int k = 0; k < 9; ++k) {
            // Shown at its device size, as a screen of ratio 3 would show it.
            QPixmap three = zelkon::LoadTileBitmap(kIds[row * 9 + k], 3.0);
            three.setDevicePixelRatio(1.0);
            painter.drawPixmap(QPoint(kGap + 99 * k, y + 177 * row), three);
        }
    }
    y += 3 * 177 + kGap;
    int x = kGap;
    const QIcon icon = zelkon::ApplicationIcon();
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        painter.drawPixmap(QPoint(x, y), icon.pixmap(QSize(size, size)));
        x += size + kGap;
    }
    painter.end();
    if (!sheet.save(out)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
        return 1;
    }
    return 0;
}
