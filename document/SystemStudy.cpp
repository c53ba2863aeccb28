#include "document/SystemStudy.h"

#include "core/earthing/EarthingSolver.h"

namespace tav {

Refusable<SystemEvaluation> SystemStudy::evaluate(const SystemDocument &document,
                                                  const earthing::ProgressCallback &monitor) {
    const SystemDocument::Expansion expansion = document.expanded();
    if (expansion.input.refused())
        return expansion.input.refusal();
    const earthing::EarthingInput &input = expansion.input.result();
    Refusable<earthing::EarthingResult> solved = earthing::EarthingSolver::solve(input, monitor);
    if (solved.refused())
        return solved.refusal();
    SystemEvaluation evaluation;
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
