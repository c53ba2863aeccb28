#pragma once

#include "core/soilmodel/TwoLayerSoil.h"
#include "core/soilmodel/WennerReading.h"

#include <vector>

namespace tav {

struct LayeredFit {
    TwoLayerSoil soil;
    double sumOfSquares = 0; // of the relative errors (model - measured)/measured
};

// The two-layer soil that minimises the sum of squared relative errors over readings that
// WennerReadings::Refusal accepts: a coarse scan of K and h, each point with its best rho1,
// then Levenberg-Marquardt (Eigen's MINPACK port) in ln rho1, ln(rho2/rho1) and ln h from
// the best point of either sign of K. The result stays within a factor of 1e9 between the
// layers and of 1000 beyond the spacings for h.
LayeredFit fitTwoLayers(const std::vector<WennerReading> &readings);

} // namespace tav
