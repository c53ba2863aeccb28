#pragma once

#include "core/earthing/BlockPartition.h"
#include "core/earthing/ClusterTree.h"
#include "core/earthing/LowRankBlock.h"
#include "core/earthing/SolveProgress.h"
#include "core/earthing/Vec3.h"
#include "core/earthing/WorkMonitor.h"

#include <Eigen/Core>

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

namespace tav::earthing {

// A matrix between observers (rows) and sources (columns) held as a hierarchical matrix:
// blocks of far clusters low-rank by cross approximation, blocks of near leaves dense, so
// that memory and the product grow about as N log N rather than N^2. The entries are read
// through a function of the original indices, only as the blocks need them.
class CompressedOperator {
public:
    using Entry = std::function<double(int row, int col)>;

    struct Settings {
        double tolerance = 1e-6; // relative, per block (Frobenius)
        double eta = 1.5;        // admissibility
        int leafSize = 32;
        // Observers and sources are one point set and the matrix symmetric: only the
        // blocks on and below the diagonal are built, the others are their transposes.
        bool symmetric = false;
        // Far blocks of more rows and columns together are split, so that each is read
        // well within the time a cancel may wait (0: no limit).
        int largestFar = 8192;
    };

    struct Stats {
        int nearBlocks = 0;
        int farBlocks = 0;
        int largestRank = 0;
        std::size_t bytes = 0;
    };

    // The dense near block of a leaf with itself, for a block preconditioner (symmetric).
    struct DiagonalBlock {
        std::vector<int> indices; // original, rows and columns alike
        Eigen::MatrixXd matrix;
    };

    // sources is ignored when symmetric. With a monitor, a cancel is heard while the
    // trees and blocks are laid out (on the calling thread); the operator is then to drop.
    CompressedOperator(const std::vector<Vec3> &observers, const std::vector<Vec3> &sources,
                       const Settings &settings, WorkMonitor *monitor = nullptr);
    // The blocks refer to the trees.
    CompressedOperator(const CompressedOperator &) = delete;
    CompressedOperator &operator=(const CompressedOperator &) = delete;

    // Reads the entries and compresses every block on every core; false when cancelled.
    bool assemble(const Entry &entry, WorkMonitor &monitor,
                  SolveProgress::Stage stage = SolveProgress::Stage::Matrix);

    int rows() const { return m_rowTree.size(); }
    int cols() const { return colTree().size(); }
    // y = A x, x and y in the original order.
    void multiply(const Eigen::VectorXd &x, Eigen::VectorXd &y) const;
    // The same on every core; false when cancelled.
    bool multiply(const Eigen::VectorXd &x, Eigen::VectorXd &y, WorkMonitor &monitor,
                  double fraction) const;

    // y = A x for a matrix used once: each block read, compressed, applied and dropped,
    // so that only the blocks in hand are held. The operator need not be assembled.
    bool multiplyOnce(const Entry &entry, const Eigen::VectorXd &x, Eigen::VectorXd &y,
                      WorkMonitor &monitor, SolveProgress::Stage stage) const;

    // Frees the blocks on every core, in items short enough for a cancel to be heard
    // between them: a large operator holds millions of them.
    void release(WorkMonitor &monitor, SolveProgress::Stage stage);

    Stats stats() const;
    std::size_t bytes() const { return stats().bytes; }
    std::size_t denseBytes() const { return std::size_t(rows()) * std::size_t(cols()) * sizeof(double); }
    std::vector<DiagonalBlock> diagonalBlocks() const;
    const ClusterTree &rowTree() const { return m_rowTree; }
    const ClusterTree &colTree() const { return m_colTree ? *m_colTree : m_rowTree; }

private:
    struct Filled {
        bool lowRank = false;
        LowRankBlock low;
        Eigen::MatrixXd dense;
    };

    // kept: to be held, so recompressed and stored dense when that is smaller.
    Filled blockOf(std::size_t b, const Entry &entry, bool kept) const;
    // Block b's product with x added to rows (its rows' part of the result) and, where it
    // stands for its transpose too (mirrored), to columns (its columns' part).
    void apply(std::size_t b, const Filled &filled, const Eigen::VectorXd &x,
               Eigen::Ref<Eigen::VectorXd> rows, Eigen::Ref<Eigen::VectorXd> columns) const;
    bool mirrored(std::size_t b) const;
    Eigen::VectorBlock<Eigen::VectorXd> rowsOf(std::size_t b, Eigen::VectorXd &y) const;
    Eigen::VectorBlock<Eigen::VectorXd> columnsOf(std::size_t b, Eigen::VectorXd &y) const;
    // Blocks applied on every core, each block's share kept apart and added in the blocks'
    // order, so that the product is the same whichever core took which block; each block
    // filled from entry when given, else the one held.
    bool applyAll(const std::vector<std::size_t> &order, const Entry *entry,
                  const Eigen::VectorXd &px, Eigen::VectorXd &py, WorkMonitor &monitor,
                  SolveProgress::Stage stage, double from, double to) const;
    // The blocks' indices, the largest first, so that no core is left with one at the end.
    std::vector<std::size_t> largestFirst() const;

    Settings m_settings;
    std::function<bool()> m_going; // while it is laid out
    ClusterTree m_rowTree;
    std::unique_ptr<ClusterTree> m_colTree; // none when symmetric
    BlockPartition m_partition;
    std::vector<Filled> m_filled;
};

} // namespace tav::earthing
