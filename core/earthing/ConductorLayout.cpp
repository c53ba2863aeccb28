#include "core/earthing/ConductorLayout.h"

#include <cmath>

namespace tav::earthing::ConductorLayout {

namespace {

double position(double start, double size, int index, int count) {
    return count > 1 ? start + size * index / (count - 1) : start;
}

} // namespace

std::vector<Conductor> grid(const RectangularGrid &grid) {
    std::vector<Conductor> conductors;
    for (int i = 0; i < grid.countX; ++i) {
        const double x = position(grid.x0, grid.sizeX, i, grid.countX);
        conductors.push_back({{x, grid.y0, grid.depth},
                              {x, grid.y0 + grid.sizeY, grid.depth},
                              grid.diameter,
                              grid.group});
    }
    for (int i = 0; i < grid.countY; ++i) {
        const double y = position(grid.y0, grid.sizeY, i, grid.countY);
        conductors.push_back({{grid.x0, y, grid.depth},
                              {grid.x0 + grid.sizeX, y, grid.depth},
                              grid.diameter,
                              grid.group});
    }
    return conductors;
}

std::vector<Conductor> rods(const std::vector<Point2> &at, double top, double length,
                            double diameter, int group) {
    std::vector<Conductor> rods;
    for (const Point2 &p : at)
        rods.push_back({{p.x, p.y, top}, {p.x, p.y, top + length}, diameter, group});
    return rods;
}

std::vector<Point2> perimeterPoints(const RectangularGrid &grid, int count) {
    std::vector<Point2> points;
    const double a = grid.sizeX;
    const double b = grid.sizeY;
    const double perimeter = 2 * (a + b);
    for (int i = 0; i < count; ++i) {
        double s = perimeter * i / count;
        Point2 p;
        if (s <= a) {
            p = {grid.x0 + s, grid.y0};
        } else if ((s -= a) <= b) {
            p = {grid.x0 + a, grid.y0 + s};
        } else if ((s -= b) <= a) {
            p = {grid.x0 + a - s, grid.y0 + b};
        } else {
            s -= a;
            p = {grid.x0, grid.y0 + b - s};
        }
        points.push_back(p);
    }
    return points;
}

std::vector<Point2> cornerPoints(const RectangularGrid &grid) {
    return {{grid.x0, grid.y0},
            {grid.x0 + grid.sizeX, grid.y0},
            {grid.x0 + grid.sizeX, grid.y0 + grid.sizeY},
            {grid.x0, grid.y0 + grid.sizeY}};
}

} // namespace tav::earthing::ConductorLayout
