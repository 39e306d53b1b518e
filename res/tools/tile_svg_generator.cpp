// Writes the 27 tile SVGs, the application icon SVG and its PNG exports into a res/ folder.
// Glyphs come from a font file as outlines, so the written art needs no font to be shown.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QSvgRenderer>
#include <QTransform>

namespace {

struct Ink {
    const char* fill;
    const char* dark;
};

constexpr Ink kBlue{"#1b4ea6", "#0f2f6b"};
constexpr Ink kGreen{"#12874a", "#0a5530"};
constexpr Ink kRed{"#d0202e", "#84121b"};
constexpr const char* kIvory = "#fffdf4";
constexpr const char* kNumeralInk = "#14142e";
constexpr const char* kManInk = "#cc1b2b";

QString num(double v) {
    QString s = QString::number(v, 'f', 2);
    while (s.endsWith(u'0')) {
        s.chop(1);
    }
    if (s.endsWith(u'.')) {
        s.chop(1);
    }
    return s == QLatin1String("-0") ? QStringLiteral("0") : s;
}

QString pathData(const QPainterPath& path) {
    QString d;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            if (i > 0) {
                d += u'Z';
            }
            d += u'M' + num(e.x) + u' ' + num(e.y);
        } else if (e.isLineTo()) {
            d += u'L' + num(e.x) + u' ' + num(e.y);
        } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            d += u'C' + num(e.x) + u' ' + num(e.y) + u' ' + num(c2.x) + u' ' + num(c2.y) + u' ' +
                 num(end.x) + u' ' + num(end.y);
            i += 2;
        }
    }
    if (!d.isEmpty()) {
        d += u'Z';
    }
    return d;
}

QString circle(double cx, double cy, double r, const QString& fill, const QString& extra = {}) {
    return QStringLiteral("<circle cx=\"%1\" cy=\"%2\" r=\"%3\" fill=\"%4\"%5/>\n")
        .arg(num(cx), num(cy), num(r), fill, extra);
}

QString ellipse(double cx, double cy, double rx, double ry, double angle, const QString& fill,
                const QString& extra = {}) {
    const QString turn =
        angle == 0.0
            ? QString()
            : QStringLiteral(" transform=\"rotate(%1 %2 %3)\"").arg(num(angle), num(cx), num(cy));
    return QStringLiteral("<ellipse cx=\"%1\" cy=\"%2\" rx=\"%3\" ry=\"%4\" fill=\"%5\"%6%7/>\n")
        .arg(num(cx), num(cy), num(rx), num(ry), fill, turn, extra);
}

QString rect(double x, double y, double w, double h, double r, const QString& fill,
             const QString& extra = {}) {
    return QStringLiteral(
               "<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" fill=\"%6\"%7/>\n")
        .arg(num(x), num(y), num(w), num(h), num(r), fill, extra);
}

QString path(const QString& d, const QString& fill, const QString& extra = {}) {
    return QStringLiteral("<path d=\"%1\" fill=\"%2\"%3/>\n").arg(d, fill, extra);
}

QString stroke(const QString& colour, double width) {
    return QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\" stroke-linejoin=\"round\"")
        .arg(colour, num(width));
}

QString line(double x1, double y1, double x2, double y2, const QString& colour, double width) {
    return QStringLiteral(
               "<path d=\"M%1 %2L%3 %4\" fill=\"none\" stroke=\"%5\" stroke-width=\"%6\" "
               "stroke-linecap=\"round\"/>\n")
        .arg(num(x1), num(y1), num(x2), num(y2), colour, num(width));
}

// Gradients shared by every tile; the icon places several tiles in one document.
QString tileDefs() {
    return QStringLiteral(
        "<linearGradient id=\"back\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">"
        "<stop offset=\"0\" stop-color=\"#f6c35a\"/><stop offset=\"1\" stop-color=\"#d9861c\"/>"
        "</linearGradient>\n"
        "<linearGradient id=\"face\" x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\">"
        "<stop offset=\"0\" stop-color=\"#fffef8\"/><stop offset=\"1\" stop-color=\"#ece4cc\"/>"
        "</linearGradient>\n");
}

