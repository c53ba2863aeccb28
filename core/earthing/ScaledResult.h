#pragma once

#include "core/earthing/EarthingResult.h"

namespace tav::earthing {

// A solved system's result for factor (positive) times its current: every potential,
// current and voltage, the raster's and the field's too, scaled, every place kept (the
// worst of linear values stays where it was), the resistance as it was. The solve is
// linear in the current, so that studies differing only in the current share one solve.
EarthingResult scaledResult(const EarthingResult &result, double factor);

} // namespace tav::earthing
