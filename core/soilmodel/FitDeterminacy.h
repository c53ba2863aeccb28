#pragma once

#include "core/soilmodel/LayeredSearch.h"

#include <optional>

namespace tav {

// How far the readings fix one parameter of a fitted two-layer soil.
struct Determination {
    // False when soils with very different values of it (up to the search's limits) fit the
    // readings about as well: the fitted value is then no answer.
    bool determined = true;
    // What the readings do rule out, when they rule out something: values below atLeast,
    // or above atMost (ohm m, or m for h).
    std::optional<double> atLeast;
    std::optional<double> atMost;
};

struct LayeredDeterminacy {
    Determination rho1;
    Determination rho2;
    Determination h;
};

// Whether the soils at the search's limits fit the readings about as well as the best
// point does: a bottom layer of infinite contrast (rho2/rho1 at 1e9 either way), a top
// layer thinner than any spacing can tell, or one deeper than the readings reach (the
// uniform soil of uniformSumOfSquares). "About as well" is within the 95 % profile
// likelihood region of nonlinear least squares, S <= S_best (1 + F(1, n - 3) / (n - 3))
// (Bates and Watts, 1988, section 6.1), and never less than an RMS error of 0.01 %
// above the best. A parameter whose region reaches a limit is not determined; the other
// end of its region is the bound the readings set, to three significant digits rounded
// outward.
LayeredDeterminacy determinacy(const LayeredSearch &search, const LayeredSearch::Point &best,
                               double uniformSumOfSquares);

} // namespace tav
