#include "core/earthing/InputCheck.h"

#include "core/earthing/EarthingSolver.h"
#include "core/earthing/NearConductors.h"
#include "core/earthing/Vec3.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace tav::earthing {

namespace {

bool positive(double v) {
    return std::isfinite(v) && v > 0;
}

Refusal notPositive(Quantity quantity, double value) {
    return {Error::NotPositive, quantity, {value}};
}

Vec3 toVec(const Point3 &p) {
    return {p.x, p.y, p.z};
}

// Two conductors overlap when they run parallel closer than their radii together, along
// more than a radius of common length: the same stretch of soil would take two currents.
bool overlap(const Conductor &a, const Conductor &b) {
    const Vec3 pi = toVec(a.from);
    const Vec3 di = toVec(a.to) - pi;
    const double li = di.norm();
    const Vec3 ui = di * (1 / li);
    const double ri = 0.5 * a.diameter;
    const Vec3 pj = toVec(b.from);
    const Vec3 dj = toVec(b.to) - pj;
    const Vec3 uj = dj * (1 / dj.norm());
    if (ui.cross(uj).norm() > 1e-6)
        return false;
    const double rj = 0.5 * b.diameter;
    const Vec3 w = pj - pi;
    const double t1 = w.dot(ui);
    const double t2 = (toVec(b.to) - pi).dot(ui);
    if ((w - ui * t1).norm() >= ri + rj)
        return false;
    const double common = std::min(li, std::max(t1, t2)) - std::max(0., std::min(t1, t2));
    return common > std::max(ri, rj);
}

// The least distance between two conductors' axes (the usual clamped solution of the
// two-line problem), less than their radii together when their metal meets.
bool touch(const Conductor &a, const Conductor &b) {
    const Vec3 p = toVec(a.from);
    const Vec3 q = toVec(b.from);
    const Vec3 da = toVec(a.to) - p;
    const Vec3 db = toVec(b.to) - q;
    const double la = da.norm();
    const double lb = db.norm();
    const Vec3 ua = da * (1 / la);
    const Vec3 ub = db * (1 / lb);
    const Vec3 w = p - q;
    const double c = ua.dot(ub);
    const double d = ua.dot(w);
    const double e = ub.dot(w);
    const double den = 1 - c * c;
    double s = std::clamp(den > 1e-12 ? (c * e - d) / den : 0., 0., la);
    const double t = std::clamp(e + c * s, 0., lb);
    s = std::clamp(c * t - d, 0., la);
    const Vec3 gap = (p + ua * s) - (q + ub * t);
    return gap.norm() <= 0.5 * (a.diameter + b.diameter);
}

} // namespace

std::optional<Refusal> InputCheck::check(const EarthingInput &input) {
    if (auto refusal = checkNumbers(input))
        return refusal;
    if (input.conductors.size() > kMaxConductors)
        return Refusal{Error::TooManyConductors,
                       Quantity::None,
                       {double(input.conductors.size()), double(kMaxConductors)}};
    for (std::size_t k = 0; k < input.conductors.size(); ++k)
        if (auto refusal = checkConductor(input.conductors[k], int(k) + 1))
            return refusal;
    if (auto refusal = checkGroups(input))
        return refusal;
    if (auto refusal = checkPoints(input))
        return refusal;
    if (auto refusal = checkTouchPlaces(input))
        return refusal;
    if (auto refusal = checkSegments(input))
        return refusal;
    return checkPairs(input);
}

std::optional<Refusal> InputCheck::checkPoints(const EarthingInput &input) {
    for (std::size_t k = 0; k < input.points.size(); ++k) {
        const Point2 &p = input.points[k];
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            return Refusal{Error::PointNotFinite, Quantity::None, {double(k + 1)}};
        for (double v : {p.x, p.y})
            if (std::abs(v) > kMaxReach)
                return Refusal{
                    Error::PointBeyondReach, Quantity::None, {double(k + 1), v, kMaxReach}};
    }
    if (input.points.size() > std::size_t(kMaxPoints))
        return Refusal{Error::TooManyPoints,
                       Quantity::None,
                       {double(input.points.size()), double(kMaxPoints)}};
    return std::nullopt;
}