// The body: a dark edge all round (tiles touch in a row), the back colour along the top and the
// ivory face; the face leaves a wider edge on the right and at the bottom, read as the shadow.
QString tileFrame() {
    QString s;
    s += rect(0, 0, 33, 59, 0, QStringLiteral("#4a4238"));
    s += rect(0.6, 0.5, 31.6, 9, 2.4, QStringLiteral("url(#back)"));
    s += rect(0.6, 5.6, 31.0, 52.3, 2.6, QStringLiteral("url(#face)"));
    s += rect(1.5, 6.4, 29.3, 50.7, 2.0, QStringLiteral("none"),
              QStringLiteral(" stroke=\"#ffffff\" stroke-opacity=\"0.6\" stroke-width=\"0.5\""));
    return s;
}

class GlyphSource {
public:
    explicit GlyphSource(const QRawFont& font) : m_font(font) {}

    // The outline of one character with the origin on the baseline; empty when the font lacks it.
    QPainterPath outline(QChar c) const {
        const QList<quint32> glyphs = m_font.glyphIndexesForString(QString(c));
        if (glyphs.size() != 1 || glyphs.first() == 0) {
            return {};
        }
        QPainterPath p = m_font.pathForGlyph(glyphs.first());
        p.setFillRule(Qt::WindingFill);
        return p;
    }

private:
    QRawFont m_font;
};

// Maps glyphs into a box with one scale for the whole set, so that 一 stays a bar and 三 a stack.
QList<QPainterPath> fitSet(const QList<QPainterPath>& glyphs, const QRectF& box) {
    double width = 0;
    double height = 0;
    for (const QPainterPath& g : glyphs) {
        width = std::max(width, g.boundingRect().width());
        height = std::max(height, g.boundingRect().height());
    }
    QList<QPainterPath> fitted;
    for (const QPainterPath& g : glyphs) {
        const QRectF b = g.boundingRect();
        QTransform t;
        t.translate(box.center().x(), box.center().y());
        t.scale(box.width() / width, box.height() / height);
        t.translate(-b.center().x(), -b.center().y());
        fitted.append(t.map(g));
    }
    return fitted;
}

QString manzu(const QPainterPath& numeral, const QPainterPath& man) {
    QString s;
    // The outline stroke thickens the Gothic strokes so that the numeral reads at 33 px.
    s += path(
        pathData(numeral), QString::fromLatin1(kNumeralInk),
        QStringLiteral(" fill-rule=\"nonzero\"") + stroke(QString::fromLatin1(kNumeralInk), 1.1));
    s +=
        path(pathData(man), QString::fromLatin1(kManInk),
             QStringLiteral(" fill-rule=\"nonzero\"") + stroke(QString::fromLatin1(kManInk), 0.35));
    return s;
}

// One circle of the circles suit: coloured rim, ivory ring, coloured disc and an ivory eye.
QString coin(double cx, double cy, double r, const Ink& ink) {
    const QString fill = QString::fromLatin1(ink.fill);
    const QString dark = QString::fromLatin1(ink.dark);
    const QString ivory = QString::fromLatin1(kIvory);
    QString s;
    s += circle(cx, cy, r, fill, stroke(dark, 0.4));
    s += circle(cx, cy, r * 0.74, ivory);
    s += circle(cx, cy, r * 0.56, fill);
    s += circle(cx, cy, r * 0.24, ivory);
    if (r > 5.5) {
        s += circle(cx, cy, r * 0.1, dark);
    }
    return s;
}

