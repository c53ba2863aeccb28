#pragma once

#include "core/earthing/EarthingInput.h"
#include "core/earthing/EarthingResult.h"

namespace tav::earthing {

// The ground a touch area covers: a polygon's inside, or the band along its edges (a
// fence's, both sides within the reach).
class TouchRegion {
public:
    explicit TouchRegion(const TouchArea &area);

    bool contains(Point2 p) const;
    // 0 inside, else how far outside.
    double distance(Point2 p) const;
    // p when inside, else the region's point nearest it: the searches slide along its
    // edge rather than stop at it.
    Point2 nearest(Point2 p) const;
    Rectangle bounds() const;
    const TouchArea &area() const { return m_area; }

private:
    // Only a band runs along a polyline that does not close.
    bool open() const { return m_area.open && m_area.band > 0; }

    TouchArea m_area;
    Rectangle m_bounds;
};

} // namespace tav::earthing
