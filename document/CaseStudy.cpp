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

// Where the solver splits its search into on and off the surface layer: the layer's area,
// or nowhere (without a layer, or with one everywhere). The search keeps each side's worst
// place apart, so that each is judged against its own limit.
std::vector<earthing::Point2> layerSplit(const SystemDocument &d) {
    return d.safety && d.safety->surface ? d.surfaceZone : std::vector<earthing::Point2>{};
}

bool samePlaces(const std::vector<earthing::Point2> &a, const std::vector<earthing::Point2> &b) {
    return std::equal(
        a.begin(), a.end(), b.begin(), b.end(),
        [](earthing::Point2 p, earthing::Point2 q) { return p.x == q.x && p.y == q.y; });
}

// Whether one solve serves both: the same soil and the same split of the search. The
// current, Df and the criteria's limits do not enter the solve or the search's places,
// which are each side's greatest voltage, whatever its limit.
bool sameSolve(const SystemDocument &a, const SystemDocument &b) {
    return sameSoil(a.soil, b.soil) && samePlaces(layerSplit(a), layerSplit(b));
}

// The factor from the solved case's current into the earth to this case's: the ratio of
// the currents, or with a network that of Df, the network sharing out the same I_E for
// the same resistance.
double currentRatio(const CaseEvaluation &solved, const SystemDocument &document) {
    if (document.network)
        return document.network->decrement / solved.evaluation.decrement;
    return document.current / solved.document.current;
}

// The case's evaluation from an earlier case's solve of the same soil: the result scaled
// to the case's current into the earth, judged anew. With a network the shared-out
// currents (I_E, the lines', the towers') are the fault's, without Df, and stay as solved;
// only the current the study takes to earth, Df |I_E|, follows the case's Df.
SystemEvaluation rescaled(const CaseEvaluation &solved, const SystemDocument &document) {
    SystemEvaluation e = solved.evaluation;
    e.safety.reset();
    e.safetyRefusal.reset();
    if (document.network)
        e.decrement = document.network->decrement;
    const double ratio = currentRatio(solved, document);
    if (ratio != 1)
        e.result = std::make_shared<const earthing::EarthingResult>(
            earthing::scaledResult(*e.result, ratio));
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
            return sameSolve(study.cases[std::size_t(k)].document, evaluation.document);
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
