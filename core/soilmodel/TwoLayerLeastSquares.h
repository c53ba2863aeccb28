#pragma once

#include "core/soilmodel/LayeredSearch.h"

namespace tav {

struct LayeredFit {
    TwoLayerSoil soil;
    double sumOfSquares = 0;   // of the relative errors (model - measured)/measured
    LayeredSearch::Point best; // where the search ended, in its parameters
};

// The two-layer soil that minimises the sum of squared relative errors: a coarse scan of
// K over (-1, 1), with the contrast of the last reading over the first, and of h from a
// hundredth of the least spacing to a hundred times the largest, each point with its best
// rho1; then Levenberg-Marquardt from several starts, the best end kept: the best scan
// point of each sign of K on eight depths, and the best points of the contrasts that beat
// their neighbouring contrasts, on depths refined around each contrast's best. The first
// starts alone end in a neighbouring basin for some strong decreases under a deep top
// layer.
LayeredFit fitTwoLayers(const LayeredSearch &search);

} // namespace tav
