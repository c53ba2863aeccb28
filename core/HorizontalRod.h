#pragma once

#include "core/RodDesign.h"

namespace tav {

// The depth the horizontal rod form opens with, in m.
inline constexpr float kDefaultBurialDepth = 0.6f;
// Below this depth (m) the form warns while the depth is typed.
inline constexpr double kShallowestBurialDepth = 0.3;

// The resistance of a horizontal rod of length L buried at depth h, with the bore's
// equivalent radius of 0.05 m:
//   R = rho / (6.28 L) [ln(2L / 0.05) + ln(L / h) - 2 + 2h / L - h^2 / L^2 + h^4 / (8 L^2)]
// evaluated in the order the program has always used, ln(L / h) in single precision.
// NaN or an infinity for a length or a depth of 0 or below.
double horizontalRodResistance(float soilResistivity, int length, float burialDepth);

// Bore cross-section 3.14 * 0.05 * 0.05 and the models of 3, 6, 9 and 12 m, for a rod
// buried at the given depth.
RodDesignParameters horizontalRodParameters(float burialDepth);

// The form's defaults: 3 to 60 m, target 0, diameter 54 mm, resistivity 0.
RodDesignRecord horizontalRodDefaults();

} // namespace tav
