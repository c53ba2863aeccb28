#include "core/earthing/EarthingSolver.h"

#include "core/earthing/CompressedOperator.h"
#include "core/earthing/CouplingMatrix.h"
#include "core/earthing/EarthingModel.h"
#include "core/earthing/InputCheck.h"
#include "core/earthing/MemoryEstimate.h"
#include "core/earthing/PotentialCheck.h"
#include "core/earthing/SafetySearch.h"
#include "core/earthing/SearchAreas.h"
#include "core/earthing/Segmentation.h"
#include "core/earthing/SystemSolver.h"
#include "core/earthing/TiedElements.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numeric>
#include <optional>

namespace tav::earthing {

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

Refusal cancelled() {
    return {Error::Cancelled, Quantity::None, {}};
}

// The segments sorted by depth class, inclined ones last; order[k] is the index the k-th
// had as cut.
std::vector<int> classOrder(const DepthClasses &classes) {
    std::vector<int> order(classes.ofSegment.size());
    std::iota(order.begin(), order.end(), 0);
    const auto rank = [&](int k) {
        const int c = classes.ofSegment[std::size_t(k)];
        return c < 0 ? int(classes.classes.size()) : c;
    };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return rank(a) < rank(b); });
    return order;
}

// The largest distances between observers and sources: in space (for the series'
// bound) and horizontally (for the tables' reach).
void extents(const std::vector<Segment> &segments, const SearchAreas &areas,
             const EarthingInput &input, double &space, double &horizontal) {
    const Rectangle bounds = areas.step.bounds();
    double lo[3] = {bounds.x0, bounds.y0, 0};
    double hi[3] = {bounds.x1, bounds.y1, 0};
    const auto take = [&](double x, double y, double z) {
        lo[0] = std::min(lo[0], x), hi[0] = std::max(hi[0], x);
        lo[1] = std::min(lo[1], y), hi[1] = std::max(hi[1], y);
        lo[2] = std::min(lo[2], z), hi[2] = std::max(hi[2], z);
    };
    for (const Segment &s : segments) {
        take(s.p.x, s.p.y, s.p.z);
        take(s.q.x, s.q.y, s.q.z);
    }
    for (const Point2 &p : input.points)
        take(p.x, p.y, 0);
    for (const TouchPoint &p : input.touchPoints)
        take(p.at.x, p.at.y, 0);
    horizontal = std::hypot(hi[0] - lo[0], hi[1] - lo[1]);
    space = std::hypot(horizontal, hi[2] - lo[2]);
}

// A square's index along one axis, bounded before the cast: squares beyond a million
// segment lengths from the origin share their index, which only joins far clusters.
long long cell(double at, double size) {
    return (long long)std::clamp(std::floor(at / size), -1e6, 1e6);
}

// Clusters for the preconditioner: the segments whose middles share a square of three
// segment lengths.
std::vector<int> clustersOf(const std::vector<Segment> &segments, double size) {
    std::vector<std::pair<long long, int>> cells;
    for (int k = 0; k < int(segments.size()); ++k) {
        const Vec3 m = segments[std::size_t(k)].middle();
        const long long cx = cell(m.x, size);
        const long long cy = cell(m.y, size);
        cells.push_back({cx * 2000003LL + cy, k});
    }
    std::sort(cells.begin(), cells.end());
    std::vector<int> cluster(segments.size());
    int id = -1;
    for (std::size_t k = 0; k < cells.size(); ++k) {
        if (k == 0 || cells[k].first != cells[k - 1].first)
            ++id;
        cluster[std::size_t(cells[k].second)] = id;
    }
    return cluster;
}

// The depths of the interfaces between the soil's layers, from the top down.
std::vector<double> interfaces(const EarthingSoil &soil) {
    std::vector<double> depths;
    double depth = 0;
    for (int layer = 0; layer + 1 < soil.layerCount(); ++layer)
        depths.push_back(depth += soil.layerThickness(layer));
    return depths;
}

