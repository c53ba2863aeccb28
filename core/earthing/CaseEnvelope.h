#pragma once

#include "core/earthing/SystemSafety.h"

#include <optional>
#include <vector>

namespace tav::earthing {

// One place's worst over the cases of a study, and the case it comes from.
struct EnvelopeEntry {
    JudgedVoltage judged;
    int caseIndex = 0;
    // The voltage over its tolerable one (1 at the limit); where the criteria set no limit,
    // none, and the greatest voltage decides.
    std::optional<double> share;
};

// The verdict of a study of several cases (the same layout under other soils, faults or
// criteria): each place judged by its worst case, the voltage nearest or furthest past
// its own tolerable value. With one case it is that case's verdict.
struct CaseEnvelope {
    std::vector<EnvelopeEntry> areas;   // one per touch area
    std::vector<EnvelopeEntry> points;  // one per touch point
    std::vector<EnvelopeEntry> steps;   // on the layer, then off it, as the cases' steps
    std::optional<EnvelopeEntry> touch; // the worst of the areas and points
    std::optional<EnvelopeEntry> step;  // the worst step with a limit
    Verdict overall = Verdict::NotSafe;
    // The case of the worst share of all, touch or step: its maps show the study.
    int governing = 0;
};

// The cases' safety in their order, all of one layout; at least one.
CaseEnvelope envelopeOf(const std::vector<SystemSafety> &cases);

} // namespace tav::earthing
