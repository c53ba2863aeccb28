#include "core/earthing/LowRankBlock.h"

#include <Eigen/QR>
#include <Eigen/SVD>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tav::earthing {

namespace {

// The crosses found so far, as columns of growing U and V.
struct Crosses {
    Eigen::MatrixXd u;
    Eigen::MatrixXd v;
    int rank = 0;

    // Room for a few crosses at first, doubled as they come: a block of many rows and
    // columns takes a rank of tens, never min(m, n).
    Crosses(int rows, int cols, int most)
        : u(rows, std::min(most, 16)), v(cols, std::min(most, 16)) {}

    void add(const Eigen::VectorXd &a, const Eigen::VectorXd &b) {
        if (rank == u.cols()) {
            const Eigen::Index room = std::min<Eigen::Index>(2 * u.cols(), std::min(u.rows(), v.rows()));
            u.conservativeResize(Eigen::NoChange, room);
            v.conservativeResize(Eigen::NoChange, room);
        }
        u.col(rank) = a;
        v.col(rank) = b;
        ++rank;
    }

    // The residual of row i: the block's row less the crosses'.
    Eigen::VectorXd row(int i, int cols, const LowRankBlock::Entry &entry) const {
        Eigen::VectorXd r(cols);
        for (int j = 0; j < cols; ++j)
            r[j] = entry(i, j);
        r.noalias() -= v.leftCols(rank) * u.row(i).head(rank).transpose();
        return r;
    }
    Eigen::VectorXd col(int j, int rows, const LowRankBlock::Entry &entry) const {
        Eigen::VectorXd c(rows);
        for (int i = 0; i < rows; ++i)
            c[i] = entry(i, j);
        c.noalias() -= u.leftCols(rank) * v.row(j).head(rank).transpose();
        return c;
    }
    // ||S_k||_F^2 after adding the cross a b^T to S_{k-1}: the new cross's own square and
    // twice its products with the older ones, not the m x n sum.
    double grownNorm2(double before, const Eigen::VectorXd &a, const Eigen::VectorXd &b) const {
        const Eigen::VectorXd ua = u.leftCols(rank).transpose() * a;
        const Eigen::VectorXd vb = v.leftCols(rank).transpose() * b;
        return before + 2 * ua.dot(vb) + a.squaredNorm() * b.squaredNorm();
    }
};

// The unused row where the newest column is largest, or the next unused one after `from`
// when that column has nothing left (a zero block so far).
int nextRow(const std::vector<bool> &used, const Eigen::VectorXd *column, int from) {
    const int rows = int(used.size());
    int best = -1;
    double largest = 0;
    if (column)
        for (int i = 0; i < rows; ++i)
            if (!used[std::size_t(i)] && std::abs((*column)[i]) > largest) {
                largest = std::abs((*column)[i]);
                best = i;
            }
    for (int step = 1; best < 0 && step <= rows; ++step) {
        const int i = (from + step) % rows;
        if (!used[std::size_t(i)])
            best = i;
    }
    return best;
}

} // namespace

LowRankBlock LowRankBlock::approximate(int rows, int cols, const Entry &entry, double eps,
                                       bool recompressed) {
    const int most = std::min(rows, cols);
    Crosses crosses(rows, cols, most);
    std::vector<bool> used(std::size_t(rows), false);
    double norm2 = 0;
    int i = rows > 0 ? 0 : -1;
    Eigen::VectorXd lastColumn;
    while (i >= 0 && crosses.rank < most) {
        used[std::size_t(i)] = true;
        Eigen::VectorXd r = crosses.row(i, cols, entry);
        Eigen::Index j = 0;
        const double pivot = r.cwiseAbs().maxCoeff(&j);
        if (!(pivot > 0)) {
            // This row is already matched (or zero, or not a number): try another; a
            // block of zeros is thus read whole, and has rank 0.
            i = nextRow(used, nullptr, i);
            continue;
        }
        r /= r[j];
        const Eigen::VectorXd c = crosses.col(int(j), rows, entry);
        norm2 = crosses.grownNorm2(norm2, c, r);
        crosses.add(c, r);
        if (c.norm() * r.norm() <= eps * std::sqrt(std::max(norm2, 0.)))
            break;
        lastColumn = c;
        i = nextRow(used, &lastColumn, i);
    }
    LowRankBlock block(crosses.u.leftCols(crosses.rank), crosses.v.leftCols(crosses.rank));
    if (recompressed)
        block.recompress(eps);
    return block;
}

void LowRankBlock::recompress(double eps) {
    const Eigen::Index k = m_u.cols();
    if (k == 0)
        return;
    const Eigen::HouseholderQR<Eigen::MatrixXd> qu(m_u);
    const Eigen::HouseholderQR<Eigen::MatrixXd> qv(m_v);
    const Eigen::MatrixXd ru = qu.matrixQR().topRows(k).triangularView<Eigen::Upper>();
    const Eigen::MatrixXd rv = qv.matrixQR().topRows(k).triangularView<Eigen::Upper>();
    const Eigen::JacobiSVD<Eigen::MatrixXd> svd(ru * rv.transpose(),
                                                Eigen::ComputeFullU | Eigen::ComputeFullV);
    const Eigen::VectorXd &sigma = svd.singularValues();
    // Keep the least rank whose dropped tail holds at most eps of the whole.
    const double total2 = sigma.squaredNorm();
    Eigen::Index keep = k;
    double tail2 = 0;
    while (keep > 0 && tail2 + sigma[keep - 1] * sigma[keep - 1] <= eps * eps * total2) {
        tail2 += sigma[keep - 1] * sigma[keep - 1];
        --keep;
    }
    const Eigen::MatrixXd thinU = qu.householderQ() * Eigen::MatrixXd::Identity(m_u.rows(), k);
    const Eigen::MatrixXd thinV = qv.householderQ() * Eigen::MatrixXd::Identity(m_v.rows(), k);
    m_u = thinU * (svd.matrixU().leftCols(keep) * sigma.head(keep).asDiagonal());
    m_v = thinV * svd.matrixV().leftCols(keep);
}

void LowRankBlock::multiplyAdd(const Eigen::Ref<const Eigen::VectorXd> &x,
                               Eigen::Ref<Eigen::VectorXd> y) const {
    if (rank() > 0)
        y.noalias() += m_u * (m_v.transpose() * x);
}

void LowRankBlock::multiplyTransposedAdd(const Eigen::Ref<const Eigen::VectorXd> &x,
                                         Eigen::Ref<Eigen::VectorXd> y) const {
    if (rank() > 0)
        y.noalias() += m_v * (m_u.transpose() * x);
}

} // namespace tav::earthing
