#pragma once

#include "core/earthing/Coupling.h"
#include "core/earthing/WorkMonitor.h"

#include <Eigen/Core>

namespace tav::earthing {

// Fills the lower triangle of the segments' potential coefficient matrix, the segments
// sorted by depth class (inclined ones last), on every core: each column first takes the
// far form for every pair, then the pairs within reach of the near forms are put right.
class CouplingMatrix {
public:
    explicit CouplingMatrix(const Coupling &coupling);

    // A is N x N; false when cancelled.
    bool fill(Eigen::MatrixXd &A, WorkMonitor &monitor) const;

private:
    void column(Eigen::MatrixXd &A, int j) const;

    const Coupling &m_coupling;
    std::vector<double> m_x; // the segments' middles
    std::vector<double> m_y;
    // Runs of one class: [begin, end) and the class, inclined segments with class -1.
    struct Run {
        int begin = 0;
        int end = 0;
        int depthClass = -1;
    };
    std::vector<Run> m_runs;
};

} // namespace tav::earthing
