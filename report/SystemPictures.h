#pragma once

#include "core/earthing/EarthingResult.h"
#include "core/earthing/SystemSafety.h"
#include "document/SystemDocument.h"
#include "report/Report.h"
#include "report/StudyTexts.h"

#include <optional>
#include <vector>

// The earthing study report's pictures, each a block of its own: the plan to scale on a
// page of its own with the key of its symbols, the maps of surface potential, touch and step (two
// to a page) with their labelled isolines, and where the current leaves the metal, coloured by
// leakage density. The pictures keep the result they draw, which may outlive the caller's.
namespace SystemPictures {

// The heights the report gives them, in mm of an A4 page.
inline constexpr double kPlanHeight = 235; // the plan and its key
inline constexpr double kMapHeight = 112;

ReportBlock plan(const tav::SystemDocument &document,
                 const std::shared_ptr<const tav::earthing::EarthingResult> &result,
                 const StudyTexts &texts);
std::vector<ReportBlock> maps(const tav::SystemDocument &document,
                              const std::shared_ptr<const tav::earthing::EarthingResult> &result,
                              const std::optional<tav::earthing::SystemSafety> &safety,
                              const StudyTexts &texts);
ReportBlock leakage(const tav::SystemDocument &document,
                    const std::shared_ptr<const tav::earthing::EarthingResult> &result,
                    const StudyTexts &texts);

} // namespace SystemPictures
