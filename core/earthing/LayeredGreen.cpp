#include "core/earthing/LayeredGreen.h"

#include "core/HankelFilter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace tav::earthing {

namespace {

constexpr double kFourPi = 4 * M_PI;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
// The filter holds a kernel decaying over a path w to 1e-11 for r/w from 3e-3 to 1e3;
// below r = kNear times the thinnest layer the remainder, even in r, is taken through
// r^2 from two readings at kNear/2 and kNear of it.
constexpr double kNear = 1e-2;

// exp(-x), 0 beyond 1e-300, where the library's exp takes its slow path of underflow.
double decay(double x) {
    return x < 690 ? std::exp(-x) : 0;
}

// The mean of e^(-lambda |z - c|) over the range, c not inside it: the difference of
// the ends' exponentials over lambda times the range, or its series when that is small.
double mean(double lambda, LayeredGreen::Depths z, double c) {
    const double x1 = std::abs(z.top - c);
    const double x2 = std::abs(z.bottom - c);
    const double lo = std::min(x1, x2);
    const double d = lambda * std::abs(x2 - x1);
    if (d < 1e-4)
        return decay(lambda * 0.5 * (x1 + x2)) * (1 + d * d / 24);
    return (decay(lambda * lo) - decay(lambda * (lo + std::abs(x2 - x1)))) / d;
}

// A range's layer is its middle's: a rod's segment may begin or end on an interface.
double middle(LayeredGreen::Depths z) {
    return 0.5 * (z.top + z.bottom);
}

bool positive(double value) {
    return std::isfinite(value) && value > 0;
}

// The reflection factor (rho_b - rho_a)/(rho_b + rho_a) of a wave in a meeting b.
double contrast(double rhoA, double rhoB) {
    return (rhoB - rhoA) / (rhoB + rhoA);
}

// Reflection of a stack behind an interface of contrast k, the stack reflecting g
// (its own factor times the decay over the layer there and back): (k + g)/(1 + k g), a
// denominator above 0 for |k| < 1 and |g| <= 1.
double stacked(double k, double g) {
    return (k + g) / (1 + k * g);
}

} // namespace

LayeredGreen::LayeredGreen(std::vector<double> resistivities, std::vector<double> thicknesses)
    : m_rho(std::move(resistivities)), m_h(std::move(thicknesses)) {
    m_valid = !m_rho.empty() && m_h.size() + 1 == m_rho.size();
    for (const double rho : m_rho)
        m_valid = m_valid && positive(rho);
    for (const double h : m_h)
        m_valid = m_valid && positive(h);
    if (!m_valid)
        return;
    double depth = 0;
    m_thinnest = kInfinity;
    for (const double h : m_h) {
        m_top.push_back(depth);
        depth += h;
        m_thinnest = std::min(m_thinnest, h);
    }
    m_top.push_back(depth);
    m_deepest = depth;
    const int n = layers();
    for (int o = 0; o < n; ++o)
        for (int s = 0; s < n; ++s)
            m_terms.push_back(buildTerms(o, s));
}

int LayeredGreen::layerOf(double z) const {
    int layer = 0;
    while (layer + 1 < layers() && z > m_top[std::size_t(layer) + 1])
        ++layer;
    return layer;
}

std::vector<double> LayeredGreen::interfaces() const {
    return m_top.empty() ? std::vector<double>{} : std::vector<double>(m_top.begin() + 1, m_top.end());
}

double LayeredGreen::sourceWeight(int s) const {
    return m_rho[std::size_t(s)] / kFourPi;
}

double LayeredGreen::potential(double r, double z, double zs) const {
    return singular(r, z, zs) + remainder(r, z, zs);
}

double LayeredGreen::singular(double r, double z, double zs) const {
    if (!m_valid || !(z >= 0) || !(zs >= 0) || !(r >= 0))
        return kNaN;
    const double direct = std::hypot(r, z - zs);
    const double mirror = std::hypot(r, z + zs);
    const double w = sourceWeight(layerOf(zs));
    return w * ((direct > 0 ? 1 / direct : kInfinity) + (mirror > 0 ? 1 / mirror : kInfinity));
}

