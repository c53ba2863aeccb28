#pragma once

#include <Eigen/Core>

#include <cstddef>
#include <functional>

namespace tav::earthing {

// A block of m x n taken as U V^T, U m x k and V n x k, found from a few of its rows and
// columns by partially pivoted adaptive cross approximation (Bebendorf 2000), then
// recompressed to the least rank that keeps the tolerance.
class LowRankBlock {
public:
    // The block's entry at a local row and column.
    using Entry = std::function<double(int row, int col)>;

    LowRankBlock() = default;

    // Stops when the newest cross is within eps of the approximation so far (Frobenius,
    // relative) or at rank min(m, n); the result is then recompressed at eps.
    // Recompression saves memory, not accuracy: a block used once is better without.
    static LowRankBlock approximate(int rows, int cols, const Entry &entry, double eps,
                                    bool recompressed = true);

    // QR of U and of V, the SVD of R_U R_V^T, truncated where the dropped singular values
    // hold at most eps of the Frobenius norm.
    void recompress(double eps);

    int rows() const { return int(m_u.rows()); }
    int cols() const { return int(m_v.rows()); }
    int rank() const { return int(m_u.cols()); }
    const Eigen::MatrixXd &u() const { return m_u; }
    const Eigen::MatrixXd &v() const { return m_v; }
    Eigen::MatrixXd dense() const { return m_u * m_v.transpose(); }
    std::size_t bytes() const { return std::size_t(m_u.size() + m_v.size()) * sizeof(double); }

    // y += U V^T x and y += V U^T x.
    void multiplyAdd(const Eigen::Ref<const Eigen::VectorXd> &x, Eigen::Ref<Eigen::VectorXd> y) const;
    void multiplyTransposedAdd(const Eigen::Ref<const Eigen::VectorXd> &x,
                               Eigen::Ref<Eigen::VectorXd> y) const;

private:
    LowRankBlock(Eigen::MatrixXd u, Eigen::MatrixXd v) : m_u(std::move(u)), m_v(std::move(v)) {}

    Eigen::MatrixXd m_u;
    Eigen::MatrixXd m_v;
};

} // namespace tav::earthing