QString bigCoin(double cx, double cy) {
    const QString ivory = QString::fromLatin1(kIvory);
    QString s;
    s += circle(cx, cy, 13.2, QString::fromLatin1(kGreen.fill),
                stroke(QString::fromLatin1(kGreen.dark), 0.5));
    // A wreath of light dots on the green rim.
    for (int k = 0; k < 16; ++k) {
        const double a = k * 3.14159265358979 / 8;
        s += circle(cx + 11.4 * std::cos(a), cy + 11.4 * std::sin(a), 0.95, ivory);
    }
    s += circle(cx, cy, 9.9, ivory);
    s += circle(cx, cy, 9.2, QString::fromLatin1(kBlue.fill));
    // Eight ivory petals around the red heart.
    for (int k = 0; k < 8; ++k) {
        const double a = k * 45.0 + 22.5;
        const double rad = a * 3.14159265358979 / 180;
        s += ellipse(cx + 6.3 * std::cos(rad), cy + 6.3 * std::sin(rad), 1.5, 2.6, a + 90, ivory);
    }
    s += circle(cx, cy, 4.6, QString::fromLatin1(kRed.fill), stroke(ivory, 0.6));
    s += circle(cx, cy, 2.0, ivory);
    s += circle(cx, cy, 1.0, QString::fromLatin1(kRed.dark));
    return s;
}

struct Spot {
    double x;
    double y;
    const Ink* ink;
};

QString coins(const QList<Spot>& spots, double radius) {
    QString s;
    for (const Spot& spot : spots) {
        s += coin(spot.x, spot.y, radius, *spot.ink);
    }
    return s;
}

QString pinzu(int n) {
    const Ink* b = &kBlue;
    const Ink* g = &kGreen;
    const Ink* r = &kRed;
    switch (n) {
        case 1:
            return bigCoin(16.1, 32.0);
        case 2:
            return coins({{16.1, 19.6, g}, {16.1, 44.6, b}}, 10.2);
        case 3:
            return coins({{8.8, 14.4, b}, {16.1, 32.0, r}, {23.4, 49.6, g}}, 6.6);
        case 4:
            return coins({{9.3, 20.0, b}, {22.9, 20.0, g}, {9.3, 44.0, g}, {22.9, 44.0, b}}, 6.6);
        case 5:
            return coins(
                {{9.0, 14.6, b}, {23.2, 14.6, g}, {16.1, 32.0, r}, {9.0, 49.4, g}, {23.2, 49.4, b}},
                6.3);
        case 6:
            return coins({{9.6, 14.2, g}, {22.6, 14.2, g}}, 6.1) +
                   coins({{9.6, 32.6, r}, {22.6, 32.6, r}, {9.6, 48.6, r}, {22.6, 48.6, r}}, 6.1);
        case 7:
            // The diagonal of three above is smaller than the square of four below it.
            return coins({{7.4, 11.6, g}, {16.1, 15.8, g}, {24.8, 20.0, g}}, 4.4) +
                   coins({{9.8, 34.0, r}, {22.4, 34.0, r}, {9.8, 48.6, r}, {22.4, 48.6, r}}, 5.8);
        case 8: {
            QList<Spot> spots;
            for (double y : {12.6, 25.0, 37.4, 49.8}) {
                spots.append({9.8, y, b});
                spots.append({22.4, y, b});
            }
            return coins(spots, 5.7);
        }
        case 9: {
            QList<Spot> spots;
            for (double x : {7.5, 16.1, 24.7}) {
                spots.append({x, 13.6, b});
                spots.append({x, 32.0, r});
                spots.append({x, 50.4, g});
            }
            return coins(spots, 4.4);
        }
        default:
            return {};
    }
}

