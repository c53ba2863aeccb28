#include "core/earthing/TouchAreas.h"

#include "core/earthing/NetworkOutline.h"
#include "core/earthing/PlanPolygon.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

namespace tav::earthing::TouchAreas {

namespace {

// A ring's circle, fine enough that its chords lie within a thousandth of its radius.
constexpr int kCircleCorners = 72;

struct Vec {
    double x, y, z;
};
Vec minus(const Point3 &a, const Point3 &b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
double dot(const Vec &a, const Vec &b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// The least distance between two segments (Ericson, Real-Time Collision Detection, 5.1.9).
double distance(const Conductor &c1, const Conductor &c2) {
    const Vec d1 = minus(c1.to, c1.from);
    const Vec d2 = minus(c2.to, c2.from);
    const Vec r = minus(c1.from, c2.from);
    const double a = dot(d1, d1);
    const double e = dot(d2, d2);
    const double f = dot(d2, r);
    double s = 0;
    double t = 0;
    if (a <= 0 && e <= 0) {
        s = t = 0;
    } else if (a <= 0) {
        t = std::clamp(f / e, 0., 1.);
    } else {
        const double c = dot(d1, r);
        if (e <= 0) {
            s = std::clamp(-c / a, 0., 1.);
        } else {
            const double b = dot(d1, d2);
            const double denominator = a * e - b * b;
            s = denominator > 0 ? std::clamp((b * f - c * e) / denominator, 0., 1.) : 0;
            t = (b * s + f) / e;
            if (t < 0) {
                t = 0;
                s = std::clamp(-c / a, 0., 1.);
            } else if (t > 1) {
                t = 1;
                s = std::clamp((b - c) / a, 0., 1.);
            }
        }
    }
    const Vec p{c1.from.x + d1.x * s, c1.from.y + d1.y * s, c1.from.z + d1.z * s};
    const Vec q{c2.from.x + d2.x * t, c2.from.y + d2.y * t, c2.from.z + d2.z * t};
    const Vec gap{p.x - q.x, p.y - q.y, p.z - q.z};
    return std::sqrt(dot(gap, gap));
}

bool touching(const Conductor &a, const Conductor &b) {
    const auto box = [](const Conductor &c, int axis) {
        const double u = axis == 0 ? c.from.x : axis == 1 ? c.from.y : c.from.z;
        const double v = axis == 0 ? c.to.x : axis == 1 ? c.to.y : c.to.z;
        return std::pair<double, double>(std::min(u, v), std::max(u, v));
    };
    const double reach = 0.5 * (a.diameter + b.diameter) + 1e-6;
    for (int axis = 0; axis < 3; ++axis) {
        const auto [a0, a1] = box(a, axis);
        const auto [b0, b1] = box(b, axis);
        if (a1 + reach < b0 || b1 + reach < a0)
            return false;
    }
    return distance(a, b) <= reach;
}

int root(std::vector<int> &parent, int k) {
    while (parent[std::size_t(k)] != k)
        k = parent[std::size_t(k)] = parent[std::size_t(parent[std::size_t(k)])];
    return k;
}

TouchArea area(TouchAreaKind kind, std::vector<Point2> outline, int group, int part) {
    TouchArea a;
    a.kind = kind;
    a.outline = std::move(outline);
    a.group = group;
    a.part = part;
    return a;
}

} // namespace

TouchArea of(const RectangularGrid &g, int part) {
    const double x1 = g.x0 + g.sizeX;
    const double y1 = g.y0 + g.sizeY;
    return area(TouchAreaKind::Grid, {{g.x0, g.y0}, {x1, g.y0}, {x1, y1}, {g.x0, y1}}, g.group,
                part);
}

TouchArea of(const LShapedGrid &l, int part) {
    return area(TouchAreaKind::Grid, ConductorLayout::lCornerPoints(l), l.bounds.group, part);
}

TouchArea of(const RodRing &r, int part) {
    return area(TouchAreaKind::Ring, PlanPolygon::circle(r.centre, r.radius, kCircleCorners),
                r.group, part);
}

TouchArea of(const Fence &f, const std::vector<Conductor> &around, double reach, int part) {
    TouchArea a =
        area(TouchAreaKind::Fence, ConductorLayout::fenceCorners(f, around), f.group, part);
    a.band = reach;
    a.open = !f.outline.empty() && !f.closed;
    return a;
}

std::vector<TouchArea> ofClusters(const std::vector<Conductor> &conductors, double reach) {
    const int n = int(conductors.size());
    std::vector<int> parent(static_cast<std::size_t>(n));
    std::iota(parent.begin(), parent.end(), 0);
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j) {
            const Conductor &a = conductors[std::size_t(i)];
            const Conductor &b = conductors[std::size_t(j)];
            if (a.group == b.group && touching(a, b))
                parent[std::size_t(root(parent, i))] = root(parent, j);
        }
    // The clusters in the order of their first conductor.
    std::map<int, int> number;
    std::vector<std::vector<Conductor>> clusters;
    for (int k = 0; k < n; ++k) {
        const auto [it, added] = number.emplace(root(parent, k), int(clusters.size()));
        if (added)
            clusters.emplace_back();
        clusters[std::size_t(it->second)].push_back(conductors[std::size_t(k)]);
    }
    std::vector<TouchArea> areas;
    for (std::size_t k = 0; k < clusters.size(); ++k) {
        std::vector<Point2> ends;
        for (const Conductor &c : clusters[k]) {
            ends.push_back({c.from.x, c.from.y});
            ends.push_back({c.to.x, c.to.y});
        }
        // A cluster whose hull has no inside (a lone rod, conductors in one line) covers
        // no ground, as before: the reach alone does not make a place where people stand.
        const std::vector<Point2> hull = PlanPolygon::convexHull(ends);
        const Rectangle b = PlanPolygon::bounds(hull);
        const double extent = std::max(b.x1 - b.x0, b.y1 - b.y0);
        if (hull.size() < 3 || std::abs(PlanPolygon::area(hull)) <= 1e-9 * extent * extent)
            continue;
        std::vector<Point2> outline = NetworkOutline::of(clusters[k], reach);
        if (outline.size() < 3)
            continue;
        areas.push_back(
            area(TouchAreaKind::Conductors, std::move(outline), clusters[k][0].group, int(k)));
    }
    return areas;
}

} // namespace tav::earthing::TouchAreas
