#pragma once

#include "core/errors.h"

#include <optional>
#include <vector>

namespace tav {

enum class BodyWeight { Kg50, Kg70 };

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
    double faultDuration = 0; // s
    BodyWeight body = BodyWeight::Kg50; // IEEE Std 80's
    std::optional<SurfaceLayer> surface;
    Criteria criteria = Criteria::Ieee80;
    double footwear = 1000; // ohm, EN 50522's R_F1
};

struct TolerableVoltages {
    double Cs = 1;
    double touch = 0; // V
    double step = 0;  // V, when stepLimited
    bool stepLimited = true;     // EN 50522 sets no step limit
    double permissibleTouch = 0; // V, EN 50522's U_Tp (IEEE 80: the touch itself)
    double bodyCurrent = 0;      // A, the body current at U_Tp (EN 50522)
    // The duration outside the range Dalziel's equation was fitted over.
    std::vector<Caution> cautions;
};

// The voltages for soil of resistivity rho under the surface layer; the inputs are taken
// as they are (calculateGridSafety checks them with its own).
TolerableVoltages tolerableVoltages(const SafetyCriteria &criteria, double rho);

// The same after checking that every input is positive and finite, with a caution for a
// duration outside 0.03 s to 3 s.
Refusable<TolerableVoltages> checkedTolerableVoltages(const SafetyCriteria &criteria, double rho);

} // namespace tav
