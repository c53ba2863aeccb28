#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;

// Values from min to max as colours of viridis (van der Walt and Smith, 2015: perceptually
// uniform, legible in grey and to the colour-blind), and its legend: a bar with ticks at
// round values and the unit.
class ColourScale {
public:
    ColourScale(double min, double max);

    double min() const { return m_min; }
    double max() const { return m_max; }
    // Clamped to the scale's ends; a scale of one value gives its middle colour.
    QColor colour(double value) const;
    // t from 0 (dark violet) to 1 (yellow), clamped.
    static QColor viridis(double t);

    // A vertical bar in the rectangle, min at the bottom, ticks and their values on its
    // right, the unit above.
    void paintLegend(QPainter &painter, const QRectF &area, const QString &unit) const;
    // Where paintLegend draws the bar in area for text lines of height line, and the
    // height on it of a value, so that a level can be marked on the bar.
    static QRectF barRect(const QRectF &area, double line);
    double yOn(const QRectF &bar, double value) const;
    // Round values (1, 2 or 5 times a power of ten apart) within [min, max], at most
    // about most of them.
    static std::vector<double> ticks(double min, double max, int most);

private:
    double m_min;
    double m_max;
};
