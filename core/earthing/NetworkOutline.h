#pragma once

#include "core/earthing/EarthingInput.h"

#include <vector>

namespace tav::earthing {

// The ground a connected network of conductors covers in plan: the inside of its meshes
// (closed cycles of conductors seen from above) and every point within reach of one of
// its conductors, a courtyard ringed by conductors filled in. Unlike the convex hull it
// leaves out the open ground beside a tail conductor or in a notch of the outline.
//
// Worked on a raster: the distance to the conductors at every node of a fine square
// lattice, the nodes that can be reached from the lattice's rim without crossing a
// conductor or coming within reach of one are the open ground, and the rest is traced as
// the zero level of a field whose linear interpolation puts the boundary on the reach's
// circle and line, or on the conductor itself when the reach is nil. A union of polygons
// in floating point needs exact predicates to stay simple where many bands meet; the
// raster cannot fail there, and its error is a small fraction of its step.
namespace NetworkOutline {

// The outer boundary, anticlockwise, a simple polygon of at most PlanPolygon::kMostCorners
// corners; empty when it covers no ground (nil reach and no mesh).
std::vector<Point2> of(const std::vector<Conductor> &network, double reach);

// The lattice's step for a network whose plan spans width by height (m): a fifth of the
// reach, coarser only where the lattice would pass about a million nodes.
double step(double width, double height, double reach);

} // namespace NetworkOutline

} // namespace tav::earthing
