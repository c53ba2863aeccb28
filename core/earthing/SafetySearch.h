#pragma once

#include "core/earthing/EarthingResult.h"
#include "core/earthing/SurfaceField.h"

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

    // The given points inside the touch area count too.
    TouchMaximum touch(const std::vector<PointResult> &points) const;
    // Two points 1 m apart, both in the step area.
    StepMaximum step() const;

private:
    double interpolated(double x, double y) const;
    std::vector<int> localMaxima(const std::vector<double> &score, int count) const;

    const SurfaceField &m_field;
    const RasterGrid &m_grid;
    const std::vector<double> &m_values;
    double m_gpr;
    Rectangle m_touchArea;
    Rectangle m_stepArea;
};

} // namespace tav::earthing
