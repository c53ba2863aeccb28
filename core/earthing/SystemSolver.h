#pragma once

#include "core/earthing/WorkMonitor.h"

#include <Eigen/Core>

#include <functional>
#include <vector>

namespace tav::earthing {

struct SystemSolution {
    std::vector<double> currents;   // A, per segment
    std::vector<double> potentials; // V, per group
    bool iterative = false;
    int iterations = 0;
    double residual = 0; // relative, the largest of the right-hand sides
    bool converged = true;
};

// Solves for the segments' currents: every segment of a group at the group's potential,
// the injected current leaving group 0 and none leaving the others. With X = A^-1 E, E
// the segments' groups as columns, the group currents are E^T X V; this G x G system
// gives the potentials V, and X V the currents. A is symmetric positive definite: up to
// denseLimit unknowns it is factored (Cholesky) and X solved for; beyond, one run of
// projected conjugate gradients gives the currents and the potentials together, its cost
// one product with A per iteration however many groups there are (solveIterative).
class SystemSolver {
public:
    struct Settings {
        int denseLimit = 800;
        double tolerance = 1e-10; // relative residual of the iterations
        int maxIterations = 2000;
    };

    // y = A x on every core, the solution's progress standing at fraction; false when
    // cancelled.
    using Product = std::function<bool(const Eigen::VectorXd &x, Eigen::VectorXd &y,
                                       WorkMonitor &monitor, double fraction)>;
    // A(i, j) for i >= j.
    using Entry = std::function<double(int i, int j)>;

    // A: lower triangle filled (it is overwritten by the factor when dense); cluster: a
    // cluster per segment for the preconditioner.
    SystemSolver(Eigen::MatrixXd &A, const std::vector<int> &groupOf, int groups,
                 const std::vector<int> &cluster, const Settings &settings);
    // A held otherwise (compressed) of n unknowns: always by the iterations.
    SystemSolver(Eigen::Index n, Product product, Entry entry, const std::vector<int> &groupOf,
                 int groups, const std::vector<int> &cluster, const Settings &settings);

    // False when cancelled.
    bool solve(double current, WorkMonitor &monitor, SystemSolution &solution);

    // y = A x from the lower triangle, on every core, the solution's progress standing at
    // fraction; false when cancelled.
    static bool multiply(const Eigen::MatrixXd &A, const Eigen::VectorXd &x, Eigen::VectorXd &y,
                         WorkMonitor &monitor, double fraction);

private:
    bool solveDense(const Eigen::MatrixXd &E, Eigen::MatrixXd &X, WorkMonitor &monitor);
    bool solveIterative(double current, WorkMonitor &monitor, SystemSolution &solution);

    Eigen::MatrixXd *m_A = nullptr;
    Eigen::Index m_n = 0;
    Product m_product;
    Entry m_entry;
    const std::vector<int> &m_groupOf;
    int m_groups;
    const std::vector<int> &m_cluster;
    Settings m_settings;
};

} // namespace tav::earthing
