#pragma once

#include "core/soilmodel/SoundingModel.h"

#include <string>
#include <vector>

// A soil of N layers as tav-calc soil-model writes it, in text and in JSON.
namespace LayersOutput {

std::string text(const std::vector<tav::SoundingReading> &readings,
                 const tav::SoundingModel &model);
// layers (each rho and thickness, null when open with the bound or the product beside),
// rms_percent, criterion, rows, array, warning; for two layers or fewer also rho1, rho2,
// h and layered as the two-layer fit writes them, so that a study reads the soil alike.
std::string json(const std::vector<tav::SoundingReading> &readings,
                 const tav::SoundingModel &model);

} // namespace LayersOutput
