#pragma once

#include "core/earthing/ClusterTree.h"

#include <functional>
#include <vector>

namespace tav::earthing {

// The blocks of a matrix between an observer tree (rows) and a source tree (columns): a
// pair of clusters that is admissible is a far block, to be taken low-rank; a pair of
// leaves that is not is a near block, kept dense; any other pair is split. The blocks
// cover the matrix once, each a pair of contiguous ranges of the two permuted orders.
class BlockPartition {
public:
    struct Block {
        int row = 0; // clusters of the row and the column tree
        int col = 0;
        bool far = false;
    };

    // lowerOnly: the two trees are one tree of a symmetric matrix; only the blocks on and
    // below the diagonal of the permuted order are listed, the others being their
    // transposes. largestFar: a far block of more rows and columns together is split
    // further (its children are far too), so that no block takes long to read (0: none).
    // going, when given, is asked as the blocks are listed; once it says no, the listing
    // stops (the partition is then only for a cancelled calculation to drop).
    BlockPartition(const ClusterTree &rows, const ClusterTree &cols, double eta,
                   bool lowerOnly = false, int largestFar = 0,
                   const std::function<bool()> &going = {});

    const std::vector<Block> &blocks() const { return m_blocks; }
    int farCount() const;
    int nearCount() const { return int(m_blocks.size()) - farCount(); }

private:
    void add(int s, int t);

    const ClusterTree &m_rows;
    const ClusterTree &m_cols;
    double m_eta;
    bool m_lowerOnly;
    int m_largestFar;
    const std::function<bool()> *m_going = nullptr; // while the blocks are listed
    std::vector<Block> m_blocks;
};

} // namespace tav::earthing
