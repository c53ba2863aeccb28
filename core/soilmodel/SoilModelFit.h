#pragma once

#include "core/errors.h"
#include "core/soilmodel/FitDeterminacy.h"
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
    // How far the readings fix each parameter of the two layers; a parameter that is not
    // determined keeps the fit's value in soil, which is then no answer.
    Determination rho1Determination;
    Determination rho2Determination;
    Determination hDetermination;
    // What the readings leave undetermined, and a model that explains none of them; the
    // model is not a determined answer then.
    std::vector<Caution> cautions;
};

// The two-layer soil under a Wenner sounding, fitted by least squares on the relative
// errors, beside the best uniform soil; refused for readings WennerReadings::refusal
// names. The two-layer model is kept only when it lowers the RMS error by more than a
// tenth of the uniform soil's and by more than 0.01 percentage point: less is within what
// two more free parameters buy on any readings. Cautions: Warning::NoModelFits when the
// better model's RMS error exceeds kNoModelFitsPercent; otherwise, for two layers, what
// determinacy() finds undetermined.
inline constexpr double kNoModelFitsPercent = 15;
Refusable<SoilModel> fitSoilModel(const std::vector<WennerReading> &readings);

} // namespace tav
