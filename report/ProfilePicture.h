#pragma once

#include "core/earthing/SurfaceField.h"
#include "report/PlaceLimits.h"

#include <QLineF>
#include <QPen>
#include <QRectF>
#include <QString>
#include <QVector>

class QPainter;

// The surface potential and the touch voltage (GPR - potential) along a line on the
// surface, with the tolerable touch voltage of the ground each point stands on as a
// stepped line, on linear axes in metres and volts.
class ProfilePicture {
public:
    QVector<double> distance;  // m from the line's start
    QVector<double> potential; // V
    QVector<double> touch;     // V
    PlaceLimits tolerable;     // V; none: no line
    QString xTitle;            // with the unit, "Distance (m)"
    QString yTitle;
    QString potentialLabel;
    QString touchLabel;
    QString tolerableLabel;

    // count evenly spaced samples (at least 2) of the solved field from end to end; none
    // when an end lies beyond the solver's reach (or is no number).
    void sample(const tav::earthing::SurfaceField &field, double gpr, const QLineF &line,
                int count);
    // The tolerable line's corners (distance, V) along the line sampled.
    QPolygonF tolerableLine() const { return tolerable.along(m_line); }
    void paint(QPainter &painter, const QRectF &area) const;

private:
    QLineF m_line; // sampled
    void paintCurve(QPainter &painter, const QRectF &plot, const QVector<double> &values,
                    double yLow, double yHigh, const QPen &pen) const;
};
