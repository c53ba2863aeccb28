#include "core/earthing/CouplingMatrix.h"

#include "core/earthing/SpatialIndex.h"

#include <algorithm>

namespace tav::earthing {

CouplingMatrix::CouplingMatrix(const Coupling &coupling) : m_coupling(coupling) {
    const std::vector<Segment> &segments = coupling.segmentList();
    for (const Segment &s : segments) {
        const Vec3 m = s.middle();
        m_x.push_back(m.x);
        m_y.push_back(m.y);
    }
    for (int k = 0; k < int(segments.size()); ++k) {
        const int c = coupling.classOf(k);
        if (m_runs.empty() || m_runs.back().depthClass != c)
            m_runs.push_back({k, k + 1, c});
        else
            m_runs.back().end = k + 1;
    }
}

bool CouplingMatrix::fill(Eigen::MatrixXd &A, WorkMonitor &monitor) const {
    const SpatialIndex index(m_x, m_y, m_coupling.settings().far());
    const int n = int(A.rows());
    return monitor.run(SolveProgress::Stage::Matrix, std::size_t(n), [&](std::size_t item, int) {
        const int j = int(item);
        column(A, j);
        if (m_coupling.settings().exact || m_coupling.classOf(j) < 0)
            return;
        const double reach = m_coupling.settings().far();
        index.near(m_x[j], m_y[j], [&](int i) {
            if (i < j || m_coupling.classOf(i) < 0)
                return;
            if (std::hypot(m_x[i] - m_x[j], m_y[i] - m_y[j]) < reach)
                A(i, j) = m_coupling.segments(i, j);
        });
    });
}

void CouplingMatrix::column(Eigen::MatrixXd &A, int j) const {
    double *col = A.col(j).data();
    const int cj = m_coupling.classOf(j);
    const int n = int(A.rows());
    if (m_coupling.settings().exact || cj < 0) {
        for (int i = j; i < n; ++i)
            col[i] = m_coupling.segments(i, j);
        return;
    }
    const double xj = m_x[j];
    const double yj = m_y[j];
    for (const Run &run : m_runs) {
        if (run.end <= j)
            continue;
        const int begin = std::max(run.begin, j);
        if (run.depthClass < 0) {
            for (int i = begin; i < run.end; ++i)
                col[i] = m_coupling.segments(i, j);
            continue;
        }
        const RadialTable &table = m_coupling.tables().pair(run.depthClass, cj).tables->all;
        const Coupling::FarData &far = m_coupling.farData();
        const double uxj = far.ux[j];
        const double uyj = far.uy[j];
        const double kj = far.k[j];
        for (int i = begin; i < run.end; ++i)
            col[i] = Coupling::farForm(table, far.x[i] - xj, far.y[i] - yj, far.ux[i], far.uy[i],
                                       far.k[i], uxj, uyj, kj);
    }
}

} // namespace tav::earthing
