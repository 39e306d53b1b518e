#include "res/tile_render.h"

#include <cmath>

#include <QLocale>
#include <QPainter>
#include <QRectF>
#include <QSize>
#include <QSvgRenderer>

#include "res/tile_art.h"

namespace zelkon {

QImage RenderTileImage(const QString& svgPath, qreal devicePixelRatio) {
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid()) {
        return {};
    }
    // Drawn into device pixels rather than scaled from 1×, so it stays crisp at fractional ratios.
    const QSize deviceSize(static_cast<int>(std::lround(kTileWidth * devicePixelRatio)),
                           static_cast<int>(std::lround(kTileHeight * devicePixelRatio)));
    QImage image(deviceSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(deviceSize)));
    }
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

QString PrerenderedTilePath(int resourceId, qreal devicePixelRatio) {
    return QStringLiteral(":/tiles/%1@%2.png")
        .arg(resourceId)
        .arg(QString::number(devicePixelRatio, 'g', QLocale::FloatingPointShortest));
}

}  // namespace zelkon
