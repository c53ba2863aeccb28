#include "core/earthing/ScaledResult.h"

namespace tav::earthing {

namespace {

// A side that was not reached keeps its minus infinity: factor is positive.
void scale(TouchMaximum &touch, double factor) {
    touch.voltage *= factor;
}

void scale(StepMaximum &step, double factor) {
    step.voltage *= factor;
}

} // namespace

EarthingResult scaledResult(const EarthingResult &result, double factor) {
    EarthingResult r = result;
    r.gpr *= factor;
    for (GroupResult &g : r.groups) {
        g.potential *= factor;
        g.current *= factor;
    }
    for (SegmentResult &s : r.segmentCurrents)
        s.current *= factor;
    for (PointResult &p : r.points) {
        p.potential *= factor;
        p.touch *= factor;
    }
    if (r.touchMax)
        scale(*r.touchMax, factor);
    scale(r.stepMax, factor);
    for (AreaResult &a : r.areas) {
        a.metal *= factor;
        scale(a.onLayer, factor);
        scale(a.offLayer, factor);
    }
    for (TouchPointResult &t : r.touched) {
        t.surface *= factor;
        t.touch *= factor;
    }
    scale(r.steps.onLayer, factor);
    scale(r.steps.offLayer, factor);
    for (double &v : r.rasterPotential)
        v *= factor;
    if (r.field)
        r.field = r.field->scaled(factor);
    return r;
}

} // namespace tav::earthing
