#include "core/earthing/NearConductors.h"

#include <algorithm>
#include <cmath>

namespace tav::earthing {

namespace {

// Every conductor's plan at most step apart, both ends included; a vertical one is a point.
void sample(const std::vector<Conductor> &conductors, double step, std::vector<double> &x,
            std::vector<double> &y, std::vector<int> &first) {
    for (std::size_t k = 0; k < conductors.size(); ++k) {
        const Conductor &c = conductors[k];
        first.push_back(int(x.size()));
        const double dx = c.to.x - c.from.x;
        const double dy = c.to.y - c.from.y;
        const double parts = std::ceil(std::hypot(dx, dy) / step);
        const int n = parts >= 1 ? int(parts) : 0;
        for (int i = 0; i <= n; ++i) {
            const double t = n == 0 ? 0 : double(i) / n;
            x.push_back(c.from.x + dx * t);
            y.push_back(c.from.y + dy * t);
        }
    }
    first.push_back(int(x.size()));
}

} // namespace

// Two conductors within the reach have points that close in plan; a sample of each lies
// within half a step of its point, so the two samples lie within step + reach, which one
// cell and its neighbours cover. The cell never falls below a millionth of the farthest
// coordinate, so that a cell's number stays well inside a long.
double NearConductors::cellSize(const std::vector<Conductor> &conductors, double step,
                                double reach) {
    double farthest = 0;
    for (const Conductor &c : conductors)
        for (double v : {c.from.x, c.from.y, c.to.x, c.to.y})
            farthest = std::max(farthest, std::abs(v));
    return std::max({step + reach, 1e-6 * farthest, 1e-9});
}

NearConductors::NearConductors(const std::vector<Conductor> &conductors, double step,
                               double reach)
    : m_index({}, {}, 1) {
    const double cell = cellSize(conductors, step, reach);
    std::vector<double> x;
    std::vector<double> y;
    // No finer than the cell's share of step: samples beyond it buy nothing.
    sample(conductors, std::max(step, cell - reach), x, y, m_first);
    for (std::size_t k = 0; k + 1 < m_first.size(); ++k)
        for (int s = m_first[k]; s < m_first[k + 1]; ++s)
            m_samples.push_back({x[std::size_t(s)], y[std::size_t(s)], int(k)});
    m_index = SpatialIndex(x, y, cell);
}

std::vector<int> NearConductors::after(int conductor) const {
    std::vector<int> near;
    const auto c = std::size_t(conductor);
    for (int s = m_first[c]; s < m_first[c + 1]; ++s) {
        const Sample &at = m_samples[std::size_t(s)];
        m_index.near(at.x, at.y, [&](int item) {
            const int other = m_samples[std::size_t(item)].conductor;
            if (other > conductor)
                near.push_back(other);
        });
    }
    std::sort(near.begin(), near.end());
    near.erase(std::unique(near.begin(), near.end()), near.end());
    return near;
}

} // namespace tav::earthing
