#include "core/sweep/ParameterSweep.h"

namespace tav::sweep {

namespace {

std::optional<double> margin(const std::optional<double> &tolerable, double voltage) {
    if (!tolerable)
        return std::nullopt;
    return *tolerable - voltage;
}

} // namespace

std::optional<double> SweepPoint::touchMargin() const {
    return touch ? margin(touchTolerable, *touch) : std::nullopt;
}

std::optional<double> SweepPoint::stepMargin() const {
    return margin(stepTolerable, step);
}

double SweepProgress::fraction() const {
    return points > 0 ? (point + solve.fraction) / points : 1;
}

Refusable<std::vector<SweepPoint>> runSweep(const std::vector<double> &values,
                                            const PointEvaluation &evaluate,
                                            const SweepCallback &progress) {
    std::vector<SweepPoint> points;
    bool cancelled = false;
    for (std::size_t k = 0; k < values.size(); ++k) {
        const int point = int(k);
        const int count = int(values.size());
        const earthing::ProgressCallback solveProgress = [&](const earthing::SolveProgress &p) {
            if (progress && !progress(SweepProgress{point, count, p}))
                cancelled = true;
            return !cancelled;
        };
        if (!solveProgress({}))
            return Refusal{Error::Cancelled, Quantity::None, {}};
        const Refusable<SweepPoint> evaluated = evaluate(values[k], solveProgress);
        if (cancelled)
            return Refusal{Error::Cancelled, Quantity::None, {}};
        if (evaluated.refused())
            return evaluated.refusal();
        points.push_back(evaluated.result());
        points.back().value = values[k];
    }
    if (progress)
        progress(SweepProgress{int(values.size()), int(values.size()), {}});
    return points;
}

} // namespace tav::sweep
