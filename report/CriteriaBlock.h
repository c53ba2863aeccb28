#pragma once

#include "core/TolerableVoltage.h"
#include "report/Report.h"
#include "report/StudyTexts.h"

#include <optional>

// The basis of a safety verdict as every study's report gives it: the criteria by standard
// and edition, the duration, IEEE Std 80's body or EN 50522's footwear, the surface layer
// (and where it lies, when the study says), its Cs, and EN 50522's U_Tp and I_B; a reviewer
// finds it in one shape whichever study the report comes from.
namespace CriteriaBlock {

// zone: where the surface layer lies, as the report words it; none when the study takes it
// everywhere without saying. limits: the tolerable voltages worked out, for Cs, U_Tp and I_B.
ReportBlock block(const tav::SafetyCriteria &criteria, const std::optional<QString> &zone,
                  const std::optional<tav::TolerableVoltages> &limits, const StudyTexts &texts);

} // namespace CriteriaBlock
