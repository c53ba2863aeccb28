#include "core/earthing/ConductorLayout.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tav::earthing::ConductorLayout {

namespace {

double position(double start, double size, int index, int count) {
    return count > 1 ? start + size * index / (count - 1) : start;
}

// How many points each side of a closed polygon takes between its corners: one at a time
// to the side whose gaps are then the longest, so that the longest gap is as short as it
// can be and the sides share the points about in proportion to their lengths; a tie goes
// to the side met first going round.
std::vector<int> pointsPerSide(const std::vector<double> &sides, int count) {
    std::vector<int> on(sides.size(), 0);
    for (int k = 0; k < count; ++k) {
        std::size_t widest = 0;
        for (std::size_t i = 1; i < sides.size(); ++i)
            if (sides[i] / (on[i] + 1) > sides[widest] / (on[widest] + 1))
                widest = i;
        ++on[widest];
    }
    return on;
}

} // namespace

std::vector<Point2> alongPolygon(const std::vector<Point2> &corners, int count) {
    const int n = int(corners.size());
    if (count <= n)
        return {corners.begin(), corners.begin() + std::max(0, count)};
    std::vector<double> sides;
    for (int i = 0; i < n; ++i) {
        const Point2 &a = corners[i];
        const Point2 &b = corners[(i + 1) % n];
        sides.push_back(std::hypot(b.x - a.x, b.y - a.y));
    }
    const std::vector<int> on = pointsPerSide(sides, count - n);
    std::vector<Point2> points;
    for (int i = 0; i < n; ++i) {
        const Point2 &a = corners[i];
        const Point2 &b = corners[(i + 1) % n];
        for (int k = 0; k <= on[i]; ++k) {
            const double t = double(k) / (on[i] + 1);
            points.push_back({a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t});
        }
    }
    return points;
}

double count(const RectangularGrid &grid) {
    return double(std::max(0, grid.countX)) + double(std::max(0, grid.countY));
}

std::vector<Conductor> grid(const RectangularGrid &grid) {
    std::vector<Conductor> conductors;
    for (int i = 0; i < grid.countX; ++i) {
        const double x = position(grid.x0, grid.sizeX, i, grid.countX);
        conductors.push_back({{x, grid.y0, grid.depth},
                              {x, grid.y0 + grid.sizeY, grid.depth},
                              grid.diameter,
                              grid.group});
    }
    for (int i = 0; i < grid.countY; ++i) {
        const double y = position(grid.y0, grid.sizeY, i, grid.countY);
        conductors.push_back({{grid.x0, y, grid.depth},
                              {grid.x0 + grid.sizeX, y, grid.depth},
                              grid.diameter,
                              grid.group});
    }
    return conductors;
}

std::vector<Conductor> rods(const std::vector<Point2> &at, double top, double length,
                            double diameter, int group) {
    std::vector<Conductor> rods;
    for (const Point2 &p : at)
        rods.push_back({{p.x, p.y, top}, {p.x, p.y, top + length}, diameter, group});
    return rods;
}

std::vector<Point2> perimeterPoints(const RectangularGrid &grid, int count) {
    return alongPolygon(cornerPoints(grid), count);
}

std::vector<Point2> cornerPoints(const RectangularGrid &grid) {
    return {{grid.x0, grid.y0},
            {grid.x0 + grid.sizeX, grid.y0},
            {grid.x0 + grid.sizeX, grid.y0 + grid.sizeY},
            {grid.x0, grid.y0 + grid.sizeY}};
}

} // namespace tav::earthing::ConductorLayout

