#pragma once

#include "core/earthing/Vec3.h"

namespace tav::earthing::LineIntegrals {

// The integral of 1/|x - y| over y on the segment from p along the unit vector u for
// length L: ln((r1 + r2 + L)/(r1 + r2 - L)), r1 and r2 the distances to the two ends, with
// the denominator written without cancellation. A point closer to the segment's axis than
// radius is taken at radius: it lies in the conductor, whose surface is at that distance.
double pointSegment(const Vec3 &x, const Vec3 &p, const Vec3 &u, double L, double radius);

// The integral of 1/sqrt((s - t)^2 + d^2) over s in [s1, s2] and t in [t1, t2]: two
// parallel segments at the distance d apart, or one line with itself when d is a radius.
// d may be 0 only for intervals without a common inner point.
double parallelIntervals(double s1, double s2, double t1, double t2, double d);

} // namespace tav::earthing::LineIntegrals
