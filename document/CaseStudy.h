#pragma once

#include "core/earthing/CaseEnvelope.h"
#include "document/SystemStudy.h"

#include <QString>

#include <optional>
#include <vector>

namespace tav {

// One case of a study evaluated: its document (the study as the case sees it) and what
// the study's evaluation gives for it.
struct CaseEvaluation {
    QString name; // empty for a study without cases
    SystemDocument document;
    SystemEvaluation evaluation;
    int solve = 0; // the solve, of the study's, that the case's result was scaled from
};

// What a study of every case gives: each case judged, the envelope (every place's worst
// case) when every case was, and how many solves it took.
struct StudyEvaluation {
    std::vector<CaseEvaluation> cases;
    std::optional<earthing::CaseEnvelope> envelope;
    int solves = 0;
    // The case whose maps show the study: the envelope's governing one, else the first.
    const CaseEvaluation &governing() const {
        return cases[std::size_t(envelope ? envelope->governing : 0)];
    }
};

// The study's cases evaluated together: one solve per distinct soil and split of the
// search by the surface layer's area (with a network, the current follows from the soil's
// resistance as the study's evaluation works it out), each other case of that soil the
// same solve scaled to its current into the earth (its own current, the basis's with its
// Df, or Df |I_E| with the network's I_E as solved), the field being linear in it, and
// every case judged by its own criteria and surface layer. A study without cases is its
// one case, evaluated as SystemStudy::evaluate does. A case the solver refuses refuses
// the whole. Qt-free callers aside, this is the one evaluation a search over layouts asks.
class CaseStudy {
public:
    static Refusable<StudyEvaluation> evaluate(const SystemDocument &document,
                                               const earthing::ProgressCallback &monitor = {});
};

} // namespace tav