// One bamboo stick: a rounded stalk with a light stripe and three dark nodes.
QString stick(double cx, double cy, double length, double width, double angle, const Ink& ink) {
    const QString dark = QString::fromLatin1(ink.dark);
    QString s = QStringLiteral("<g transform=\"translate(%1 %2)%3\">\n")
                    .arg(num(cx), num(cy),
                         angle == 0.0 ? QString() : QStringLiteral(" rotate(%1)").arg(num(angle)));
    const double half = length / 2;
    s += rect(-width / 2, -half, width, length, width * 0.42, QString::fromLatin1(ink.fill),
              stroke(dark, 0.35));
    s += rect(-width * 0.1, -half + 1.6, width * 0.2, length - 3.2, width * 0.1,
              QStringLiteral("#ffffff"), QStringLiteral(" fill-opacity=\"0.55\""));
    for (double y : {-half + 1.1, 0.0, half - 1.1}) {
        s += rect(-width / 2 - 0.35, y - 0.5, width + 0.7, 1.0, 0.5, dark);
    }
    s += QStringLiteral("</g>\n");
    return s;
}

QString bird() {
    const QString green = QString::fromLatin1(kGreen.fill);
    const QString greenDark = QString::fromLatin1(kGreen.dark);
    const QString blue = QString::fromLatin1(kBlue.fill);
    const QString red = QString::fromLatin1(kRed.fill);
    const QString ivory = QString::fromLatin1(kIvory);
    QString s;
    // Tail plumes fan up behind the body, each ending in an eye.
    struct Plume {
        double tipX, tipY;
    };
    const Plume plumes[] = {{20.5, 10.5}, {26.0, 13.0}, {29.5, 19.5}, {30.0, 27.5}, {28.8, 35.5}};
    const double baseX = 19.0;
    const double baseY = 41.0;
    for (const Plume& p : plumes) {
        const double dx = p.tipX - baseX;
        const double dy = p.tipY - baseY;
        const double len = std::sqrt(dx * dx + dy * dy);
        const double nx = -dy / len * 2.3;
        const double ny = dx / len * 2.3;
        const double mx = baseX + dx * 0.62;
        const double my = baseY + dy * 0.62;
        s += path(QStringLiteral("M%1 %2Q%3 %4 %5 %6Q%7 %8 %1 %2Z")
                      .arg(num(baseX), num(baseY), num(mx + nx), num(my + ny), num(p.tipX),
                           num(p.tipY), num(mx - nx), num(my - ny)),
                  green, stroke(greenDark, 0.35));
        s += circle(baseX + dx * 0.86, baseY + dy * 0.86, 1.9, red, stroke(greenDark, 0.3));
        s += circle(baseX + dx * 0.86, baseY + dy * 0.86, 0.9, blue);
    }
    // Legs and feet.
    s += line(13.4, 44.5, 12.2, 52.5, red, 0.9);
    s += line(16.6, 45.0, 17.2, 52.5, red, 0.9);
    s += line(12.2, 52.5, 9.8, 53.6, red, 0.8);
    s += line(12.2, 52.5, 13.6, 54.0, red, 0.8);
    s += line(17.2, 52.5, 15.2, 53.8, red, 0.8);
    s += line(17.2, 52.5, 19.4, 53.6, red, 0.8);
    // Body, breast and wing.
    s += ellipse(14.6, 37.2, 6.4, 8.8, -28, green, stroke(greenDark, 0.4));
    s += ellipse(11.6, 34.8, 2.6, 4.6, -28, red);
    s += ellipse(17.0, 38.0, 3.6, 6.6, -34, blue, stroke(QStringLiteral("#0f2f6b"), 0.3));
    s += line(15.4, 35.0, 19.6, 41.6, ivory, 0.45);
    s += line(14.2, 37.6, 17.6, 43.2, ivory, 0.45);
    // Neck and head with crest, eye and beak.
    s +=
        path(QStringLiteral("M8.2 27.6Q10.6 30.4 10.4 33.0L14.2 30.8Q12.6 27.6 11.6 25.2Z"), green);
    s += circle(9.6, 24.6, 3.8, green, stroke(greenDark, 0.4));
    s += line(9.4, 20.8, 7.6, 17.2, greenDark, 0.5);
    s += line(10.3, 20.8, 10.3, 16.6, greenDark, 0.5);
    s += line(11.2, 21.0, 13.0, 17.4, greenDark, 0.5);
    s += circle(7.6, 17.2, 0.85, red);
    s += circle(10.3, 16.6, 0.85, blue);
    s += circle(13.0, 17.4, 0.85, red);
    s += path(QStringLiteral("M6.2 23.4L2.4 25.4L6.4 26.4Z"), red);
    s += circle(8.6, 23.8, 1.25, ivory);
    s += circle(8.4, 23.8, 0.65, QStringLiteral("#14142e"));
    return s;
}

