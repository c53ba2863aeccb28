#include "core/soilmodel/WennerReading.h"

#include "core/SoilResistivity.h"

#include <cmath>

namespace tav::WennerReadings {

namespace {

constexpr double kTwoPi = 6.283185307179586;

bool positive(double value) {
    return std::isfinite(value) && value > 0;
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

std::optional<Refusal> refusal(const std::vector<WennerReading> &readings) {
    // Before any check that looks at pairs.
    if (readings.size() > kMostReadings)
        return Refusal{Error::TooManyReadings,
                       Quantity::None,
                       {double(readings.size()), double(kMostReadings)}};
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const double reading = static_cast<double>(i + 1);
        if (!positive(readings[i].spacing))
            return Refusal{
                Error::ReadingSpacingNotPositive, Quantity::None, {reading, readings[i].spacing}};
        if (!positive(readings[i].resistivity))
            return Refusal{Error::ReadingResistivityNotPositive,
                           Quantity::None,
                           {reading, readings[i].resistivity}};
    }
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const double reading = static_cast<double>(i + 1);
        const WennerReading &r = readings[i];
        if (r.spacing < kLeastSpacing || r.spacing > kGreatestSpacing)
            return Refusal{Error::ReadingSpacingOutOfRange,
                           Quantity::None,
                           {reading, r.spacing, kLeastSpacing, kGreatestSpacing}};
        if (r.resistivity < kLeastResistivity || r.resistivity > kGreatestResistivity)
            return Refusal{Error::ReadingResistivityOutOfRange,
                           Quantity::None,
                           {reading, r.resistivity, kLeastResistivity, kGreatestResistivity}};
    }
    for (std::size_t i = 0; i < readings.size(); ++i)
        for (std::size_t j = i + 1; j < readings.size(); ++j)
            if (readings[i].spacing == readings[j].spacing)
                return Refusal{Error::SameSpacingTwice,
                               Quantity::None,
                               {double(i + 1), double(j + 1), readings[i].spacing}};
    if (readings.size() < 3)
        return Refusal{Error::TooFewReadings, Quantity::None, {double(readings.size())}};
    return std::nullopt;
}

} // namespace tav::WennerReadings
