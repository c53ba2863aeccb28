#pragma once

#include "core/earthing/EarthingInput.h"
#include "core/earthing/LayeredGreen.h"

#include <memory>
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
// In three layers or more the images are the terms LayeredGreen takes in closed form, and
// the rest, smooth, comes from its Hankel transform (smooth() below, and the tables).
class SoilImages {
public:
    // extent (m): the largest distance between an observer and a source. layers: which
    // of the pairs (observer layer, source layer) occur, [observer][source], 0 the top;
    // for two layers only.
    SoilImages(const EarthingSoil &soil, double extent, const bool used[2][2], double tolerance,
               int maxOrders);

    bool layered() const { return m_layers > 1; }
    int layers() const { return m_layers; }
    // The depths of the interfaces from the top down.
    const std::vector<double> &interfaces() const { return m_interfaces; }
    // 0 the top layer; a depth on an interface counts in the layer above.
    int layerOf(double z) const;
    const std::vector<Image> &images(int observerLayer, int sourceLayer) const {
        return m_images[std::size_t(observerLayer * m_layers + sourceLayer)];
    }
    // Three layers or more: what gives the potential less the images; null otherwise.
    const LayeredGreen *green() const { return m_green.get(); }
    double reflection() const { return m_k; }
    int orders() const { return m_orders; }
    // The bound on the neglected terms, relative, at the orders summed.
    double bound() const { return m_bound; }
    // The images of a source in the top layer that an observer there sees, the source
    // itself left out: its mirror in the surface and four per order.
    int imageTerms() const { return int(m_images[0].size()) - 1; }

    // The relative bound of the terms beyond order n, for the layer pairs used.
    static double tailBound(double k, double h, double extent, const bool used[2][2], int n);

private:
    void build(const EarthingSoil &soil);
    void buildLayers(const EarthingSoil &soil);

    int m_layers = 1;
    std::vector<double> m_interfaces;
    double m_h = 0;
    double m_k = 0;
    int m_orders = 0;
    double m_bound = 0;
    std::vector<std::vector<Image>> m_images; // [observer * layers + source]
    std::shared_ptr<const LayeredGreen> m_green;
};

} // namespace tav::earthing
