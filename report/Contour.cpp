#include "report/Contour.h"

#include <cmath>
#include <unordered_map>

namespace {

using tav::earthing::RasterGrid;

// The crossing between two nodes, a at t = 0 and b at t = 1.
double crossing(double a, double b, double level) {
    return b == a ? 0.5 : (level - a) / (b - a);
}

// An edge of the raster by the node it starts from and its direction, so that the two cells
// that share it name it alike: 2k along +x from node k, 2k + 1 along +y.
long long edgeId(const RasterGrid &grid, int i, int j, bool alongY) {
    return 2 * (static_cast<long long>(j) * grid.nx + i) + (alongY ? 1 : 0);
}

} // namespace

std::vector<Contour::Piece> Contour::pieces(const RasterGrid &grid,
                                            const std::vector<double> &values, double level) {
    std::vector<Piece> out;
    if (values.size() != grid.size() || !std::isfinite(level))
        return out;
    const auto at = [&](int i, int j) { return values[std::size_t(j) * grid.nx + i]; };
    for (int j = 0; j + 1 < grid.ny; ++j)
        for (int i = 0; i + 1 < grid.nx; ++i) {
            // Corners counter-clockwise from the lower left.
            const double v[4] = {at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1)};
            if (!std::isfinite(v[0]) || !std::isfinite(v[1]) || !std::isfinite(v[2]) ||
                !std::isfinite(v[3]))
                continue;
            int mask = 0;
            for (int k = 0; k < 4; ++k)
                if (v[k] >= level)
                    mask |= 1 << k;
            if (mask == 0 || mask == 15)
                continue;
            // Edge k runs from corner k to corner k + 1: bottom, right, top, left.
            const long long edge[4] = {edgeId(grid, i, j, false), edgeId(grid, i + 1, j, true),
                                       edgeId(grid, i, j + 1, false), edgeId(grid, i, j, true)};
            int crossed[4];
            int count = 0; // the edges whose ends lie on both sides
            for (int k = 0; k < 4; ++k)
                if (((mask >> k) & 1) != ((mask >> ((k + 1) % 4)) & 1))
                    crossed[count++] = k;
            if (count == 2) {
                out.push_back({edge[crossed[0]], edge[crossed[1]]});
                continue;
            }
            // A saddle: corners 0 and 2 on one side, 1 and 3 on the other. If the mean is
            // on the side of corner 0, the two high (or low) corners 0 and 2 join
            // through the middle, and the lines cut off corners 1 and 3.
            const bool zeroSide = ((mask & 1) != 0) == ((v[0] + v[1] + v[2] + v[3]) / 4 >= level);
            if (zeroSide) {
                out.push_back({edge[0], edge[1]});
                out.push_back({edge[2], edge[3]});
            } else {
                out.push_back({edge[3], edge[0]});
                out.push_back({edge[1], edge[2]});
            }
        }
    return out;
}

QPointF Contour::crossingOf(const RasterGrid &grid, const std::vector<double> &values, double level,
                            long long edge) {
    const long long node = edge / 2;
    const int i = int(node % grid.nx);
    const int j = int(node / grid.nx);
    const bool alongY = edge % 2 == 1;
    const int i1 = alongY ? i : i + 1;
    const int j1 = alongY ? j + 1 : j;
    const double t = crossing(values[std::size_t(j) * grid.nx + i],
                              values[std::size_t(j1) * grid.nx + i1], level);
    const QPointF a(grid.x(i), grid.y(j));
    return a + t * (QPointF(grid.x(i1), grid.y(j1)) - a);
}

QVector<QLineF> Contour::lines(const RasterGrid &grid, const std::vector<double> &values,
                               double level) {
    QVector<QLineF> out;
    for (const Piece &p : pieces(grid, values, level))
        out.push_back(
            QLineF(crossingOf(grid, values, level, p.from), crossingOf(grid, values, level, p.to)));
    return out;
}

// Each edge is shared by at most two cells, so every edge has at most two pieces: the
// lines are walked from edge to edge, open ones from an end with one piece first.
QVector<QPolygonF> Contour::polylines(const RasterGrid &grid, const std::vector<double> &values,
                                      double level) {
    const std::vector<Piece> all = pieces(grid, values, level);
    std::unordered_multimap<long long, std::size_t> byEdge;
    for (std::size_t k = 0; k < all.size(); ++k) {
        byEdge.emplace(all[k].from, k);
        byEdge.emplace(all[k].to, k);
    }
    std::vector<char> used(all.size(), 0);
    QVector<QPolygonF> out;
    const auto walk = [&](std::size_t first, long long start) {
        QPolygonF line;
        line << crossingOf(grid, values, level, start);
        long long edge = start;
        std::size_t piece = first;
        while (!used[piece]) {
            used[piece] = 1;
            edge = all[piece].from == edge ? all[piece].to : all[piece].from;
            line << crossingOf(grid, values, level, edge);
            const auto [b, e] = byEdge.equal_range(edge);
            for (auto it = b; it != e; ++it)
                if (!used[it->second])
                    piece = it->second;
        }
        out.push_back(line);
    };
    for (std::size_t k = 0; k < all.size(); ++k)
        for (long long end : {all[k].from, all[k].to})
            if (!used[k] && byEdge.count(end) == 1)
                walk(k, end);
    for (std::size_t k = 0; k < all.size(); ++k)
        if (!used[k])
            walk(k, all[k].from);
    return out;
}
