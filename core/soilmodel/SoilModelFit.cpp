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
    // Scaled by the first reading: the readings WennerReadings::refusal accepts lie within
    // a factor of 1e11 of it, so that no square can overflow.
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

// The RMS error as a message tells it: three significant digits.
double messageDigits(double percent) {
    const int exponent = static_cast<int>(std::floor(std::log10(percent))) - 2;
    const double power = std::pow(10.0, std::abs(exponent));
    return exponent < 0 ? std::round(percent * power) / power : std::round(percent / power) * power;
}

Caution caution(Warning warning, std::vector<double> values = {}) {
    return {warning, Quantity::None, std::move(values)};
}

// The cautions of what the readings leave open of the two layers, one for each of the
// top layer and the bottom layer's resistivity.
void addDoubts(SoilModel &model) {
    const Determination &h = model.hDetermination;
    if (!h.determined) {
        if (h.atLeast)
            model.cautions.push_back(caution(Warning::TopLayerAtLeast, {*h.atLeast}));
        else if (h.atMost)
            model.cautions.push_back(caution(Warning::TopLayerAtMost, {*h.atMost}));
        else
            model.cautions.push_back(caution(Warning::TopLayerUndetermined));
    }
    const Determination &rho2 = model.rho2Determination;
    // Told with the top layer's when the readings do not reach the bottom layer.
    if (rho2.determined || (!h.determined && !h.atMost))
        return;
    if (rho2.atLeast)
        model.cautions.push_back(caution(Warning::BottomResistivityAtLeast, {*rho2.atLeast}));
    else if (rho2.atMost)
        model.cautions.push_back(caution(Warning::BottomResistivityAtMost, {*rho2.atMost}));
    else
        model.cautions.push_back(caution(Warning::BottomResistivityUndetermined));
}

bool finite(const SoilModel &model) {
    if (!std::isfinite(model.rmsPercent) || !std::isfinite(model.uniform.rho) ||
        !std::isfinite(model.uniform.rmsPercent) || !(model.uniform.rho > 0))
        return false;
    for (const SoilModelRow &row : model.rows)
        if (!std::isfinite(row.model) || !std::isfinite(row.errorPercent))
            return false;
    return !model.layered || finite(model.soil);
}

} // namespace

Refusable<SoilModel> fitSoilModel(const std::vector<WennerReading> &readings) {
    if (const std::optional<Refusal> refusal = WennerReadings::refusal(readings))
        return *refusal;
    SoilModel model;
    model.uniform = fitUniform(readings);
    const LayeredSearch search(readings);
    const LayeredFit layered = fitTwoLayers(search);
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
    if (model.rmsPercent > kNoModelFitsPercent) {
        model.cautions.push_back(caution(Warning::NoModelFits, {messageDigits(model.rmsPercent)}));
    } else if (model.layered) {
        const double uniform = readings.size() * std::pow(model.uniform.rmsPercent / 100, 2);
        const LayeredDeterminacy d = determinacy(search, layered.best, uniform);
        model.rho1Determination = d.rho1;
        model.rho2Determination = d.rho2;
        model.hDetermination = d.h;
        addDoubts(model);
    }
    // Readings within WennerReadings' ranges always give numbers; never a result without.
    if (!finite(model))
        return Refusal{Error::BeyondRange, Quantity::None, {}};
    return model;
}

} // namespace tav
