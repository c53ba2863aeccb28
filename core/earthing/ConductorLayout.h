#pragma once

#include "core/earthing/EarthingInput.h"

#include <vector>

namespace tav::earthing {

// A rectangular grid of straight conductors: countX conductors along y, evenly spaced
// from x0 to x0 + sizeX, and countY conductors along x, from y0 to y0 + sizeY, all at one
// depth. A count of 1 puts its conductor at the first edge.
struct RectangularGrid {
    double x0 = 0;
    double y0 = 0;
    double sizeX = 0;
    double sizeY = 0;
    int countX = 2;
    int countY = 2;
    double depth = 0.5;
    double diameter = 0.0105;
    int group = 0;
};

// The expansions of the convenient shapes into conductors; they check nothing, the solver
// checks the conductors they give.
namespace ConductorLayout {

std::vector<Conductor> grid(const RectangularGrid &grid);

// Vertical rods from depth top down by length, one at each point.
std::vector<Conductor> rods(const std::vector<Point2> &at, double top, double length,
                            double diameter, int group);

// count points evenly spaced along the grid's edge, the first at its corner (x0, y0),
// going round towards +x.
std::vector<Point2> perimeterPoints(const RectangularGrid &grid, int count);

// The four corners of the grid.
std::vector<Point2> cornerPoints(const RectangularGrid &grid);

} // namespace ConductorLayout

} // namespace tav::earthing
