#pragma once

#include "core/earthing/BlockJacobi.h"

#include <Eigen/Core>
#include <Eigen/SparseCholesky>
#include <Eigen/SparseCore>

#include <vector>

namespace tav::earthing {

// The preconditioner of the group constraints: with M the block-Jacobi clusters and E the
// segments' groups as columns, it solves [M E; E^T 0] [z; v] = [r; 0], so that z has no
// current leaving any group and E v is the part of r that the groups' potentials take
// (the constraint preconditioner of Gould, Hribar and Nocedal, SIAM J. Sci. Comput. 23,
// 2001). M^-1 E is sparse (a group meets few clusters) and E^T M^-1 E is G x G and sparse
// but for the groups that share a cluster: built and factored once, so that the groups cost
// no more than their segments, however many they are.
class GroupProjection {
public:
    GroupProjection(const BlockJacobi &preconditioner, const std::vector<int> &groupOf,
                    int groups);

    // z and v from r as above.
    void apply(const Eigen::VectorXd &r, Eigen::VectorXd &z, Eigen::VectorXd &v) const;
    // y = E v: each segment takes its group's value.
    void spread(const Eigen::VectorXd &v, Eigen::VectorXd &y) const;
    // E^T x: each group's sum.
    Eigen::VectorXd sums(const Eigen::VectorXd &x) const;
    bool factored() const { return m_factor.info() == Eigen::Success; }

private:
    const BlockJacobi &m_preconditioner;
    const std::vector<int> &m_groupOf;
    int m_groups;
    Eigen::SparseMatrix<double> m_w; // M^-1 E
    Eigen::SimplicialLDLT<Eigen::SparseMatrix<double>> m_factor; // of E^T M^-1 E
};

} // namespace tav::earthing
