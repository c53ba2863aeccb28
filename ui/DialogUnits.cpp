#include "ui/DialogUnits.h"

#include <QFontMetrics>

#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

// Rounds as a multiply-then-divide with rounding does, half away from zero. Clamped to
// what a widget can measure, so that even a rectangle's far corner stays within int.
int scale(int units, int base, int divisor) {
    const double exact = static_cast<double>(units) * base / divisor;
    const double rounded = exact < 0 ? std::ceil(exact - 0.5) : std::floor(exact + 0.5);
    return static_cast<int>(std::clamp(rounded, -double(QWIDGETSIZE_MAX), double(QWIDGETSIZE_MAX)));
}

} // namespace

DialogUnits::DialogUnits(const QFont &font) {
    const QFontMetrics metrics(font);
    const int alphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseX = (alphabet / 26 + 1) / 2;
    m_baseY = metrics.height();
}

int DialogUnits::x(int units) const {
    return scale(units, m_baseX, 4);
}

int DialogUnits::y(int units) const {
    return scale(units, m_baseY, 8);
}

QRect DialogUnits::toPixels(const QRect &units) const {
    return QRect(x(units.x()), y(units.y()), x(units.width()), y(units.height()));
}

QSize DialogUnits::toPixels(const QSize &units) const {
    return QSize(x(units.width()), y(units.height()));
}
