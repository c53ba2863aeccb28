#pragma once

#include "core/earthing/EarthingResult.h"
#include "core/earthing/PotentialCheck.h"
#include "core/earthing/RasterSteps.h"
#include "core/earthing/SearchAreas.h"
#include "core/earthing/SurfaceField.h"
#include "core/earthing/WorkMonitor.h"

#include <vector>

namespace tav::earthing {

// The worst touch in each touch area and the worst step, on and off the surface layer (a
// touch the difference between the metal's potential and the surface's, whichever is the
// higher: a floating fence may stand below the ground beside a grid):
// found on the raster, then refined by evaluating the field itself around the best few
// local maxima (a compass search that halves its step down to a millimetre), never
// leaving the area, the step region or the side of the layer's edge it started on.
class SafetySearch {
public:
    // metal: per touch area, its group's potential; zone: where the surface layer lies
    // (empty: everywhere); check: takes every potential the search evaluates.
    SafetySearch(const SurfaceField &field, const SearchAreas &areas,
                 const std::vector<double> &values, const std::vector<char> &stepMask,
                 const std::vector<double> &metal, const std::vector<Point2> &zone,
                 const PotentialCheck &check);

    // The given points in an area count for its touch. False when cancelled.
    bool run(WorkMonitor &monitor, const std::vector<PointResult> &points,
             std::vector<AreaResult> &areas, StepResult &step) const;

    bool onLayer(Point2 p) const;

private:
    // A start of the refinement: x, y and, for a step, the direction; the area (or -1 for a
    // step) and the side of the layer's edge.
    struct Start {
        double p[3] = {0, 0, 0};
        int area = -1;
        bool on = true;
        double sign = 1; // of a touch: +1 where the metal stands above the ground
    };
    void touchStarts(int area, bool on, double sign, std::vector<Start> &starts) const;
    void cornerStarts(int area, bool on, std::vector<Start> &starts) const;
    void stepStarts(const RasterSteps &steps, bool on, std::vector<Start> &starts) const;
    // Every area's starts, each area and side an item; false when cancelled.
    bool allTouchStarts(WorkMonitor &monitor, const std::vector<bool> &sides,
                        std::vector<Start> &starts) const;
    // Each stops early, its result then unused, when the monitor says the work is cancelled.
    TouchMaximum refineTouch(const Start &start, WorkMonitor &monitor, int thread) const;
    StepMaximum refineStep(const Start &start, WorkMonitor &monitor, int thread) const;
    std::vector<int> localMaxima(const std::vector<double> &score, int count) const;
    // The field's potential, as the check takes it.
    double potential(double x, double y) const;

    const SurfaceField &m_field;
    const SearchAreas &m_areas;
    const RasterGrid &m_grid;
    const std::vector<double> &m_values;
    const std::vector<char> &m_stepMask;
    const std::vector<double> &m_metal;
    const std::vector<Point2> &m_zone;
    const PotentialCheck &m_check;
};

} // namespace tav::earthing
