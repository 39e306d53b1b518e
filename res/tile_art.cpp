#include "res/tile_art.h"

#include <utility>

#include <QImage>
#include <QLocale>
#include <QPixmapCache>
#include <QSize>
#include <QString>

#include "res/tile_render.h"

namespace zelkon {
namespace {

bool hasTileImage(int resourceId) {
    return (resourceId >= 173 && resourceId <= 181) || (resourceId >= 183 && resourceId <= 200);
}

// Beyond this no screen exists, and a larger ratio would only ask for a huge allocation.
constexpr qreal kMaxDevicePixelRatio = 8.0;

// Exact, so that ratios which round to different device sizes never share an entry.
QString cacheKey(int resourceId, qreal devicePixelRatio) {
    return QStringLiteral("zelkon/tile/%1@%2")
        .arg(resourceId)
        .arg(QString::number(devicePixelRatio, 'g', QLocale::FloatingPointShortest));
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
    // The common ratios were rendered at build time by RenderTileImage; decoding one is far
    // cheaper than parsing and painting the SVG.
    QImage image(PrerenderedTilePath(resourceId, devicePixelRatio), "PNG");
    if (image.isNull()) {
        image = RenderTileImage(QStringLiteral(":/tiles/%1.svg").arg(resourceId), devicePixelRatio);
        if (image.isNull()) {
            return {};
        }
    }
    pixmap = QPixmap::fromImage(std::move(image));
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
