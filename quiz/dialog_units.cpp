#include "dialog_units.h"

#include <cmath>

#include <QStringList>

namespace zelkon {

QFont FormFont(int pointSize) {
    // Resolved at first use, so start-up never has to load the whole font database.
    QFont font;
    font.setFamilies(QStringList{QStringLiteral("MS UI Gothic"), QStringLiteral("IPAGothic")});
    font.setPointSize(pointSize);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

DialogUnits::DialogUnits(int pointSize, qreal logicalDpi)
    : m_baseY(static_cast<int>(std::lround(pointSize * logicalDpi / 72.0))) {}

int DialogUnits::x(int units) const {
    // Base width is 9/16 of the base height; one unit is a quarter of it.
    return static_cast<int>(std::lround(units * m_baseY * 9 / 64.0));
}

int DialogUnits::y(int units) const {
    return static_cast<int>(std::lround(units * m_baseY / 8.0));
}

QRect DialogUnits::rect(int left, int top, int width, int height) const {
    const int l = x(left);
    const int t = y(top);
    return QRect(l, t, x(left + width) - l, y(top + height) - t);
}

}  // namespace zelkon
