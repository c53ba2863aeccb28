#include "core/soilmodel/LayeredSoil.h"

#include "core/HankelFilter.h"
#include "core/soilmodel/NearSeries.h"
#include "core/soilmodel/TwoLayerSoil.h"

#include <array>
#include <cmath>
#include <limits>

namespace tav {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Beyond exp(-2 lambda h1) = 1e-20 the layers below add nothing the sum can hold.
constexpr double kFarExponent = 46;
// The filter's abscissas reach down only to 4e-6/r: from spacings well inside the top
// layer it no longer sees T's changes at small lambda whole (a basement 1e4 times as
// resistive as the top changes it near 1e-4/h1; read at h1/100 the filter misses by
// 2e-3). Up to r2 = h1 the Bessel functions' power series is taken instead (nearSeries).
constexpr double kNearest = 1;

// exp(-x), 0 once below 1e-300: the library's exp takes its slow path of underflow and
// subnormal results beyond, which deep layers under high lambda reach on every abscissa.
double decay(double x) {
    return x < 690 ? std::exp(-x) : 0;
}

bool positive(double value) {
    return std::isfinite(value) && value > 0;
}

// What the filter sees: T(lambda) less rho_1 + (rho_N - rho_1) exp(-2 lambda D), D the depth
// of the last layer. Both parts meet T at either end, so that the rest vanishes at lambda =
// 0 (where T - rho_N grows as lambda) and far out, as the filter needs; the part taken out
// has the closed transform rho_1/r + (rho_N - rho_1)/sqrt(r^2 + 4 D^2).
class Remainder {
public:
    explicit Remainder(const LayeredSoil &soil) : m_soil(soil) {
        for (const double h : soil.thicknesses)
            m_depth += h;
    }

    double depth() const { return m_depth; }

    double operator()(double lambda) const {
        const std::vector<double> &rho = m_soil.resistivities;
        const std::vector<double> &h = m_soil.thicknesses;
        if (2 * lambda * h.front() > kFarExponent)
            return 0;
        return excess(lambda) - (rho.back() - rho.front()) * decay(2 * lambda * m_depth);
    }

