#pragma once

#include "core/soilmodel/LayeredSoil.h"
#include "core/soilmodel/SoundingReading.h"

#include <vector>

namespace tav {

// How a reading's apparent resistivity moves with each parameter of a layered soil, for
// a fit's Jacobian: one pass instead of one per parameter.
namespace LayeredSensitivity {

// The reading's apparent resistivity as LayeredSoil computes it (but two layers under
// Wenner by the filter too, where LayeredSoil takes the image series), and in gradient its
// derivatives with respect to ln rho_1 .. ln rho_N, then ln h_1 .. ln h_{N-1}, from the
// recursion differentiated in reverse: through the filter, or near the electrodes through
// the moments of the Bessel series. soil valid, the reading as SoundingReadings::refusal
// accepts it.
double apparent(const LayeredSoil &soil, const SoundingReading &reading,
                std::vector<double> &gradient);

} // namespace LayeredSensitivity

} // namespace tav
