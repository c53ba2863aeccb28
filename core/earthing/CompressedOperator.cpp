#include "core/earthing/CompressedOperator.h"

#include <algorithm>
#include <numeric>

namespace tav::earthing {

namespace {

Eigen::VectorXd permuted(const Eigen::VectorXd &x, const std::vector<int> &order) {
    Eigen::VectorXd p(Eigen::Index(order.size()));
    for (std::size_t k = 0; k < order.size(); ++k)
        p[Eigen::Index(k)] = x[order[k]];
    return p;
}

void unpermute(const Eigen::VectorXd &p, const std::vector<int> &order, Eigen::VectorXd &y) {
    y.resize(Eigen::Index(order.size()));
    for (std::size_t k = 0; k < order.size(); ++k)
        y[order[k]] = p[Eigen::Index(k)];
}

} // namespace

CompressedOperator::CompressedOperator(const std::vector<Vec3> &observers,
                                       const std::vector<Vec3> &sources, const Settings &settings,
                                       WorkMonitor *monitor)
    : m_settings(settings),
      m_going(monitor ? std::function<bool()>([monitor] { return monitor->poll(0); })
                      : std::function<bool()>()),
      m_rowTree(observers, settings.leafSize, m_going),
      m_colTree(settings.symmetric
                    ? nullptr
                    : std::make_unique<ClusterTree>(sources, settings.leafSize, m_going)),
      m_partition(m_rowTree, colTree(), settings.eta, settings.symmetric, settings.largestFar,
                  m_going) {
    m_going = nullptr;
}

bool CompressedOperator::assemble(const Entry &entry, WorkMonitor &monitor,
                                  SolveProgress::Stage stage) {
    const std::vector<std::size_t> order = largestFirst();
    m_filled.assign(order.size(), {});
    return monitor.run(stage, order.size(), [&](std::size_t item, int) {
        m_filled[order[item]] = blockOf(order[item], entry, true);
    });
}

std::vector<std::size_t> CompressedOperator::largestFirst() const {
    const std::vector<BlockPartition::Block> &blocks = m_partition.blocks();
    std::vector<std::size_t> order(blocks.size());
    std::iota(order.begin(), order.end(), 0);
    const auto extent = [&](std::size_t b) {
        return m_rowTree.cluster(blocks[b].row).size() + colTree().cluster(blocks[b].col).size();
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return extent(a) > extent(b); });
    return order;
}

bool CompressedOperator::multiplyOnce(const Entry &entry, const Eigen::VectorXd &x,
                                      Eigen::VectorXd &y, WorkMonitor &monitor,
                                      SolveProgress::Stage stage) const {
    const Eigen::VectorXd px = permuted(x, colTree().permutation());
    Eigen::VectorXd py;
    const bool done = applyAll(largestFirst(), &entry, px, py, monitor, stage, 0, 1);
    unpermute(py, m_rowTree.permutation(), y);
    return done;
}

bool CompressedOperator::applyAll(const std::vector<std::size_t> &order, const Entry *entry,
                                  const Eigen::VectorXd &px, Eigen::VectorXd &py,
                                  WorkMonitor &monitor, SolveProgress::Stage stage, double from,
                                  double to) const {
    // A block adds to its rows and, mirrored, to its columns' rows: both kept apart.
    struct Share {
        Eigen::VectorXd rows, columns;
    };
    std::vector<Share> shares(order.size());
    py = Eigen::VectorXd::Zero(rows());
    const bool done = monitor.run(
        stage, order.size(),
        [&](std::size_t item, int) {
            const std::size_t b = order[item];
            Filled made;
            if (entry)
                made = blockOf(b, *entry, false);
            Share &share = shares[item];
            share.rows = Eigen::VectorXd::Zero(rowsOf(b, py).size());
            if (mirrored(b))
                share.columns = Eigen::VectorXd::Zero(columnsOf(b, py).size());
            apply(b, entry ? made : m_filled[b], px, share.rows, share.columns);
        },
        from, to);
    if (!done)
        return false;
    for (std::size_t item = 0; item < order.size(); ++item) {
        rowsOf(order[item], py) += shares[item].rows;
        if (mirrored(order[item]))
            columnsOf(order[item], py) += shares[item].columns;
    }
    return true;
}

CompressedOperator::Filled CompressedOperator::blockOf(std::size_t b, const Entry &entry,
                                                      bool kept) const {
    const BlockPartition::Block &block = m_partition.blocks()[b];
    const ClusterTree::Cluster &row = m_rowTree.cluster(block.row);
    const ClusterTree::Cluster &col = colTree().cluster(block.col);
    const std::vector<int> &rowIndex = m_rowTree.permutation();
    const std::vector<int> &colIndex = colTree().permutation();
    const auto local = [&](int i, int j) {
        return entry(rowIndex[std::size_t(row.begin + i)], colIndex[std::size_t(col.begin + j)]);
    };
    Filled filled;
    if (block.far) {
        filled.low =
            LowRankBlock::approximate(row.size(), col.size(), local, m_settings.tolerance, kept);
        // A rank this high stores more than the block itself; a block used once is
        // applied as it came.
        filled.lowRank = !kept || std::size_t(filled.low.rank()) *
                                          std::size_t(row.size() + col.size()) <
                                      std::size_t(row.size()) * std::size_t(col.size());
        if (!filled.lowRank) {
            filled.dense = filled.low.dense();
            filled.low = {};
        }
        return filled;
    }
    filled.dense.resize(row.size(), col.size());
    const bool diagonal = m_settings.symmetric && block.row == block.col;
    for (int j = 0; j < col.size(); ++j)
        for (int i = diagonal ? j : 0; i < row.size(); ++i) {
            filled.dense(i, j) = local(i, j);
            if (diagonal)
                filled.dense(j, i) = filled.dense(i, j);
        }
    return filled;
}

