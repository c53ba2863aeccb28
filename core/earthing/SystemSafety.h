#pragma once

#include "core/GridSafety.h"
#include "core/TolerableVoltage.h"
#include "core/earthing/EarthingInput.h"
#include "core/earthing/EarthingResult.h"

namespace tav::earthing {

// The solved worst touch and step voltages against IEEE Std 80's tolerable ones, for soil
// whose top layer (rho1) lies under the surface layer.
struct SystemSafety {
    TolerableVoltages tolerable;
    Verdict touch = Verdict::NotSafe;
    Verdict step = Verdict::NotSafe;
};

// A pass is no answer (OutsideMethodRange) while a caution on the tolerable voltages holds.
Refusable<SystemSafety> assessSafety(const EarthingResult &result, const EarthingSoil &soil,
                                     const SafetyCriteria &criteria);

} // namespace tav::earthing
