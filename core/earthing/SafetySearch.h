#pragma once

#include "core/earthing/EarthingResult.h"
#include "core/earthing/SurfaceField.h"
#include "core/earthing/WorkMonitor.h"

#include <vector>

namespace tav::earthing {

// The worst touch and step voltages: found on the raster, then refined by evaluating the
// field itself around the best few local maxima (a compass search that halves its step
// down to a millimetre).
class SafetySearch {
public:
    SafetySearch(const SurfaceField &field, const RasterGrid &grid,
                 const std::vector<double> &values, double gpr, const Rectangle &touchArea,
                 const Rectangle &stepArea);

    // Both searches, their refinements on every core; the given points inside the touch
    // area count for the touch voltage; a step is between two points 1 m apart, both in
    // the step area. False when cancelled.
    bool run(WorkMonitor &monitor, const std::vector<PointResult> &points, TouchMaximum &touch,
             StepMaximum &step) const;

private:
    // A start of the refinement: x, y and, for a step, the direction.
    struct Start {
        double p[3] = {0, 0, 0};
    };
    std::vector<Start> touchStarts() const;
    std::vector<Start> stepStarts() const;
    TouchMaximum refineTouch(const Start &start) const;
    StepMaximum refineStep(const Start &start) const;
    std::vector<int> localMaxima(const std::vector<double> &score, int count) const;

    const SurfaceField &m_field;
    const RasterGrid &m_grid;
    const std::vector<double> &m_values;
    double m_gpr;
    Rectangle m_touchArea;
    Rectangle m_stepArea;
};

} // namespace tav::earthing
