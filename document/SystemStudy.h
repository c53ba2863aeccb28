#pragma once

#include "core/TolerableVoltage.h"
#include "core/earthing/EarthingResult.h"
#include "core/earthing/SolveProgress.h"
#include "core/earthing/SystemSafety.h"
#include "core/errors.h"
#include "core/network/NetworkResult.h"
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
    // With a network: how the fault current shares out with the solved resistance as Z_E;
    // the study took Df |I_E| to earth, Df the network's decrement factor.
    std::optional<network::NetworkResult> network;
    double decrement = 1;
};

// The study's one evaluation, for tav-calc and the study window alike: the document
// solved, then its safety criteria assessed; the solver's refusal refuses the whole. With
// a network the solver's resistance is the station's Z_E: the network's current into the
// earth follows from it, and the solve, linear in the current, is scaled to Df |I_E|
// without a second one.
class SystemStudy {
public:
    static Refusable<SystemEvaluation> evaluate(const SystemDocument &document,
                                                const earthing::ProgressCallback &monitor = {});
};

} // namespace tav
