#include "core/soilmodel/TwoLayerSoil.h"

#include "core/soilmodel/ImageSeries.h"

#include <cmath>
#include <limits>

namespace tav {

namespace {

bool positive(double value) {
    return std::isfinite(value) && value > 0;
}

} // namespace

double TwoLayerSoil::wennerResistivity(double a) const {
    if (!positive(rho1) || !positive(rho2) || !positive(h) || !positive(a))
        return std::numeric_limits<double>::quiet_NaN();
    const double t = 2 * (h / a);
    // A layer too thin or too thick to show in double precision.
    if (t == 0)
        return rho2;
    if (!std::isfinite(t))
        return rho1;
    return rho1 * (1 + 4 * ImageSeries::sum(rho1, rho2, t));
}

} // namespace tav
