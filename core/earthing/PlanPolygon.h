#pragma once

#include "core/earthing/EarthingInput.h"
#include "core/earthing/EarthingResult.h"

#include <cstddef>
#include <vector>

namespace tav::earthing {

// Polygons of the plan, given by their corners in order without the first repeated: what
// the touch areas and the surface layer's zone are.
namespace PlanPolygon {

// The most corners a touch area or the surface layer's zone is given: a plot's outline, a
// hull round a drawing's curves. The checks and the searches test every edge, and a
// polygon beyond it is refused before they start.
inline constexpr std::size_t kMostCorners = 4096;

// Signed: positive when the corners go anticlockwise.
double area(const std::vector<Point2> &corners);
// Inside or on an edge (within slack).
bool contains(const std::vector<Point2> &corners, Point2 p, double slack = 1e-9);
// The least distance from p to the segment ab.
double distanceToSegment(Point2 p, Point2 a, Point2 b);
// The least distance from p to an edge, inside or out. open: the corners are a polyline,
// its last not joined to its first (a fence that does not close).
double distanceToEdges(const std::vector<Point2> &corners, Point2 p, bool open = false);
// The point of the edges nearest p.
Point2 nearestOnEdges(const std::vector<Point2> &corners, Point2 p, bool open = false);
// Two edges that are not neighbours meet, or two neighbours fold back on each other.
bool selfCrossing(const std::vector<Point2> &corners);
Rectangle bounds(const std::vector<Point2> &corners);
// The smallest convex polygon round the points, anticlockwise, without collinear corners;
// fewer than three corners when they have no inside.
std::vector<Point2> convexHull(std::vector<Point2> points);
// count corners on the circle, the first at +x from the centre.
std::vector<Point2> circle(Point2 centre, double radius, int count);

} // namespace PlanPolygon

} // namespace tav::earthing
