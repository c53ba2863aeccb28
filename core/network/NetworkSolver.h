#pragma once

#include "core/errors.h"
#include "core/network/Network.h"
#include "core/network/NetworkResult.h"

namespace tav::network {

// The fault current's way back to its sources, as one linear circuit at the network's
// frequency: the station's node, where the lines and cables bring their sources' currents
// and the local sources take theirs back through their neutral, joined to remote earth by
// the station's electrode Z_E and by each line's and cable's return conductors (a Ladder
// each, with the current its phase induces in them). The station's node equation
// (1/Z_E + sum 1/Z_j) V_0 = sum I_j - sum g_j I_j gives the station's potential, and
// I_E = V_0 / Z_E the current into its electrode; each ladder then gives its potentials.
class NetworkSolver {
public:
    // The towers from the station out whose potentials and currents are given.
    static constexpr int kFirstTowers = 5;

    static Refusable<NetworkResult> solve(const Network &network, Complex earthImpedance);
};

} // namespace tav::network
