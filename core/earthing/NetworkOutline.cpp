#include "core/earthing/NetworkOutline.h"

#include "core/earthing/PlanPolygon.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>

namespace tav::earthing::NetworkOutline {

namespace {

// About a million nodes: a few tens of megabytes, and a fraction of a second.
constexpr double kMostNodes = double(1 << 20);

struct Segment {
    Point2 a, b;
};

// The raster: each node's distance to the nearest conductor in plan, which lattice edges
// a conductor crosses, and which nodes the open ground reaches from the rim.
class Lattice {
public:
    Lattice(const std::vector<Segment> &segments, Point2 low, Point2 high, double reach);
    // The longest loop of the boundary between open ground and the rest, anticlockwise.
    std::vector<Point2> boundary() const;
    double step() const { return m_step; }

private:
    std::size_t at(int i, int j) const {
        return std::size_t(j) * std::size_t(m_nx) + std::size_t(i);
    }
    std::size_t across(int i, int j) const { // the edge from (i, j) to (i + 1, j)
        return std::size_t(j) * std::size_t(m_nx - 1) + std::size_t(i);
    }
    std::size_t up(int i, int j) const { // the edge from (i, j) to (i, j + 1)
        return m_acrossCount + at(i, j);
    }
    Point2 node(int i, int j) const { return {m_x0 + i * m_step, m_y0 + j * m_step}; }
    void measure(const Segment &s);
    void block(const Segment &s);
    void flood();
    // Above nought on open ground, else at or below it; nought on the reach's edge.
    double value(int i, int j) const;
    Point2 crossing(std::size_t edge) const;
    std::vector<std::int64_t> links() const;

