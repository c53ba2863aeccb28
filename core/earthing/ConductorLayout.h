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

// An L-shaped grid: the rectangle (x0, y0) to (x0 + sizeX, y0 + sizeY) without the
// rectangle cutX by cutY at its far corner. countX conductors along y and countY along x,
// spaced evenly over the whole rectangle as a RectangularGrid's, each clipped to the L; one
// that would lie wholly in the cut is left out. The two edges along the cut are conductors
// too, so that the L is closed all round as a rectangle is by its outer lines.
struct LShapedGrid {
    RectangularGrid bounds;
    double cutX = 0;
    double cutY = 0;
};

// count rods on a circle, the first at +x from the centre, their tops joined by the
// count straight sides of a ring conductor at depth.
struct RodRing {
    Point2 centre;
    double radius = 0;
    int count = 0;
    double depth = 0.5;
    double diameter = 0.0105; // of the ring conductor
    double rodLength = 0;
    double rodDiameter = 0;
    int group = 0;
};

// A fence whose posts stand in the soil, bonded above ground by the fence: one group of
// vertical posts and no buried wire, on a rectangle distance outside what it encloses, or,
// when an outline is given, along that outline (closed: its last corner joined to its
// first), wherever it runs.
struct Fence {
    std::vector<Point2> outline;
    bool closed = false;
    double distance = 0; // without an outline
    double spacing = 0; // the longest gap between posts along a side
    double top = 0.05;  // depth of a post's buried top: the solver takes none at the surface
    double length = 0;
    double diameter = 0;
    int group = 1;
};

// The expansions of the convenient shapes into conductors; they check nothing, the solver
// checks the conductors they give. Each shape's count says, before it is expanded and from
// the same arithmetic, how many conductors it gives, in double precision so that a count
// past every integer type still compares: a shape is expanded only when its count is
// within what the caller takes (EarthingSolver::kMaxSegments, one segment each at least).
namespace ConductorLayout {

double count(const RectangularGrid &grid);
double count(const LShapedGrid &grid);
double count(const RodRing &ring);
double count(const Fence &fence, const std::vector<Conductor> &around);

std::vector<Conductor> grid(const RectangularGrid &grid);

// Vertical rods from depth top down by length, one at each point.
std::vector<Conductor> rods(const std::vector<Point2> &at, double top, double length,
                            double diameter, int group);

// count points along the grid's edge, going round from its corner (x0, y0) towards +x: on
// its corners first (the first count of them when fewer), the rest shared out between the
// sides about in proportion to their lengths and spaced evenly on each, so that the longest
// gap is as short as it can be.
std::vector<Point2> perimeterPoints(const RectangularGrid &grid, int count);

// count points on a closed polygon: its corners first, going round from the first, then
// the rest spread over the sides and spaced evenly on each; listed in order round it.
std::vector<Point2> alongPolygon(const std::vector<Point2> &corners, int count);

// The four corners of the grid.
std::vector<Point2> cornerPoints(const RectangularGrid &grid);

std::vector<Conductor> lGrid(const LShapedGrid &grid);
// The L's six corners, going round from (x0, y0) towards +x.
std::vector<Point2> lCornerPoints(const LShapedGrid &grid);
// count points along the L's edge as perimeterPoints spreads them, on its six corners first.
std::vector<Point2> lPerimeterPoints(const LShapedGrid &grid, int count);

// The ring conductor's sides, then the rods.
std::vector<Conductor> ring(const RodRing &ring);

// The posts round the plan's bounding rectangle of the group 0 conductors among around,
// first at its (-x, -y) corner, each side cut into equal gaps of at most fence.spacing;
// none when around has no group 0 conductor. A fence with an outline has its posts along
// it, first at its first corner, a post on every corner and each side cut the same way;
// around does not matter to it.
std::vector<Conductor> fence(const Fence &fence, const std::vector<Conductor> &around);
// The fence's four corners in that order, anticlockwise, or its outline's; none where it
// has no posts.
std::vector<Point2> fenceCorners(const Fence &fence, const std::vector<Conductor> &around);

} // namespace ConductorLayout

} // namespace tav::earthing
