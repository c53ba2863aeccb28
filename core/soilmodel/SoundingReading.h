#pragma once

#include "core/errors.h"
#include "core/soilmodel/WennerReading.h"

#include <optional>
#include <vector>

namespace tav {

// The two electrode arrays a resistivity sounding is read with, all four electrodes in a
// line at the surface.
enum class SoundingArray {
    // Equal spacings a between neighbouring electrodes.
    Wenner,
    // Current electrodes at AB/2 either side of the centre, potential electrodes at MN/2.
    Schlumberger,
};

// One reading of a sounding. spacing is a (Wenner) or AB/2 (Schlumberger) in m;
// halfPotentialSpacing is MN/2 in m, Schlumberger only; resistivity the apparent one in
// ohm m.
struct SoundingReading {
    SoundingArray array = SoundingArray::Wenner;
    double spacing = 0;
    double halfPotentialSpacing = 0;
    double resistivity = 0;
};

namespace SoundingReadings {

// A layered fit takes one to five layers: beyond five, no sounding of the length field
// crews read tells one layer from its neighbours.
inline constexpr int kMostLayers = 5;

std::vector<SoundingReading> fromWenner(const std::vector<WennerReading> &readings);

// Why a fit of the given count of layers cannot take these readings, if it cannot: more
// readings than WennerReadings::kMostReadings, an MN/2 that is not positive, the checks of
// WennerReadings::refusal, AB/2 taking the place of a (two readings are one only when
// their array and both spacings agree), then an MN/2 not below its AB/2, a count outside
// 1..kMostLayers, readings not outnumbering the 2N - 1 parameters, and fewer than three.
std::optional<Refusal> refusal(const std::vector<SoundingReading> &readings, int layers);

} // namespace SoundingReadings

} // namespace tav
