#pragma once

#include "cad/ImportedPlan.h"
#include "core/earthing/NearConductors.h"

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

    // The places where the conductors cross (or one ends on another's middle), counted up
    // to a little beyond `most` and no further: a drawing of thousands of lines crossing
    // thousands is found out after a few of them, before the pairs of all are looked at to
    // merge overlaps. Places nearer each other than a few tolerances count once, so that a
    // line drawn twice crosses nothing twice.
    std::size_t crossingPlaces(std::size_t most) const;
    // The conductors merged away.
    std::size_t mergeOverlaps();
    // What joining the crossings came to: the crossings cut, or, when the pieces would be
    // more than asked for, a count they pass (and nothing cut).
    struct Joined {
        std::size_t joins = 0;
        std::size_t beyond = 0; // 0, or at least this many pieces, more than the most
    };
    // The crossings (and a conductor's end on another's middle) cut, unless the pieces
    // would be more than `most`: the crossings are counted as they are found, and the count
    // stops as soon as it passes, before a piece is made.
    Joined joinCrossings(std::size_t most);
    std::vector<ImportedConductor> take() { return std::move(m_conductors); }

private:
    // The near pairs through the solver's index, each conductor's later neighbours at a
    // time, never all pairs at once: a drawing of crossing lines has millions.
    earthing::NearConductors nearIndex() const;
    bool overlapAlongLine(const ImportedConductor &a, const ImportedConductor &b) const;
    std::vector<ImportedConductor> mergeCluster(const std::vector<int> &members) const;

    std::vector<ImportedConductor> m_conductors;
};

} // namespace tav::cad
