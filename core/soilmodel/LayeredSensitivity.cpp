#include "core/soilmodel/LayeredSensitivity.h"

#include "core/HankelFilter.h"
#include "core/soilmodel/NearSeries.h"

#include <cmath>

namespace tav::LayeredSensitivity {

namespace {

// As in LayeredSoil: beyond exp(-2 lambda h1) = 1e-20 nothing is left; up to r2 = h1 the
// Bessel functions' power series, its moments and terms taken alike.
constexpr double kFarExponent = 46;
constexpr double kNearest = 1;

// exp(-x), 0 once below 1e-300: the library's exp takes its slow path of underflow and
// subnormal results beyond, which deep layers under high lambda reach on every abscissa.
double decay(double x) {
    return x < 690 ? std::exp(-x) : 0;
}

// The remainder T - rho_1 - (rho_N - rho_1) exp(-2 lambda D) that LayeredSoil filters,
// with its derivatives, accumulated over the filter's abscissas at one radius.
class Accumulator {
public:
    Accumulator(const LayeredSoil &soil, std::size_t parameters)
        : m_soil(soil), m_n(soil.resistivities.size()), m_layer(soil.thicknesses.size()),
          m_ds(parameters) {
        for (const double h : soil.thicknesses)
            m_depth += h;
    }

    double depth() const { return m_depth; }

    // The transform of the remainder at r, its derivatives added into gradient times
    // factor.
    double transform(double r, double factor, std::vector<double> &gradient) {
        const auto &b = HankelFilter::abscissas();
        const auto &w = HankelFilter::weights();
        double sum = 0;
        for (std::size_t i = 0; i < HankelFilter::kPoints; ++i) {
            const double lambda = b[i] / r;
            if (2 * lambda * m_soil.thicknesses.front() > kFarExponent)
                break;
            sum += w[i] * evaluate(lambda);
            for (std::size_t k = 0; k < m_ds.size(); ++k)
                gradient[k] += factor * w[i] * m_ds[k] / r;
        }
        return sum / r;
    }

private:
    // The remainder at lambda; its derivatives left in m_ds. The recursion runs up from
    // the last layer, T_i = rho_i + s(rho_i, e_i, T_i+1) with s = num/den as LayeredSoil
    // writes it; its derivatives run back down (reverse mode), so that all 2N - 1 cost
    // one pass.
    double evaluate(double lambda) {
        const std::vector<double> &rho = m_soil.resistivities;
        const std::vector<double> &h = m_soil.thicknesses;
        const double step = excessAt(lambda);
        // Less the part whose transform is closed.
        const double contrast = rho.back() - rho.front();
        const double far = decay(2 * lambda * m_depth);
        m_ds[0] += rho.front() * far;
        m_ds[m_n - 1] -= rho.back() * far;
        for (std::size_t j = 0; j < h.size(); ++j)
            m_ds[m_n + j] += contrast * far * 2 * lambda * h[j];
        return step - contrast * far;
    }

public:
    // T - rho_1 at lambda, as LayeredSoil's recursion gives it; its derivatives in m_ds.
    double excessAt(double lambda) {
        const std::vector<double> &rho = m_soil.resistivities;
        const std::vector<double> &h = m_soil.thicknesses;
        const std::size_t layers = h.size();
        double below = rho.back();
        double step = 0;
        for (std::size_t i = layers; i-- > 0;) {
            const double e = decay(2 * lambda * h[i]);
            const double num = 2 * rho[i] * e * (below - rho[i]);
            const double den = rho[i] * (1 + e) + below * (1 - e);
            step = num / den;
            m_layer[i] = {e, below, num, den};
            below = rho[i] + step;
        }
        // d step_0 / d T_i+1, carried down the layers.
        double carried = 1;
        for (std::size_t i = 0; i < layers; ++i) {
            const Layer &l = m_layer[i];
            const double r = rho[i];
            const double inverse = 1 / (l.den * l.den);
            const double byRho =
                (2 * l.e * (l.below - 2 * r) * l.den - l.num * (1 + l.e)) * inverse;
            const double byE = (2 * r * (l.below - r) * l.den - l.num * (r - l.below)) * inverse;
            const double byBelow = (2 * r * l.e * l.den - l.num * (1 - l.e)) * inverse;
            // T_i = rho_i + step_i: rho_i enters once itself, but the excess of the top
            // layer is step_0 alone.
            m_ds[i] = carried * ((i == 0 ? 0 : 1) + byRho) * r;
            m_ds[m_n + i] = carried * byE * (-2 * lambda * h[i] * l.e);
            carried *= byBelow;
        }
        m_ds[m_n - 1] = carried * rho.back();
        return step;
    }

    const std::vector<double> &derivatives() const { return m_ds; }

private:
    struct Layer {
        double e;
        double below; // T_i+1
        double num;
        double den;
    };

