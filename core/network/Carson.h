#pragma once

#include "core/network/Network.h"

namespace tav::network {

// Carson's impedances of conductors parallel to the earth's surface with the earth as
// their return, in their low-frequency form (the first terms of his series), per km:
// the earth's return a resistance of pi^2 f 1e-4 ohm/km and a conductor at the equivalent
// depth D_e = 658.87 sqrt(rho/f) m below the surface. docs/CALCULATIONS.md gives the
// sources.
namespace Carson {

// m.
double equivalentDepth(double rho, double frequency);
// A conductor of DC resistance (ohm/km) and geometric mean radius (m) with earth return.
Complex self(double resistance, double gmr, double rho, double frequency);
// Two conductors distance (m) apart with a common earth return.
Complex mutual(double distance, double rho, double frequency);
double distance(const Position &a, const Position &b);

} // namespace Carson

} // namespace tav::network
