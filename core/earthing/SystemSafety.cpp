#include "core/earthing/SystemSafety.h"

#include <cmath>
#include <utility>

namespace tav::earthing {

namespace {

// How near a voltage comes to its limit: the side of an area that decides its verdict.
double share(double voltage, double tolerable) {
    return voltage / tolerable;
}

// Judges each place by the side of the layer's zone it stands on; without a layer the two
// sides' limits are one and the same, and no place is said to stand on a layer.
class Judge {
public:
    Judge(const TolerableVoltages &on, const TolerableVoltages &off, bool layer)
        : m_on(on), m_off(off), m_layer(layer) {}

    JudgedVoltage touch(double voltage, Point2 at, bool onLayer) const {
        const TolerableVoltages &limits = onLayer ? m_on : m_off;
        return {voltage, at, onLayer && m_layer, limits.touch,
                verdict(voltage, limits.touch, limits)};
    }

    JudgedVoltage step(const StepMaximum &step, bool onLayer) const {
        const TolerableVoltages &limits = onLayer ? m_on : m_off;
        if (!limits.stepLimited)
            return {step.voltage, step.middle(), onLayer && m_layer, 0, Verdict::NoLimit};
        return {step.voltage, step.middle(), onLayer && m_layer, limits.step,
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
    bool m_layer;
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
    if (!on) { // the raster missed the area: nothing to judge, nothing found against it
        JudgedVoltage missed = judge.touch(0, {}, true);
        missed.verdict = Verdict::Safe;
        return missed;
    }
    const JudgedVoltage a = judge.touch(area.onLayer.voltage, area.onLayer.at, true);
    const JudgedVoltage b = judge.touch(area.offLayer.voltage, area.offLayer.at, false);
    return share(b.voltage, b.tolerable) > share(a.voltage, a.tolerable) ? b : a;
}

// Group 0's greatest touch over its areas' sides, where it stands.
std::optional<JudgedVoltage> greatestTouch(const Judge &judge, const EarthingResult &result) {
    std::optional<JudgedVoltage> greatest;
    for (std::size_t k = 0; k < result.areas.size(); ++k) {
        if (result.touchAreas[k].group != 0)
            continue;
        const AreaResult &area = result.areas[k];
        for (const bool on : {true, false}) {
            const TouchMaximum &side = on ? area.onLayer : area.offLayer;
            if (found(side.voltage) && (!greatest || side.voltage > greatest->voltage))
                greatest = judge.touch(side.voltage, side.at, on);
        }
    }
    return greatest;
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
    s.surfaceLayer = criteria.surface.has_value();
    s.onLayer = on.result();
    // Without a layer, or with one everywhere, the top soil is nowhere bare.
    s.offLayer = criteria.surface && !result.surfaceZone.empty() ? off.result() : on.result();
    const Judge judge(s.onLayer, s.offLayer, s.surfaceLayer);
    Verdict overall = Verdict::Safe;
    for (std::size_t k = 0; k < result.areas.size(); ++k) {
        s.areas.push_back(areaVerdict(judge, result.areas[k]));
        overall = combined(overall, s.areas.back().verdict);
    }
    s.touch = greatestTouch(judge, result);
    for (std::size_t k = 0; k < result.touched.size(); ++k) {
        const TouchPointResult &t = result.touched[k];
        s.points.push_back(judge.touch(t.touch, result.touchPoints[k].at, t.onLayer));
        overall = combined(overall, s.points.back().verdict);
    }
    const StepResult &steps = result.steps;
    if (found(steps.onLayer.voltage))
        s.steps.push_back(judge.step(steps.onLayer, true));
    if (found(steps.offLayer.voltage))
        s.steps.push_back(judge.step(steps.offLayer, false));
    for (const JudgedVoltage &step : s.steps)
        if (step.verdict != Verdict::NoLimit)
            overall = combined(overall, step.verdict);
    // The greatest step stands where its side's worst does; none found: the solver's zero.
    const bool greatestOff =
        found(steps.offLayer.voltage) && !(steps.onLayer.voltage >= steps.offLayer.voltage);
    s.step = judge.step(result.stepMax, !greatestOff);
    s.overall = overall;
    return s;
}

} // namespace tav::earthing
