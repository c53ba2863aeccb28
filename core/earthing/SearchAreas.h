#pragma once

#include "core/earthing/EarthingInput.h"
#include "core/earthing/EarthingResult.h"
#include "core/earthing/StepRegion.h"
#include "core/earthing/SurfaceField.h"
#include "core/earthing/TouchRegion.h"
#include "core/earthing/WorkMonitor.h"

#include <vector>

namespace tav::earthing {

// Where the touch and step voltages are searched: the touch areas, the step region round
// them and every conductor, and the raster over the step region's bounds, aligned on the
// energised conductors' lowest corner so that its nodes fall on the grid lines and the
// middles of regular meshes.
struct SearchAreas {
    std::vector<TouchRegion> touch; // one per touch area, in the input's order
    StepRegion step;
    RasterGrid raster;
    double rasterPoints = 0; // counted before the raster is made, as a double

    static SearchAreas of(const EarthingInput &input);
    // Per raster node: whether it lies in a touch area, in the step region; rows on every
    // core as the search's start, false when cancelled.
    bool masks(WorkMonitor &monitor, std::vector<char> &inTouch, std::vector<char> &inStep) const;
};

} // namespace tav::earthing
