#pragma once

#include <array>
#include <cmath>
#include <cstddef>

namespace tav::FQuantile {

// F(1, nu) at 95 %, nu = 1 .. 30 (the square of Student's t at 97.5 %, as printed in
// standard tables); beyond, 3.841 + 10/nu is within 0.2 %. nu at least 1.
inline double oneAt95(std::size_t nu) {
    static constexpr std::array<double, 30> kTable = {
        161.448, 18.513, 10.128, 7.709, 6.608, 5.987, 5.591, 5.318, 5.117, 4.965,
        4.844,   4.747,  4.667,  4.600, 4.543, 4.494, 4.451, 4.414, 4.381, 4.351,
        4.325,   4.301,  4.279,  4.260, 4.242, 4.225, 4.210, 4.196, 4.183, 4.171};
    return nu <= kTable.size() ? kTable[nu - 1] : 3.841 + 10.0 / static_cast<double>(nu);
}

// F(2, nu) at 95 %, which has a closed form: (nu/2)(0.05^(-2/nu) - 1).
inline double twoAt95(double nu) {
    return nu / 2 * (std::pow(0.05, -2 / nu) - 1);
}

} // namespace tav::FQuantile
