#pragma once

#include "core/earthing/EarthingInput.h"

#include <QPointF>

#include <optional>
#include <vector>

// Where a point given with the mouse lands: on an end of the metal or a crossing of two of
// its conductors when one is within reach, else on the grid of the step chosen; with
// Shift, on the horizontal or vertical through the point before.
class Snapper {
public:
    enum class Kind { Free, Grid, End, Crossing };
    struct Snapped {
        QPointF at;
        Kind kind = Kind::Free;
    };

    double step = 0.5; // m; the grid's
    bool toGrid = true;
    bool toMetal = true;

    // The metal as last checked, seen from above.
    void setMetal(std::vector<tav::earthing::Conductor> conductors);
    // reach: how far (m) an end or a crossing draws the point (a few pixels on screen);
    // from: the point before, when Shift holds the line horizontal or vertical.
    Snapped snap(const QPointF &at, double reach, std::optional<QPointF> from = {}) const;

private:
    std::vector<tav::earthing::Conductor> m_metal;
    std::optional<Snapped> nearestOfMetal(const QPointF &at, double reach) const;
    QPointF onGrid(const QPointF &at) const;
};
