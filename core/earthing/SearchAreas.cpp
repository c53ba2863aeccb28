#include "core/earthing/SearchAreas.h"

#include <algorithm>
#include <cmath>

namespace tav::earthing {

namespace {

// The nodes from the lower edge past the upper one.
double count(double width, double step) {
    return std::ceil(width / step - 1e-9) + 1;
}

} // namespace

SearchAreas SearchAreas::of(const EarthingInput &input) {
    SearchAreas areas;
    bool first = true;
    for (const Conductor &c : input.conductors) {
        if (c.group != 0)
            continue;
        for (const Point3 &p : {c.from, c.to}) {
            if (first) {
                areas.touch = {p.x, p.y, p.x, p.y};
                first = false;
            }
            areas.touch.x0 = std::min(areas.touch.x0, p.x);
            areas.touch.y0 = std::min(areas.touch.y0, p.y);
            areas.touch.x1 = std::max(areas.touch.x1, p.x);
            areas.touch.y1 = std::max(areas.touch.y1, p.y);
        }
    }
    const double step = input.search.step;
    const double margin = std::ceil(input.search.margin / step - 1e-9) * step;
    const double m = input.search.margin;
    areas.step = {areas.touch.x0 - m, areas.touch.y0 - m, areas.touch.x1 + m, areas.touch.y1 + m};
    const double nx = count(areas.touch.x1 - areas.touch.x0 + 2 * margin, step);
    const double ny = count(areas.touch.y1 - areas.touch.y0 + 2 * margin, step);
    areas.rasterPoints = nx * ny;
    if (areas.rasterPoints <= 1e9) {
        areas.raster.x0 = areas.touch.x0 - margin;
        areas.raster.y0 = areas.touch.y0 - margin;
        areas.raster.step = step;
        areas.raster.nx = int(nx);
        areas.raster.ny = int(ny);
    }
    return areas;
}

} // namespace tav::earthing
