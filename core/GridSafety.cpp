#include "core/GridSafety.h"

#include <cmath>
#include <utility>
#include <vector>

namespace tav {

namespace {

constexpr double kPi = 3.141592653589793;
// Relative slack on the spacing dividing a side: sides and spacings typed in decimals.
constexpr double kDivisionSlack = 1e-9;
constexpr double kReferenceDepth = 1; // m, h0 of Kh

using Check = std::optional<Refusal>;

bool positive(double value) {
    return std::isfinite(value) && value > 0;
}

Refusal notPositive(Quantity quantity, double value) {
    return {Error::NotPositive, quantity, {value}};
}

Refusal beyondRange() {
    return {Error::BeyondRange, Quantity::None, {}};
}

SafetyCriteria criteriaOf(const GridSafetyInput &in) {
    return {in.faultDuration, in.body, in.surface, in.criteria, in.footwear};
}

Check checkPositive(const GridSafetyInput &in) {
    const struct {
        Quantity quantity;
        double value;
    } inputs[] = {{Quantity::SoilResistivity, in.soilResistivity},
                  {Quantity::GridSideX, in.lengthX},
                  {Quantity::GridSideY, in.lengthY},
                  {Quantity::ConductorSpacing, in.spacing},
                  {Quantity::BurialDepth, in.depth},
                  {Quantity::ConductorDiameter, in.conductorDiameter},
                  {Quantity::GridCurrent, in.gridCurrent},
                  {Quantity::FaultDuration, in.faultDuration}};
    for (const auto &input : inputs)
        if (!positive(input.value))
            return notPositive(input.quantity, input.value);
    if (in.surface && !positive(in.surface->resistivity))
        return notPositive(Quantity::SurfaceResistivity, in.surface->resistivity);
    if (in.surface && !positive(in.surface->thickness))
        return notPositive(Quantity::SurfaceThickness, in.surface->thickness);
    if (in.rods.count < 0)
        return Refusal{Error::NegativeCount, Quantity::RodCount, {double(in.rods.count)}};
    if (in.rods.count > 0 && !positive(in.rods.length))
        return notPositive(Quantity::RodLength, in.rods.length);
    if (in.criteria == Criteria::En50522 && !(std::isfinite(in.footwear) && in.footwear >= 0))
        return Refusal{Error::NegativeOrNotFinite, Quantity::FootwearResistance, {in.footwear}};
    // Positive and finite by now: what is left are the tolerable voltages' ceilings.
    return tolerableInputRefusal(criteriaOf(in), in.soilResistivity);
}

bool divides(double spacing, double side) {
    const double ratio = side / spacing;
    if (!std::isfinite(ratio))
        return true; // too many conductors for double precision: refused with the results
    return std::abs(ratio - std::round(ratio)) <= kDivisionSlack * ratio;
}

Check checkGeometry(const GridSafetyInput &in) {
    if (!std::isfinite(in.lengthX * in.lengthY) || !std::isfinite(in.lengthX + in.lengthY))
        return beyondRange();
    for (const double side : {in.lengthX, in.lengthY})
        if (in.spacing > side)
            return Refusal{
                Error::SpacingLargerThanSide, Quantity::ConductorSpacing, {in.spacing, side}};
    if (!divides(in.spacing, in.lengthX) || !divides(in.spacing, in.lengthY))
        return Refusal{Error::SpacingDoesNotDivide,
                       Quantity::ConductorSpacing,
                       {in.spacing, in.lengthX, in.lengthY}};
    if (in.conductorDiameter >= in.depth)
        return Refusal{Error::DiameterNotBelowDepth,
                       Quantity::ConductorDiameter,
                       {in.conductorDiameter, in.depth}};
    return std::nullopt;
}

bool perimeterRods(const GridSafetyInput &in) {
    return in.rods.count > 0 && in.rods.onPerimeter;
}

// Conductor lengths and the geometric factors n, Kii and Kh.
void geometry(const GridSafetyInput &in, GridSafetyResult &r) {
    r.conductorsAlongY = std::round(in.lengthX / in.spacing) + 1;
    r.conductorsAlongX = std::round(in.lengthY / in.spacing) + 1;
    r.LC = in.lengthX * r.conductorsAlongX + in.lengthY * r.conductorsAlongY;
    const double rods = in.rods.count * (in.rods.count > 0 ? in.rods.length : 0);
    r.LT = r.LC + rods;
    r.LS = 0.75 * r.LC + 0.85 * rods;
    const double diagonal = std::hypot(in.lengthX, in.lengthY);
    r.LM = perimeterRods(in) ? r.LC + (1.55 + 1.22 * in.rods.length / diagonal) * rods : r.LT;
    const double perimeter = 2 * (in.lengthX + in.lengthY);
    const double area = in.lengthX * in.lengthY;
    r.n = (2 * r.LC / perimeter) * std::sqrt(perimeter / (4 * std::sqrt(area)));
    r.Kii = perimeterRods(in) ? 1 : 1 / std::pow(2 * r.n, 2 / r.n);
    r.Kh = std::sqrt(1 + in.depth / kReferenceDepth);
    r.Rg = in.soilResistivity *
           (1 / r.LT + 1 / std::sqrt(20 * area) * (1 + 1 / (1 + in.depth * std::sqrt(20 / area))));
}

// Km's two logarithms; empty when an argument is not positive.
Check meshFactor(const GridSafetyInput &in, GridSafetyResult &r) {
    const double D = in.spacing;
    const double h = in.depth;
    const double d = in.conductorDiameter;
    const double spread =
        D * D / (16 * h * d) + (D + 2 * h) * (D + 2 * h) / (8 * D * d) - h / (4 * d);
    const double corner = 8 / (kPi * (2 * r.n - 1));
    if (!(spread > 0) || !(corner > 0))
        return Refusal{Error::MeshFactorUndefined, Quantity::None, {}};
    r.Km = (std::log(spread) + r.Kii / r.Kh * std::log(corner)) / (2 * kPi);
    r.Ki = 0.644 + 0.148 * r.n;
    r.Ks = (1 / (2 * h) + 1 / (D + h) + (1 - std::pow(0.5, r.n - 2)) / D) / kPi;
    return std::nullopt;
}

void voltages(const GridSafetyInput &in, GridSafetyResult &r) {
    const double rho = in.soilResistivity;
    r.GPR = in.gridCurrent * r.Rg;
    r.Em = rho * r.Km * r.Ki * in.gridCurrent / r.LM;
    r.Es = rho * r.Ks * r.Ki * in.gridCurrent / r.LS;
    const TolerableVoltages tolerable = tolerableVoltages(criteriaOf(in), rho);
    r.Cs = tolerable.Cs;
    r.touchTolerable = tolerable.touch;
    r.stepTolerable = tolerable.step;
    r.criteria = in.criteria;
    r.stepLimited = tolerable.stepLimited;
    r.permissibleTouch = tolerable.permissibleTouch;
    r.bodyCurrent = tolerable.bodyCurrent;
    r.touchSafe = r.Em < r.touchTolerable;
    r.stepSafe = !r.stepLimited || r.Es < r.stepTolerable;
    r.gprBelowTouch = r.GPR < r.touchTolerable;
}

// A factor or voltage without physical sense: Km's first logarithm can fall below the
// second's magnitude for dense meshes of many conductors.
Check checkPositiveResults(const GridSafetyResult &r) {
    const struct {
        Quantity quantity;
        double value;
    } results[] = {{Quantity::MeshFactor, r.Km},
                   {Quantity::StepFactor, r.Ks},
                   {Quantity::GroundPotentialRise, r.GPR},
                   {Quantity::MeshVoltage, r.Em},
                   {Quantity::StepVoltage, r.Es},
                   {Quantity::TolerableTouchVoltage, r.touchTolerable},
                   {Quantity::TolerableStepVoltage, r.stepTolerable}};
    for (const auto &result : results)
        if (!(result.value > 0) &&
            (result.quantity != Quantity::TolerableStepVoltage || r.stepLimited))
            return Refusal{Error::ResultNotPositive, result.quantity, {result.value}};
    return std::nullopt;
}

// The junctions where rods can stand: every one, or those of the perimeter.
double rodPlaces(const GridSafetyInput &in, const GridSafetyResult &r) {
    if (in.rods.onPerimeter)
        return 2 * (r.conductorsAlongX + r.conductorsAlongY) - 4;
    return r.conductorsAlongX * r.conductorsAlongY;
}

std::vector<Caution> rangeCautions(const GridSafetyInput &in, const GridSafetyResult &r) {
    std::vector<Caution> cautions;
    const auto add = [&cautions](Warning warning, std::vector<double> values) {
        cautions.push_back({warning, Quantity::None, std::move(values)});
    };
    if (r.n > kGreatestGeometricFactor)
        add(Warning::GeometricFactorAboveRange, {r.n, kGreatestGeometricFactor});
    if (in.spacing < kLeastConductorSpacing)
        add(Warning::SpacingBelowRange, {in.spacing, kLeastConductorSpacing});
    if (in.depth < kLeastBurialDepth || in.depth > kGreatestBurialDepth)
        add(Warning::DepthOutsideRange, {in.depth, kLeastBurialDepth, kGreatestBurialDepth});
    if (in.conductorDiameter >= kGreatestDiameterToDepth * in.depth)
        add(Warning::DiameterAboveQuarterDepth, {in.conductorDiameter, in.depth});
    const double least = leastFaultDuration(in.criteria);
    const double greatest = greatestFaultDuration(in.criteria);
    if (in.faultDuration < least || in.faultDuration > greatest)
        add(outsideRange(in.criteria), {in.faultDuration, least, greatest});
    if (in.rods.count > rodPlaces(in, r))
        add(Warning::RodsBeyondGrid, {double(in.rods.count), rodPlaces(in, r)});
    if (const std::optional<Caution> layer =
            surfaceLayerCaution(criteriaOf(in), in.soilResistivity, r.Cs))
        cautions.push_back(*layer);
    return cautions;
}

bool allFinite(const GridSafetyResult &r) {
    for (const double v : {r.n, r.Km, r.Ki, r.Ks, r.Kii, r.Kh, r.LC, r.LM, r.LS, r.LT, r.Rg, r.GPR,
                           r.Em, r.Es, r.Cs, r.touchTolerable, r.stepTolerable})
        if (!std::isfinite(v))
            return false;
    return true;
}

} // namespace

Refusable<GridSafetyResult> calculateGridSafety(const GridSafetyInput &input) {
    Check refusal = checkPositive(input);
    if (!refusal)
        refusal = checkGeometry(input);
    GridSafetyResult result;
    if (!refusal) {
        geometry(input, result);
        refusal = std::isfinite(result.LC) && std::isfinite(result.n) && std::isfinite(result.Rg)
                      ? meshFactor(input, result)
                      : beyondRange();
    }
    if (refusal)
        return *refusal;
    voltages(input, result);
    if (!allFinite(result))
        return beyondRange();
    if (const Check notPositive = checkPositiveResults(result))
        return *notPositive;
    result.cautions = rangeCautions(input, result);
    return result;
}

Verdict verdict(const GridSafetyResult &result, bool safe) {
    if (!safe)
        return Verdict::NotSafe;
    return result.cautions.empty() ? Verdict::Safe : Verdict::OutsideMethodRange;
}

Verdict stepVerdict(const GridSafetyResult &result) {
    return result.stepLimited ? verdict(result, result.stepSafe) : Verdict::NoLimit;
}

} // namespace tav
