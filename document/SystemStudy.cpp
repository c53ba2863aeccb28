#include "document/SystemStudy.h"

#include "core/earthing/EarthingSolver.h"
#include "core/network/NetworkSolver.h"

#include <complex>

namespace tav {

Refusable<SystemEvaluation> SystemStudy::evaluate(const SystemDocument &document,
                                                  const earthing::ProgressCallback &monitor) {
    const SystemDocument::Expansion expansion = document.expanded();
    if (expansion.input.refused())
        return expansion.input.refusal();
    const earthing::EarthingInput &input = expansion.input.result();
    SystemEvaluation evaluation;
    earthing::EarthingSolver::Options options;
    if (document.network) {
        evaluation.decrement = document.network->decrement;
        options.currentFromResistance = [&](double resistance) -> Refusable<double> {
            Refusable<network::NetworkResult> shared =
                network::NetworkSolver::solve(document.network->model, resistance);
            if (shared.refused())
                return shared.refusal();
            evaluation.network = shared.result();
            return evaluation.decrement * std::abs(shared.result().earthCurrent);
        };
    }
    Refusable<earthing::EarthingResult> solved =
        earthing::EarthingSolver::solve(input, monitor, options);
    if (solved.refused())
        return solved.refusal();
    evaluation.result = std::make_shared<const earthing::EarthingResult>(solved.result());
    if (!document.safety)
        return evaluation;
    const Refusable<earthing::SystemSafety> safety =
        earthing::assessSafety(*evaluation.result, input.soil, *document.safety);
    if (safety.refused())
        evaluation.safetyRefusal = safety.refusal();
    else
        evaluation.safety = safety.result();
    return evaluation;
}

} // namespace tav