namespace tav::earthing::ConductorLayout {

namespace {

// Tolerance on the clipping edge, relative to the grid's size: sizes typed in decimals.
constexpr double kEdgeSlack = 1e-9;
constexpr double kPi = 3.141592653589793;

} // namespace

// Whether one of count grid lines spaced evenly from start over size lies on at, within
// slack: the line is then the edge there, and another conductor on it would overlap it.
bool lineAt(double start, double size, int count, double at, double slack) {
    for (int i = 0; i < count; ++i)
        if (std::abs(position(start, size, i, count) - at) <= slack)
            return true;
    return false;
}

namespace {

// Visits each conductor of the L in order; count and lGrid share it, so that the count is
// the expansion's own.
template <class Visit> void forEachOfL(const LShapedGrid &l, Visit visit) {
    const RectangularGrid &g = l.bounds;
    const double innerX = g.x0 + g.sizeX - l.cutX; // where the cut starts along x
    const double innerY = g.y0 + g.sizeY - l.cutY;
    const double x1 = g.x0 + g.sizeX;
    const double y1 = g.y0 + g.sizeY;
    const double slackX = kEdgeSlack * g.sizeX;
    const double slackY = kEdgeSlack * g.sizeY;
    for (int i = 0; i < g.countX; ++i) {
        const double x = position(g.x0, g.sizeX, i, g.countX);
        const double end = x <= innerX + slackX ? y1 : innerY;
        if (end > g.y0)
            visit(Conductor{{x, g.y0, g.depth}, {x, end, g.depth}, g.diameter, g.group});
    }
    for (int i = 0; i < g.countY; ++i) {
        const double y = position(g.y0, g.sizeY, i, g.countY);
        const double end = y <= innerY + slackY ? x1 : innerX;
        if (end > g.x0)
            visit(Conductor{{g.x0, y, g.depth}, {end, y, g.depth}, g.diameter, g.group});
    }
    // The two edges along the cut close the L's perimeter, as a rectangle's outer lines
    // close its own, and join the lines cut short there; unless a grid line is one already.
    if (!lineAt(g.x0, g.sizeX, g.countX, innerX, slackX))
        visit(Conductor{{innerX, innerY, g.depth}, {innerX, y1, g.depth}, g.diameter, g.group});
    if (!lineAt(g.y0, g.sizeY, g.countY, innerY, slackY))
        visit(Conductor{{innerX, innerY, g.depth}, {x1, innerY, g.depth}, g.diameter, g.group});
}

} // namespace

double count(const LShapedGrid &l) {
    double n = 0;
    forEachOfL(l, [&n](const Conductor &) { ++n; });
    return n;
}

std::vector<Conductor> lGrid(const LShapedGrid &l) {
    std::vector<Conductor> conductors;
    forEachOfL(l, [&conductors](const Conductor &c) { conductors.push_back(c); });
    return conductors;
}

std::vector<Point2> lCornerPoints(const LShapedGrid &l) {
    const RectangularGrid &g = l.bounds;
    const double x1 = g.x0 + g.sizeX;
    const double y1 = g.y0 + g.sizeY;
    return {{g.x0, g.y0},      {x1, g.y0}, {x1, y1 - l.cutY}, {x1 - l.cutX, y1 - l.cutY},
            {x1 - l.cutX, y1}, {g.x0, y1}};
}

std::vector<Point2> lPerimeterPoints(const LShapedGrid &grid, int count) {
    return alongPolygon(lCornerPoints(grid), count);
}

double count(const RodRing &r) {
    return 2. * std::max(0, r.count); // as many sides as rods
}

std::vector<Conductor> ring(const RodRing &r) {
    std::vector<Point2> at;
    for (int k = 0; k < r.count; ++k) {
        const double angle = 2 * kPi * k / r.count;
        at.push_back(
            {r.centre.x + r.radius * std::cos(angle), r.centre.y + r.radius * std::sin(angle)});
    }
    std::vector<Conductor> conductors;
    for (std::size_t k = 0; k < at.size(); ++k) {
        const Point2 &a = at[k];
        const Point2 &b = at[(k + 1) % at.size()];
        conductors.push_back({{a.x, a.y, r.depth}, {b.x, b.y, r.depth}, r.diameter, r.group});
    }
    for (const Conductor &c : rods(at, r.depth, r.rodLength, r.rodDiameter, r.group))
        conductors.push_back(c);
    return conductors;
}

namespace {

// The fence's corners round the plan's bounding rectangle of the group 0 conductors among
// around; false when there is none or no spacing to divide its sides by.
bool fenceCorners(const Fence &f, const std::vector<Conductor> &around, Point2 (&corners)[4]) {
    bool any = false;
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    for (const Conductor &c : around) {
        if (c.group != 0)
            continue;
        for (const Point3 &p : {c.from, c.to}) {
            x0 = any ? std::min(x0, p.x) : p.x;
            x1 = any ? std::max(x1, p.x) : p.x;
            y0 = any ? std::min(y0, p.y) : p.y;
            y1 = any ? std::max(y1, p.y) : p.y;
            any = true;
        }
    }
    if (!any || !(f.spacing > 0))
        return false;
    x0 -= f.distance;
    y0 -= f.distance;
    x1 += f.distance;
    y1 += f.distance;
    corners[0] = {x0, y0};
    corners[1] = {x1, y0};
    corners[2] = {x1, y1};
    corners[3] = {x0, y1};
    return true;
}

// The gaps between posts along a side, at least one; the slack keeps a side that the
// spacing divides from gaining a post. In double precision: a spacing of a nanometre along
// a long side gives more gaps than an int holds.
double gapsAlong(const Point2 &a, const Point2 &b, double spacing) {
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    return std::max(1., std::ceil(length / spacing * (1 - kEdgeSlack)));
}

} // namespace

namespace {

// The sides of a fence's outline, the closing one too when it closes; none without a
// spacing to divide them by.
std::vector<std::pair<Point2, Point2>> outlineSides(const Fence &f) {
    std::vector<std::pair<Point2, Point2>> sides;
    const std::size_t n = f.outline.size();
    if (!(f.spacing > 0) || n < 2)
        return sides;
    for (std::size_t k = 0, count = f.closed ? n : n - 1; k < count; ++k)
        sides.emplace_back(f.outline[k], f.outline[(k + 1) % n]);
    return sides;
}

} // namespace

double count(const Fence &f, const std::vector<Conductor> &around) {
    if (!f.outline.empty()) {
        const std::vector<std::pair<Point2, Point2>> sides = outlineSides(f);
        double posts = sides.empty() || f.closed ? 0 : 1; // the open end's
        for (const auto &[a, b] : sides)
            posts += gapsAlong(a, b, f.spacing);
        return posts;
    }
    Point2 corners[4];
    if (!fenceCorners(f, around, corners))
        return 0;
    double posts = 0;
    for (int side = 0; side < 4; ++side)
        posts += gapsAlong(corners[side], corners[(side + 1) % 4], f.spacing);
    return posts;
}

std::vector<Conductor> fence(const Fence &f, const std::vector<Conductor> &around) {
    std::vector<Point2> at;
    if (!f.outline.empty()) {
        const std::vector<std::pair<Point2, Point2>> sides = outlineSides(f);
        for (const auto &[a, b] : sides) {
            const int gaps = int(gapsAlong(a, b, f.spacing)); // within the count's limit
            for (int k = 0; k < gaps; ++k)
                at.push_back({a.x + (b.x - a.x) * k / gaps, a.y + (b.y - a.y) * k / gaps});
        }
        if (!sides.empty() && !f.closed)
            at.push_back(f.outline.back());
        return rods(at, f.top, f.length, f.diameter, f.group);
    }
    Point2 corners[4];
    if (!fenceCorners(f, around, corners))
        return {};
    for (int side = 0; side < 4; ++side) {
        const Point2 &a = corners[side];
        const Point2 &b = corners[(side + 1) % 4];
        const int gaps = int(gapsAlong(a, b, f.spacing)); // within the count's limit
        for (int k = 0; k < gaps; ++k)
            at.push_back({a.x + (b.x - a.x) * k / gaps, a.y + (b.y - a.y) * k / gaps});
    }
    return rods(at, f.top, f.length, f.diameter, f.group);
}

std::vector<Point2> fenceCorners(const Fence &f, const std::vector<Conductor> &around) {
    if (!f.outline.empty())
        return outlineSides(f).empty() ? std::vector<Point2>{} : f.outline;
    Point2 corners[4];
    if (!fenceCorners(f, around, corners))
        return {};
    return {corners[0], corners[1], corners[2], corners[3]};
}

} // namespace tav::earthing::ConductorLayout
