#include "core/earthing/SurfaceField.h"

#include "core/earthing/CompressedOperator.h"
#include "core/earthing/VectorClones.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tav::earthing {

SurfaceField::SurfaceField(std::shared_ptr<const EarthingModel> model, std::vector<double> currents)
    : m_model(std::move(model)), m_currents(std::move(currents)) {
    const Coupling &coupling = *m_model->coupling;
    const std::vector<Segment> &segments = m_model->segments;
    for (const Segment &s : segments) {
        const Vec3 m = s.middle();
        m_x.push_back(m.x);
        m_y.push_back(m.y);
    }
    const int surface = coupling.tables().surface();
    for (int k = 0; k < int(segments.size()); ++k) {
        const int c = coupling.classOf(k);
        const RadialTable *table =
            c < 0 ? nullptr : &coupling.tables().pair(surface, c).tables->all;
        if (m_runs.empty() || m_runs.back().table != table)
            m_runs.push_back({k, k + 1, table});
        else
            m_runs.back().end = k + 1;
    }
    m_index = std::make_unique<SpatialIndex>(m_x, m_y, coupling.settings().far());
}

std::shared_ptr<const SurfaceField> SurfaceField::scaled(double factor) const {
    std::vector<double> currents = m_currents;
    for (double &current : currents)
        current *= factor;
    return std::make_shared<const SurfaceField>(m_model, std::move(currents));
}

double SurfaceField::potential(double x, double y) const {
    // No number in, none out: the tables cannot be read at a place that is none.
    if (!std::isfinite(x) || !std::isfinite(y))
        return std::numeric_limits<double>::quiet_NaN();
    const Coupling &coupling = *m_model->coupling;
    const Vec3 at = {x, y, 0};
    const int n = int(m_currents.size());
    double v = 0;
    if (coupling.settings().exact) {
        for (int j = 0; j < n; ++j)
            v += m_currents[j] * coupling.exactPoint(at, j);
        return v;
    }
    const double *current = m_currents.data();
    for (const Run &run : m_runs) {
        if (!run.table) {
            for (int j = run.begin; j < run.end; ++j)
                v += current[j] * coupling.point(at, j);
            continue;
        }
        const RadialTable &table = *run.table;
        const Coupling::FarData &far = coupling.farData();
        double sum = 0;
        for (int j = run.begin; j < run.end; ++j)
            sum += current[j] * Coupling::farForm(table, far.x[j] - x, far.y[j] - y, 0, 0, 0,
                                                  far.ux[j], far.uy[j], far.k[j]);
        v += sum;
    }
    return withNear(x, y, v);
}

double SurfaceField::withNear(double x, double y, double v) const {
    const Coupling &coupling = *m_model->coupling;
    const Vec3 at = {x, y, 0};
    const double *current = m_currents.data();
    const int surface = coupling.tables().surface();
    const double reach = coupling.settings().far();
    m_index->near(x, y, [&](int j) {
        const int c = coupling.classOf(j);
        if (c < 0)
            return;
        const double dx = m_x[j] - x;
        const double dy = m_y[j] - y;
        if (std::hypot(dx, dy) >= reach)
            return;
        const RadialTable &table = coupling.tables().pair(surface, c).tables->all;
        v += current[j] * (coupling.point(at, j) - coupling.farPoint(table, x, y, j));
    });
    return v;
}

void SurfaceField::potentials(const double *x, const double *y, std::size_t count,
                              double *values) const {
    double bx[kBlock];
    double by[kBlock];
    for (std::size_t first = 0; first < count; first += kBlock) {
        const int n = int(std::min<std::size_t>(kBlock, count - first));
        // Points that are none are left out of the block, as potential() leaves them.
        int m = 0;
        int at[kBlock];
        for (int i = 0; i < n; ++i) {
            const std::size_t k = first + std::size_t(i);
            if (std::isfinite(x[k]) && std::isfinite(y[k])) {
                bx[m] = x[k];
                by[m] = y[k];
                at[m++] = i;
            } else {
                values[k] = std::numeric_limits<double>::quiet_NaN();
            }
        }
        double v[kBlock];
        block(bx, by, m, v);
        for (int i = 0; i < m; ++i)
            values[first + std::size_t(at[i])] = v[i];
    }
}