    double m_reach;
    double m_step;
    double m_x0 = 0, m_y0 = 0;
    int m_nx = 0, m_ny = 0;
    std::size_t m_acrossCount = 0;
    std::vector<double> m_distance;
    std::vector<char> m_blocked; // across edges, then up edges
    std::vector<char> m_open;
};

Lattice::Lattice(const std::vector<Segment> &segments, Point2 low, Point2 high, double reach)
    : m_reach(reach) {
    const double width = high.x - low.x;
    const double height = high.y - low.y;
    m_step = NetworkOutline::step(width + 2 * reach, height + 2 * reach, reach);
    // Open ground all round the rim, so that the flood starts from every side.
    const double pad = reach + 3 * m_step;
    m_x0 = low.x - pad;
    m_y0 = low.y - pad;
    m_nx = int(std::ceil((width + 2 * pad) / m_step)) + 1;
    m_ny = int(std::ceil((height + 2 * pad) / m_step)) + 1;
    m_acrossCount = std::size_t(m_nx - 1) * std::size_t(m_ny);
    m_distance.assign(std::size_t(m_nx) * std::size_t(m_ny), reach + 4 * m_step);
    m_blocked.assign(m_acrossCount + std::size_t(m_nx) * std::size_t(m_ny - 1), 0);
    for (const Segment &s : segments) {
        measure(s);
        block(s);
    }
    flood();
}

void Lattice::measure(const Segment &s) {
    // Only the nodes near enough to matter, piece by piece so that a long diagonal
    // conductor does not sweep its whole box.
    const double near = m_reach + 2 * m_step;
    const double length = std::hypot(s.b.x - s.a.x, s.b.y - s.a.y);
    const int pieces = std::max(1, int(std::ceil(length / (4 * near))));
    for (int p = 0; p < pieces; ++p) {
        const double t0 = double(p) / pieces;
        const double t1 = double(p + 1) / pieces;
        const Point2 u{s.a.x + (s.b.x - s.a.x) * t0, s.a.y + (s.b.y - s.a.y) * t0};
        const Point2 v{s.a.x + (s.b.x - s.a.x) * t1, s.a.y + (s.b.y - s.a.y) * t1};
        const int i0 = std::max(0, int(std::floor((std::min(u.x, v.x) - near - m_x0) / m_step)));
        const int i1 =
            std::min(m_nx - 1, int(std::ceil((std::max(u.x, v.x) + near - m_x0) / m_step)));
        const int j0 = std::max(0, int(std::floor((std::min(u.y, v.y) - near - m_y0) / m_step)));
        const int j1 =
            std::min(m_ny - 1, int(std::ceil((std::max(u.y, v.y) + near - m_y0) / m_step)));
        for (int j = j0; j <= j1; ++j)
            for (int i = i0; i <= i1; ++i) {
                double &d = m_distance[at(i, j)];
                d = std::min(d, PlanPolygon::distanceToSegment(node(i, j), s.a, s.b));
            }
    }
}

void Lattice::block(const Segment &s) {
    // The lattice's rows the conductor crosses, then its columns: the flood may not pass
    // between two nodes on either side of it, however thin the reach.
    if (s.a.y != s.b.y) {
        const int j0 = std::max(0, int(std::ceil((std::min(s.a.y, s.b.y) - m_y0) / m_step)));
        const int j1 =
            std::min(m_ny - 1, int(std::floor((std::max(s.a.y, s.b.y) - m_y0) / m_step)));
        for (int j = j0; j <= j1; ++j) {
            const double t = (m_y0 + j * m_step - s.a.y) / (s.b.y - s.a.y);
            const double x = s.a.x + t * (s.b.x - s.a.x);
            const int i = std::clamp(int(std::floor((x - m_x0) / m_step)), 0, m_nx - 2);
            m_blocked[across(i, j)] = 1;
        }
    }
    if (s.a.x != s.b.x) {
        const int i0 = std::max(0, int(std::ceil((std::min(s.a.x, s.b.x) - m_x0) / m_step)));
        const int i1 =
            std::min(m_nx - 1, int(std::floor((std::max(s.a.x, s.b.x) - m_x0) / m_step)));
        for (int i = i0; i <= i1; ++i) {
            const double t = (m_x0 + i * m_step - s.a.x) / (s.b.x - s.a.x);
            const double y = s.a.y + t * (s.b.y - s.a.y);
            const int j = std::clamp(int(std::floor((y - m_y0) / m_step)), 0, m_ny - 2);
            m_blocked[up(i, j)] = 1;
        }
    }
}

void Lattice::flood() {
    m_open.assign(m_distance.size(), 0);
    std::deque<std::pair<int, int>> queue;
    const auto visit = [&](int i, int j) {
        const std::size_t k = at(i, j);
        if (!m_open[k] && m_distance[k] > m_reach) {
            m_open[k] = 1;
            queue.emplace_back(i, j);
        }
    };
    for (int i = 0; i < m_nx; ++i) {
        visit(i, 0);
        visit(i, m_ny - 1);
    }
    for (int j = 0; j < m_ny; ++j) {
        visit(0, j);
        visit(m_nx - 1, j);
    }
    while (!queue.empty()) {
        const auto [i, j] = queue.front();
        queue.pop_front();
        if (i + 1 < m_nx && !m_blocked[across(i, j)])
            visit(i + 1, j);
        if (i > 0 && !m_blocked[across(i - 1, j)])
            visit(i - 1, j);
        if (j + 1 < m_ny && !m_blocked[up(i, j)])
            visit(i, j + 1);
        if (j > 0 && !m_blocked[up(i, j - 1)])
            visit(i, j - 1);
    }
}

double Lattice::value(int i, int j) const {
    const std::size_t k = at(i, j);
    const double beyond = m_distance[k] - m_reach;
    // A mesh's inside, shut off from the open ground by its conductors, counts below
    // nought by its distance from them, so that the boundary falls on the conductor.
    return m_open[k] ? beyond : -std::abs(beyond);
}

Point2 Lattice::crossing(std::size_t edge) const {
    int i = 0, j = 0, di = 0, dj = 0;
    if (edge < m_acrossCount) {
        i = int(edge % std::size_t(m_nx - 1));
        j = int(edge / std::size_t(m_nx - 1));
        di = 1;
    } else {
        i = int((edge - m_acrossCount) % std::size_t(m_nx));
        j = int((edge - m_acrossCount) / std::size_t(m_nx));
        dj = 1;
    }
    const double u = value(i, j);
    const double v = value(i + di, j + dj);
    const double t = u == v ? 0.5 : std::clamp(u / (u - v), 0., 1.);
    const Point2 p = node(i, j);
    return {p.x + t * di * m_step, p.y + t * dj * m_step};
}

// For each lattice edge where the boundary comes in, the edge where it goes on, the
// covered ground on its left (marching squares).
std::vector<std::int64_t> Lattice::links() const {
    std::vector<std::int64_t> next(m_blocked.size(), -1);
    for (int j = 0; j + 1 < m_ny; ++j)
        for (int i = 0; i + 1 < m_nx; ++i) {
            // The corners and edges anticlockwise from the lower left.
            const bool in[4] = {!m_open[at(i, j)], !m_open[at(i + 1, j)], !m_open[at(i + 1, j + 1)],
                                !m_open[at(i, j + 1)]};
            if (in[0] == in[1] && in[1] == in[2] && in[2] == in[3])
                continue;
            const std::size_t edges[4] = {across(i, j), up(i + 1, j), across(i, j + 1), up(i, j)};
            std::size_t cut[4];
            bool leaving[4];
            int count = 0;
            for (int q = 0; q < 4; ++q)
                if (in[q] != in[(q + 1) % 4]) {
                    cut[count] = edges[q];
                    leaving[count++] = in[q];
                }
            // A saddle joins its covered corners through the middle when the middle is
            // covered, else cuts each off alone.
            const bool joined =
                value(i, j) + value(i + 1, j) + value(i + 1, j + 1) + value(i, j + 1) <= 0;
            for (int c = 0; c < count; ++c)
                if (leaving[c]) {
                    const int to =
                        count == 4 && !joined ? (c + count - 1) % count : (c + 1) % count;
                    next[cut[c]] = std::int64_t(cut[to]);
                }
        }
    return next;
}

std::vector<Point2> Lattice::boundary() const {
    const std::vector<std::int64_t> next = links();
    std::vector<char> seen(next.size(), 0);
    std::vector<Point2> longest;
    double largest = 0;
    for (std::size_t start = 0; start < next.size(); ++start) {
        if (next[start] < 0 || seen[start])
            continue;
        std::vector<Point2> loop;
        for (std::size_t e = start; !seen[e] && next[e] >= 0; e = std::size_t(next[e])) {
            seen[e] = 1;
            loop.push_back(crossing(e));
        }
        const double a = PlanPolygon::area(loop);
        if (a > largest) {
            largest = a;
            longest = std::move(loop);
        }
    }
    return longest;
}

double offLine(Point2 p, Point2 a, Point2 b) {
    return PlanPolygon::distanceToSegment(p, a, b);
}

// Douglas and Peucker's simplification of the chain from corners[first] to corners[last].
void keepFar(const std::vector<Point2> &corners, std::size_t first, std::size_t last,
             double tolerance, std::vector<char> &keep) {
    std::vector<std::pair<std::size_t, std::size_t>> stack{{first, last}};
    while (!stack.empty()) {
        const auto [a, b] = stack.back();
        stack.pop_back();
        double farthest = 0;
        std::size_t at = a;
        for (std::size_t k = a + 1; k < b; ++k) {
            const double d = offLine(corners[k], corners[a], corners[b % corners.size()]);
            if (d > farthest) {
                farthest = d;
                at = k;
            }
        }
        if (farthest > tolerance) {
            keep[at] = 1;
            stack.emplace_back(a, at);
            stack.emplace_back(at, b);
        }
    }
}

std::vector<Point2> simplified(const std::vector<Point2> &corners, double tolerance) {
    const std::size_t n = corners.size();
    // Split the loop at its first corner and the corner farthest from it.
    std::size_t far = 0;
    double farthest = -1;
    for (std::size_t k = 0; k < n; ++k) {
        const double d = std::hypot(corners[k].x - corners[0].x, corners[k].y - corners[0].y);
        if (d > farthest) {
            farthest = d;
            far = k;
        }
    }
    std::vector<char> keep(n, 0);
    keep[0] = keep[far] = 1;
    keepFar(corners, 0, far, tolerance, keep);
    keepFar(corners, far, n, tolerance, keep);
    std::vector<Point2> kept;
    for (std::size_t k = 0; k < n; ++k)
        if (keep[k])
            kept.push_back(corners[k]);
    return kept;
}

std::vector<Point2> withoutRepeats(const std::vector<Point2> &loop, double slack) {
    std::vector<Point2> out;
    for (const Point2 &p : loop)
        if (out.empty() || std::hypot(p.x - out.back().x, p.y - out.back().y) > slack)
            out.push_back(p);
    while (out.size() > 1 &&
           std::hypot(out.front().x - out.back().x, out.front().y - out.back().y) <= slack)
        out.pop_back();
    return out;
}

} // namespace

double step(double width, double height, double reach) {
    const double extent = std::max(width, height);
    double s = reach > 0 ? reach / 5 : extent / 500;
    if (!(s > 0))
        return 0;
    // The rim's few steps of open ground and the reach's ten counted in, coarser steps
    // until the lattice fits.
    while ((width / s + 16) * (height / s + 16) > kMostNodes)
        s *= 1.05;
    return s;
}

std::vector<Point2> of(const std::vector<Conductor> &network, double reach) {
    if (network.empty() || !(reach >= 0))
        return {};
    std::vector<Segment> segments;
    Point2 low{network[0].from.x, network[0].from.y};
    Point2 high = low;
    for (const Conductor &c : network) {
        segments.push_back({{c.from.x, c.from.y}, {c.to.x, c.to.y}});
        for (const Point3 &p : {c.from, c.to}) {
            low = {std::min(low.x, p.x), std::min(low.y, p.y)};
            high = {std::max(high.x, p.x), std::max(high.y, p.y)};
        }
    }
    if (!(NetworkOutline::step(high.x - low.x + 2 * reach, high.y - low.y + 2 * reach, reach) > 0))
        return {};
    const Lattice lattice(segments, low, high, reach);
    const double extent = std::max(high.x - low.x, high.y - low.y) + 2 * reach;
    const std::vector<Point2> traced = withoutRepeats(lattice.boundary(), 1e-9 * extent);
    if (traced.size() < 3)
        return {};
    // Corners in a line dropped, no corner moved by more than a fiftieth of a step (a
    // 250th of the reach): the area within that times the perimeter. A polygon past the
    // cap, or one the simplification made cross itself, takes a coarser tolerance.
    for (double tolerance = 0.02 * lattice.step(); tolerance < extent; tolerance *= 2) {
        std::vector<Point2> corners = simplified(traced, tolerance);
        if (corners.size() < 3)
            break;
        if (corners.size() <= PlanPolygon::kMostCorners && !PlanPolygon::selfCrossing(corners))
            return corners;
    }
    // Never expected; the hull still holds all the network covers.
    return PlanPolygon::convexHull(traced);
}

} // namespace tav::earthing::NetworkOutline