// The coupling matrix as a hierarchical matrix over the segments' middles: symmetric, its
// entries the same forms the dense matrix takes. Null when cancelled.
std::unique_ptr<CompressedOperator> compressedMatrix(const EarthingModel &model, double tolerance,
                                                     WorkMonitor &monitor) {
    std::vector<Vec3> middles;
    for (const Segment &s : model.segments)
        middles.push_back(s.middle());
    CompressedOperator::Settings settings;
    settings.tolerance = tolerance;
    settings.symmetric = true;
    auto op = std::make_unique<CompressedOperator>(middles, middles, settings, &monitor);
    if (monitor.cancelled())
        return nullptr;
    const Coupling &coupling = *model.coupling;
    // The lower triangle's entry, as the dense matrix takes it: the near forms are
    // symmetric only to their accuracy.
    const auto entry = [&coupling](int i, int j) {
        return i >= j ? coupling.segments(i, j) : coupling.segments(j, i);
    };
    if (!op->assemble(entry, monitor))
        return nullptr;
    return op;
}

// A study whose estimated peak passes the memory at hand: refused before it is cut, with
// the estimate and the memory in GB (the estimate rounded up, the memory down) and the
// segments counted.
std::optional<Refusal> beyondMemory(double segments, double rasterPoints,
                                    const EarthingSolver::Options &options) {
    const bool compressed = segments >= double(options.compressedFrom);
    const int threads = WorkMonitor(nullptr, options.threads).threads();
    const double needed = MemoryEstimate::bytes(segments, rasterPoints, compressed, threads);
    const double limit = options.memoryLimit > 0 ? options.memoryLimit : MemoryEstimate::available();
    if (limit <= 0 || needed <= limit)
        return std::nullopt;
    return Refusal{Error::NotEnoughMemory,
                   Quantity::SegmentLength,
                   {std::ceil(needed / 1e8) / 10, std::floor(limit / 1e8) / 10, segments}};
}

// A soil of two layers written as three: the bottom layer cut in two below all the metal,
// so that no conductor is cut where it was not before.
EarthingInput withBottomSplit(const EarthingInput &input) {
    double deepest = 0;
    for (const Conductor &c : input.conductors)
        deepest = std::max({deepest, c.from.z, c.to.z});
    const EarthingSoil &soil = input.soil;
    const double split = std::max(deepest, soil.h) + std::max(soil.h, 1.0);
    EarthingInput three = input;
    three.soil = EarthingSoil::layers({soil.rho1, soil.rho2, soil.rho2}, {soil.h, split - soil.h});
    return three;
}

struct Prepared {
    std::shared_ptr<EarthingModel> model;
    std::vector<int> order;
    std::vector<Caution> cautions;
};

// Cuts, classifies and sums the series; a refusal when the input is beyond the solver.
std::optional<Refusal> prepare(const EarthingInput &input, const SearchAreas &areas,
                               const EarthingSolver::Options &options, Prepared &prepared) {
    const Segmentation cut(input, interfaces(input.soil));
    // Counted in double precision and compared so that an infinite count is refused too.
    const double count = cut.count();
    if (!(count <= double(EarthingSolver::kMaxSegments)))
        return Refusal{Error::TooManySegments,
                       Quantity::SegmentLength,
                       {count, double(EarthingSolver::kMaxSegments)}};
    if (auto refusal = beyondMemory(count, areas.rasterPoints, options))
        return refusal;
    auto model = std::make_shared<EarthingModel>();
    std::vector<Segment> segments = cut.segments();
    const DepthClasses classes = DepthClasses::of(segments);
    prepared.order = classOrder(classes);
    for (int k : prepared.order) {
        model->segments.push_back(segments[std::size_t(k)]);
        model->classes.ofSegment.push_back(classes.ofSegment[std::size_t(k)]);
    }
    model->classes.classes = classes.classes;
    double space = 0;
    double horizontal = 0;
    extents(model->segments, areas, input, space, horizontal);
    bool used[2][2] = {{false, false}, {false, false}};
    bool layer[2] = {false, false};
    for (const Segment &s : model->segments)
        layer[std::min(s.layer, 1)] = true;
    used[0][0] = layer[0];
    used[0][1] = layer[1];
    used[1][0] = layer[0] && layer[1];
    used[1][1] = layer[1];
    model->images = std::make_unique<SoilImages>(
        input.soil, space, used, EarthingSolver::kSeriesTolerance, EarthingSolver::kMaxOrders);
    const SoilImages &images = *model->images;
    if (images.bound() > EarthingSolver::kSeriesFloor)
        return Refusal{Error::SeriesDoesNotConverge,
                       Quantity::None,
                       {images.reflection(), images.bound(), EarthingSolver::kSeriesFloor}};
    if (images.bound() > EarthingSolver::kSeriesTolerance)
        prepared.cautions.push_back(
            {Warning::SeriesTruncated,
             Quantity::None,
             {images.bound(), EarthingSolver::kSeriesTolerance, double(images.orders())}});
    model->settings = options.kernel;
    model->settings.segmentLength = input.segmentLength;
    const double reach = 1.05 * horizontal + 2 * input.segmentLength;
    const double intervals = KernelTables::intervals(model->settings, reach);
    if (!(intervals <= EarthingSolver::kMaxTableIntervals))
        return Refusal{Error::TooManyTableIntervals,
                       2 * input.segmentLength >= horizontal ? Quantity::SegmentLength
                                                             : Quantity::None,
                       {intervals, EarthingSolver::kMaxTableIntervals}};
    model->tables =
        std::make_unique<KernelTables>(model->classes.classes, images, model->settings, reach);
    prepared.model = model;
    return std::nullopt;
}

