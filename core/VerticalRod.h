#pragma once

#include "core/RodDesign.h"

namespace tav {

// Dwight's formula for a single vertical rod in a bore of radius 0.075 m, evaluated in
// the order the program has always used: t = 4L / 0.075, u = ln t - 1,
// w = rho / (L * 6.28), R = u * w. NaN or an infinity for lengths of 0 or below.
double verticalRodResistance(float soilResistivity, int length);

// Bore cross-section 3.14 * 0.075 * 0.075 and the models of 6, 9, 12, 18, 24, 30 m.
RodDesignParameters verticalRodParameters();

// The form's defaults: 6 to 100 m, target 0, diameter 54 mm, resistivity 0.
RodDesignRecord verticalRodDefaults();

} // namespace tav