QString souzu(int n) {
    const Ink& g = kGreen;
    const Ink& r = kRed;
    QString s;
    switch (n) {
        case 1:
            return bird();
        case 2:
            s += stick(16.1, 20.0, 21, 5.2, 0, g);
            s += stick(16.1, 44.0, 21, 5.2, 0, g);
            break;
        case 3:
            s += stick(16.1, 20.0, 21, 5.0, 0, g);
            s += stick(9.6, 44.0, 21, 5.0, 0, g);
            s += stick(22.6, 44.0, 21, 5.0, 0, g);
            break;
        case 4:
            for (double y : {20.0, 44.0}) {
                s += stick(9.6, y, 21, 5.0, 0, g);
                s += stick(22.6, y, 21, 5.0, 0, g);
            }
            break;
        case 5:
            for (double y : {19.5, 44.5}) {
                s += stick(7.6, y, 21, 4.6, 0, g);
                s += stick(24.6, y, 21, 4.6, 0, g);
            }
            s += stick(16.1, 32.0, 21, 4.6, 0, r);
            break;
        case 6:
            for (double y : {20.0, 44.0}) {
                for (double x : {7.4, 16.1, 24.8}) {
                    s += stick(x, y, 21, 4.6, 0, g);
                }
            }
            break;
        case 7:
            s += stick(16.1, 14.6, 14, 4.4, 0, r);
            for (double y : {32.0, 48.6}) {
                for (double x : {7.4, 16.1, 24.8}) {
                    s += stick(x, y, 14.2, 4.4, 0, g);
                }
            }
            break;
        case 8:
            // An M over a W: the inner sticks of each row lean until their ends meet.
            for (double y : {20.0, 44.0}) {
                const double lean = y < 32 ? 12 : -12;
                s += stick(4.9, y, 21, 4.0, 0, g);
                s += stick(12.0, y, 21, 4.0, -lean, g);
                s += stick(20.2, y, 21, 4.0, lean, g);
                s += stick(27.3, y, 21, 4.0, 0, g);
            }
            break;
        case 9:
            for (double y : {14.8, 32.0, 49.2}) {
                for (double x : {7.4, 16.1, 24.8}) {
                    s += stick(x, y, 14.2, 4.4, 0, x == 16.1 ? r : g);
                }
            }
            break;
        default:
            break;
    }
    return s;
}

QString document(const QString& title, int width, int height, const QString& defs,
                 const QString& body) {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.2\" baseProfile=\"tiny\" "
               "width=\"%1\" height=\"%2\" viewBox=\"0 0 %1 %2\">\n"
               "<title>%3</title>\n<defs>\n%4</defs>\n%5</svg>\n")
        .arg(QString::number(width), QString::number(height), title, defs, body);
}

bool writeFile(const QString& fileName, const QByteArray& bytes) {
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(fileName));
        return false;
    }
    return true;
}

