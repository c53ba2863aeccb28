#pragma once

#include "core/errors.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace tav {

// One Wenner measurement: the probe spacing (m) and the apparent resistivity (ohm m).
struct WennerReading {
    double spacing = 0;
    double resistivity = 0;
};

namespace WennerReadings {

// What a Wenner sounding takes: probe spacings from 1 cm to 10 km, apparent resistivities
// from 0.001 ohm m (ore bodies, brine) to 1e8 ohm m (dry rock, ice).
inline constexpr double kLeastSpacing = 0.01;       // m
inline constexpr double kGreatestSpacing = 1e4;     // m
inline constexpr double kLeastResistivity = 1e-3;   // ohm m
inline constexpr double kGreatestResistivity = 1e8; // ohm m
// The most readings a sounding is fitted from: field crews read tens, a logger some
// hundreds; the fits' work grows with them, and a count beyond is no sounding.
inline constexpr std::size_t kMostReadings = 500;

// rho = 2 pi a R with the exact 2 pi, spacing by spacing; both lists of one length.
std::vector<WennerReading> fromResistances(const std::vector<double> &spacings,
                                           const std::vector<double> &resistances);

// The soil resistivity form's rows (at most kSoilRows resistances, in row order, rows 10
// and 11 at spacing1 and spacing2 m), skipping the rows the form's average skips: those
// whose resistance or spacing is 0.
std::vector<WennerReading> fromSoilForm(const std::vector<double> &resistances, int spacing1,
                                        int spacing2);

// Why a two-layer fit cannot take these readings, if it cannot: more than kMostReadings;
// a spacing or resistivity that is not positive and finite, or outside the ranges above;
// two readings at one spacing; fewer than three readings.
std::optional<Refusal> refusal(const std::vector<WennerReading> &readings);

} // namespace WennerReadings

} // namespace tav
