#include "core/earthing/SystemSafety.h"

namespace tav::earthing {

Refusable<SystemSafety> assessSafety(const EarthingResult &result, const EarthingSoil &soil,
                                     const SafetyCriteria &criteria) {
    Refusable<TolerableVoltages> tolerable = checkedTolerableVoltages(criteria, soil.rho1);
    if (tolerable.refused())
        return tolerable.refusal();
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
