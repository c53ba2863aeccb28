#include "core/soilmodel/LayersDeterminacy.h"

#include "core/soilmodel/LayersSearch.h"
#include "core/soilmodel/ParallelRuns.h"
#include "core/soilmodel/VectorState.h"

#include "core/soilmodel/FQuantile.h"

#include <array>
#include <cmath>

namespace tav {

namespace {

using Point = LayersSearch::Point;
using Hold = LayersSearch::Hold;

constexpr double kFloor = 1e-4;    // relative error per reading no fit resolves
constexpr double kFirstStep = 0.3; // in the log of the parameter
constexpr int kCrossingSteps = 6;  // regula falsi steps to the region's end
constexpr double kCrossingWidth = 1e-3;
constexpr int kHeldEvaluations = 25;
// How far beyond a limit a parameter is tried, in its log, and what it must gain there.
constexpr double kBeyond[] = {0.05, 0.3, 1.0};
constexpr double kGain = 1e-3;
constexpr double kFirm = 3;

double tolerated(double best, std::size_t readings, int parameters) {
    const std::size_t p = static_cast<std::size_t>(parameters);
    const double floor = static_cast<double>(readings) * kFloor * kFloor;
    if (readings <= p)
        return best + floor;
    const std::size_t nu = readings - p;
    const double f = FQuantile::oneAt95(nu);
    return best * (1 + f / static_cast<double>(nu)) + floor;
}

// What a profile holds: one parameter, or the log of a product or quotient of two.
struct Profile {
    int index;
    int tie = -1;
    double sign = 0;

