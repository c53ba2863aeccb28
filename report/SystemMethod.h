#pragma once

#include "core/earthing/SystemSafety.h"
#include "document/SystemDocument.h"
#include "report/Report.h"
#include "report/StudyTexts.h"

#include <optional>

// What the earthing study's verdict rests on: the criteria and their basis (the standard
// and its edition, the duration, the body or the footwear, the surface layer, its zone
// and Cs), and the assumptions and method of the solve, with what it does not check.
namespace SystemMethod {

ReportBlock criteria(const tav::SystemDocument &document,
                     const std::optional<tav::earthing::SystemSafety> &safety,
                     const StudyTexts &texts);
// network: the current to earth came from the lines and cables, not as given.
ReportBlock assumptions(const StudyTexts &texts, bool network = false);

} // namespace SystemMethod
