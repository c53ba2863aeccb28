#include "core/soilmodel/LayeredSoil.h"

#include "core/soilmodel/HankelFilter.h"
#include "core/soilmodel/TwoLayerSoil.h"

#include <cmath>
#include <limits>

namespace tav {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Beyond exp(-2 lambda h1) = 1e-20 the layers below add nothing the sum can hold.
constexpr double kFarExponent = 46;
// The filter's abscissas reach down to 4e-6: from a spacing below a thousandth of the top
// layer it no longer sees the first boundary whole (at 1e-5 of it, a few 1e-6 of rho_1
// go astray). There rho_a - rho_1 grows as the cube of the spacing, J0(x) - J0(y) being
// (y^2 - x^2)/4 to the fourth power of x and y, and is taken from this spacing so.
constexpr double kNearest = 1e-3;

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
// I the filter's transform of the remainder, g the array's geometric factor over 2 pi.
double apparent(const LayeredSoil &soil, double r1, double r2, double g) {
    const std::vector<double> &rho = soil.resistivities;
    if (rho.size() == 1)
        return rho.front();
    const double nearest = kNearest * soil.thicknesses.front();
    if (r2 < nearest) {
        const double scale = nearest / r2;
        const double cube = 1 / (scale * scale * scale);
        return rho.front() + (apparent(soil, r1 * scale, nearest, g * scale) - rho.front()) * cube;
    }
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
