#include "studies/earthing/editor/Snapper.h"

#include <QLineF>

#include <algorithm>
#include <cmath>

using tav::earthing::Conductor;

namespace {

QPointF from2(const Conductor &c) {
    return {c.from.x, c.from.y};
}

QPointF to2(const Conductor &c) {
    return {c.to.x, c.to.y};
}

// How far a point is from a conductor seen from above (a rod is a point).
double distanceTo(const Conductor &c, const QPointF &p) {
    const QPointF a = from2(c), ab = to2(c) - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double t =
        length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
    return QLineF(p, a + t * ab).length();
}

} // namespace

void Snapper::setMetal(std::vector<Conductor> conductors) {
    m_metal = std::move(conductors);
}

QPointF Snapper::onGrid(const QPointF &at) const {
    if (!toGrid || step <= 0)
        return at;
    return {std::round(at.x() / step) * step, std::round(at.y() / step) * step};
}

// The nearest end within reach, else the nearest crossing within reach: only the
// conductors that pass within reach are crossed with one another, so that a large grid
// costs one pass over its conductors per movement of the mouse.
std::optional<Snapper::Snapped> Snapper::nearestOfMetal(const QPointF &at, double reach) const {
    std::vector<const Conductor *> near;
    std::optional<Snapped> best;
    double bestDistance = reach;
    for (const Conductor &c : m_metal) {
        if (distanceTo(c, at) > reach)
            continue;
        near.push_back(&c);
        for (const QPointF &end : {from2(c), to2(c)}) {
            const double d = QLineF(at, end).length();
            if (d <= bestDistance) {
                bestDistance = d;
                best = Snapped{end, Kind::End};
            }
        }
    }
    if (best)
        return best;
    for (std::size_t i = 0; i < near.size(); ++i)
        for (std::size_t j = i + 1; j < near.size(); ++j) {
            QPointF crossing;
            const QLineF a(from2(*near[i]), to2(*near[i])), b(from2(*near[j]), to2(*near[j]));
            if (a.intersects(b, &crossing) != QLineF::BoundedIntersection)
                continue;
            const double d = QLineF(at, crossing).length();
            if (d <= bestDistance) {
                bestDistance = d;
                best = Snapped{crossing, Kind::Crossing};
            }
        }
    return best;
}

Snapper::Snapped Snapper::snap(const QPointF &at, double reach, std::optional<QPointF> from) const {
    if (from) {
        // Along the nearer of the two lines through the point before: only the free
        // coordinate is snapped, to the grid.
        const QPointF d = at - *from;
        const bool horizontal = std::abs(d.x()) >= std::abs(d.y());
        const QPointF g = onGrid(at);
        const QPointF on = horizontal ? QPointF(g.x(), from->y()) : QPointF(from->x(), g.y());
        return {on, toGrid ? Kind::Grid : Kind::Free};
    }
    if (toMetal)
        if (const std::optional<Snapped> metal = nearestOfMetal(at, reach))
            return *metal;
    if (toGrid && step > 0)
        return {onGrid(at), Kind::Grid};
    return {at, Kind::Free};
}
