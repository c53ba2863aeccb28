#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

// Converts dialog units to pixels with the base units of a layout's font: a horizontal
// unit is a quarter of the font's average character width, a vertical unit an eighth
// of its height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont &font);

    int baseX() const { return m_baseX; }
    int baseY() const { return m_baseY; }
    QRect toPixels(const QRect &units) const;
    QSize toPixels(const QSize &units) const;

private:
    int x(int units) const;
    int y(int units) const;

    int m_baseX;
    int m_baseY;
};
