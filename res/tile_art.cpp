#include "res/tile_art.h"

#include <cmath>

#include <QPainter>
#include <QPixmapCache>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QSvgRenderer>

namespace zelkon {
namespace {

bool hasTileImage(int resourceId) {
    return (resourceId >= 173 && resourceId <= 181) || (resourceId >= 183 && resourceId <= 200);
}

// Beyond this no screen exists, and a larger ratio would only ask for a huge allocation.
constexpr qreal kMaxDevicePixelRatio = 8.0;

QString cacheKey(int resourceId, qreal devicePixelRatio) {
    return QStringLiteral("zelkon/tile/%1@%2").arg(resourceId).arg(devicePixelRatio);
}

}  // namespace

QPixmap LoadTileBitmap(int resourceId, qreal devicePixelRatio) {
    if (!hasTileImage(resourceId) || !(devicePixelRatio > 0) ||
        devicePixelRatio > kMaxDevicePixelRatio) {
        return {};
    }
    const QString key = cacheKey(resourceId, devicePixelRatio);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap)) {
        return pixmap;
    }
    QSvgRenderer renderer(QStringLiteral(":/tiles/%1.svg").arg(resourceId));
    if (!renderer.isValid()) {
        return {};
    }
    // The image is drawn straight into device pixels, so it stays crisp at fractional ratios.
    const QSize deviceSize(static_cast<int>(std::lround(kTileWidth * devicePixelRatio)),
                           static_cast<int>(std::lround(kTileHeight * devicePixelRatio)));
    pixmap = QPixmap(deviceSize);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(deviceSize)));
    }
    pixmap.setDevicePixelRatio(devicePixelRatio);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/zelkon_%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace zelkon
