#include "report/PlaceLimits.h"

#include "core/earthing/PlanPolygon.h"
#include "report/PlanTransform.h"

#include <QPainter>

#include <algorithm>
#include <tuple>

using namespace tav::earthing;

PlaceLimits::PlaceLimits(double onLayer, double offLayer, std::vector<Point2> zone)
    : m_onLayer(onLayer), m_offLayer(offLayer), m_zone(std::move(zone)) {}

PlaceLimits PlaceLimits::touch(const SystemSafety &safety, const EarthingResult &result) {
    return {safety.onLayer.touch, safety.offLayer.touch, result.surfaceZone};
}

PlaceLimits PlaceLimits::step(const SystemSafety &safety, const EarthingResult &result) {
    if (!safety.onLayer.stepLimited)
        return {};
    return {safety.onLayer.step, safety.offLayer.step, result.surfaceZone};
}

double PlaceLimits::at(Point2 p) const {
    return m_zone.empty() || PlanPolygon::contains(m_zone, p) ? m_onLayer : m_offLayer;
}

QPolygonF PlaceLimits::along(const QLineF &line) const {
    if (!(line.length() > 0))
        return {};
    // Where the line crosses the zone's edges, as fractions of its length.
    std::vector<double> cuts{0, 1};
    for (std::size_t k = 0; apart() && k < m_zone.size(); ++k) {
        const Point2 &a = m_zone[k];
        const Point2 &b = m_zone[(k + 1) % m_zone.size()];
        QPointF crossing;
        if (line.intersects(QLineF(a.x, a.y, b.x, b.y), &crossing) == QLineF::BoundedIntersection)
            cuts.push_back(
                std::clamp(QLineF(line.p1(), crossing).length() / line.length(), 0.0, 1.0));
    }
    std::sort(cuts.begin(), cuts.end());
    QPolygonF steps;
    for (std::size_t k = 0; k + 1 < cuts.size(); ++k) {
        if (cuts[k + 1] - cuts[k] <= 1e-12)
            continue;
        // Each piece's limit at its middle: it lies wholly on one side of the edge.
        const QPointF middle = line.pointAt(0.5 * (cuts[k] + cuts[k + 1]));
        const double level = at({middle.x(), middle.y()});
        steps << QPointF(cuts[k] * line.length(), level)
              << QPointF(cuts[k + 1] * line.length(), level);
    }
    return steps;
}

QPainterPath PlaceLimits::zonePath(const PlanTransform &transform) const {
    QPolygonF corners;
    for (const Point2 &p : m_zone)
        corners << transform.toDevice(QPointF(p.x, p.y));
    QPainterPath path;
    path.addPolygon(corners);
    path.closeSubpath();
    return path;
}

void PlaceLimits::drawSides(QPainter &painter, const PlanTransform &transform, const QRectF &area,
                            const std::function<void(double, bool)> &draw) const {
    if (!apart()) {
        if (any())
            draw(m_onLayer, true);
        return;
    }
    const QPainterPath zone = zonePath(transform);
    QPainterPath outside;
    outside.addRect(area);
    outside = outside.subtracted(zone);
    for (const auto &[side, level, on] :
         {std::tuple{zone, m_onLayer, true}, std::tuple{outside, m_offLayer, false}}) {
        if (!(level > 0))
            continue;
        painter.save();
        painter.setClipPath(side, Qt::IntersectClip);
        draw(level, on);
        painter.restore();
    }
}
