#pragma once

#include "core/earthing/EarthingInput.h"

#include <vector>

namespace tav::earthing {

// One term of the image series: a source at depth z acts, for an observer in the layer
// the list is for, as a point or line source at depth alpha z + beta of strength weight
// (ohm m) per ampere, weight/r being the potential at the distance r. The weights carry
// rho/(4 pi) and the powers of the reflection factor K = (rho2 - rho1)/(rho2 + rho1).
struct Image {
    double alpha = 1;
    double beta = 0;
    double weight = 0;
    int order = 0;
};

// The image series of a point source in a soil of one or two layers with an insulating
// surface (Sunde; Tagg), for each pair of observer and source layers, summed to the first
// order N at which the terms left out are bounded by tolerance times the series' first
// term for any two points within the distance extent (see docs/CALCULATIONS.md).
class SoilImages {
public:
    // extent (m): the largest distance between an observer and a source. layers: which
    // of the pairs (observer layer, source layer) occur, [observer][source], 0 the top.
    SoilImages(const EarthingSoil &soil, double extent, const bool used[2][2], double tolerance,
               int maxOrders);

    bool layered() const { return m_layered; }
    double interface() const { return m_h; }
    // 0 the top layer, 1 the bottom one; a depth on the interface counts in the top layer.
    int layerOf(double z) const { return m_layered && z > m_h ? 1 : 0; }
    const std::vector<Image> &images(int observerLayer, int sourceLayer) const {
        return m_images[observerLayer][sourceLayer];
    }
    double reflection() const { return m_k; }
    int orders() const { return m_orders; }
    // The bound on the neglected terms, relative, at the orders summed.
    double bound() const { return m_bound; }
    // The images of a source in the top layer that an observer there sees, the source
    // itself left out: its mirror in the surface and four per order.
    int imageTerms() const { return int(m_images[0][0].size()) - 1; }

    // The relative bound of the terms beyond order n, for the layer pairs used.
    static double tailBound(double k, double h, double extent, const bool used[2][2], int n);

private:
    void build(const EarthingSoil &soil);

    bool m_layered = false;
    double m_h = 0;
    double m_k = 0;
    int m_orders = 0;
    double m_bound = 0;
    std::vector<Image> m_images[2][2];
};

} // namespace tav::earthing
