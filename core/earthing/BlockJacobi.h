#pragma once

#include <Eigen/Cholesky>
#include <Eigen/Core>
#include <Eigen/SparseCore>

#include "core/earthing/WorkMonitor.h"

#include <functional>
#include <vector>

namespace tav::earthing {

// The preconditioner of the conjugate gradients: the exact inverse of the matrix on
// clusters of neighbouring segments (the near field, where the coefficients are largest),
// nothing between clusters.
class BlockJacobi {
public:
    // entry(i, j), i >= j: the matrix's lower triangle. cluster: the cluster of each
    // unknown, from 0. The blocks are read and factored on every core as the start of the
    // solution; when the monitor is cancelled some are left empty, and the caller stops.
    BlockJacobi(const std::function<double(int, int)> &entry, const std::vector<int> &cluster,
                WorkMonitor &monitor);

    void apply(const Eigen::VectorXd &r, Eigen::VectorXd &z) const;
    // The inverse applied to each group's indicator (1 on its unknowns, 0 elsewhere), as
    // the columns of an N x groups sparse matrix: per cluster, one local solve for each
    // group present in it, so that the cost follows the unknowns, not the groups.
    Eigen::SparseMatrix<double> applyToGroups(const std::vector<int> &groupOf, int groups) const;
    std::size_t clusters() const { return m_members.size(); }

private:
    std::vector<std::vector<int>> m_members;
    std::vector<Eigen::LDLT<Eigen::MatrixXd>> m_blocks;
};

} // namespace tav::earthing
