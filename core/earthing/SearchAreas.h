#pragma once

#include "core/earthing/EarthingInput.h"
#include "core/earthing/EarthingResult.h"
#include "core/earthing/SurfaceField.h"

namespace tav::earthing {

// Where the touch and step voltages are searched: the energised conductors' bounding
// rectangle, the same widened by the margin, and the raster over the wider one, aligned
// on the narrower one's corner so that its nodes fall on the grid lines and the middles
// of regular meshes.
struct SearchAreas {
    Rectangle touch;
    Rectangle step;
    RasterGrid raster;
    double rasterPoints = 0; // counted before the raster is made, as a double

    static SearchAreas of(const EarthingInput &input);
};

} // namespace tav::earthing