    double valueAt(const Point &p) const {
        const double own = p.p[static_cast<std::size_t>(index)];
        return tie < 0 ? own : own - sign * p.p[static_cast<std::size_t>(tie)];
    }
    Hold at(double value) const { return {index, value, tie, sign}; }
};

// Whether a parameter of p other than the held one lies at its limit and would fit better
// beyond it: the profile's valley goes on past what the search takes, and rises only
// because it is cut there (a thin layer's thickness at its least, its resistivity still
// climbing). A parameter that merely drifted to its limit along a flat valley gains
// nothing beyond it.
bool cutByLimit(const LayersSearch &s, const Point &p, const Profile &profile) {
    for (int k = 0; k < s.parameters(); ++k) {
        const auto i = static_cast<std::size_t>(k);
        const double v = p.p[i];
        const bool low = v <= s.lower(k);
        if (k == profile.index || (!low && v < s.upper(k)))
            continue;
        for (const double step : kBeyond) {
            LayersSearch::Parameters beyond = p.p;
            beyond[i] += low ? -step : step;
            if (s.sumOfSquares(beyond) < p.sumOfSquares * (1 - kGain))
                return true;
        }
    }
    return false;
}

// Along the profile from best in direction (+1 or -1): the region's end, or nothing when
// the profile stays within tolerance to the limit of the held parameter or of another.
std::optional<Point> edge(const LayersSearch &s, const Point &best, const Profile &profile,
                          int direction, double tolerance) {
    const double start = profile.valueAt(best);
    // The held parameter's own limit, as far as the tie lets it be reached.
    const double span = s.upper(profile.index) - s.lower(profile.index);
    const double limit = start + direction * span;
    Point inside = best;
    Point outside;
    double insideValue = start;
    double outsideValue = start;
    for (double step = kFirstStep;; step *= 2) {
        double value = insideValue + direction * step;
        if ((value - limit) * direction >= 0)
            value = limit;
        const Point p = s.refineHolding(inside, profile.at(value), kHeldEvaluations);
        const double reached = profile.valueAt(p);
        if (cutByLimit(s, p, profile))
            return std::nullopt;
        if (!(p.sumOfSquares <= tolerance)) {
            outside = p;
            outsideValue = value;
            break;
        }
        // Held against a bound, the profile cannot go further: open.
        if (value == limit || std::abs(reached - value) > 1e-9)
            return std::nullopt;
        inside = p;
        insideValue = value;
    }
    const auto excess = [tolerance](const Point &p) {
        return std::log(p.sumOfSquares / tolerance);
    };
    double in = excess(inside);
    double out = excess(outside);
    for (int i = 0; i < kCrossingSteps && std::abs(outsideValue - insideValue) > kCrossingWidth;
         ++i) {
        double value = (insideValue * out - outsideValue * in) / (out - in);
        if (!std::isfinite(value) || (value - insideValue) * (value - outsideValue) >= 0)
            value = (insideValue + outsideValue) / 2;
        const Point p = s.refineHolding(inside, profile.at(value), kHeldEvaluations);
        const double e = excess(p);
        if (e <= 0) {
            inside = p;
            insideValue = value;
            in = e;
        } else {
            outside = p;
            outsideValue = value;
            out = e;
        }
    }
    return inside;
}

// Three significant digits, rounded outward.
double outward(double value, bool up) {
    const int exponent = static_cast<int>(std::floor(std::log10(value))) - 2;
    const double power = std::pow(10.0, std::abs(exponent));
    const double scaled = exponent < 0 ? value * power : value / power;
    const double digits = up ? std::ceil(scaled) : std::floor(scaled);
    return exponent < 0 ? digits / power : digits * power;
}

using Measure = double (*)(const LayeredSoil &, int layer);

double resistivityOf(const LayeredSoil &s, int layer) {
    return s.resistivities[static_cast<std::size_t>(layer)];
}
double thicknessOf(const LayeredSoil &s, int layer) {
    return s.thicknesses[static_cast<std::size_t>(layer)];
}
double conductanceOf(const LayeredSoil &s, int layer) {
    return thicknessOf(s, layer) / resistivityOf(s, layer);
}
double transverseOf(const LayeredSoil &s, int layer) {
    return thicknessOf(s, layer) * resistivityOf(s, layer);
}

Determination determine(const LayersSearch &s, const Point &best, const Profile &profile,
                        double tolerance, Measure measure, int layer,
                        std::vector<LayeredSoil> *edges = nullptr) {
    Determination d;
    const std::optional<Point> low = edge(s, best, profile, -1, tolerance);
    const std::optional<Point> high = edge(s, best, profile, 1, tolerance);
    for (const std::optional<Point> &end : {low, high})
        if (end && edges)
            edges->push_back(s.soil(end->p));
    d.determined = low && high;
    // Each end as the measure of its soil: a product may fall as its log does not.
    const auto bound = [&](const Point &p) { return measure(s.soil(p.p), layer); };
    if (low)
        d.atLeast = outward(bound(*low), false);
    if (high)
        d.atMost = outward(bound(*high), true);
    return d;
}

// Known within a factor of kFirm: a value worth giving. A layer's thickness and
// resistivity known only more loosely are given as their product when that is firm.
bool firm(const Determination &d) {
    return d.determined && *d.atMost <= kFirm * *d.atLeast;
}

} // namespace

LayersDeterminacy layersDeterminacy(const std::vector<SoundingReading> &readings,
                                    const LayersFit &fit) {
    clearUpperVectorState();
    const int n = static_cast<int>(fit.soil.resistivities.size());
    const LayersSearch s(readings, n);
    // From the soil, in this search's scaling, whatever search found it.
    const LayersSearch::Parameters start = s.parametersOf(fit.soil);
    const Point best{start, s.sumOfSquares(start)};
    const double tolerance = tolerated(best.sumOfSquares, s.readings(), s.parameters());
    LayersDeterminacy d;
    // Every resistivity's profile, then every thickness's, each on a core of its own.
    std::vector<Determination> each(std::size_t(2 * n - 1));
    std::vector<std::vector<LayeredSoil>> edges(each.size());
    parallelRuns(each.size(), [&](std::size_t k) {
        const int i = int(k);
        each[k] = i < n ? determine(s, best, {LayersSearch::rhoIndex(i)}, tolerance,
                                    resistivityOf, i, &edges[k])
                        : determine(s, best, {s.thicknessIndex(i - n)}, tolerance,
                                    thicknessOf, i - n, &edges[k]);
    });
    d.resistivities.assign(each.begin(), each.begin() + n);
    d.thicknesses.assign(each.begin() + n, each.end());
    for (const std::vector<LayeredSoil> &found : edges)
        d.edges.insert(d.edges.end(), found.begin(), found.end());
    d.products.resize(static_cast<std::size_t>(n));
    for (int i = 1; i + 1 < n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (firm(d.resistivities[k]) || firm(d.thicknesses[k]))
            continue;
        const std::vector<double> &rho = fit.soil.resistivities;
        const bool conductive = rho[k] * rho[k] < rho[k - 1] * rho[k + 1];
        // ln h = q + ln rho holds h/rho; ln h = q - ln rho holds h rho.
        const Profile product{s.thicknessIndex(i), LayersSearch::rhoIndex(i),
                              conductive ? 1.0 : -1.0};
        const Measure measure = conductive ? conductanceOf : transverseOf;
        const Determination p = determine(s, best, product, tolerance, measure, i);
        if (!firm(p))
            continue;
        d.products[k] = LayerProduct{conductive ? LayerProduct::Kind::Conductance
                                                : LayerProduct::Kind::TransverseResistance,
                                     measure(fit.soil, i), *p.atLeast, *p.atMost};
    }
    return d;
}

} // namespace tav
