#pragma once

namespace tav {

// Rounds half away from zero to n - 1 decimal places. The tie is decided on the
// double product value * 10^(n-1), so 1.005 gives 1 at n = 3, and the result is
// formed by multiplying with the reciprocal power, as every shown value has been.
double RoundValue(double value, int n);

// The same rounding said plainly: to the given number of decimal places.
inline double roundToDecimals(double value, int decimals) {
    return RoundValue(value, decimals + 1);
}

} // namespace tav
