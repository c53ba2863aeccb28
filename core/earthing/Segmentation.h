#pragma once

#include "core/earthing/EarthingInput.h"
#include "core/earthing/Segment.h"

#include <cstddef>
#include <vector>

namespace tav::earthing {

// Cuts the conductors into segments of at most the segment length: first at the
// interfaces of the soil's layers, so that each segment lies in one layer, and where
// another conductor touches or crosses, so that junctions fall between segments; then
// each piece into equal parts, the two at its ends halved.
class Segmentation {
public:
    Segmentation(const EarthingInput &input, std::vector<double> interfaces);

    // The segments the cut would give, counted before any is made, in double precision:
    // a segment length or a conductor far beyond the solver's limits gives a count past
    // every integer type, which must still compare as too many rather than wrap.
    double count() const;
    // Only when count() is within the solver's limit.
    std::vector<Segment> segments() const;

private:
    // The equal parts a piece is cut into before its end segments are halved.
    static double partsOf(double piece, double step);

    std::vector<std::vector<double>> m_cuts; // per conductor, the cut points along it, in m
    const EarthingInput &m_input;
    std::vector<double> m_interfaces; // depths, from the top down
};

} // namespace tav::earthing
