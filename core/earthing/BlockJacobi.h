#pragma once

#include <Eigen/Cholesky>
#include <Eigen/Core>

#include <vector>

namespace tav::earthing {

// The preconditioner of the conjugate gradients: the exact inverse of the matrix on
// clusters of neighbouring segments (the near field, where the coefficients are largest),
// nothing between clusters.
class BlockJacobi {
public:
    // A: lower triangle filled. cluster: the cluster of each unknown, from 0.
    BlockJacobi(const Eigen::MatrixXd &A, const std::vector<int> &cluster);

    void apply(const Eigen::VectorXd &r, Eigen::VectorXd &z) const;
    std::size_t clusters() const { return m_members.size(); }

private:
    std::vector<std::vector<int>> m_members;
    std::vector<Eigen::LDLT<Eigen::MatrixXd>> m_blocks;
};

} // namespace tav::earthing
