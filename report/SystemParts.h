#pragma once

#include "core/earthing/EarthingResult.h"
#include "document/SystemDocument.h"
#include "report/Report.h"
#include "report/StudyTexts.h"

// The earthing study's parts as a reviewer checks them: one row per part with its size,
// place, conductors and mesh, depth, diameters, rods and group; and the accuracy the
// solve was made to, with the segments and image terms it came to.
namespace SystemParts {

ReportBlock table(const tav::SystemDocument &document, const StudyTexts &texts);
ReportBlock accuracy(const tav::SystemDocument &document,
                     const tav::earthing::EarthingResult &result, const StudyTexts &texts);

} // namespace SystemParts
