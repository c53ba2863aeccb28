#pragma once

#include "core/GridSafety.h"
#include "core/TolerableVoltage.h"
#include "core/earthing/EarthingInput.h"
#include "core/earthing/EarthingResult.h"

#include <optional>
#include <vector>

namespace tav::earthing {

// One solved voltage where a person stands, against the tolerable voltage of that place.
struct JudgedVoltage {
    double voltage = 0;
    Point2 at;
    bool onLayer = true;  // false where the surface layer does not lie, and without one
    double tolerable = 0; // V; meaningless with Verdict::NoLimit
    Verdict verdict = Verdict::NotSafe;
};

// The solved touch and step voltages against the criteria's tolerable ones, each where it
// stands: on the surface layer, or on the top soil (rho1) where the layer does not lie.
struct SystemSafety {
    // Whether the criteria lay a surface layer at all: without one, nobody stands on it.
    bool surfaceLayer = false;
    TolerableVoltages onLayer;
    TolerableVoltages offLayer; // rho_s = rho1, Cs = 1; the same as onLayer without a layer
    // Group 0's greatest touch (the result's touchMax) where it stands; none without an area.
    std::optional<JudgedVoltage> touch;
    std::vector<JudgedVoltage> areas;  // one per touch area, the side nearest its limit
    std::vector<JudgedVoltage> points; // one per touch point
    JudgedVoltage step;                // the greatest step (stepMax) where it stands
    // The worst step on the layer, then off it, each side the step region reaches;
    // Verdict::NoLimit under EN 50522.
    std::vector<JudgedVoltage> steps;
    // Not safe when any touch, point or limited step is; outside the method's range when
    // none fails but a caution holds; else safe.
    Verdict overall = Verdict::NotSafe;
};

// A pass is no answer (OutsideMethodRange) while a caution on the tolerable voltages holds.
Refusable<SystemSafety> assessSafety(const EarthingResult &result, const EarthingSoil &soil,
                                     const SafetyCriteria &criteria);

} // namespace tav::earthing