QString icon(const GlyphSource& glyphs) {
    QString defs = tileDefs();
    defs += QStringLiteral(
        "<radialGradient id=\"felt\" cx=\"0.5\" cy=\"0.42\" r=\"0.7\">"
        "<stop offset=\"0\" stop-color=\"#2fa24c\"/><stop offset=\"1\" stop-color=\"#11602a\"/>"
        "</radialGradient>\n");
    QString s;
    s += rect(6, 6, 244, 244, 46, QStringLiteral("url(#felt)"),
              stroke(QStringLiteral("#0b4a1f"), 4));
    // Each tile is drawn at three times its size, with a soft shadow below it.
    s += rect(30, 58, 102, 180, 10, QStringLiteral("#000000"),
              QStringLiteral(" fill-opacity=\"0.28\""));
    s += QStringLiteral("<g transform=\"translate(24 50) scale(3)\">\n") + tileFrame() + pinzu(5) +
         QStringLiteral("</g>\n");
    QPainterPath question = glyphs.outline(QChar(u'?'));
    question = fitSet({question}, QRectF(6.5, 13, 20, 38)).first();
    s += QStringLiteral("<g transform=\"rotate(9 180 140)\">\n");
    s += rect(136, 50, 102, 180, 10, QStringLiteral("#000000"),
              QStringLiteral(" fill-opacity=\"0.28\""));
    s += QStringLiteral("<g transform=\"translate(130 42) scale(3)\">\n") + tileFrame() +
         path(pathData(question), QString::fromLatin1(kRed.fill),
              QStringLiteral(" fill-rule=\"nonzero\"") +
                  stroke(QString::fromLatin1(kRed.fill), 2.2)) +
         QStringLiteral("</g>\n</g>\n");
    return document(QStringLiteral("Zelkon"), 256, 256, defs, s);
}

bool exportIcon(const QByteArray& svg, const QString& folder) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "the icon SVG does not parse\n");
        return false;
    }
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            renderer.render(&painter, QRectF(0, 0, size, size));
        }
        const QString name = folder + QStringLiteral("/zelkon_%1.png").arg(size);
        if (!image.save(name, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: %s RES_FOLDER [FONT_FILE]\n", argv[0]);
        return 2;
    }
    const QString resFolder = args.at(1);
    const QString fontFile =
        args.size() == 3 ? args.at(2)
                         : QStringLiteral("/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf");
    const QRawFont font(fontFile, 100);
    if (!font.isValid()) {
        std::fprintf(stderr, "cannot read the font %s\n", qPrintable(fontFile));
        return 1;
    }
    const GlyphSource glyphs(font);

    QList<QPainterPath> numerals;
    for (QChar c : QStringLiteral("一二三四五六七八九")) {
        numerals.append(glyphs.outline(c));
    }
    QPainterPath man = glyphs.outline(QChar(0x842C));  // 萬
    for (const QPainterPath& p : numerals) {
        if (p.isEmpty() || man.isEmpty()) {
            std::fprintf(stderr, "the font lacks a character of the characters suit\n");
            return 1;
        }
    }
    numerals = fitSet(numerals, QRectF(4.4, 8.6, 23.4, 20.4));
    man = fitSet({man}, QRectF(5.2, 31.4, 21.8, 23.2)).first();

    const QString tiles = resFolder + QStringLiteral("/tiles");
    const QString icons = resFolder + QStringLiteral("/icons");
    if (!QDir().mkpath(tiles) || !QDir().mkpath(icons)) {
        std::fprintf(stderr, "cannot create the folders under %s\n", qPrintable(resFolder));
        return 1;
    }
    const char* suits[] = {"manzu", "pinzu", "souzu"};
    const char* suitNames[] = {"characters", "circles", "bamboo"};
    for (int suit = 0; suit < 3; ++suit) {
        for (int n = 1; n <= 9; ++n) {
            const QString body = tileFrame() + (suit == 0   ? manzu(numerals[n - 1], man)
                                                : suit == 1 ? pinzu(n)
                                                            : souzu(n));
            const QString title =
                QStringLiteral("%1 %2").arg(QLatin1String(suitNames[suit])).arg(n);
            const QString name =
                QStringLiteral("%1/%2_%3.svg").arg(tiles, QLatin1String(suits[suit])).arg(n);
            if (!writeFile(name, document(title, 33, 59, tileDefs(), body).toUtf8())) {
                return 1;
            }
        }
    }
    const QByteArray iconSvg = icon(glyphs).toUtf8();
    if (!writeFile(icons + QStringLiteral("/zelkon.svg"), iconSvg) || !exportIcon(iconSvg, icons)) {
        return 1;
    }
    return 0;
}
