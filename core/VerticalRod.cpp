#include "core/VerticalRod.h"

#include <cmath>

namespace tav {

double verticalRodResistance(float soilResistivity, int length) {
    // 4 * L is an integer product; formed in 64 bits so that no length can overflow it.
    const double t = static_cast<double>(4LL * length) / 0.075;
    const double u = std::log(t) - 1;
    const double w = soilResistivity / (length * 6.28);
    return u * w;
}

RodDesignParameters verticalRodParameters() {
    RodDesignParameters parameters;
    parameters.resistance = &verticalRodResistance;
    parameters.boreArea = 3.14 * 0.075 * 0.075;
    parameters.boreRadius = 0.075;
    parameters.modelLengths = {6, 9, 12, 18, 24, 30};
    return parameters;
}

RodDesignRecord verticalRodDefaults() {
    RodDesignRecord record;
    record.lengthFrom = 6;
    record.lengthTo = 100;
    record.rodDiameter = 54;
    record.rodQuantity.assign(verticalRodParameters().modelLengths.size(), 0.0f);
    return record;
}

} // namespace tav
