#include "core/earthing/RasterSteps.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tav::earthing {

namespace {

double clampTo(double v, double lo, double hi) {
    return std::min(std::max(v, lo), hi);
}

} // namespace

double RasterSteps::interpolated(const RasterGrid &grid, const std::vector<double> &values,
                                 double x, double y) {
    const double fx = clampTo((x - grid.x0) / grid.step, 0, grid.nx - 1);
    const double fy = clampTo((y - grid.y0) / grid.step, 0, grid.ny - 1);
    const int i = std::min(int(fx), std::max(grid.nx - 2, 0));
    const int j = std::min(int(fy), std::max(grid.ny - 2, 0));
    const double tx = grid.nx > 1 ? fx - i : 0;
    const double ty = grid.ny > 1 ? fy - j : 0;
    const auto v = [&](int a, int b) {
        return values[std::size_t(std::min(b, grid.ny - 1)) * grid.nx + std::min(a, grid.nx - 1)];
    };
    return (1 - ty) * ((1 - tx) * v(i, j) + tx * v(i + 1, j)) +
           ty * ((1 - tx) * v(i, j + 1) + tx * v(i + 1, j + 1));
}

RasterSteps::RasterSteps(std::size_t size)
    : m_score(size, -std::numeric_limits<double>::infinity()), m_direction(size, 0) {}

RasterSteps::RasterSteps(const RasterGrid &grid, const std::vector<double> &values,
                         const std::vector<char> &inStepArea)
    : RasterSteps(values.size()) {
    for (int j = 0; j < grid.ny; ++j)
        scoreRow(grid, values, inStepArea, j);
}

std::optional<RasterSteps> RasterSteps::of(const RasterGrid &grid, const std::vector<double> &values,
                                           const std::vector<char> &inStepArea,
                                           WorkMonitor &monitor, double from, double to) {
    RasterSteps steps(values.size());
    if (!monitor.run(
            SolveProgress::Stage::Search, std::size_t(grid.ny),
            [&](std::size_t j, int) { steps.scoreRow(grid, values, inStepArea, int(j)); }, from,
            to))
        return std::nullopt;
    return steps;
}

void RasterSteps::scoreRow(const RasterGrid &grid, const std::vector<double> &values,
                           const std::vector<char> &inStepArea, int j) {
    for (int i = 0; i < grid.nx; ++i) {
        const double x = grid.x(i);
        const double y = grid.y(j);
        if (!inStepArea[std::size_t(j) * grid.nx + i])
            continue;
        const std::size_t k = std::size_t(j) * grid.nx + i;
        for (int d = 0; d < kDirections; ++d) {
            const double theta = M_PI * d / kDirections;
            for (double sign : {1., -1.}) {
                const double qx = x + sign * std::cos(theta);
                const double qy = y + sign * std::sin(theta);
                const long a = std::lround((qx - grid.x0) / grid.step);
                const long b = std::lround((qy - grid.y0) / grid.step);
                if (a < 0 || b < 0 || a >= grid.nx || b >= grid.ny ||
                    !inStepArea[std::size_t(b) * grid.nx + std::size_t(a)])
                    continue;
                const double s = values[k] - interpolated(grid, values, qx, qy);
                if (s > m_score[k]) {
                    m_score[k] = s;
                    m_direction[k] = sign > 0 ? theta : theta + M_PI;
                }
            }
        }
    }
}

} // namespace tav::earthing
