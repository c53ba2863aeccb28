#include "core/earthing/BlockPartition.h"

#include <algorithm>

namespace tav::earthing {

BlockPartition::BlockPartition(const ClusterTree &rows, const ClusterTree &cols, double eta,
                               bool lowerOnly, int largestFar,
                               const std::function<bool()> &going)
    : m_rows(rows), m_cols(cols), m_eta(eta), m_lowerOnly(lowerOnly), m_largestFar(largestFar),
      m_going(going ? &going : nullptr) {
    if (rows.size() > 0 && cols.size() > 0)
        add(0, 0);
    m_going = nullptr;
}

int BlockPartition::farCount() const {
    return int(std::count_if(m_blocks.begin(), m_blocks.end(), [](const Block &b) { return b.far; }));
}

void BlockPartition::add(int s, int t) {
    if (m_going && !(*m_going)())
        return;
    const ClusterTree::Cluster &row = m_rows.cluster(s);
    const ClusterTree::Cluster &col = m_cols.cluster(t);
    const bool admissible = ClusterTree::admissible(row.box, col.box, m_eta);
    const bool large = m_largestFar > 0 && row.size() + col.size() > m_largestFar;
    if (admissible && (!large || (row.leaf() && col.leaf()))) {
        m_blocks.push_back({s, t, true});
        return;
    }
    if (row.leaf() && col.leaf()) {
        m_blocks.push_back({s, t, false});
        return;
    }
    // Split what can be split: a leaf stays whole against the other's children.
    const std::vector<int> rowParts = row.leaf() ? std::vector<int>{s}
                                                 : std::vector<int>{row.first, row.second};
    const std::vector<int> colParts = col.leaf() ? std::vector<int>{t}
                                                 : std::vector<int>{col.first, col.second};
    for (int a : rowParts)
        for (int b : colParts) {
            // Within one tree, a pair of distinct clusters lies wholly on one side of the
            // diagonal, so only the diagonal blocks' upper children need leaving out.
            if (m_lowerOnly && m_rows.cluster(a).begin < m_cols.cluster(b).begin)
                continue;
            add(a, b);
        }
}

} // namespace tav::earthing
