#pragma once

#include "core/earthing/EarthingInput.h"
#include "core/earthing/EarthingModel.h"
#include "core/earthing/SpatialIndex.h"
#include "core/earthing/WorkMonitor.h"

#include <memory>
#include <vector>

namespace tav::earthing {

// A rectangle of surface points: x0 + i step, y0 + j step for i < nx, j < ny; values row
// by row, y outer.
struct RasterGrid {
    double x0 = 0;
    double y0 = 0;
    double step = 1;
    int nx = 0;
    int ny = 0;

    double x(int i) const { return x0 + i * step; }
    double y(int j) const { return y0 + j * step; }
    std::size_t size() const { return std::size_t(nx) * std::size_t(ny); }
};

// The potential on the surface of a solved system, anywhere: each segment's current
// times its coefficient, the far segments through the tables in one pass, the near ones
// put right from a spatial index.
class SurfaceField {
public:
    SurfaceField(std::shared_ptr<const EarthingModel> model, std::vector<double> currents);

    // The same system carrying factor times the current: the field is linear in it, so a
    // case that differs from a solved one only in its current needs no solve of its own.
    std::shared_ptr<const SurfaceField> scaled(double factor) const;

    // V at (x, y) on the surface; no number where x or y is none.
    double potential(double x, double y) const;
    // The same at count points at once, to the last bit, the far sum vectorised over
    // the points; on the calling thread.
    void potentials(const double *x, const double *y, std::size_t count, double *values) const;
    // How a raster is summed: point by point over every segment, or, for a large system,
    // as the product of a hierarchical matrix between the raster points and the segments
    // (far blocks low-rank to the tolerance), read block by block and never held whole.
    struct Summation {
        bool compressed = false;
        double tolerance = 1e-6;
    };
    // On every core; false when cancelled. A raster of many points against many segments
    // is summed by boxes instead (without the exact kernel), within 1e-7 of the GPR of
    // the sums above.
    bool raster(const RasterGrid &grid, std::vector<double> &values, WorkMonitor &monitor,
                const Summation &summation) const;
    bool raster(const RasterGrid &grid, std::vector<double> &values, WorkMonitor &monitor) const;

private:
    // Up to kBlock points, each finite.
    static constexpr int kBlock = 32;
    void block(const double *x, const double *y, int count, double *values) const;
    // v, the far sum at (x, y), put right by the near segments' exact coefficients.
    double withNear(double x, double y, double v) const;
    bool pointByPoint(const RasterGrid &grid, std::vector<double> &values,
                      WorkMonitor &monitor) const;
    // A raster of many points against many segments, by boxes: the far forms of the
    // segments well apart from a box summed at its interpolation nodes, the rest at its
    // points (SurfaceField.cpp says how and how well).
    bool byBoxes(const RasterGrid &grid, std::vector<double> &values, WorkMonitor &monitor) const;
    struct BoxField;
    struct Box {
        int i0, i1, j0, j1; // the points [i0, i1) x [j0, j1)
    };
    void box(const RasterGrid &grid, const Box &b, const BoxField *outer,
             const std::vector<int> &segments, double *values) const;
    // values[k] += the far forms of the segments listed (ascending) at (x[k], y[k]), every
    // point finite; the inclined ones by their own coefficient.
    void farAt(const double *x, const double *y, int count, const std::vector<int> &segments,
               double *values) const;
    bool compressedProduct(const RasterGrid &grid, std::vector<double> &values,
                           WorkMonitor &monitor, double tolerance) const;

    std::shared_ptr<const EarthingModel> m_model;
    std::vector<double> m_currents;
    std::vector<double> m_x;
    std::vector<double> m_y;
    struct Run {
        int begin = 0;
        int end = 0;
        const RadialTable *table = nullptr; // none for inclined segments
    };
    std::vector<Run> m_runs;
    std::unique_ptr<SpatialIndex> m_index;
};

} // namespace tav::earthing
