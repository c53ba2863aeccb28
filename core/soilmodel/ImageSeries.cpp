#include "core/soilmodel/ImageSeries.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace tav::ImageSeries {

namespace {

constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kPi = 3.141592653589793;
// Terms summed one by one before the rest is estimated as a whole; far enough out that
// the summand is smooth over one step whatever K and t are.
constexpr int kDirectTerms = 48;
// With |K| <= 1/e the terms alone reach the last digit within this many.
constexpr int kSteepTerms = 64;
// Taylor coefficients f_0 .. f_11 of the summand where the rest begins.
constexpr int kOrder = 12;

using Series = std::array<double, kOrder>;

struct Reflection {
    double k;        // K
    double oneMinus; // 1 - |K|
    double alpha;    // -ln |K|
};

Reflection makeReflection(double rho1, double rho2) {
    // Halves, so that no sum of two resistivities can overflow.
    const double half = rho1 / 2 + rho2 / 2;
    const double difference = std::abs(rho2 / 2 - rho1 / 2);
    const double smaller = std::min(rho1, rho2);
    const double alpha = difference > 0 ? std::log1p(smaller / difference) : kInfinity;
    return {(rho2 / 2 - rho1 / 2) / half, smaller / half, alpha};
}

// What the terms after the n-th can add at most, from the n-th bracket: b decreases and
// stays below 1.5/y^3.
double tailBound(const Reflection &r, double t, int n, double nextPower, double bracket) {
    const double geometric = r.oneMinus > 0 ? bracket / r.oneMinus : kInfinity;
    const double cube = t * t * t;
    const double cubic = cube > 0 ? 1.5 / (cube * 2.0 * n * n) : kInfinity;
    return nextPower * std::min(geometric, cubic);
}

struct Partial {
    double sum;
    bool complete;
};

Partial sumTerms(const Reflection &r, double t, int terms) {
    double sum = 0;
    double power = 1;
    for (int n = 1; n <= terms; ++n) {
        power *= r.k;
        const double b = bracket(n * t);
        sum += power * b;
        // Checked every fourth term: the bound costs as much as a term.
        if (n % 4 == 0 && 4 * tailBound(r, t, n, std::abs(power * r.k), b) <=
                              kEpsilon / 4 * std::abs(1 + 4 * sum))
            return {sum, true};
    }
    return {sum, false};
}

Series product(const Series &a, const Series &b) {
    Series c{};
    for (int i = 0; i < kOrder; ++i)
        for (int j = 0; i + j < kOrder; ++j)
            c[i + j] += a[i] * b[j];
    return c;
}

// 1/sqrt(c + (x t)^2) about x0, in powers of x - x0, from q g' = -q' g / 2 with q the
// quadratic under the root.
Series inverseRoot(double c, double t, double x0) {
    const double q0 = c + (x0 * t) * (x0 * t);
    const double q1 = 2 * t * t * x0;
    const double q2 = t * t;
    Series g{};
    g[0] = 1 / std::sqrt(q0);
    g[1] = -q1 / 2 * g[0] / q0;
    for (int k = 1; k + 1 < kOrder; ++k)
        g[k + 1] = -(q1 * (k + 0.5) * g[k] + q2 * k * g[k - 1]) / (q0 * (k + 1));
    return g;
}

// |K|^x b(x t) about x0. The difference of the two roots loses digits when x0 t is large,
// but only against terms far below the sum's last digit.
Series summand(double alpha, double t, double x0) {
    const Series near = inverseRoot(1, t, x0);
    const Series far = inverseRoot(4, t, x0);
    Series bracket{};
    for (int k = 0; k < kOrder; ++k)
        bracket[k] = near[k] - far[k];
    Series decay{};
    decay[0] = std::exp(-alpha * x0);
    for (int k = 1; k < kOrder; ++k)
        decay[k] = decay[k - 1] * -alpha / k;
    return product(decay, bracket);
}

// Euler-Maclaurin: sum over n >= x0 of f(n), less the integral of f from x0 on.
double eulerMaclaurin(const Series &f) {
    constexpr double c[] = {-1.0 / 12, 1.0 / 120, -1.0 / 252, 1.0 / 240, -1.0 / 132, 691.0 / 32760};
    double s = f[0] / 2;
    for (int k = 0; k < 6; ++k)
        s += c[k] * f[2 * k + 1];
    return s;
}

// Boole: sum over k >= 0 of (-1)^k f(x0 + k), from the series of 1/(1 + e^D).
double boole(const Series &f) {
    constexpr double c[] = {-1.0 / 4, 1.0 / 8, -1.0 / 4, 17.0 / 16, -31.0 / 4, 691.0 / 8};
    double s = f[0] / 2;
    for (int k = 0; k < 6; ++k)
        s += c[k] * f[2 * k + 1];
    return s;
}

// Double-exponential quadrature over (0, inf): x = exp(pi/2 sinh tau), trapezoid steps in
// tau halved from 1/2 to 1/16 until the sum settles; beyond tau = -4 and 3.25 the integrands
// below have nothing left.
constexpr int kLevels = 4;
constexpr int kFinest = 16; // nodes per unit of tau at the last level
constexpr int kFirstNode = -4 * kFinest;
constexpr int kLastNode = 52;

struct Node {
    double x;
    double weight; // dx/dtau
};

using Level = std::vector<Node>;

// The nodes that each level adds to the ones before it.
const std::array<Level, kLevels> &expSinhLevels() {
    static const std::array<Level, kLevels> levels = [] {
        std::array<Level, kLevels> l;
        for (int i = kFirstNode; i <= kLastNode; ++i) {
            int level = kLevels - 1;
            for (int step = 2; level > 0 && i % step == 0; step *= 2)
                --level;
            const double tau = double(i) / kFinest;
            const double x = std::exp(kPi / 2 * std::sinh(tau));
            l[level].push_back({x, x * kPi / 2 * std::cosh(tau)});
        }
        return l;
    }();
    return levels;
}

// Integral of |K|^x b(x t) over x from x0 on, to an absolute error below tolerance.
double tailIntegral(double alpha, double t, double x0, double tolerance) {
    const double y0 = x0 * t;
    if (alpha == 0) {
        // asinh(y) - asinh(y/2) from y0 on, without cancellation
        const double s1 = std::sqrt(1 + y0 * y0);
        const double s2 = std::sqrt(4 + y0 * y0);
        return std::log1p(3 / (s1 + s2) / (y0 + s1)) / t;
    }
    // The scale on which the integrand changes: the decay of |K|^x or of b(x t).
    const double scale = 1 / (alpha + 1 / (x0 + 1 / t));
    const double factor = std::exp(-alpha * x0) * scale;
    double sum = 0;
    double previous = 0;
    double step = 1.0 / (kFinest >> (kLevels - 1));
    for (int level = 0; level < kLevels; ++level, step /= 2) {
        for (const Node &node : expSinhLevels()[level]) {
            const double u = scale * node.x;
            sum += node.weight * std::exp(-alpha * u) * bracket((x0 + u) * t);
        }
        const double estimate = factor * step * sum;
        // Each halving about doubles the digits: the change squared bounds what is left.
        const double change = std::abs(estimate - previous);
        if (level > 0 && change * change <= tolerance * std::abs(estimate) / 16)
            return estimate;
        previous = estimate;
    }
    return previous;
}

double tail(const Reflection &r, double t, int first, double tolerance) {
    // Beyond here every term is below 1e-300 and the direct sum has long stopped.
    if (first * t > 1e100)
        return 0;
    const Series f = summand(r.alpha, t, first);
    if (r.k > 0)
        return tailIntegral(r.alpha, t, first, tolerance) + eulerMaclaurin(f);
    return (first % 2 == 0 ? 1 : -1) * boole(f);
}

} // namespace

double bracket(double y) {
    const double s1 = std::sqrt(1 + y * y);
    const double s2 = std::sqrt(4 + y * y);
    return 3 / (s1 * s2 * (s1 + s2));
}

double sum(double rho1, double rho2, double t) {
    const Reflection r = makeReflection(rho1, rho2);
    if (r.k == 0)
        return 0;
    const bool steep = r.alpha >= 1;
    const Partial direct = sumTerms(r, t, steep ? kSteepTerms : kDirectTerms);
    if (direct.complete || steep)
        return direct.sum;
    // The rest adds 4 times its value to 1 + 4S; an eighth of an ulp of that is enough.
    const double tolerance = kEpsilon / 32 * std::abs(1 + 4 * direct.sum);
    return direct.sum + tail(r, t, kDirectTerms + 1, tolerance);
}

} // namespace tav::ImageSeries
