#include "core/earthing/SystemSolver.h"

#include "core/earthing/BlockJacobi.h"

#include <Eigen/Cholesky>

#include <algorithm>
#include <cmath>

namespace tav::earthing {

SystemSolver::SystemSolver(Eigen::MatrixXd &A, const std::vector<int> &groupOf, int groups,
                           const std::vector<int> &cluster, const Settings &settings)
    : m_A(A), m_groupOf(groupOf), m_groups(groups), m_cluster(cluster), m_settings(settings) {}

bool SystemSolver::solve(double current, WorkMonitor &monitor, SystemSolution &solution) {
    const Eigen::Index n = m_A.rows();
    Eigen::MatrixXd E = Eigen::MatrixXd::Zero(n, m_groups);
    for (Eigen::Index k = 0; k < n; ++k)
        E(k, m_groupOf[std::size_t(k)]) = 1;
    Eigen::MatrixXd X;
    solution.iterative = n > m_settings.denseLimit;
    const bool done =
        solution.iterative ? solveIterative(E, X, monitor, solution) : solveDense(E, X, monitor);
    if (!done)
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
    const Eigen::LLT<Eigen::MatrixXd, Eigen::Lower> llt(m_A);
    if (llt.info() == Eigen::Success)
        X = llt.solve(E);
    else // the far forms cost the matrix its definiteness: a symmetric indefinite factor
        X = m_A.selfadjointView<Eigen::Lower>().ldlt().solve(E);
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
    std::vector<Eigen::VectorXd> partial(std::size_t(monitor.threads()), Eigen::VectorXd::Zero(n));
    const bool done = monitor.run(
        SolveProgress::Stage::Solution, bounds.size() - 1,
        [&](std::size_t block, int t) {
            double *out = partial[std::size_t(t)].data();
            const double *in = x.data();
            for (Eigen::Index j = bounds[block]; j < bounds[block + 1]; ++j) {
                const double *col = A.col(j).data();
                const double xj = in[j];
                double sum = col[j] * xj;
                for (Eigen::Index i = j + 1; i < n; ++i) {
                    sum += col[i] * in[i];
                    out[i] += col[i] * xj;
                }
                out[j] += sum;
            }
        },
        fraction, fraction);
    y = partial[0];
    for (std::size_t t = 1; t < partial.size(); ++t)
        y += partial[t];
    return done;
}

bool SystemSolver::solveIterative(const Eigen::MatrixXd &E, Eigen::MatrixXd &X,
                                  WorkMonitor &monitor, SystemSolution &solution) {
    const Eigen::Index n = m_A.rows();
    if (!monitor.report(SolveProgress::Stage::Solution, 0, true))
        return false;
    const BlockJacobi preconditioner(m_A, m_cluster);
    X = Eigen::MatrixXd::Zero(n, E.cols());
    const int maxIterations = m_settings.maxIterations;
    Eigen::VectorXd r, z, p, q;
    for (Eigen::Index c = 0; c < E.cols(); ++c) {
        Eigen::VectorXd x = Eigen::VectorXd::Zero(n);
        r = E.col(c);
        const double norm = r.norm();
        preconditioner.apply(r, z);
        p = z;
        double rz = r.dot(z);
        double residual = 1;
        int it = 0;
        while (residual > m_settings.tolerance && it < maxIterations) {
            const double fraction =
                (double(c) + std::log(residual) / std::log(m_settings.tolerance)) /
                double(E.cols());
            if (!multiply(m_A, p, q, monitor, std::max(fraction, 1e-9)))
                return false;
            const double alpha = rz / p.dot(q);
            x += alpha * p;
            r -= alpha * q;
            residual = r.norm() / norm;
            ++it;
            preconditioner.apply(r, z);
            const double rzNext = r.dot(z);
            p = z + (rzNext / rz) * p;
            rz = rzNext;
        }
        solution.iterations += it;
        solution.residual = std::max(solution.residual, residual);
        solution.converged = solution.converged && residual <= m_settings.tolerance;
        X.col(c) = x;
    }
    return true;
}

} // namespace tav::earthing
