#include "core/earthing/SoilImages.h"

#include <algorithm>
#include <cmath>

namespace tav::earthing {

namespace {

constexpr double kFourPi = 4 * M_PI;

} // namespace

double SoilImages::tailBound(double k, double h, double extent, const bool used[2][2], int n) {
    const double a = std::abs(k);
    if (a == 0)
        return 0;
    // The terms of order m are at least 2(m - 1)h (top-top) or 2mh (the others) away;
    // each pair's first term is at least its weight over the extent. The orders' sums
    // fall with m, so for K < 0, whose powers alternate in sign, the first order left out
    // bounds the rest; for K > 0 the geometric series of the powers does.
    const double geometric = std::pow(a, n + 1) / (k < 0 ? 1 : 1 - a) * extent;
    double bound = 0;
    if (used[0][0])
        bound = std::max(bound, 4 * geometric / (2 * n * h));
    if (used[0][1] || used[1][0])
        bound = std::max(bound, 2 * geometric / (2 * (n + 1) * h));
    if (used[1][1])
        bound =
            std::max(bound, (1 - a * a) * geometric / (2 * (n + 1) * h) / (1 - std::max(k, 0.)));
    return bound;
}

SoilImages::SoilImages(const EarthingSoil &soil, double extent, const bool used[2][2],
                       double tolerance, int maxOrders) {
    m_layers = soil.layerCount();
    if (m_layers > 2) {
        buildLayers(soil);
        return;
    }
    m_h = soil.h;
    m_images.resize(std::size_t(m_layers * m_layers));
    if (m_layers == 2) {
        m_interfaces = {m_h};
        // Written with the two resistivities so that 1 - |K| keeps its digits.
        m_k = (soil.rho2 - soil.rho1) / (soil.rho2 + soil.rho1);
        m_orders = 1;
        m_bound = tailBound(m_k, m_h, extent, used, m_orders);
        while (m_bound > tolerance && m_orders < maxOrders)
            m_bound = tailBound(m_k, m_h, extent, used, ++m_orders);
    }
    build(soil);
}

int SoilImages::layerOf(double z) const {
    return int(std::count_if(m_interfaces.begin(), m_interfaces.end(),
                             [&](double interface) { return z > interface; }));
}

void SoilImages::buildLayers(const EarthingSoil &soil) {
    m_green = std::make_shared<LayeredGreen>(soil.rho, soil.thickness);
    m_interfaces = m_green->interfaces();
    for (int o = 0; o < m_layers; ++o)
        for (int s = 0; s < m_layers; ++s) {
            std::vector<Image> images;
            const double w = m_green->sourceWeight(s);
            for (const LayeredGreen::Term &term : m_green->closedTerms(o, s))
                images.push_back({term.alpha, term.beta, w * term.weight, 0});
            m_images.push_back(images);
        }
}

void SoilImages::build(const EarthingSoil &soil) {
    const double w1 = soil.rho1 / kFourPi;
    std::vector<Image> &top = m_images[0];
    top = {{1, 0, w1, 0}, {-1, 0, w1, 0}};
    if (m_layers == 1)
        return;
    const double k = m_k;
    const double h = m_h;
    const double w2 = soil.rho2 / kFourPi;
    // Both in the top layer: the source and its mirror in the surface, then four images
    // per order, at 2nh above and below each, mirrored in the interface in turn.
    double kn = 1;
    for (int n = 1; n <= m_orders; ++n) {
        kn *= k;
        const double b = 2 * n * h;
        top.push_back({1, -b, kn * w1, n});
        top.push_back({-1, -b, kn * w1, n});
        top.push_back({1, b, kn * w1, n});
        top.push_back({-1, b, kn * w1, n});
    }
    // Across the interface: rho1 (1 + K) = rho2 (1 - K) = 2 rho1 rho2/(rho1 + rho2), the
    // same both ways, as reciprocity wants.
    const double across = 2 * soil.rho1 * soil.rho2 / (soil.rho1 + soil.rho2) / kFourPi;
    std::vector<Image> &down = m_images[2]; // observer below, source above
    std::vector<Image> &up = m_images[1];   // observer above, source below
    kn = 1;
    for (int n = 0; n <= m_orders; ++n) {
        const double b = 2 * n * h;
        down.push_back({1, -b, kn * across, n});
        down.push_back({-1, -b, kn * across, n});
        up.push_back({1, b, kn * across, n});
        up.push_back({-1, -b, kn * across, n});
        kn *= k;
    }
    // Both below: the source, its mirror in the interface, and the series through the top
    // layer, (1 - K^2) K^n at 2nh above the source's mirror in the surface.
    std::vector<Image> &bottom = m_images[3];
    bottom = {{1, 0, w2, 0}, {-1, 2 * h, -k * w2, 0}};
    const double sum = soil.rho1 + soil.rho2;
    const double oneMinusK2 = 4 * soil.rho1 * soil.rho2 / (sum * sum);
    kn = 1;
    for (int n = 0; n <= m_orders; ++n) {
        bottom.push_back({-1, -2 * n * h, oneMinusK2 * kn * w2, n});
        kn *= k;
    }
}

} // namespace tav::earthing
