#pragma once

namespace tav::earthing {

// Where the solver trades the exact kernel for cheaper forms, in multiples of the longest
// segment l (docs/CALCULATIONS.md says why these and how much they cost in accuracy).
struct KernelSettings {
    double segmentLength = 1; // l, m
    // Segments whose middles lie at least this far apart horizontally take the tabulated
    // kernel at their middles, corrected for their horizontal lengths to second order.
    double farFactor = 4;
    // Nearer pairs take every image exact that lies vertically within this of the
    // observer, and the tabulated rest.
    double verticalFactor = 2;
    // Every pair, every image exact: the reference the approximations are checked on.
    bool exact = false;

    double far() const { return farFactor * segmentLength; }
    double vertical() const { return verticalFactor * segmentLength; }
};

} // namespace tav::earthing
