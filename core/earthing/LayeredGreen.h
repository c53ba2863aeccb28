#pragma once

#include <vector>

namespace tav::earthing {

// The potential per ampere (ohm) of a point current source in a soil of N horizontal
// layers under an insulating surface z = 0, depths counted down, both the source and the
// observer anywhere at or below the surface:
//   G(r, z, zs) = (rho_s / 4 pi) [1/R + 1/R' + integral over lambda of F(lambda) J0(lambda r)],
// rho_s the source layer's resistivity, R the direct distance, R' the distance to the
// source's mirror in the surface, and F the layered kernel less the two terms taken in
// closed form (Sunde, "Earth Conduction Effects in Transmission Systems", 1949, ch. 2:
// in each layer the potential's transform is a sum of e^(lambda z) and e^(-lambda z), the
// potential and the normal current continuous at every interface). The layer
// coefficients are carried as reflection factors of the stacks above and below, with
// decaying exponentials only, so that no depth or lambda overflows (docs/CALCULATIONS.md).
//
// Every term of F is a product of an exponential in z and one in zs, so that its mean
// over a range of observer depths and one of source depths (a rod's segment) is exact
// in closed form: the kernel is evaluated on ranges, a point being a range of no length.
class LayeredGreen {
public:
    // A range of depths within one layer, top <= bottom; a point when they are equal.
    struct Depths {
        double top;
        double bottom;
    };
    // A term in closed form, relative to rho_s / 4 pi: weight / distance to the point at
    // depth alpha zs + beta. The first two are the source and its mirror in the surface.
    struct Term {
        double alpha;
        double beta;
        double weight;
    };
    // The reflection factors a kernel reading needs, kept between readings.
    struct Scratch {
        std::vector<double> down;
        std::vector<double> up;
    };

    // resistivities (ohm m) from the top down, the last going down without end;
    // thicknesses (m) of all but the last.
    LayeredGreen(std::vector<double> resistivities, std::vector<double> thicknesses);

    // At least one layer, one thickness fewer than resistivities, all positive and finite.
    bool valid() const { return m_valid; }
    int layers() const { return int(m_rho.size()); }
    // 0 the top; a depth on an interface counts in the layer above, as in SoilImages.
    int layerOf(double z) const;
    // The depths of the interfaces, from the top down.
    std::vector<double> interfaces() const;
    double thinnest() const { return m_thinnest; }
    // Of all but the last layer, from the top down.
    const std::vector<double> &thicknesses() const { return m_h; }
    // rho_s / 4 pi of a source in layer s (ohm m).
    double sourceWeight(int s) const;

    // G (ohm); NaN when not valid or a depth is negative, infinite at the source itself.
    // The first reflections are in closed form too, so that what the filter sees decays
    // over at least the thinnest layer h: it holds from r = h/100 to 1000 h; below h/100
    // the filtered part is taken linear in r^2, so r = 0 is finite away from the source.
    double potential(double r, double z, double zs) const;
    // (rho_s / 4 pi)(1/R + 1/R'), the part in closed form.
    double singular(double r, double z, double zs) const;
    // potential less singular: the layered remainder, finite except where the observer
    // meets an image of the source, both on one interface and r = 0.
    double remainder(double r, double z, double zs) const;
    // F(lambda) of the remainder above, without rho_s / 4 pi.
    double kernel(double lambda, double z, double zs) const;

    // For an observer in layer o and a source in layer s: the source, its mirror, the first
    // reflections in the source layer's interfaces (or the source transmitted into the
    // observer's layer) and what is left at lambda = 0 as a source beyond the deepest
    // interface. What remains of G decays in lambda over at least the thinnest layer.
    const std::vector<Term> &closedTerms(int o, int s) const;
    // The transform of what remains, without rho_s / 4 pi, averaged over the two ranges
    // (each within one layer).
    double smoothKernel(double lambda, Depths z, Depths zs, Scratch &scratch) const;
    // Its transform times rho_s / 4 pi (ohm) at the horizontal distance r: G less the
    // closed terms, averaged over the two ranges.
    double smooth(double r, Depths z, Depths zs) const;
    // The shortest vertical path (m) of any term of what remains between the two ranges:
    // it decays over at least this in lambda, its transform varies over at least this in
    // r. Every such term reflects off a layer's interface beyond what the closed terms
    // take, so the path is at least a layer's thickness or the ranges' distance from an
    // interface: a thin layer far from both ranges leaves it long.
    double shortestPath(Depths z, Depths zs) const;
    // Where a transform of what remains is read through the filter at the least: below
    // it, linear in r^2 (a hundredth of the shortest path, or of the thinnest layer when
    // the path is shorter).
    double nearest(Depths z, Depths zs) const;

private:
    double kernel(double lambda, Depths z, Depths zs, Scratch &scratch) const;
    // The factor of the transmitted source far out in lambda: the product of 1 + k over
    // the interfaces between the two layers.
    double transmission(int from, int to) const;
    // For each layer the reflection factor of the stack below its bottom and of the one
    // above its top (the surface reflecting fully), at lambda.
    void reflections(double lambda, Scratch &scratch) const;
    double across(double lambda, Depths z, int o, int s, double toTop, double toBottom,
                  const Scratch &scratch) const;
    // The depth about which a closed term's path splits into a part in z and one in zs.
    double splitOf(const Term &term, int o, int s) const;
    std::vector<Term> buildTerms(int o, int s) const;

    std::vector<double> m_rho;
    std::vector<double> m_h;
    std::vector<double> m_top; // depth of each layer's top
    double m_deepest = 0;      // the top of the last layer
    double m_thinnest = 0;     // the thinnest layer of finite thickness
    bool m_valid = false;
    std::vector<std::vector<Term>> m_terms; // [o * layers + s]
};

} // namespace tav::earthing
