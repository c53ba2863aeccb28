#pragma once

#include "core/earthing/Vec3.h"

namespace tav::earthing {

// How a segment lies, which decides how the far-field tables take it.
enum class SegmentKind { Horizontal, Vertical, Inclined };

// A piece of a conductor that leaks a current of its own, evenly along its length.
struct Segment {
    Vec3 p;
    Vec3 q;
    Vec3 u; // unit vector from p to q
    double length = 0;
    double radius = 0;
    int conductor = 0; // index into the input's conductors
    int group = 0;
    int layer = 0; // 0 the top layer, counted down
    SegmentKind kind = SegmentKind::Inclined;
    // The pieces of one conductor's end that an interface divides within less than the
    // thin-wire model resolves share one number from 0 and leak evenly as one; -1 for a
    // segment that leaks a current of its own.
    int tie = -1;

    Vec3 at(double s) const { return p + u * s; }
    Vec3 middle() const { return at(0.5 * length); }
    double top() const { return p.z < q.z ? p.z : q.z; }
    double bottom() const { return p.z < q.z ? q.z : p.z; }
};

} // namespace tav::earthing
