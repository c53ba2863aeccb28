#pragma once

namespace tav {

// The image series of a Wenner array on two-layer soil:
//   S = sum over n >= 1 of K^n * b(n t),  b(y) = 1/sqrt(1 + y^2) - 1/sqrt(4 + y^2),
// with t = 2h/a. The apparent resistivity is rho1 * (1 + 4 S).
namespace ImageSeries {

// b(y), written without the cancellation of the two roots for large y.
double bracket(double y);

// S for the reflection factor K = (rho2 - rho1)/(rho2 + rho1), given by the two
// resistivities so that 1 - |K| keeps its digits when |K| is close to 1. rho1, rho2 and
// t positive and finite. Accurate to a few units in the last place of 1 + 4S, but for
// K close to -1 with a thin top layer, where 1 + 4S is itself small.
double sum(double rho1, double rho2, double t);

} // namespace ImageSeries

} // namespace tav
