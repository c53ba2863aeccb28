#include "core/earthing/StepRegion.h"

#include "core/earthing/PlanPolygon.h"

#include <algorithm>
#include <cmath>

namespace tav::earthing {

namespace {

void widen(Rectangle &r, bool &first, const Rectangle &by) {
    if (first) {
        r = by;
        first = false;
        return;
    }
    r.x0 = std::min(r.x0, by.x0);
    r.y0 = std::min(r.y0, by.y0);
    r.x1 = std::max(r.x1, by.x1);
    r.y1 = std::max(r.y1, by.y1);
}

} // namespace

StepRegion::StepRegion(const EarthingInput &input) : m_margin(input.search.margin) {
    bool first = true;
    for (const TouchArea &area : input.touchAreas) {
        if (area.outline.empty())
            continue;
        m_areas.emplace_back(area);
        Rectangle b = m_areas.back().bounds();
        widen(m_bounds, first,
              {b.x0 - m_margin, b.y0 - m_margin, b.x1 + m_margin, b.y1 + m_margin});
    }
    // Pieces no longer than the margin (or a metre, should it be less), so that a point
    // within the margin of a piece lies within a cell of the index of its middle.
    const double piece = std::max(m_margin, 1.);
    std::vector<double> mx;
    std::vector<double> my;
    for (const Conductor &c : input.conductors) {
        const Point2 a{c.from.x, c.from.y};
        const Point2 b{c.to.x, c.to.y};
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        const int pieces = std::max(1, int(std::ceil(length / piece)));
        for (int k = 0; k < pieces; ++k) {
            const double s = double(k) / pieces;
            const double t = double(k + 1) / pieces;
            m_from.push_back({a.x + (b.x - a.x) * s, a.y + (b.y - a.y) * s});
            m_to.push_back({a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t});
            mx.push_back(0.5 * (m_from.back().x + m_to.back().x));
            my.push_back(0.5 * (m_from.back().y + m_to.back().y));
        }
        widen(m_bounds, first,
              {std::min(a.x, b.x) - m_margin, std::min(a.y, b.y) - m_margin,
               std::max(a.x, b.x) + m_margin, std::max(a.y, b.y) + m_margin});
    }
    m_index.emplace(mx, my, m_margin + 0.5 * piece);
    m_empty = first;
}

bool StepRegion::contains(Point2 p) const {
    if (m_empty || !m_bounds.contains(p.x, p.y))
        return false;
    for (const TouchRegion &area : m_areas)
        if (area.distance(p) <= m_margin + 1e-9)
            return true;
    bool near = false;
    m_index->near(p.x, p.y, [&](int k) {
        if (!near && PlanPolygon::distanceToSegment(p, m_from[std::size_t(k)],
                                                    m_to[std::size_t(k)]) <= m_margin + 1e-9)
            near = true;
    });
    return near;
}

} // namespace tav::earthing