// Each group's current is what the equations impose on it (the sum of its segments'
// currents meets it to rounding): the injected current for group 0, none for the others.
std::vector<GroupResult> groupResults(const SystemSolution &solution, double current) {
    std::vector<GroupResult> groups(solution.potentials.size());
    for (std::size_t g = 0; g < groups.size(); ++g)
        groups[g] = {int(g), solution.potentials[g], g == 0 ? current : 0};
    return groups;
}

// Every current and potential of a solution times the factor: the equations are linear in
// the injected current.
void scaleSolution(SystemSolution &solution, double factor) {
    for (double &current : solution.currents)
        current *= factor;
    for (double &potential : solution.potentials)
        potential *= factor;
}

// A value that was not computed is never a result: a resistance that is not a positive
// finite number (a conductor at 1e308 m, a resistivity of 1e308 ohm m), or a worst touch
// or step voltage without a finite value, refuses the solve rather than be judged.
std::optional<Refusal> notComputed(double value, Quantity quantity, bool positive) {
    if (!std::isfinite(value))
        return Refusal{Error::ResultNotFinite, quantity, {}};
    if (positive && !(value > 0))
        return Refusal{Error::ResultNotPositive, quantity, {value}};
    return std::nullopt;
}

// The coefficients as filled: a pair beyond what double precision resolves gives no
// number, and a solution over it none either.
bool allFinite(const Eigen::MatrixXd &A) {
    for (Eigen::Index j = 0; j < A.cols(); ++j)
        for (Eigen::Index i = j; i < A.rows(); ++i)
            if (!std::isfinite(A(i, j)))
                return false;
    return true;
}

