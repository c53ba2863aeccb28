#include "core/soilmodel/LayersFit.h"

#include "core/soilmodel/FQuantile.h"
#include "core/soilmodel/LayeredSearch.h"
#include "core/soilmodel/ParallelRuns.h"
#include "core/soilmodel/TwoLayerLeastSquares.h"
#include "core/soilmodel/VectorState.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace tav {

namespace {

using Point = LayersSearch::Point;
using Parameters = LayersSearch::Parameters;

// Where the curve is cut into runs of spacings: this many cuts, evenly in ln spacing.
constexpr int kCuts = 6;
// A Wenner or Schlumberger array reads down to about half its spacing.
constexpr double kReach = 0.5;
// A layer of the fewer-layer soil is split at these fractions of its thickness (the last,
// at these multiples of the depth above it), its lower part given these factors of its
// resistivity.
constexpr double kSplits[] = {0.25, 0.5, 0.75};
constexpr double kBelow[] = {1.5, 3, 8};
constexpr double kFactors[] = {0.1, 0.3, 3, 10};
// Levenberg-Marquardt from this many of the best seeds that differ by more than
// kDistinct in some parameter, each for this many evaluations; the best ends then
// polished. Sweeps of 60 noise-free soundings of random soils (17 Wenner spacings) found
// every three-layer soil with the standard effort; four layers need the thorough one (one
// in 60 missed, against 8 with the standard effort and 16 with the quick one), which takes
// about three times as long; five layers the fullest (one left above an RMS error of
// 0.3 %, against four with the thorough effort), at twice the thorough one's time.
struct Effort {
    std::size_t starts;
    int evaluations;
    std::size_t polished;
};
constexpr Effort kQuick = {10, 12, 2};
constexpr Effort kStandard = {12, 15, 3};
constexpr Effort kThorough = {16, 25, 4};
constexpr Effort kFive = {24, 30, 6};
constexpr double kDistinct = 0.5;
// Relative error per reading below which a layer more explains nothing: 0.1 %, a tenth
// of what a field meter's reading is good for. Readings given to four digits (0.03 %
// rounding) that two layers explain to 0.04 % would otherwise take a third layer that
// only fits the rounding.
constexpr double kFloor = 1e-3;

double rmsPercent(double sumOfSquares, std::size_t count) {
    return 100 * std::sqrt(sumOfSquares / static_cast<double>(count));
}

bool wennerOnly(const std::vector<SoundingReading> &readings) {
    return std::all_of(readings.begin(), readings.end(),
                       [](const SoundingReading &r) { return r.array == SoundingArray::Wenner; });
}

// The curve's ln resistivity at ln spacing x, linear between readings, flat beyond.
double curveAt(const LayersSearch &s, double x) {
    const std::vector<double> &xs = s.logSpacings();
    const std::vector<double> &ys = s.logCurve();
    if (x <= xs.front())
        return ys.front();
    if (x >= xs.back())
        return ys.back();
    const auto upper = std::upper_bound(xs.begin(), xs.end(), x) - xs.begin();
    const auto i = static_cast<std::size_t>(upper);
    const double t = (x - xs[i - 1]) / (xs[i] - xs[i - 1]);
    return ys[i - 1] + t * (ys[i] - ys[i - 1]);
}

// The layers of the runs between the cuts (ln spacings, ascending), each run's
// resistivity read at its middle and pushed away from its neighbours' by emphasis.
Parameters curveSeed(const LayersSearch &s, const std::vector<double> &cuts, double emphasis) {
    const int n = s.layers();
    std::vector<double> edges = {s.logSpacings().front()};
    edges.insert(edges.end(), cuts.begin(), cuts.end());
    edges.push_back(s.logSpacings().back());
    std::vector<double> rho;
    for (int i = 0; i < n; ++i) {
        const double middle = i == 0 ? edges.front()
                              : i + 1 == n
                                  ? edges.back()
                                  : (edges[std::size_t(i)] + edges[std::size_t(i + 1)]) / 2;
        rho.push_back(curveAt(s, middle));
    }
    Parameters p(static_cast<std::size_t>(s.parameters()));
    for (int i = 0; i < n; ++i) {
        const double above = i > 0 ? rho[std::size_t(i - 1)] : rho[std::size_t(i)];
        const double below = i + 1 < n ? rho[std::size_t(i + 1)] : rho[std::size_t(i)];
        const double own = rho[std::size_t(i)];
        p[std::size_t(i)] = own + emphasis * (own - (above + below) / 2);
    }
    double top = 0;
    for (int i = 0; i + 1 < n; ++i) {
        const double depth = kReach * std::exp(cuts[std::size_t(i)]);
        p[std::size_t(s.thicknessIndex(i))] = std::log(std::max(depth - top, depth / 4));
        top = std::max(depth, top + depth / 4);
    }
    return p;
}

void addCurveSeeds(const LayersSearch &s, std::vector<Parameters> &seeds) {
    const int cuts = s.layers() - 1;
    const double first = s.logSpacings().front();
    const double span = s.logSpacings().back() - first;
    // Every choice of `cuts` of the kCuts positions, by a bit mask.
    for (unsigned mask = 0; mask < (1u << kCuts); ++mask) {
        if (__builtin_popcount(mask) != cuts)
            continue;
        std::vector<double> at;
        for (int k = 0; k < kCuts; ++k)
            if (mask & (1u << k))
                at.push_back(first + span * (k + 1) / (kCuts + 1));
        for (const double emphasis : {0.0, 1.0, 2.0})
            seeds.push_back(curveSeed(s, at, emphasis));
    }
}

// The soil of one layer fewer, with one of its layers split in two.
void addSplitSeeds(const LayersSearch &s, const LayeredSoil &fewer,
                   std::vector<Parameters> &seeds) {
    const std::size_t n = fewer.resistivities.size();
    double top = 0;
    for (std::size_t layer = 0; layer < n; ++layer) {
        const bool last = layer + 1 == n;
        const double thickness = last ? 0 : fewer.thicknesses[layer];
        const double reference = top > 0 ? top : std::exp(s.logSpacings().front()) * kReach;
        for (std::size_t k = 0; k < 3; ++k) {
            const double upper = last ? reference * kBelow[k] - top : thickness * kSplits[k];
            for (const double factor : kFactors) {
                LayeredSoil split = fewer;
                const double rho = fewer.resistivities[layer];
                split.resistivities.insert(split.resistivities.begin() + long(layer) + 1,
                                           rho * factor);
                if (last) {
                    split.thicknesses.push_back(upper);
                } else {
                    split.thicknesses[layer] = upper;
                    split.thicknesses.insert(split.thicknesses.begin() + long(layer) + 1,
                                             thickness - upper);
                }
                seeds.push_back(s.parametersOf(split));
            }
        }
        top += thickness;
    }
}

// The soil of one layer fewer as N layers: its last boundary's depth halved into a new one
// between two parts of one resistivity, or its half-space cut at twice the depth above.
Point unsplit(const LayersSearch &s, const LayeredSoil &fewer) {
    LayeredSoil same = fewer;
    same.resistivities.push_back(fewer.resistivities.back());
    double depth = 0;
    for (const double h : fewer.thicknesses)
        depth += h;
    same.thicknesses.push_back(depth > 0 ? depth : std::exp(s.logSpacings().front()));
    Parameters p = s.parametersOf(same);
    for (int k = 0; k < s.parameters(); ++k)
        p[std::size_t(k)] = std::clamp(p[std::size_t(k)], s.lower(k), s.upper(k));
    return {p, s.sumOfSquares(p)};
}

bool near(const Parameters &a, const Parameters &b) {
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::abs(a[i] - b[i]) > kDistinct)
            return false;
    return true;
}

