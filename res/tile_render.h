// The one way a tile SVG becomes pixels, shared by the program and the build-time rasteriser so
// that a pre-rendered tile and one rendered at run time cannot differ.
#pragma once

#include <QImage>
#include <QString>

namespace zelkon {

// The tile SVG at svgPath drawn straight into kTileWidth × kTileHeight scaled by devicePixelRatio
// and rounded, premultiplied ARGB, carrying devicePixelRatio. Null if the file does not parse.
// Precondition: 0 < devicePixelRatio <= 8.
QImage RenderTileImage(const QString& svgPath, qreal devicePixelRatio);

// The resource a tile rendered at build time is compiled in as. It exists only for the ratios
// res/CMakeLists.txt renders, which write this name: the ratio's shortest decimal form.
QString PrerenderedTilePath(int resourceId, qreal devicePixelRatio);

}  // namespace zelkon
