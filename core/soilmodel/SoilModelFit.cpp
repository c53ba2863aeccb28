#include "core/soilmodel/SoilModelFit.h"

#include "core/soilmodel/TwoLayerLeastSquares.h"

#include <cmath>
#include <limits>

namespace tav {

namespace {

constexpr double kRelativeGain = 0.1;
constexpr double kAbsoluteGain = 0.01; // percentage point

double rmsPercent(double sumOfSquares, std::size_t count) {
    return 100 * std::sqrt(sumOfSquares / count);
}

// The resistivity minimising the squared relative errors rho/m - 1 has a closed form.
UniformSoil fitUniform(const std::vector<WennerReading> &readings) {
    // Scaled by the first reading, so that no square can overflow.
    const double scale = readings.front().resistivity;
    double sum = 0;
    double squares = 0;
    for (const WennerReading &r : readings) {
        const double inverse = scale / r.resistivity;
        sum += inverse;
        squares += inverse * inverse;
    }
    const double rho = scale * (sum / squares);
    double errors = 0;
    for (const WennerReading &r : readings) {
        const double e = rho / r.resistivity - 1;
        errors += e * e;
    }
    return {rho, rmsPercent(errors, readings.size())};
}

bool finite(const TwoLayerSoil &soil) {
    return std::isfinite(soil.rho1) && std::isfinite(soil.rho2) && std::isfinite(soil.h) &&
           soil.rho1 > 0 && soil.rho2 > 0 && soil.h > 0;
}

std::vector<SoilModelRow> rows(const std::vector<WennerReading> &readings, const SoilModel &m) {
    std::vector<SoilModelRow> rows;
    for (const WennerReading &r : readings) {
        const double model = m.layered ? m.soil.wennerResistivity(r.spacing) : m.uniform.rho;
        rows.push_back({r.spacing, r.resistivity, model, 100 * (model / r.resistivity - 1)});
    }
    return rows;
}

} // namespace

Refusable<SoilModel> fitSoilModel(const std::vector<WennerReading> &readings) {
    if (const std::optional<Refusal> refusal = WennerReadings::refusal(readings))
        return *refusal;
    SoilModel model;
    model.uniform = fitUniform(readings);
    const LayeredFit layered = fitTwoLayers(readings);
    const double layeredRms = rmsPercent(layered.sumOfSquares, readings.size());
    const double gain = model.uniform.rmsPercent - layeredRms;
    model.layered = finite(layered.soil) && gain > kAbsoluteGain &&
                    gain > kRelativeGain * model.uniform.rmsPercent;
    if (model.layered) {
        model.soil = layered.soil;
        model.rmsPercent = layeredRms;
    } else {
        model.soil = {model.uniform.rho, model.uniform.rho,
                      std::numeric_limits<double>::quiet_NaN()};
        model.rmsPercent = model.uniform.rmsPercent;
    }
    model.rows = rows(readings, model);
    return model;
}

} // namespace tav
