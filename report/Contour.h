#pragma once

#include "core/earthing/SurfaceField.h"

#include <QLineF>
#include <QPolygonF>
#include <QVector>

#include <vector>

// Where values on a raster cross a level: marching squares on the raster's own cells, the
// crossing on each cell edge found linearly between its two nodes; a saddle cell is
// settled by the mean of its corners. Cells with a corner that is not finite have none.
class Contour {
public:
    static QVector<QLineF> lines(const tav::earthing::RasterGrid &grid,
                                 const std::vector<double> &values, double level);
    // The same crossings joined into lines through neighbouring cells, so that a label can
    // follow a line's course: each polyline open, or closed when it is a loop (its last
    // point its first).
    static QVector<QPolygonF> polylines(const tav::earthing::RasterGrid &grid,
                                        const std::vector<double> &values, double level);

private:
    // A cell's stretch of line between two of the raster's edges, each edge numbered as
    // edgeId numbers it.
    struct Piece {
        long long from;
        long long to;
    };
    static std::vector<Piece> pieces(const tav::earthing::RasterGrid &grid,
                                     const std::vector<double> &values, double level);
    static QPointF crossingOf(const tav::earthing::RasterGrid &grid,
                              const std::vector<double> &values, double level, long long edge);
};
