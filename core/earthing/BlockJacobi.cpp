#include "core/earthing/BlockJacobi.h"

#include <algorithm>
#include <map>

namespace tav::earthing {

BlockJacobi::BlockJacobi(const std::function<double(int, int)> &entry,
                         const std::vector<int> &cluster, WorkMonitor &monitor) {
    const int count = cluster.empty() ? 0 : *std::max_element(cluster.begin(), cluster.end()) + 1;
    m_members.resize(std::size_t(count));
    for (int k = 0; k < int(cluster.size()); ++k)
        m_members[std::size_t(cluster[k])].push_back(k);
    m_members.erase(std::remove_if(m_members.begin(), m_members.end(),
                                   [](const std::vector<int> &m) { return m.empty(); }),
                    m_members.end());
    m_blocks.resize(m_members.size());
    monitor.run(SolveProgress::Stage::Solution, m_members.size(), [&](std::size_t c, int) {
        const std::vector<int> &members = m_members[c];
        const int n = int(members.size());
        Eigen::MatrixXd block(n, n);
        for (int a = 0; a < n; ++a)
            for (int b = 0; b <= a; ++b) {
                const int i = std::max(members[a], members[b]);
                const int j = std::min(members[a], members[b]);
                block(a, b) = block(b, a) = entry(i, j);
            }
        m_blocks[c].compute(block);
    }, 0, 0);
}

void BlockJacobi::apply(const Eigen::VectorXd &r, Eigen::VectorXd &z) const {
    z.resize(r.size());
    for (std::size_t c = 0; c < m_members.size(); ++c) {
        const std::vector<int> &members = m_members[c];
        Eigen::VectorXd local(members.size());
        for (std::size_t a = 0; a < members.size(); ++a)
            local[Eigen::Index(a)] = r[members[a]];
        local = m_blocks[c].solve(local);
        for (std::size_t a = 0; a < members.size(); ++a)
            z[members[a]] = local[Eigen::Index(a)];
    }
}

Eigen::SparseMatrix<double> BlockJacobi::applyToGroups(const std::vector<int> &groupOf,
                                                       int groups) const {
    std::vector<Eigen::Triplet<double>> entries;
    for (std::size_t c = 0; c < m_members.size(); ++c) {
        const std::vector<int> &members = m_members[c];
        std::map<int, Eigen::VectorXd> indicators;
        for (std::size_t a = 0; a < members.size(); ++a) {
            Eigen::VectorXd &e = indicators[groupOf[std::size_t(members[a])]];
            if (e.size() == 0)
                e = Eigen::VectorXd::Zero(Eigen::Index(members.size()));
            e[Eigen::Index(a)] = 1;
        }
        for (const auto &[group, e] : indicators) {
            const Eigen::VectorXd local = m_blocks[c].solve(e);
            for (std::size_t a = 0; a < members.size(); ++a)
                entries.emplace_back(members[a], group, local[Eigen::Index(a)]);
        }
    }
    Eigen::SparseMatrix<double> w(Eigen::Index(groupOf.size()), groups);
    w.setFromTriplets(entries.begin(), entries.end());
    return w;
}

} // namespace tav::earthing