    const LayeredSoil &m_soil;
    std::size_t m_n;
    double m_depth = 0;
    std::vector<Layer> m_layer;
    std::vector<double> m_ds; // d (T_1 - rho_1) / d p, then of the remainder
};

double filtered(const LayeredSoil &soil, double r1, double r2, double g,
                std::vector<double> &gradient) {
    const std::vector<double> &rho = soil.resistivities;
    const std::size_t n = rho.size();
    Accumulator remainder(soil, gradient.size());
    const double d = remainder.depth();
    const double s1 = std::sqrt(r1 * r1 + 4 * d * d);
    const double s2 = std::sqrt(r2 * r2 + 4 * d * d);
    const double roots = (r2 - r1) * (r2 + r1) / (s1 * s2 * (s1 + s2));
    const double contrast = rho.back() - rho.front();
    // d roots / d D, each h_j moving D by h_j per unit of ln h_j.
    const double slope = 4 * d * (1 / (s2 * s2 * s2) - 1 / (s1 * s1 * s1));
    gradient[0] += rho.front() - g * rho.front() * roots;
    gradient[n - 1] += g * rho.back() * roots;
    for (std::size_t j = 0; j + 1 < n; ++j)
        gradient[n + j] += g * contrast * slope * soil.thicknesses[j];
    const double i1 = remainder.transform(r1, g, gradient);
    std::vector<double> second(gradient.size(), 0.0);
    const double i2 = remainder.transform(r2, g, second);
    for (std::size_t k = 0; k < gradient.size(); ++k)
        gradient[k] -= second[k];
    return rho.front() + g * (contrast * roots + (i1 - i2));
}

// LayeredSoil's series of the moments of T - rho_1, each moment's derivatives the moments
// of the derivatives of T - rho_1 (the grid in lambda h1 moves with h1, but the moments do
// not depend on it).
double nearSeries(const LayeredSoil &soil, double r1, double r2, double g,
                  std::vector<double> &gradient) {
    const double h1 = soil.thicknesses.front();
    const std::size_t p = gradient.size();
    Accumulator excess(soil, p);
    const auto terms = static_cast<std::size_t>(NearSeries::terms(r2, h1));
    std::vector<double> moments(terms + 1, 0.0);
    std::vector<double> slopes((terms + 1) * p, 0.0);
    std::vector<double> pieces(p);
    const double growth = std::exp(NearSeries::kMomentStep);
    const int steps = static_cast<int>(
        std::log(NearSeries::kLastMoment / NearSeries::kFirstMoment) / NearSeries::kMomentStep);
    double x = NearSeries::kFirstMoment;
    for (int i = 0; i <= steps; ++i, x *= growth) {
        double term = x * excess.excessAt(x / h1) * NearSeries::kMomentStep;
        const std::vector<double> &ds = excess.derivatives();
        for (std::size_t j = 0; j < p; ++j)
            pieces[j] = x * ds[j] * NearSeries::kMomentStep;
        for (std::size_t k = 1; k <= terms; ++k) {
            term *= x * x;
            moments[k] += term;
            for (std::size_t j = 0; j < p; ++j) {
                pieces[j] *= x * x;
                slopes[k * p + j] += pieces[j];
            }
        }
    }
    const double q1 = (r1 / (2 * h1)) * (r1 / (2 * h1));
    const double q2 = (r2 / (2 * h1)) * (r2 / (2 * h1));
    double p1 = 1;
    double p2 = 1;
    double factorial = 1;
    double sum = 0;
    for (std::size_t k = 1; k <= terms; ++k) {
        p1 *= q1;
        p2 *= q2;
        factorial *= static_cast<double>(k);
        const double c = (k % 2 ? -1 : 1) * (p1 - p2) / (factorial * factorial);
        const double term = (k % 2 ? -1 : 1) * (p1 - p2) * moments[k] / (factorial * factorial);
        sum += term;
        for (std::size_t j = 0; j < p; ++j)
            gradient[j] += g * c * slopes[k * p + j] / h1;
        if (std::abs(term) <= 1e-16 * std::abs(sum))
            break;
    }
    gradient[0] += soil.resistivities.front();
    return soil.resistivities.front() + g * sum / h1;
}

} // namespace

double apparent(const LayeredSoil &soil, const SoundingReading &reading,
                std::vector<double> &gradient) {
    const std::size_t n = soil.resistivities.size();
    gradient.assign(2 * n - 1, 0.0);
    if (n == 1) {
        gradient[0] = soil.resistivities.front();
        return soil.resistivities.front();
    }
    double r1 = reading.spacing;
    double r2 = 2 * reading.spacing;
    double g = 2 * reading.spacing;
    if (reading.array == SoundingArray::Schlumberger) {
        const double big = reading.spacing;
        const double small = reading.halfPotentialSpacing;
        r1 = big - small;
        r2 = big + small;
        g = (big - small) * (big + small) / (2 * small);
    }
    if (r2 <= kNearest * soil.thicknesses.front())
        return nearSeries(soil, r1, r2, g, gradient);
    return filtered(soil, r1, r2, g, gradient);
}

} // namespace tav::LayeredSensitivity
