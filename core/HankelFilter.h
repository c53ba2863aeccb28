#pragma once

#include <array>
#include <cstddef>

namespace tav {

// A digital linear filter for the Hankel transform of order 0:
//   integral over lambda from 0 to infinity of f(lambda) J0(lambda r)
//     ~ (1/r) sum over i of f(b_i / r) w_i.
// The filter resolves kernels that vanish as lambda goes to 0 to about 1e-11 of their
// scale, but a kernel with a value at 0 only to about 1e-6 (its weights sum to 1 - 7.7e-7,
// not 1): callers take that value out in closed form first.
namespace HankelFilter {

inline constexpr std::size_t kPoints = 201;

const std::array<double, kPoints> &abscissas();
const std::array<double, kPoints> &weights();
// b_(i+1) / b_i, the same for every i.
double ratio();

// The transform of f at r > 0.
template <class Kernel> double transform(const Kernel &f, double r) {
    const std::array<double, kPoints> &b = abscissas();
    const std::array<double, kPoints> &w = weights();
    double sum = 0;
    for (std::size_t i = 0; i < kPoints; ++i)
        sum += f(b[i] / r) * w[i];
    return sum / r;
}

} // namespace HankelFilter

} // namespace tav
