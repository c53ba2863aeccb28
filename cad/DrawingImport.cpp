#include "cad/DrawingImport.h"

#include "cad/ConductorMerge.h"
#include "cad/DxfSource.h"
#include "core/earthing/InputCheck.h"
#include "core/earthing/PlanPolygon.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tav::cad {

namespace {

// The auto origin is a multiple of this (m).
constexpr double kOriginStep = 100;

using earthing::Point3;

struct Piece {
    Point3 from;
    Point3 to;
};

double distance(const Point3 &a, const Point3 &b) {
    return std::hypot(b.x - a.x, b.y - a.y, b.z - a.z);
}

// A polyline's points as straight pieces each at least `shortest` long and longer than the
// diameter: consecutive chords too short to be a conductor (a curve drawn in tenths of a
// millimetre, chords of a millimetre rounded below it) joined from vertex to vertex until
// they are. What is left at the end reaches the last point from the last piece's start,
// unless that would make it too short (a line folded back on itself), when the end is
// left less than `shortest` off. None when the whole line never gets that far.
std::vector<Piece> joined(const std::vector<Point3> &points, double shortest, double diameter) {
    const auto usable = [&](const Point3 &a, const Point3 &b) {
        const double d = distance(a, b);
        return d >= shortest && d > diameter;
    };
    std::vector<Piece> out;
    std::size_t anchor = 0;
    for (std::size_t i = 1; i < points.size(); ++i)
        if (usable(points[anchor], points[i])) {
            out.push_back({points[anchor], points[i]});
            anchor = i;
        }
    if (!out.empty() && anchor + 1 < points.size() && usable(out.back().from, points.back()))
        out.back().to = points.back();
    return out;
}

// The pieces longer than the diameter; a line that is not, but reaches kShortest, as a
// conductor the solver then refuses by its name, as it was drawn.
std::vector<Piece> pieces(const std::vector<Point3> &points, double diameter) {
    const std::vector<Piece> usable = joined(points, DrawingImport::kShortest, diameter);
    return usable.empty() ? joined(points, DrawingImport::kShortest, 0) : usable;
}

// A touch area's or the surface layer's polygon as the document takes one: at most its
// corners, with an inside, not crossing itself (tested from its first corner, so that site
// coordinates keep their millimetres).
bool fitPolygon(const std::vector<earthing::Point2> &corners) {
    if (corners.size() < 3 || corners.size() > earthing::PlanPolygon::kMostCorners)
        return false;
    std::vector<earthing::Point2> local;
    for (const earthing::Point2 &p : corners)
        local.push_back({p.x - corners[0].x, p.y - corners[0].y});
    const earthing::Rectangle box = earthing::PlanPolygon::bounds(local);
    const double extent = std::max(box.x1 - box.x0, box.y1 - box.y0);
    return std::abs(earthing::PlanPolygon::area(local)) > 1e-9 * extent * extent &&
           !earthing::PlanPolygon::selfCrossing(local);
}

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
    // A drawing that names a unit of its own (miles, microns) says in what unit it is drawn,
    // only not one this import takes; unitless (0) says nothing.
    const std::optional<int> code = m_drawing.insunitsCode();
    if (!units && code && *code != 0)
        return Refusal{Error::DrawingUnitNotTaken, Quantity::None, {double(*code)}};
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
    // The surface layer has one zone: of several drawn, none is taken.
    if (m_surfaces.size() == 1)
        m_plan.surface = m_surfaces.front();
    else
        for (const ImportedOutline &o : m_surfaces)
            leaveOut(o.layer, LeftOutReason::SecondSurface);
    const std::size_t limit = earthing::InputCheck::kMaxConductors;
    if (m_plan.conductors.size() > kRawFactor * limit)
        return Refusal{Error::TooManyConductors, Quantity::None,
                       {double(m_plan.conductors.size() + m_plan.rods.size()), double(limit)}};
    // Nothing beyond the solver's reach can be solved, and merging would sample it for ever.
    if (const double farthest = farthestReach(); farthest > earthing::InputCheck::kMaxReach)
        return Refusal{Error::DrawingBeyondReach, Quantity::None,
                       {farthest, earthing::InputCheck::kMaxReach}};
    ConductorMerge merge(m_plan.conductors);
    // Each place where drawn conductors cross is a cut of the merged ones: twice the most
    // such places, counted on the drawing as it is, are refused at once, before the merge
    // looks at every pair. The count below decides the rest exactly.
    if (m_settings.joinCrossings) {
        if (const std::size_t places = merge.crossingPlaces(2 * limit); places > 2 * limit)
            return Refusal{Error::CrossingsBeyondLimit,
                           Quantity::None,
                           {double(places + m_plan.rods.size()), double(limit)}};
    }
    m_plan.mergedDuplicates = merge.mergeOverlaps();
    if (m_settings.joinCrossings) {
        // Counted before a piece is made: a drawing of thousands of lines crossing thousands
        // would cut into millions.
        const std::size_t most = limit > m_plan.rods.size() ? limit - m_plan.rods.size() : 0;
        const ConductorMerge::Joined joined = merge.joinCrossings(most);
        if (joined.beyond > 0)
            return Refusal{Error::CrossingsBeyondLimit,
                           Quantity::None,
                           {double(joined.beyond + m_plan.rods.size()), double(limit)}};
        m_plan.joins = joined.joins;
    }
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
    for (const auto *outlines : {&m_plan.fences, &m_plan.touchAreas, &m_surfaces})
        for (const ImportedOutline &o : *outlines)
            for (const earthing::Point2 &p : o.corners)
                for (double v : {p.x, p.y})
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
    // What is drawn beyond any site is left out, and places nothing.
    const auto extend = [&least, this](const DxfVertex &v) {
        if (!drawnWithin(v))
            return;
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

LeftOutReason DrawingImport::lacking(const LayerMapping *mapping) {
    if (mapping == nullptr)
        return LeftOutReason::LayerNotNamed;
    switch (mapping->role) {
    case LayerRole::Rod:
        return LeftOutReason::RodLacks;
    case LayerRole::Fence:
        return LeftOutReason::FenceLacks;
    case LayerRole::TouchArea:
    case LayerRole::Surface:
        return LeftOutReason::AreaLacks;
    default:
        return LeftOutReason::ConductorLacks;
    }
}

bool DrawingImport::drawnWithin(const DxfVertex &v) const {
    for (const double c : {v.x, v.y, v.z})
        if (!(std::abs(c * m_scale) <= kFarthestDrawn))
            return false;
    return true;
}

void DrawingImport::takePolyline(const DxfPolyline &polyline) {
    const LayerMapping *mapping = mappingOf(polyline.layer);
    if (mapping && mapping->role == LayerRole::Ignored)
        return;
    if (mapping && (mapping->role == LayerRole::Fence || mapping->role == LayerRole::TouchArea ||
                    mapping->role == LayerRole::Surface)) {
        takeOutline(polyline, *mapping);
        return;
    }
    if (!mapping || mapping->role != LayerRole::Conductor || !mapping->diameter) {
        leaveOut(polyline.layer, lacking(mapping));
        return;
    }
    std::vector<Point3> points;
    for (const DxfVertex &v : polyline.vertices) {
        if (!drawnWithin(v)) {
            leaveOut(polyline.layer, LeftOutReason::TooFar);
            return;
        }
        const std::optional<double> depth = depthOf(v.z, *mapping);
        if (!depth) {
            leaveOut(polyline.layer, LeftOutReason::ConductorLacks);
            return;
        }
        points.push_back({v.x * m_scale - m_plan.originX, v.y * m_scale - m_plan.originY, *depth});
    }
    if (polyline.closed && !points.empty())
        points.push_back(points.front());
    const std::vector<Piece> taken = pieces(points, *mapping->diameter);
    if (taken.empty())
        leaveOut(polyline.layer, LeftOutReason::TooShort);
    for (const Piece &p : taken)
        m_plan.conductors.push_back(
            {p.from, p.to, *mapping->diameter, mapping->group, polyline.layer});
}

void DrawingImport::takeOutline(const DxfPolyline &polyline, const LayerMapping &mapping) {
    ImportedOutline o;
    o.layer = polyline.layer;
    for (const DxfVertex &v : polyline.vertices) {
        if (!drawnWithin(v)) {
            leaveOut(polyline.layer, LeftOutReason::TooFar);
            return;
        }
        const earthing::Point2 p{v.x * m_scale - m_plan.originX, v.y * m_scale - m_plan.originY};
        // A corner drawn twice is one corner.
        if (o.corners.empty() ||
            std::hypot(p.x - o.corners.back().x, p.y - o.corners.back().y) >= kShortest)
            o.corners.push_back(p);
    }
    // A line drawn back to its first corner closes as one marked closed does.
    o.closed = polyline.closed;
    if (o.corners.size() > 2 && std::hypot(o.corners.back().x - o.corners.front().x,
                                           o.corners.back().y - o.corners.front().y) < kShortest) {
        o.corners.pop_back();
        o.closed = true;
    }
    if (mapping.role == LayerRole::Fence) {
        if (!mapping.posts || o.corners.size() < (o.closed ? 3u : 2u))
            leaveOut(polyline.layer, LeftOutReason::FenceLacks);
        else if (o.corners.size() > earthing::PlanPolygon::kMostCorners)
            leaveOut(polyline.layer, LeftOutReason::OutlineUnfit);
        else {
            o.posts = mapping.posts;
            if (mapping.grouped)
                o.group = mapping.group;
            m_plan.fences.push_back(std::move(o));
        }
        return;
    }
    if (!o.closed || o.corners.size() < 3) {
        leaveOut(polyline.layer, LeftOutReason::AreaLacks);
        return;
    }
    if (!fitPolygon(o.corners)) {
        leaveOut(polyline.layer, LeftOutReason::OutlineUnfit);
        return;
    }
    if (mapping.role == LayerRole::TouchArea) {
        o.group = mapping.group;
        m_plan.touchAreas.push_back(std::move(o));
    } else {
        m_surfaces.push_back(std::move(o));
    }
}

void DrawingImport::takePoint(const DxfPoint &point) {
    const LayerMapping *mapping = mappingOf(point.layer);
    if (mapping && mapping->role == LayerRole::Ignored)
        return;
    if (!mapping || mapping->role != LayerRole::Rod || !mapping->rodLength) {
        leaveOut(point.layer, lacking(mapping));
        return;
    }
    if (!drawnWithin(point.at)) {
        leaveOut(point.layer, LeftOutReason::TooFar);
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
        leaveOut(point.layer, LeftOutReason::RodLacks);
        return;
    }
    m_plan.rods.push_back({point.at.x * m_scale - m_plan.originX, point.at.y * m_scale - m_plan.originY,
                           *top, *mapping->rodLength, *diameter, mapping->group, point.layer});
}

} // namespace tav::cad