Point search(const LayersSearch &s, const std::optional<LayeredSoil> &fewer, const Effort &effort) {
    if (s.layers() == 1)
        return s.bestScale({0});
    std::vector<Parameters> seeds;
    addCurveSeeds(s, seeds);
    if (fewer)
        addSplitSeeds(s, *fewer, seeds);
    std::vector<Point> points;
    for (Parameters &p : seeds) {
        for (int k = 0; k < s.parameters(); ++k)
            p[std::size_t(k)] = std::clamp(p[std::size_t(k)], s.lower(k), s.upper(k));
        const Point point = s.bestScale(p);
        if (std::isfinite(point.sumOfSquares))
            points.push_back(point);
    }
    std::sort(points.begin(), points.end(),
              [](const Point &a, const Point &b) { return a.sumOfSquares < b.sumOfSquares; });
    std::vector<Point> starts;
    for (const Point &p : points) {
        if (starts.size() == effort.starts)
            break;
        if (std::none_of(starts.begin(), starts.end(),
                         [&p](const Point &q) { return near(p.p, q.p); }))
            starts.push_back(p);
    }
    std::vector<Point> ends(starts.size());
    parallelRuns(starts.size(),
                 [&](std::size_t i) { ends[i] = s.refine(starts[i], effort.evaluations); });
    std::sort(ends.begin(), ends.end(),
              [](const Point &a, const Point &b) { return a.sumOfSquares < b.sumOfSquares; });
    std::vector<Point> polished(std::min(effort.polished, ends.size()));
    parallelRuns(polished.size(), [&](std::size_t i) { polished[i] = s.refine(ends[i]); });
    Point best;
    for (const Point &end : polished)
        if (end.sumOfSquares < best.sumOfSquares)
            best = end;
    // Never worse than the soil of one layer fewer, which is one of these with a layer
    // split in two alike.
    if (fewer) {
        const Point same = unsplit(s, *fewer);
        if (same.sumOfSquares < best.sumOfSquares)
            best = s.refine(same);
    }
    return best;
}

