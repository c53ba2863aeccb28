#pragma once

#include "core/errors.h"
#include "core/soilmodel/LayeredSoil.h"
#include "core/soilmodel/LayersSearch.h"
#include "core/soilmodel/SoundingReading.h"

#include <utility>
#include <vector>

namespace tav {

// A fitted soil of N layers.
struct LayersFit {
    LayeredSoil soil;
    // The root mean square of the relative errors (model - measured)/measured, in percent.
    double rmsPercent = 0;
    // The model's apparent resistivity at each reading, in ohm m, in the readings' order.
    std::vector<double> modelled;
    // Where the search ended, in the parameters of LayersSearch of these readings and this
    // count of layers; sumOfSquares is that of the relative errors.
    LayersSearch::Point best;
};

// How many layers the readings support, and every count's fit, so that the choice can be
// shown: fits[i] holds i + 1 layers.
struct LayerCountChoice {
    int layers = 1;
    std::vector<LayersFit> fits;
    // The F ratio of each added pair of parameters against its 95 % point, from one layer
    // to two on: (ratio, critical value) by fits[i + 1] over fits[i].
    std::vector<std::pair<double, double>> tests;
};

// The soil of the given count of layers (1..5) that minimises the sum of squared relative
// errors, searched from no start of the caller's: seeds drawn from the curve (the
// readings split into N runs of spacings, each run's resistivity as its own layer, with
// its contrast once, twice and three times) and from the best soil of one layer fewer
// split in each of its layers, each scaled to its best resistivity in closed form; then
// Levenberg-Marquardt, briefly from the best distinct seeds and to the end from the best
// few of those, never worse than the soil of one layer fewer. Four and five layers take
// more thorough searches (about three and six times as long). Two layers under Wenner
// readings alone are fitTwoLayers' answer, digit for digit. Refused for what
// SoundingReadings::refusal names.
Refusable<LayersFit> fitLayers(const std::vector<SoundingReading> &readings, int layers);

// The fewest layers, of one to most (at most 4, and as the readings allow), that the
// readings support: layers are added while the added thickness and resistivity lower the
// sum of squares S by more than chance would at 95 %, by the extra-sum-of-squares F test
// of nested models, F = ((S_N - S_N+1)/2) / (S_N+1/(n - 2N - 1)) against F(2, n - 2N - 1)
// (Bates and Watts, 1988, ch. 3, on comparing nested models). Each S carries
// a relative error of 0.1 % per reading, below which no reading is resolved, so that
// exact readings stop at the count that explains them. fits[0..2] are fitLayers' answers;
// four layers, which only has to show whether a fourth layer helps, take a quicker
// search than fitLayers'. Refused for what SoundingReadings::refusal names for one layer.
inline constexpr int kMostCountedLayers = 4;
Refusable<LayerCountChoice> chooseLayerCount(const std::vector<SoundingReading> &readings,
                                             int most = kMostCountedLayers);

} // namespace tav
