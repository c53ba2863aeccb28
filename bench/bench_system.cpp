// Solves the benchmark's earthing systems with the library and prints what each stage
// took; bench/system.sh runs it.
//   bench_system CASE [--exact] [--threads N] [--segment L] [--dense-limit N]
//                [--yardstick] [--solves N]
#include "core/earthing/ConductorLayout.h"
#include "core/earthing/EarthingSolver.h"
#include "core/earthing/MemoryEstimate.h"
#include "core/earthing/TouchAreas.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

using namespace tav::earthing;

namespace {

// The benchmark's soil, or a resistive top over wet clay over rock that the rods cross.
EarthingInput gridWithRods(double side, int count, int rods, double spacing, bool layered) {
    EarthingInput input;
    input.soil = layered ? EarthingSoil::layers({300, 100, 600}, {2, 8})
                         : EarthingSoil::twoLayer(300, 100, 6.096);
    input.current = 1000;
    RectangularGrid grid;
    grid.sizeX = grid.sizeY = side;
    grid.countX = grid.countY = count;
    grid.depth = 0.5;
    grid.diameter = 0.0105;
    input.conductors = ConductorLayout::grid(grid);
    const auto rodsAt = ConductorLayout::perimeterPoints(grid, rods);
    for (const Conductor &rod : ConductorLayout::rods(rodsAt, 0.5, 7.5, 0.016, 0))
        input.conductors.push_back(rod);
    input.search.step = spacing;
    return input;
}

bool caseInput(const std::string &name, EarthingInput &input) {
    RectangularGrid grid;
    if (name == "dwight") {
        input.soil = EarthingSoil::uniform(100);
        input.current = 1;
        input.conductors = {{{0, 0, 0}, {0, 0, 3}, 0.016, 0}};
    } else if (name == "sunde") {
        input.soil = EarthingSoil::uniform(100);
        input.current = 1;
        input.conductors = {{{0, 0, 0.5}, {20, 0, 0.5}, 0.01, 0}};
    } else if (name == "annex-h1" || name == "annex-b1") {
        const bool h = name == "annex-h1";
        input.soil = EarthingSoil::uniform(h ? 140 : 400);
        input.current = h ? 744.8 : 1908;
        grid.sizeX = grid.sizeY = 70;
        grid.countX = grid.countY = h ? 6 : 11;
        grid.diameter = h ? 0.0105 : 0.01;
        input.conductors = ConductorLayout::grid(grid);
    } else if (name == "uniform-100") {
        // 100 m, eleven conductors each way, in uniform soil.
        input.soil = EarthingSoil::uniform(100);
        input.current = 1000;
        grid.sizeX = grid.sizeY = 100;
        grid.countX = grid.countY = 11;
        input.conductors = ConductorLayout::grid(grid);
    } else if (name == "bench-70" || name == "bench-70-layers") {
        input = gridWithRods(70, 6, 20, 0.5, name != "bench-70");
    } else if (name == "bench-200" || name == "bench-200-layers") {
        input = gridWithRods(200, 21, 40, 1, name != "bench-200");
    } else if (name == "bench-300") {
        input = gridWithRods(300, 31, 40, 1, false);
    } else if (name == "bench-1000") {
        input = gridWithRods(1000, 101, 100, 2, false);
        input.segmentLength = 2;
    } else if (name.rfind("size-", 0) == 0) {
        // size-N: an N x N grid of 10 m meshes with a rod every 20 m of its edge.
        const int count = std::atoi(name.c_str() + 5);
        const double side = 10. * (count - 1);
        input = gridWithRods(side, count, std::max(4, int(4 * side / 20)), 1, false);
    } else {
        return false;
    }
    return true;
}

// The process's peak resident memory so far, MB (VmHWM of /proc/self/status).
double peakMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            double kilobytes = 0;
            status >> kilobytes;
            return kilobytes / 1024;
        }
    }
    return NAN;
}

