#pragma once

#include "core/earthing/EarthingResult.h"

#include <cstddef>
#include <vector>

namespace tav::earthing {

// The current one conductor leaks into the soil, summed over its segments, and how long it
// is: where the current leaves a system tells which conductors carry it and where they
// should be thicker or longer. A floating conductor's may be of either sign.
struct ConductorLeakage {
    double current = 0; // A
    double length = 0;  // m
    int group = 0;

    // A/m; 0 for a conductor of no length.
    double density() const { return length > 0 ? current / length : 0; }

    // For each of count conductors in the input's order, from the result's segments; one
    // that has none leaks nothing.
    static std::vector<ConductorLeakage> of(const EarthingResult &result, std::size_t count);
    // A segment's current over its length, A/m; 0 for a segment of no length.
    static double density(const SegmentResult &segment);
    static double segmentLength(const SegmentResult &segment);
};

} // namespace tav::earthing
