#pragma once

#include "core/network/Network.h"

#include <vector>

namespace tav::network {

// The conductors that take a line's or cable's current back, together, per km. Bonded to
// one another at every tower (a cable's at both ends), they share one potential at each
// node, so that n of them carry their currents i = Z^-1 (dV/l 1 + z_m I) and act as one
// conductor of impedance 1 / (1' Z^-1 1) that carries 1' Z^-1 z_m of the phase current
// by induction: Z their impedances with earth return, z_m their mutuals to the faulted
// phase (or core). For one conductor, z_s and z_m / z_s, so that r = 1 - z_m / z_s.
struct ReturnPath {
    Complex impedance; // ohm/km
    Complex induced;   // 1 - r

    Complex reductionFactor() const { return 1. - induced; }

    // Z row by row (n x n, symmetric) and z_m; Z must not be singular.
    static ReturnPath combined(const std::vector<Complex> &z, const std::vector<Complex> &zm);
    // A line's earth wires, or a cable's sheath with its armour, with earth return of the
    // resistivity (ohm m) at the frequency (Hz) for those given by their geometry.
    static ReturnPath of(const Line &line, double rho, double frequency);
    static ReturnPath of(const Cable &cable, double rho, double frequency);
};

} // namespace tav::network
