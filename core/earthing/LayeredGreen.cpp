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
}

int LayeredGreen::layerOf(double z) const {
    int layer = 0;
    while (layer + 1 < layers() && z > m_top[std::size_t(layer) + 1])
        ++layer;
    return layer;
}

double LayeredGreen::potential(double r, double z, double zs) const {
    return singular(r, z, zs) + remainder(r, z, zs);
}

double LayeredGreen::singular(double r, double z, double zs) const {
    if (!m_valid || !(z >= 0) || !(zs >= 0) || !(r >= 0))
        return kNaN;
    const double direct = std::hypot(r, z - zs);
    const double mirror = std::hypot(r, z + zs);
    const double w = m_rho[std::size_t(layerOf(zs))] / kFourPi;
    return w * ((direct > 0 ? 1 / direct : kInfinity) + (mirror > 0 ? 1 / mirror : kInfinity));
}

void LayeredGreen::reflections(double lambda, std::vector<double> &down,
                               std::vector<double> &up) const {
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

// In the source layer s, between its top t and bottom b, the transform is
//   e^(-lambda |z - zs|) + P e^(-lambda (b - z)) + Q e^(-lambda (z - t)),
// P = Rb (e^(-lambda (b - zs)) + Q E), Q = Rt (e^(-lambda (zs - t)) + P E), E = e^(-lambda h_s),
// Rb and Rt the reflections of the stacks below and above: each of P and Q the wave coming
// back from one side, of what reached it from the source and from the other side.
double LayeredGreen::kernel(double lambda, double z, double zs) const {
    if (!m_valid || m_rho.size() == 1)
        return m_valid ? 0 : kNaN;
    std::vector<double> down;
    std::vector<double> up;
    return kernel(lambda, z, zs, down, up);
}

double LayeredGreen::kernel(double lambda, double z, double zs, std::vector<double> &down,
                            std::vector<double> &up) const {
    const int s = layerOf(zs);
    const int o = layerOf(z);
    const std::size_t si = std::size_t(s);
    const bool last = si + 1 == m_rho.size();
    reflections(lambda, down, up);
    const double t = m_top[si];
    const double e = last ? 0 : decay(lambda * m_h[si]);
    const double a = decay(lambda * (zs - t));
    const double c = last ? 0 : decay(lambda * (m_top[si + 1] - zs));
    const double rb = down[si];
    const double rt = up[si];
    const double p = rb * (c + e * rt * a) / (1 - rb * rt * e * e);
    const double q = rt * (a + p * e);
    if (o != s)
        return across(lambda, z, o, s, a + p * e, c + q * e, down, up) -
               decay(lambda * std::abs(z - zs)) - decay(lambda * (z + zs));
    const double below = last ? 0 : p * decay(lambda * (m_top[si + 1] - z));
    // In the top layer Q e^(-lambda z) = e^(-lambda (z + zs)) + P E e^(-lambda z): the mirror
    // taken in closed form is left out exactly, not by a difference.
    if (s == 0)
        return below + p * e * decay(lambda * z);
    return below + q * decay(lambda * (z - t)) - decay(lambda * (z + zs));
}

// The observer in another layer: the wave leaving the source layer (upward at its top,
// toUp; downward at its bottom, toDown) crosses each interface with the potential
// continuous, a(1 + R) on one side = d(1 + R' e^(-2 lambda h')) on the other.
double LayeredGreen::across(double lambda, double z, int o, int s, double toTop, double toBottom,
                            const std::vector<double> &down, const std::vector<double> &up) const {
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
        const double reflected =
            oi + 1 < n ? down[oi] * decay(lambda * (2 * m_top[oi + 1] - m_top[oi] - z)) : 0;
        return amplitude * (decay(lambda * (z - m_top[oi])) + reflected);
    }
    double arriving = toTop;
    double amplitude = 0;
    for (std::size_t j = std::size_t(s); j-- > oi;) {
        amplitude = arriving * (1 + up[j + 1]) / (1 + up[j] * decay(2 * lambda * m_h[j]));
        if (j > oi)
            arriving = amplitude * decay(lambda * m_h[j]);
    }
    const double bottom = m_top[oi + 1];
    return amplitude *
           (decay(lambda * (bottom - z)) + up[oi] * decay(lambda * (bottom + z - 2 * m_top[oi])));
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

std::vector<LayeredGreen::Image> LayeredGreen::firstImages(double z, double zs) const {
    const int s = layerOf(zs);
    const int o = layerOf(z);
    const std::size_t si = std::size_t(s);
    if (o != s)
        return {{transmission(s, o) - 1, std::abs(z - zs)}};
    std::vector<Image> images;
    if (si + 1 < m_rho.size())
        images.push_back({contrast(m_rho[si], m_rho[si + 1]), 2 * m_top[si + 1] - z - zs});
    if (s > 0)
        images.push_back({contrast(m_rho[si], m_rho[si - 1]), z + zs - 2 * m_top[si]});
    return images;
}

double LayeredGreen::remainder(double r, double z, double zs) const {
    if (!m_valid || !(z >= 0) || !(zs >= 0) || !(r >= 0) || !std::isfinite(r + z + zs))
        return kNaN;
    if (m_rho.size() == 1)
        return 0;
    const std::vector<Image> images = firstImages(z, zs);
    double atZero = kernel(0, z, zs);
    double closed = 0;
    for (const Image &image : images) {
        atZero -= image.weight;
        if (image.weight != 0)
            closed += image.weight / std::hypot(r, image.path);
    }
    // What is left at lambda = 0, where the filter resolves a kernel only to 1e-6, as a
    // source beyond the deepest interface.
    const double far = z + zs + 2 * m_deepest;
    closed += atZero / std::hypot(r, far);
    const double rest = filtered(r, z, zs, images, far, atZero);
    return m_rho[std::size_t(layerOf(zs))] / kFourPi * (closed + rest);
}

double LayeredGreen::filtered(double r, double z, double zs, const std::vector<Image> &images,
                              double far, double farWeight) const {
    // The filter's 201 readings share the reflections' storage.
    std::vector<double> down;
    std::vector<double> up;
    const auto f = [&](double lambda) {
        double value = kernel(lambda, z, zs, down, up) - farWeight * decay(lambda * far);
        for (const Image &image : images)
            value -= image.weight * decay(lambda * image.path);
        return value;
    };
    const double near = kNear * m_thinnest;
    if (r >= near)
        return HankelFilter::transform(f, r);
    // Even in r and smooth over the thinnest layer: linear in r^2 between two readings.
    const double r1 = near / 2;
    const double g1 = HankelFilter::transform(f, r1);
    const double g2 = HankelFilter::transform(f, near);
    return g1 + (g2 - g1) * (r * r - r1 * r1) / (near * near - r1 * r1);
}

} // namespace tav::earthing
