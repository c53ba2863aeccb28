#include "core/RodDesign.h"

#include "core/CatalyzerBags.h"
#include "core/NumericText.h"
#include "core/RoundValue.h"

#include <cmath>
#include <limits>

namespace tav {

namespace {

// A non-finite input (typed as 1e39, say) is no more a correct value than zero is.
bool IsPositive(float value) {
    return value > 0 && std::isfinite(value);
}

double RoundedResistance(const RodDesignParameters &parameters, float rho, int length) {
    const double rounded = RoundValue(parameters.resistance(rho, length), 3);
    return std::isfinite(rounded) ? rounded : std::numeric_limits<double>::quiet_NaN();
}

} // namespace

RodDesignOutcome CalculateRodDesign(RodDesignRecord &record,
                                    const RodDesignParameters &parameters) {
    RodDesignOutcome outcome;
    if (!IsPositive(record.m_fTargetResistance)) {
        outcome.refusal = kMsgTargetResistance;
        return outcome;
    }
    if (!IsPositive(record.m_fSoilResistivity)) {
        outcome.refusal = kMsgSoilResistivity;
        return outcome;
    }

    record.m_nRowLength = RowLengths(record.m_nLengthFrom, record.m_nLengthTo);
    for (int k = 0; k < kRodRows; ++k) {
        const int length = record.m_nRowLength[k];
        record.m_dRowResistance[k] =
            RoundedResistance(parameters, record.m_fSoilResistivity, length);
        const CatalyzerBagCount bags =
            CatalyzerBags(length, record.m_fRodDiameter, parameters.boreArea);
        record.m_dIonBags[k] = RoundValue(bags.ion, 3);
        record.m_dActiveBags[k] = RoundValue(bags.active, 3);
    }

    const double target = record.m_fTargetResistance;
    for (int k = 0; k < kRodRows && outcome.selectedRow < 0; ++k) {
        if (target > record.m_dRowResistance[k])
            outcome.selectedRow = k;
    }

    record.m_fRodQuantity.assign(parameters.modelLengths.size(), 0.0f);
    if (outcome.selectedRow >= 0) {
        const double length = record.m_nRowLength[outcome.selectedRow];
        for (std::size_t j = 0; j < parameters.modelLengths.size(); ++j) {
            const double quantity = RoundValue(length / parameters.modelLengths[j], 3);
            record.m_fRodQuantity[j] = NumericText::NarrowToSingle(quantity);
        }
    }
    return outcome;
}

} // namespace tav
