#pragma once

#include "core/design/DesignRecord.h"
#include "document/SystemDocument.h"
#include "report/Report.h"
#include "report/StudyTexts.h"

#include <QVector>

// A designed study's section of its report: that its layout was designed automatically,
// the family searched, the prices, the designed layout, its cost and the solves, whether
// the layout was edited since; then the runner-up layouts with their cost and margins.
namespace DesignReport {

// A layout in a few words: "5 × 5 conductors, even; 4 rods of 3 m on the perimeter; ...".
QString layout(const tav::design::LayoutSummary &layout, const StudyTexts &texts);
// None for a document without the record of a design.
QVector<ReportBlock> blocks(const tav::SystemDocument &document, const StudyTexts &texts);

} // namespace DesignReport
