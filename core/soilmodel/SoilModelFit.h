#pragma once

#include "core/errors.h"
#include "core/soilmodel/TwoLayerSoil.h"
#include "core/soilmodel/WennerReading.h"

#include <vector>

namespace tav {

struct SoilModelRow {
    double spacing = 0;      // m
    double measured = 0;     // ohm m
    double model = 0;        // ohm m, of the better model
    double errorPercent = 0; // (model - measured)/measured, in percent
};

// The soil of one resistivity that fits the readings best, in the same sense.
struct UniformSoil {
    double rho = 0;
    double rmsPercent = 0;
};

struct SoilModel {
    // False when a uniform soil explains the readings as well as any two-layer soil; then
    // soil holds the uniform resistivity in both layers and h is NaN.
    bool layered = false;
    TwoLayerSoil soil;
    double rmsPercent = 0; // root mean square of the relative errors of the better model
    UniformSoil uniform;
    std::vector<SoilModelRow> rows; // in the readings' order
    // What the readings leave undetermined; the model is not a determined answer then.
    std::vector<Caution> cautions;
};

// The two-layer soil under a Wenner sounding, fitted by least squares on the relative
// errors, beside the best uniform soil; refused for readings WennerReadings::Refusal
// names. The two-layer model is kept only when it lowers the RMS error by more than a
// tenth of the uniform soil's and by more than 0.01 percentage point: less is within what
// two more free parameters buy on any readings.
Refusable<SoilModel> fitSoilModel(const std::vector<WennerReading> &readings);

} // namespace tav
