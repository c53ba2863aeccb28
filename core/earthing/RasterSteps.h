#pragma once

#include "core/earthing/EarthingResult.h"
#include "core/earthing/SurfaceField.h"
#include "core/earthing/WorkMonitor.h"

#include <optional>
#include <vector>

namespace tav::earthing {

// The step voltage on the search raster the way the search starts from it: per node, the
// largest fall of the bilinearly interpolated raster to a point 1 m away in one of
// kDirections directions over half a turn (both senses), both points in the step area:
// the node by the mask, the far point by its nearest node's.
// The study's step map draws the same values, so its highest agrees with the search.
class RasterSteps {
public:
    static constexpr int kDirections = 16;

    RasterSteps(const RasterGrid &grid, const std::vector<double> &values,
                const std::vector<char> &inStepArea);
    // The same, rows on every core as a share of the search; none when cancelled.
    static std::optional<RasterSteps> of(const RasterGrid &grid, const std::vector<double> &values,
                                         const std::vector<char> &inStepArea, WorkMonitor &monitor,
                                         double from, double to);

    // -infinity where no step fits (the node or every far point outside the step area).
    const std::vector<double> &scores() const { return m_score; }
    // rad, from the node towards the lower point.
    const std::vector<double> &directions() const { return m_direction; }

    static double interpolated(const RasterGrid &grid, const std::vector<double> &values, double x,
                               double y);

private:
    explicit RasterSteps(std::size_t size);
    void scoreRow(const RasterGrid &grid, const std::vector<double> &values,
                  const std::vector<char> &inStepArea, int j);

    std::vector<double> m_score;
    std::vector<double> m_direction;
};

} // namespace tav::earthing