// Today's two-layer fit, in the terms of this search.
Point twoLayerWenner(const LayersSearch &s, const std::vector<SoundingReading> &readings) {
    std::vector<WennerReading> wenner;
    for (const SoundingReading &r : readings)
        wenner.push_back({r.spacing, r.resistivity});
    const LayeredFit fit = fitTwoLayers(LayeredSearch(wenner));
    const Parameters p = s.parametersOf({{fit.soil.rho1, fit.soil.rho2}, {fit.soil.h}});
    return {p, fit.sumOfSquares};
}

LayersFit makeFit(const LayersSearch &s, const Point &best) {
    LayersFit fit;
    fit.soil = s.soil(best.p);
    fit.best = best;
    fit.rmsPercent = rmsPercent(best.sumOfSquares, s.readings());
    return fit;
}

LayersFit fitOf(const std::vector<SoundingReading> &readings, int layers,
                const std::optional<LayeredSoil> &fewer, const Effort &effort = kStandard) {
    const LayersSearch s(readings, layers);
    const Point best = layers == 2 && wennerOnly(readings) ? twoLayerWenner(s, readings)
                                                           : search(s, fewer, effort);
    LayersFit fit = makeFit(s, best);
    for (const SoundingReading &r : readings)
        fit.modelled.push_back(fit.soil.apparentResistivity(r));
    return fit;
}

// F(2, nu) at 95 %: for two numerator degrees the quantile has the closed form
// (nu/2)(0.05^(-2/nu) - 1).
} // namespace

Refusable<LayersFit> fitLayers(const std::vector<SoundingReading> &readings, int layers) {
    if (const std::optional<Refusal> r = SoundingReadings::refusal(readings, layers))
        return *r;
    clearUpperVectorState();
    // Each count seeded from the one below it.
    std::optional<LayeredSoil> fewer;
    for (int n = 2; n < layers; ++n)
        fewer = fitOf(readings, n, fewer).soil;
    return fitOf(readings, layers, fewer, layers > 4 ? kFive : layers > 3 ? kThorough : kStandard);
}

Refusable<LayerCountChoice> chooseLayerCount(const std::vector<SoundingReading> &readings,
                                             int most) {
    if (const std::optional<Refusal> r = SoundingReadings::refusal(readings, 1))
        return *r;
    clearUpperVectorState();
    const std::size_t n = readings.size();
    const double floor = static_cast<double>(n) * kFloor * kFloor;
    LayerCountChoice choice;
    std::optional<LayeredSoil> fewer;
    bool chosen = false;
    for (int layers = 1; layers <= std::min(most, SoundingReadings::kMostLayers); ++layers) {
        // Readings that do not outnumber the parameters fit them all.
        if (n <= static_cast<std::size_t>(2 * layers - 1))
            break;
        choice.fits.push_back(fitOf(readings, layers, fewer, layers > 3 ? kQuick : kStandard));
        fewer = choice.fits.back().soil;
        if (layers == 1)
            continue;
        const LayersFit &before = choice.fits[std::size_t(layers - 2)];
        const LayersFit &after = choice.fits.back();
        const double s0 = before.best.sumOfSquares + floor;
        const double s1 = after.best.sumOfSquares + floor;
        const double nu = static_cast<double>(n) - (2 * layers - 1);
        const double ratio = (s0 - s1) / 2 / (s1 / nu);
        const double critical = FQuantile::twoAt95(nu);
        choice.tests.emplace_back(ratio, critical);
        if (!chosen && ratio > critical)
            choice.layers = layers;
        else
            chosen = true;
    }
    return choice;
}

} // namespace tav