// The yardstick: the raster summed by the plainest loop, every node against every
// segment on one core, each segment's potential at the surface in closed form in uniform
// soil (the segment and its image above the surface: rho I / (2 pi L) times the integral
// of 1/r along it, ln((b + r_b) / (a + r_a)) for the ends a, b along it). Returns seconds; worst is
// the largest difference from the solver's raster, relative to the GPR.
double yardstick(const EarthingResult &r, double rho, double &worst) {
    const auto start = std::chrono::steady_clock::now();
    std::vector<double> values(r.raster.size());
    for (int j = 0; j < r.raster.ny; ++j)
        for (int i = 0; i < r.raster.nx; ++i) {
            const double x = r.raster.x(i);
            const double y = r.raster.y(j);
            double v = 0;
            for (const SegmentResult &s : r.segmentCurrents) {
                const double ux = s.to.x - s.from.x, uy = s.to.y - s.from.y, uz = s.to.z - s.from.z;
                const double length = std::sqrt(ux * ux + uy * uy + uz * uz);
                const double px = s.from.x - x, py = s.from.y - y, pz = s.from.z;
                const double a = (px * ux + py * uy + pz * uz) / length;
                const double b = a + length;
                const double ra = std::sqrt(px * px + py * py + pz * pz);
                const double d2 = std::max(ra * ra - a * a, 0.);
                const double rb = std::sqrt(d2 + b * b);
                // a + r, or d^2 / (r - a) where a + r would cancel.
                const double fa = a >= 0 ? a + ra : d2 / (ra - a);
                const double fb = b >= 0 ? b + rb : d2 / (rb - b);
                v += rho * s.current / (2 * M_PI * length) * std::log(fb / fa);
            }
            values[std::size_t(j) * r.raster.nx + i] = v;
        }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    worst = 0;
    for (std::size_t k = 0; k < values.size(); ++k)
        worst = std::max(worst, std::abs(values[k] - r.rasterPotential[k]) / r.gpr);
    return seconds;
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_system CASE [options]\n");
        return 2;
    }
    EarthingInput input;
    if (!caseInput(argv[1], input)) {
        std::fprintf(stderr, "bench_system: unknown case %s\n", argv[1]);
        return 2;
    }
    if (input.touchAreas.empty())
        input.touchAreas = TouchAreas::ofClusters(input.conductors, input.search.reach);
    EarthingSolver::Options options;
    bool tsv = false;
    bool withYardstick = false;
    int solves = 0;
    double cancelAt = -1;
    for (int k = 2; k < argc; ++k) {
        if (!std::strcmp(argv[k], "--tsv"))
            tsv = true;
        else if (!std::strcmp(argv[k], "--exact"))
            options.kernel.exact = true;
        else if (!std::strcmp(argv[k], "--far") && k + 1 < argc)
            options.kernel.farFactor = std::atof(argv[++k]);
        else if (!std::strcmp(argv[k], "--vertical") && k + 1 < argc)
            options.kernel.verticalFactor = std::atof(argv[++k]);

        else if (!std::strcmp(argv[k], "--threads") && k + 1 < argc)
            options.threads = std::atoi(argv[++k]);
        else if (!std::strcmp(argv[k], "--segment") && k + 1 < argc)
            input.segmentLength = std::atof(argv[++k]);
        else if (!std::strcmp(argv[k], "--compressed-from") && k + 1 < argc)
            options.compressedFrom = std::size_t(std::atol(argv[++k]));
        else if (!std::strcmp(argv[k], "--tolerance") && k + 1 < argc)
            options.compressionTolerance = std::atof(argv[++k]);
        else if (!std::strcmp(argv[k], "--dense-limit") && k + 1 < argc)
            options.denseLimit = std::atoi(argv[++k]);
        else if (!std::strcmp(argv[k], "--cancel-at") && k + 1 < argc)
            cancelAt = std::atof(argv[++k]);
        else if (!std::strcmp(argv[k], "--step") && k + 1 < argc)
            input.search.step = std::atof(argv[++k]);
        else if (!std::strcmp(argv[k], "--yardstick"))
            withYardstick = true;
        else if (!std::strcmp(argv[k], "--solves") && k + 1 < argc)
            solves = std::atoi(argv[++k]);
    }
    // The longest wait for the progress callback, and when a cancel was asked for.
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    auto last = start;
    double longest = 0;
    int longestStage = 0;
    double cancelled = -1;
    int cancelledStage = 0;
    const auto progress = [&](const SolveProgress &p) {
        const auto now = Clock::now();
        const double gap = std::chrono::duration<double>(now - last).count();
        if (gap > longest) {
            longest = gap;
            longestStage = int(p.stage);
        }
        last = now;
        const double elapsed = std::chrono::duration<double>(now - start).count();
        if (cancelAt >= 0 && elapsed >= cancelAt) {
            cancelled = elapsed;
            cancelledStage = int(p.stage);
            return false;
        }
        return true;
    };
    const auto outcome = EarthingSolver::solve(input, progress, options);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (cancelAt >= 0) {
        const char *stages[] = {"tables", "matrix", "solution", "surface", "search"};
        std::printf("cancelled in %s at %.3f s, returned %.1f ms later; longest wait for the "
                    "callback before it %.1f ms (%s)\n",
                    stages[std::min(cancelledStage, 4)], cancelled, 1e3 * (seconds - cancelled),
                    1e3 * longest, stages[std::min(longestStage, 4)]);
        return 0;
    }
    if (outcome.refused()) {
        std::printf("refused: error %d\n", int(outcome.refusal().error));
        return 1;
    }
    const EarthingResult &r = outcome.result();
    if (solves > 0 || withYardstick) {
        // seconds of the first solve; solves per second of the next ones, one after
        // another; the yardstick's seconds and its largest difference (none unless uniform).
        double perSecond = NAN;
        if (solves > 0) {
            const auto from = Clock::now();
            for (int k = 0; k < solves; ++k)
                if (EarthingSolver::solve(input, {}, options).refused())
                    return 1;
            perSecond = solves / std::chrono::duration<double>(Clock::now() - from).count();
        }
        double worst = NAN;
        const double plain =
            withYardstick && !input.soil.layered ? yardstick(r, input.soil.rho1, worst) : NAN;
        std::printf("%.4f\t%.3f\t%.4f\t%.2e\t%zu\t%d\n", seconds, perSecond, plain, worst,
                    r.raster.size(), r.segments);
        return 0;
    }
    const SolveStatistics &s = r.statistics;
    const double estimated =
        MemoryEstimate::bytes(r.segments, double(r.raster.size()), s.compressed, s.threads);
    if (tsv) {
        // segments, image terms, raster points, iterations, then seconds: tables, matrix,
        // solution, surface, search, the whole solve; R, worst touch; peak and estimated
        // memory in MB; the operator (1 compressed).
        std::printf("%d\t%d\t%zu\t%d\t%.4f\t%.4f\t%.4f\t%.4f\t%.4f\t%.4f\t%.9g\t%.6g\t%.1f\t%.1f\t%d\n",
                    r.segments, r.imageTerms, r.raster.size(), s.iterations, s.secondsTables,
                    s.secondsMatrix, s.secondsSolution, s.secondsSurface, s.secondsSearch, seconds,
                    r.resistance, r.touchMax ? r.touchMax->voltage : NAN, peakMegabytes(),
                    estimated / 1e6, s.compressed ? 1 : 0);
        return 0;
    }
    std::printf("case %s: segments %d, image terms %d (orders %d), classes %d, table nodes %zu\n",
                argv[1], r.segments, r.imageTerms, r.orders, s.depthClasses, s.tableNodes);
    std::printf("R %.9f ohm, GPR %.3f V, touch max %.3f V at (%.3f, %.3f), step max %.3f V at "
                "(%.3f, %.3f)-(%.3f, %.3f)\n",
                r.resistance, r.gpr, r.touchMax ? r.touchMax->voltage : NAN,
                r.touchMax ? r.touchMax->at.x : NAN, r.touchMax ? r.touchMax->at.y : NAN,
                r.stepMax.voltage, r.stepMax.from.x, r.stepMax.from.y, r.stepMax.to.x,
                r.stepMax.to.y);
    std::printf("raster %d x %d = %zu points\n", r.raster.nx, r.raster.ny, r.raster.size());
    std::printf("seconds: tables %.3f, matrix %.3f, solution %.3f (%s, %d iterations, residual "
                "%.1e), surface %.3f, search %.3f, solve %.3f\n",
                s.secondsTables, s.secondsMatrix, s.secondsSolution,
                s.iterative ? "conjugate gradients" : "Cholesky", s.iterations, s.residual,
                s.secondsSurface, s.secondsSearch, seconds);
    const char *stages[] = {"tables", "matrix", "solution", "surface", "search"};
    std::printf("memory: peak %.1f MB, estimated before the solve %.1f MB; operator %s, %.1f MB\n",
                peakMegabytes(), estimated / 1e6, s.compressed ? "compressed" : "dense",
                double(s.operatorBytes) / 1e6);
    std::printf("threads %d; longest wait for the progress callback %.1f ms (%s)\n", s.threads,
                1e3 * longest, stages[std::min(longestStage, 4)]);
    return 0;
}
