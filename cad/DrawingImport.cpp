#include "cad/DrawingImport.h"

#include "cad/ConductorMerge.h"
#include "cad/DxfSource.h"
#include "core/earthing/InputCheck.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tav::cad {

namespace {

// Two vertices closer than this (m) make no conductor.
constexpr double kShortest = 1e-3;
// The auto origin is a multiple of this (m).
constexpr double kOriginStep = 100;

} // namespace

DrawingImport::DrawingImport(const DxfDrawing &drawing, const ImportSettings &settings)
    : m_drawing(drawing), m_settings(settings) {
    for (const auto &[name, mapping] : settings.layers)
        m_layers[upperCase(name)] = mapping;
}

const LayerMapping *DrawingImport::mappingOf(const std::string &layer) const {
    const auto found = m_layers.find(upperCase(layer));
    return found == m_layers.end() ? nullptr : &found->second;
}

Refusable<ImportedPlan> DrawingImport::run() {
    const std::optional<DrawingUnit> units = m_drawing.units() ? m_drawing.units() : m_settings.units;
    if (!units)
        return Refusal{Error::DrawingUnitsUnknown, Quantity::None, {}};
    m_plan.units = *units;
    m_scale = metresPerUnit(*units);
    m_plan.ignored = m_drawing.ignored();
    chooseOrigin();
    for (const DxfPolyline &polyline : m_drawing.polylines())
        takePolyline(polyline);
    for (const DxfPoint &point : m_drawing.points())
        takePoint(point);
    const std::size_t limit = earthing::InputCheck::kMaxConductors;
    if (m_plan.conductors.size() > kRawFactor * limit)
        return Refusal{Error::TooManyConductors, Quantity::None,
                       {double(m_plan.conductors.size() + m_plan.rods.size()), double(limit)}};
    // Nothing beyond the solver's reach can be solved, and merging would sample it for ever.
    if (const double farthest = farthestReach(); farthest > earthing::InputCheck::kMaxReach)
        return Refusal{Error::DrawingBeyondReach, Quantity::None,
                       {farthest, earthing::InputCheck::kMaxReach}};
    ConductorMerge merge(m_plan.conductors);
    m_plan.mergedDuplicates = merge.mergeOverlaps();
    if (m_settings.joinCrossings)
        m_plan.joins = merge.joinCrossings();
    m_plan.conductors = merge.take();
    const std::size_t count = m_plan.conductors.size() + m_plan.rods.size();
    if (count > limit)
        return Refusal{Error::TooManyConductors, Quantity::None, {double(count), double(limit)}};
    return std::move(m_plan);
}

double DrawingImport::farthestReach() const {
    double farthest = 0;
    const auto reach = [&farthest](double v) {
        farthest = std::isfinite(v) ? std::max(farthest, std::abs(v))
                                    : std::numeric_limits<double>::infinity();
    };
    for (const ImportedConductor &c : m_plan.conductors)
        for (double v : {c.from.x, c.from.y, c.from.z, c.to.x, c.to.y, c.to.z})
            reach(v);
    for (const ImportedRod &r : m_plan.rods)
        for (double v : {r.x, r.y, r.top, r.top + r.length})
            reach(v);
    return farthest;
}

void DrawingImport::chooseOrigin() {
    if (!m_settings.autoOrigin) {
        m_plan.originX = m_settings.originX;
        m_plan.originY = m_settings.originY;
        return;
    }
    double least[2] = {std::numeric_limits<double>::infinity(),
                       std::numeric_limits<double>::infinity()};
    const auto extend = [&least](const DxfVertex &v) {
        least[0] = std::min(least[0], v.x);
        least[1] = std::min(least[1], v.y);
    };
    for (const DxfPolyline &polyline : m_drawing.polylines())
        std::for_each(polyline.vertices.begin(), polyline.vertices.end(), extend);
    for (const DxfPoint &point : m_drawing.points())
        extend(point.at);
    // An empty drawing keeps its own origin.
    m_plan.originX = std::isfinite(least[0]) ? std::floor(least[0] * m_scale / kOriginStep) * kOriginStep : 0;
    m_plan.originY = std::isfinite(least[1]) ? std::floor(least[1] * m_scale / kOriginStep) * kOriginStep : 0;
}

std::optional<double> DrawingImport::depthOf(double z, const LayerMapping &mapping) const {
    // CAD's z points up: a vertex drawn below the surface gives its own depth.
    if (z < 0)
        return -z * m_scale;
    return mapping.depth;
}

void DrawingImport::takePolyline(const DxfPolyline &polyline) {
    const LayerMapping *mapping = mappingOf(polyline.layer);
    if (mapping && mapping->role == LayerRole::Ignored)
        return;
    if (!mapping || mapping->role != LayerRole::Conductor || !mapping->diameter) {
        leaveOut(polyline.layer);
        return;
    }
    std::vector<earthing::Point3> points;
    for (const DxfVertex &v : polyline.vertices) {
        const std::optional<double> depth = depthOf(v.z, *mapping);
        if (!depth) {
            leaveOut(polyline.layer);
            return;
        }
        points.push_back({v.x * m_scale - m_plan.originX, v.y * m_scale - m_plan.originY, *depth});
    }
    if (polyline.closed)
        points.push_back(points.front());
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const earthing::Point3 &a = points[i];
        const earthing::Point3 &b = points[i + 1];
        if (std::hypot(b.x - a.x, b.y - a.y, b.z - a.z) < kShortest)
            continue;
        m_plan.conductors.push_back({a, b, *mapping->diameter, mapping->group, polyline.layer});
    }
}

void DrawingImport::takePoint(const DxfPoint &point) {
    const LayerMapping *mapping = mappingOf(point.layer);
    if (mapping && mapping->role == LayerRole::Ignored)
        return;
    if (!mapping || mapping->role != LayerRole::Rod || !mapping->rodLength) {
        leaveOut(point.layer);
        return;
    }
    const std::optional<double> top = depthOf(point.at.z, *mapping);
    // A circle drawn to the rod's size gives its diameter when the layer does not.
    const std::optional<double> diameter =
        mapping->diameter ? mapping->diameter
        : point.kind == DxfPointKind::Circle && point.radius > 0
            ? std::optional<double>(2 * point.radius * m_scale)
            : std::nullopt;
    if (!top || !diameter) {
        leaveOut(point.layer);
        return;
    }
    m_plan.rods.push_back({point.at.x * m_scale - m_plan.originX, point.at.y * m_scale - m_plan.originY,
                           *top, *mapping->rodLength, *diameter, mapping->group, point.layer});
}

} // namespace tav::cad
