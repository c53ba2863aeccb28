#pragma once

#include "core/network/Network.h"

#include <optional>
#include <string>
#include <vector>

namespace tav::network {

// What a line or cable does with the fault current. Currents leave the station along the
// line; potentials are against remote earth.
struct BranchResult {
    std::string name;
    // r = 1 - Z_m/Z_s of its return conductors together; 1 without any.
    Complex reductionFactor{1, 0};
    // ohm, what the station sees along its return conductors; none without any.
    std::optional<Complex> chainImpedance;
    Complex returnCurrent; // A, along the earth wires or the sheath, leaving the station
    // The first towers from the station out (a line's): V, and A into the soil.
    std::vector<Complex> towerPotentials;
    std::vector<Complex> towerCurrents;
    std::optional<Complex> remoteRise; // V, the remote station's; none for an endless line
};

struct NetworkResult {
    Complex earthImpedance;   // ohm, Z_E, the station's electrode
    Complex faultCurrent;     // A, 3I0: the lines', the cables' and the local current
    Complex earthCurrent;     // A, I_E, into the soil through the station's electrode
    Complex splitFactor;      // Sf = I_E / 3I0
    Complex stationPotential; // V, Z_E I_E
    std::vector<BranchResult> lines;
    std::vector<BranchResult> cables;
};

} // namespace tav::network
