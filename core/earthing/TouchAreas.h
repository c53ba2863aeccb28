#pragma once

#include "core/earthing/ConductorLayout.h"
#include "core/earthing/EarthingInput.h"

#include <vector>

namespace tav::earthing {

// The touch areas the shapes give by default, each tied to the group of its metal: a
// grid's or an L-shaped grid's outline, a ring's circle, the band of the reach on both
// sides of a fence; and for conductors given one by one, the outer boundary of each
// cluster of a group's conductors that touch or cross: its meshes and the reach round its
// conductors (NetworkOutline). part is the shape's index among its kind's.
namespace TouchAreas {

TouchArea of(const RectangularGrid &grid, int part);
TouchArea of(const LShapedGrid &grid, int part);
TouchArea of(const RodRing &ring, int part);
// No corners when around has no group 0 conductor (the fence has no posts either).
TouchArea of(const Fence &fence, const std::vector<Conductor> &around, double reach, int part);
// Clusters whose hull has no inside (a lone rod, one straight conductor, a line of them)
// give none; reach, m: search.reach.
std::vector<TouchArea> ofClusters(const std::vector<Conductor> &conductors, double reach);

} // namespace TouchAreas

} // namespace tav::earthing
