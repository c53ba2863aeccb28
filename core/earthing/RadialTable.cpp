#include "core/earthing/RadialTable.h"

#include <algorithm>
#include <cmath>

namespace tav::earthing {

namespace {

// Per interval, the cubic through four neighbouring nodes (the stencil shifted inwards at
// the ends), as a polynomial in the interval's own coordinate t in [0, 1], then 1/width.
std::vector<double> fit(const std::vector<double> &nodes, const std::vector<double> &values) {
    const std::size_t intervals = nodes.size() - 1;
    std::vector<double> coefficients(intervals * 5);
    for (std::size_t i = 0; i < intervals; ++i) {
        const std::size_t first = std::min(i > 0 ? i - 1 : 0, intervals - 3);
        const double width = nodes[i + 1] - nodes[i];
        double t[4];
        for (int m = 0; m < 4; ++m)
            t[m] = (nodes[first + m] - nodes[i]) / width;
        double *c = coefficients.data() + i * 5;
        for (int m = 0; m < 4; ++m) {
            // The Lagrange basis polynomial of node m, expanded.
            double p[4] = {1, 0, 0, 0};
            double denominator = 1;
            for (int n = 0; n < 4; ++n) {
                if (n == m)
                    continue;
                for (int k = 3; k > 0; --k)
                    p[k] = p[k - 1] - t[n] * p[k];
                p[0] *= -t[n];
                denominator *= t[m] - t[n];
            }
            for (int k = 0; k < 4; ++k)
                c[k] += values[first + m] * p[k] / denominator;
        }
        c[4] = 1 / width;
    }
    return coefficients;
}

} // namespace

namespace {

// The power of two at or below lo, where the table starts.
double baseOf(double lo) {
    return std::exp2(std::floor(std::log2(lo)));
}

double octavesOf(double base, double hi) {
    return std::max(1., std::ceil(std::log2(hi / base)));
}

bool usable(double lo, double hi) {
    return std::isfinite(lo) && std::isfinite(hi) && lo > 0 && hi >= lo &&
           std::isfinite(1 / baseOf(lo));
}

} // namespace

double RadialTable::intervals(double lo, double hi) {
    if (!usable(lo, hi))
        return HUGE_VAL;
    return octavesOf(baseOf(lo), hi) * kPerOctave;
}

RadialTable::RadialTable(double lo, double hi, const TableFunction &f) {
    const int perOctave = kPerOctave;
    m_base = baseOf(lo);
    m_inverseBase = 1 / m_base;
    const int octaves = int(octavesOf(m_base, hi));
    std::vector<double> nodes;
    for (int e = 0; e < octaves; ++e)
        for (int k = 0; k < perOctave; ++k)
            nodes.push_back(m_base * std::ldexp(1. + double(k) / perOctave, e));
    nodes.push_back(m_base * std::ldexp(1., octaves));
    std::vector<double> values;
    f(nodes, values);
    m_intervals = nodes.size() - 1;
    m_top = std::nextafter(nodes.back(), 0.);
    m_coefficients = fit(nodes, values);
}

double UniformTable::intervals(double hi, double step) {
    const double n = std::max(3., std::ceil(hi / step));
    return std::isfinite(n) && step > 0 ? n : HUGE_VAL;
}

UniformTable::UniformTable(double hi, double step, const TableFunction &f) {
    const int intervals = int(UniformTable::intervals(hi, step));
    m_inverseStep = 1 / step;
    std::vector<double> nodes;
    for (int k = 0; k <= intervals; ++k)
        nodes.push_back(k * step);
    std::vector<double> values;
    f(nodes, values);
    m_intervals = std::uint64_t(intervals);
    m_coefficients = fit(nodes, values);
}

} // namespace tav::earthing
