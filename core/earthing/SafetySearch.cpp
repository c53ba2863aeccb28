#include "core/earthing/SafetySearch.h"

#include "core/earthing/RasterSteps.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tav::earthing {

namespace {

constexpr int kCandidates = 4;
constexpr double kFinest = 1e-3; // m, and rad for the direction
constexpr double kLowest = -std::numeric_limits<double>::infinity();

double clampTo(double v, double lo, double hi) {
    return std::min(std::max(v, lo), hi);
}

} // namespace

SafetySearch::SafetySearch(const SurfaceField &field, const RasterGrid &grid,
                           const std::vector<double> &values, double gpr,
                           const Rectangle &touchArea, const Rectangle &stepArea)
    : m_field(field), m_grid(grid), m_values(values), m_gpr(gpr), m_touchArea(touchArea),
      m_stepArea(stepArea) {}

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

std::vector<SafetySearch::Start> SafetySearch::touchStarts() const {
    std::vector<double> score(m_values.size(), kLowest);
    for (int j = 0; j < m_grid.ny; ++j)
        for (int i = 0; i < m_grid.nx; ++i)
            if (m_touchArea.contains(m_grid.x(i), m_grid.y(j)))
                score[std::size_t(j) * m_grid.nx + i] =
                    m_gpr - m_values[std::size_t(j) * m_grid.nx + i];
    std::vector<Start> starts;
    for (int node : localMaxima(score, kCandidates))
        starts.push_back({{m_grid.x(node % m_grid.nx), m_grid.y(node / m_grid.nx), 0}});
    if (starts.empty()) // a raster too coarse for the area: its corner
        starts.push_back({{m_touchArea.x0, m_touchArea.y0, 0}});
    return starts;
}

TouchMaximum SafetySearch::refineTouch(const Start &start) const {
    double x = start.p[0];
    double y = start.p[1];
    double value = m_gpr - m_field.potential(x, y);
    for (double h = 0.5 * m_grid.step; h >= kFinest; h *= 0.5) {
        bool moved = true;
        while (moved) {
            moved = false;
            const double moves[4][2] = {{h, 0}, {-h, 0}, {0, h}, {0, -h}};
            for (const auto &m : moves) {
                const double cx = clampTo(x + m[0], m_touchArea.x0, m_touchArea.x1);
                const double cy = clampTo(y + m[1], m_touchArea.y0, m_touchArea.y1);
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
    return {value, {x, y}};
}

// The nodes of the largest raster steps.
std::vector<SafetySearch::Start> SafetySearch::stepStarts() const {
    const RasterSteps steps(m_grid, m_values, m_stepArea);
    std::vector<Start> starts;
    for (int node : localMaxima(steps.scores(), kCandidates))
        starts.push_back({{m_grid.x(node % m_grid.nx), m_grid.y(node / m_grid.nx),
                           steps.directions()[std::size_t(node)]}});
    return starts;
}

StepMaximum SafetySearch::refineStep(const Start &start) const {
    const auto value = [&](const double *p) {
        const double qx = p[0] + std::cos(p[2]);
        const double qy = p[1] + std::sin(p[2]);
        if (!m_stepArea.contains(p[0], p[1]) || !m_stepArea.contains(qx, qy))
            return kLowest;
        return m_field.potential(p[0], p[1]) - m_field.potential(qx, qy);
    };
    double p[3] = {start.p[0], start.p[1], start.p[2]};
    double v = value(p);
    for (double h = 0.5 * m_grid.step; h >= kFinest; h *= 0.5) {
        bool moved = true;
        while (moved) {
            moved = false;
            for (int axis = 0; axis < 3; ++axis)
                for (double sign : {1., -1.}) {
                    double trial[3] = {p[0], p[1], p[2]};
                    trial[axis] += sign * (axis == 2 ? h / 2 : h);
                    const double t = value(trial);
                    if (t > v) {
                        v = t;
                        std::copy(trial, trial + 3, p);
                        moved = true;
                    }
                }
        }
    }
    return {v, {p[0], p[1]}, {p[0] + std::cos(p[2]), p[1] + std::sin(p[2])}};
}

bool SafetySearch::run(WorkMonitor &monitor, const std::vector<PointResult> &points,
                       TouchMaximum &touch, StepMaximum &step) const {
    const std::vector<Start> touches = touchStarts();
    const std::vector<Start> steps = stepStarts();
    std::vector<TouchMaximum> touched(touches.size());
    std::vector<StepMaximum> stepped(steps.size());
    const bool done = monitor.run(
        SolveProgress::Stage::Search, touches.size() + steps.size(), [&](std::size_t item, int) {
            if (item < touches.size())
                touched[item] = refineTouch(touches[item]);
            else
                stepped[item - touches.size()] = refineStep(steps[item - touches.size()]);
        });
    if (!done)
        return false;
    touch = {kLowest, {}};
    for (const TouchMaximum &t : touched)
        if (t.voltage > touch.voltage)
            touch = t;
    for (const PointResult &p : points)
        if (p.inTouchArea && p.touch > touch.voltage)
            touch = {p.touch, p.at};
    // An area too small for two points 1 m apart has no step voltage.
    step = {0, {m_stepArea.x0, m_stepArea.y0}, {m_stepArea.x0, m_stepArea.y0}};
    for (const StepMaximum &s : stepped)
        if (s.voltage > step.voltage)
            step = s;
    return true;
}

} // namespace tav::earthing
