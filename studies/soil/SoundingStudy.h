#pragma once

#include "core/errors.h"
#include "core/soilmodel/SoundingModel.h"

#include <optional>
#include <vector>

// What the soil model window shows: the readings fitted and left out, the count of layers
// asked for, and the fit's outcome.
struct SoundingStudy {
    tav::SoundingArray array = tav::SoundingArray::Wenner;
    std::optional<int> layers;                  // none: the count the readings support
    std::vector<tav::SoundingReading> readings; // those the fit takes, in their order
    std::vector<tav::SoundingReading> leftOut;  // shown in the plot, not fitted
    // The fit of the readings; none before there is any reading.
    std::optional<tav::Refusable<tav::SoundingModel>> outcome;
    // The uniform soil of the readings, when two layers came out: what a study takes when
    // the readings do not determine them.
    std::optional<tav::LayersFit> uniform;

    bool fitted() const { return outcome && !outcome->refused(); }
};
