#include "core/earthing/SafetySearch.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tav::earthing {

namespace {

constexpr int kCandidates = 4;
constexpr int kDirections = 16;  // over half a turn
constexpr double kFinest = 1e-3; // m, and rad for the direction
constexpr double kLowest = -std::numeric_limits<double>::infinity();

double Clamp(double v, double lo, double hi) {
    return std::min(std::max(v, lo), hi);
}

} // namespace

SafetySearch::SafetySearch(const SurfaceField &field, const RasterGrid &grid,
                           const std::vector<double> &values, double gpr,
                           const Rectangle &touchArea, const Rectangle &stepArea)
    : m_field(field), m_grid(grid), m_values(values), m_gpr(gpr), m_touchArea(touchArea),
      m_stepArea(stepArea) {}

double SafetySearch::interpolated(double x, double y) const {
    const double fx = Clamp((x - m_grid.x0) / m_grid.step, 0, m_grid.nx - 1);
    const double fy = Clamp((y - m_grid.y0) / m_grid.step, 0, m_grid.ny - 1);
    const int i = std::min(int(fx), std::max(m_grid.nx - 2, 0));
    const int j = std::min(int(fy), std::max(m_grid.ny - 2, 0));
    const double tx = m_grid.nx > 1 ? fx - i : 0;
    const double ty = m_grid.ny > 1 ? fy - j : 0;
    const auto v = [&](int a, int b) {
        return m_values[std::size_t(std::min(b, m_grid.ny - 1)) * m_grid.nx +
                        std::min(a, m_grid.nx - 1)];
    };
    return (1 - ty) * ((1 - tx) * v(i, j) + tx * v(i + 1, j)) +
           ty * ((1 - tx) * v(i, j + 1) + tx * v(i + 1, j + 1));
}

// The raster nodes whose score no neighbour beats, best first, at most count of them.
std::vector<int> SafetySearch::localMaxima(const std::vector<double> &score, int count) const {
    std::vector<int> maxima;
    for (int j = 0; j < m_grid.ny; ++j)
        for (int i = 0; i < m_grid.nx; ++i) {
            const double s = score[std::size_t(j) * m_grid.nx + i];
            if (s == kLowest)
                continue;
            bool best = true;
            for (int b = std::max(j - 1, 0); b <= std::min(j + 1, m_grid.ny - 1) && best; ++b)
                for (int a = std::max(i - 1, 0); a <= std::min(i + 1, m_grid.nx - 1); ++a)
                    if (score[std::size_t(b) * m_grid.nx + a] > s) {
                        best = false;
                        break;
                    }
            if (best)
                maxima.push_back(j * m_grid.nx + i);
        }
    std::sort(maxima.begin(), maxima.end(), [&](int a, int b) { return score[a] > score[b]; });
    if (maxima.size() > std::size_t(count))
        maxima.resize(std::size_t(count));
    return maxima;
}

TouchMaximum SafetySearch::touch(const std::vector<PointResult> &points) const {
    std::vector<double> score(m_values.size(), kLowest);
    for (int j = 0; j < m_grid.ny; ++j)
        for (int i = 0; i < m_grid.nx; ++i)
            if (m_touchArea.contains(m_grid.x(i), m_grid.y(j)))
                score[std::size_t(j) * m_grid.nx + i] =
                    m_gpr - m_values[std::size_t(j) * m_grid.nx + i];
    TouchMaximum best;
    best.voltage = kLowest;
    for (int node : localMaxima(score, kCandidates)) {
        double x = m_grid.x(node % m_grid.nx);
        double y = m_grid.y(node / m_grid.nx);
        double value = score[std::size_t(node)];
        for (double h = 0.5 * m_grid.step; h >= kFinest; h *= 0.5) {
            bool moved = true;
            while (moved) {
                moved = false;
                const double moves[4][2] = {{h, 0}, {-h, 0}, {0, h}, {0, -h}};
                for (const auto &m : moves) {
                    const double cx = Clamp(x + m[0], m_touchArea.x0, m_touchArea.x1);
                    const double cy = Clamp(y + m[1], m_touchArea.y0, m_touchArea.y1);
                    const double t = m_gpr - m_field.potential(cx, cy);
                    if (t > value) {
                        value = t;
                        x = cx;
                        y = cy;
                        moved = true;
                    }
                }
            }
        }
        if (value > best.voltage)
            best = {value, {x, y}};
    }
    for (const PointResult &p : points)
        if (p.inTouchArea && p.touch > best.voltage)
            best = {p.touch, p.at};
    if (best.voltage == kLowest)
        best = {m_gpr - m_field.potential(m_touchArea.x0, m_touchArea.y0),
                {m_touchArea.x0, m_touchArea.y0}};
    return best;
}

StepMaximum SafetySearch::step() const {
    // Per node, the best of the directions on the interpolated raster.
    std::vector<double> score(m_values.size(), kLowest);
    std::vector<double> direction(m_values.size(), 0);
    for (int j = 0; j < m_grid.ny; ++j)
        for (int i = 0; i < m_grid.nx; ++i) {
            const double x = m_grid.x(i);
            const double y = m_grid.y(j);
            if (!m_stepArea.contains(x, y))
                continue;
            const std::size_t k = std::size_t(j) * m_grid.nx + i;
            for (int d = 0; d < kDirections; ++d) {
                const double theta = M_PI * d / kDirections;
                for (double sign : {1., -1.}) {
                    const double qx = x + sign * std::cos(theta);
                    const double qy = y + sign * std::sin(theta);
                    if (!m_stepArea.contains(qx, qy))
                        continue;
                    const double s = m_values[k] - interpolated(qx, qy);
                    if (s > score[k]) {
                        score[k] = s;
                        direction[k] = sign > 0 ? theta : theta + M_PI;
                    }
                }
            }
        }
    const auto value = [&](double x, double y, double theta) {
        const double qx = x + std::cos(theta);
        const double qy = y + std::sin(theta);
        if (!m_stepArea.contains(x, y) || !m_stepArea.contains(qx, qy))
            return kLowest;
        return m_field.potential(x, y) - m_field.potential(qx, qy);
    };
    StepMaximum best;
    best.voltage = kLowest;
    for (int node : localMaxima(score, kCandidates)) {
        double p[3] = {m_grid.x(node % m_grid.nx), m_grid.y(node / m_grid.nx),
                       direction[std::size_t(node)]};
        double v = value(p[0], p[1], p[2]);
        for (double h = 0.5 * m_grid.step; h >= kFinest; h *= 0.5) {
            bool moved = true;
            while (moved) {
                moved = false;
                for (int axis = 0; axis < 3; ++axis)
                    for (double sign : {1., -1.}) {
                        double trial[3] = {p[0], p[1], p[2]};
                        trial[axis] += sign * (axis == 2 ? h / 2 : h);
                        const double t = value(trial[0], trial[1], trial[2]);
                        if (t > v) {
                            v = t;
                            std::copy(trial, trial + 3, p);
                            moved = true;
                        }
                    }
            }
        }
        if (v > best.voltage)
            best = {v, {p[0], p[1]}, {p[0] + std::cos(p[2]), p[1] + std::sin(p[2])}};
    }
    if (best.voltage == kLowest)
        best = {0, {m_stepArea.x0, m_stepArea.y0}, {m_stepArea.x0, m_stepArea.y0}};
    return best;
}

} // namespace tav::earthing
