#pragma once

#include "core/earthing/EarthingInput.h"
#include "core/earthing/SpatialIndex.h"

#include <vector>

namespace tav::earthing {

// The conductors that may come within a reach of one another, found through the
// spatial index rather than by looking at every pair: each conductor's plan is sampled
// at most a step apart, and two conductors are near when samples of theirs share a
// neighbourhood of cells. It finds every pair within the reach in plan (and so in
// space), and some a little farther, which the caller's own test then drops.
class NearConductors {
public:
    NearConductors(const std::vector<Conductor> &conductors, double step, double reach);

    // The conductors after `conductor` in the input's order that may come within the
    // reach of it, in ascending order.
    std::vector<int> after(int conductor) const;

private:
    struct Sample {
        double x;
        double y;
        int conductor;
    };

    static double cellSize(const std::vector<Conductor> &conductors, double step, double reach);

    std::vector<Sample> m_samples;
    std::vector<int> m_first; // per conductor, its first sample; then one past the last
    SpatialIndex m_index;
};

} // namespace tav::earthing