// Every touch area a polygon within reach, every area and touch point of a group that
// has metal.
std::optional<Refusal> InputCheck::checkTouchPlaces(const EarthingInput &input) {
    std::vector<bool> groups;
    for (const Conductor &c : input.conductors) {
        if (std::size_t(c.group) >= groups.size())
            groups.resize(std::size_t(c.group) + 1, false);
        groups[std::size_t(c.group)] = true;
    }
    const auto hasMetal = [&groups](int g) {
        return g >= 0 && std::size_t(g) < groups.size() && groups[std::size_t(g)];
    };
    const auto within = [](Point2 p) {
        return std::isfinite(p.x) && std::isfinite(p.y) && std::abs(p.x) <= kMaxReach &&
               std::abs(p.y) <= kMaxReach;
    };
    const std::size_t areas = input.touchAreas.size();
    for (std::size_t k = 0; k < areas; ++k) {
        const TouchArea &area = input.touchAreas[k];
        // A band along a polyline that does not close needs but one edge.
        const std::size_t least = area.open && area.band > 0 ? 2 : 3;
        bool sound = area.outline.size() >= least && std::isfinite(area.band) && area.band >= 0 &&
                     area.band <= kMaxReach;
        for (const Point2 &p : area.outline)
            sound = sound && within(p);
        if (!sound)
            return Refusal{Error::TouchAreaNotPolygon, Quantity::None, {double(k + 1)}};
        if (!hasMetal(area.group))
            return Refusal{
                Error::TouchGroupMissing, Quantity::None, {double(k + 1), double(area.group)}};
    }
    for (std::size_t k = 0; k < input.touchPoints.size(); ++k) {
        const TouchPoint &p = input.touchPoints[k];
        if (!within(p.at))
            return Refusal{Error::PointNotFinite, Quantity::None, {double(areas + k + 1)}};
        if (!hasMetal(p.group))
            return Refusal{
                Error::TouchGroupMissing, Quantity::None, {double(areas + k + 1), double(p.group)}};
    }
    return std::nullopt;
}

// A soil of three layers or more, each layer by its number from the top: its resistivity,
// then its thickness, which the last layer has none of. Fewer layers are checked by the
// quantities of their own forms.
std::optional<Refusal> InputCheck::checkLayers(const EarthingSoil &soil) {
    if (soil.rho.empty())
        return std::nullopt;
    for (std::size_t k = 0; k < soil.rho.size(); ++k) {
        const double layer = double(k + 1);
        if (!positive(soil.rho[k]))
            return Refusal{
                Error::LayerNotPositive, Quantity::LayerResistivity, {layer, soil.rho[k]}};
        if (k + 1 == soil.rho.size())
            break;
        const double thickness = k < soil.thickness.size() ? soil.thickness[k] : 0;
        if (!positive(thickness))
            return Refusal{Error::LayerNotPositive, Quantity::LayerThickness, {layer, thickness}};
    }
    return std::nullopt;
}

std::optional<Refusal> InputCheck::checkNumbers(const EarthingInput &input) {
    const EarthingSoil &soil = input.soil;
    if (auto refusal = checkLayers(soil))
        return refusal;
    if (soil.layered) {
        if (!positive(soil.rho1))
            return notPositive(Quantity::TopLayerResistivity, soil.rho1);
        if (!positive(soil.rho2))
            return notPositive(Quantity::BottomLayerResistivity, soil.rho2);
        if (!positive(soil.h))
            return notPositive(Quantity::TopLayerThickness, soil.h);
    } else if (!positive(soil.rho1)) {
        return notPositive(Quantity::SoilResistivity, soil.rho1);
    }
    if (!positive(input.current))
        return notPositive(Quantity::InjectedCurrent, input.current);
    if (input.current < kMinCurrent)
        return Refusal{Error::BelowFloor, Quantity::InjectedCurrent, {input.current, kMinCurrent}};
    if (input.current > kMaxCurrent)
        return Refusal{
            Error::AboveCeiling, Quantity::InjectedCurrent, {input.current, kMaxCurrent}};
    if (!positive(input.segmentLength))
        return notPositive(Quantity::SegmentLength, input.segmentLength);
    if (!positive(input.search.step))
        return notPositive(Quantity::SearchStep, input.search.step);
    if (!std::isfinite(input.search.margin) || input.search.margin < 0)
        return Refusal{Error::NegativeOrNotFinite, Quantity::SearchMargin, {input.search.margin}};
    return std::nullopt;
}

std::optional<Refusal> InputCheck::checkConductor(const Conductor &c, int number) {
    const double n = number;
    const Vec3 a = toVec(c.from);
    const Vec3 b = toVec(c.to);
    const bool finite = std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z) &&
                        std::isfinite(b.x) && std::isfinite(b.y) && std::isfinite(b.z) &&
                        std::isfinite(c.diameter);
    if (!finite)
        return Refusal{Error::ConductorNotFinite, Quantity::None, {n}};
    for (double v : {a.x, a.y, a.z, b.x, b.y, b.z})
        if (std::abs(v) > kMaxReach)
            return Refusal{Error::ConductorBeyondReach, Quantity::None, {n, v, kMaxReach}};
    if (c.group < 0)
        return Refusal{Error::GroupNegative, Quantity::None, {n, double(c.group)}};
    const double length = (b - a).norm();
    if (!(length > 0) || !std::isfinite(length))
        return Refusal{Error::ConductorZeroLength, Quantity::None, {n}};
    const double top = std::min(a.z, b.z);
    if (top < 0)
        return Refusal{Error::ConductorAboveSurface, Quantity::None, {n, top}};
    if (a.z == 0 && b.z == 0)
        return Refusal{Error::ConductorOnSurface, Quantity::None, {n}};
    return checkThickness(c, number, length);
}

