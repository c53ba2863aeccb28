#include "core/earthing/SearchAreas.h"

#include <algorithm>
#include <cmath>

namespace tav::earthing {

namespace {

// The lowest corner of the energised conductors in plan, else of the region.
Point2 anchorOf(const EarthingInput &input, const Rectangle &bounds) {
    bool first = true;
    Point2 anchor{bounds.x0, bounds.y0};
    for (const Conductor &c : input.conductors) {
        if (c.group != 0)
            continue;
        for (const Point3 &p : {c.from, c.to}) {
            anchor.x = first ? p.x : std::min(anchor.x, p.x);
            anchor.y = first ? p.y : std::min(anchor.y, p.y);
            first = false;
        }
    }
    return anchor;
}

} // namespace

SearchAreas SearchAreas::of(const EarthingInput &input) {
    SearchAreas areas{{}, StepRegion(input), {}, 0};
    for (const TouchArea &area : input.touchAreas)
        areas.touch.emplace_back(area);
    const Rectangle bounds = areas.step.bounds();
    const Point2 anchor = anchorOf(input, bounds);
    const double step = input.search.step;
    // Whole steps from the anchor out to the bounds, the nodes from there past the far edge.
    const double before = std::ceil((anchor.x - bounds.x0) / step - 1e-9);
    const double below = std::ceil((anchor.y - bounds.y0) / step - 1e-9);
    const double x0 = anchor.x - before * step;
    const double y0 = anchor.y - below * step;
    const double nx = std::ceil((bounds.x1 - x0) / step - 1e-9) + 1;
    const double ny = std::ceil((bounds.y1 - y0) / step - 1e-9) + 1;
    areas.rasterPoints = nx * ny;
    if (areas.rasterPoints <= 1e9) {
        areas.raster.x0 = x0;
        areas.raster.y0 = y0;
        areas.raster.step = step;
        areas.raster.nx = int(nx);
        areas.raster.ny = int(ny);
    }
    return areas;
}

bool SearchAreas::masks(WorkMonitor &monitor, std::vector<char> &inTouch,
                        std::vector<char> &inStep) const {
    inTouch.assign(raster.size(), 0);
    inStep.assign(raster.size(), 0);
    return monitor.run(
        SolveProgress::Stage::Search, std::size_t(raster.ny),
        [&](std::size_t j, int) {
            for (int i = 0; i < raster.nx; ++i) {
                const Point2 p{raster.x(i), raster.y(int(j))};
                const std::size_t k = j * std::size_t(raster.nx) + std::size_t(i);
                inStep[k] = step.contains(p);
                for (const TouchRegion &region : touch)
                    if (region.contains(p)) {
                        inTouch[k] = 1;
                        break;
                    }
            }
        },
        0, 0.05);
}

} // namespace tav::earthing
