#include "core/earthing/SafetySearch.h"

#include "core/earthing/PlanPolygon.h"
#include "core/earthing/RasterSteps.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tav::earthing {

namespace {

constexpr int kCandidates = 4;
constexpr double kFinest = 1e-3; // m, and rad for the direction
constexpr double kLowest = -std::numeric_limits<double>::infinity();

} // namespace

SafetySearch::SafetySearch(const SurfaceField &field, const SearchAreas &areas,
                           const std::vector<double> &values, const std::vector<char> &stepMask,
                           const std::vector<double> &metal, const std::vector<Point2> &zone,
                           const PotentialCheck &check)
    : m_field(field), m_areas(areas), m_grid(areas.raster), m_values(values), m_stepMask(stepMask),
      m_metal(metal), m_zone(zone), m_check(check) {}

double SafetySearch::potential(double x, double y) const {
    const double v = m_field.potential(x, y);
    m_check.take(v);
    return v;
}

bool SafetySearch::onLayer(Point2 p) const {
    return m_zone.empty() || PlanPolygon::contains(m_zone, p);
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

// The metal may stand above the ground or below it (a floating fence beside a grid): the
// starts of each way are sought apart, so that neither crowds out the other.
void SafetySearch::touchStarts(int area, bool on, double sign, std::vector<Start> &starts) const {
    const TouchRegion &region = m_areas.touch[std::size_t(area)];
    const Rectangle b = region.bounds();
    std::vector<double> score(m_values.size(), kLowest);
    bool any = false;
    for (int j = 0; j < m_grid.ny; ++j)
        for (int i = 0; i < m_grid.nx; ++i) {
            const Point2 p{m_grid.x(i), m_grid.y(j)};
            if (!b.contains(p.x, p.y) || !region.contains(p) || onLayer(p) != on)
                continue;
            score[std::size_t(j) * m_grid.nx + i] =
                sign * (m_metal[std::size_t(area)] - m_values[std::size_t(j) * m_grid.nx + i]);
            any = true;
        }
    if (any) {
        for (int node : localMaxima(score, kCandidates))
            starts.push_back(
                {{m_grid.x(node % m_grid.nx), m_grid.y(node / m_grid.nx), 0}, area, on, sign});
        return;
    }
    // An area the raster misses: the point of it nearest its middle, when on this side.
    const Point2 middle = region.nearest({0.5 * (b.x0 + b.x1), 0.5 * (b.y0 + b.y1)});
    if (region.contains(middle) && onLayer(middle) == on)
        starts.push_back({{middle.x, middle.y, 0}, area, on, sign});
}

// Round a fence's corners the band's outer edge is an arc the raster barely reaches, and
// the surface there lies farthest from the metal inside: a start at each corner, at the
// best of a few points round it on the band's edge.
void SafetySearch::cornerStarts(int area, bool on, std::vector<Start> &starts) const {
    const TouchRegion &region = m_areas.touch[std::size_t(area)];
    const TouchArea &a = region.area();
    if (a.band <= 0)
        return;
    constexpr int kAround = 8;
    for (const Point2 &corner : a.outline) {
        double best = kLowest;
        Point2 at;
        double sign = 1;
        for (int k = 0; k < kAround; ++k) {
            const double angle = 2 * M_PI * k / kAround;
            const Point2 p = region.nearest(
                {corner.x + a.band * std::cos(angle), corner.y + a.band * std::sin(angle)});
            if (onLayer(p) != on)
                continue;
            const double d = m_metal[std::size_t(area)] - potential(p.x, p.y);
            if (std::abs(d) > best) {
                best = std::abs(d);
                at = p;
                sign = d < 0 ? -1 : 1;
            }
        }
        if (best != kLowest)
            starts.push_back({{at.x, at.y, 0}, area, on, sign});
    }
}

TouchMaximum SafetySearch::refineTouch(const Start &start, WorkMonitor &monitor,
                                       int thread) const {
    const TouchRegion &region = m_areas.touch[std::size_t(start.area)];
    const double metal = m_metal[std::size_t(start.area)];
    double x = start.p[0];
    double y = start.p[1];
    const double sign = start.sign;
    double value = sign * (metal - potential(x, y));
    for (double h = 0.5 * m_grid.step; h >= kFinest; h *= 0.5) {
        bool moved = true;
        while (moved && monitor.poll(thread)) {
            moved = false;
            const double moves[4][2] = {{h, 0}, {-h, 0}, {0, h}, {0, -h}};
            for (const auto &m : moves) {
                const Point2 c = region.nearest({x + m[0], y + m[1]});
                if ((c.x == x && c.y == y) || onLayer(c) != start.on)
                    continue;
                const double t = sign * (metal - potential(c.x, c.y));
                if (t > value) {
                    value = t;
                    x = c.x;
                    y = c.y;
                    moved = true;
                }
            }
        }
    }
    return {value, {x, y}};
}

// The nodes of the largest raster steps whose middle lies on the given side.
void SafetySearch::stepStarts(const RasterSteps &steps, bool on, std::vector<Start> &starts) const {
    std::vector<double> score = steps.scores();
    for (int j = 0; j < m_grid.ny; ++j)
        for (int i = 0; i < m_grid.nx; ++i) {
            const std::size_t k = std::size_t(j) * m_grid.nx + i;
            const double d = steps.directions()[k];
            const Point2 middle{m_grid.x(i) + 0.5 * std::cos(d), m_grid.y(j) + 0.5 * std::sin(d)};
            if (score[k] != kLowest && onLayer(middle) != on)
                score[k] = kLowest;
        }
    for (int node : localMaxima(score, kCandidates))
        starts.push_back({{m_grid.x(node % m_grid.nx), m_grid.y(node / m_grid.nx),
                           steps.directions()[std::size_t(node)]},
                          -1,
                          on});
}

StepMaximum SafetySearch::refineStep(const Start &start, WorkMonitor &monitor,
                                     int thread) const {
    const auto value = [&](const double *p) {
        const Point2 a{p[0], p[1]};
        const Point2 b{p[0] + std::cos(p[2]), p[1] + std::sin(p[2])};
        if (onLayer({0.5 * (a.x + b.x), 0.5 * (a.y + b.y)}) != start.on ||
            !m_areas.step.contains(a) || !m_areas.step.contains(b))
            return kLowest;
        return potential(a.x, a.y) - potential(b.x, b.y);
    };
    double p[3] = {start.p[0], start.p[1], start.p[2]};
    double v = value(p);
    for (double h = 0.5 * m_grid.step; h >= kFinest; h *= 0.5) {
        bool moved = true;
        while (moved && monitor.poll(thread)) {
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

bool SafetySearch::allTouchStarts(WorkMonitor &monitor, const std::vector<bool> &sides,
                                  std::vector<Start> &starts) const {
    const std::size_t count = m_areas.touch.size() * sides.size();
    std::vector<std::vector<Start>> found(count);
    if (!monitor.run(
            SolveProgress::Stage::Search, count,
            [&](std::size_t item, int) {
                const int area = int(item / sides.size());
                const bool on = sides[item % sides.size()];
                for (double sign : {1., -1.})
                    touchStarts(area, on, sign, found[item]);
                cornerStarts(area, on, found[item]);
            },
            0.15, 0.2))
        return false;
    for (const std::vector<Start> &item : found)
        starts.insert(starts.end(), item.begin(), item.end());
    return true;
}

bool SafetySearch::run(WorkMonitor &monitor, const std::vector<PointResult> &points,
                       std::vector<AreaResult> &areas, StepResult &step) const {
    const std::vector<bool> sides =
        m_zone.empty() ? std::vector<bool>{true} : std::vector<bool>{true, false};
    const std::optional<RasterSteps> rasterSteps =
        RasterSteps::of(m_grid, m_values, m_stepMask, monitor, 0.05, 0.15);
    std::vector<Start> touches;
    if (!rasterSteps || !allTouchStarts(monitor, sides, touches))
        return false;
    std::vector<Start> steps;
    for (bool on : sides)
        stepStarts(*rasterSteps, on, steps);
    std::vector<TouchMaximum> touched(touches.size());
    std::vector<StepMaximum> stepped(steps.size());
    const bool done = monitor.run(
        SolveProgress::Stage::Search, touches.size() + steps.size(),
        [&](std::size_t item, int thread) {
            if (item < touches.size())
                touched[item] = refineTouch(touches[item], monitor, thread);
            else
                stepped[item - touches.size()] =
                    refineStep(steps[item - touches.size()], monitor, thread);
        },
        0.2, 1);
    if (!done)
        return false;
    areas.assign(m_areas.touch.size(), {});
    for (std::size_t a = 0; a < areas.size(); ++a) {
        areas[a].metal = m_metal[a];
        areas[a].onLayer = areas[a].offLayer = {kLowest, {}};
    }
    const auto keep = [](TouchMaximum &best, const TouchMaximum &t) {
        if (t.voltage > best.voltage)
            best = t;
    };
    for (std::size_t k = 0; k < touches.size(); ++k) {
        AreaResult &r = areas[std::size_t(touches[k].area)];
        keep(touches[k].on ? r.onLayer : r.offLayer, touched[k]);
    }
    for (const PointResult &p : points)
        for (std::size_t a = 0; a < areas.size(); ++a)
            if (m_areas.touch[a].contains(p.at))
                keep(onLayer(p.at) ? areas[a].onLayer : areas[a].offLayer,
                     {std::abs(m_metal[a] - p.potential), p.at});
    step.onLayer = step.offLayer = {kLowest, {}, {}};
    for (std::size_t k = 0; k < steps.size(); ++k) {
        StepMaximum &best = steps[k].on ? step.onLayer : step.offLayer;
        if (stepped[k].voltage > best.voltage)
            best = stepped[k];
    }
    return true;
}

} // namespace tav::earthing
