#pragma once

#include "report/LogLogPlot.h"

#include <QString>
#include <QVector>

class QPainter;
class QRectF;

// A plot on linear axes of values against a swept parameter: round ticks on both axes,
// their titles and a legend above. Drawn with a QPainter into any rectangle, so that the
// study window and the report draw the same picture; a point without a finite value
// breaks its line.
class SweepPlot {
public:
    QString xTitle;
    QString yTitle;
    QVector<PlotSeries> series;
    QString emptyText; // shown when no series has a point

    void paint(QPainter &painter, const QRectF &area) const;

    // Round ticks (1, 2 or 5 times a power of ten apart) from at or below low to at or
    // above high, about `wanted` of them; a range of one value is widened about it.
    static QVector<double> ticks(double low, double high, int wanted = 5);
};
