#include "core/TolerableVoltage.h"

#include "core/GridSafety.h"
#include "core/PermissibleTouch.h"

#include <cmath>

namespace tav {

namespace {

using Check = std::optional<Refusal>;

// IEEE Std 80-2013: Cs of eq. 27, the touch and step voltages of eqs. 29 and 30 (50 kg,
// 0.116) or 32 and 33 (70 kg, 0.157).
TolerableVoltages ieee80(const SafetyCriteria &criteria, double rho) {
    TolerableVoltages v;
    const std::optional<SurfaceLayer> &layer = criteria.surface;
    const double surface = layer ? layer->resistivity : rho;
    v.Cs = layer ? 1 - 0.09 * (1 - rho / surface) / (2 * layer->thickness + 0.09) : 1;
    const double k =
        (criteria.body == BodyWeight::Kg50 ? 0.116 : 0.157) / std::sqrt(criteria.faultDuration);
    v.touch = (1000 + 1.5 * v.Cs * surface) * k;
    v.step = (1000 + 6 * v.Cs * surface) * k;
    v.permissibleTouch = v.touch;
    return v;
}

// EN 50522:2010: U_Tp of its Annex B and the body current behind it; the footwear and the
// ground under the feet add their resistances in series with the body.
TolerableVoltages en50522(const SafetyCriteria &criteria, double rho) {
    TolerableVoltages v;
    const double ground = criteria.surface ? criteria.surface->resistivity : rho;
    v.permissibleTouch = PermissibleTouch::voltage(criteria.faultDuration);
    v.bodyCurrent = PermissibleTouch::bodyCurrent(criteria.faultDuration);
    v.touch = v.permissibleTouch +
              (criteria.footwear + kFeetResistancePerResistivity * ground) * v.bodyCurrent;
    v.step = 0;
    v.stepLimited = false;
    return v;
}

bool positive(double value) {
    return std::isfinite(value) && value > 0;
}

Refusal notPositive(Quantity quantity, double value) {
    return Refusal{Error::NotPositive, quantity, {value}};
}

Check aboveCeiling(Quantity quantity, double value, double greatest) {
    if (value > greatest)
        return Refusal{Error::AboveCeiling, quantity, {value, greatest}};
    return std::nullopt;
}

} // namespace

Check tolerableInputRefusal(const SafetyCriteria &criteria, std::optional<double> rho) {
    if (rho && !positive(*rho))
        return notPositive(Quantity::SoilResistivity, *rho);
    if (rho)
        if (Check above = aboveCeiling(Quantity::SoilResistivity, *rho, kGreatestResistivity))
            return above;
    if (!positive(criteria.faultDuration))
        return notPositive(Quantity::FaultDuration, criteria.faultDuration);
    if (criteria.surface && !positive(criteria.surface->resistivity))
        return notPositive(Quantity::SurfaceResistivity, criteria.surface->resistivity);
    if (criteria.surface)
        if (Check above = aboveCeiling(Quantity::SurfaceResistivity, criteria.surface->resistivity,
                                       kGreatestResistivity))
            return above;
    if (criteria.surface && !positive(criteria.surface->thickness))
        return notPositive(Quantity::SurfaceThickness, criteria.surface->thickness);
    if (criteria.criteria == Criteria::En50522 &&
        !(std::isfinite(criteria.footwear) && criteria.footwear >= 0))
        return Refusal{
            Error::NegativeOrNotFinite, Quantity::FootwearResistance, {criteria.footwear}};
    if (criteria.criteria == Criteria::En50522)
        return aboveCeiling(Quantity::FootwearResistance, criteria.footwear, kGreatestFootwear);
    return std::nullopt;
}

// Eq. 27 was fitted for crushed rock over a less resistive soil (its reflection factor K
// from 0 to -0.98); a layer less resistive than the soil makes Cs exceed 1 and the
// tolerable voltage exceed the bare soil's, which the equation was never meant to give.
std::optional<Caution> surfaceLayerCaution(const SafetyCriteria &criteria, double rho, double Cs) {
    if (criteria.criteria != Criteria::Ieee80 || !criteria.surface ||
        !(criteria.surface->resistivity < rho))
        return std::nullopt;
    return Caution{Warning::SurfaceLayerBelowSoil,
                   Quantity::None,
                   {criteria.surface->resistivity, rho, std::round(Cs * 1000) / 1000}};
}

Warning outsideRange(Criteria criteria) {
    return criteria == Criteria::En50522 ? Warning::DurationOutsideTable
                                         : Warning::DurationOutsideRange;
}

namespace {

TolerableVoltages withCautions(TolerableVoltages v, const SafetyCriteria &criteria,
                               std::optional<double> rho) {
    const double t = criteria.faultDuration;
    const double least = leastFaultDuration(criteria.criteria);
    const double greatest = greatestFaultDuration(criteria.criteria);
    if (t < least || t > greatest)
        v.cautions.push_back(
            {outsideRange(criteria.criteria), Quantity::None, {t, least, greatest}});
    if (rho)
        if (const std::optional<Caution> layer = surfaceLayerCaution(criteria, *rho, v.Cs))
            v.cautions.push_back(*layer);
    return v;
}

} // namespace

double leastFaultDuration(Criteria criteria) {
    return criteria == Criteria::En50522 ? kLeastPermissibleDuration : kLeastFaultDuration;
}

double greatestFaultDuration(Criteria criteria) {
    return criteria == Criteria::En50522 ? kGreatestPermissibleDuration : kGreatestFaultDuration;
}

TolerableVoltages tolerableVoltages(const SafetyCriteria &criteria, double rho) {
    return criteria.criteria == Criteria::En50522 ? en50522(criteria, rho) : ieee80(criteria, rho);
}

Refusable<TolerableVoltages> checkedTolerableVoltages(const SafetyCriteria &criteria, double rho) {
    if (const Check refusal = tolerableInputRefusal(criteria, rho))
        return *refusal;
    return withCautions(tolerableVoltages(criteria, rho), criteria, rho);
}

Refusable<TolerableVoltages> checkedTolerableVoltages(const SafetyCriteria &criteria,
                                                      std::optional<double> rho) {
    if (rho || criteria.criteria == Criteria::Ieee80)
        return checkedTolerableVoltages(criteria, rho.value_or(0));
    if (const Check refusal = tolerableInputRefusal(criteria, std::nullopt))
        return *refusal;
    // No soil: R_F2 comes from the surface layer, or is none.
    return withCautions(en50522(criteria, 0), criteria, std::nullopt);
}

} // namespace tav
