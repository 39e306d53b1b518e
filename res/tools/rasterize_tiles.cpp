// Build-time rasteriser: writes tile SVGs as PNGs at given device-pixel ratios, so the program
// can load the common ratios instead of rendering them at start-up.
// Usage: zelkon_rasterize_tiles RATIO SVG PNG [RATIO SVG PNG ...]
#include <cstdio>

#include <QImage>
#include <QString>

#include "res/tile_render.h"

int main(int argc, char** argv) {
    if (argc < 4 || (argc - 1) % 3 != 0) {
        std::fprintf(stderr, "usage: %s RATIO SVG PNG [RATIO SVG PNG ...]\n", argv[0]);
        return 2;
    }
    for (int i = 1; i < argc; i += 3) {
        bool ok = false;
        const qreal ratio = QString::fromLocal8Bit(argv[i]).toDouble(&ok);
        if (!ok || !(ratio > 0) || ratio > 8) {
            std::fprintf(stderr, "not a device-pixel ratio: %s\n", argv[i]);
            return 2;
        }
        const QImage image = zelkon::RenderTileImage(QString::fromLocal8Bit(argv[i + 1]), ratio);
        if (image.isNull()) {
            std::fprintf(stderr, "cannot render %s\n", argv[i + 1]);
            return 1;
        }
        if (!image.save(QString::fromLocal8Bit(argv[i + 2]), "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", argv[i + 2]);
            return 1;
        }
    }
    return 0;
}
