// Dialog-unit layout: form controls are placed in units of the form font, as on the
// program's home platform, where a 16-pixel font gives 9 x 16 base units.
#pragma once

#include <QFont>
#include <QRect>

namespace zelkon {

// "MS UI Gothic" where installed, else IPAGothic (the set-up installs fonts-ipafont-gothic).
QFont FormFont(int pointSize);

class DialogUnits {
public:
    // logicalDpi: the vertical logical dpi of the screen that shows the form.
    DialogUnits(int pointSize, qreal logicalDpi);

    int baseY() const { return m_baseY; }
    int x(int units) const;
    int y(int units) const;
    // As the platform maps a template rectangle: each edge on its own, so sizes may vary by a
    // pixel.
    QRect rect(int left, int top, int width, int height) const;

private:
    int m_baseY;
};

}  // namespace zelkon
