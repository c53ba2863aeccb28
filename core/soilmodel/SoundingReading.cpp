#include "core/soilmodel/SoundingReading.h"

#include <cmath>

namespace tav::SoundingReadings {

namespace {

bool positive(double value) {
    return std::isfinite(value) && value > 0;
}

bool schlumberger(const SoundingReading &r) {
    return r.array == SoundingArray::Schlumberger;
}

bool same(const SoundingReading &a, const SoundingReading &b) {
    return a.array == b.array && a.spacing == b.spacing &&
           (!schlumberger(a) || a.halfPotentialSpacing == b.halfPotentialSpacing);
}

// WennerReadings::refusal's checks of one reading, on its spacing and resistivity.
std::optional<Refusal> valueRefusal(const std::vector<SoundingReading> &readings) {
    std::vector<WennerReading> plain;
    for (const SoundingReading &r : readings)
        plain.push_back({r.spacing, r.resistivity});
    std::optional<Refusal> refusal = WennerReadings::refusal(plain);
    // Its count and duplicate checks are ours to make, with the array and MN/2 in view.
    if (refusal &&
        (refusal->error == Error::SameSpacingTwice || refusal->error == Error::TooFewReadings))
        return std::nullopt;
    return refusal;
}

} // namespace

std::vector<SoundingReading> fromWenner(const std::vector<WennerReading> &readings) {
    std::vector<SoundingReading> sounding;
    for (const WennerReading &r : readings)
        sounding.push_back({SoundingArray::Wenner, r.spacing, 0, r.resistivity});
    return sounding;
}

std::optional<Refusal> refusal(const std::vector<SoundingReading> &readings, int layers) {
    if (readings.size() > WennerReadings::kMostReadings)
        return Refusal{Error::TooManyReadings,
                       Quantity::None,
                       {double(readings.size()), double(WennerReadings::kMostReadings)}};
    // An MN/2 of no length is said as what it is, before the resistivity a resistance
    // would make of it.
    for (std::size_t i = 0; i < readings.size(); ++i)
        if (schlumberger(readings[i]) && !positive(readings[i].halfPotentialSpacing))
            return Refusal{Error::PotentialSpacingNotPositive,
                           Quantity::None,
                           {double(i + 1), readings[i].halfPotentialSpacing}};
    if (const std::optional<Refusal> r = valueRefusal(readings))
        return r;
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const SoundingReading &r = readings[i];
        const double reading = static_cast<double>(i + 1);
        if (schlumberger(r) && !(r.halfPotentialSpacing < r.spacing))
            return Refusal{Error::PotentialSpacingNotBelowCurrent,
                           Quantity::None,
                           {reading, r.halfPotentialSpacing, r.spacing}};
    }
    for (std::size_t i = 0; i < readings.size(); ++i)
        for (std::size_t j = i + 1; j < readings.size(); ++j)
            if (same(readings[i], readings[j]))
                return Refusal{Error::SameSpacingTwice,
                               Quantity::None,
                               {double(i + 1), double(j + 1), readings[i].spacing}};
    if (layers < 1 || layers > kMostLayers)
        return Refusal{
            Error::LayerCountOutOfRange, Quantity::None, {double(layers), 1, kMostLayers}};
    // Too few for the layers asked for, said of them; too few for any fit, of the sounding.
    const std::size_t parameters = static_cast<std::size_t>(2 * layers - 1);
    if (readings.size() <= parameters)
        return Refusal{Error::TooFewReadingsForLayers,
                       Quantity::None,
                       {double(readings.size()), double(layers), double(parameters + 1)}};
    if (readings.size() < 3)
        return Refusal{Error::TooFewReadingsForSounding, Quantity::None, {double(readings.size())}};
    return std::nullopt;
}

} // namespace tav::SoundingReadings
