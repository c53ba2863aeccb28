#include "core/sweep/SweepRange.h"

#include <cmath>

namespace tav::sweep {

namespace {

// A value a step's rounding leaves within this share of a step of a bound is the bound:
// 0.1:0.3:0.1 ends at 0.3, not at 0.30000000000000004 nor one step short.
constexpr double kStepShare = 1e-9;

Refusal refusal(Error error, std::vector<double> values) {
    return Refusal{error, Quantity::None, std::move(values)};
}

} // namespace

Refusable<std::vector<double>> sweepValues(const SweepRange &range, bool whole) {
    for (const double v : {range.from, range.to, range.step})
        if (!std::isfinite(v))
            return refusal(Error::SweepNotFinite, {v});
    if (range.step == 0)
        return refusal(Error::SweepStepZero, {});
    const double span = range.to - range.from;
    if (span != 0 && (span > 0) != (range.step > 0))
        return refusal(Error::SweepStepWrongSign, {range.from, range.to, range.step});
    // Counted in double: a step of 1e-300 over 1 would overflow an int.
    const double steps = std::floor(span / range.step + kStepShare);
    if (!(steps + 1 <= kMostSweepPoints))
        return refusal(Error::SweepTooManyPoints, {steps + 1, double(kMostSweepPoints)});
    std::vector<double> values;
    for (int k = 0; k <= int(steps); ++k) {
        // From the start each time, so that rounding does not gather over the steps.
        double value = range.from + k * range.step;
        if (std::abs(value - range.to) <= kStepShare * std::abs(range.step))
            value = range.to;
        if (whole && value != std::round(value))
            return refusal(Error::SweepNotWhole, {value});
        values.push_back(value);
    }
    return values;
}

} // namespace tav::sweep