namespace {

// sum[i] += current[j] * the far form at point i, for j in [begin, end): the points in the
// inner loop, so that it vectorises while each point's sum is still taken in the order of
// j, as SurfaceField::potential takes it, and the figures stay the same to the bit.
template <int N>
TAV_VECTOR_CLONES void farSums(const RadialTable &table, const Coupling::FarData &far,
                               const double *current, int begin, int end, const double *px,
                               const double *py, double *sum) {
    double x[N], y[N], s[N];
    for (int i = 0; i < N; ++i) {
        x[i] = px[i];
        y[i] = py[i];
        s[i] = 0;
    }
    for (int j = begin; j < end; ++j) {
        const double xj = far.x[j];
        const double yj = far.y[j];
        const double uxj = far.ux[j];
        const double uyj = far.uy[j];
        const double kj = far.k[j];
        const double cj = current[j];
        for (int i = 0; i < N; ++i)
            s[i] += cj * Coupling::farForm(table, xj - x[i], yj - y[i], 0, 0, 0, uxj, uyj, kj);
    }
    for (int i = 0; i < N; ++i)
        sum[i] = s[i];
}

} // namespace

void SurfaceField::block(const double *x, const double *y, int count, double *values) const {
    const Coupling &coupling = *m_model->coupling;
    if (count <= 0)
        return;
    if (coupling.settings().exact) {
        for (int i = 0; i < count; ++i)
            values[i] = potential(x[i], y[i]);
        return;
    }
    // A short block is filled up with its last point, which the loop computes for nothing.
    double px[kBlock];
    double py[kBlock];
    for (int i = 0; i < kBlock; ++i) {
        px[i] = x[std::min(i, count - 1)];
        py[i] = y[std::min(i, count - 1)];
    }
    double v[kBlock] = {};
    double sum[kBlock];
    const double *current = m_currents.data();
    for (const Run &run : m_runs) {
        if (!run.table) {
            for (int i = 0; i < count; ++i) {
                const Vec3 at = {px[i], py[i], 0};
                for (int j = run.begin; j < run.end; ++j)
                    v[i] += current[j] * coupling.point(at, j);
            }
            continue;
        }
        farSums<kBlock>(*run.table, coupling.farData(), current, run.begin, run.end, px, py, sum);
        for (int i = 0; i < kBlock; ++i)
            v[i] += sum[i];
    }
    for (int i = 0; i < count; ++i)
        values[i] = withNear(px[i], py[i], v[i]);
}

bool SurfaceField::raster(const RasterGrid &grid, std::vector<double> &values,
                          WorkMonitor &monitor, const Summation &summation) const {
    if (summation.compressed && grid.size() > 0 && !m_currents.empty())
        return compressedProduct(grid, values, monitor, summation.tolerance);
    return pointByPoint(grid, values, monitor);
}

bool SurfaceField::pointByPoint(const RasterGrid &grid, std::vector<double> &values,
                                WorkMonitor &monitor) const {
    values.assign(grid.size(), 0.);
    // A row of a large system takes longer than a cancel may wait: the items are pieces
    // of rows, so that the calling thread hears a cancel between them.
    constexpr int kPiece = 32;
    const int pieces = std::max(1, (grid.nx + kPiece - 1) / kPiece);
    return monitor.run(SolveProgress::Stage::Surface, std::size_t(grid.ny) * std::size_t(pieces),
                       [&](std::size_t item, int) {
                           const int j = int(item / std::size_t(pieces));
                           const int begin = int(item % std::size_t(pieces)) * kPiece;
                           const int end = std::min(grid.nx, begin + kPiece);
                           double x[kPiece];
                           double y[kPiece];
                           for (int i = begin; i < end; ++i) {
                               x[i - begin] = grid.x(i);
                               y[i - begin] = grid.y(j);
                           }
                           potentials(x, y, std::size_t(end - begin),
                                      values.data() + std::size_t(j) * grid.nx + begin);
                       });
}

bool SurfaceField::compressedProduct(const RasterGrid &grid, std::vector<double> &values,
                                     WorkMonitor &monitor, double tolerance) const {
    std::vector<Vec3> points;
    points.reserve(grid.size());
    for (int j = 0; j < grid.ny; ++j)
        for (int i = 0; i < grid.nx; ++i)
            points.push_back({grid.x(i), grid.y(j), 0});
    std::vector<Vec3> middles;
    middles.reserve(m_currents.size());
    for (const Segment &s : m_model->segments)
        middles.push_back(s.middle());
    CompressedOperator::Settings settings;
    settings.tolerance = tolerance;
    const CompressedOperator op(points, middles, settings, &monitor);
    if (monitor.cancelled())
        return false;
    const Coupling &coupling = *m_model->coupling;
    // The same coefficient the point-by-point sum takes, a far or a near form by distance.
    const auto entry = [&](int row, int col) {
        return coupling.point(points[std::size_t(row)], col);
    };
    const Eigen::VectorXd currents =
        Eigen::Map<const Eigen::VectorXd>(m_currents.data(), Eigen::Index(m_currents.size()));
    Eigen::VectorXd product;
    if (!op.multiplyOnce(entry, currents, product, monitor, SolveProgress::Stage::Surface))
        return false;
    values.assign(product.data(), product.data() + product.size());
    return true;
}

} // namespace tav::earthing
