#include "report/LayerColumn.h"

#include "report/ColourScale.h"
#include "report/ReportNumber.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numeric>

double LayerColumn::footDepth() const {
    const double deepest = std::accumulate(soil.thicknesses.begin(), soil.thicknesses.end(), 0.0);
    return deepest > 0 ? deepest * 4 / 3 : 1;
}

double LayerColumn::yOf(double depth, const QRectF &area) const {
    return area.top() + area.height() * depth / footDepth();
}

void LayerColumn::paint(QPainter &painter, const QRectF &area) const {
    if (!soil.valid() || area.width() <= 0 || area.height() <= 0)
        return;
    painter.save();
    const double line = QFontMetricsF(painter.font()).height();
    // Depths on the left, the column on the right of them.
    const double left = area.left() + std::min(area.width() / 2, 4.5 * line);
    const QRectF column(left, area.top(), std::min(area.right() - left, 9 * line), area.height());
    const auto [least, most] =
        std::minmax_element(soil.resistivities.begin(), soil.resistivities.end());
    const ColourScale shades(std::log(*least), std::log(*most));
    double top = 0;
    for (std::size_t i = 0; i < soil.resistivities.size(); ++i) {
        const bool last = i + 1 == soil.resistivities.size();
        const double bottom = last ? footDepth() : top + soil.thicknesses[i];
        const QRectF band(column.left(), yOf(top, column), column.width(),
                          yOf(bottom, column) - yOf(top, column));
        // Lightened toward white so that the black words stay legible on every shade.
        QColor fill = shades.colour(std::log(soil.resistivities[i]));
        fill = QColor::fromRgbF(0.45 * fill.redF() + 0.55, 0.45 * fill.greenF() + 0.55,
                                0.45 * fill.blueF() + 0.55);
        painter.fillRect(band, fill);
        painter.setPen(Qt::black);
        // The resistivity with its unit, or alone where the column is too narrow for both.
        QString words = ReportNumber::text(soil.resistivities[i]) + QLatin1Char(' ') + unit;
        if (QFontMetricsF(painter.font()).horizontalAdvance(words) > band.width() - 4)
            words = ReportNumber::text(soil.resistivities[i]);
        if (band.height() >= line)
            painter.drawText(band, Qt::AlignCenter, words);
        if (!last) {
            painter.drawText(QRectF(area.left(), band.bottom() - line / 2,
                                    column.left() - area.left() - 3, line),
                             Qt::AlignRight | Qt::AlignVCenter,
                             ReportNumber::text(bottom) + QStringLiteral(" m"));
        }
        top = bottom;
    }
    // The interfaces over the bands, each of which would otherwise cover the one above it.
    painter.setPen(QPen(Qt::black, 1));
    double depth = 0;
    for (const double h : soil.thicknesses) {
        depth += h;
        const double y = yOf(depth, column);
        painter.drawLine(QPointF(column.left(), y), QPointF(column.right(), y));
    }
    painter.drawRect(column);
    painter.restore();
}
