#include "core/soilmodel/FitDeterminacy.h"

#include "core/soilmodel/FQuantile.h"

#include <array>
#include <cmath>
#include <vector>

namespace tav {

namespace {

using Point = LayeredSearch::Point;
using Parameter = LayeredSearch::Parameter;

// Relative error per reading that no fit is asked to resolve: 0.01 %.
constexpr double kFloor = 1e-4;
// Depths and contrasts tried as starts of a fit with one parameter held.
constexpr int kHeldStarts = 9;
constexpr double kFirstStep = 0.5; // in ln h or ln(rho2/rho1)
// The crossing of the tolerance along a profile: found to 0.01 % of the parameter, in at
// most this many steps.
constexpr int kCrossingSteps = 12;
constexpr double kCrossingWidth = 1e-4; // in ln h or ln(rho2/rho1)

double tolerated(double best, std::size_t readings) {
    const std::size_t freedom = readings - 3;
    if (freedom == 0)
        return best + readings * kFloor * kFloor;
    const double f = FQuantile::oneAt95(freedom);
    return best * (1 + f / freedom) + readings * kFloor * kFloor;
}

double spread(const LayeredSearch &s, Parameter k, int i) {
    return s.lower(k) + (s.upper(k) - s.lower(k)) * i / (kHeldStarts - 1);
}

// The best soil with parameter k (the contrast or the depth) held at value: polished from
// the best of a few starts, the point near and, unless near is known to lie in the right
// valley, others spread over the other parameter's range, as a start at a contrast limit
// cannot leave it.
Point heldAt(const LayeredSearch &s, const Point &near, Parameter k, double value,
             bool spreadStarts = true) {
    const Parameter other =
        k == LayeredSearch::Contrast ? LayeredSearch::LogDepth : LayeredSearch::Contrast;
    std::vector<double> others = {near.p[other]};
    for (int i = 0; spreadStarts && i < kHeldStarts; ++i)
        others.push_back(spread(s, other, i));
    Point start;
    for (const double o : others) {
        const Point p =
            k == LayeredSearch::Contrast ? s.bestScale(value, o) : s.bestScale(o, value);
        if (p.sumOfSquares < start.sumOfSquares)
            start = p;
    }
    return std::isfinite(start.sumOfSquares) ? s.refineHolding(start, k) : start;
}

// Along the profile of k from best in direction (+1 or -1): the last point whose best soil
// stays within tolerance, or nothing when the profile stays within it up to the limit.
std::optional<Point> edge(const LayeredSearch &s, const Point &best, Parameter k, int direction,
                          double tolerance) {
    const double limit = direction > 0 ? s.upper(k) : s.lower(k);
    Point inside = best;
    Point outside;
    for (double step = kFirstStep;; step *= 2) {
        double value = inside.p[k] + direction * step;
        if ((value - limit) * direction >= 0)
            value = limit;
        // The profile's last point lies in the valley of its next.
        const Point p = heldAt(s, inside, k, value, false);
        if (!(p.sumOfSquares <= tolerance)) {
            outside = p;
            break;
        }
        inside = p;
        if (value == limit)
            return std::nullopt;
    }
    // The crossing of ln S with ln tolerance, by regula falsi with the Illinois rule
    // (Dowell and Jarratt, 1971): ln S is smooth along the profile, so that it takes a few
    // steps where bisection takes ten.
    const auto excess = [tolerance](const Point &p) {
        return std::log(p.sumOfSquares / tolerance);
    };
    double in = excess(inside);
    double out = excess(outside);
    int side = 0; // the end kept twice in a row: +1 inside, -1 outside
    for (int i = 0; i < kCrossingSteps && std::abs(outside.p[k] - inside.p[k]) > kCrossingWidth;
         ++i) {
        double value = (inside.p[k] * out - outside.p[k] * in) / (out - in);
        if (!std::isfinite(value))
            value = (inside.p[k] + outside.p[k]) / 2;
        const Point p = heldAt(s, inside, k, value, false);
        const double e = excess(p);
        if (e <= 0) {
            inside = p;
            in = e;
            out /= side < 0 ? 2 : 1;
            side = -1;
        } else {
            outside = p;
            out = e;
            in /= side > 0 ? 2 : 1;
            side = 1;
        }
    }
    return inside;
}

// Three significant digits, rounded outward: a bound never tighter than the readings set.
double outward(double value, bool up) {
    const int exponent = static_cast<int>(std::floor(std::log10(value))) - 2;
    const double power = std::pow(10.0, std::abs(exponent));
    const double scaled = exponent < 0 ? value * power : value / power;
    const double digits = up ? std::ceil(scaled) : std::floor(scaled);
    return exponent < 0 ? digits / power : digits * power;
}

Determination open() {
    Determination d;
    d.determined = false;
    return d;
}

} // namespace

LayeredDeterminacy determinacy(const LayeredSearch &search, const Point &best,
                               double uniformSumOfSquares) {
    const double tolerance = tolerated(best.sumOfSquares, search.readings());
    // A top layer thinner than any spacing tells: its resistivity trades against its depth.
    const double thin = search.lower(LayeredSearch::LogDepth);
    const bool thinFits =
        heldAt(search, best, LayeredSearch::LogDepth, thin).sumOfSquares <= tolerance;
    // A top layer deeper than the readings reach: the uniform soil.
    const bool deepFits = uniformSumOfSquares <= tolerance;
    if (thinFits && deepFits)
        return {open(), open(), open()};
    LayeredDeterminacy d;
    if (deepFits) {
        d.rho2 = open();
        d.h = open();
        if (const std::optional<Point> e =
                edge(search, best, LayeredSearch::LogDepth, -1, tolerance))
            d.h.atLeast = outward(search.soil(e->p).h, false);
        return d;
    }
    if (thinFits) {
        d.rho1 = open();
        d.h = open();
        if (const std::optional<Point> e =
                edge(search, best, LayeredSearch::LogDepth, 1, tolerance))
            d.h.atMost = outward(search.soil(e->p).h, true);
    }
    // An infinite contrast on the side of the fitted one.
    const int side = best.p[LayeredSearch::Contrast] >= 0 ? 1 : -1;
    const double limit =
        side > 0 ? search.upper(LayeredSearch::Contrast) : search.lower(LayeredSearch::Contrast);
    if (heldAt(search, best, LayeredSearch::Contrast, limit).sumOfSquares <= tolerance) {
        d.rho2 = open();
        if (const std::optional<Point> e =
                edge(search, best, LayeredSearch::Contrast, -side, tolerance))
            (side > 0 ? d.rho2.atLeast : d.rho2.atMost) = outward(search.soil(e->p).rho2, side < 0);
    }
    return d;
}

} // namespace tav
