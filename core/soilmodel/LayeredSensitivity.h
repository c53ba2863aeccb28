#pragma once

#include "core/soilmodel/LayeredSoil.h"
#include "core/soilmodel/SoundingReading.h"

#include <vector>

namespace tav {

// How a reading's apparent resistivity moves with each parameter of a layered soil, for
// a fit's Jacobian: one pass of the filter instead of one per parameter.
namespace LayeredSensitivity {

// The reading's apparent resistivity by the filter (two layers under Wenner too, which
// LayeredSoil takes from the image series instead), and in gradient its derivatives with respect to
// ln rho_1 .. ln rho_N, then ln h_1 .. ln h_{N-1}: by the filter, differentiating Pekeris'
// recursion term by term. Spacings below a thousandth of the top layer take LayeredSoil's cube law,
// with the derivatives of the spacing it is taken from (the leading term for every parameter but
// h_1, whose own derivative there is below 1e-9 of rho_a). soil valid, the reading as
// SoundingReadings::refusal accepts it.
double apparent(const LayeredSoil &soil, const SoundingReading &reading,
                std::vector<double> &gradient);

} // namespace LayeredSensitivity

} // namespace tav