void LayeredGreen::reflections(double lambda, Scratch &scratch) const {
    std::vector<double> &down = scratch.down;
    std::vector<double> &up = scratch.up;
    const std::size_t n = m_rho.size();
    down.assign(n, 0);
    up.assign(n, 1);
    for (std::size_t i = n - 1; i-- > 0;) {
        const double g = i + 2 < n ? down[i + 1] * decay(2 * lambda * m_h[i + 1]) : 0;
        down[i] = stacked(contrast(m_rho[i], m_rho[i + 1]), g);
    }
    for (std::size_t j = 1; j < n; ++j)
        up[j] =
            stacked(contrast(m_rho[j], m_rho[j - 1]), up[j - 1] * decay(2 * lambda * m_h[j - 1]));
}

double LayeredGreen::kernel(double lambda, double z, double zs) const {
    if (!m_valid || m_rho.size() == 1)
        return m_valid ? 0 : kNaN;
    Scratch scratch;
    return kernel(lambda, {z, z}, {zs, zs}, scratch);
}

// In the source layer s, between its top t and bottom b, the transform is
//   e^(-lambda |z - zs|) + P e^(-lambda (b - z)) + Q e^(-lambda (z - t)),
// P = Rb (e^(-lambda (b - zs)) + Q E), Q = Rt (e^(-lambda (zs - t)) + P E), E = e^(-lambda h_s),
// Rb and Rt the reflections of the stacks below and above: each of P and Q the wave coming
// back from one side, of what reached it from the source and from the other side. P and Q
// are linear in the source's exponentials, so their means over zs are P and Q of the means.
double LayeredGreen::kernel(double lambda, Depths z, Depths zs, Scratch &scratch) const {
    const int s = layerOf(middle(zs));
    const int o = layerOf(middle(z));
    const std::size_t si = std::size_t(s);
    const bool last = si + 1 == m_rho.size();
    reflections(lambda, scratch);
    const double t = m_top[si];
    const double b = last ? 0 : m_top[si + 1];
    const double e = last ? 0 : decay(lambda * m_h[si]);
    const double a = mean(lambda, zs, t);
    const double c = last ? 0 : mean(lambda, zs, b);
    const double rb = scratch.down[si];
    const double rt = scratch.up[si];
    const double p = rb * (c + e * rt * a) / (1 - rb * rt * e * e);
    const double q = rt * (a + p * e);
    const double mirror = mean(lambda, z, 0) * mean(lambda, zs, 0);
    if (o != s) {
        const double between = o > s ? b : t;
        return across(lambda, z, o, s, a + p * e, c + q * e, scratch) -
               mean(lambda, z, between) * mean(lambda, zs, between) - mirror;
    }
    const double below = last ? 0 : p * mean(lambda, z, b);
    // In the top layer Q e^(-lambda z) = e^(-lambda (z + zs)) + P E e^(-lambda z): the mirror
    // taken in closed form is left out exactly, not by a difference.
    if (s == 0)
        return below + p * e * mean(lambda, z, 0);
    return below + q * mean(lambda, z, t) - mirror;
}

