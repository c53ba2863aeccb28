#include "core/soilmodel/WennerReading.h"

#include "core/NumericText.h"
#include "core/SoilResistivity.h"

#include <cmath>

namespace tav::WennerReadings {

namespace {

constexpr double kTwoPi = 6.283185307179586;

bool positive(double value) {
    return std::isfinite(value) && value > 0;
}

std::string reading(std::size_t index) {
    return "reading " + std::to_string(index + 1) + ": ";
}

} // namespace

std::vector<WennerReading> fromResistances(const std::vector<double> &spacings,
                                           const std::vector<double> &resistances) {
    std::vector<WennerReading> readings;
    for (std::size_t i = 0; i < spacings.size() && i < resistances.size(); ++i)
        readings.push_back({spacings[i], kTwoPi * spacings[i] * resistances[i]});
    return readings;
}

std::vector<WennerReading> fromSoilForm(const std::vector<double> &resistances, int spacing1,
                                        int spacing2) {
    SoilResistivityRecord form;
    form.m_nSpacing1 = spacing1;
    form.m_nSpacing2 = spacing2;
    std::vector<double> spacings;
    std::vector<double> measured;
    for (std::size_t row = 0; row < resistances.size() && row < kSoilRows; ++row) {
        const int spacing = soilRowSpacing(form, static_cast<int>(row));
        if (resistances[row] != 0 && spacing != 0) {
            spacings.push_back(spacing);
            measured.push_back(resistances[row]);
        }
    }
    return fromResistances(spacings, measured);
}

std::string refusal(const std::vector<WennerReading> &readings) {
    for (std::size_t i = 0; i < readings.size(); ++i) {
        if (!positive(readings[i].spacing))
            return reading(i) + "the probe spacing " + NumericText::describe(readings[i].spacing) +
                   " m is not a positive finite number";
        if (!positive(readings[i].resistivity))
            return reading(i) + "the resistivity " +
                   NumericText::describe(readings[i].resistivity) +
                   " ohm-m is not a positive finite number";
    }
    for (std::size_t i = 0; i < readings.size(); ++i)
        for (std::size_t j = i + 1; j < readings.size(); ++j)
            if (readings[i].spacing == readings[j].spacing)
                return "readings " + std::to_string(i + 1) + " and " + std::to_string(j + 1) +
                       " are both at a probe spacing of " +
                       NumericText::describe(readings[i].spacing) + " m";
    if (readings.size() < 3)
        return "a two-layer fit needs at least three usable readings, not " +
               std::to_string(readings.size());
    return {};
}

} // namespace tav::WennerReadings