void CompressedOperator::apply(std::size_t b, const Filled &filled, const Eigen::VectorXd &x,
                               Eigen::Ref<Eigen::VectorXd> rows,
                               Eigen::Ref<Eigen::VectorXd> columns) const {
    const BlockPartition::Block &block = m_partition.blocks()[b];
    const ClusterTree::Cluster &row = m_rowTree.cluster(block.row);
    const ClusterTree::Cluster &col = colTree().cluster(block.col);
    const auto xCol = x.segment(col.begin, col.size());
    const auto xRow = x.segment(row.begin, row.size());
    const bool transposed = mirrored(b);
    if (filled.lowRank) {
        filled.low.multiplyAdd(xCol, rows);
        if (transposed)
            filled.low.multiplyTransposedAdd(xRow, columns);
        return;
    }
    rows.noalias() += filled.dense * xCol;
    if (transposed)
        columns.noalias() += filled.dense.transpose() * xRow;
}

Eigen::VectorBlock<Eigen::VectorXd> CompressedOperator::rowsOf(std::size_t b,
                                                              Eigen::VectorXd &y) const {
    const ClusterTree::Cluster &row = m_rowTree.cluster(m_partition.blocks()[b].row);
    return y.segment(row.begin, row.size());
}

Eigen::VectorBlock<Eigen::VectorXd> CompressedOperator::columnsOf(std::size_t b,
                                                                 Eigen::VectorXd &y) const {
    const ClusterTree::Cluster &col = colTree().cluster(m_partition.blocks()[b].col);
    return y.segment(col.begin, col.size());
}

bool CompressedOperator::mirrored(std::size_t b) const {
    // Below the diagonal of a symmetric matrix, the block stands for its transpose too.
    const BlockPartition::Block &block = m_partition.blocks()[b];
    return m_settings.symmetric && block.row != block.col;
}

void CompressedOperator::multiply(const Eigen::VectorXd &x, Eigen::VectorXd &y) const {
    const Eigen::VectorXd px = permuted(x, colTree().permutation());
    Eigen::VectorXd py = Eigen::VectorXd::Zero(rows());
    for (std::size_t b = 0; b < m_filled.size(); ++b)
        apply(b, m_filled[b], px, rowsOf(b, py), columnsOf(b, py));
    unpermute(py, m_rowTree.permutation(), y);
}

bool CompressedOperator::multiply(const Eigen::VectorXd &x, Eigen::VectorXd &y,
                                  WorkMonitor &monitor, double fraction) const {
    const Eigen::VectorXd px = permuted(x, colTree().permutation());
    std::vector<std::size_t> order(m_filled.size());
    std::iota(order.begin(), order.end(), 0);
    Eigen::VectorXd py;
    const bool done = applyAll(order, nullptr, px, py, monitor, SolveProgress::Stage::Solution,
                               fraction, fraction);
    unpermute(py, m_rowTree.permutation(), y);
    return done;
}

void CompressedOperator::release(WorkMonitor &monitor, SolveProgress::Stage stage) {
    constexpr std::size_t kChunk = 4096;
    monitor.run(
        stage, (m_filled.size() + kChunk - 1) / kChunk,
        [&](std::size_t item, int) {
            const std::size_t end = std::min(m_filled.size(), (item + 1) * kChunk);
            for (std::size_t b = item * kChunk; b < end; ++b)
                m_filled[b] = {};
        },
        1, 1);
    m_filled.clear();
}

CompressedOperator::Stats CompressedOperator::stats() const {
    Stats stats;
    stats.farBlocks = m_partition.farCount();
    stats.nearBlocks = m_partition.nearCount();
    for (const Filled &filled : m_filled) {
        stats.bytes += filled.lowRank ? filled.low.bytes()
                                      : std::size_t(filled.dense.size()) * sizeof(double);
        if (filled.lowRank)
            stats.largestRank = std::max(stats.largestRank, filled.low.rank());
    }
    stats.bytes += (m_rowTree.permutation().size() + colTree().permutation().size()) * sizeof(int);
    return stats;
}

std::vector<CompressedOperator::DiagonalBlock> CompressedOperator::diagonalBlocks() const {
    std::vector<DiagonalBlock> diagonal;
    const std::vector<BlockPartition::Block> &blocks = m_partition.blocks();
    for (std::size_t b = 0; b < blocks.size() && b < m_filled.size(); ++b) {
        if (!m_settings.symmetric || blocks[b].row != blocks[b].col || blocks[b].far)
            continue;
        const ClusterTree::Cluster &leaf = m_rowTree.cluster(blocks[b].row);
        const auto begin = m_rowTree.permutation().begin();
        diagonal.push_back({std::vector<int>(begin + leaf.begin, begin + leaf.end),
                            m_filled[b].dense});
    }
    return diagonal;
}

} // namespace tav::earthing