// The observer in another layer: the wave leaving the source layer (upward at its top,
// toUp; downward at its bottom, toDown) crosses each interface with the potential
// continuous, a(1 + R) on one side = d(1 + R' e^(-2 lambda h')) on the other.
double LayeredGreen::across(double lambda, Depths z, int o, int s, double toTop, double toBottom,
                            const Scratch &scratch) const {
    const std::vector<double> &down = scratch.down;
    const std::vector<double> &up = scratch.up;
    const std::size_t n = m_rho.size();
    const std::size_t oi = std::size_t(o);
    if (o > s) {
        double arriving = toBottom;
        double amplitude = 0;
        for (std::size_t i = std::size_t(s); i < oi; ++i) {
            const double g = i + 2 < n ? down[i + 1] * decay(2 * lambda * m_h[i + 1]) : 0;
            amplitude = arriving * (1 + down[i]) / (1 + g);
            if (i + 1 < oi)
                arriving = amplitude * decay(lambda * m_h[i + 1]);
        }
        const double reflected = oi + 1 < n ? down[oi] * decay(lambda * m_h[oi]) *
                                                  mean(lambda, z, m_top[oi + 1])
                                            : 0;
        return amplitude * (mean(lambda, z, m_top[oi]) + reflected);
    }
    double arriving = toTop;
    double amplitude = 0;
    for (std::size_t j = std::size_t(s); j-- > oi;) {
        amplitude = arriving * (1 + up[j + 1]) / (1 + up[j] * decay(2 * lambda * m_h[j]));
        if (j > oi)
            arriving = amplitude * decay(lambda * m_h[j]);
    }
    return amplitude * (mean(lambda, z, m_top[oi + 1]) +
                        up[oi] * decay(lambda * m_h[oi]) * mean(lambda, z, m_top[oi]));
}

double LayeredGreen::transmission(int from, int to) const {
    double product = 1;
    const int step = to > from ? 1 : -1;
    for (int i = from; i != to; i += step) {
        const double a = m_rho[std::size_t(i)];
        const double b = m_rho[std::size_t(i + step)];
        product *= 2 * b / (a + b);
    }
    return product;
}

std::vector<LayeredGreen::Term> LayeredGreen::buildTerms(int o, int s) const {
    const std::size_t si = std::size_t(s);
    std::vector<Term> terms = {{1, 0, o == s ? 1 : transmission(s, o)}, {-1, 0, 1}};
    if (o == s && si + 1 < m_rho.size())
        terms.push_back({-1, 2 * m_top[si + 1], contrast(m_rho[si], m_rho[si + 1])});
    if (o == s && s > 0)
        terms.push_back({-1, 2 * m_top[si], contrast(m_rho[si], m_rho[si - 1])});
    if (m_rho.size() == 1)
        return terms;
    // What is left at lambda = 0, where the filter resolves a kernel only to 1e-6, as a
    // source beyond the deepest interface. F(0) is the same for every depth in the layers.
    Scratch scratch;
    const auto inside = [&](int layer) {
        const std::size_t l = std::size_t(layer);
        return m_top[l] + (l < m_h.size() ? m_h[l] / 2 : 1);
    };
    const double zo = inside(o);
    const double zs = inside(s);
    double atZero = kernel(0, {zo, zo}, {zs, zs}, scratch);
    for (std::size_t k = 0; k < terms.size(); ++k)
        atZero -= terms[k].weight - (k < 2 ? 1 : 0);
    terms.push_back({-1, -2 * m_deepest, atZero});
    return terms;
}

const std::vector<LayeredGreen::Term> &LayeredGreen::closedTerms(int o, int s) const {
    return m_terms[std::size_t(o) * m_rho.size() + std::size_t(s)];
}

double LayeredGreen::splitOf(const Term &term, int o, int s) const {
    if (term.alpha < 0)
        return term.beta / 2;
    // The source seen across interfaces: its path crosses the source layer's one that
    // faces the observer.
    return o > s ? m_top[std::size_t(s) + 1] : m_top[std::size_t(s)];
}

double LayeredGreen::smoothKernel(double lambda, Depths z, Depths zs, Scratch &scratch) const {
    const int o = layerOf(middle(z));
    const int s = layerOf(middle(zs));
    double value = kernel(lambda, z, zs, scratch);
    const std::vector<Term> &terms = closedTerms(o, s);
    for (std::size_t k = 0; k < terms.size(); ++k) {
        // The kernel leaves out the source and its mirror at weight 1 already.
        const double weight = terms[k].weight - (k < 2 ? 1 : 0);
        if (weight == 0)
            continue;
        const double split = splitOf(terms[k], o, s);
        value -= weight * mean(lambda, z, split) * mean(lambda, zs, split);
    }
    return value;
}

