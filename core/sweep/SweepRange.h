#pragma once

#include "core/errors.h"

#include <vector>

namespace tav::sweep {

// A range of values, from `from` towards `to` by `step`; `to` itself when a whole number
// of steps reaches it.
struct SweepRange {
    double from = 0;
    double to = 0;
    double step = 0;
};

// The most values one sweep solves: each is a full solve of the study.
inline constexpr int kMostSweepPoints = 200;

// The range's values, from first to last, or why not: a bound or the step not finite, a
// step of 0 or one leading away from `to`, more values than kMostSweepPoints, or (whole)
// a value that is no whole number, as a count would be.
Refusable<std::vector<double>> sweepValues(const SweepRange &range, bool whole);

} // namespace tav::sweep
