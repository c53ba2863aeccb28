#pragma once

#include "core/GridSafety.h"
#include "core/earthing/SolveProgress.h"
#include "core/errors.h"

#include <functional>
#include <optional>
#include <vector>

namespace tav::sweep {

// One value of a swept parameter and what the study gives there: its resistance, its
// ground potential rise, the worst touch and step voltages against their tolerable values
// and the verdict. A value whose study is refused is kept, refused; the caller holds why.
struct SweepPoint {
    double value = 0;
    bool refused = false;
    double resistance = 0; // ohm
    double gpr = 0;        // V
    // The worst touch; none where the study has no touch area.
    std::optional<double> touch;
    std::optional<double> touchTolerable; // none without criteria
    double step = 0;
    std::optional<double> stepTolerable; // none without criteria, or where they set no limit
    std::optional<Verdict> verdict;      // none without criteria

    // The tolerable voltage less the worst: above 0 passes, below 0 fails by that much.
    std::optional<double> touchMargin() const;
    std::optional<double> stepMargin() const;
};

// Where a sweep is: the value being evaluated (from 0, of `points`) and how far its solve
// has gone.
struct SweepProgress {
    int point = 0;
    int points = 0;
    earthing::SolveProgress solve;
    // The whole sweep's share done, 0 to 1.
    double fraction() const;
};
// Returning false cancels the sweep.
using SweepCallback = std::function<bool(const SweepProgress &)>;

// One value evaluated: the point, or Error::Cancelled when its solve was cancelled. The
// progress callback is the solve's.
using PointEvaluation =
    std::function<Refusable<SweepPoint>(double value, const earthing::ProgressCallback &)>;

// Every value evaluated in order; a value refused stays in its place as a refused point.
// Cancelled (by the callback, or a point's evaluation) refuses the whole with
// Error::Cancelled; so does any other refusal of an evaluation, which a caller that keeps
// refused points reports as a refused point instead.
Refusable<std::vector<SweepPoint>> runSweep(const std::vector<double> &values,
                                            const PointEvaluation &evaluate,
                                            const SweepCallback &progress = {});

} // namespace tav::sweep
