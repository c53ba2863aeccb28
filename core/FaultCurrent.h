#pragma once

#include "core/errors.h"

#include <optional>

namespace tav {

// The system's X/R ratio at the fault and its frequency, for the decrement factor.
struct Asymmetry {
    double xOverR = 0;
    double frequency = 0; // Hz
};

// The part of a ground fault that flows from the grid into the earth.
struct FaultCurrentInput {
    double faultCurrent = 0; // A, 3I0, the rms symmetrical ground fault current
    double splitFactor = 1;  // Sf, the share the grid takes to earth
    double duration = 0;     // s, tf
    // Df from the system's asymmetry, or Df as given; with neither the fault is taken as
    // symmetrical: Df = 1.
    std::optional<Asymmetry> asymmetry;
    std::optional<double> decrementFactor;
};

struct FaultCurrentResult {
    double timeConstant = 0;    // s, Ta = X/(ωR); 0 without asymmetry
    double decrementFactor = 1; // Df
    double gridCurrent = 0;     // A, IG = Df Sf 3I0
};

// IEEE Std 80-2013 Eq. 79, Df = √(1 + Ta/tf (1 − e^(−2 tf/Ta))), and IG = Df Sf 3I0.
Refusable<double> decrementFactor(const Asymmetry &asymmetry, double duration);
Refusable<FaultCurrentResult> calculateFaultCurrent(const FaultCurrentInput &input);

} // namespace tav
