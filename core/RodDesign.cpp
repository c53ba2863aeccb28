#include "core/RodDesign.h"

#include "core/CatalyzerBags.h"
#include "core/NumericText.h"
#include "core/RoundValue.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tav {

namespace {

// A non-finite input (typed as 1e39, say) is no more a correct value than zero is.
bool isPositive(float value) {
    return value > 0 && std::isfinite(value);
}

double roundedResistance(const RodDesignParameters &parameters, float rho, int length) {
    const double rounded = roundToDecimals(parameters.resistance(rho, length), 2);
    return std::isfinite(rounded) ? rounded : std::numeric_limits<double>::quiet_NaN();
}

Refusal notPositive(Quantity quantity, double value) {
    return {Error::NotPositive, quantity, {value}};
}

} // namespace

std::optional<Refusal> rodDesignInputRefusal(const RodDesignRecord &record,
                                             const RodDesignParameters &parameters) {
    if (!isPositive(record.targetResistance))
        return Refusal{Error::TargetResistance, Quantity::None, {}};
    if (!isPositive(record.soilResistivity))
        return Refusal{Error::SoilResistivity, Quantity::SoilResistivity, {}};
    if (record.lengthFrom <= 0)
        return notPositive(Quantity::ShortestRodLength, record.lengthFrom);
    if (record.lengthTo <= 0)
        return notPositive(Quantity::LongestRodLength, record.lengthTo);
    if (!isPositive(record.rodDiameter))
        return notPositive(Quantity::RodDiameter, record.rodDiameter);
    const double bore = 2000 * parameters.boreRadius; // mm
    if (record.rodDiameter >= bore)
        return Refusal{
            Error::DiameterNotBelowBore, Quantity::RodDiameter, {record.rodDiameter, bore}};
    if (const std::optional<float> depth = parameters.burialDepth) {
        if (!isPositive(*depth))
            return notPositive(Quantity::BurialDepth, *depth);
        const int shortest = std::min(record.lengthFrom, record.lengthTo);
        if (*depth >= shortest)
            return Refusal{
                Error::DepthNotBelowLength, Quantity::BurialDepth, {*depth, double(shortest)}};
    }
    return std::nullopt;
}

RodDesignOutcome CalculateRodDesign(RodDesignRecord &record,
                                    const RodDesignParameters &parameters) {
    RodDesignOutcome outcome;
    if (!isPositive(record.targetResistance)) {
        outcome.refusal = Refusal{Error::TargetResistance, Quantity::None, {}};
        return outcome;
    }
    if (!isPositive(record.soilResistivity)) {
        outcome.refusal = Refusal{Error::SoilResistivity, Quantity::SoilResistivity, {}};
        return outcome;
    }

    record.rowLength = rowLengths(record.lengthFrom, record.lengthTo);
    for (int k = 0; k < kRodRows; ++k) {
        const int length = record.rowLength[k];
        record.rowResistance[k] = roundedResistance(parameters, record.soilResistivity, length);
        const CatalyzerBagCount bags =
            CatalyzerBags(length, record.rodDiameter, parameters.boreArea);
        record.ionBags[k] = roundToDecimals(bags.ion, 2);
        record.activeBags[k] = roundToDecimals(bags.active, 2);
    }

    const double target = record.targetResistance;
    for (int k = 0; k < kRodRows && outcome.selectedRow < 0; ++k) {
        if (target > record.rowResistance[k])
            outcome.selectedRow = k;
    }

    record.rodQuantity.assign(parameters.modelLengths.size(), 0.0f);
    if (outcome.selectedRow >= 0) {
        const double length = record.rowLength[outcome.selectedRow];
        for (std::size_t j = 0; j < parameters.modelLengths.size(); ++j) {
            const double quantity = roundToDecimals(length / parameters.modelLengths[j], 2);
            record.rodQuantity[j] = NumericText::narrowToSingle(quantity);
        }
    }
    return outcome;
}

} // namespace tav
