#pragma once

#include "core/earthing/EarthingInput.h"
#include "core/earthing/EarthingResult.h"
#include "core/earthing/SpatialIndex.h"
#include "core/earthing/TouchRegion.h"

#include <optional>
#include <vector>

namespace tav::earthing {

// Where the step voltage is searched: the touch areas, and every point within the margin
// of one of them or of any conductor in plan, fences included, so that the step outside
// the outermost metal is found.
class StepRegion {
public:
    explicit StepRegion(const EarthingInput &input);

    bool contains(Point2 p) const;
    Rectangle bounds() const { return m_bounds; }
    bool empty() const { return m_empty; }

private:
    std::vector<TouchRegion> m_areas;
    std::vector<Point2> m_from; // the conductors' plan, cut into pieces no longer than the margin
    std::vector<Point2> m_to;
    std::optional<SpatialIndex> m_index; // of the pieces' middles
    double m_margin = 0;
    Rectangle m_bounds;
    bool m_empty = true;
};

} // namespace tav::earthing
