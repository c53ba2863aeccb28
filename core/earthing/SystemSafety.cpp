#include "core/earthing/SystemSafety.h"

#include <cmath>
#include <utility>

namespace tav::earthing {

Refusable<SystemSafety> assessSafety(const EarthingResult &result, const EarthingSoil &soil,
                                     const SafetyCriteria &criteria) {
    // A verdict is only given on values that were computed.
    const std::pair<double, Quantity> solved[] = {
        {result.touchMax.voltage, Quantity::WorstTouchVoltage},
        {result.stepMax.voltage, Quantity::WorstStepVoltage}};
    for (const auto &[value, quantity] : solved)
        if (!std::isfinite(value))
            return Refusal{Error::ResultNotFinite, quantity, {}};
    Refusable<TolerableVoltages> tolerable = checkedTolerableVoltages(criteria, soil.rho1);
    if (tolerable.refused())
        return tolerable.refusal();
    const std::pair<double, Quantity> limits[] = {
        {tolerable.result().touch, Quantity::TolerableTouchVoltage},
        {tolerable.result().step, Quantity::TolerableStepVoltage}};
    for (const auto &[value, quantity] : limits)
        if (!std::isfinite(value))
            return Refusal{Error::ResultNotFinite, quantity, {}};
    SystemSafety s;
    s.tolerable = tolerable.result();
    const auto judge = [&s](double voltage, double limit) {
        if (!(voltage < limit))
            return Verdict::NotSafe;
        return s.tolerable.cautions.empty() ? Verdict::Safe : Verdict::OutsideMethodRange;
    };
    s.touch = judge(result.touchMax.voltage, s.tolerable.touch);
    s.step = judge(result.stepMax.voltage, s.tolerable.step);
    return s;
}

} // namespace tav::earthing
