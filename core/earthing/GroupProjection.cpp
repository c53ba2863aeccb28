#include "core/earthing/GroupProjection.h"

namespace tav::earthing {

GroupProjection::GroupProjection(const BlockJacobi &preconditioner,
                                 const std::vector<int> &groupOf, int groups)
    : m_preconditioner(preconditioner), m_groupOf(groupOf), m_groups(groups) {
    m_w = preconditioner.applyToGroups(groupOf, groups);
    // E^T W: row k of W adds to its segment's group.
    std::vector<Eigen::Triplet<double>> entries;
    entries.reserve(std::size_t(m_w.nonZeros()));
    for (Eigen::Index g = 0; g < m_w.outerSize(); ++g)
        for (Eigen::SparseMatrix<double>::InnerIterator it(m_w, g); it; ++it)
            if (m_groupOf[std::size_t(it.row())] >= g) // the lower triangle is enough
                entries.emplace_back(m_groupOf[std::size_t(it.row())], int(g), it.value());
    Eigen::SparseMatrix<double> s(groups, groups);
    s.setFromTriplets(entries.begin(), entries.end());
    m_factor.compute(s); // reads the lower triangle
}

void GroupProjection::apply(const Eigen::VectorXd &r, Eigen::VectorXd &z,
                            Eigen::VectorXd &v) const {
    m_preconditioner.apply(r, z);
    v = m_factor.solve(sums(z));
    z -= m_w * v;
}

void GroupProjection::spread(const Eigen::VectorXd &v, Eigen::VectorXd &y) const {
    y.resize(Eigen::Index(m_groupOf.size()));
    for (std::size_t k = 0; k < m_groupOf.size(); ++k)
        y[Eigen::Index(k)] = v[m_groupOf[k]];
}

Eigen::VectorXd GroupProjection::sums(const Eigen::VectorXd &x) const {
    Eigen::VectorXd s = Eigen::VectorXd::Zero(m_groups);
    for (std::size_t k = 0; k < m_groupOf.size(); ++k)
        s[m_groupOf[k]] += x[Eigen::Index(k)];
    return s;
}

} // namespace tav::earthing
