// The tile images and the application icon, rendered from the SVG sources compiled into the
// program.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace zelkon {

inline constexpr int kTileWidth = 33;
inline constexpr int kTileHeight = 59;

// The tile image of bitmap resource id (173..181, 183..191, 192..200), kTileWidth × kTileHeight
// logical pixels, rendered at devicePixelRatio and carrying it (pixmap.devicePixelRatio()).
// An id without an image returns a null pixmap, and so does a ratio outside (0, 8].
// Call it from the GUI thread only: rendered images are kept in QPixmapCache.
QPixmap LoadTileBitmap(int resourceId, qreal devicePixelRatio);

// The application icon (window and About box), in all sizes.
QIcon ApplicationIcon();

}  // namespace zelkon
