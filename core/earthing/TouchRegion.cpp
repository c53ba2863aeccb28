#include "core/earthing/TouchRegion.h"

#include "core/earthing/PlanPolygon.h"

#include <algorithm>

namespace tav::earthing {

TouchRegion::TouchRegion(const TouchArea &area) : m_area(area) {
    m_bounds = PlanPolygon::bounds(area.outline);
    m_bounds.x0 -= area.band;
    m_bounds.y0 -= area.band;
    m_bounds.x1 += area.band;
    m_bounds.y1 += area.band;
}

bool TouchRegion::contains(Point2 p) const {
    if (!m_bounds.contains(p.x, p.y))
        return false;
    if (m_area.band > 0)
        return PlanPolygon::distanceToEdges(m_area.outline, p, open()) <= m_area.band + 1e-9;
    return PlanPolygon::contains(m_area.outline, p);
}

double TouchRegion::distance(Point2 p) const {
    const double edges = PlanPolygon::distanceToEdges(m_area.outline, p, open());
    if (m_area.band > 0)
        return std::max(0., edges - m_area.band);
    return PlanPolygon::contains(m_area.outline, p) ? 0 : edges;
}

Point2 TouchRegion::nearest(Point2 p) const {
    if (contains(p))
        return p;
    const Point2 q = PlanPolygon::nearestOnEdges(m_area.outline, p, open());
    if (m_area.band <= 0)
        return q;
    // Out from the edge by the band, a hair short so that it counts as inside.
    const double d = std::hypot(p.x - q.x, p.y - q.y);
    const double s = m_area.band * (1 - 1e-12) / d;
    return {q.x + (p.x - q.x) * s, q.y + (p.y - q.y) * s};
}

Rectangle TouchRegion::bounds() const {
    return m_bounds;
}

} // namespace tav::earthing
