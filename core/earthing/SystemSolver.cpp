#include "core/earthing/SystemSolver.h"

#include "core/earthing/BlockJacobi.h"
#include "core/earthing/GroupProjection.h"

#include <Eigen/Cholesky>

#include <algorithm>
#include <cmath>
#include <utility>

namespace tav::earthing {

SystemSolver::SystemSolver(Eigen::MatrixXd &A, const std::vector<int> &groupOf, int groups,
                           const std::vector<int> &cluster, const Settings &settings)
    : m_A(&A), m_n(A.rows()), m_groupOf(groupOf), m_groups(groups), m_cluster(cluster),
      m_settings(settings) {
    m_product = [&A](const Eigen::VectorXd &x, Eigen::VectorXd &y, WorkMonitor &monitor,
                     double fraction) { return multiply(A, x, y, monitor, fraction); };
    m_entry = [&A](int i, int j) { return A(i, j); };
}

SystemSolver::SystemSolver(Eigen::Index n, Product product, Entry entry,
                           const std::vector<int> &groupOf, int groups,
                           const std::vector<int> &cluster, const Settings &settings)
    : m_n(n), m_product(std::move(product)), m_entry(std::move(entry)), m_groupOf(groupOf),
      m_groups(groups), m_cluster(cluster), m_settings(settings) {}

bool SystemSolver::solve(double current, WorkMonitor &monitor, SystemSolution &solution) {
    const Eigen::Index n = m_n;
    solution.iterative = !m_A || n > m_settings.denseLimit;
    if (solution.iterative)
        return solveIterative(current, monitor, solution);
    Eigen::MatrixXd E = Eigen::MatrixXd::Zero(n, m_groups);
    for (Eigen::Index k = 0; k < n; ++k)
        E(k, m_groupOf[std::size_t(k)]) = 1;
    Eigen::MatrixXd X;
    if (!solveDense(E, X, monitor))
        return false;
    // The group conductances, symmetric positive definite.
    const Eigen::MatrixXd C = E.transpose() * X;
    Eigen::VectorXd b = Eigen::VectorXd::Zero(m_groups);
    b[0] = current;
    const Eigen::VectorXd V = C.ldlt().solve(b);
    const Eigen::VectorXd I = X * V;
    solution.potentials.assign(V.data(), V.data() + V.size());
    solution.currents.assign(I.data(), I.data() + I.size());
    return true;
}

bool SystemSolver::solveDense(const Eigen::MatrixXd &E, Eigen::MatrixXd &X, WorkMonitor &monitor) {
    if (!monitor.report(SolveProgress::Stage::Solution, 0, true))
        return false;
    const Eigen::LLT<Eigen::MatrixXd, Eigen::Lower> llt(*m_A);
    if (llt.info() == Eigen::Success)
        X = llt.solve(E);
    else // the far forms cost the matrix its definiteness: a symmetric indefinite factor
        X = m_A->selfadjointView<Eigen::Lower>().ldlt().solve(E);
    return monitor.report(SolveProgress::Stage::Solution, 1, true);
}

bool SystemSolver::multiply(const Eigen::MatrixXd &A, const Eigen::VectorXd &x, Eigen::VectorXd &y,
                            WorkMonitor &monitor, double fraction) {
    const Eigen::Index n = A.rows();
    // Column blocks of about equal shares of the triangle.
    constexpr int kBlocks = 64;
    std::vector<Eigen::Index> bounds = {0};
    const double total = 0.5 * double(n) * double(n + 1);
    double area = 0;
    for (Eigen::Index j = 0; j < n; ++j) {
        area += double(n - j);
        if (area >= total * double(bounds.size()) / kBlocks && j + 1 < n)
            bounds.push_back(j + 1);
    }
    bounds.push_back(n);
    // Each block's share of the product apart, added in the blocks' order: the sum is then
    // the same whichever thread took which block, and so is every figure after it, run
    // after run. A block touches only the rows from its first column down.
    std::vector<Eigen::VectorXd> partial(bounds.size() - 1);
    const bool done = monitor.run(
        SolveProgress::Stage::Solution, bounds.size() - 1,
        [&](std::size_t block, int) {
            // Rows counted from the block's first column: out, in and each column alike.
            const Eigen::Index first = bounds[block];
            const Eigen::Index m = n - first;
            partial[block] = Eigen::VectorXd::Zero(m);
            double *out = partial[block].data();
            const double *in = x.data() + first;
            for (Eigen::Index j = 0; j < bounds[block + 1] - first; ++j) {
                const double *col = A.col(first + j).data() + first;
                const double xj = in[j];
                double sum = col[j] * xj;
                for (Eigen::Index i = j + 1; i < m; ++i) {
                    sum += col[i] * in[i];
                    out[i] += col[i] * xj;
                }
                out[j] += sum;
            }
        },
        fraction, fraction);
    y = Eigen::VectorXd::Zero(n);
    if (!done)
        return false;
    for (std::size_t block = 0; block < partial.size(); ++block)
        y.tail(n - bounds[block]) += partial[block];
    return true;
}

// The currents minimise the energy 1/2 I^T A I among those that leave the injected current
// from group 0 and none from the others; the groups' potentials are the multipliers of
// those constraints. Projected conjugate gradients from a start that meets them (group 0's
// current shared evenly) keep every iterate meeting them, preconditioned by GroupProjection;
// r = A I - E V is kept updated, V the potentials found so far, so that the residual is the
// equations' own. One product with A per iteration, whatever the number of groups.
bool SystemSolver::solveIterative(double current, WorkMonitor &monitor,
                                  SystemSolution &solution) {
    const Eigen::Index n = m_n;
    if (!monitor.report(SolveProgress::Stage::Solution, 0, true))
        return false;
    const BlockJacobi preconditioner(m_entry, m_cluster, monitor);
    if (monitor.cancelled())
        return false;
    const GroupProjection projection(preconditioner, m_groupOf, m_groups);
    const double energised =
        double(std::count(m_groupOf.begin(), m_groupOf.end(), 0));
    Eigen::VectorXd x(n);
    for (Eigen::Index k = 0; k < n; ++k)
        x[k] = m_groupOf[std::size_t(k)] == 0 ? current / energised : 0;
    Eigen::VectorXd r, z, v, p, q, spread;
    if (!m_product(x, r, monitor, 1e-9))
        return false;
    Eigen::VectorXd V = Eigen::VectorXd::Zero(m_groups);
    const auto project = [&]() {
        projection.apply(r, z, v);
        V += v;
        projection.spread(v, spread);
        r -= spread;
    };
    project();
    p = -z;
    double rz = r.dot(z);
    double residual = HUGE_VAL;
    int it = 0;
    const auto measure = [&]() {
        projection.spread(V, spread);
        residual = r.norm() / spread.norm();
    };
    measure();
    while (residual > m_settings.tolerance && it < m_settings.maxIterations) {
        const double fraction = std::log(residual) / std::log(m_settings.tolerance);
        if (!m_product(p, q, monitor, std::clamp(fraction, 1e-9, 1.)))
            return false;
        const double alpha = rz / p.dot(q);
        x += alpha * p;
        r += alpha * q;
        project();
        const double rzNext = r.dot(z);
        p = -z + (rzNext / rz) * p;
        rz = rzNext;
        ++it;
        measure();
    }
    solution.iterations = it;
    solution.residual = residual;
    solution.converged = residual <= m_settings.tolerance;
    solution.potentials.assign(V.data(), V.data() + V.size());
    solution.currents.assign(x.data(), x.data() + x.size());
    return true;
}

} // namespace tav::earthing