double LayeredGreen::remainder(double r, double z, double zs) const {
    if (!m_valid || !(z >= 0) || !(zs >= 0) || !(r >= 0) || !std::isfinite(r + z + zs))
        return kNaN;
    if (m_rho.size() == 1)
        return 0;
    const int o = layerOf(z);
    const int s = layerOf(zs);
    const std::vector<Term> &terms = closedTerms(o, s);
    double closed = 0;
    for (std::size_t k = 0; k < terms.size(); ++k) {
        const double weight = terms[k].weight - (k < 2 ? 1 : 0);
        if (weight != 0)
            closed += weight / std::hypot(r, z - (terms[k].alpha * zs + terms[k].beta));
    }
    return sourceWeight(s) * closed + smooth(r, {z, z}, {zs, zs});
}

double LayeredGreen::shortestPath(Depths z, Depths zs) const {
    const int o = layerOf(middle(z));
    const int s = layerOf(middle(zs));
    const std::size_t n = m_rho.size();
    const auto top = [&](int i) { return m_top[std::size_t(i)]; };
    const auto bottom = [&](int i) {
        return std::size_t(i) + 1 < n ? m_top[std::size_t(i) + 1] : kInfinity;
    };
    // A thickness, infinite for the last layer, which reflects nothing from below.
    const auto thickness = [&](int i) {
        return std::size_t(i) < m_h.size() ? m_h[std::size_t(i)] : kInfinity;
    };
    double path = kInfinity;
    if (o == s) {
        const double t = top(s);
        const double b = bottom(s);
        // Off both of the layer's own interfaces, one after the other.
        path =
            thickness(s) + std::min((b - zs.bottom) + (z.top - t), (zs.top - t) + (b - z.bottom));
        // Through an interface and back off the next one beyond it.
        if (std::size_t(s) + 2 < n)
            path = std::min(path, (b - zs.bottom) + (b - z.bottom) + 2 * thickness(s + 1));
        if (s > 0)
            path = std::min(path, (zs.top - t) + (z.top - t) + 2 * thickness(s - 1));
        return std::max(path, 0.);
    }
    // Across layers, the transmitted source is closed: every other path turns back once
    // at least, above the upper range, below the lower one or within a layer between.
    const bool observerAbove = o < s;
    const Depths upper = observerAbove ? z : zs;
    const Depths lower = observerAbove ? zs : z;
    const int a = std::min(o, s);
    const int c = std::max(o, s);
    path = (upper.top - top(a)) + (lower.top - top(a));
    if (std::isfinite(bottom(c)))
        path = std::min(path, (bottom(c) - lower.bottom) + (bottom(c) - upper.bottom));
    for (int k = a + 1; k < c; ++k)
        path = std::min(path, std::max(0., lower.top - upper.bottom) + 2 * thickness(k));
    path = std::min(path, z.top + zs.top);
    return std::max(path, 0.);
}

double LayeredGreen::nearest(Depths z, Depths zs) const {
    return kNear * std::max(m_thinnest, shortestPath(z, zs));
}

double LayeredGreen::smooth(double r, Depths z, Depths zs) const {
    Scratch scratch;
    const auto f = [&](double lambda) { return smoothKernel(lambda, z, zs, scratch); };
    const double near = nearest(z, zs);
    double rest;
    if (r >= near) {
        rest = HankelFilter::transform(f, r);
    } else {
        // Even in r and smooth over the thinnest layer: linear in r^2 between two readings.
        const double r1 = near / 2;
        const double g1 = HankelFilter::transform(f, r1);
        const double g2 = HankelFilter::transform(f, near);
        rest = g1 + (g2 - g1) * (r * r - r1 * r1) / (near * near - r1 * r1);
    }
    return sourceWeight(layerOf(middle(zs))) * rest;
}

} // namespace tav::earthing
