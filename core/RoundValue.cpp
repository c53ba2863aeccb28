#include "core/RoundValue.h"

#include <cmath>

namespace tav {

double RoundValue(double value, int n) {
    const double scale = std::pow(10.0, n - 1);
    const double v = scale * value;
    const double r = v > 0 ? std::floor(v + 0.5) : std::ceil(v - 0.5);
    return r * std::pow(10.0, -(n - 1));
}

} // namespace tav
