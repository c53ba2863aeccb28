#include "core/TolerableVoltage.h"

#include "core/GridSafety.h"

#include <cmath>

namespace tav {

TolerableVoltages tolerableVoltages(const SafetyCriteria &criteria, double rho) {
    TolerableVoltages v;
    const std::optional<SurfaceLayer> &layer = criteria.surface;
    const double surface = layer ? layer->resistivity : rho;
    v.Cs = layer ? 1 - 0.09 * (1 - rho / surface) / (2 * layer->thickness + 0.09) : 1;
    const double k =
        (criteria.body == BodyWeight::Kg50 ? 0.116 : 0.157) / std::sqrt(criteria.faultDuration);
    v.touch = (1000 + 1.5 * v.Cs * surface) * k;
    v.step = (1000 + 6 * v.Cs * surface) * k;
    return v;
}

Refusable<TolerableVoltages> checkedTolerableVoltages(const SafetyCriteria &criteria, double rho) {
    const auto positive = [](double value) { return std::isfinite(value) && value > 0; };
    const auto refuse = [](Quantity quantity, double value) {
        return Refusal{Error::NotPositive, quantity, {value}};
    };
    if (!positive(rho))
        return refuse(Quantity::SoilResistivity, rho);
    if (!positive(criteria.faultDuration))
        return refuse(Quantity::FaultDuration, criteria.faultDuration);
    if (criteria.surface && !positive(criteria.surface->resistivity))
        return refuse(Quantity::SurfaceResistivity, criteria.surface->resistivity);
    if (criteria.surface && !positive(criteria.surface->thickness))
        return refuse(Quantity::SurfaceThickness, criteria.surface->thickness);
    TolerableVoltages v = tolerableVoltages(criteria, rho);
    const double t = criteria.faultDuration;
    if (t < kLeastFaultDuration || t > kGreatestFaultDuration)
        v.cautions.push_back({Warning::DurationOutsideRange,
                              Quantity::None,
                              {t, kLeastFaultDuration, kGreatestFaultDuration}});
    return v;
}

} // namespace tav
