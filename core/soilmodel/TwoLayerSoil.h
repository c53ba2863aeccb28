#pragma once

namespace tav {

// A top layer of resistivity rho1 (ohm m) and thickness h (m) over a bottom layer of
// resistivity rho2 (ohm m) that goes down without end.
struct TwoLayerSoil {
    double rho1 = 0;
    double rho2 = 0;
    double h = 0;

    // The apparent resistivity (ohm m) that a Wenner array of probe spacing a (m), its
    // probes at the surface, reads on this soil (Tagg's image series). All four values
    // positive and finite, else NaN.
    double wennerResistivity(double a) const;
};

} // namespace tav
