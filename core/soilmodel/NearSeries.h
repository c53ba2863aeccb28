#pragma once

#include <algorithm>
#include <cmath>

namespace tav {

// The Bessel functions' power series that LayeredSoil and LayeredSensitivity take near
// the electrodes, r2 <= h1, from the moments of T - rho_1 in x = lambda h1.
namespace NearSeries {

// The moments by the trapezoid rule in ln x from x = 1e-5 (below, x^3 times any contrast
// the search takes adds less than 1e-11) to 60 (exp(-120) beyond), in steps of 0.1: the
// integrands are analytic in a strip about the real axis of ln x, where the rule's error
// falls as exp(-2 pi d / step).
inline constexpr double kFirstMoment = 1e-5;
inline constexpr double kLastMoment = 60;
inline constexpr double kMomentStep = 0.1;
inline constexpr int kMostTerms = 32;

// The terms after which the k-th falls below 1e-16 of the first: with T - rho_1 falling
// as exp(-2 lambda h1), the k-th goes as (2k choose k) (r2 / 4 h1)^2k, about
// (r2 / 2 h1)^2k: a quarter per term at r2 = h1.
inline int terms(double r2, double h1) {
    const double ratio = (r2 / (2 * h1)) * (r2 / (2 * h1));
    if (!(ratio > 1e-300))
        return 1;
    const double needed = std::log(1e-16) / std::log(std::min(ratio, 0.999));
    return std::clamp(static_cast<int>(std::ceil(needed)) + 2, 1, kMostTerms);
}

} // namespace NearSeries

} // namespace tav
