#pragma once

#include "core/earthing/SurfaceField.h"

#include <QLineF>
#include <QVector>

#include <vector>

// Where values on a raster cross a level: marching squares on the raster's own cells, the
// crossing on each cell edge found linearly between its two nodes; a saddle cell is
// settled by the mean of its corners. Cells with a corner that is not finite have none.
class Contour {
public:
    static QVector<QLineF> lines(const tav::earthing::RasterGrid &grid,
                                 const std::vector<double> &values, double level);
};
