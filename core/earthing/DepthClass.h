#pragma once

#include "core/earthing/Segment.h"

#include <vector>

namespace tav::earthing {

// What the far-field tables need to know of a segment or of an observer: its depth and
// layer; for a vertical segment its depth range, over which the tables average exactly.
// Horizontal segments of one depth share a class whatever their place and direction.
struct DepthClass {
    bool vertical = false;
    double top = 0;    // m
    double bottom = 0; // m, equal to top for a horizontal segment or a point
    int layer = 0;
    double radius = 0; // m, the thickest of its segments'; 0 for the surface

    double length() const { return bottom - top; }
};

// The classes of the segments; inclined segments have none (-1) and are taken exactly.
struct DepthClasses {
    std::vector<DepthClass> classes;
    std::vector<int> ofSegment;

    static DepthClasses of(const std::vector<Segment> &segments);
};

} // namespace tav::earthing
