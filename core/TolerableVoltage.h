#pragma once

#include "core/errors.h"

#include <optional>
#include <vector>

namespace tav {

enum class BodyWeight { Kg50, Kg70 };

// The most the tolerable voltages take: a resistivity (of the soil or the surface layer)
// beyond any soil's or rock's, whose tolerable voltage would hold no body-current limit
// any more, and a footwear resistance beyond any boot's (ohm m, ohm).
inline constexpr double kGreatestResistivity = 1e7;
inline constexpr double kGreatestFootwear = 1e6;

// A thin layer of high resistivity, such as crushed rock, spread over the site.
struct SurfaceLayer {
    double resistivity = 0; // ohm m
    double thickness = 0;   // m
};

// Whose limits: IEEE Std 80-2013's tolerable touch and step voltages, or EN 50522's
// permissible touch voltage with the person's additional resistances.
enum class Criteria { Ieee80, En50522 };

// What the tolerable touch and step voltages of IEEE Std 80-2013 (eqs. 27, 29, 30, 32,
// with Cs of eq. 27), or EN 50522's, depend on besides the soil.
struct SafetyCriteria {
    double faultDuration = 0;           // s
    BodyWeight body = BodyWeight::Kg50; // IEEE Std 80's
    std::optional<SurfaceLayer> surface;
    Criteria criteria = Criteria::Ieee80;
    double footwear = 1000; // ohm, EN 50522's R_F1
};

struct TolerableVoltages {
    double Cs = 1;
    double touch = 0;            // V
    double step = 0;             // V, when stepLimited
    bool stepLimited = true;     // EN 50522 sets no step limit
    double permissibleTouch = 0; // V, EN 50522's U_Tp (IEEE 80: the touch itself)
    double bodyCurrent = 0;      // A, the body current at U_Tp (EN 50522)
    // The duration outside the range Dalziel's equation was fitted over.
    std::vector<Caution> cautions;
};

// The voltages for soil of resistivity rho under the surface layer; the inputs are taken
// as they are (calculateGridSafety checks them with its own). Under EN 50522 the touch
// voltage is the prospective permissible one, U_vTp = U_Tp + (R_F1 + R_F2) I_B with
// R_F1 the footwear and R_F2 = 1.5 m^-1 times the surface layer's resistivity, or the
// soil's without one; it sets no step voltage.
TolerableVoltages tolerableVoltages(const SafetyCriteria &criteria, double rho);

// The caution of a fault duration outside the range of the criteria's limits: Dalziel's
// equation's (IEEE Std 80) or the permissible touch voltage's table (EN 50522).
Warning outsideRange(Criteria criteria);

// The first input of the criteria (the soil's resistivity too, when given) that is not
// positive and finite (the footwear: zero or more), or that lies above its greatest.
std::optional<Refusal> tolerableInputRefusal(const SafetyCriteria &criteria,
                                             std::optional<double> rho);

// Under IEEE Std 80 a surface layer less resistive than the soil, for which Eq. 27's Cs
// comes out above 1; none otherwise.
std::optional<Caution> surfaceLayerCaution(const SafetyCriteria &criteria, double rho, double Cs);

// The same after checking every input (tolerableInputRefusal), with a caution for a
// duration outside the criteria's range (0.03 s to 3 s for IEEE Std 80's body-current
// equation, 0.05 s to 10 s for EN 50522's table) and for a surface layer less resistive
// than the soil under IEEE Std 80.
Refusable<TolerableVoltages> checkedTolerableVoltages(const SafetyCriteria &criteria, double rho);

// The same where the soil's resistivity is not known: EN 50522 then counts R_F2 of the
// surface layer only, none without one. IEEE Std 80's voltages need the soil and are
// refused without it.
Refusable<TolerableVoltages> checkedTolerableVoltages(const SafetyCriteria &criteria,
                                                      std::optional<double> rho);

// The range of fault durations the criteria's limits were set over, in s.
double leastFaultDuration(Criteria criteria);
double greatestFaultDuration(Criteria criteria);

} // namespace tav