bool allFinite(const std::vector<double> &values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

Point3 toPoint(const Vec3 &v) {
    return {v.x, v.y, v.z};
}

// The raster node a point stands on, if any: a document's points are often the raster's
// own nodes (a map of the same step), whose potentials are already summed.
std::optional<std::size_t> rasterNode(const RasterGrid &grid, const Point2 &p) {
    if (grid.nx <= 0 || grid.ny <= 0 || !(grid.step > 0))
        return std::nullopt;
    const double fi = (p.x - grid.x0) / grid.step;
    const double fj = (p.y - grid.y0) / grid.step;
    if (!(fi > -0.5 && fj > -0.5 && fi < grid.nx - 0.5 && fj < grid.ny - 0.5))
        return std::nullopt;
    const int i = int(std::lround(fi));
    const int j = int(std::lround(fj));
    // Exactly there: a point a rounding error away is summed for itself.
    if (grid.x(i) != p.x || grid.y(j) != p.y)
        return std::nullopt;
    return std::size_t(j) * std::size_t(grid.nx) + std::size_t(i);
}

// The potential at the given points and under the touch points: a point on a raster node
// takes the node's value, the others are summed in chunks on every core.
bool surfacePoints(const EarthingInput &input, const SearchAreas &areas, const SurfaceField &field,
                   WorkMonitor &monitor, EarthingResult &result) {
    const std::size_t given = input.points.size();
    const std::size_t total = given + input.touchPoints.size();
    const auto at = [&](std::size_t k) -> const Point2 & {
        return k >= given ? input.touchPoints[k - given].at : input.points[k];
    };
    std::vector<double> values(total);
    std::vector<std::size_t> summed; // the points off the raster's nodes
    for (std::size_t k = 0; k < total; ++k) {
        const std::optional<std::size_t> node = rasterNode(result.raster, at(k));
        if (node && *node < result.rasterPotential.size())
            values[k] = result.rasterPotential[*node];
        else
            summed.push_back(k);
    }
    constexpr std::size_t chunk = 64;
    const bool done = monitor.run(
        SolveProgress::Stage::Surface, (summed.size() + chunk - 1) / chunk,
        [&](std::size_t item, int) {
            const std::size_t first = item * chunk;
            const std::size_t end = std::min(summed.size(), first + chunk);
            // The chunk's potentials at once, which vectorises over them.
            double x[chunk] = {}, y[chunk] = {}, sums[chunk];
            for (std::size_t k = first; k < end; ++k) {
                x[k - first] = at(summed[k]).x;
                y[k - first] = at(summed[k]).y;
            }
            field.potentials(x, y, end - first, sums);
            for (std::size_t k = first; k < end; ++k)
                values[summed[k]] = sums[k - first];
        });
    if (!done)
        return false;
    result.points.resize(given);
    result.touched.resize(input.touchPoints.size());
    for (std::size_t k = 0; k < given; ++k) {
        const Point2 &p = input.points[k];
        bool inside = false;
        for (const TouchRegion &region : areas.touch)
            inside = inside || region.contains(p);
        result.points[k] = {p, values[k], result.gpr - values[k], inside};
    }
    for (std::size_t k = given; k < total; ++k)
        result.touched[k - given].surface = values[k];
    return true;
}

// Group 0's worst touch over its areas and the worst step, each refused when not finite.
std::optional<Refusal> worstOf(const SearchAreas &areas, const EarthingInput &input,
                               EarthingResult &result) {
    for (std::size_t a = 0; a < result.areas.size(); ++a) {
        if (input.touchAreas[a].group != 0)
            continue;
        const TouchMaximum &worst = result.areas[a].worst();
        if (std::isinf(worst.voltage) && worst.voltage < 0)
            continue; // the raster missed the area on both sides
        if (!result.touchMax || worst.voltage > result.touchMax->voltage)
            result.touchMax = worst;
    }
    if (result.touchMax)
        if (auto refusal =
                notComputed(result.touchMax->voltage, Quantity::WorstTouchVoltage, false))
            return refusal;
    for (const AreaResult &area : result.areas)
        for (const TouchMaximum *side : {&area.onLayer, &area.offLayer})
            if (std::isnan(side->voltage) || side->voltage == INFINITY)
                return Refusal{Error::ResultNotFinite, Quantity::WorstTouchVoltage, {}};
    for (const TouchPointResult &t : result.touched)
        if (auto refusal = notComputed(t.touch, Quantity::WorstTouchVoltage, false))
            return refusal;
    const StepMaximum &worst = result.steps.worst();
    const Rectangle b = areas.step.bounds();
    // A region too small for two points 1 m apart has no step voltage.
    result.stepMax = std::isinf(worst.voltage) && worst.voltage < 0
                         ? StepMaximum{0, {b.x0, b.y0}, {b.x0, b.y0}}
                         : worst;
    return notComputed(result.stepMax.voltage, Quantity::WorstStepVoltage, false);
}

} // namespace

Refusable<EarthingResult> EarthingSolver::solve(const EarthingInput &input,
                                                const ProgressCallback &progress) {
    return solve(input, progress, Options{});
}

