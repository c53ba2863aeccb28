#pragma once

#include "core/soilmodel/SoundingReading.h"

#include <vector>

namespace tav {

// Horizontal layers: resistivities (ohm m) from the top down, the last going down without
// end, and the thicknesses (m) of all but the last.
struct LayeredSoil {
    std::vector<double> resistivities;
    std::vector<double> thicknesses;

    // At least one layer, one thickness fewer than resistivities, every value positive
    // and finite.
    bool valid() const;

    // The resistivity transform T(lambda) (Pekeris, 1940): the potential of a current I
    // entering the surface is I/(2 pi) times the integral of T(lambda) J0(lambda r). It is
    // rho_1 as lambda grows and rho_N at lambda = 0.
    double transform(double lambda) const;

    // The apparent resistivity (ohm m) of a Wenner array of spacing a (m). Two layers
    // take the image series (TwoLayerSoil::wennerResistivity) digit for digit; other
    // counts the Hankel filter. NaN when not valid or a is not positive and finite.
    double wennerResistivity(double a) const;
    // The same by the Hankel filter whatever the count of layers, so that two layers can
    // be held against the image series.
    double filteredWennerResistivity(double a) const;
    // The apparent resistivity (ohm m) of a Schlumberger array with its current electrodes
    // at AB/2 = L and its potential ones at MN/2 = l < L (m), the finite l taken as it is:
    // rho_a = (L^2 - l^2)/(2 l) times the integral of T [J0(lambda (L - l)) -
    // J0(lambda (L + l))]. By the Hankel filter for every count of layers.
    double schlumbergerResistivity(double halfCurrent, double halfPotential) const;
    // The reading's array at its spacings.
    double apparentResistivity(const SoundingReading &reading) const;
};

} // namespace tav
