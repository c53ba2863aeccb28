#include "core/earthing/PlanPolygon.h"

#include <algorithm>
#include <cmath>

namespace tav::earthing::PlanPolygon {

namespace {

double cross(Point2 o, Point2 a, Point2 b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

Point2 nearestOnSegment(Point2 p, Point2 a, Point2 b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
    t = std::clamp(t, 0., 1.);
    return {a.x + t * dx, a.y + t * dy};
}

bool onSegment(Point2 p, Point2 a, Point2 b) {
    return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
           p.y <= std::max(a.y, b.y);
}

int sign(double v) {
    return (v > 0) - (v < 0);
}

// Closed segments ab and cd share a point.
bool segmentsMeet(Point2 a, Point2 b, Point2 c, Point2 d) {
    const int d1 = sign(cross(c, d, a));
    const int d2 = sign(cross(c, d, b));
    const int d3 = sign(cross(a, b, c));
    const int d4 = sign(cross(a, b, d));
    if (d1 * d2 < 0 && d3 * d4 < 0)
        return true;
    return (d1 == 0 && onSegment(a, c, d)) || (d2 == 0 && onSegment(b, c, d)) ||
           (d3 == 0 && onSegment(c, a, b)) || (d4 == 0 && onSegment(d, a, b));
}

} // namespace

double distanceToSegment(Point2 p, Point2 a, Point2 b) {
    const Point2 q = nearestOnSegment(p, a, b);
    return std::hypot(p.x - q.x, p.y - q.y);
}

double area(const std::vector<Point2> &corners) {
    double twice = 0;
    for (std::size_t k = 0, n = corners.size(); k < n; ++k) {
        const Point2 &a = corners[k];
        const Point2 &b = corners[(k + 1) % n];
        twice += a.x * b.y - b.x * a.y;
    }
    return 0.5 * twice;
}

bool contains(const std::vector<Point2> &corners, Point2 p, double slack) {
    const std::size_t n = corners.size();
    if (n < 3)
        return false;
    bool inside = false;
    for (std::size_t k = 0, j = n - 1; k < n; j = k++) {
        const Point2 &a = corners[k];
        const Point2 &b = corners[j];
        if (distanceToSegment(p, a, b) <= slack)
            return true;
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

double distanceToEdges(const std::vector<Point2> &corners, Point2 p, bool open) {
    double least = INFINITY;
    const std::size_t n = corners.size();
    if (open && n == 1)
        return std::hypot(p.x - corners[0].x, p.y - corners[0].y);
    for (std::size_t k = 0, edges = open ? n - 1 : n; k < edges; ++k)
        least = std::min(least, distanceToSegment(p, corners[k], corners[(k + 1) % n]));
    return least;
}

Point2 nearestOnEdges(const std::vector<Point2> &corners, Point2 p, bool open) {
    Point2 best = corners.empty() ? p : corners[0];
    double least = INFINITY;
    const std::size_t n = corners.size();
    for (std::size_t k = 0, edges = open && n > 1 ? n - 1 : n; k < edges; ++k) {
        const Point2 q = nearestOnSegment(p, corners[k], corners[(k + 1) % n]);
        const double d = std::hypot(p.x - q.x, p.y - q.y);
        if (d < least) {
            least = d;
            best = q;
        }
    }
    return best;
}

bool selfCrossing(const std::vector<Point2> &corners) {
    const std::size_t n = corners.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Point2 &a = corners[i];
        const Point2 &b = corners[(i + 1) % n];
        for (std::size_t j = i + 1; j < n; ++j) {
            const Point2 &c = corners[j];
            const Point2 &d = corners[(j + 1) % n];
            const bool neighbours = j == i + 1 || (i == 0 && j == n - 1);
            if (!neighbours) {
                if (segmentsMeet(a, b, c, d))
                    return true;
                continue;
            }
            // Neighbours share a corner; they cross only by folding back along each other.
            const Point2 &shared = j == i + 1 ? b : a;
            const Point2 &p = j == i + 1 ? a : b;
            const Point2 &q = j == i + 1 ? d : c;
            const bool collinear = cross(shared, p, q) == 0;
            const bool back =
                (p.x - shared.x) * (q.x - shared.x) + (p.y - shared.y) * (q.y - shared.y) > 0;
            if (collinear && back)
                return true;
        }
    }
    return false;
}

Rectangle bounds(const std::vector<Point2> &corners) {
    if (corners.empty())
        return {};
    Rectangle r{corners[0].x, corners[0].y, corners[0].x, corners[0].y};
    for (const Point2 &p : corners) {
        r.x0 = std::min(r.x0, p.x);
        r.y0 = std::min(r.y0, p.y);
        r.x1 = std::max(r.x1, p.x);
        r.y1 = std::max(r.y1, p.y);
    }
    return r;
}

// Andrew's monotone chain.
std::vector<Point2> convexHull(std::vector<Point2> points) {
    std::sort(points.begin(), points.end(),
              [](Point2 a, Point2 b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    points.erase(std::unique(points.begin(), points.end(),
                             [](Point2 a, Point2 b) { return a.x == b.x && a.y == b.y; }),
                 points.end());
    if (points.size() < 3)
        return points;
    std::vector<Point2> hull(2 * points.size());
    std::size_t k = 0;
    for (const Point2 &p : points) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], p) <= 0)
            --k;
        hull[k++] = p;
    }
    for (std::size_t i = points.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && cross(hull[k - 2], hull[k - 1], points[i]) <= 0)
            --k;
        hull[k++] = points[i];
    }
    hull.resize(k - 1);
    return hull;
}

std::vector<Point2> circle(Point2 centre, double radius, int count) {
    std::vector<Point2> corners;
    for (int k = 0; k < count; ++k) {
        const double a = 2 * M_PI * k / count;
        corners.push_back({centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)});
    }
    return corners;
}

} // namespace tav::earthing::PlanPolygon
