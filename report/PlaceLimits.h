#pragma once

#include "core/earthing/EarthingResult.h"
#include "core/earthing/SystemSafety.h"

#include <QLineF>
#include <QPainterPath>
#include <QPolygonF>

#include <functional>
#include <vector>

class PlanTransform;
class QPainter;

// The tolerable voltage of the ground a person stands on, as the criteria judge each place:
// the surface layer's inside its zone, the top soil's outside it (one limit everywhere
// when the layer lies everywhere or there is none). The pictures draw each place's own:
// the profile's line steps where it crosses the zone's edge, a map's contour is the on-layer
// level inside the zone and the bare soil's outside it.
class PlaceLimits {
public:
    PlaceLimits() = default;
    // One limit everywhere; 0: none.
    PlaceLimits(double everywhere) : m_onLayer(everywhere), m_offLayer(everywhere) {} // NOLINT
    PlaceLimits(double onLayer, double offLayer, std::vector<tav::earthing::Point2> zone);

    // The touch or the step limits of a safety assessment, over the solve's zone; none for a
    // step EN 50522 does not limit.
    static PlaceLimits touch(const tav::earthing::SystemSafety &safety,
                             const tav::earthing::EarthingResult &result);
    static PlaceLimits step(const tav::earthing::SystemSafety &safety,
                            const tav::earthing::EarthingResult &result);

    bool any() const { return m_onLayer > 0 || m_offLayer > 0; }
    // Two limits, each over its own ground: the layer lies in a zone and limits otherwise.
    bool apart() const { return !m_zone.empty() && m_onLayer != m_offLayer; }
    double onLayer() const { return m_onLayer; }
    double offLayer() const { return m_offLayer; }
    double highest() const { return std::max(m_onLayer, m_offLayer); }
    const std::vector<tav::earthing::Point2> &zone() const { return m_zone; }
    // The limit at p, as the safety search tells the layer's side of a place.
    double at(tav::earthing::Point2 p) const;

    // The limit along a line as a stepped line: its corners as (distance from the line's
    // start, V), a step where the line crosses the zone's edge.
    QPolygonF along(const QLineF &line) const;
    // The zone on a device, to clip each side's contour to.
    QPainterPath zonePath(const PlanTransform &transform) const;
    // Has each side's contour drawn on area: draw(level, onLayer) clipped to the zone for the
    // layer's limit and to the rest of area for the bare soil's; once, unclipped, with one
    // limit.
    void drawSides(QPainter &painter, const PlanTransform &transform, const QRectF &area,
                   const std::function<void(double level, bool onLayer)> &draw) const;

private:
    double m_onLayer = 0;                      // V
    double m_offLayer = 0;                     // V
    std::vector<tav::earthing::Point2> m_zone; // empty: the layer, if any, everywhere
};
