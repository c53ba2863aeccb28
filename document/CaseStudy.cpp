#include "document/CaseStudy.h"

#include "core/earthing/ScaledResult.h"
#include "document/StudyCases.h"

#include <algorithm>

namespace tav {

using earthing::EarthingSoil;

namespace {

bool sameSoil(const EarthingSoil &a, const EarthingSoil &b) {
    return a.layered == b.layered && a.rho1 == b.rho1 && a.rho2 == b.rho2 && a.h == b.h &&
           a.rho == b.rho && a.thickness == b.thickness;
}

// The case's evaluation from an earlier case's solve of the same soil: the result scaled
// to the case's current (with a network both took the same Df |I_E|), judged anew.
SystemEvaluation rescaled(const CaseEvaluation &solved, const SystemDocument &document) {
    SystemEvaluation e = solved.evaluation;
    e.safety.reset();
    e.safetyRefusal.reset();
    if (!document.network && document.current != solved.document.current)
        e.result = std::make_shared<const earthing::EarthingResult>(
            earthing::scaledResult(*e.result, document.current / solved.document.current));
    if (!document.safety)
        return e;
    const Refusable<earthing::SystemSafety> safety =
        earthing::assessSafety(*e.result, document.soil, *document.safety);
    if (safety.refused())
        e.safetyRefusal = safety.refusal();
    else
        e.safety = safety.result();
    return e;
}

std::optional<earthing::CaseEnvelope> envelopeOf(const std::vector<CaseEvaluation> &cases) {
    std::vector<earthing::SystemSafety> judged;
    for (const CaseEvaluation &c : cases) {
        if (!c.evaluation.safety)
            return std::nullopt;
        judged.push_back(*c.evaluation.safety);
    }
    return earthing::envelopeOf(judged);
}

} // namespace

Refusable<StudyEvaluation> CaseStudy::evaluate(const SystemDocument &document,
                                               const earthing::ProgressCallback &monitor) {
    StudyEvaluation study;
    std::vector<StudyCase> cases = document.cases;
    if (cases.empty())
        cases.push_back({});
    std::vector<int> solvedCases; // the case of each solve
    for (const StudyCase &c : cases) {
        CaseEvaluation evaluation{c.name, StudyCases::applied(document, c), {}, 0};
        const auto same = std::find_if(solvedCases.begin(), solvedCases.end(), [&](int k) {
            return sameSoil(study.cases[std::size_t(k)].document.soil, evaluation.document.soil);
        });
        if (same != solvedCases.end()) {
            evaluation.solve = int(same - solvedCases.begin());
            evaluation.evaluation = rescaled(study.cases[std::size_t(*same)], evaluation.document);
        } else {
            Refusable<SystemEvaluation> solved =
                SystemStudy::evaluate(evaluation.document, monitor);
            if (solved.refused())
                return solved.refusal();
            evaluation.solve = int(solvedCases.size());
            evaluation.evaluation = solved.result();
            solvedCases.push_back(int(study.cases.size()));
        }
        study.cases.push_back(std::move(evaluation));
    }
    study.solves = int(solvedCases.size());
    study.envelope = envelopeOf(study.cases);
    return study;
}

} // namespace tav