Refusable<EarthingResult> EarthingSolver::solve(const EarthingInput &input,
                                                const ProgressCallback &progress,
                                                const Options &options) {
    // Made first, so that the checks and the cut are followed by a report each.
    WorkMonitor monitor(progress, options.threads);
    if (auto refusal = InputCheck::check(input))
        return *refusal;
    if (!monitor.report(SolveProgress::Stage::Tables, 0, true))
        return cancelled();
    const SearchAreas areas = SearchAreas::of(input);
    if (!(areas.rasterPoints <= kMaxSearchPoints))
        return Refusal{
            Error::TooManySearchPoints, Quantity::None, {areas.rasterPoints, kMaxSearchPoints}};
    Prepared prepared;
    if (auto refusal = prepare(input, areas, options, prepared)) {
        // Two layers whose image series will not settle are the same soil as three layers
        // of the transform, which sums it whatever the contrast: solved so, a soil is
        // solved or refused alike however its layers are written.
        if (refusal->error != Error::SeriesDoesNotConverge || input.soil.layerCount() != 2)
            return *refusal;
        prepared = Prepared{};
        if (auto again = prepare(withBottomSplit(input), areas, options, prepared))
            return *again;
    }
    if (!monitor.report(SolveProgress::Stage::Tables, 0, true))
        return cancelled();
    EarthingModel &model = *prepared.model;
    EarthingResult result;
    SolveStatistics &stats = result.statistics;
    stats.threads = monitor.threads();
    stats.depthClasses = int(model.classes.classes.size());

    auto start = Clock::now();
    if (!model.tables->build(monitor))
        return cancelled();
    if (auto refusal = model.tables->refusal())
        return *refusal;
    stats.tableNodes = model.tables->nodes();
    stats.secondsTables = secondsSince(start);
    model.coupling = std::make_unique<Coupling>(model.segments, model.classes, *model.images,
                                                *model.tables, model.settings);

    start = Clock::now();
    const Eigen::Index n = Eigen::Index(model.segments.size());
    const bool compressed = std::size_t(n) >= options.compressedFrom;
    Eigen::MatrixXd A;
    std::unique_ptr<CompressedOperator> op;
    if (compressed) {
        op = compressedMatrix(model, options.compressionTolerance, monitor);
        if (!op)
            return cancelled();
        stats.compressed = true;
        stats.operatorBytes = op->bytes();
        stats.compressionTolerance = options.compressionTolerance;
    } else {
        A.resize(n, n);
        if (!CouplingMatrix(*model.coupling).fill(A, monitor))
            return cancelled();
        if (!allFinite(A))
            return Refusal{Error::ResultNotFinite, Quantity::PotentialCoefficients, {}};
        stats.operatorBytes = std::size_t(n) * std::size_t(n) * sizeof(double);
    }
    const TiedElements elements(model.segments);
    if (elements.any() && !compressed)
        A = elements.fold(A);
    stats.secondsMatrix = secondsSince(start);

    start = Clock::now();
    std::vector<int> pieceGroups;
    int groups = 0;
    for (const Segment &s : model.segments) {
        pieceGroups.push_back(s.group);
        groups = std::max(groups, s.group + 1);
    }
    const std::vector<int> groupOf = elements.perElement(pieceGroups);
    const std::vector<int> clusters =
        elements.perElement(clustersOf(model.segments, 3 * input.segmentLength));
    SystemSolver::Settings solverSettings;
    solverSettings.denseLimit = options.denseLimit;
    const Coupling &coupling = *model.coupling;
    const auto pieceEntry = [&coupling](int i, int j) { return coupling.segments(i, j); };
    SystemSolver solver =
        compressed
            ? SystemSolver(
                  elements.count(),
                  [&op, &elements](const Eigen::VectorXd &x, Eigen::VectorXd &y, WorkMonitor &m,
                                   double fraction) {
                      if (!elements.any())
                          return op->multiply(x, y, m, fraction);
                      Eigen::VectorXd pieces, product;
                      elements.spread(x, pieces);
                      const bool done = op->multiply(pieces, product, m, fraction);
                      elements.gather(product, y);
                      return done;
                  },
                  [&elements, &pieceEntry](int i, int j) {
                      return elements.any() ? elements.entry(i, j, pieceEntry) : pieceEntry(i, j);
                  },
                  groupOf, groups, clusters, solverSettings)
            : SystemSolver(A, groupOf, groups, clusters, solverSettings);
    SystemSolution solution;
    if (!solver.solve(input.current, monitor, solution))
        return cancelled();
    if (elements.any())
        solution.currents = elements.pieceCurrents(solution.currents);
    A.resize(0, 0);
    if (op)
        op->release(monitor, SolveProgress::Stage::Solution);
    op.reset();
    stats.secondsSolution = secondsSince(start);
    stats.iterative = solution.iterative;
    stats.iterations = solution.iterations;
    stats.residual = solution.residual;
    if (!solution.converged)
        prepared.cautions.push_back({Warning::SolutionNotConverged,
                                     Quantity::None,
                                     {solution.residual, solverSettings.tolerance}});

    if (!allFinite(solution.currents) || !allFinite(solution.potentials))
        return Refusal{Error::ResultNotFinite, Quantity::LeakageCurrents, {}};
    result.resistance = solution.potentials[0] / input.current;
    if (auto refusal = notComputed(result.resistance, Quantity::EarthingResistance, true))
        return *refusal;
    double current = input.current;
    if (options.currentFromResistance) {
        const Refusable<double> given = options.currentFromResistance(result.resistance);
        if (given.refused())
            return given.refusal();
        if (!(std::isfinite(given.result()) && given.result() >= 0))
            return Refusal{Error::ResultNotFinite, Quantity::InjectedCurrent, {}};
        scaleSolution(solution, given.result() / input.current);
        current = given.result();
    }
    result.gpr = solution.potentials[0];
    // After any scaling: the check's range is the metal's potential at the current solved.
    const PotentialCheck check(solution.potentials);
    if (auto refusal = check.refusal(Quantity::MetalPotential))
        return *refusal;
    result.segments = int(n);
    result.imageTerms = model.images->imageTerms();
    result.orders = model.images->orders();
    result.groups = groupResults(solution, current);
    result.segmentCurrents.resize(model.segments.size());
    for (std::size_t k = 0; k < model.segments.size(); ++k) {
        const Segment &s = model.segments[k];
        result.segmentCurrents[std::size_t(prepared.order[k])] = {
            toPoint(s.p), toPoint(s.q), s.conductor, s.group, solution.currents[k]};
    }
    const auto field = std::make_shared<SurfaceField>(prepared.model, solution.currents);
    result.field = field;
    result.raster = areas.raster;
    result.touchAreas = input.touchAreas;
    result.touchPoints = input.touchPoints;
    result.surfaceZone = input.surfaceZone;

    start = Clock::now();
    const SurfaceField::Summation summation{compressed, options.compressionTolerance};
    if (!field->raster(result.raster, result.rasterPotential, monitor, summation))
        return cancelled();
    if (!surfacePoints(input, areas, *field, monitor, result))
        return cancelled();
    stats.secondsSurface = secondsSince(start);
    check.take(result.rasterPotential);
    for (const PointResult &p : result.points)
        check.take(p.potential);
    for (const TouchPointResult &t : result.touched)
        check.take(t.surface);
    if (auto refusal = check.refusal(Quantity::SurfacePotential))
        return *refusal;

    start = Clock::now();
    if (!areas.masks(monitor, result.inTouchArea, result.inStepArea))
        return cancelled();
    std::vector<double> metal;
    for (const TouchArea &area : input.touchAreas)
        metal.push_back(solution.potentials[std::size_t(area.group)]);
    const SafetySearch search(*field, areas, result.rasterPotential, result.inStepArea, metal,
                              input.surfaceZone, check);
    if (!search.run(monitor, result.points, result.areas, result.steps))
        return cancelled();
    if (auto refusal = check.refusal(Quantity::SurfacePotential))
        return *refusal;
    for (std::size_t k = 0; k < input.touchPoints.size(); ++k) {
        const TouchPoint &p = input.touchPoints[k];
        TouchPointResult &t = result.touched[k];
        t.touch = std::abs(solution.potentials[std::size_t(p.group)] - t.surface);
        t.onLayer = search.onLayer(p.at);
    }
    stats.secondsSearch = secondsSince(start);
    if (auto refusal = worstOf(areas, input, result))
        return *refusal;
    result.cautions = prepared.cautions;
    return result;
}

} // namespace tav::earthing
