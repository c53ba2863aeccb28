#pragma once

#include "core/TolerableVoltage.h"
#include "core/earthing/EarthingResult.h"
#include "core/earthing/SolveProgress.h"
#include "core/earthing/SystemSafety.h"
#include "core/errors.h"
#include "document/SystemDocument.h"

#include <memory>
#include <optional>

namespace tav {

// What one evaluation of an earthing system study gives: the solver's result and, when
// the document has safety criteria, the tolerable voltages against it, or why they could
// not be assessed (the result still stands).
struct SystemEvaluation {
    std::shared_ptr<const earthing::EarthingResult> result;
    std::optional<earthing::SystemSafety> safety;
    std::optional<Refusal> safetyRefusal;
};

// The study's one evaluation, for tav-calc and the study window alike: the document
// solved, then its safety criteria assessed; the solver's refusal refuses the whole.
class SystemStudy {
public:
    static Refusable<SystemEvaluation> evaluate(const SystemDocument &document,
                                                const earthing::ProgressCallback &monitor = {});
};

} // namespace tav
