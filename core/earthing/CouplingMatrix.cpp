#include "core/earthing/CouplingMatrix.h"

#include "core/earthing/SpatialIndex.h"
#include "core/earthing/VectorClones.h"

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

namespace {

// col[i] for i in [begin, end), segment i's far form against segment j: no entry
// depends on another. In pieces of a fixed length, which the compiler vectorises without
// a remainder of its own to weigh; the rest one by one.
TAV_VECTOR_CLONES void farColumn(const RadialTable &table, const Coupling::FarData &far, int j,
                                 int begin, int end, double *col) {
    const double xj = far.x[j];
    const double yj = far.y[j];
    const double uxj = far.ux[j];
    const double uyj = far.uy[j];
    const double kj = far.k[j];
    constexpr int kPiece = 32;
    int i = begin;
    for (; i + kPiece <= end; i += kPiece) {
        double x[kPiece], y[kPiece], ux[kPiece], uy[kPiece], k[kPiece], out[kPiece];
        for (int m = 0; m < kPiece; ++m) {
            x[m] = far.x[std::size_t(i + m)];
            y[m] = far.y[std::size_t(i + m)];
            ux[m] = far.ux[std::size_t(i + m)];
            uy[m] = far.uy[std::size_t(i + m)];
            k[m] = far.k[std::size_t(i + m)];
        }
        for (int m = 0; m < kPiece; ++m)
            out[m] =
                Coupling::farForm(table, x[m] - xj, y[m] - yj, ux[m], uy[m], k[m], uxj, uyj, kj);
        std::copy(out, out + kPiece, col + i);
    }
    for (; i < end; ++i)
        col[i] = Coupling::farForm(table, far.x[i] - xj, far.y[i] - yj, far.ux[i], far.uy[i],
                                   far.k[i], uxj, uyj, kj);
}

} // namespace

void CouplingMatrix::column(Eigen::MatrixXd &A, int j) const {
    double *col = A.col(j).data();
    const int cj = m_coupling.classOf(j);
    const int n = int(A.rows());
    if (m_coupling.settings().exact || cj < 0) {
        for (int i = j; i < n; ++i)
            col[i] = m_coupling.segments(i, j);
        return;
    }
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
        farColumn(table, m_coupling.farData(), j, begin, run.end, col);
    }
}

} // namespace tav::earthing
