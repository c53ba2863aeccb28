#pragma once

#include "core/earthing/Segment.h"
#include "core/earthing/SoilImages.h"

namespace tav::earthing::ImageIntegrals {

// The image of segment j at depth alpha z + beta.
Segment imageOf(const Segment &j, double alpha, double beta);

// The integral of 1/r over segment i and the image of segment j, both ways exact: in
// closed form when the two are parallel (the image of a horizontal or a vertical segment
// is parallel to its segment), otherwise in closed form along the image and by
// Gauss-Legendre along i, the intervals graded towards where the two come closest. i is
// taken on its surface: distances below the radius count as the radius.
double segmentImage(const Segment &i, const Segment &j, const Image &image);

// The integral of 1/r over the image of segment j, seen from the point x.
double pointImage(const Vec3 &x, const Segment &j, const Image &image);

} // namespace tav::earthing::ImageIntegrals