// The metal's own extent: thick enough to solve, thinner than long, and all of it in the
// soil: the axis's shallowest end lies deeper than the radius reaches up from it (which
// for a vertical rod is nothing: its end is flat).
std::optional<Refusal> InputCheck::checkThickness(const Conductor &c, int number, double length) {
    const double n = number;
    if (!(c.diameter > 0))
        return Refusal{Error::ConductorDiameterNotPositive, Quantity::None, {n, c.diameter}};
    if (c.diameter < kMinDiameter)
        return Refusal{
            Error::ConductorDiameterBelowFloor, Quantity::None, {n, c.diameter, kMinDiameter}};
    if (c.diameter >= length)
        return Refusal{
            Error::ConductorDiameterNotBelowLength, Quantity::None, {n, c.diameter, length}};
    const double radius = 0.5 * c.diameter;
    const double slope = (c.to.z - c.from.z) / length;
    const double up = radius * std::sqrt(std::max(0., 1 - slope * slope));
    const double shallowest = std::min(c.from.z, c.to.z);
    if (shallowest < up)
        return Refusal{Error::ConductorRadiusAboveSurface, Quantity::None, {n, shallowest, radius}};
    return std::nullopt;
}

std::optional<Refusal> InputCheck::checkGroups(const EarthingInput &input) {
    std::set<int> groups;
    for (const Conductor &c : input.conductors)
        groups.insert(c.group);
    if (groups.empty() || *groups.begin() != 0)
        return Refusal{Error::NoEnergisedConductor, Quantity::None, {}};
    int expected = 0;
    for (int g : groups) {
        if (g != expected)
            return Refusal{Error::GroupWithoutConductors, Quantity::None, {double(expected)}};
        ++expected;
    }
    return std::nullopt;
}

// The segment limit before any check of pairs, so that a document of a million conductors
// is refused at once: each conductor's length in segment lengths is the fewest segments
// the cut can give it, however junctions and the layers' interface divide it further.
// The count named is the cut's before those divisions, with the ends halved as it halves
// them.
std::optional<Refusal> InputCheck::checkSegments(const EarthingInput &input) {
    double fewest = 0;
    double uncut = 0;
    for (const Conductor &c : input.conductors) {
        const double length = (toVec(c.to) - toVec(c.from)).norm();
        const double parts = std::max(1., std::ceil(length / input.segmentLength - 1e-9));
        fewest += parts;
        uncut += parts >= 2 ? parts + 2 : parts;
    }
    const auto limit = double(EarthingSolver::kMaxSegments);
    if (!(fewest <= limit)) // an infinite count too
        return Refusal{Error::TooManySegments, Quantity::SegmentLength, {uncut, limit}};
    return std::nullopt;
}

// Only the pairs the spatial index finds near are tested, in the order every pair would
// be, so that the pair named is the same first one. Overlaps are looked for first, among
// all pairs, as they were before touching groups were.
std::optional<Refusal> InputCheck::checkPairs(const EarthingInput &input) {
    const std::vector<Conductor> &cs = input.conductors;
    double thickest = 0;
    for (const Conductor &c : cs)
        thickest = std::max(thickest, c.diameter);
    // Sampled no finer than half a metre: a segment length far below it, refused later by
    // the memory it needs, would otherwise take millions of samples here first.
    const NearConductors near(cs, std::max(input.segmentLength, 0.5), thickest);
    std::vector<std::vector<int>> nearAfter(cs.size());
    for (std::size_t i = 0; i < cs.size(); ++i) {
        nearAfter[i] = near.after(int(i));
        for (int j : nearAfter[i])
            if (overlap(cs[i], cs[std::size_t(j)]))
                return Refusal{
                    Error::ConductorsOverlap, Quantity::None, {double(i + 1), double(j + 1)}};
    }
    for (std::size_t i = 0; i < cs.size(); ++i)
        for (int j : nearAfter[i]) {
            const Conductor &a = cs[i];
            const Conductor &b = cs[std::size_t(j)];
            if (a.group != b.group && touch(a, b))
                return Refusal{Error::GroupsTouch,
                               Quantity::None,
                               {double(i + 1), double(j + 1), double(a.group), double(b.group)}};
        }
    return std::nullopt;
}

} // namespace tav::earthing
