#include "core/HorizontalRod.h"

#include <cmath>

namespace tav {

double horizontalRodResistance(float soilResistivity, int length, float burialDepth) {
    const double h = burialDepth;
    const float singleLength = static_cast<float>(length);
    const double lengthSquared = std::pow(length, 2);
    const float ratio = singleLength / burialDepth;
    const float logRatio = std::log(ratio); // the single-precision logarithm
    // 2 * L is an integer product; formed in 64 bits so that no length can overflow it.
    double sum = std::log(static_cast<double>(2LL * length) / 0.05);
    sum += logRatio;
    sum -= 2;
    sum += (h * 2) / singleLength;
    sum -= std::pow(h, 2) / lengthSquared;
    sum += std::pow(h, 4) / (lengthSquared * 8);
    return sum * (soilResistivity / (length * 6.28));
}

RodDesignParameters horizontalRodParameters(float burialDepth) {
    RodDesignParameters parameters;
    parameters.resistance = [burialDepth](float soilResistivity, int length) {
        return horizontalRodResistance(soilResistivity, length, burialDepth);
    };
    parameters.boreArea = 3.14 * 0.05 * 0.05;
    parameters.boreRadius = 0.05;
    parameters.burialDepth = burialDepth;
    parameters.modelLengths = {3, 6, 9, 12};
    return parameters;
}

RodDesignRecord horizontalRodDefaults() {
    RodDesignRecord record;
    record.lengthFrom = 3;
    record.lengthTo = 60;
    record.rodDiameter = 54;
    record.rodQuantity.assign(horizontalRodParameters(kDefaultBurialDepth).modelLengths.size(),
                              0.0f);
    return record;
}

} // namespace tav
