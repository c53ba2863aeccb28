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
                          WorkMonitor &monitor) const {
    return raster(grid, values, monitor, Summation{});
}

bool SurfaceField::raster(const RasterGrid &grid, std::vector<double> &values,
                          WorkMonitor &monitor, const Summation &summation) const {
    // Below this many point-segment pairs the boxes save less than a few milliseconds:
    // every point is then summed over every segment, to the bit what potential() gives.
    constexpr double kPairsByBoxes = 4e6;
    if (!m_model->coupling->settings().exact &&
        double(grid.size()) * double(m_currents.size()) >= kPairsByBoxes)
        return byBoxes(grid, values, monitor);
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

namespace {

// The interpolation nodes along one side of a box: Chebyshev points of the first kind over
// the box's extent, or, where the box has no more points along it than that, its points
// themselves (which the interpolation then gives back exactly).
constexpr int kNodes = 10;
struct BoxAxis {
    int count = 0;
    double t[kNodes];
    double w[kNodes]; // barycentric weights
};

BoxAxis boxAxis(double (*at)(const RasterGrid &, int), const RasterGrid &grid, int begin, int end) {
    BoxAxis a;
    if (end - begin <= kNodes) {
        a.count = end - begin;
        for (int k = 0; k < a.count; ++k)
            a.t[k] = at(grid, begin + k);
    } else {
        a.count = kNodes;
        const double lo = at(grid, begin);
        const double hi = at(grid, end - 1);
        for (int k = 0; k < kNodes; ++k)
            a.t[k] =
                0.5 * (lo + hi) + 0.5 * (hi - lo) * std::cos((2 * k + 1) * M_PI / (2 * kNodes));
    }
    for (int k = 0; k < a.count; ++k) {
        double product = 1;
        for (int m = 0; m < a.count; ++m)
            if (m != k)
                product *= a.t[k] - a.t[m];
        a.w[k] = 1 / product;
    }
    return a;
}

double rasterX(const RasterGrid &grid, int i) {
    return grid.x(i);
}
double rasterY(const RasterGrid &grid, int j) {
    return grid.y(j);
}

// The Lagrange basis of the nodes at v, in the barycentric form (stable at any v).
void boxBasis(const BoxAxis &a, double v, double *l) {
    for (int k = 0; k < a.count; ++k)
        if (v == a.t[k]) {
            for (int m = 0; m < a.count; ++m)
                l[m] = m == k;
            return;
        }
    double sum = 0;
    for (int k = 0; k < a.count; ++k) {
        l[k] = a.w[k] / (v - a.t[k]);
        sum += l[k];
    }
    for (int k = 0; k < a.count; ++k)
        l[k] /= sum;
}

// sum[i] = the far forms at point i of the segments listed, in their order.
template <int N>
TAV_VECTOR_CLONES void listedFarSums(const RadialTable &table, const Coupling::FarData &far,
                                     const double *current, const int *list, int count,
                                     const double *px, const double *py, double *sum) {
    double x[N], y[N], s[N];
    for (int i = 0; i < N; ++i) {
        x[i] = px[i];
        y[i] = py[i];
        s[i] = 0;
    }
    for (int n = 0; n < count; ++n) {
        const int j = list[n];
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

// The far forms of the segments well apart from a box, as values at its nodes.
struct SurfaceField::BoxField {
    BoxAxis ax;
    BoxAxis ay;
    std::vector<double> v; // ay.count rows of ax.count

    // out[r * nx + c] += the interpolated field at (x[c], y[r]).
    void addAt(const double *x, int nx, const double *y, int ny, double *out) const {
        std::vector<double> lx(std::size_t(nx) * kNodes);
        for (int c = 0; c < nx; ++c)
            boxBasis(ax, x[c], &lx[std::size_t(c) * kNodes]);
        std::vector<double> rows(std::size_t(ay.count) * nx);
        for (int q = 0; q < ay.count; ++q)
            for (int c = 0; c < nx; ++c) {
                double sum = 0;
                for (int p = 0; p < ax.count; ++p)
                    sum += v[std::size_t(q) * ax.count + p] * lx[std::size_t(c) * kNodes + p];
                rows[std::size_t(q) * nx + c] = sum;
            }
        double ly[kNodes];
        for (int r = 0; r < ny; ++r) {
            boxBasis(ay, y[r], ly);
            for (int c = 0; c < nx; ++c) {
                double sum = 0;
                for (int q = 0; q < ay.count; ++q)
                    sum += ly[q] * rows[std::size_t(q) * nx + c];
                out[std::size_t(r) * nx + c] += sum;
            }
        }
    }
};

void SurfaceField::farAt(const double *x, const double *y, int count,
                         const std::vector<int> &segments, double *values) const {
    const Coupling &coupling = *m_model->coupling;
    const double *current = m_currents.data();
    double px[kBlock];
    double py[kBlock];
    double sum[kBlock];
    for (int first = 0; first < count; first += kBlock) {
        const int n = std::min(kBlock, count - first);
        for (int i = 0; i < kBlock; ++i) {
            px[i] = x[first + std::min(i, n - 1)];
            py[i] = y[first + std::min(i, n - 1)];
        }
        double v[kBlock] = {};
        for (const Run &run : m_runs) {
            const auto lo = std::lower_bound(segments.begin(), segments.end(), run.begin);
            const auto hi = std::lower_bound(lo, segments.end(), run.end);
            if (lo == hi)
                continue;
            if (!run.table) {
                for (int i = 0; i < n; ++i) {
                    const Vec3 at = {px[i], py[i], 0};
                    for (auto j = lo; j != hi; ++j)
                        v[i] += current[*j] * coupling.point(at, *j);
                }
                continue;
            }
            listedFarSums<kBlock>(*run.table, coupling.farData(), current, &*lo, int(hi - lo), px,
                                  py, sum);
            for (int i = 0; i < kBlock; ++i)
                v[i] += sum[i];
        }
        for (int i = 0; i < n; ++i)
            values[first + i] += v[i];
    }
}

// The far form of a segment, seen from a box at least the box's width away, is smooth over
// the box: a function with its nearest singularity that far (farther still by the depth
// of the segment), which kNodes Chebyshev points per side interpolate to about
// (3 + 2 sqrt 2)^-kNodes of it, 2e-8. A box sums those segments at its nodes, adds what
// its outer box passed down, and hands the nodes' values and the other segments to its two
// halves; a box with hardly more points than nodes sums its segments at its points. The
// near segments' exact coefficients are put in at the points as ever.
void SurfaceField::box(const RasterGrid &grid, const Box &b, const BoxField *outer,
                       const std::vector<int> &segments, double *values) const {
    const int px = b.i1 - b.i0;
    const int py = b.j1 - b.j0;
    BoxField field;
    field.ax = boxAxis(rasterX, grid, b.i0, b.i1);
    field.ay = boxAxis(rasterY, grid, b.j0, b.j1);
    const int nodes = field.ax.count * field.ay.count;
    if (2 * nodes >= px * py) {
        std::vector<double> x(static_cast<std::size_t>(px)), y(static_cast<std::size_t>(py));
        for (int i = 0; i < px; ++i)
            x[std::size_t(i)] = grid.x(b.i0 + i);
        for (int j = 0; j < py; ++j)
            y[std::size_t(j)] = grid.y(b.j0 + j);
        std::vector<double> v(std::size_t(px) * py, 0.);
        if (outer)
            outer->addAt(x.data(), px, y.data(), py, v.data());
        std::vector<double> row(static_cast<std::size_t>(px));
        for (int j = 0; j < py; ++j) {
            std::fill(row.begin(), row.end(), y[std::size_t(j)]);
            double *line = v.data() + std::size_t(j) * px;
            farAt(x.data(), row.data(), px, segments, line);
            double *to = values + std::size_t(b.j0 + j) * grid.nx + b.i0;
            for (int i = 0; i < px; ++i)
                to[i] = withNear(x[std::size_t(i)], y[std::size_t(j)], line[i]);
        }
        return;
    }
    field.v.assign(std::size_t(nodes), 0.);
    if (outer)
        outer->addAt(field.ax.t, field.ax.count, field.ay.t, field.ay.count, field.v.data());
    const double xa = grid.x(b.i0), xb = grid.x(b.i1 - 1);
    const double ya = grid.y(b.j0), yb = grid.y(b.j1 - 1);
    const double width = std::max(xb - xa, yb - ya);
    const Coupling &coupling = *m_model->coupling;
    std::vector<int> apart, inner;
    for (const int j : segments) {
        const double dx = std::max({xa - m_x[j], m_x[j] - xb, 0.});
        const double dy = std::max({ya - m_y[j], m_y[j] - yb, 0.});
        (coupling.classOf(j) >= 0 && dx * dx + dy * dy >= width * width ? apart : inner)
            .push_back(j);
    }
    if (!apart.empty()) {
        std::vector<double> x, y;
        for (int q = 0; q < field.ay.count; ++q)
            for (int p = 0; p < field.ax.count; ++p) {
                x.push_back(field.ax.t[p]);
                y.push_back(field.ay.t[q]);
            }
        farAt(x.data(), y.data(), nodes, apart, field.v.data());
    }
    Box first = b, second = b;
    if (px >= py)
        first.i1 = second.i0 = b.i0 + px / 2;
    else
        first.j1 = second.j0 = b.j0 + py / 2;
    box(grid, first, &field, inner, values);
    box(grid, second, &field, inner, values);
}

bool SurfaceField::byBoxes(const RasterGrid &grid, std::vector<double> &values,
                           WorkMonitor &monitor) const {
    values.assign(grid.size(), 0.);
    std::vector<int> all(m_currents.size());
    for (std::size_t j = 0; j < all.size(); ++j)
        all[j] = int(j);
    // Tiles of the raster, one per item, so that the cores share them and a cancel is
    // heard between them.
    constexpr int kTile = 64;
    const int across = (grid.nx + kTile - 1) / kTile;
    const int down = (grid.ny + kTile - 1) / kTile;
    return monitor.run(
        SolveProgress::Stage::Surface, std::size_t(across) * std::size_t(down),
        [&](std::size_t item, int) {
            const int i0 = int(item % std::size_t(across)) * kTile;
            const int j0 = int(item / std::size_t(across)) * kTile;
            const Box tile{i0, std::min(grid.nx, i0 + kTile), j0, std::min(grid.ny, j0 + kTile)};
            box(grid, tile, nullptr, all, values.data());
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
