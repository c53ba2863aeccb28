#pragma once

#include "cad/ImportedPlan.h"

#include <cstddef>
#include <vector>

namespace tav::cad {

// Cleans what CAD drawings hold and the solver refuses: the same conductor drawn twice
// (either way round) or two overlapping along one line become one; conductors that cross
// are cut where they cross, so that they share a node. Pairs are found through the
// solver's spatial index of conductors, not by looking at every pair.
class ConductorMerge {
public:
    // Within this (m), points are one and a conductor lies on a line.
    static constexpr double kTolerance = 1e-3;

    explicit ConductorMerge(std::vector<ImportedConductor> conductors);

    // The conductors merged away.
    std::size_t mergeOverlaps();
    // The crossings (and a conductor's end on another's middle) cut.
    std::size_t joinCrossings();
    std::vector<ImportedConductor> take() { return std::move(m_conductors); }

private:
    std::vector<std::vector<int>> nearPairs() const;
    bool overlapAlongLine(const ImportedConductor &a, const ImportedConductor &b) const;
    std::vector<ImportedConductor> mergeCluster(const std::vector<int> &members) const;

    std::vector<ImportedConductor> m_conductors;
};

} // namespace tav::cad
