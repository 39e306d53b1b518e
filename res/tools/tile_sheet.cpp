// Draws every tile at 1×, at 1× magnified and at 3×, plus the icon sizes, into one PNG to look at;
// prints what the first load of each tile costs at several ratios, and a load from the cache.
#include <algorithm>
#include <array>
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

double loadMs(int id, qreal dpr) {
    const auto start = std::chrono::steady_clock::now();
    if (zelkon::LoadTileBitmap(id, dpr).isNull()) {
        std::fprintf(stderr, "tile %d is missing at %g\n", id, dpr);
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

void printTimings() {
    // The process's first load also pays for what Qt sets up once.
    std::printf("first tile of the process: %.3f ms\n", loadMs(kIds[0], 1.0));
    for (qreal dpr : {1.0, 1.25, 1.5, 2.0, 1.75, 3.0}) {
        QPixmapCache::clear();
        std::array<double, std::size(kIds)> first{};
        for (std::size_t i = 0; i < first.size(); ++i) {
            first[i] = loadMs(kIds[i], dpr);
        }
        double cached = 0;
        constexpr int kRounds = 100;
        for (int round = 0; round < kRounds; ++round) {
            for (int id : kIds) {
                cached += loadMs(id, dpr);
            }
        }
        double total = 0;
        for (double ms : first) {
            total += ms;
        }
        std::sort(first.begin(), first.end());
        std::printf(
            "dpr %-4g first load per tile: median %.3f ms, max %.3f ms, 27 tiles %.2f ms; "
            "cached %.4f ms\n",
            dpr, first[first.size() / 2], first.back(), total,
            cached / (kRounds * static_cast<double>(first.size())));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("tiles.png");

    printTimings();

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
