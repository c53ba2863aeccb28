#include "core/RodDesign.h"

#include "core/CatalyzerBags.h"
#include "core/NumericText.h"
#include "core/RoundValue.h"

#include <cmath>
#include <limits>

namespace tav {

namespace {

// A non-finite input (typed as 1e39, say) is no more a correct value than zero is.
bool isPositive(float value) {
    return value > 0 && std::isfinite(value);
}

double roundedResistance(const RodDesignParameters &parameters, float rho, int length) {
    const double rounded = RoundValue(parameters.resistance(rho, length), 3);
    return std::isfinite(rounded) ? rounded : std::numeric_limits<double>::quiet_NaN();
}

} // namespace

RodDesignOutcome CalculateRodDesign(RodDesignRecord &record,
                                    const RodDesignParameters &parameters) {
    RodDesignOutcome outcome;
    if (!isPositive(record.targetResistance)) {
        outcome.refusal = kMsgTargetResistance;
        return outcome;
    }
    if (!isPositive(record.soilResistivity)) {
        outcome.refusal = kMsgSoilResistivity;
        return outcome;
    }

    record.rowLength = rowLengths(record.lengthFrom, record.lengthTo);
    for (int k = 0; k < kRodRows; ++k) {
        const int length = record.rowLength[k];
        record.rowResistance[k] = roundedResistance(parameters, record.soilResistivity, length);
        const CatalyzerBagCount bags =
            CatalyzerBags(length, record.rodDiameter, parameters.boreArea);
        record.ionBags[k] = RoundValue(bags.ion, 3);
        record.activeBags[k] = RoundValue(bags.active, 3);
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
            const double quantity = RoundValue(length / parameters.modelLengths[j], 3);
            record.rodQuantity[j] = NumericText::narrowToSingle(quantity);
        }
    }
    return outcome;
}

} // namespace tav
