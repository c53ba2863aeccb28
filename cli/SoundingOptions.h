#pragma once

#include "cli/CliOptions.h"
#include "core/soilmodel/SoundingReading.h"

#include <QString>

#include <optional>
#include <vector>

// The options of tav-calc soil-model beyond the two-layer fit's readings: how many layers
// (--layers N or auto), which array (--array wenner|schlumberger, with --mn for the
// Schlumberger MN/2) and a file of readings (--readings FILE, CSV).
namespace SoundingOptions {

struct Sounding {
    std::vector<tav::SoundingReading> readings;
    // No --layers and the Wenner array: today's choice between a uniform soil and two
    // layers, as scripts have it; else the count given, or none when the readings choose.
    bool twoLayerChoice = true;
    std::optional<int> layers;
    int most = 4; // the most layers a chosen count may take
    // A readings file that could not be read, worded; the command then refuses it.
    QString refused;
};

void add(CliOptions &options);
// The layers and array asked for; the readings from the file when --readings is given,
// else from the spacings and values. Throws UsageError for options that make no sounding.
Sounding read(const CliOptions &options, std::vector<double> spacings,
              std::vector<double> values, bool resistances);
bool givesReadingsFile(const CliOptions &options);
QString readingsFile(const CliOptions &options);
bool wantsLayers(const CliOptions &options);

} // namespace SoundingOptions