    // T - rho_1 by the recursion T_i = rho_i (T_{i+1} + rho_i t)/(rho_i + T_{i+1} t),
    // t = tanh(lambda h_i), written as T_i - rho_i = 2 rho_i e (T_{i+1} - rho_i) /
    // (rho_i (1 + e) + T_{i+1} (1 - e)) with e = exp(-2 lambda h_i): a denominator of
    // positive terms, and no 1 - tanh that loses its digits far out.
    double excess(double lambda) const {
        const std::vector<double> &rho = m_soil.resistivities;
        const std::vector<double> &h = m_soil.thicknesses;
        double below = rho.back();
        double step = 0;
        for (std::size_t i = h.size(); i-- > 0;) {
            const double e = decay(2 * lambda * h[i]);
            step = 2 * rho[i] * e * (below - rho[i]) / (rho[i] * (1 + e) + below * (1 - e));
            below = rho[i] + step;
        }
        return step;
    }

private:
    const LayeredSoil &m_soil;
    double m_depth = 0;
};

// 1/sqrt(r1^2 + c) - 1/sqrt(r2^2 + c) without the cancellation of the two.
double rootDifference(double r1, double r2, double c) {
    const double s1 = std::sqrt(r1 * r1 + c);
    const double s2 = std::sqrt(r2 * r2 + c);
    return (r2 - r1) * (r2 + r1) / (s1 * s2 * (s1 + s2));
}

// rho_a = rho_1 + g [ (rho_N - rho_1) (1/sqrt(r1^2 + 4D^2) - 1/sqrt(r2^2 + 4D^2)) +
//                     I(r1) - I(r2) ],
// Near the electrodes, r2 <= h1: with J0(z) = sum over k of (-1)^k (z/2)^2k / (k!)^2,
//   rho_a = rho_1 + g sum over k >= 1 of (-1)^k ((r1/2)^2k - (r2/2)^2k) M_2k / (k!)^2,
//   M_2k = integral of lambda^2k (T - rho_1),
// which converges for r2 < 2 h1, T - rho_1 falling as exp(-2 lambda h1); the k = 0 terms
// cancel, and with them what T does at small lambda, which the filter cannot see.
double nearSeries(const LayeredSoil &soil, const Remainder &remainder, double r1, double r2,
                  double g) {
    const double h1 = soil.thicknesses.front();
    // In x = lambda h1, so that no power overflows: M_2k = h1^-(2k+1) times the moment in x.
    std::array<double, NearSeries::kMostTerms + 1> moments{};
    const int terms = NearSeries::terms(r2, h1);
    const double growth = std::exp(NearSeries::kMomentStep);
    const int steps = static_cast<int>(
        std::log(NearSeries::kLastMoment / NearSeries::kFirstMoment) / NearSeries::kMomentStep);
    double x = NearSeries::kFirstMoment;
    for (int i = 0; i <= steps; ++i, x *= growth) {
        double term = x * remainder.excess(x / h1) * NearSeries::kMomentStep;
        for (int k = 1; k <= terms; ++k) {
            term *= x * x;
            moments[static_cast<std::size_t>(k)] += term;
        }
    }
    const double q1 = (r1 / (2 * h1)) * (r1 / (2 * h1));
    const double q2 = (r2 / (2 * h1)) * (r2 / (2 * h1));
    double p1 = 1;
    double p2 = 1;
    double factorial = 1;
    double sum = 0;
    for (int k = 1; k <= terms; ++k) {
        p1 *= q1;
        p2 *= q2;
        factorial *= k;
        const double term = (k % 2 ? -1 : 1) * (p1 - p2) * moments[static_cast<std::size_t>(k)] /
                            (factorial * factorial);
        sum += term;
        if (std::abs(term) <= 1e-16 * std::abs(sum))
            break;
    }
    return soil.resistivities.front() + g * sum / h1;
}

// I the filter's transform of the remainder, g the array's geometric factor over 2 pi.
double apparent(const LayeredSoil &soil, double r1, double r2, double g) {
    const std::vector<double> &rho = soil.resistivities;
    if (rho.size() == 1)
        return rho.front();
    if (r2 <= kNearest * soil.thicknesses.front())
        return nearSeries(soil, Remainder(soil), r1, r2, g);
    const Remainder remainder(soil);
    const double d = remainder.depth();
    const double closed = (rho.back() - rho.front()) * rootDifference(r1, r2, 4 * d * d);
    const double filtered =
        HankelFilter::transform(remainder, r1) - HankelFilter::transform(remainder, r2);
    return rho.front() + g * (closed + filtered);
}

} // namespace

bool LayeredSoil::valid() const {
    if (resistivities.empty() || thicknesses.size() + 1 != resistivities.size())
        return false;
    for (const double rho : resistivities)
        if (!positive(rho))
            return false;
    for (const double h : thicknesses)
        if (!positive(h))
            return false;
    return true;
}

double LayeredSoil::transform(double lambda) const {
    if (!valid())
        return kNaN;
    if (thicknesses.empty())
        return resistivities.front();
    return resistivities.front() + Remainder(*this).excess(lambda);
}

double LayeredSoil::wennerResistivity(double a) const {
    if (valid() && resistivities.size() == 2)
        return TwoLayerSoil{resistivities[0], resistivities[1], thicknesses[0]}.wennerResistivity(
            a);
    return filteredWennerResistivity(a);
}

double LayeredSoil::filteredWennerResistivity(double a) const {
    if (!valid() || !positive(a))
        return kNaN;
    // 2 pi a Delta V / I with Delta V = (I / pi) times the integral of T [J0(lambda a) -
    // J0(2 lambda a)].
    return apparent(*this, a, 2 * a, 2 * a);
}

double LayeredSoil::schlumbergerResistivity(double halfCurrent, double halfPotential) const {
    if (!valid() || !positive(halfCurrent) || !positive(halfPotential) ||
        !(halfPotential < halfCurrent))
        return kNaN;
    const double g =
        (halfCurrent - halfPotential) * (halfCurrent + halfPotential) / (2 * halfPotential);
    return apparent(*this, halfCurrent - halfPotential, halfCurrent + halfPotential, g);
}

double LayeredSoil::apparentResistivity(const SoundingReading &reading) const {
    if (reading.array == SoundingArray::Schlumberger)
        return schlumbergerResistivity(reading.spacing, reading.halfPotentialSpacing);
    return wennerResistivity(reading.spacing);
}

} // namespace tav
