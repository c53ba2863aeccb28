#pragma once

#include "core/errors.h"
#include "core/soilmodel/LayersDeterminacy.h"
#include "core/soilmodel/LayersFit.h"
#include "core/soilmodel/SoundingReading.h"

#include <optional>
#include <vector>

namespace tav {

// A sounding's soil of N layers as the soil model window and tav-calc soil-model give it:
// the fit, what the readings determine of it, how the count was chosen when it was, and
// the cautions on what is left open.
struct SoundingModel {
    LayersFit fit;
    LayersDeterminacy determinacy;
    std::optional<LayerCountChoice> choice; // when the count was chosen
    std::vector<Caution> cautions;
};

// The soil of the given count of layers, or, without one, of the count the readings
// support up to most (chooseLayerCount);
// refused as fitLayers and chooseLayerCount refuse. Cautions: Warning::NoModelFits when the
// RMS error exceeds kNoModelFitsPercent (the model then is no answer), then, layer by layer,
// a thin middle layer's product when that is all that is fixed, else each parameter the
// readings leave open with the bound they set.
Refusable<SoundingModel> fitSounding(const std::vector<SoundingReading> &readings,
                                     std::optional<int> layers, int most = kMostCountedLayers);

} // namespace tav
