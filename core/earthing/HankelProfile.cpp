#include "core/earthing/HankelProfile.h"

#include "core/HankelFilter.h"

#include <algorithm>
#include <cmath>

namespace tav::earthing {

HankelProfile::HankelProfile(const std::function<double(double)> &kernel, double lo, double hi) {
    const std::array<double, HankelFilter::kPoints> &w = HankelFilter::weights();
    const double ratio = HankelFilter::ratio();
    const double step = std::log(ratio);
    // Nodes r_m = lo ratio^(m - 1) for m = 0..count-1: one before lo and two beyond hi, so
    // that every r in [lo, hi] has two nodes on each side.
    const int count = int(std::ceil(std::log(hi / lo) / step)) + 4;
    const double first = lo / ratio;
    // The filter reads f(b_i / r_m), b_i = ratio^(i - 100): lambda = ratio^(i - 100 - m) / first.
    const int centre = int(HankelFilter::kPoints) / 2;
    const int lowest = -centre - (count - 1);
    std::vector<double> f(std::size_t(centre - lowest + 1));
    for (std::size_t k = 0; k < f.size(); ++k)
        f[k] = kernel(std::pow(ratio, double(lowest + int(k))) / first);
    m_values.resize(std::size_t(count));
    for (int m = 0; m < count; ++m) {
        double sum = 0;
        for (int i = 0; i < int(HankelFilter::kPoints); ++i)
            sum += w[std::size_t(i)] * f[std::size_t(i - centre - m - lowest)];
        m_values[std::size_t(m)] = sum / (first * std::pow(ratio, m));
    }
    m_lnLo = std::log(first);
    m_inverseStep = 1 / step;
    m_r0 = first;
    m_r1 = first * ratio;
}

double HankelProfile::at(double r) const {
    const std::size_t n = m_values.size();
    if (r <= m_r1 && m_hasOrigin) {
        const double r2 = std::max(r, 0.) * r;
        return m_origin + (m_values[1] - m_origin) * r2 / (m_r1 * m_r1);
    }
    if (r <= m_r1) {
        const double r2 = std::max(r, 0.) * r;
        return m_values[0] + (m_values[1] - m_values[0]) * (r2 - m_r0 * m_r0) /
                                 (m_r1 * m_r1 - m_r0 * m_r0);
    }
    const double x = (std::log(r) - m_lnLo) * m_inverseStep;
    if (x >= double(n - 1))
        return m_values[n - 1] * std::exp((double(n - 1) - x) / m_inverseStep);
    // Cubic through the nodes k - 1 .. k + 2 about the interval [k, k + 1] holding x.
    const std::size_t k = std::min(std::max(std::size_t(x), std::size_t(1)), n - 3);
    const double t = x - double(k);
    const double *v = m_values.data() + k - 1;
    return -t * (t - 1) * (t - 2) / 6 * v[0] + (t + 1) * (t - 1) * (t - 2) / 2 * v[1] -
           (t + 1) * t * (t - 2) / 2 * v[2] + (t + 1) * t * (t - 1) / 6 * v[3];
}

void HankelProfile::setOrigin(double value) {
    m_hasOrigin = true;
    m_origin = value;
}

} // namespace tav::earthing
