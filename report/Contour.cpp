#include "report/Contour.h"

#include <cmath>

namespace {

using tav::earthing::RasterGrid;

// The crossing between two nodes, a at t = 0 and b at t = 1.
double crossing(double a, double b, double level) {
    return b == a ? 0.5 : (level - a) / (b - a);
}

} // namespace

QVector<QLineF> Contour::lines(const RasterGrid &grid, const std::vector<double> &values,
                               double level) {
    QVector<QLineF> out;
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
            const QPointF c[4] = {{grid.x(i), grid.y(j)},
                                  {grid.x(i + 1), grid.y(j)},
                                  {grid.x(i + 1), grid.y(j + 1)},
                                  {grid.x(i), grid.y(j + 1)}};
            int mask = 0;
            for (int k = 0; k < 4; ++k)
                if (v[k] >= level)
                    mask |= 1 << k;
            if (mask == 0 || mask == 15)
                continue;
            // The crossing on edge k, from corner k to corner k + 1.
            const auto edge = [&](int k) {
                const int n = (k + 1) % 4;
                const double t = crossing(v[k], v[n], level);
                return c[k] + t * (c[n] - c[k]);
            };
            QVector<int> crossed; // the edges whose ends lie on both sides
            for (int k = 0; k < 4; ++k)
                if (((mask >> k) & 1) != ((mask >> ((k + 1) % 4)) & 1))
                    crossed.push_back(k);
            if (crossed.size() == 2) {
                out.push_back(QLineF(edge(crossed[0]), edge(crossed[1])));
                continue;
            }
            // A saddle: corners 0 and 2 on one side, 1 and 3 on the other. If the mean is
            // on the side of corner 0, the two high (or low) corners 0 and 2 join
            // through the middle, and the lines cut off corners 1 and 3.
            const bool zeroSide = ((mask & 1) != 0) == ((v[0] + v[1] + v[2] + v[3]) / 4 >= level);
            if (zeroSide) {
                out.push_back(QLineF(edge(0), edge(1)));
                out.push_back(QLineF(edge(2), edge(3)));
            } else {
                out.push_back(QLineF(edge(3), edge(0)));
                out.push_back(QLineF(edge(1), edge(2)));
            }
        }
    return out;
}
