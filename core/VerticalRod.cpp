#include "core/VerticalRod.h"

#include <cmath>

namespace tav {

double VerticalRodResistance(float soilResistivity, int length) {
    // 4 * L is an integer product; formed in 64 bits so that no length can overflow it.
    const double t = static_cast<double>(4LL * length) / 0.075;
    const double u = std::log(t) - 1;
    const double w = soilResistivity / (length * 6.28);
    return u * w;
}

RodDesignParameters VerticalRodParameters() {
    RodDesignParameters parameters;
    parameters.resistance = &VerticalRodResistance;
    parameters.boreArea = 3.14 * 0.075 * 0.075;
    parameters.modelLengths = {6, 9, 12, 18, 24, 30};
    return parameters;
}

RodDesignRecord VerticalRodDefaults() {
    RodDesignRecord record;
    record.m_nLengthFrom = 6;
    record.m_nLengthTo = 100;
    record.m_fRodDiameter = 54;
    record.m_fRodQuantity.assign(VerticalRodParameters().modelLengths.size(), 0.0f);
    return record;
}

} // namespace tav
