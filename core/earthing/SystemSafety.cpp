#include "core/earthing/SystemSafety.h"

#include <cmath>
#include <utility>

namespace tav::earthing {

namespace {

// How near a voltage comes to its limit: the side of an area that decides its verdict.
double share(double voltage, double tolerable) {
    return voltage / tolerable;
}

class Judge {
public:
    Judge(const TolerableVoltages &on, const TolerableVoltages &off) : m_on(on), m_off(off) {}

    JudgedVoltage touch(double voltage, Point2 at, bool onLayer) const {
        const TolerableVoltages &limits = onLayer ? m_on : m_off;
        return {voltage, at, onLayer, limits.touch, verdict(voltage, limits.touch, limits)};
    }

    JudgedVoltage step(const StepMaximum &step, bool onLayer) const {
        const TolerableVoltages &limits = onLayer ? m_on : m_off;
        if (!limits.stepLimited)
            return {step.voltage, step.middle(), onLayer, 0, Verdict::NoLimit};
        return {step.voltage, step.middle(), onLayer, limits.step,
                verdict(step.voltage, limits.step, limits)};
    }

private:
    static Verdict verdict(double voltage, double limit, const TolerableVoltages &limits) {
        if (!(voltage < limit))
            return Verdict::NotSafe;
        return limits.cautions.empty() ? Verdict::Safe : Verdict::OutsideMethodRange;
    }

    const TolerableVoltages &m_on;
    const TolerableVoltages &m_off;
};

bool found(double voltage) {
    return !(std::isinf(voltage) && voltage < 0);
}

// Of an area's two sides, the one nearer its limit.
JudgedVoltage areaVerdict(const Judge &judge, const AreaResult &area) {
    const bool on = found(area.onLayer.voltage);
    const bool off = found(area.offLayer.voltage);
    if (on && !off)
        return judge.touch(area.onLayer.voltage, area.onLayer.at, true);
    if (off && !on)
        return judge.touch(area.offLayer.voltage, area.offLayer.at, false);
    if (!on) // the raster missed the area: nothing to judge, nothing found against it
        return {0, {}, true, judge.touch(0, {}, true).tolerable, Verdict::Safe};
    const JudgedVoltage a = judge.touch(area.onLayer.voltage, area.onLayer.at, true);
    const JudgedVoltage b = judge.touch(area.offLayer.voltage, area.offLayer.at, false);
    return share(b.voltage, b.tolerable) > share(a.voltage, a.tolerable) ? b : a;
}

// Of the two sides' worst steps, the one nearer its limit; without a limit, the greater.
JudgedVoltage stepVerdict(const Judge &judge, const EarthingResult &result) {
    const StepResult &steps = result.steps;
    const bool on = found(steps.onLayer.voltage);
    const bool off = found(steps.offLayer.voltage);
    if (!on && !off) // no two points 1 m apart: the solver's zero
        return judge.step(result.stepMax, true);
    if (!off)
        return judge.step(steps.onLayer, true);
    if (!on)
        return judge.step(steps.offLayer, false);
    const JudgedVoltage a = judge.step(steps.onLayer, true);
    const JudgedVoltage b = judge.step(steps.offLayer, false);
    if (a.verdict == Verdict::NoLimit)
        return b.voltage > a.voltage ? b : a;
    return share(b.voltage, b.tolerable) > share(a.voltage, a.tolerable) ? b : a;
}

Verdict combined(Verdict a, Verdict b) {
    if (a == Verdict::NotSafe || b == Verdict::NotSafe)
        return Verdict::NotSafe;
    if (a == Verdict::OutsideMethodRange || b == Verdict::OutsideMethodRange)
        return Verdict::OutsideMethodRange;
    return Verdict::Safe;
}

} // namespace

Refusable<SystemSafety> assessSafety(const EarthingResult &result, const EarthingSoil &soil,
                                     const SafetyCriteria &criteria) {
    // A verdict is only given on values that were computed.
    if (result.touchMax && !std::isfinite(result.touchMax->voltage))
        return Refusal{Error::ResultNotFinite, Quantity::WorstTouchVoltage, {}};
    if (!std::isfinite(result.stepMax.voltage))
        return Refusal{Error::ResultNotFinite, Quantity::WorstStepVoltage, {}};
    SafetyCriteria bare = criteria;
    bare.surface.reset();
    Refusable<TolerableVoltages> on = checkedTolerableVoltages(criteria, soil.rho1);
    if (on.refused())
        return on.refusal();
    Refusable<TolerableVoltages> off = checkedTolerableVoltages(bare, soil.rho1);
    if (off.refused())
        return off.refusal();
    for (const TolerableVoltages *limits : {&on.result(), &off.result()}) {
        if (!std::isfinite(limits->touch))
            return Refusal{Error::ResultNotFinite, Quantity::TolerableTouchVoltage, {}};
        if (limits->stepLimited && !std::isfinite(limits->step))
            return Refusal{Error::ResultNotFinite, Quantity::TolerableStepVoltage, {}};
    }
    SystemSafety s;
    s.onLayer = on.result();
    // Without a layer, or with one everywhere, the top soil is nowhere bare.
    s.offLayer = criteria.surface && !result.surfaceZone.empty() ? off.result() : on.result();
    const Judge judge(s.onLayer, s.offLayer);
    Verdict overall = Verdict::Safe;
    for (std::size_t k = 0; k < result.areas.size(); ++k) {
        s.areas.push_back(areaVerdict(judge, result.areas[k]));
        overall = combined(overall, s.areas.back().verdict);
        const bool groupZero = result.touchAreas[k].group == 0;
        if (groupZero && found(result.areas[k].worst().voltage) &&
            (!s.touch || share(s.areas.back().voltage, s.areas.back().tolerable) >
                             share(s.touch->voltage, s.touch->tolerable)))
            s.touch = s.areas.back();
    }
    for (std::size_t k = 0; k < result.touched.size(); ++k) {
        const TouchPointResult &t = result.touched[k];
        s.points.push_back(judge.touch(t.touch, result.touchPoints[k].at, t.onLayer));
        overall = combined(overall, s.points.back().verdict);
    }
    s.step = stepVerdict(judge, result);
    if (s.step.verdict != Verdict::NoLimit)
        overall = combined(overall, s.step.verdict);
    s.overall = overall;
    return s;
}

} // namespace tav::earthing
